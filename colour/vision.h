#pragma once
// A colour as people with a dichromacy see it, so that a designer sees which colours collapse
// into one.

#include "runtime/rgb.h"

namespace swatchly {

enum class Deficiency { Protanopia, Deuteranopia, Tritanopia };
inline constexpr Deficiency kDeficiencies[] = {Deficiency::Protanopia, Deficiency::Deuteranopia,
                                               Deficiency::Tritanopia};
const char* deficiencyName(Deficiency d);  // "protanopia", ...

Channels seenWith(Channels c, Deficiency d);

}  // namespace swatchly
