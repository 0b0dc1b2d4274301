// The validator of an integer field: the characters "0-9-" ('-' only when
// the minimum is negative, and then only in front) and a value in
// [minimum, maximum]. It converts between the text and the variable by
// value type:
//   0, 1, 2  32-bit signed
//   3        16-bit signed (shown with its sign)
//   4        16-bit unsigned (shown from 0 to 65535)
// Any other value type transfers nothing.
#pragma once

#include "toolkit/tfiltervalidator.h"

#include <cstdint>

class TIntValidator : public TFilterValidator {
public:
    TIntValidator(std::int32_t minimum, std::int32_t maximum, std::int16_t valueType);
    ~TIntValidator() override;

    // A text being typed: characters of the set, '-' only first.
    bool IsValidInput(const QString& text) override;
    // A finished text: characters of the set and its leading integer (0 for
    // none) within the range.
    bool IsValid(const QString& text) override;
    // tdGetData stores the leading integer (cut to 16 bits for types 3 and
    // 4) and returns 4 or 2; tdSetData writes the variable as decimal text.
    unsigned Transfer(QString& text, void* buffer, TTransferDirection direction) override;
    QString ErrorText() const override;

    std::int32_t GetMinimum() const { return m_minimum; }
    std::int32_t GetMaximum() const { return m_maximum; }
    // Whether `valueType` is one the validator transfers.
    static bool IsTransferType(std::int16_t valueType) { return valueType >= 0 && valueType <= 4; }

private:
    std::int32_t m_minimum;
    std::int32_t m_maximum;
    std::int16_t m_valueType;
};
