#pragma once
// WCAG 2.x contrast between two colours: the ratio and what it passes.

#include <QString>

#include "runtime/rgb.h"

namespace swatchly {

// Relative luminance 0 (black) ..1 (white).
double relativeLuminance(Channels c);
// (lighter + 0.05) / (darker + 0.05): 1 to 21, either order.
double contrastRatio(Channels a, Channels b);
// "4.47:1": two decimals, cut rather than rounded, so that a ratio just under a threshold never
// reads as the threshold.
QString ratioText(double ratio);

struct Criterion {
    const char* level;  // "AA" or "AAA"
    const char* use;    // "normal text", "large text", "non-text"
    double least;       // the ratio it needs
};
// The five a pair is judged by: AA and AAA for normal and for large text, AA for user-interface
// parts and graphics.
const Criterion (&contrastCriteria())[5];
inline bool passes(double ratio, const Criterion& c) { return ratio >= c.least; }

// The ratio on one line, then each criterion's verdict on a line of its own.
QString contrastReport(Channels a, Channels b);

}  // namespace swatchly
