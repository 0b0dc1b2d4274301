// The typing rules and range of the program's number fields (digits and
// one '.', '-' only for a negative minimum, the range inclusive, "."
// whatever the locale: TRealValidator) for Qt's own editors, a table cell
// or a line edit.
//
// Typing lets through every text those rules admit; the range is checked
// when the value is taken (Value), so that a refused value can be named
// with its range rather than silently kept from being typed.
#pragma once

#include "controls/trealvalidator.h"

#include <QValidator>

#include <optional>

namespace zolt {

class NumberInput : public QValidator {
    Q_OBJECT

public:
    NumberInput(double minimum, double maximum, int decimals, QObject* parent = nullptr);
    ~NumberInput() override;

    // Invalid for a character the rules do not admit or a text longer than
    // MaxLength; Acceptable otherwise.
    State validate(QString& text, int& position) const override;

    // The value of a finished text; none for an empty text, one that is
    // not a number, or a number outside the range.
    std::optional<double> Value(const QString& text) const;
    // `value` as the field shows it: fixed, with the field's decimals.
    QString Text(double value) const;
    // "Valore non valido: inserire un numero tra 0.0 e 50.0".
    QString ErrorText() const;

    static constexpr int MaxLength = 12;

private:
    // Its checks are not const, though they change nothing.
    mutable TRealValidator m_rules;
    int m_decimals;
};

} // namespace zolt
