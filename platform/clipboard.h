#pragma once
// A colour leaving the window or coming in, by a drag of the preview or by the clipboard: the
// colour (application/x-color) for programs that take colours, and text for those that take
// text.

#include <QMimeData>
#include <QString>
#include <memory>
#include <optional>

#include "platform/services.h"

namespace swatchly {

std::unique_ptr<QMimeData> colourMimeData(Channels colour, const QString& text);

// The desktop's clipboard, through Qt.
class QtClipboard : public Clipboard {
  public:
    void copy(Channels colour, const QString& text) override;
    std::optional<Channels> paste(QString* why, ReadContext context) override;
    // On X11 the program that owns the clipboard serves it, so a process left behind can; on
    // Wayland only a window with the focus may set the clipboard at all.
    bool outlivesPrograms() override;
    bool copyToOutlive(Channels colour, const QString& text) override;
};

}  // namespace swatchly
