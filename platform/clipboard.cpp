#include "platform/clipboard.h"

#include <QClipboard>
#include <QColor>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QThread>

#include "colour/forms.h"
#include "platform/win32.h"

namespace swatchly {

std::unique_ptr<QMimeData> colourMimeData(Channels c, const QString& text) {
    auto data = std::make_unique<QMimeData>();
    data->setColorData(QColor(c.red, c.green, c.blue));
    data->setText(text);
    return data;
}

void QtClipboard::copy(Channels colour, const QString& text) {
    QGuiApplication::clipboard()->setMimeData(colourMimeData(colour, text).release());
}

std::optional<Channels> QtClipboard::paste(QString* why, ReadContext context) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data && data->hasColor()) {
        const QColor c = qvariant_cast<QColor>(data->colorData()).toRgb();
        if (c.isValid())
            return Channels{std::int16_t(c.red()), std::int16_t(c.green()), std::int16_t(c.blue())};
    }
    if (!data || !data->hasText()) {
        if (why) *why = QStringLiteral("The clipboard holds no colour and no text.");
        return std::nullopt;
    }
    return readColour(data->text(), why, context);
}

bool QtClipboard::outlivesPrograms() {
    return win32::available() || QGuiApplication::platformName() == QLatin1String("xcb");
}

bool QtClipboard::copyToOutlive(Channels colour, const QString& text) {
    // Windows keeps what is handed over for good, rendered in every format, when it is flushed.
    if (win32::available()) return copy(colour, text), win32::flushClipboard();
    if (!outlivesPrograms()) return false;
    // On X11 the clipboard is served by the program that owns it, so a process of our own stays
    // behind to serve it: this program with --keep-clipboard. Returns once that process serves
    // it, so that a script reading the clipboard next finds the colour.
    QProcess keeper;
    keeper.setProgram(QCoreApplication::applicationFilePath());
    keeper.setArguments({QStringLiteral("--keep-clipboard"), text, htmlHex(colour)});
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

}  // namespace swatchly
