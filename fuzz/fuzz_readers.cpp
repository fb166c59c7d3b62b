// Any text through every reader of typed text: the numeric conversions, the decimal channel
// reader, the HTML and VB hex readers, the drop conversion of three texts (the input split at
// newlines), the colour reader of the command line and Paste, the forms, and the palette reader.
// Nothing may crash or raise more than its contract says, and each reading must agree with the
// conversions and writers it rests on.

#include <QStringList>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "colour/drop.h"
#include "colour/forms.h"
#include "colour/history.h"
#include "colour/swatches.h"
#include "colour/text_formats.h"
#include "runtime/runtime_error.h"

using namespace swatchly;

namespace {

void check(bool holds) {
    if (!holds) std::abort();
}

// Only numeric text converts, to its value rounded half to even; numbers out of range overflow.
void numbers(const QString& text) {
    const auto number = parseNumber(text);
    check(isNumeric(text) == number.has_value());
    try {
        const std::int16_t converted = toInt16(Variant(text));
        check(number && roundHalfEven(*number) == converted);
    } catch (const RuntimeError& e) {
        check(number ? e.number == 6 : e.number == 13);
        check(!number || std::fabs(roundHalfEven(*number)) > 32767 ||
              roundHalfEven(*number) == -32768);
    }
    check(std::isfinite(val(text)));
    try {
        (void)hex(Variant(text));
    } catch (const RuntimeError& e) {
        check(e.number == 6 || e.number == 13);
    }
    (void)trim(text);
}

// The box ends as typed, "0" or "255", with "0" whenever there is no value, and what it then
// holds reads again to the same value, unchanged.
void decimal(const QString& text) {
    const DecimalReading r = readDecimalChannel(text);
    check(!r.value || (*r.value >= 0 && *r.value <= 255));
    check(r.value || r.text == u'0');
    check(r.text == text || r.text == u'0' || r.text == QLatin1String("255"));
    const DecimalReading again = readDecimalChannel(r.text);
    check(!r.value || (again.value == r.value && again.text == r.text));
}

// A colour the reader accepts writes back as the six digits it read; the only error is the type
// mismatch of a bad pair.
template <typename Read, typename Write>
void hexRoundTrip(const QString& text, Read read, Write sixDigits, QStringView prefix) {
    try {
        const auto c = read(text);
        if (!c) return;
        for (int v : {c->red, c->green, c->blue}) check(v >= 0 && v <= 255);
        const QString digits = text.startsWith(prefix) ? text.mid(prefix.size(), 6) : text;
        check(sixDigits(*c) == digits.toUpper());
    } catch (const RuntimeError& e) {
        check(e.number == 13);
    }
}

// A colour a drop stores is a packed colour whose channels are each text's own conversion, above
// 255 counting as 255.
void drop(const QString& text) {
    const QStringList parts = text.split(u'\n');
    Variant channel[3];
    for (int i = 0; i < 3 && i < parts.size(); ++i) channel[i] = parts[i];
    const auto colour = dropColour(channel[0], channel[1], channel[2]);
    if (!colour) return;
    const Channels c = unpack(*colour);
    check(*colour >= 0 && *colour <= 0xFFFFFF);
    check(c == Channels{std::min<std::int16_t>(toInt16(channel[0]), 255),
                        std::min<std::int16_t>(toInt16(channel[1]), 255),
                        std::min<std::int16_t>(toInt16(channel[2]), 255)});
}

// A colour read back from each exact form is itself; what is refused says why. Any text made a
// form writes without a crash, or is refused with a reason.
void colourAndForm(const QString& text) {
    QString why;
    QString note;
    if (const auto c = readColour(text, &why, {text.size() % 2 == 0, &note})) {
        for (const QString& name : ColourForm::names())
            if (name != u"css-hsl" && name != u"name")
                check(readColour(ColourForm::make(name)->write(*c), nullptr,
                                 {name == u"decimal", nullptr}) == c);
    } else {
        check(note.isEmpty());
        check(!why.isEmpty());
    }
    why.clear();
    const auto form = ColourForm::make(text, &why);
    check(form ? !form->write({1, 2, 3}).isEmpty() : !why.isEmpty());
}

// A history read writes back to one that reads the same.
void history(const QByteArray& file) {
    if (const auto h = readHistoryJson(file)) check(readHistoryJson(historyJson(*h)) == h);
}

// A palette read holds channels 0..255 and writes back to a palette that reads the same.
void palette(const QByteArray& file) {
    const PaletteReading r = readPalette(file);
    check(r.error.isEmpty() != r.colours.empty());
    if (!r.colours.empty()) check(readPalette(gimpPalette(r.colours)).colours == r.colours);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    numbers(text);
    decimal(text);
    hexRoundTrip(
        text, readHtmlHex, [](Channels c) { return htmlHexText(c.red, c.green, c.blue).mid(1); },
        u"#");
    hexRoundTrip(
        text, readVbHex, [](Channels c) { return vbHexText(c.red, c.green, c.blue).mid(2, 6); },
        u"&H");
    drop(text);
    colourAndForm(text);
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    palette(bytes);
    history(bytes);
    return 0;
}
