// Swatch slots and colour drag-and-drop.

#include <QDrag>

#include "colour/drop.h"
#include "colour/text_formats.h"
#include "platform/clipboard.h"
#include "window/form1.h"

namespace swatchly {

void Form1::setUpDragSource() {
    NewPrev->StartDrag = [this](QMouseEvent*) {
        auto* drag = new QDrag(NewPrev);  // Qt deletes it when the drag is over
        const Channels c{RScroll->Value(), GScroll->Value(), BScroll->Value()};
        std::unique_ptr<QMimeData> data = colourMimeData(c, htmlHexText(c.red, c.green, c.blue));
        markControlDrag(*data);
        drag->setMimeData(data.release());
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
