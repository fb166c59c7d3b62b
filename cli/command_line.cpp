#include "cli/command_line.h"

#include <QCommandLineParser>

#include "colour/average.h"
#include "colour/contrast.h"

namespace swatchly::cli {

namespace {

Request refuse(const QString& why) {
    return {Request::Refuse, std::nullopt, {}, QStringLiteral("swatchly: ") + why, false, {}};
}

QString templateFields() {
    QString out = QStringLiteral("\nTemplate fields:\n");
    for (const auto& [field, what] : ColourForm::fields())
        out += QStringLiteral("  %1%2\n").arg(field, -11).arg(what);
    return out;
}

}  // namespace

Request parse(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral(
            "Swatchly, a small desktop colour picker.\n\n"
            "With COLOUR, the window opens showing it; with --format too, COLOUR is printed in\n"
            "that form and no window opens. COLOUR is any form --format names: #RRGGBB, RRGGBB\n"
            "or #RGB, &HBBGGRR& (blue first), 0xRRGGBB, R,G,B with each from 0 to 255, a CSS\n"
            "colour such as rgb(255 128 0), hsl(30deg 100% 50%) or oklch(0.73 0.19 53 / 50%)\n"
            "(an alpha is ignored), hsv(), cmyk(), QColor(), vec3(), a number such as 16744448\n"
            "or a colour name such as orange. With --pick, one colour is picked on the screen\n"
            "and printed. With --swatches, the colours kept in the swatch slots are printed.\n"
            "With --contrast and two colours, their WCAG 2 contrast ratio and what it passes.\n"
            "Exit status: 0 done, 1 pick cancelled, 2 bad input, 3 no way to pick a colour.\n") +
        templateFields());
    // Qt's own --help-all would list options that only the application object takes, and
    // this runs before there is one.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption pick(
        QStringLiteral("pick"),
        QStringLiteral("Pick one colour on the screen with a click and print it. Keys: the "
                       "arrows move the pointer a device pixel (ten with Shift), Enter or Space "
                       "picks, 1, 3, 5, 7 or 9 (or Ctrl with the wheel) average that many pixels "
                       "a side, Escape or a right click cancels."));
    const QCommandLineOption format(
        QStringLiteral("format"),
        QStringLiteral("How to print the colour: html (#FF8000, the default), hex (#ff8000), "
                       "css-rgb, css-hsl, css-hwb, css-lab, css-lch, css-oklab, css-oklch, name "
                       "(orange, or \u2248 darkorange when only near), rgb (255,128,0), hsv, "
                       "cmyk, xyz, vb (&H0080FF&), hex-int (0xFF8000), decimal (16744448), qt, "
                       "vec3, or a template of the fields below, such as %{r};%{g};%{b}, with "
                       "%% for a %."),
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
    const QCommandLineOption contrast(
        QStringLiteral("contrast"),
        QStringLiteral("With two colours: print their contrast ratio (4.47:1, cut to two "
                       "decimals) and whether it passes WCAG 2 AA and AAA for normal and large "
                       "text and AA for non-text parts."));
    const QCommandLineOption average(
        QStringLiteral("average"),
        QStringLiteral("With --pick: the colour is the mean, in linear light, of the N x N "
                       "device pixels around the pointer: 1 (the pixel alone), 3, 5, 7 or 9. "
                       "The keys 1 to 9 and Ctrl with the wheel change it while picking; the "
                       "last choice is kept."),
        QStringLiteral("N"));
    const QCommandLineOption history(
        QStringLiteral("history"),
        QStringLiteral("Print the colours picked (the newest 200), newest first, one a line, in "
                       "the form --format names."));
    parser.addOptions({pick, format, copy, swatches, history, contrast, average, keep});
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
        return {Request::Print, std::nullopt, {}, text, false, {}};
    }
    if (parser.isSet(version))
        return {Request::Print,
                std::nullopt,
                {},
                QStringLiteral("Swatchly " SWATCHLY_VERSION "\n"),
                false,
                {}};

    Request request;
    const QStringList colours = parser.positionalArguments();
    std::optional<Channels> read[2];
    for (qsizetype i = 0; i < std::min<qsizetype>(colours.size(), 2); ++i) {
        QString why, note;
        read[i] = readColour(colours[i], &why, {false, &note});
        if (!read[i]) return refuse(why);
        if (!note.isEmpty()) request.note += QStringLiteral("swatchly: note: ") + note + u'\n';
    }
    if (parser.isSet(contrast)) {
        if (colours.size() != 2)
            return refuse(
                QStringLiteral("--contrast takes two colours, not %1").arg(colours.size()));
        if (parser.isSet(pick) || parser.isSet(swatches) || parser.isSet(copy) ||
            parser.isSet(format))
            return refuse(QStringLiteral("--contrast takes two colours and nothing else"));
        request.action = Request::Print;
        request.text = contrastReport(*read[0], *read[1]);
        return request;
    }
    if (colours.size() > 1)
        return refuse(QStringLiteral("give one colour, not %1").arg(colours.size()));
    request.colour = read[0];
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
    if (parser.isSet(history)) {
        if (request.colour || parser.isSet(pick) || parser.isSet(copy) || parser.isSet(swatches))
            return refuse(
                QStringLiteral("--history takes no colour, --pick, --copy or --swatches"));
        request.action = Request::PrintHistory;
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
        if (parser.isSet(average)) {
            request.average = parser.value(average).toInt();
            if (!isAverageSize(request.average))
                return refuse(QStringLiteral("--average takes 1, 3, 5, 7 or 9, not %1")
                                  .arg(parser.value(average)));
        }
        return request;
    }
    if (parser.isSet(average)) return refuse(QStringLiteral("--average goes with --pick"));
    if (parser.isSet(copy)) return refuse(QStringLiteral("--copy goes with --pick"));
    if (parser.isSet(format)) {
        if (!request.colour) return refuse(QStringLiteral("--format goes with --pick or a colour"));
        request.action = Request::Print;
        request.text = request.form.write(*request.colour) + u'\n';
    }
    return request;
}

}  // namespace swatchly::cli
