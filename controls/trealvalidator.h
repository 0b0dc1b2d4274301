// The validator of a real-number field: the characters "0-9.-" ('-' only
// when the minimum is negative, and then only in front), at most one '.',
// and a value in [minimum, maximum]. It converts between the text and a
// double (value type 0) or a float (value type 1); the text shows the value
// in fixed notation with `decimals` digits after the point.
//
// Numbers are read and written with '.' whatever the process locale.
#pragma once

#include "toolkit/tfiltervalidator.h"

#include <cstdint>

class TRealValidator : public TFilterValidator {
public:
    TRealValidator(double minimum, double maximum, std::int16_t decimals, std::int16_t valueType);
    ~TRealValidator() override;

    // A text being typed: characters of the set, one '.', '-' only first.
    bool IsValidInput(const QString& text) override;
    // A finished text: characters of the set and its leading number (0 for
    // none, so an empty text is 0) within the range.
    bool IsValid(const QString& text) override;
    // tdGetData stores the text's leading number, in range or not, and
    // returns 8 (double) or 4 (float); tdSetData writes the variable's text.
    // 0 for another value type.
    unsigned Transfer(QString& text, void* buffer, TTransferDirection direction) override;
    // Names the range, e.g. "... inserire un numero tra 1.00 e 9.00".
    QString ErrorText() const override;

    double GetMinimum() const { return m_minimum; }
    double GetMaximum() const { return m_maximum; }

private:
    double m_minimum;
    double m_maximum;
    std::int16_t m_decimals;
    std::int16_t m_valueType;
};
