// Screen colour grab.

#include "app/form1.h"

namespace swatchly {

// TODO(grab): built with the grab and tone slider.
void Form1::GetPixelbtn_Click() {}
void Form1::Timer1_Timer() {}
void Form1::Gradient_Click() {}
void Form1::GradientL_Click() {}
void Form1::GradientR_Click() {}

}  // namespace swatchly
