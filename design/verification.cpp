#include "design/verification.h"

#include "design/units.h"
#include "engine/bearing_capacity.h"
#include "engine/common_quantities.h"
#include "workflow/input_checks.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zolt::design {

namespace {

constexpr double kRightAngle = 90.0; // degrees: no tangent to factor

// With the engine's own conversion of degrees, so that a design angle that
// equals the project's reads the same to the engine.
double factorAngle(double degrees, double factor) {
    if (factor == 1.0 || !(degrees < kRightAngle))
        return degrees;
    return std::atan(std::tan(engine::toRadians(degrees)) / factor) * 180.0 / engine::kPi;
}

// Ed / Rd, or none when Rd gives no meaningful ratio. No action is no use
// of the resistance, whatever the resistance.
std::optional<double> utilisationOf(double Ed, std::optional<double> Rd) {
    if (Ed == 0.0)
        return 0.0;
    if (!Rd || !(*Rd > 0.0))
        return std::nullopt;
    const double u = Ed / *Rd;
    return std::isfinite(u) ? std::optional<double>(u) : std::nullopt;
}

BearingCheck checkBearing(const Approach& approach, const GeometryData& g, int engineResult,
                          double Rk) {
    BearingCheck b;
    b.Ed = g.N;
    b.engineResult = engineResult;
    if (b.engineResult != kEngineOk)
        return b;
    b.Rk = Rk;
    b.Rd = *b.Rk / approach.gammaRv;
    b.utilisation = utilisationOf(b.Ed, b.Rd);
    b.verified = b.Ed <= *b.Rd;
    return b;
}

SlidingCheck checkSliding(const Approach& approach, const GeometryData& g,
                          const SoilData& design) {
    SlidingCheck s;
    s.Ed = std::fabs(g.T);
    if (design.delta < kRightAngle) {
        // A resultant outside the base leaves no effective area to adhere.
        const double Bp = std::max(0.0, g.B - 2.0 * g.ex);
        const double Lp = std::max(0.0, g.L - 2.0 * g.ey);
        const double friction = g.N * std::tan(engine::toRadians(design.delta));
        const double adhesion = design.ca * kSquareCmPerSquareM * Bp * Lp;
        s.Rd = (friction + adhesion) / approach.gammaRh;
    }
    s.utilisation = utilisationOf(s.Ed, s.Rd);
    s.verified = s.Ed == 0.0 || (s.Rd && s.Ed <= *s.Rd);
    return s;
}

} // namespace

SoilData designSoil(const SoilData& soil, const SoilFactors& f) {
    SoilData d = soil;
    d.phi = factorAngle(soil.phi, f.tanPhi);
    d.delta = factorAngle(soil.delta, f.tanPhi);
    const double cohesionFactor = soil.phi == 0.0 ? f.undrainedCohesion : f.cohesion;
    if (cohesionFactor != 1.0) {
        d.c = soil.c / cohesionFactor;
        d.ca = soil.ca / cohesionFactor;
    }
    return d;
}

int verificationRefusal(const SoilData& soil) {
    // The sliding pre-check of the analysis gives way to the sliding
    // verification; the other two mark inputs with no meaning. Neither
    // depends on the geometry.
    return checkInputs(GeometryData{}, soil) & (kNoFrictionNoCohesion | kNoInterfaceGrip);
}

Verification verify(const Approach& approach, int method, const GeometryData& geometry,
                    const SoilData& soil) {
    if (const int refusal = verificationRefusal(soil)) {
        Verification v;
        v.approach = &approach;
        v.method = method;
        v.refusal = refusal;
        return v;
    }
    const SoilData design = designSoil(soil, approach.soil);
    BearingResult result;
    const int engineResult = computeBearing(method, geometry, design, result, &result.ultimateLoad);
    return completeVerification(approach, method, geometry, design, engineResult,
                                result.ultimateLoad);
}

Verification completeVerification(const Approach& approach, int method,
                                  const GeometryData& geometry, const SoilData& design,
                                  int engineResult, double Rk) {
    Verification v;
    v.approach = &approach;
    v.method = method;
    v.design = design;
    v.bearing = checkBearing(approach, geometry, engineResult, Rk);
    v.sliding = checkSliding(approach, geometry, v.design);
    v.eccentricity = checkEccentricity(geometry);
    v.verified = v.bearing.verified && v.sliding.verified;
    return v;
}

namespace {

// How far a condition is from failing: its larger utilisation, with one
// that cannot be computed counting as the highest.
double conditionUtilisation(const Verification& v) {
    constexpr double kNotComputable = std::numeric_limits<double>::infinity();
    return std::max(v.bearing.utilisation.value_or(kNotComputable),
                    v.sliding.utilisation.value_or(kNotComputable));
}

} // namespace

