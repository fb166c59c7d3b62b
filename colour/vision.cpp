#include "colour/vision.h"

#include "colour/spaces.h"

namespace swatchly {

const char* deficiencyName(Deficiency d) {
    switch (d) {
        case Deficiency::Protanopia:
            return "protanopia";
        case Deficiency::Deuteranopia:
            return "deuteranopia";
        default:
            return "tritanopia";
    }
}

Channels seenWith(Channels c, Deficiency d) {
    // Machado, Oliveira and Fernandes (2009), "A Physiologically-based Model for Simulation of
    // Color Vision Deficiency", at severity 1.0, applied to linear-light RGB. One model for all
    // three, and each row sums to 1, so a grey stays the grey it was.
    static constexpr double kModel[3][3][3] = {{{0.152286, 1.052583, -0.204868},
                                                {0.114503, 0.786281, 0.099216},
                                                {-0.003882, -0.048116, 1.051998}},
                                               {{0.367322, 0.860646, -0.227968},
                                                {0.280085, 0.672501, 0.047413},
                                                {-0.011820, 0.042940, 0.968881}},
                                               {{1.255528, -0.076749, -0.178779},
                                                {-0.078411, 0.930809, 0.147602},
                                                {0.004733, 0.691367, 0.303900}}};
    const auto& m = kModel[int(d)];
    const Triple in = toLinear(c);
    Triple out;
    for (int i = 0; i < 3; ++i) out[i] = m[i][0] * in[0] + m[i][1] * in[1] + m[i][2] * in[2];
    return fromLinear(out).colour;
}

}  // namespace swatchly
