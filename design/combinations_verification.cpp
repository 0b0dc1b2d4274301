#include "design/combinations_verification.h"

#include "engine/bearing_capacity.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace zolt::design {

namespace {

// NTC 2018 Tab. 7.11.II (shallow foundations at the SLV: bearing 2.3,
// sliding 1.1) with M1 soil and unit factors on actions (§7.11.1); bearing
// 1.8 when the soil's inertia is accounted for (§7.11.5.3.1).
constexpr Approach kSlv = {"ntc2018-slv",
                           "NTC 2018 – SLV (M1, γR 2.3 / 1.1)",
                           actions::kSlvGammaRBearing,
                           actions::kSlvGammaRSliding,
                           "M1",
                           kSoilFactorsM1};
constexpr Approach kSlvKinematic = {"ntc2018-slv-cin",
                                    "NTC 2018 – SLV con effetto cinematico (M1, γR 1.8 / 1.1)",
                                    actions::kSlvGammaRBearingKinematic,
                                    actions::kSlvGammaRSliding,
                                    "M1",
                                    kSoilFactorsM1};

constexpr double kNotComputable = std::numeric_limits<double>::infinity();

// What the SLV combinations of one run share.
struct SeismicRules {
    const Approach* approach = &kSlv;
    std::optional<double> kh; // with the kinematic effect
    std::string khError;      // the kinematic effect asked for without a kh
};

SeismicRules seismicRules(const std::optional<SeismicData>& seismic) {
    SeismicRules r;
    r.approach = &slvApproach(seismic);
    if (seismic && seismic->kinematic) {
        const actions::SeismicCoefficients c = actions::seismicCoefficients(*seismic);
        if (c.error.empty())
            r.kh = c.kh;
        else
            r.khError = c.error;
    }
    return r;
}

// Every condition of `model` lifted: a combination with N <= 0 leaves the
// base on no soil, and nothing is computed.
GroundVerification liftedVerification(const Approach& approach, int method,
                                      const GeometryData& footing,
                                      const ground::GroundModel& model) {
    const auto lifted = [&](const ground::GroundValues& values) {
        ConditionVerification c;
        c.ground = values;
        c.rule = ground::conditionRule(values.condition);
        c.notes = values.notes;
        c.notes.emplace_back(kCombinationLiftsNote);
        c.lifted = true;
        const GeometryData g = ground::methodFooting(footing, values);
        Verification& v = c.verification;
        v.approach = &approach;
        v.method = method;
        v.design = designSoil(values.soil(), approach.soil);
        v.bearing.Ed = g.N;
        v.bearing.engineResult = kEngineFailed;
        v.sliding.Ed = std::fabs(g.T);
        v.eccentricity = checkEccentricity(g);
        return c;
    };
    GroundVerification gv;
    gv.approach = &approach;
    gv.method = method;
    gv.drained = lifted(model.drained);
    if (model.undrained)
        gv.undrained = lifted(*model.undrained);
    return gv;
}

// The highest utilisation of the conditions; none when one cannot be
// computed.
std::optional<double> highestUtilisation(const GroundVerification& gv) {
    double u = 0.0;
    for (const ConditionVerification* c : {&gv.drained, gv.undrained ? &*gv.undrained : nullptr}) {
        if (c == nullptr)
            continue;
        const Verification& v = c->verification;
        if (c->lifted || !v.bearing.utilisation || !v.sliding.utilisation)
            return std::nullopt;
        u = std::max({u, *v.bearing.utilisation, *v.sliding.utilisation});
    }
    return u;
}

CombinationCheck checkCombination(const actions::Combination& combination, const Approach& chosen,
                                  int method, const GeometryData& footing,
                                  const ground::GroundModel& model, const SeismicRules& slv) {
    CombinationCheck check;
    check.combination = combination;
    const GeometryData g = actions::withCombination(footing, combination);
    check.eccentricity = checkEccentricity(g);
    if (!check.ultimate())
        return check;
    const bool seismic = combination.type == CombinationType::SLV;
    const Approach& approach =
        seismic
            ? *slv.approach
            : actions::approachFor(combination.factors.value_or(actions::FactorSet::NtcA1), chosen);
    check.approach = &approach;
    if (seismic) {
        check.kh = slv.kh;
        if (!slv.khError.empty())
            check.notes.push_back(slv.khError);
        if (method == Terzaghi && combination.T != 0.0)
            check.notes.emplace_back(kTerzaghiInclinationNote);
    }
    if (combination.lifts) {
        check.notes.emplace_back(kCombinationLiftsNote);
        check.verification = liftedVerification(approach, method, g, model);
    } else {
        check.verification = verifyOnGround(approach, method, g, model, check.kh);
    }
    check.utilisation = highestUtilisation(*check.verification);
    // A kinematic effect asked for and not computable leaves the SLV check
    // without its resistance: the combination fails.
    check.verified =
        !combination.lifts && !(seismic && !slv.khError.empty()) && check.verification->verified;
    return check;
}

// True when `a` governs over `b`: it fails where `b` holds, or it is
// further from holding.
bool governsOver(const CombinationCheck& a, const CombinationCheck& b) {
    if (a.verified != b.verified)
        return !a.verified;
    return a.utilisation.value_or(kNotComputable) > b.utilisation.value_or(kNotComputable);
}

// The run at one size: the combinations of the footing `footing`, its
// ground model, and the rules they are verified with.
class Run {
public:
    Run(const Approach& approach, int method, const SoilData& soil, const ActionsData& actions,
        const std::optional<SeismicData>& seismic, const ground::Profile& profile)
        : approach_(approach), method_(method), soil_(soil), actions_(actions), seismic_(seismic),
          profile_(profile), slv_(seismicRules(seismic)) {}

