#pragma once
// Pure arithmetic of the tone slider.

namespace swatchly {

// TODO(tone): median and clamp.

}  // namespace swatchly
