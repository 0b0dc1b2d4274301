#include "design/sizing.h"

#include "model/number_text.h"

#include <cmath>
#include <utility>

namespace zolt::design {

namespace {

constexpr double kMaxLength = kSizingLastCentimetres / 100.0;
constexpr double kMinLength = kSizingFirstCentimetres / 100.0;

// The length for the width of `widthCm` centimetres. A ratio's length is
// rounded up to the centimetre, so that the footing verified is one the
// geometry dialog can hold; the tolerance keeps R B that is already on the
// grid (2 x 1.41) from a spurious step up.
std::optional<double> lengthFor(const SizingRule& rule, int widthCm) {
    const double B = widthCm / 100.0;
    double L = B;
    if (rule.kind == SizingRuleKind::Ratio)
        L = std::ceil(rule.value * widthCm - 1e-9) / 100.0;
    else if (rule.kind == SizingRuleKind::Length)
        L = rule.value;
    if (B > L || L > kMaxLength)
        return std::nullopt;
    return L;
}

} // namespace

std::optional<double> sizingLength(const SizingRule& rule, int widthCm) {
    return lengthFor(rule, widthCm);
}

std::optional<SizingRule> parseSizingRule(std::string_view text) {
    if (text == "square")
        return SizingRule{SizingRuleKind::Square, 1.0};
    const auto eq = text.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    const std::string_view name = text.substr(0, eq);
    const auto value = parseNumber(text.substr(eq + 1));
    if (!value)
        return std::nullopt;
    if (name == "ratio" && *value >= 1.0 && *value <= kMaxLength / kMinLength)
        return SizingRule{SizingRuleKind::Ratio, *value};
    if (name == "length" && *value >= kMinLength && *value <= kMaxLength)
        return SizingRule{SizingRuleKind::Length, *value};
    return std::nullopt;
}

std::string sizingRuleText(const SizingRule& rule) {
    switch (rule.kind) {
    case SizingRuleKind::Square:
        return "square";
    case SizingRuleKind::Ratio:
        return "ratio=" + formatRoundTrip(rule.value);
    case SizingRuleKind::Length:
        return "length=" + formatRoundTrip(rule.value);
    }
    return {};
}

Sizing sizeFooting(const Approach& approach, int method, const GeometryData& geometry,
                   const SoilData& soil, const SizingRule& rule) {
    Sizing s;
    s.rule = rule;
    s.verification = verify(approach, method, geometry, soil);
    if (s.verification.refused())
        return s; // no width gives meaning to these soil values
    GeometryData g = geometry;
    for (int cm = kSizingFirstCentimetres; cm <= kSizingLastCentimetres; ++cm) {
        const double B = cm / 100.0;
        const auto L = lengthFor(rule, cm);
        if (!L)
            continue;
        g.B = B;
        g.L = *L;
        Verification v = verify(approach, method, g, soil);
        if (v.verified) {
            s.B = B;
            s.L = *L;
            s.verification = v;
            return s;
        }
    }
    return s;
}

GroundSizing sizeOnGround(const Approach& approach, int method, const GeometryData& geometry,
                          const SoilData& soil, const GroundData& ground, const SizingRule& rule) {
    return sizeOnGround(approach, method, geometry, soil, ground, rule, {});
}

GroundSizing sizeOnGround(const Approach& approach, int method, const GeometryData& geometry,
                          const SoilData& soil, const GroundData& ground, const SizingRule& rule,
                          const SizingConditionCheck& condition) {
    GroundSizing s;
    s.rule = rule;
    const ground::Profile profile = ground::buildProfile(ground, soil);
    s.verification =
        verifyOnGround(approach, method, geometry,
                       ground::evaluateGround(profile, geometry.B, geometry.L, geometry.D));
    if (s.verification.refused())
        return s;
    GeometryData g = geometry;
    for (int cm = kSizingFirstCentimetres; cm <= kSizingLastCentimetres; ++cm) {
        const double B = cm / 100.0;
        const auto L = lengthFor(rule, cm);
        if (!L)
            continue;
        g.B = B;
        g.L = *L;
        GroundVerification v =
            verifyOnGround(approach, method, g, ground::evaluateGround(profile, B, *L, g.D));
        if (v.verified && condition) {
            const SizingCondition c = condition(g);
            if (c == SizingCondition::Stop)
                return s;
            if (c == SizingCondition::Fails)
                continue;
        }
        if (v.verified) {
            s.B = B;
            s.L = *L;
            s.verification = std::move(v);
            return s;
        }
    }
    return s;
}

} // namespace zolt::design
