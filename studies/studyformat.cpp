#include "studies/studyformat.h"

#include "design/units.h"
#include "model/number_text.h"

#include <charconv>

namespace zolt::studies {

QString fixedText(double value, int decimals) {
    return QString::fromStdString(formatDecimal(value, decimals));
}

QString forceText(double kg) {
    return QStringLiteral("%1 kg (%2 kN)")
        .arg(fixedText(kg, 0), fixedText(design::kilonewtons(kg), 1));
}

QString pressureText(double kgPerCm2) {
    return QStringLiteral("%1 kg/cm\u00B2 (%2 kPa)")
        .arg(fixedText(kgPerCm2, 2), fixedText(design::kilopascals(kgPerCm2), 1));
}

QString probabilityText(double p) {
    // QString::number ignores the locale, unlike the C library's %g.
    return QString::number(p, 'g', 4);
}

std::optional<double> numberOf(const QString& text) {
    return parseNumber(text.toStdString());
}

std::optional<unsigned long long> integerOf(const QString& text) {
    const std::string digits = text.toStdString();
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    unsigned long long value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec != std::errc() || result.ptr != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

QString sentence(std::string_view text) {
    QString out = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (!out.isEmpty())
        out[0] = out[0].toUpper();
    return out;
}

} // namespace zolt::studies
