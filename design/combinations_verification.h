// The verification of every load combination of the project on its ground
// model, and the sizing that makes every one of them hold.
//
// ULS combinations are verified with the chosen approach (the A2
// combinations of EC7 DA1 with its Combination 2); SLV combinations with
// the seismic rules of NTC 2018 §7.11.5.3.1 and Tab. 7.11.II: M1 soil,
// the actions as combined (unit factors, §7.11.1), gammaR 2.3 on bearing
// (1.8 with the kinematic effect, when the project asks for it) and 1.1
// on sliding, and with the kinematic effect the Paolucci & Pecker factors
// on the three terms of the ultimate load. The structure's inertia comes
// in through each SLV combination's own T, ex and ey, by each method's
// inclination factors. SLE combinations get the eccentricity notes only.
//
// Each combination replaces the footing's N, T, ex and ey
// (actions::withCombination); the ground model's uplift applies to each.
#pragma once

#include "actions/combinations.h"
#include "actions/seismic.h"
#include "actions/vocabulary.h"
#include "design/sizing.h"
#include "design/verification.h"
#include "model/design_data.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zolt::design {

// The approach of the SLV combinations: "ntc2018-slv" (gammaR 2.3 / 1.1)
// or, with `kinematicGammaR`, "ntc2018-slv-cin" (1.8 / 1.1); M1 soil.
const Approach& slvApproach(bool kinematicGammaR);
// The one the project's seismic options give (actions::slvBearingGammaR);
// 2.3 without seismic data.
const Approach& slvApproach(const std::optional<SeismicData>& seismic);

// The line every output of a combination's checks carries about the actions.
inline constexpr std::string_view kCombinationActionsNote =
    "N, T, ex ed ey sono quelli della combinazione";
// A combination with N <= 0 presses on no soil: it fails.
inline constexpr std::string_view kCombinationLiftsNote =
    "la combinazione solleva la fondazione: N ≤ 0";
// Terzaghi's load has no inclination factors: the structure's inertia acts
// only through the eccentricity.
inline constexpr std::string_view kTerzaghiInclinationNote =
    "il metodo di Terzaghi non considera l'inclinazione del carico";
// SLV combinations in a project without the seismic site.
inline constexpr std::string_view kNoSeismicSiteNote =
    "dati sismici del sito non indicati: nessun effetto cinematico (zq = zγ = zc = 1)";
inline constexpr std::string_view kNoUltimateNote =
    "nessuna combinazione SLU o SLV: capacità portante e scorrimento non verificati";

// True when the project's actions give combinations, which then replace
// the geometry's N, T, ex and ey in the verification: actions of the
// chosen mode (a self-weight alone is no action).
bool hasCombinations(const DesignData& design);

struct CombinationCheck {
    actions::Combination combination;
    // The approach of its checks: the ULS set's, slvApproach() for SLV;
    // none for SLE.
    const Approach* approach = nullptr;
    // ULS and SLV: every condition of the ground model on the combination's
    // N, T, ex, ey; a lifting combination has each condition lifted, with
    // kCombinationLiftsNote and nothing computed.
    std::optional<GroundVerification> verification;
    EccentricityCheck eccentricity; // every type, on the combination's ex and ey
    std::optional<double> kh;       // SLV with the kinematic effect
    std::vector<std::string> notes; // kCombinationLiftsNote, kTerzaghiInclinationNote, the kh error
    bool verified = true;           // ULS and SLV: every condition holds; SLE: always
    // ULS and SLV: the highest bearing or sliding utilisation of its
    // conditions; none when one cannot be computed (the combination fails).
    std::optional<double> utilisation;

    bool ultimate() const { return actions::isUltimate(combination.type); }
};

// What every output says of the seismic case.
struct SeismicSite {
    SeismicData data;
    actions::SeismicCoefficients coefficients;   // kh and betaS, or the error
    double gammaRv = actions::kSlvGammaRBearing; // on bearing, as applied
    double gammaRh = actions::kSlvGammaRSliding;
    std::string_view gammaRNote; // actions::slvBearingGammaRNote
};

struct CombinationsVerification {
    const Approach* approach = nullptr; // the chosen one
    int method = Meyerhof;
    std::vector<CombinationCheck> checks; // in the order of the combinations
    // The ULS or SLV combination with the highest utilisation (a failing
    // one before one that holds; the first on a tie); none without any.
    std::optional<std::size_t> governing;
    std::optional<SeismicSite> seismic; // when the project has seismic data
    std::vector<std::string> notes;     // kNoSeismicSiteNote, kNoUltimateNote
    // Pre-check bits 0 and 1 of the analysis on the drained values: the
    // soil has no meaning and nothing is checked.
    int refusal = 0;
    // Every ULS and SLV combination holds, and there is at least one.
    bool verified = false;

    bool refused() const { return refusal != 0; }
    const CombinationCheck* governingCheck() const {
        return governing ? &checks[*governing] : nullptr;
    }
};

// The combinations of `actions` (actions::projectCombinations, the
// self-weight with the footing's size) verified on the ground model of
// `footing`.
CombinationsVerification verifyCombinations(const Approach& approach, int method,
                                            const GeometryData& footing, const SoilData& soil,
                                            const GroundData& ground, const ActionsData& actions,
                                            const std::optional<SeismicData>& seismic);

// The same for a project: design.actions and design.seismic.
CombinationsVerification verifyCombinations(const Approach& approach, int method,
                                            const GeometryData& footing, const SoilData& soil,
                                            const DesignData& design);

struct CombinationsSizing {
    SizingRule rule;
    std::optional<double> B; // m; none when no width on the grid makes every combination hold
    std::optional<double> L; // m
    // At the size found; at the project's size when none is found or the
    // soil is refused.
    CombinationsVerification verification;
};

// The smallest width on the sizing grid for which every ULS and SLV
// combination holds; the ground model and the self-weight are evaluated
// again at every width. Refused when the verification at the project's
// size is. A `condition`, when given, must hold too (the settlement); its
// Stop ends the search with no width.
CombinationsSizing sizeCombinations(const Approach& approach, int method,
                                    const GeometryData& footing, const SoilData& soil,
                                    const GroundData& ground, const ActionsData& actions,
                                    const std::optional<SeismicData>& seismic,
                                    const SizingRule& rule,
                                    const SizingConditionCheck& condition = {});

// The unit weight of the backfill over the footing when the project gives
// none, kg/m3: the soil's gamma over the homogeneous dry soil, else the
// mean total unit weight of the ground from the surface to the footing's
// top (depth D - thickness).
double backfillGamma(const ground::Profile& profile, const SoilData& soil, double D,
                     double thickness);

} // namespace zolt::design
