// Writing the hex texts and applying typed text with the Set commands.

#include <utility>

#include "colour/text_formats.h"
#include "runtime/runtime_error.h"
#include "window/form1.h"

namespace swatchly {

namespace {
const QString kHtmlBlack = QStringLiteral("#000000");
const QString kVbBlack = QStringLiteral("&H000000&");
}  // namespace

// Note the pairing: SetHex fills VbVal, SetVb fills HexVal.
void Form1::SetHex(const Variant& RVal, const Variant& GVal, const Variant& BVal) {
    VbVal->setText(vbHexText(RVal, GVal, BVal));
}

void Form1::SetVb(const Variant& RVal, const Variant& GVal, const Variant& BVal) {
    HexVal->setText(htmlHexText(RVal, GVal, BVal));
    // Every assignment leaves Text1 mirroring HexVal, also one that found the text already
    // there (typed beforehand) and so raised no Change while Text1 held something typed since.
    if (Text1->Text() != HexVal->Text()) HexVal_Change();
}

const QString Form1::kNotHexColour = QStringLiteral(
    "The text in the VB box is not a hexadecimal color. Type six hexadecimal digits (0-9, A-F), "
    "blue first, as in &H0080FF&.");

void Form1::RGBSet_Click() {
    // Each bar's Change rewrites only its own box, so the boxes still to come keep what was
    // typed in them.
    const std::pair<TextBox*, ScrollBar*> rows[] = {
        {Rtxt, RScroll}, {Gtxt, GScroll}, {Btxt, BScroll}};
    for (const auto& [box, bar] : rows) {
        const DecimalReading reading = readDecimalChannel(box->Text());
        box->setText(reading.text);
        if (reading.value) bar->setValue(*reading.value);
    }
}

void Form1::HexSet_Click() { applyHexText(HexVal, readHtmlHex, kHtmlBlack, false); }

void Form1::VbSet_Click() { applyHexText(VbVal, readVbHex, kVbBlack, true); }

void Form1::applyHexText(TextBox* box, HexReader read, const QString& black, bool tellBadPair) {
    std::optional<RuntimeError> failure;
    try {
        if (const auto colour = read(box->Text())) {
            SetBars(colour->red, colour->green, colour->blue);
            return;
        }
    } catch (const RuntimeError& e) {
        failure = e;
    }
    // Text of the wrong shape, or with a pair that is no hex number: black. Only the VB row
    // says why, before it turns black.
    box->setText(black);
    if (failure && tellBadPair) {
        // A digit that does not convert is the one failure expected here; anything else says
        // what it is.
        const QString text = failure->number == 13 ? kNotHexColour : failure->description;
        m_services.messageBox->show(this, text, MessageBox::OkOnly, QStringLiteral("Swatchly"));
    }
    SetBars(std::int16_t(0), std::int16_t(0), std::int16_t(0));
}

void Form1::applyRow(TextBox* box) {
    if (box == HexVal) return HexSet_Click();
    if (box == VbVal) return VbSet_Click();
    if (box == Text1) {
        // The HTML box has no Set of its own: its text goes through the HEX row's.
        HexVal->setText(Text1->Text());
        return HexSet_Click();
    }
    RGBSet_Click();
}

void Form1::HexVal_Change() { Text1->setText(HexVal->Text()); }
void Form1::Rtxt_GotFocus() { selectAll(Rtxt); }
void Form1::Gtxt_GotFocus() { selectAll(Gtxt); }
void Form1::Btxt_GotFocus() { selectAll(Btxt); }
void Form1::HexVal_GotFocus() { selectAll(HexVal); }
void Form1::VbVal_GotFocus() { selectAll(VbVal); }

}  // namespace swatchly
