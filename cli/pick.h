#pragma once
// --pick: one colour from the screen, printed, and with --copy kept on the clipboard.

#include "cli/command_line.h"
#include "platform/services.h"

namespace swatchly::cli {

// Picks one colour (where the screen cannot be read, with the desktop's picker, as Grab Color
// does), prints it in `form` on standard output, with `copy` leaves it on the clipboard, and
// returns the exit status. Needs the application object; runs its event loop.
// The square averaged is `average` where it is not 0, else the one kept; a change while
// picking is kept.
int pickColour(const Services& services, const ColourForm& form, bool copy, int average = 0);

// Prints the kept slots in `form`, one a line, empty slots left out.
int printSwatches(const ColourForm& form);

// Prints the picks kept, newest first, in `form`, one a line.
int printHistory(const ColourForm& form);

// The process --pick --copy leaves behind: holds `colour` and `text` on the clipboard until
// another program takes the clipboard, then ends.
int keepClipboard(Clipboard& clipboard, Channels colour, const QString& text);

}  // namespace swatchly::cli
