#include "cli/pick.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

#include "picker/pointer_pick.h"
#include "platform/history_file.h"
#include "platform/store.h"

namespace swatchly::cli {

namespace {

void say(const QString& line) { std::fputs(qPrintable(line + u'\n'), stderr); }

}  // namespace

int pickColour(const Services& services, const ColourForm& form, bool copy, int average) {
    std::optional<int> status;
    auto end = [&](int code) {
        status = code;
        QCoreApplication::quit();  // nothing before the loop runs
    };
    PickSession session(*services.probe);
    QObject::connect(&session, &PickSession::announce,
                     [&](const QString& text) { services.announcer->announce(text); });
    session.setAverage(average ? average : services.store->averageSize());
    QObject::connect(&session, &PickSession::averageChanged,
                     [&](int size) { services.store->setAverageSize(size); });
    QObject::connect(&session, &PickSession::picked, [&](Channels colour) {
        const QString text = form.write(colour);
        HistoryFile(HistoryFile::beside(services.store->path())).remember(colour);
        std::fputs(qPrintable(text + u'\n'), stdout);
        std::fflush(stdout);
        if (services.store->option(Store::Option::KeepPicks))
            services.store->updateSlots([&](Slots& kept) {
                kept = keepPick(kept, rgb(colour.red, colour.green, colour.blue));
            });
        if (copy && !services.clipboard->outlivesPrograms())
            say(
                QStringLiteral("swatchly: this desktop keeps nothing on the clipboard for a "
                               "program that has ended; the colour is only printed"));
        else if (copy && !services.clipboard->copyToOutlive(colour, text))
            say(QStringLiteral("swatchly: the colour could not be kept on the clipboard"));
        end(0);
    });
    QObject::connect(&session, &PickSession::cancelled, [&] { end(kCancelled); });
    QObject::connect(&session, &PickSession::unavailable, [&](const QString& why) {
        say(QStringLiteral("swatchly: cannot pick a colour: %1").arg(why));
        end(kCannotPick);
    });
    std::unique_ptr<PointerPick> pointer;
    if (services.probe->readsScreen())
        pointer = std::make_unique<PointerPick>(session);
    else
        session.pickWithDesktop(nullptr);
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

int printHistory(const ColourForm& form) {
    for (const Pick& pick : HistoryFile(HistoryFile::beside(Store::defaultPath())).picks())
        std::fputs(qPrintable(form.write(pick.colour) + u'\n'), stdout);
    return 0;
}

int keepClipboard(Clipboard& clipboard, Channels colour, const QString& text) {
    QClipboard* desktop = QGuiApplication::clipboard();
    QObject::connect(desktop, &QClipboard::changed, desktop, [desktop](QClipboard::Mode m) {
        if (m == QClipboard::Clipboard && !desktop->ownsClipboard()) QCoreApplication::quit();
    });
    clipboard.copy(colour, text);
    return QCoreApplication::exec();
}

}  // namespace swatchly::cli
