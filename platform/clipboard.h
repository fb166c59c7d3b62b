#pragma once
// A colour leaving the window or coming in, by a drag of the preview or by the clipboard: the
// colour (application/x-color) for programs that take colours, and text for those that take
// text.

#include <QMimeData>
#include <QString>
#include <memory>
#include <optional>

#include "runtime/rgb.h"

namespace swatchly {

std::unique_ptr<QMimeData> colourMimeData(Channels colour, const QString& text);

// Puts the colour on the desktop's clipboard, with its text in a form.
void copyColour(Channels colour, const QString& text);
// The colour the clipboard offers: its colour, else its text as readColour reads it; nothing,
// and in `why` what is wrong, where it offers neither.
std::optional<Channels> pastedColour(QString* why);

// Whether what a program put on the clipboard can stay there after it ends: on X11 the program
// that owns the clipboard serves it, so a process left behind can; on Wayland only a window with
// the focus may set the clipboard at all.
bool clipboardOutlivesPrograms();

}  // namespace swatchly
