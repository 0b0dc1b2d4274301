// Number text of the study windows. Every number goes through the
// locale-free formatters of model/number_text.h, so that the windows show
// "." whatever the user's locale; forces and pressures also in kN and kPa.
#pragma once

#include "ground/ground_model.h"
#include "model/design_data.h"

#include <QString>

#include <optional>
#include <string_view>

namespace zolt::studies {

// `value` with `decimals` digits after the point, in the exponent form
// past 15 significant digits (formatDecimal).
QString fixedText(double value, int decimals);

// "72023 kg (706.3 kN)"
QString forceText(double kg);

// "7.20 kg/cm² (706.3 kPa)"
QString pressureText(double kgPerCm2);

// One condition of the ground model in a line: its name, then the values
// the methods run on, "q = 2550 kg/m² (25.0 kPa), γ = 915.0 kg/m³ (8.97
// kN/m³), φ = ..., U = ...".
QString conditionValuesText(const ground::GroundValues& values);

// The water table and the layers of `ground` in a few words: "3 strati,
// falda a 2.00 m dal piano campagna".
QString groundSummaryText(const GroundData& ground);

// A probability with four significant digits ("0.01234", "1.5e-06").
QString probabilityText(double p);

// The whole of `text` as a number; none for anything else, also blanks.
std::optional<double> numberOf(const QString& text);

// The whole of `text` as an unsigned decimal integer; none when it is not
// one or does not fit.
std::optional<unsigned long long> integerOf(const QString& text);

// `text` with its first letter in upper case: the core's one-line reasons
// start in lower case, a message box starts a sentence.
QString sentence(std::string_view text);

} // namespace zolt::studies
