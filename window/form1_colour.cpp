// The current colour lives in the three channel bars; their Change handlers repaint every
// view of it.

#include "colour/names.h"
#include "window/contrast_view.h"
#include "window/form1.h"

namespace swatchly {

void Form1::SetPrev(const Variant& RVal, const Variant& GVal, const Variant& BVal) {
    NewPrev->setBackColor(rgb(toInt16(RVal), toInt16(GVal), toInt16(BVal)));
    // The colour's name first, then what the preview is for.
    const QString tip = nameText(unpack(NewPrev->BackColor())) + u'\n' + m_previewHint;
    NewPrev->setToolTip(tip);
    NewPrev->setAccessibleDescription(tip);
    if (contrastView) contrastView->refresh(unpack(NewPrev->BackColor()), m_shownSlots);
}

void Form1::SetBars(const Variant& RVal, const Variant& GVal, const Variant& BVal) {
    // Each write runs that bar's Change handler before the next value is even converted.
    RScroll->setValue(toInt16(RVal));
    GScroll->setValue(toInt16(GVal));
    BScroll->setValue(toInt16(BVal));
}

void Form1::SetBarsFromLongColor(std::int32_t longcolor) {
    const Channels c = unpack(longcolor);
    SetBars(c.red, c.green, c.blue);
}

void Form1::channelChange(PictureBox* preview, ScrollBar* bar, TextBox* box,
                          std::int16_t Channels::*channel) {
    ToneActive = QStringLiteral("no");
    Channels alone;
    alone.*channel = bar->Value();
    preview->setBackColor(rgb(alone.red, alone.green, alone.blue));
    SetPrev(RScroll->Value(), GScroll->Value(), BScroll->Value());
    SetHex(RScroll->Value(), GScroll->Value(), BScroll->Value());
    SetVb(RScroll->Value(), GScroll->Value(), BScroll->Value());
    SetTone();
    box->setText(QString::number(bar->Value()));
    ToneActive = QStringLiteral("yes");
}

void Form1::RScroll_Change() { channelChange(RPrev, RScroll, Rtxt, &Channels::red); }
void Form1::GScroll_Change() { channelChange(GPrev, GScroll, Gtxt, &Channels::green); }
void Form1::BScroll_Change() { channelChange(BPrev, BScroll, Btxt, &Channels::blue); }
void Form1::RScroll_Scroll() { RScroll_Change(); }
void Form1::GScroll_Scroll() { GScroll_Change(); }
void Form1::BScroll_Scroll() { BScroll_Change(); }

}  // namespace swatchly
