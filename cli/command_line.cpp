#include "cli/command_line.h"

#include <QCommandLineParser>

#include "runtime/runtime_error.h"

namespace swatchly::cli {

namespace {

Request refuse(const QString& why) {
    return {Request::Refuse, std::nullopt, ColourForm::Html, QStringLiteral("swatchly: ") + why};
}

// The window's own readers take the colour, so a text means here what it means typed into
// the window. Six bare digits are HTML there and here; VB hex needs its "&H".
std::optional<Channels> readColour(const QString& text, QString& why) {
    const QStringList parts = text.split(u',');
    if (parts.size() == 3) {
        std::int16_t channel[3];
        for (int i = 0; i < 3; ++i) {
            // The reader corrects a blank to "0" and a number outside 0..255 to the nearer end;
            // given on the command line, either is a mistake to report.
            const DecimalReading reading = readDecimalChannel(parts[i]);
            if (!reading.value || trim(parts[i]).isEmpty()) break;
            if (reading.text != parts[i]) {
                why = QStringLiteral("channel %1 is outside 0..255").arg(trim(parts[i]));
                return std::nullopt;
            }
            channel[i] = *reading.value;
            if (i == 2) return Channels{channel[0], channel[1], channel[2]};
        }
    } else {
        try {
            if (auto colour = text.startsWith(u"&H") ? readVbHex(text) : readHtmlHex(text))
                return colour;
        } catch (const RuntimeError&) {
            // a pair that is no hex number: no colour, as below
        }
    }
    why = QStringLiteral("\"%1\" is not a colour; give #RRGGBB, &HBBGGRR& or R,G,B").arg(text);
    return std::nullopt;
}

}  // namespace

Request parse(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Swatchly, a small desktop colour picker.\n\n"
        "With COLOUR, the window opens showing it: #RRGGBB or RRGGBB, &HBBGGRR& (blue\n"
        "first), or R,G,B with each from 0 to 255. With --pick, one colour is picked on\n"
        "the screen and printed, and no window opens.\n"
        "Exit status: 0 done, 1 pick cancelled, 2 bad input, 3 no way to pick a colour."));
    // Qt's own --help-all would list options that only the application object takes, and
    // this runs before there is one.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption pick(
        QStringLiteral("pick"), QStringLiteral("Pick one colour on the screen with a click "
                                               "(Escape or a right click cancels) and print it."));
    const QCommandLineOption format(QStringLiteral("format"),
                                    QStringLiteral("How --pick prints: html (#1E5A96, the "
                                                   "default), vb (&H965A1E&) or rgb (30,90,150)."),
                                    QStringLiteral("form"));
    parser.addOptions({pick, format});
    parser.addPositionalArgument(QStringLiteral("COLOUR"),
                                 QStringLiteral("The colour to open the window with."),
                                 QStringLiteral("[COLOUR]"));

    if (!parser.parse(arguments)) return refuse(parser.errorText());
    if (parser.isSet(help)) {
        // Without the application object Qt knows no program name for the usage line.
        QString text = parser.helpText();
        text.replace(QLatin1String("<executable_name>"), arguments.value(0));
        return {Request::Print, std::nullopt, ColourForm::Html, text};
    }
    if (parser.isSet(version))
        return {Request::Print, std::nullopt, ColourForm::Html,
                QStringLiteral("Swatchly " SWATCHLY_VERSION "\n")};

    const QStringList colours = parser.positionalArguments();
    if (colours.size() > 1)
        return refuse(QStringLiteral("give one colour, not %1").arg(colours.size()));
    if (parser.isSet(pick)) {
        if (!colours.isEmpty()) return refuse(QStringLiteral("--pick takes no colour"));
        Request request{Request::Pick, std::nullopt, ColourForm::Html, {}};
        const QString form = parser.value(format);
        if (form == QLatin1String("vb"))
            request.form = ColourForm::Vb;
        else if (form == QLatin1String("rgb"))
            request.form = ColourForm::Rgb;
        else if (parser.isSet(format) && form != QLatin1String("html"))
            return refuse(QStringLiteral("--format takes html, vb or rgb, not \"%1\"").arg(form));
        return request;
    }
    if (parser.isSet(format)) return refuse(QStringLiteral("--format goes with --pick"));
    Request request;
    if (!colours.isEmpty()) {
        QString why;
        request.colour = readColour(colours.first(), why);
        if (!request.colour) return refuse(why);
    }
    return request;
}

QString colourText(const Channels& c, ColourForm form) {
    switch (form) {
        case ColourForm::Vb:
            return vbHexText(c.red, c.green, c.blue);
        case ColourForm::Rgb:
            return QStringLiteral("%1,%2,%3").arg(c.red).arg(c.green).arg(c.blue);
        case ColourForm::Html:
            break;
    }
    return htmlHexText(c.red, c.green, c.blue);
}

}  // namespace swatchly::cli
