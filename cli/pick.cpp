#include "cli/pick.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>

#include "tools/pointer_pick.h"

namespace swatchly::cli {

int pickColour(ScreenProbe& probe, ColourForm form) {
    std::optional<int> status;
    auto done = [&](const PickResult& result) {
        switch (result.kind) {
            case PickResult::Picked:
                std::fputs(qPrintable(colourText(result.colour, form) + u'\n'), stdout);
                status = 0;
                break;
            case PickResult::Cancelled:
                status = kCancelled;
                break;
            case PickResult::Unavailable:
                std::fputs(
                    qPrintable(
                        QStringLiteral("swatchly: cannot pick a colour: %1\n").arg(result.why)),
                    stderr);
                status = kCannotPick;
                break;
        }
        QCoreApplication::quit();
    };
    std::unique_ptr<PointerPick> pointer;
    if (probe.readsScreen())
        pointer = std::make_unique<PointerPick>(probe, done);
    else
        probe.pickColour(nullptr, done);
    // The desktop's picker may answer at once, before there is a loop to quit.
    if (!status) QCoreApplication::exec();
    return status.value_or(kCannotPick);
}

}  // namespace swatchly::cli
