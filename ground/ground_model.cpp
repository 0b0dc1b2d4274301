#include "ground/ground_model.h"

#include "engine/common_quantities.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace zolt::ground {

namespace {

// A stretch of depth within one stratum, wholly above or below the water
// table.
struct Piece {
    double from = 0.0; // m
    double to = 0.0;   // m
    const Stratum* stratum = nullptr;
    bool submerged = false;

    double thickness() const { return to - from; }
};

// The pieces of the profile between depths a and b (a < b), top down.
std::vector<Piece> piecesBetween(const Profile& profile, double a, double b) {
    std::vector<Piece> out;
    for (const Stratum& s : profile.strata) {
        const double from = std::max(a, s.top);
        const double to = std::min(b, s.bottom);
        if (!(to > from))
            continue;
        const auto& zw = profile.waterTable;
        if (zw && *zw > from && *zw < to) {
            out.push_back({from, *zw, &s, false});
            out.push_back({*zw, to, &s, true});
        } else {
            out.push_back({from, to, &s, zw && from >= *zw});
        }
    }
    return out;
}

// The thickness-weighted mean of `value` over the pieces. Values that are
// all equal give that value itself, not a sum divided back: one soil must
// give its own numbers bit for bit.
double weightedMean(const std::vector<Piece>& pieces,
                    const std::function<double(const Piece&)>& value) {
    if (pieces.empty())
        return 0.0;
    const double first = value(pieces.front());
    bool uniform = true;
    double sum = 0.0;
    double thickness = 0.0;
    for (const Piece& p : pieces) {
        const double v = value(p);
        uniform = uniform && v == first;
        sum += v * p.thickness();
        thickness += p.thickness();
    }
    return uniform ? first : sum / thickness;
}

double effectiveUnitWeight(const Piece& p) {
    return p.submerged ? p.stratum->soil.gammaSat - kWaterUnitWeight : p.stratum->soil.gamma;
}

double totalUnitWeight(const Piece& p) {
    return p.submerged ? p.stratum->soil.gammaSat : p.stratum->soil.gamma;
}

// The friction angle whose tangent is the mean of the layers' tangents;
// with one angle, that angle.
double meanFrictionAngle(const std::vector<Piece>& pieces) {
    const double first = pieces.empty() ? 0.0 : pieces.front().stratum->soil.phi;
    const bool uniform = std::all_of(pieces.begin(), pieces.end(), [first](const Piece& p) {
        return p.stratum->soil.phi == first;
    });
    if (uniform)
        return first;
    const double tanPhi = weightedMean(
        pieces, [](const Piece& p) { return std::tan(engine::toRadians(p.stratum->soil.phi)); });
    return std::atan(tanPhi) * 180.0 / engine::kPi;
}

// Strata that reach into the open stretch a..b.
template <class F> bool anyStratumWithin(const Profile& profile, double a, double b, F pred) {
    return std::any_of(profile.strata.begin(), profile.strata.end(), [&](const Stratum& s) {
        return s.top < b && s.bottom > a && pred(s);
    });
}

} // namespace

Profile buildProfile(const GroundData& ground, const SoilData& soil) {
    Profile profile;
    profile.waterTable = ground.waterTable;
    if (ground.layers.empty()) {
        Stratum s;
        s.soil.name = "terreno";
        s.soil.gamma = soil.gamma;
        s.soil.gammaSat = ground.gammaSat;
        s.soil.phi = soil.phi;
        s.soil.delta = soil.delta;
        s.soil.c = soil.c;
        s.soil.ca = soil.ca;
        s.soil.cu = 0.0;
        s.soil.settlement = ground.settlement;
        profile.strata.push_back(std::move(s));
        return profile;
    }
    profile.layered = true;
    double top = 0.0;
    for (std::size_t i = 0; i < ground.layers.size(); ++i) {
        Stratum s;
        s.soil = ground.layers[i];
        s.top = top;
        const bool last = i + 1 == ground.layers.size();
        s.bottom = last ? std::numeric_limits<double>::infinity() : top + s.soil.thickness;
        top = s.bottom;
        profile.strata.push_back(std::move(s));
    }
    return profile;
}

