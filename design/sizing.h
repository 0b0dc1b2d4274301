// Footing sizing: the smallest width on the geometry field's grid for which
// the verification holds, the length tied to the width by a rule.
#pragma once

#include "design/verification.h"

#include <functional>
#include <optional>
#include <string>

namespace zolt::design {

enum class SizingRuleKind { Square, Ratio, Length };

struct SizingRule {
    SizingRuleKind kind = SizingRuleKind::Square;
    double value = 1.0; // L/B for Ratio (>= 1; L = R B rounded up to the cm), L in m for Length
};

// "square", "ratio=1.5", "length=3" as the command line spells them; none
// for a rule that is not one of those or whose value is out of its range
// (a ratio below 1, a length outside the geometry field's 0.10..99.90 m).
std::optional<SizingRule> parseSizingRule(std::string_view text);
std::string sizingRuleText(const SizingRule& rule);

// The width grid: 0.10 to 99.90 m by 0.01 m, the geometry field's range
// and its last decimal.
constexpr int kSizingFirstCentimetres = 10;
constexpr int kSizingLastCentimetres = 9990;

// The length `rule` ties to the width of `widthCm` centimetres on the
// grid; none when it would break B <= L or leave the geometry field's range.
std::optional<double> sizingLength(const SizingRule& rule, int widthCm);

struct Sizing {
    SizingRule rule;
    std::optional<double> B; // m; none when no width on the grid verifies
    std::optional<double> L; // m
    Verification verification; // at the size found (or the project's when refused)
};

// Scans the whole grid from the smallest width up and returns the first
// width whose footing verifies; the verification need not improve with the
// width, so no step is skipped. Every other input is the project's. Widths
// whose length would break B <= L or leave the geometry field's range are
// not taken. Inputs that the verification refuses are refused here too.
Sizing sizeFooting(const Approach& approach, int method, const GeometryData& geometry,
                   const SoilData& soil, const SizingRule& rule);

struct GroundSizing {
    SizingRule rule;
    std::optional<double> B;         // m; none when no width on the grid verifies every condition
    std::optional<double> L;         // m
    GroundVerification verification; // at the size found (or the project's when refused)
};

// sizeFooting on the project's ground: the ground model is evaluated again
// at every width (its means reach B below the base, its uplift covers
// B L), and a width is taken when every condition verifies. Refused when
// the verification at the project's own size is. With no water table and
// no layers the width, the length and the drained verification are
// sizeFooting's bit for bit.
GroundSizing sizeOnGround(const Approach& approach, int method, const GeometryData& geometry,
                          const SoilData& soil, const GroundData& ground, const SizingRule& rule);

// What a condition beside the verification says of a width that verifies:
// it holds, it does not, or it cannot be judged and the scan ends there.
enum class SizingCondition { Holds, Fails, Stop };
using SizingConditionCheck = std::function<SizingCondition(const GeometryData& footing)>;

// sizeOnGround with one more condition: a width is taken when every
// condition verifies and `condition` holds for the footing at that width
// (asked only then, so a costly condition runs on few widths); Stop ends
// the scan with no width.
GroundSizing sizeOnGround(const Approach& approach, int method, const GeometryData& geometry,
                          const SoilData& soil, const GroundData& ground, const SizingRule& rule,
                          const SizingConditionCheck& condition);

} // namespace zolt::design
