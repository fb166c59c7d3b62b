// The gradient strip between two dropped colours.

#include "app/form1.h"
#include "tools/gradient.h"

namespace swatchly {

// TODO(gradient): built with the swatches.
void Form1::GradientL_DragDrop() {}
void Form1::GradientR_DragDrop() {}
void Form1::DrawGradient() {}

}  // namespace swatchly
