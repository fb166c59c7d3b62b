#include "cli/pick.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QThread>
#include <cstdio>
#include <memory>

#include "colour/text_formats.h"
#include "platform/clipboard.h"
#include "platform/store.h"
#include "tools/pointer_pick.h"

namespace swatchly::cli {

namespace {

void say(const QString& line) { std::fputs(qPrintable(line + u'\n'), stderr); }

// On X11 the clipboard is served by the program that owns it, so a process of our own stays
// behind to serve it. Returns once that process serves it, so that a script reading the
// clipboard next finds the colour.
bool leaveOnClipboard(Channels colour, const QString& text) {
    QProcess keeper;
    keeper.setProgram(QCoreApplication::applicationFilePath());
    keeper.setArguments({QStringLiteral("--keep-clipboard"), text,
                         htmlHexText(colour.red, colour.green, colour.blue)});
    // Nothing of ours held open: a pipe reading our output ends when we do.
    keeper.setStandardInputFile(QProcess::nullDevice());
    keeper.setStandardOutputFile(QProcess::nullDevice());
    keeper.setStandardErrorFile(QProcess::nullDevice());
    if (!keeper.startDetached()) return false;
    for (QDeadlineTimer deadline(5000); !deadline.hasExpired(); QThread::msleep(20)) {
        QCoreApplication::processEvents();
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        if (data && data->text() == text) return true;
    }
    return false;
}

}  // namespace

int pickColour(ScreenProbe& probe, const ColourForm& form, bool copy) {
    std::optional<int> status;
    auto done = [&](const PickResult& result) {
        switch (result.kind) {
            case PickResult::Picked: {
                const QString text = form.write(result.colour);
                std::fputs(qPrintable(text + u'\n'), stdout);
                std::fflush(stdout);
                status = 0;
                if (Store store; store.option(QStringLiteral("keepPicks"), false)) {
                    const Channels& c = result.colour;
                    store.updateSlots(
                        [&](Slots& kept) { kept = keepPick(kept, rgb(c.red, c.green, c.blue)); });
                }
                if (!copy) break;
                if (!clipboardOutlivesPrograms())
                    say(
                        QStringLiteral("swatchly: this desktop keeps nothing on the clipboard for "
                                       "a program that has ended; the colour is only printed"));
                else if (!leaveOnClipboard(result.colour, text))
                    say(QStringLiteral("swatchly: the colour could not be kept on the clipboard"));
                break;
            }
            case PickResult::Cancelled:
                status = kCancelled;
                break;
            case PickResult::Unavailable:
                say(QStringLiteral("swatchly: cannot pick a colour: %1").arg(result.why));
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

int printSwatches(const ColourForm& form) {
    Store store;
    for (const auto& slot : store.swatches())
        if (slot) std::fputs(qPrintable(form.write(unpack(*slot)) + u'\n'), stdout);
    return 0;
}

int keepClipboard(Channels colour, const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    QObject::connect(clipboard, &QClipboard::changed, clipboard, [clipboard](QClipboard::Mode m) {
        if (m == QClipboard::Clipboard && !clipboard->ownsClipboard()) QCoreApplication::quit();
    });
    copyColour(colour, text);
    return QCoreApplication::exec();
}

}  // namespace swatchly::cli
