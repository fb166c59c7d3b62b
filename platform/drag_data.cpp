#include "platform/drag_data.h"

#include <QColor>

#include "colour/text_formats.h"
#include "runtime/controls.h"
#include "runtime/rgb.h"

namespace swatchly {

std::unique_ptr<QMimeData> colourMimeData(std::int32_t packed) {
    const Channels c = unpack(packed);
    auto data = std::make_unique<QMimeData>();
    data->setColorData(QColor(c.red, c.green, c.blue));
    data->setText(htmlHexText(c.red, c.green, c.blue));
    markControlDrag(*data);
    return data;
}

}  // namespace swatchly
