// The ultimate-limit-state verification of the footing, bearing and
// sliding: design action Ed against design resistance Rd with the partial
// factors of one approach. A pure function over copies of the project's
// records: the engine runs on a local result, never on the program's own.
#pragma once

#include "actions/seismic.h"
#include "design/approach.h"
#include "ground/ground_model.h"
#include "model/design_data.h"
#include "model/number_text.h"
#include "model/records.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zolt::design {

// Bearing: Rk is the ultimate load of the chosen method with the design
// soil values, Rd = Rk / gammaRv. Loads in kg.
struct BearingCheck {
    double Ed = 0.0;                        // N
    int engineResult = 0;                   // 1: the method found no load
    std::optional<double> Rk;               // none when the engine failed
    std::optional<double> Rd;
    std::optional<double> utilisation;      // Ed / Rd; none when not computable
    bool verified = false;                  // Ed <= Rd; false without Rd
};

// Sliding on the base (EN 1997-1 6.5.3): Rd = (N tan(delta_d) +
// ca_d 10000 B' L') / gammaRh over the effective area. Loads in kg.
struct SlidingCheck {
    double Ed = 0.0;                   // |T|
    std::optional<double> Rd;          // none for a friction angle of 90 degrees or more
    std::optional<double> utilisation; // Ed / Rd; 0 for T = 0
    bool verified = false;             // Ed <= Rd; T = 0 always verifies
};

struct EccentricityCheck {
    double exOverB = 0.0;
    double eyOverL = 0.0;
    bool middleThird = true; // ex <= B/6 and ey <= L/6
    bool withinThird = true; // ex <= B/3 and ey <= L/3
};

struct Verification {
    const Approach* approach = nullptr;
    int method = Meyerhof;
    // Pre-check bits 0 and 1 of the analysis (no friction and no cohesion;
    // no grip on the base): meaningless inputs, nothing else is computed.
    int refusal = 0;
    SoilData design;  // the soil values with the approach's M factors
    BearingCheck bearing;
    SlidingCheck sliding;
    EccentricityCheck eccentricity;
    bool verified = false; // bearing and sliding both verified

    bool refused() const { return refusal != 0; }
};

// The soil values with the partial factors `f`: tan(phi) and tan(delta)
// divided by f.tanPhi (angles back in degrees), c and ca by f.cohesion
// (by f.undrainedCohesion when phi = 0); gamma unchanged. Factors of 1
// give the values unchanged, bit for bit. An angle of 90 degrees or more
// has no tangent to factor and is kept as it is.
SoilData designSoil(const SoilData& soil, const SoilFactors& f);

// Verifies the footing `geometry` on `soil` with `method` (0..3) and
// `approach`.
Verification verify(const Approach& approach, int method, const GeometryData& geometry,
                    const SoilData& soil);

// The refusal of verify() for `soil`: the pre-check bits 0 and 1.
int verificationRefusal(const SoilData& soil);

// The verification of soil that verificationRefusal lets through, once the
// design values and the bearing resistance are known: `design` is
// designSoil(soil, approach.soil), `engineResult` and `Rk` (kg) the
// method's outcome on it. Lets a caller that already has them (the sweep,
// on M1 the analysis' own run) skip their work.
Verification completeVerification(const Approach& approach, int method,
                                  const GeometryData& geometry, const SoilData& design,
                                  int engineResult, double Rk);

// Where the resultant stands: ex/B, ey/L and the middle-third and
// one-third rules (the notes, not part of any outcome).
EccentricityCheck checkEccentricity(const GeometryData& geometry);

// The eccentricity notes that apply (shown, not part of the outcome).
std::vector<std::string_view> eccentricityNotes(const EccentricityCheck& e);

// The verification on the project's ground: every condition of the ground
// model verified on its own values (NTC 2018 §6.4.2.1: the short- and the
// long-term conditions must both hold).

// A condition whose footing the water lifts fails with this note: the
// water pressure on the base is an action (EN 1997-1 2.4.2(4), 6.5.2.1),
// and with N - U <= 0 the base presses on no soil.
inline constexpr std::string_view kLiftedNote = "la falda solleva la fondazione: N − U ≤ 0";

