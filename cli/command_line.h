#pragma once
// The command line read into a plain request, before any window or display exists, so that
// --help, --version, a conversion and bad input work anywhere and need no desktop.

#include <QString>
#include <QStringList>
#include <optional>

#include "colour/forms.h"

namespace swatchly::cli {

struct Request {
    enum Action {
        Open,           // the window, starting with `colour` when given
        Pick,           // one colour picked from the screen, printed in `form`, kept on the
                        // clipboard too with `copy`
        Print,          // `text` on standard output, exit 0 (--help, --version, a conversion,
                        // --contrast)
        Refuse,         // `text` on standard error, exit kBadInput
        KeepClipboard,  // `colour` and `text` held on the clipboard until another program
                        // takes it (the process --pick --copy leaves behind)
        PrintSwatches,  // the kept slots on standard output in `form`, exit 0
        PrintHistory,   // the picks kept, newest first, in `form`, exit 0
    } action = Open;
    std::optional<Channels> colour;
    ColourForm form;
    QString text;
    bool copy = false;
    QString note;  // said on standard error beside a colour read: an alpha ignored, say
    int average = 0;  // with --pick: the square averaged, 0 for the one kept
    friend bool operator==(const Request&, const Request&) = default;
};

// Exit statuses beyond 0: the pick cancelled, bad input, no way to read a colour.
constexpr int kCancelled = 1, kBadInput = 2, kCannotPick = 3;

// `arguments` as main() gets them, the program's name first.
Request parse(const QStringList& arguments);

}  // namespace swatchly::cli
