// Swatch slots and colour drag-and-drop.

#include "colour/swatches.h"

#include <QColor>
#include <QDrag>

#include "app/form1.h"
#include "app/runtime/runtime_error.h"
#include "colour/text_formats.h"

namespace swatchly {

std::unique_ptr<QMimeData> colourMimeData(std::int32_t packed) {
    const auto red = std::int16_t(packed & 0xFF);
    const auto green = std::int16_t((packed >> 8) & 0xFF);
    const auto blue = std::int16_t((packed >> 16) & 0xFF);
    auto data = std::make_unique<QMimeData>();
    data->setColorData(QColor(red, green, blue));
    data->setText(htmlHexText(red, green, blue));
    markControlDrag(*data);
    return data;
}

void Form1::setUpDragSource() {
    NewPrev->StartDrag = [this](QMouseEvent*) {
        auto* drag = new QDrag(NewPrev);  // Qt deletes it when the drag is over
        drag->setMimeData(
            colourMimeData(rgb(RScroll->Value(), GScroll->Value(), BScroll->Value())).release());
        // No pixmap: the platform shows its own drag cursor.
        drag->exec(Qt::CopyAction);
    };
}

void Form1::NewPrev_DragOver() {
    // Exactly as the boxes hold them, typed and unapplied text included; drops convert.
    DragR = Rtxt->Text();
    DragG = Gtxt->Text();
    DragB = Btxt->Text();
}

void Form1::dropOnSwatch(PictureBox* slot) {
    if (const auto colour = dropColour(DragR, DragG, DragB)) slot->setBackColor(*colour);
}

void Form1::recallSwatch(PictureBox* slot) { SetBarsFromLongColor(slot->BackColor()); }

void Form1::SaveC1_DragDrop() { dropOnSwatch(SaveC1); }
void Form1::SaveC2_DragDrop() { dropOnSwatch(SaveC2); }
void Form1::SaveC3_DragDrop() { dropOnSwatch(SaveC3); }
void Form1::SaveC4_DragDrop() { dropOnSwatch(SaveC4); }
void Form1::SaveC5_DragDrop() { dropOnSwatch(SaveC5); }
void Form1::SaveC6_DragDrop() { dropOnSwatch(SaveC6); }
void Form1::SaveC7_DragDrop() { dropOnSwatch(SaveC7); }
void Form1::SaveC1_DblClick() { recallSwatch(SaveC1); }
void Form1::SaveC2_DblClick() { recallSwatch(SaveC2); }
void Form1::SaveC3_DblClick() { recallSwatch(SaveC3); }
void Form1::SaveC4_DblClick() { recallSwatch(SaveC4); }
void Form1::SaveC5_DblClick() { recallSwatch(SaveC5); }
void Form1::SaveC6_DblClick() { recallSwatch(SaveC6); }
void Form1::SaveC7_DblClick() { recallSwatch(SaveC7); }

}  // namespace swatchly
