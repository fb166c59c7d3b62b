#include "colour/contrast.h"

#include <cmath>

#include "colour/spaces.h"

namespace swatchly {

double relativeLuminance(Channels c) {
    // WCAG's 0.03928 and sRGB's 0.04045 split no 8-bit value differently: one table serves.
    return 0.2126 * linearFromChannel(c.red) + 0.7152 * linearFromChannel(c.green) +
           0.0722 * linearFromChannel(c.blue);
}

double contrastRatio(Channels a, Channels b) {
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QString ratioText(double ratio) {
    // A hair added first: 4.5 computed as 4.4999999 must still read 4.50.
    const long hundredths = long(std::floor(ratio * 100 + 1e-9));
    return QStringLiteral("%1.%2:1")
        .arg(hundredths / 100)
        .arg(hundredths % 100, 2, 10, QChar(u'0'));
}

const Criterion (&contrastCriteria())[5] {
    static const Criterion criteria[5] = {{"AA", "normal text", 4.5},
                                          {"AAA", "normal text", 7},
                                          {"AA", "large text", 3},
                                          {"AAA", "large text", 4.5},
                                          {"AA", "non-text", 3}};
    return criteria;
}

QString contrastReport(Channels a, Channels b) {
    const double ratio = contrastRatio(a, b);
    QString out = ratioText(ratio) + u'\n';
    for (const Criterion& c : contrastCriteria())
        out += QStringLiteral("%1 %2: %3 (needs %4:1)\n")
                   .arg(QLatin1String(c.level), QLatin1String(c.use),
                        passes(ratio, c) ? QStringLiteral("pass") : QStringLiteral("fail"))
                   .arg(c.least);
    return out;
}

}  // namespace swatchly
