#include "controls/tintvalidator.h"

#include "model/number_text.h"

#include <cstring>

namespace {

long leadingInteger(const QString& text) {
    return zolt::parseLeadingInteger(text.toStdString());
}

} // namespace

TIntValidator::TIntValidator(std::int32_t minimum, std::int32_t maximum, std::int16_t valueType)
    : TFilterValidator(QStringLiteral("0-9-")), m_minimum(minimum), m_maximum(maximum),
      m_valueType(valueType) {
    if (m_minimum >= 0)
        RemoveValidChar('-');
}

TIntValidator::~TIntValidator() = default;

bool TIntValidator::IsValidInput(const QString& text) {
    for (qsizetype position = 0; position < text.size(); ++position) {
        const QChar ch = text.at(position);
        if (!HasValidChar(ch) || (ch == u'-' && position != 0))
            return false;
    }
    return true;
}

bool TIntValidator::IsValid(const QString& text) {
    if (!HasOnlyValidChars(text))
        return false;
    const long value = leadingInteger(text);
    return m_minimum <= value && value <= m_maximum;
}

unsigned TIntValidator::Transfer(QString& text, void* buffer, TTransferDirection direction) {
    if (buffer == nullptr || !IsTransferType(m_valueType))
        return 0;
    if (direction == tdGetData) {
        const long value = leadingInteger(text);
        if (m_valueType == 3) {
            const auto narrow = static_cast<std::int16_t>(value);
            std::memcpy(buffer, &narrow, sizeof narrow);
            return sizeof narrow;
        }
        if (m_valueType == 4) {
            const auto narrow = static_cast<std::uint16_t>(value);
            std::memcpy(buffer, &narrow, sizeof narrow);
            return sizeof narrow;
        }
        const auto wide = static_cast<std::int32_t>(value);
        std::memcpy(buffer, &wide, sizeof wide);
        return sizeof wide;
    }
    if (m_valueType == 3) {
        std::int16_t narrow = 0;
        std::memcpy(&narrow, buffer, sizeof narrow);
        text = QString::number(narrow);
        return sizeof narrow;
    }
    if (m_valueType == 4) {
        std::uint16_t narrow = 0;
        std::memcpy(&narrow, buffer, sizeof narrow);
        text = QString::number(narrow);
        return sizeof narrow;
    }
    std::int32_t wide = 0;
    std::memcpy(&wide, buffer, sizeof wide);
    text = QString::number(wide);
    return sizeof wide;
}

QString TIntValidator::ErrorText() const {
    return QStringLiteral("Valore non valido: inserire un numero intero tra %1 e %2")
        .arg(QString::number(m_minimum), QString::number(m_maximum));
}
