// Swatch slots and colour drag-and-drop.

#include "app/form1.h"

namespace swatchly {

// TODO(swatches): built with the swatches.
void Form1::NewPrev_DragOver() {}
void Form1::SaveC1_DragDrop() {}
void Form1::SaveC2_DragDrop() {}
void Form1::SaveC3_DragDrop() {}
void Form1::SaveC4_DragDrop() {}
void Form1::SaveC5_DragDrop() {}
void Form1::SaveC6_DragDrop() {}
void Form1::SaveC7_DragDrop() {}
void Form1::SaveC1_DblClick() {}
void Form1::SaveC2_DblClick() {}
void Form1::SaveC3_DblClick() {}
void Form1::SaveC4_DblClick() {}
void Form1::SaveC5_DblClick() {}
void Form1::SaveC6_DblClick() {}
void Form1::SaveC7_DblClick() {}

}  // namespace swatchly
