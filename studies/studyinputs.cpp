#include "studies/studyinputs.h"

#include <algorithm>
#include <array>

namespace zolt::studies {

namespace {

struct Row {
    const char* name;
    const char* label;
    const char* unit;
    double spanFromZero;
};

// The labels of the dialog templates 100 and 200, without their units.
constexpr Row kRows[] = {
    {"B", "Base della fondazione", "m", 3.0},
    {"L", "Lunghezza della fondazione", "m", 3.0},
    {"D", "Profondit\u00E0 del piano di posa", "m", 3.0},
    {"alpha", "Inclinazione del piano di posa", "\u00B0", 20.0},
    {"omega", "Inclinazione del pendio", "\u00B0", 20.0},
    {"ex", "Eccentricit\u00E0 direz. X", "m", 0.4},
    {"ey", "Eccentricit\u00E0 direz. Y", "m", 0.4},
    {"N", "Sforzo normale", "kg", 100000.0},
    {"T", "Sforzo tagliante", "kg", 10000.0},
    {"gamma", "Peso di volume", "kg/m\u00B3", 2200.0},
    {"phi", "Angolo di attrito interno", "\u00B0", 45.0},
    {"delta", "Angolo di attrito terreno-fondazione", "\u00B0", 30.0},
    {"c", "Coesione", "kg/cm\u00B2", 1.0},
    {"ca", "Aderenza terreno-fondazione", "kg/cm\u00B2", 0.5},
};
constexpr std::size_t kCount = std::size(kRows);

const std::array<StudyInput, kCount>& table() {
    static const std::array<StudyInput, kCount> inputs = [] {
        std::array<StudyInput, kCount> out{};
        for (std::size_t i = 0; i < kCount; ++i)
            out[i] = {findInputField(kRows[i].name), kRows[i].label, kRows[i].unit,
                      kRows[i].spanFromZero};
        return out;
    }();
    return inputs;
}

} // namespace

std::span<const StudyInput> studyInputs() {
    return table();
}

const StudyInput* studyInputOf(const InputField* field) {
    for (const StudyInput& input : table())
        if (input.field == field)
            return &input;
    return nullptr;
}

QString inputName(const InputField& field) {
    return QString::fromUtf8(field.name.data(), static_cast<qsizetype>(field.name.size()));
}

QString inputTitle(const StudyInput& input) {
    return QStringLiteral("%1 \u2013 %2 (%3)")
        .arg(inputName(*input.field), QString::fromUtf8(input.label),
             QString::fromUtf8(input.unit));
}

double inputValue(const InputField& field, const GeometryData& geometry, const SoilData& soil) {
    return field.geometryField != nullptr ? geometry.*field.geometryField : soil.*field.soilField;
}

std::pair<double, double> proposedRange(const StudyInput& input, const GeometryData& geometry,
                                        const SoilData& soil) {
    const InputField& field = *input.field;
    const double value = inputValue(field, geometry, soil);
    double from = field.minimum;
    double to = input.spanFromZero;
    if (value > 0.0) {
        from = value / 2.0;
        to = value * 1.5;
    }
    from = std::clamp(from, field.minimum, field.maximum);
    to = std::clamp(to, field.minimum, field.maximum);
    if (field.geometryField == &GeometryData::B && geometry.L > from && geometry.L < to)
        to = geometry.L;
    if (field.geometryField == &GeometryData::L && geometry.B > from && geometry.B < to)
        from = geometry.B;
    return {from, to};
}

} // namespace zolt::studies
