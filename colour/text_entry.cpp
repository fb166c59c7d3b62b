// Writing the hex texts and applying typed text with the Set commands.

#include "app/form1.h"
#include "colour/text_formats.h"

namespace swatchly {

// Note the pairing: SetHex fills VbVal, SetVb fills HexVal.
void Form1::SetHex(const Variant& RVal, const Variant& GVal, const Variant& BVal) {
    VbVal->setText(vbHexText(RVal, GVal, BVal));
}

void Form1::SetVb(const Variant& RVal, const Variant& GVal, const Variant& BVal) {
    HexVal->setText(htmlHexText(RVal, GVal, BVal));
}

// TODO(colour text): the readers and the Set commands.
void Form1::RGBSet_Click() {}
void Form1::HexSet_Click() {}
void Form1::VbSet_Click() {}
void Form1::HexVal_Change() { Text1->setText(HexVal->Text()); }
void Form1::Rtxt_GotFocus() { selectAll(Rtxt); }
void Form1::Gtxt_GotFocus() { selectAll(Gtxt); }
void Form1::Btxt_GotFocus() { selectAll(Btxt); }
void Form1::HexVal_GotFocus() { selectAll(HexVal); }
void Form1::VbVal_GotFocus() { selectAll(VbVal); }

}  // namespace swatchly
