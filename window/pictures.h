#pragma once
// The pictures the window carries, drawn in code.

#include <QIcon>
#include <QImage>

namespace swatchly {

// A dark square holding a 3 x 3 grid of colour patches, drawn at any size.
QIcon appIcon();
// The icon painted into a square image of the given side, for exporting it as files.
QImage renderAppIcon(int side);
// Picture1's 354 x 272 black-and-white window-shape mask: white rounded-off corners and three
// white 7 x 8 squares near the top-left corner, black elsewhere.
QImage shapeMask();

}  // namespace swatchly
