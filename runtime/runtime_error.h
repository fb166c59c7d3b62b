#pragma once
// Run-time errors as the handlers see them: a number and a description, thrown as an
// exception and caught where a handler traps errors.

#include <QString>
#include <stdexcept>

namespace swatchly {

struct RuntimeError : std::runtime_error {
    int number;
    QString description;

    RuntimeError(int n, const QString& text)
        : std::runtime_error(text.toStdString()), number(n), description(text) {}

    static RuntimeError invalidCall() {
        return {5, QStringLiteral("Invalid procedure call or argument")};
    }
    static RuntimeError overflow() { return {6, QStringLiteral("Overflow")}; }
    static RuntimeError typeMismatch() { return {13, QStringLiteral("Type mismatch")}; }
    static RuntimeError invalidPropertyValue() {
        return {380, QStringLiteral("Invalid property value")};
    }
};

}  // namespace swatchly