    // The model and the combinations for `footing`; the combinations are
    // built again only when the self-weight changes them.
    void evaluate(const GeometryData& footing, bool first) {
        footing_ = footing;
        model_ = ground::evaluateGround(profile_, footing.B, footing.L, footing.D);
        if (first || actions_.selfWeight) {
            const double thickness = actions_.selfWeight ? actions_.selfWeight->thickness : 0.0;
            combinations_ = actions::projectCombinations(
                actions_, approach_, footing, backfillGamma(profile_, soil_, footing.D, thickness));
        }
    }

    int refusal() const { return verificationRefusal(model_.drained.soil()); }

    CombinationCheck check(std::size_t i) const {
        return checkCombination(combinations_[i], approach_, method_, footing_, model_, slv_);
    }

    std::size_t size() const { return combinations_.size(); }
    bool ultimate(std::size_t i) const { return actions::isUltimate(combinations_[i].type); }

    // Every combination checked, with the outcome.
    CombinationsVerification all() const {
        CombinationsVerification out;
        out.approach = &approach_;
        out.method = method_;
        if (seismic_) {
            SeismicSite site;
            site.data = *seismic_;
            site.coefficients = actions::seismicCoefficients(*seismic_);
            site.gammaRv = slv_.approach->gammaRv;
            site.gammaRh = slv_.approach->gammaRh;
            site.gammaRNote = actions::slvBearingGammaRNote(*seismic_);
            out.seismic = std::move(site);
        }
        out.refusal = refusal();
        if (out.refused())
            return out;
        out.checks.reserve(size());
        bool anySeismic = false;
        for (std::size_t i = 0; i < size(); ++i) {
            out.checks.push_back(check(i));
            const CombinationCheck& c = out.checks.back();
            anySeismic = anySeismic || c.combination.type == CombinationType::SLV;
            if (c.ultimate() && (!out.governing || governsOver(c, out.checks[*out.governing])))
                out.governing = i;
        }
        if (anySeismic && !seismic_)
            out.notes.emplace_back(kNoSeismicSiteNote);
        if (!out.governing)
            out.notes.emplace_back(kNoUltimateNote);
        out.verified = out.governing && out.checks[*out.governing].verified;
        return out;
    }

