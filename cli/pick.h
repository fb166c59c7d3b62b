#pragma once
// --pick: one colour from the screen, printed.

#include "cli/command_line.h"
#include "platform/services.h"

namespace swatchly::cli {

// Picks one colour (where the screen cannot be read, with the desktop's picker, as Grab Color
// does), prints it in `form` on standard output and returns the exit status. Needs the
// application object; runs its event loop.
int pickColour(ScreenProbe& probe, ColourForm form);

}  // namespace swatchly::cli
