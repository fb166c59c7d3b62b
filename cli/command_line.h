#pragma once
// The command line read into a plain request, before any window or display exists, so that
// --help, --version and bad input work anywhere and need no desktop.

#include <QString>
#include <QStringList>
#include <optional>

#include "colour/text_formats.h"

namespace swatchly::cli {

enum class ColourForm { Html, Vb, Rgb };

struct Request {
    enum Action {
        Open,    // the window, starting with `colour` when given
        Pick,    // one colour picked from the screen, printed in `form`
        Print,   // `text` on standard output, exit 0 (--help, --version)
        Refuse,  // `text` on standard error, exit kBadInput
    } action = Open;
    std::optional<Channels> colour;
    ColourForm form = ColourForm::Html;
    QString text;
    friend bool operator==(const Request&, const Request&) = default;
};

// Exit statuses beyond 0: the pick cancelled, bad input, no way to read a colour.
constexpr int kCancelled = 1, kBadInput = 2, kCannotPick = 3;

// `arguments` as main() gets them, the program's name first.
Request parse(const QStringList& arguments);

// A colour as --pick prints it: "#1E5A96", "&H965A1E&" or "30,90,150".
QString colourText(const Channels& colour, ColourForm form);

}  // namespace swatchly::cli
