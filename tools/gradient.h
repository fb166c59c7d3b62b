#pragma once
// Pure arithmetic of the gradient strip.

namespace swatchly {

// TODO(gradient): per-column colour.

}  // namespace swatchly