bool liftsFooting(const GeometryData& footing, const ground::GroundValues& values) {
    return values.uplift > 0.0 && !(ground::methodFooting(footing, values).N > 0.0);
}

namespace {

ConditionVerification verifyCondition(const Approach& approach, int method,
                                      const GeometryData& footing,
                                      const ground::GroundValues& values,
                                      std::optional<double> kh) {
    ConditionVerification c;
    c.ground = values;
    c.rule = ground::conditionRule(values.condition);
    c.notes = values.notes;
    const GeometryData g = ground::methodFooting(footing, values);
    const SoilData soil = values.soil();
    Verification& v = c.verification;
    v.approach = &approach;
    v.method = method;
    if (values.condition == ground::Condition::Drained)
        v.refusal = verificationRefusal(soil);
    if (v.refused())
        return c;
    v.design = designSoil(soil, approach.soil);
    c.lifted = liftsFooting(footing, values);
    if (c.lifted) {
        // No soil carries the base: there is no resistance to compute.
        c.notes.emplace_back(kLiftedNote);
        v.bearing.Ed = g.N;
        v.bearing.engineResult = kEngineFailed;
        v.sliding.Ed = std::fabs(g.T);
        v.eccentricity = checkEccentricity(g);
        return c;
    }
    BearingOptions options = ground::methodOptions(values);
    if (kh) {
        c.kinematic = actions::kinematicFactors(*kh, v.design.phi);
        options.zc = c.kinematic.zc;
        options.zq = c.kinematic.zq;
        options.zga = c.kinematic.zga;
    }
    BearingResult result;
    const int engineResult =
        computeBearing(method, g, v.design, options, result, &result.ultimateLoad);
    v = completeVerification(approach, method, g, v.design, engineResult, result.ultimateLoad);
    return c;
}

} // namespace

ConditionVerification verifyCondition(const Approach& approach, int method,
                                      const GeometryData& footing,
                                      const ground::GroundValues& values) {
    return verifyCondition(approach, method, footing, values, std::nullopt);
}

GroundVerification verifyOnGround(const Approach& approach, int method, const GeometryData& footing,
                                  const ground::GroundModel& model) {
    return verifyOnGround(approach, method, footing, model, std::nullopt);
}

GroundVerification verifyOnGround(const Approach& approach, int method, const GeometryData& footing,
                                  const ground::GroundModel& model, std::optional<double> kh) {
    GroundVerification gv;
    gv.approach = &approach;
    gv.method = method;
    gv.drained = verifyCondition(approach, method, footing, model.drained, kh);
    gv.verified = !gv.refused() && gv.drained.verified();
    if (model.undrained) {
        gv.undrained = verifyCondition(approach, method, footing, *model.undrained, kh);
        if (model.undrained->ca == 0.0 && !gv.refused()) {
            Verification& u = gv.undrained->verification;
            u.sliding = gv.drained.verification.sliding;
            u.verified = u.bearing.verified && u.sliding.verified;
            gv.undrained->notes.emplace_back(kDrainedSlidingNote);
        }
        const bool drainedHolds = gv.drained.verified();
        const bool undrainedHolds = gv.undrained->verified();
        gv.verified = gv.verified && undrainedHolds;
        const bool undrainedWorse = drainedHolds != undrainedHolds
                                        ? !undrainedHolds
                                        : conditionUtilisation(gv.undrained->verification) >
                                              conditionUtilisation(gv.drained.verification);
        if (undrainedWorse)
            gv.governing = ground::Condition::Undrained;
    }
    return gv;
}

GroundVerification verifyOnGround(const Approach& approach, int method, const GeometryData& footing,
                                  const SoilData& soil, const GroundData& ground) {
    return verifyOnGround(approach, method, footing, ground::evaluateGround(ground, soil, footing));
}

EccentricityCheck checkEccentricity(const GeometryData& g) {
    EccentricityCheck e;
    e.exOverB = g.ex / g.B;
    e.eyOverL = g.ey / g.L;
    e.middleThird = !(g.ex > g.B / 6.0) && !(g.ey > g.L / 6.0);
    e.withinThird = !(g.ex > g.B / 3.0) && !(g.ey > g.L / 3.0);
    return e;
}

std::vector<std::string_view> eccentricityNotes(const EccentricityCheck& e) {
    std::vector<std::string_view> notes;
    if (!e.middleThird)
        notes.push_back(kOutsideMiddleThirdNote);
    if (!e.withinThird)
        notes.push_back(kBeyondThirdNote);
    return notes;
}

} // namespace zolt::design
