#include "actions/combinations.h"

#include "actions/psi.h"
#include "actions/self_weight.h"
#include "actions/vocabulary.h"
#include "model/number_text.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zolt::actions {

namespace {

// NTC 2018 Tab. 2.6.I, column A1: G1 1.3 / 1.0, G2 1.5 / 0.8, Q 1.5 / 0.
constexpr PartialFactors kNtcA1{1.3, 1.0, 1.5, 0.8, 1.5};
// EN 1990 Table A1.2(B), expression (6.10): Gsup 1.35, Ginf 1.00, Q 1.50.
constexpr PartialFactors kEc7A1{1.35, 1.0, 1.35, 1.0, 1.5};
// EN 1990 Table A1.2(C): Gsup = Ginf = 1.00, Q 1.30.
constexpr PartialFactors kEc7A2{1.0, 1.0, 1.0, 1.0, 1.3};

BaseForces& operator+=(BaseForces& sum, const BaseForces& f) {
    sum.N += f.N;
    sum.TB += f.TB;
    sum.TL += f.TL;
    sum.MB += f.MB;
    sum.ML += f.ML;
    return sum;
}

BaseForces scaled(const BaseForces& f, double k) {
    return {f.N * k, f.TB * k, f.TL * k, f.MB * k, f.ML * k};
}

// The actions grouped as the combination rules take them.
struct Groups {
    BaseForces g1, g2, e;
    bool hasG1 = false, hasG2 = false, hasE = false;
    struct Variable {
        std::string label;
        PsiFactors psi;
        BaseForces forces;
    };
    std::vector<Variable> q;
};

std::string trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t");
    return std::string(s.substr(first, last - first + 1));
}

Groups groupActions(std::span<const Action> actions) {
    Groups g;
    for (const Action& a : actions) {
        switch (a.kind) {
        case ActionKind::G1:
            g.g1 += a.forces;
            g.hasG1 = true;
            break;
        case ActionKind::G2:
            g.g2 += a.forces;
            g.hasG2 = true;
            break;
        case ActionKind::E:
            g.e += a.forces;
            g.hasE = true;
            break;
        case ActionKind::Q: {
            std::string label = trimmed(a.name);
            if (label.empty())
                label = "Q" + std::to_string(g.q.size() + 1);
            g.q.push_back({std::move(label), psiFactors(a.category), a.forces});
            break;
        }
        }
    }
    return g;
}

// One combination under construction: its forces and the terms of its name.
class Builder {
public:
    void add(double factor, const BaseForces& forces, std::string_view label) {
        if (factor == 0.0)
            return;
        m_forces += scaled(forces, factor);
        if (!m_terms.empty())
            m_terms += " + ";
        if (factor == -1.0)
            m_terms += "-";
        else if (factor != 1.0)
            m_terms += factorText(factor) + " ";
        m_terms += label;
    }
    void addPermanents(const Groups& g, double g1, double g2) {
        if (g.hasG1)
            add(g1, g.g1, "G1");
        if (g.hasG2)
            add(g2, g.g2, "G2");
    }
    Combination finish(std::string_view prefix, int number, CombinationType type,
                       std::optional<FactorSet> set) const {
        std::string name = std::string(prefix) + " " + std::to_string(number) + ":";
        if (!m_terms.empty())
            name += " " + m_terms;
        return makeCombination(std::move(name), type, set, m_forces);
    }

private:
    BaseForces m_forces;
    std::string m_terms;
};

std::vector<double> permanentValues(bool present, double unfavourable, double favourable) {
    if (!present || unfavourable == favourable)
        return {unfavourable};
    return {unfavourable, favourable};
}

void addUltimate(const Groups& g, FactorSet set, std::vector<Combination>& out) {
    const PartialFactors& f = partialFactors(set);
    const std::string_view prefix = set == FactorSet::Ec7A2 ? "SLU A2" : "SLU";
    const std::size_t nq = g.q.size();
    int number = 0;
    for (double g1 : permanentValues(g.hasG1, f.g1Unfavourable, f.g1Favourable))
        for (double g2 : permanentValues(g.hasG2, f.g2Unfavourable, f.g2Favourable))
            // lead == nq: no variable action.
            for (std::size_t lead = 0; lead <= nq; ++lead) {
                Builder b;
                b.addPermanents(g, g1, g2);
                if (lead < nq) {
                    b.add(f.q, g.q[lead].forces, g.q[lead].label);
                    for (std::size_t i = 0; i < nq; ++i)
                        if (i != lead)
                            b.add(f.q * g.q[i].psi.psi0, g.q[i].forces, g.q[i].label);
                }
                out.push_back(b.finish(prefix, ++number, CombinationType::ULS, set));
            }
}

// NTC 2018 (2.5.5): E + G1 + G2 + sum psi2j Qkj, with E as given and
// with every value of E reversed, the seismic action acting either way.
void addSeismic(const Groups& g, std::vector<Combination>& out) {
    if (!g.hasE)
        return;
    int number = 0;
    for (double sign : {1.0, -1.0}) {
        Builder b;
        b.add(sign, g.e, "E");
        b.addPermanents(g, 1.0, 1.0);
        for (const auto& q : g.q)
            b.add(q.psi.psi2, q.forces, q.label);
        out.push_back(b.finish("SLV", ++number, CombinationType::SLV, std::nullopt));
    }
}

