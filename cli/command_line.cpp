#include "cli/command_line.h"

#include <QCommandLineParser>

namespace swatchly::cli {

namespace {

Request refuse(const QString& why) {
    return {Request::Refuse, std::nullopt, {}, QStringLiteral("swatchly: ") + why, false};
}

}  // namespace

Request parse(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Swatchly, a small desktop colour picker.\n\n"
        "With COLOUR, the window opens showing it; with --format too, COLOUR is printed in\n"
        "that form and no window opens. COLOUR is #RRGGBB, RRGGBB or #RGB, &HBBGGRR& (blue\n"
        "first), R,G,B with each from 0 to 255, rgb(R, G, B), hsl(H, S%, L%) or a colour\n"
        "name such as orange. With --pick, one colour is picked on the screen and printed.\n"
        "With --swatches, the colours kept in the swatch slots are printed.\n"
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
    const QCommandLineOption format(
        QStringLiteral("format"),
        QStringLiteral("How to print the colour: html (#1E5A96, the default), vb (&H965A1E&), "
                       "rgb (30,90,150), css-rgb (rgb(30, 90, 150)), css-hsl (hsl(210, 67%, "
                       "35%)), or a template in which %{r} %{g} %{b} stand for the channels in "
                       "decimal, %{R} %{G} %{B} in hex, %{h} %{s} %{l} for hue, saturation and "
                       "lightness, and %% for a %."),
        QStringLiteral("form"));
    const QCommandLineOption copy(QStringLiteral("copy"),
                                  QStringLiteral("With --pick: put the colour on the clipboard "
                                                 "too, where it stays after Swatchly ends."));
    const QCommandLineOption swatches(
        QStringLiteral("swatches"),
        QStringLiteral("Print the kept swatches, one a line in slot order, in the form --format "
                       "names."));
    QCommandLineOption keep(QStringLiteral("keep-clipboard"),
                            QStringLiteral("Hold TEXT and COLOUR on the clipboard."),
                            QStringLiteral("text"));
    keep.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({pick, format, copy, swatches, keep});
    parser.addPositionalArgument(QStringLiteral("COLOUR"),
                                 QStringLiteral("The colour to open the window with, or to print."),
                                 QStringLiteral("[COLOUR]"));

    // A word after one dash is one option, named as typed: -platform is no row of six letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(arguments)) {
        if (parser.unknownOptionNames().isEmpty()) return refuse(parser.errorText());
        const QString name = parser.unknownOptionNames().first();
        for (const QString& typed : arguments.mid(1))
            if (typed.startsWith(u'-') && typed.section(u'=', 0, 0).endsWith(u'-' + name))
                return refuse(QStringLiteral("unknown option %1").arg(typed.section(u'=', 0, 0)));
        return refuse(QStringLiteral("unknown option %1").arg(name));
    }
    if (parser.isSet(help)) {
        // Without the application object Qt knows no program name for the usage line.
        QString text = parser.helpText();
        text.replace(QLatin1String("<executable_name>"), arguments.value(0));
        return {Request::Print, std::nullopt, {}, text, false};
    }
    if (parser.isSet(version))
        return {Request::Print,
                std::nullopt,
                {},
                QStringLiteral("Swatchly " SWATCHLY_VERSION "\n"),
                false};

    Request request;
    const QStringList colours = parser.positionalArguments();
    if (colours.size() > 1)
        return refuse(QStringLiteral("give one colour, not %1").arg(colours.size()));
    if (!colours.isEmpty()) {
        QString why;
        request.colour = readColour(colours.first(), &why);
        if (!request.colour) return refuse(why);
    }
    if (parser.isSet(format)) {
        QString why;
        const auto form = ColourForm::make(parser.value(format), &why);
        if (!form) return refuse(why);
        request.form = *form;
    }
    if (parser.isSet(keep)) {
        if (!request.colour) return refuse(QStringLiteral("--keep-clipboard takes a colour"));
        request.action = Request::KeepClipboard;
        request.text = parser.value(keep);
        return request;
    }
    if (parser.isSet(swatches)) {
        if (request.colour || parser.isSet(pick) || parser.isSet(copy))
            return refuse(QStringLiteral("--swatches takes no colour, --pick or --copy"));
        request.action = Request::PrintSwatches;
        return request;
    }
    if (parser.isSet(pick)) {
        if (request.colour) return refuse(QStringLiteral("--pick takes no colour"));
        request.action = Request::Pick;
        request.copy = parser.isSet(copy);
        return request;
    }
    if (parser.isSet(copy)) return refuse(QStringLiteral("--copy goes with --pick"));
    if (parser.isSet(format)) {
        if (!request.colour) return refuse(QStringLiteral("--format goes with --pick or a colour"));
        request.action = Request::Print;
        request.text = request.form.write(*request.colour) + u'\n';
    }
    return request;
}

}  // namespace swatchly::cli
