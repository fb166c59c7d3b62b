#include "platform/clipboard.h"

#include <QClipboard>
#include <QColor>
#include <QGuiApplication>

#include "colour/forms.h"

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

std::optional<Channels> QtClipboard::paste(QString* why) {
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
    return readColour(data->text(), why);
}

bool QtClipboard::outlivesPrograms() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

}  // namespace swatchly
