#pragma once
// The dynamically typed value the handlers pass around, and the value conversions they rely
// on: whole numbers round halves to even, text is read as a number where it holds one, and a
// conversion that cannot be made throws a RuntimeError (an overflow or a type mismatch).

#include <QMetaType>
#include <QString>
#include <cstdint>
#include <optional>
#include <variant>

namespace swatchly {

class Variant {
  public:
    enum class Kind { Empty, Integer, Long, Double, String };

    Variant() = default;
    Variant(std::int16_t v) : m_value(v) {}
    Variant(std::int32_t v) : m_value(v) {}
    Variant(double v) : m_value(v) {}
    Variant(const QString& v) : m_value(v) {}
    Variant(const char* v) : m_value(QString::fromUtf8(v)) {}

    Kind kind() const { return static_cast<Kind>(m_value.index()); }
    bool isEmpty() const { return kind() == Kind::Empty; }
    // The text form, as concatenation with a string would give it.
    QString toString() const;
    // The number it holds: empty gives 0, text is read as a number or throws a type mismatch.
    double toDouble() const;

    friend bool operator==(const Variant&, const Variant&) = default;

  private:
    std::variant<std::monostate, std::int16_t, std::int32_t, double, QString> m_value;
};

// Halves go to the even neighbour: 12.5 -> 12, 13.5 -> 14, -2.5 -> -2.
double roundHalfEven(double x);

// Conversion to a 16-bit integer: empty gives 0, numbers round half to even, numeric text
// (also "&H" hexadecimal) is read; outside -32768..32767 throws an overflow, other text a type mismatch.
std::int16_t toInt16(const Variant& v);
// The same into 32 bits.
std::int32_t toInt32(const Variant& v);

// A whole text read as a number, the way the numeric test accepts it: blanks around it, a
// sign, digits, an exponent, read first with the user's thousands separators and decimal point
// and, where that reads nothing, with a plain "." decimal point; or "&H" with one to eight
// hexadecimal digits (up to four digits read as a 16-bit value, more as a 32-bit one, as
// hexadecimal literals are).
std::optional<double> parseNumber(const QString& text);
bool isNumeric(const QString& text);

// The leading number of a text: blanks are skipped, "&H"/"&O" literals read, anything after
// the number ignored; a text without a number gives 0. Always "." as the decimal point.
double val(const QString& text);

// Upper-case hexadecimal digits without leading zeros. A negative 16-bit value gives its four
// digit two's complement, a negative 32-bit value its eight digit one.
QString hex(const Variant& v);

// Blanks (spaces) removed from both ends.
QString trim(const QString& text);

// The value of one hexadecimal digit, either case; -1 for any other character.
int hexDigit(QChar c);

}  // namespace swatchly

Q_DECLARE_METATYPE(swatchly::Variant)