const Stratum& stratumAt(const Profile& profile, double z) {
    for (const Stratum& s : profile.strata)
        if (z < s.bottom)
            return s;
    return profile.strata.back();
}

Stress verticalStress(const Profile& profile, double z) {
    Stress s;
    if (!(z > 0.0))
        return s;
    for (const Piece& p : piecesBetween(profile, 0.0, z))
        s.total += totalUnitWeight(p) * p.thickness();
    if (profile.waterTable && z > *profile.waterTable)
        s.pore = kWaterUnitWeight * (z - *profile.waterTable);
    s.effective = s.total - s.pore;
    return s;
}

GroundModel evaluateGround(const Profile& profile, double B, double L, double D) {
    GroundModel model;
    const std::vector<Piece> below = piecesBetween(profile, D, D + B);
    const Stratum& base = stratumAt(profile, D);
    const Stress atBase = verticalStress(profile, D);

    GroundValues& drained = model.drained;
    drained.condition = Condition::Drained;
    drained.q = atBase.effective;
    drained.gamma = weightedMean(below, effectiveUnitWeight);
    drained.phi = meanFrictionAngle(below);
    drained.c = weightedMean(below, [](const Piece& p) { return p.stratum->soil.c; });
    drained.delta = base.soil.delta;
    drained.ca = base.soil.ca;
    const double head = profile.waterTable ? std::max(0.0, D - *profile.waterTable) : 0.0;
    drained.uplift = kWaterUnitWeight * head * B * L;
    if (anyStratumWithin(profile, D, D + 2.0 * B, [&](const Stratum& s) {
            return s.soil.phi < drained.phi || s.soil.c < drained.c;
        }))
        drained.notes.emplace_back(kWeakerLayerNote);

    if (!anyStratumWithin(profile, D, D + B, [](const Stratum& s) { return s.soil.cu > 0.0; }))
        return model;

    GroundValues undrained;
    undrained.condition = Condition::Undrained;
    undrained.q = atBase.total;
    undrained.gamma = weightedMean(below, totalUnitWeight);
    undrained.phi = 0.0;
    undrained.c = weightedMean(below, [](const Piece& p) { return p.stratum->soil.cu; });
    undrained.delta = 0.0;
    undrained.ca = base.soil.cu;
    undrained.uplift = 0.0;
    if (anyStratumWithin(profile, D, D + 2.0 * B,
                         [&](const Stratum& s) { return s.soil.cu < undrained.c; }))
        undrained.notes.emplace_back(kWeakerLayerNote);
    model.undrained = std::move(undrained);
    return model;
}

GroundModel evaluateGround(const GroundData& ground, const SoilData& soil,
                           const GeometryData& footing) {
    return evaluateGround(buildProfile(ground, soil), footing.B, footing.L, footing.D);
}

GeometryData methodFooting(const GeometryData& footing, const GroundValues& values) {
    GeometryData g = footing;
    if (values.uplift != 0.0)
        g.N = footing.N - values.uplift;
    return g;
}

BearingOptions methodOptions(const GroundValues& values) {
    BearingOptions options;
    options.overburden = values.q;
    return options;
}

const char* conditionName(Condition condition) {
    return condition == Condition::Drained ? "drenata" : "non drenata";
}

const char* conditionRule(Condition condition) {
    if (condition == Condition::Drained)
        return "condizione drenata (tensioni efficaci): q' = somma di γ sopra la falda e "
               "γsat − γw sotto fino al piano di posa; γ', tan φ' e c' medie pesate sugli "
               "spessori entro B sotto il piano di posa; δ e ca dello strato di posa; "
               "sottospinta U = γw·(D − zw)·B·L";
    return "condizione non drenata (tensioni totali): φ = 0, c = media pesata di cu entro B "
           "sotto il piano di posa; q = tensione verticale totale al piano di posa; δ = 0, "
           "ca = cu dello strato di posa; nessuna sottospinta";
}

} // namespace zolt::ground