// NTC 2018 (2.5.2) rare: G1 + G2 + Qk1 + sum psi0i Qki; (2.5.3) frequent:
// G1 + G2 + psi11 Qk1 + sum psi2i Qki; each Q leading in turn.
void addServiceability(const Groups& g, CombinationType type, std::vector<Combination>& out) {
    const bool rare = type == CombinationType::SLERare;
    const std::string prefix(typeLabel(type));
    const std::size_t nq = g.q.size();
    int number = 0;
    for (std::size_t lead = 0; lead < std::max<std::size_t>(nq, 1); ++lead) {
        Builder b;
        b.addPermanents(g, 1.0, 1.0);
        if (lead < nq)
            b.add(rare ? 1.0 : g.q[lead].psi.psi1, g.q[lead].forces, g.q[lead].label);
        for (std::size_t i = 0; i < nq; ++i)
            if (i != lead)
                b.add(rare ? g.q[i].psi.psi0 : g.q[i].psi.psi2, g.q[i].forces, g.q[i].label);
        out.push_back(b.finish(prefix, ++number, type, std::nullopt));
    }
}

// NTC 2018 (2.5.4): G1 + G2 + sum psi2j Qkj.
void addQuasiPermanent(const Groups& g, std::vector<Combination>& out) {
    Builder b;
    b.addPermanents(g, 1.0, 1.0);
    for (const auto& q : g.q)
        b.add(q.psi.psi2, q.forces, q.label);
    out.push_back(b.finish(typeLabel(CombinationType::SLEQuasiPermanent), 1,
                           CombinationType::SLEQuasiPermanent, std::nullopt));
}

} // namespace

const PartialFactors& partialFactors(FactorSet set) {
    switch (set) {
    case FactorSet::NtcA1:
        return kNtcA1;
    case FactorSet::Ec7A1:
        return kEc7A1;
    case FactorSet::Ec7A2:
        return kEc7A2;
    }
    return kNtcA1;
}

std::string_view factorSetLabel(FactorSet set) {
    switch (set) {
    case FactorSet::NtcA1:
        return "A1 (NTC 2018 Tab. 2.6.I)";
    case FactorSet::Ec7A1:
        return "A1 (EN 1990 Tab. A1.2(B))";
    case FactorSet::Ec7A2:
        return "A2 (EN 1990 Tab. A1.2(C))";
    }
    return "";
}

std::vector<FactorSet> ulsFactorSets(const design::Approach& approach) {
    if (approach.id == "ntc2018")
        return {FactorSet::NtcA1};
    if (approach.id == "ec7-da1")
        return {FactorSet::Ec7A1, FactorSet::Ec7A2};
    if (approach.id == design::da1Combination2().id)
        return {FactorSet::Ec7A2};
    return {FactorSet::Ec7A1};
}

const design::Approach& approachFor(FactorSet set, const design::Approach& chosen) {
    if (set == FactorSet::Ec7A2 && chosen.id == "ec7-da1")
        return design::da1Combination2();
    return chosen;
}

Combination makeCombination(std::string name, CombinationType type,
                            std::optional<FactorSet> factors, const BaseForces& forces) {
    Combination c;
    c.name = std::move(name);
    c.type = type;
    c.factors = factors;
    c.forces = forces;
    c.T = std::hypot(forces.TB, forces.TL);
    c.lifts = !(forces.N > 0.0);
    if (!c.lifts) {
        c.ex = std::abs(forces.MB) / forces.N;
        c.ey = std::abs(forces.ML) / forces.N;
    }
    return c;
}

std::vector<Combination> buildCombinations(std::span<const Action> actions,
                                           std::span<const FactorSet> ulsSets) {
    std::vector<Combination> out;
    if (actions.empty())
        return out;
    const Groups g = groupActions(actions);
    for (FactorSet set : ulsSets)
        addUltimate(g, set, out);
    addSeismic(g, out);
    addServiceability(g, CombinationType::SLERare, out);
    addServiceability(g, CombinationType::SLEFrequent, out);
    addQuasiPermanent(g, out);
    return out;
}

std::vector<Combination> givenCombinations(std::span<const GivenCombination> given,
                                           FactorSet ulsSet, double selfWeight) {
    std::vector<Combination> out;
    out.reserve(given.size());
    const double ulsFactor = partialFactors(ulsSet).g1Unfavourable;
    for (const GivenCombination& c : given) {
        const bool uls = c.type == CombinationType::ULS;
        BaseForces forces = c.forces;
        forces.N += (uls ? ulsFactor : 1.0) * selfWeight;
        out.push_back(makeCombination(
            c.name, c.type, uls ? std::optional<FactorSet>(ulsSet) : std::nullopt, forces));
    }
    return out;
}

std::vector<Combination> projectCombinations(const ActionsData& actions,
                                             const design::Approach& approach,
                                             const GeometryData& footing, double soilGamma) {
    const std::vector<FactorSet> sets = ulsFactorSets(approach);
    if (actions.mode == ActionsMode::Combinations) {
        const double weight = actions.selfWeight ? selfWeightLoad(*actions.selfWeight, footing.B,
                                                                  footing.L, footing.D, soilGamma)
                                                       .total()
                                                 : 0.0;
        return givenCombinations(actions.combinations, sets.front(), weight);
    }
    std::vector<Action> all = actions.characteristic;
    if (actions.selfWeight)
        all.push_back(selfWeightAction(*actions.selfWeight, footing, soilGamma));
    return buildCombinations(all, sets);
}

GeometryData withCombination(GeometryData footing, const Combination& combination) {
    footing.N = combination.forces.N;
    footing.T = combination.T;
    footing.ex = combination.ex;
    footing.ey = combination.ey;
    return footing;
}

std::string factorText(double factor) {
    std::string s = formatFixed(factor, 3);
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    if (s == "-0")
        s = "0";
    return s;
}

} // namespace zolt::actions