// An undrained condition whose base rests on a layer without cu: that
// layer drains, and the base slides on it as in the drained condition
// (EN 1997-1 6.5.3(8) and (12): A' cu only where the soil under the base
// is undrained).
inline constexpr std::string_view kDrainedSlidingNote =
    "strato di posa senza cu: lo scorrimento è quello della condizione drenata";

// True when the water lifts `footing` in the condition `values`: U > 0 and
// N - U <= 0 (the dry N = 0 lifts nothing).
bool liftsFooting(const GeometryData& footing, const ground::GroundValues& values);

struct ConditionVerification {
    // The values the methods ran on: condition, q, gamma, phi, c, delta,
    // ca (kg/m2, kg/m3, degrees, kg/cm2), U (kg) and the ground model's notes.
    ground::GroundValues ground;
    std::string_view rule; // ground::conditionRule(ground.condition)
    // U > 0 and N - U <= 0: nothing is computed (no Rk, no sliding Rd) and
    // the condition fails.
    bool lifted = false;
    // The checks with the M factors on the ground values: `design` is
    // designSoil(ground.soil()), bearing.Ed = N - U, the friction of
    // sliding on N - U, the methods' inclination factors on N - U.
    Verification verification;
    std::vector<std::string> notes; // the ground model's notes, then kLiftedNote
    // The Paolucci & Pecker factors the engine ran with: all 1 but in a
    // seismic check with the kinematic effect.
    actions::KinematicFactors kinematic;

    bool verified() const { return verification.verified; }
};

struct GroundVerification {
    const Approach* approach = nullptr;
    int method = Meyerhof;
    ConditionVerification drained;                  // always
    std::optional<ConditionVerification> undrained; // when the ground model gives it
    // The failing condition when only one fails, else the one with the
    // higher utilisation (bearing or sliding, not computable counts as the
    // highest); the drained one on a tie.
    ground::Condition governing = ground::Condition::Drained;
    bool verified = false; // every condition verified

    // The drained values have no meaning (pre-check bits 0 and 1 of the
    // analysis on them): the outputs show no verification, as for a
    // refused Verification.
    bool refused() const { return drained.verification.refused(); }
    const ConditionVerification& governingCondition() const {
        return governing == ground::Condition::Undrained && undrained ? *undrained : drained;
    }
};

// One condition of the ground model on `footing` (its N, T, ex, ey as the
// actions). The drained condition takes the refusal of verify() on its
// values; the undrained one (phi = 0, c = the mean cu > 0) always has a
// meaning, and on its own a base without cu leaves it no sliding
// resistance (verifyOnGround then takes the drained sliding).
ConditionVerification verifyCondition(const Approach& approach, int method,
                                      const GeometryData& footing,
                                      const ground::GroundValues& values);

// Every condition of `model`, the ground model of `footing`. An undrained
// condition whose base layer has no cu (ca = 0) takes the drained
// condition's sliding check, with kDrainedSlidingNote.
GroundVerification verifyOnGround(const Approach& approach, int method, const GeometryData& footing,
                                  const ground::GroundModel& model);

// The same with the kinematic effect of an earthquake of coefficient `kh`
// (none: no effect): each condition's ultimate load takes the Paolucci &
// Pecker factors of kh and its design friction angle
// (actions::kinematicFactors), shown in ConditionVerification::kinematic.
GroundVerification verifyOnGround(const Approach& approach, int method, const GeometryData& footing,
                                  const ground::GroundModel& model, std::optional<double> kh);

// The same with the ground model evaluated for `footing`. With no water
// table and no layers the drained condition is verify() bit for bit.
GroundVerification verifyOnGround(const Approach& approach, int method, const GeometryData& footing,
                                  const SoilData& soil, const GroundData& ground);

inline constexpr std::string_view kOutsideMiddleThirdNote = "risultante fuori dal terzo medio";
inline constexpr std::string_view kBeyondThirdNote =
    "eccentricità oltre un terzo della dimensione";
inline constexpr std::string_view kNotComputable = kNoNumberText;

} // namespace zolt::design
