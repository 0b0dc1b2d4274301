#include "profile/number_input.h"

#include "model/number_text.h"

namespace zolt {

namespace {

constexpr std::int16_t kDoubleValue = 0;

} // namespace

NumberInput::NumberInput(double minimum, double maximum, int decimals, QObject* parent)
    : QValidator(parent),
      m_rules(minimum, maximum, static_cast<std::int16_t>(decimals), kDoubleValue),
      m_decimals(decimals) {}

NumberInput::~NumberInput() = default;

QValidator::State NumberInput::validate(QString& text, int& /*position*/) const {
    return text.size() <= MaxLength && m_rules.IsValidInput(text) ? Acceptable : Invalid;
}

std::optional<double> NumberInput::Value(const QString& text) const {
    if (text.isEmpty() || !m_rules.IsValidInput(text) || !m_rules.IsValid(text))
        return std::nullopt;
    return parseNumber(text.toStdString());
}

QString NumberInput::Text(double value) const {
    return QString::fromStdString(formatFixed(value, m_decimals));
}

QString NumberInput::ErrorText() const {
    return m_rules.ErrorText();
}

} // namespace zolt
