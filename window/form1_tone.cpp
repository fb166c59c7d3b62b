// The tone slider: darker or lighter by shifting all three channels alike.

#include "colour/tone.h"
#include "window/form1.h"

namespace swatchly {

// The slider may act only on the user's moves. The channel handlers set "no" while they put it
// on the median, so only an exact "yes" lets a move through.

void Form1::TScroll_Change() {
    if (ToneActive != QLatin1String("yes")) return;
    DarkerLighter(static_cast<std::int32_t>(TScroll->Value()) - ToneBase);
}

void Form1::TScroll_Scroll() { TScroll_Change(); }

void Form1::DarkerLighter(std::int32_t plusval) {
    if (ToneActive != QLatin1String("yes")) return;
    const int red = RScroll->Value(), green = GScroll->Value(), blue = BScroll->Value();
    const std::int32_t d = toneShift(plusval, red, green, blue);
    SetBars(red + d, green + d, blue + d);
    // When the clamp left nothing to change, no channel handler ran: this puts the slider back
    // from where the user left it onto the median.
    SetTone();
}

void Form1::SetTone() {
    ToneBase = toneMedian(RScroll->Value(), GScroll->Value(), BScroll->Value());
    TScroll->setValue(toInt16(ToneBase));
}

}  // namespace swatchly
