// Load combinations: built from characteristic actions (NTC 2018 §2.5.3,
// EN 1990 §6.4.3.2 and §6.5.3) or given already combined, each reduced to
// what a verification needs: N, T, ex, ey and whether the footing lifts.
//
// Permanent actions: every force and moment of one action takes the one
// factor of its group (G1 or G2), favourable or unfavourable as a whole,
// as EN 1990 A1.3.1(4) asks of all permanent actions from one source. The
// unfavourable and favourable values are taken in all four pairs of G1
// and G2, so a combination with the vertical load of one group at its low
// value and the horizontal forces and moments of the other at their high
// value is among those built. A group with no action takes one value
// only, and a set whose two values are equal (EN 1990 Table A1.2(C)) one
// pair: the others would repeat the same combination.
//
// Variable actions: each Q in turn leads at gammaQ, every other one at
// gammaQ psi0; the combination without any Q stands for them all acting
// favourably (gammaQ = 0, NTC 2018 Tab. 2.6.I). A Q whose factor is 0 in a
// combination is left out of it and of its name.
#pragma once

#include "design/approach.h"
#include "model/design_data.h"
#include "model/records.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zolt::actions {

// The partial factors on actions of the ULS fundamental combination.
enum class FactorSet {
    NtcA1, // NTC 2018 Tab. 2.6.I, column A1
    Ec7A1, // EN 1990 Table A1.2(B), expression (6.10)
    Ec7A2, // EN 1990 Table A1.2(C): EN 1997-1 DA1, Combination 2
};

struct PartialFactors {
    double g1Unfavourable;
    double g1Favourable;
    double g2Unfavourable;
    double g2Favourable;
    double q; // unfavourable; favourable variable actions are left out
};

const PartialFactors& partialFactors(FactorSet set);
// "A1 (NTC 2018 Tab. 2.6.I)", "A1 (EN 1990 Tab. A1.2(B))", "A2 (EN 1990 Tab. A1.2(C))".
std::string_view factorSetLabel(FactorSet set);

// The sets a verification with `approach` builds its ULS combinations
// with: A1 of NTC 2018 for "ntc2018"; for "ec7-da1" both of its
// combinations (EN 1997-1 §2.4.7.3.4.2), A1 then A2; A2 for "ec7-da1-c2";
// A1 of EN 1990 for DA2 and DA3 (the actions on a footing are structural
// ones, A1 in DA3 as well).
std::vector<FactorSet> ulsFactorSets(const design::Approach& approach);

// The approach a combination is verified with when the user chose
// `chosen`: design::da1Combination2() for the A2 combinations of DA1,
// `chosen` for every other one.
const design::Approach& approachFor(FactorSet set, const design::Approach& chosen);

// One combination as a verification takes it.
struct Combination {
    std::string name; // Italian; for a built one, how it was built
    CombinationType type = CombinationType::ULS;
    std::optional<FactorSet> factors; // the ULS set; none for SLV and SLE
    BaseForces forces;                // design values, kg and kg m
    double T = 0.0;                   // sqrt(TB^2 + TL^2), kg
    double ex = 0.0;                  // |MB| / N, m; 0 when the footing lifts
    double ey = 0.0;                  // |ML| / N, m; 0 when the footing lifts
    bool lifts = false;               // N <= 0: the footing lifts and the combination fails
};

// T, ex, ey and the flag from the forces.
Combination makeCombination(std::string name, CombinationType type,
                            std::optional<FactorSet> factors, const BaseForces& forces);

// Every combination of `actions`: the ULS ones of each set in `ulsSets`
// in turn, then SLV, SLE rare, frequent and quasi-permanent. Counts, with
// nQ variable actions and both permanent groups present: 4 (nQ + 1) ULS
// per set with distinct favourable values (nQ + 1 for A2); 2 SLV when
// there is an E action, none otherwise; max(nQ, 1) rare and frequent;
// one quasi-permanent. Nothing when there is no action at all.
std::vector<Combination> buildCombinations(std::span<const Action> actions,
                                           std::span<const FactorSet> ulsSets);

// The user's combinations as given, with `selfWeight` (kg) added to N of
// each: times the unfavourable G1 factor of `ulsSet` in a ULS combination
// (1.3 NTC 2018, 1.35 EN 1990 set B, 1.0 set C), times 1 otherwise.
std::vector<Combination> givenCombinations(std::span<const GivenCombination> given,
                                           FactorSet ulsSet, double selfWeight = 0.0);

// The project's combinations for a verification with `approach`: built
// from the characteristic actions with the footing's self-weight as one
// more G1 action, or the given ones with the self-weight added (to the A1
// values only: given design values are of one set). `soilGamma` (kg/m3)
// is the backfill's unit weight when the project gives none.
std::vector<Combination> projectCombinations(const ActionsData& actions,
                                             const design::Approach& approach,
                                             const GeometryData& footing, double soilGamma);

// `footing` carrying the combination's N, T, ex and ey.
GeometryData withCombination(GeometryData footing, const Combination& combination);

// A factor as combination names write it: the shortest decimal form to
// three decimals, no trailing zeros ("1.3", "1.05", "0.945", "1").
std::string factorText(double factor);

} // namespace zolt::actions