    // True when every ULS and SLV combination holds, trying `hint` first
    // and leaving in it the one that failed: over a sizing scan the
    // combination that fails at one width most often fails at the next.
    bool holds(std::size_t& hint) const {
        if (refusal() != 0 || size() == 0)
            return false;
        if (hint < size() && ultimate(hint) && !check(hint).verified)
            return false;
        bool any = false;
        for (std::size_t i = 0; i < size(); ++i) {
            if (!ultimate(i))
                continue;
            any = true;
            if (i != hint && !check(i).verified) {
                hint = i;
                return false;
            }
        }
        return any;
    }

private:
    const Approach& approach_;
    int method_;
    const SoilData& soil_;
    const ActionsData& actions_;
    const std::optional<SeismicData>& seismic_;
    const ground::Profile& profile_;
    SeismicRules slv_;
    GeometryData footing_;
    ground::GroundModel model_;
    std::vector<actions::Combination> combinations_;
};

} // namespace

const Approach& slvApproach(bool kinematicGammaR) {
    return kinematicGammaR ? kSlvKinematic : kSlv;
}

const Approach& slvApproach(const std::optional<SeismicData>& seismic) {
    return slvApproach(seismic &&
                       actions::slvBearingGammaR(*seismic) == actions::kSlvGammaRBearingKinematic);
}

bool hasCombinations(const DesignData& design) {
    if (!design.actions)
        return false;
    const ActionsData& a = *design.actions;
    return a.mode == ActionsMode::Characteristic ? !a.characteristic.empty()
                                                 : !a.combinations.empty();
}

double backfillGamma(const ground::Profile& profile, const SoilData& soil, double D,
                     double thickness) {
    const double top = D - thickness;
    const bool dry = !profile.waterTable || !(*profile.waterTable < top);
    if ((!profile.layered && dry) || !(top > 0.0))
        return profile.layered ? profile.strata.front().soil.gamma : soil.gamma;
    return ground::verticalStress(profile, top).total / top;
}

CombinationsVerification verifyCombinations(const Approach& approach, int method,
                                            const GeometryData& footing, const SoilData& soil,
                                            const GroundData& ground, const ActionsData& actions,
                                            const std::optional<SeismicData>& seismic) {
    const ground::Profile profile = ground::buildProfile(ground, soil);
    Run run(approach, method, soil, actions, seismic, profile);
    run.evaluate(footing, true);
    return run.all();
}

CombinationsVerification verifyCombinations(const Approach& approach, int method,
                                            const GeometryData& footing, const SoilData& soil,
                                            const DesignData& design) {
    return verifyCombinations(approach, method, footing, soil, design.ground,
                              design.actions.value_or(ActionsData{}), design.seismic);
}

CombinationsSizing sizeCombinations(const Approach& approach, int method,
                                    const GeometryData& footing, const SoilData& soil,
                                    const GroundData& ground, const ActionsData& actions,
                                    const std::optional<SeismicData>& seismic,
                                    const SizingRule& rule, const SizingConditionCheck& condition) {
    CombinationsSizing s;
    s.rule = rule;
    const ground::Profile profile = ground::buildProfile(ground, soil);
    Run run(approach, method, soil, actions, seismic, profile);
    run.evaluate(footing, true);
    s.verification = run.all();
    if (s.verification.refused())
        return s;
    GeometryData g = footing;
    std::size_t hint = s.verification.governing.value_or(0);
    for (int cm = kSizingFirstCentimetres; cm <= kSizingLastCentimetres; ++cm) {
        const auto L = sizingLength(rule, cm);
        if (!L)
            continue;
        g.B = cm / 100.0;
        g.L = *L;
        run.evaluate(g, false);
        if (!run.holds(hint))
            continue;
        if (condition) {
            const SizingCondition c = condition(g);
            if (c == SizingCondition::Stop)
                return s;
            if (c == SizingCondition::Fails)
                continue;
        }
        s.B = g.B;
        s.L = g.L;
        s.verification = run.all();
        return s;
    }
    return s;
}

} // namespace zolt::design
