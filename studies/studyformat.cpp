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

QString conditionValuesText(const ground::GroundValues& v) {
    const bool drained = v.condition == ground::Condition::Drained;
    return QStringLiteral("%1: q = %2 kg/m\u00B2 (%3 kPa), \u03B3 = %4 kg/m\u00B3 (%5 kN/m\u00B3), "
                          "\u03C6 = %6\u00B0, c = %7 kg/cm\u00B2, \u03B4 = %8\u00B0, "
                          "ca = %9 kg/cm\u00B2, U = %10")
        .arg(drained ? QStringLiteral("Drenata") : QStringLiteral("Non drenata"), fixedText(v.q, 0),
             fixedText(design::kilopascalsOfKgPerSquareMetre(v.q), 1), fixedText(v.gamma, 1),
             fixedText(design::kilonewtonsPerCubicMetre(v.gamma), 2), fixedText(v.phi, 2),
             fixedText(v.c, 3), fixedText(v.delta, 2), fixedText(v.ca, 3))
        .arg(forceText(v.uplift));
}

QString groundSummaryText(const GroundData& ground) {
    const QString soil = ground.layers.empty()
                             ? QStringLiteral("terreno omogeneo")
                             : QStringLiteral("%1 strati").arg(ground.layers.size());
    const QString water = ground.waterTable ? QStringLiteral("falda a %1 m dal piano campagna")
                                                  .arg(fixedText(*ground.waterTable, 2))
                                            : QStringLiteral("nessuna falda");
    return soil + QStringLiteral(", ") + water;
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
