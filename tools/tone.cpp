// The tone slider: darker or lighter by shifting all three channels alike.

#include "app/form1.h"
#include "tools/tone.h"

namespace swatchly {

// TODO(tone): built with the grab and tone slider.
void Form1::TScroll_Change() {}
void Form1::TScroll_Scroll() { TScroll_Change(); }
void Form1::DarkerLighter(std::int32_t) {}
void Form1::SetTone() {}

}  // namespace swatchly
