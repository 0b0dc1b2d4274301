#include "design/approach.h"

namespace zolt::design {

namespace {

// NTC 2018 §6.4.2.1 and Tab. 6.4.I (shallow foundations, R3: bearing 2.3,
// sliding 1.1); EN 1997-1 Annex A, Tables A.3-A.5 (R1 1.0/1.0, R2 1.4/1.1,
// R3 1.0/1.0).
constexpr Approach kApproaches[] = {
    {"ntc2018", "NTC 2018 – Approccio 2 (A1+M1+R3)", 2.3, 1.1, "M1", kSoilFactorsM1},
    {"ec7-da1", "EC7 – DA1, Combinazione 1 (A1+M1+R1)", 1.0, 1.0, "M1", kSoilFactorsM1},
    {"ec7-da2", "EC7 – DA2 (A1+M1+R2)", 1.4, 1.1, "M1", kSoilFactorsM1},
    {"ec7-da3", "EC7 – DA3 (A1+M2+R3)", 1.0, 1.0, "M2", kSoilFactorsM2},
};

// EN 1997-1 §2.4.7.3.4.2 and Annex A (Tables A.4, A.5): DA1 Combination 2
// is A2 "+" M2 "+" R1, R1 = 1.0 on bearing and on sliding.
constexpr Approach kDa1Combination2 = {
    "ec7-da1-c2", "EC7 – DA1, Combinazione 2 (A2+M2+R1)", 1.0, 1.0, "M2", kSoilFactorsM2};

} // namespace

std::span<const Approach> approaches() {
    return kApproaches;
}

const Approach* findApproach(std::string_view id) {
    for (const Approach& a : kApproaches)
        if (a.id == id)
            return &a;
    return nullptr;
}

const Approach& da1Combination2() {
    return kDa1Combination2;
}

const Approach* findAnyApproach(std::string_view id) {
    if (id == kDa1Combination2.id)
        return &kDa1Combination2;
    return findApproach(id);
}

} // namespace zolt::design
