#include "controls/trealvalidator.h"

#include "model/number_text.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

double leadingNumber(const QString& text) {
    return zolt::parseLeadingNumber(text.toStdString()).value;
}

QString fixedText(double value, int decimals) {
    // "%-*.*f" with width 1: no padding, exactly `decimals` digits.
    return QString::fromStdString(zolt::formatFixed(value, decimals, 1, true));
}

} // namespace

TRealValidator::TRealValidator(double minimum, double maximum, std::int16_t decimals,
                               std::int16_t valueType)
    : TFilterValidator(QStringLiteral("0-9.-")), m_minimum(minimum), m_maximum(maximum),
      m_decimals(decimals), m_valueType(valueType) {
    if (m_minimum >= 0.0)
        RemoveValidChar('-');
}

TRealValidator::~TRealValidator() = default;

bool TRealValidator::IsValidInput(const QString& text) {
    bool havePoint = false;
    for (qsizetype position = 0; position < text.size(); ++position) {
        const QChar ch = text.at(position);
        if (!HasValidChar(ch))
            return false;
        if (ch == u'.') {
            if (havePoint)
                return false;
            havePoint = true;
        }
        if (ch == u'-' && position != 0)
            return false;
    }
    return true;
}

bool TRealValidator::IsValid(const QString& text) {
    if (!HasOnlyValidChars(text))
        return false;
    const double value = leadingNumber(text);
    return value >= m_minimum && !(value > m_maximum);
}

unsigned TRealValidator::Transfer(QString& text, void* buffer, TTransferDirection direction) {
    if (buffer == nullptr || (m_valueType != 0 && m_valueType != 1))
        return 0;
    if (direction == tdGetData) {
        const double value = leadingNumber(text);
        if (m_valueType == 0) {
            std::memcpy(buffer, &value, sizeof value);
            return sizeof value;
        }
        // A value beyond the float's range becomes an infinity of its sign.
        const float single =
            std::fabs(value) <= std::numeric_limits<float>::max()
                ? static_cast<float>(value)
                : std::copysign(std::numeric_limits<float>::infinity(), static_cast<float>(value));
        std::memcpy(buffer, &single, sizeof single);
        return sizeof single;
    }
    if (m_valueType == 0) {
        double value = 0.0;
        std::memcpy(&value, buffer, sizeof value);
        text = fixedText(value, m_decimals);
        return sizeof value;
    }
    float single = 0.0F;
    std::memcpy(&single, buffer, sizeof single);
    text = fixedText(single, m_decimals);
    return sizeof single;
}

QString TRealValidator::ErrorText() const {
    return QStringLiteral("Valore non valido: inserire un numero tra %1 e %2")
        .arg(fixedText(m_minimum, m_decimals), fixedText(m_maximum, m_decimals));
}
