// The gradient strip between two dropped colours.

#include "colour/drop.h"
#include "colour/gradient.h"
#include "platform/store.h"
#include "window/form1.h"

namespace swatchly {

void Form1::dropOnGradientEnd(PictureBox* end, Variant& red, Variant& green, Variant& blue) {
    const auto colour = dropColour(DragR, DragG, DragB);
    if (!colour) return;  // a drop that cannot be read leaves both endpoints and the strip
    end->setBackColor(*colour);
    // The texts themselves, not the clamped box colour: a typed 300 blends as 300.
    red = DragR;
    green = DragG;
    blue = DragB;
    m_services.store->setGradientEnd(end == GradientR,
                                     {DragR.toString(), DragG.toString(), DragB.toString()});
    DrawGradient();
}

void Form1::GradientL_DragDrop() { dropOnGradientEnd(GradientL, GradLeftR, GradLeftG, GradLeftB); }
void Form1::GradientR_DragDrop() {
    dropOnGradientEnd(GradientR, GradRightR, GradRightG, GradRightB);
}

void Form1::DrawGradient() {
    // The strip reports its size in the unit its lines are drawn in, pixels, so one line falls
    // on each column. The strip keeps the drawing, so a repaint shows it again.
    const float H = Gradient->height();
    const float W = Gradient->width();
    const GradientEnd left = {GradLeftR.toDouble(), GradLeftG.toDouble(), GradLeftB.toDouble()};
    const GradientEnd right = {GradRightR.toDouble(), GradRightG.toDouble(), GradRightB.toDouble()};
    for (int i = 0; i < W; ++i)
        Gradient->line(QPoint(i, 0), QPoint(i, int(H)), gradientColumn(left, right, W, i));
}

}  // namespace swatchly
