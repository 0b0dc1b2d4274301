#include "settlement/settlement.h"

#include "model/number_text.h"
#include "settlement/influence_factors.h"

#include <boost/math/quadrature/gauss_kronrod.hpp>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

namespace zolt::settlement {

namespace {

// Standard gravity: 1 kg (force) = 9.80665 N.
constexpr double kKilonewtonsPerKg = 0.00980665;
// Moduli and stresses of a layer are entered in kg/cm2; the stresses of
// the ground model are kg/m2.
constexpr double kSquareCmPerSquareM = 10000.0;
constexpr double kCmPerM = 100.0;

// EN 1997-1 §6.6.2(6): the compressible depth may be taken down to where
// the stress increase from the foundation is 20 % of the effective
// overburden.
constexpr double kCutoffRatio = 0.2;
// The depth of influence is looked for down to 10 B; a load that is still
// above the cut-off there stops at 10 B, with a note.
constexpr double kMaxInfluenceWidths = 10.0;

// Relative tolerance of the adaptive Gauss-Kronrod (G7-K15) quadrature of
// the oedometric strains on each piece, and its deepest bisection. The
// tests hold the result to 1e-6 of the exact Steinbrenner integral, far
// inside the 0.1 % the method is asked to keep.
constexpr double kQuadratureTolerance = 1e-10;
constexpr unsigned kQuadratureDepth = 15;

// Intervals of the plot between the base and its deepest point.
constexpr int kProfileIntervals = 100;

// Schmertmann, Hartman & Brown (1978), J. Geotech. Eng. Div. ASCE 104(GT8):
// the strain influence diagram of a square (axisymmetric) footing, Iz0 =
// 0.1 at the base, the peak at B/2 and 0 at 2B, and of a strip (L/B >= 10,
// plane strain), 0.2, B and 4B, in between by r = (L/B - 1)/9; the peak
// Izp = 0.5 + 0.1 sqrt(dp / sigma'vp); C1 = 1 - 0.5 sigma'v0/dp >= 0.5;
// C2 = 1 + 0.2 log10(t / 0.1 year).
constexpr double kSchmertmannIz0Square = 0.1;
constexpr double kSchmertmannIz0Strip = 0.2;
constexpr double kSchmertmannPeakBase = 0.5;
constexpr double kSchmertmannPeakSlope = 0.1;
constexpr double kSchmertmannC1Minimum = 0.5;
constexpr double kSchmertmannC1Slope = 0.5;
constexpr double kSchmertmannCreep = 0.2;
constexpr double kSchmertmannCreepStart = 0.1; // years

// Burland & Burbidge (1985), Proc. ICE 78(6), 1325-1381, also
// EN 1997-2 Annex F: z_I = B^0.763 (m) for a blow count constant or
// growing with depth, Ic = 1.71 / N^1.4, s = fs ft s0 (mm, with q' kPa, B m),
// s0 = q' B^0.7 Ic (normally consolidated), q' B^0.7 Ic / 3 up to the
// preconsolidation and (q' - 2/3 sigma'p) B^0.7 Ic beyond it,
// fs = (1.25 (L/B) / (L/B + 0.25))^2, ft = 1 + R3 + R log10(t/3) from
// 3 years, R3 = 0.3 and R = 0.2 for static loads.
constexpr double kBurlandDepthExponent = 0.763;
constexpr double kBurlandIcFactor = 1.71;
constexpr double kBurlandIcExponent = 1.4;
constexpr double kBurlandWidthExponent = 0.7;
constexpr double kBurlandShape = 1.25;
constexpr double kBurlandShapeOffset = 0.25;
constexpr double kBurlandR3 = 0.3;
constexpr double kBurlandR = 0.2;
constexpr double kBurlandTimeStart = 3.0; // years
constexpr double kBurlandRecompression = 1.0 / 3.0;
constexpr double kBurlandPreconsolidation = 2.0 / 3.0;

const char* const kCappedNote = "profondità di influenza limitata a 10·B";
const char* const kNoLoadNote =
    "q netto non superiore a 0.2·σ'v0 al piano di posa: nessun cedimento";
const char* const kElasticNote =
    "fondazione flessibile, cedimento al centro; nessuna riduzione per l'approfondimento "
    "del piano di posa";
const char* const kSchmertmannNote =
    "E degli strati come modulo di Schmertmann (di solito 2.5·qc per plinti quadrati, "
    "3.5·qc per fondazioni nastriformi)";
const char* const kBurlandNote =
    "Nspt usato come dato, senza correzioni per sabbie fini sotto falda o ghiaie; il "
    "cedimento è ripartito tra gli strati in proporzione allo spessore entro z_I";

// The footing in the methods' terms, with the stresses at its base.
struct Context {
    const ground::Profile& profile;
    double B = 0.0;    // the shorter side, m
    double L = 0.0;    // the longer side, m
    double D = 0.0;    // m
    double q = 0.0;    // kg/m2
    double qNet = 0.0; // kg/m2
    ground::Stress base;
    std::optional<double> years;
};

double effectiveAt(const Context& c, double zBelowBase) {
    return ground::verticalStress(c.profile, c.D + zBelowBase).effective;
}

double deltaSigma(const Context& c, double zBelowBase) {
    return stressUnderCentre(c.qNet, c.B, c.L, zBelowBase);
}

// The depth below the base where the stress increase falls to 0.2 sigma'v0.
// The increase only falls and the overburden only grows with depth, so
// their difference crosses zero once: bisection to the last bits.
double influenceDepth(const Context& c, bool& capped) {
    capped = false;
    const auto excess = [&c](double z) {
        return deltaSigma(c, z) - kCutoffRatio * effectiveAt(c, z);
    };
    if (!(excess(0.0) > 0.0))
        return 0.0;
    double hi = kMaxInfluenceWidths * c.B;
    if (excess(hi) >= 0.0) {
        capped = true;
        return hi;
    }
    double lo = 0.0;
    for (int i = 0; i < 200 && hi - lo > 1e-12 * (1.0 + hi); ++i) {
        const double mid = 0.5 * (lo + hi);
        (excess(mid) > 0.0 ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

// The method as a sentence names it.
std::string methodPhrase(SettlementMethod method) {
    switch (method) {
    case SettlementMethod::Elastic:
        return "metodo elastico";
    case SettlementMethod::Oedometric:
        return "metodo edometrico";
    case SettlementMethod::Schmertmann:
        return "metodo di Schmertmann";
    case SettlementMethod::BurlandBurbidge:
        return "metodo di Burland e Burbidge";
    }
    return "metodo";
}

SettlementFailure layerFailure(const ground::Stratum& s, std::string key, std::string text) {
    SettlementFailure f;
    f.layer = s.soil.name;
    f.value = std::move(key);
    f.message = "strato \"" + s.soil.name + "\": " + std::move(text);
    return f;
}

bool positive(double v) {
    return v > 0.0;
}
bool nonNegative(double v) {
    return v >= 0.0;
}
bool poisson(double v) {
    return v >= 0.0 && v <= 0.5;
}

using Field = std::optional<double> SettlementParameters::*;

struct Parameter {
    const char* key;
    const char* label;
    Field field;
    bool (*accepts)(double);
    const char* range;
};

const Parameter kE{"E", "E (modulo di Young, kg/cm²)", &SettlementParameters::E, positive,
                   "deve essere maggiore di 0"};
const Parameter kNu{"nu", "nu (coefficiente di Poisson)", &SettlementParameters::nu, poisson,
                    "deve essere compreso tra 0 e 0.5"};
const Parameter kEoed{"Eoed", "Eoed (modulo edometrico, kg/cm²)", &SettlementParameters::Eoed,
                      positive, "deve essere maggiore di 0"};
const Parameter kCc{"Cc", "Cc (indice di compressione)", &SettlementParameters::Cc, positive,
                    "deve essere maggiore di 0"};
const Parameter kCr{"Cr", "Cr (indice di ricompressione)", &SettlementParameters::Cr, nonNegative,
                    "non può essere negativo"};
const Parameter kE0{"e0", "e0 (indice dei vuoti iniziale)", &SettlementParameters::e0, positive,
                    "deve essere maggiore di 0"};
const Parameter kSigmaP{"sigmaP", "sigmaP (tensione di preconsolidazione, kg/cm²)",
                        &SettlementParameters::sigmaP, nonNegative, "non può essere negativa"};
const Parameter kNspt{"Nspt", "Nspt (numero di colpi SPT)", &SettlementParameters::Nspt, positive,
                      "deve essere maggiore di 0"};

// The failure for a value that is missing or out of its range; none when
// the value is there and good.
std::optional<SettlementFailure> check(const ground::Stratum& s, const Parameter& p,
                                       SettlementMethod method) {
    const std::optional<double>& v = s.soil.settlement.*(p.field);
    if (!v)
        return layerFailure(
            s, p.key, std::string("manca ") + p.label + ", necessario al " + methodPhrase(method));
    if (!std::isfinite(*v) || !p.accepts(*v))
        return layerFailure(
            s, p.key, std::string(p.key) + " = " + formatRoundTrip(*v) + " non valido: " + p.range);
    return std::nullopt;
}

// A stretch of depth below the base within one stratum and on one side of
// the water table, where every unit weight is one value.
struct Piece {
    double a = 0.0; // m below the base
    double b = 0.0;
    const ground::Stratum* stratum = nullptr;
};

// The depths below the base where the profile changes within (0, depth):
// the strata's boundaries and the water table, and `extra`.
std::vector<double> breakpoints(const Context& c, double depth, std::vector<double> extra) {
    std::vector<double> out = std::move(extra);
    for (const ground::Stratum& s : c.profile.strata)
        out.push_back(s.bottom - c.D);
    if (c.profile.waterTable)
        out.push_back(*c.profile.waterTable - c.D);
    out.erase(std::remove_if(out.begin(), out.end(),
                             [depth](double z) { return !(z > 0.0 && z < depth); }),
              out.end());
    return out;
}

// The plot's depths below the base: even steps down to past the depth the
// method used, with that depth and the profile's changes among them.
std::vector<double> plotDepths(const Context& c, double depth, const std::vector<double>& extra) {
    const double bottom = std::max(1.25 * depth, 2.0 * c.B);
    std::vector<double> z = breakpoints(c, bottom, extra);
    for (int i = 0; i <= kProfileIntervals; ++i)
        z.push_back(bottom * i / kProfileIntervals);
    if (depth > 0.0)
        z.push_back(depth);
    std::sort(z.begin(), z.end());
    const double tiny = 1e-9 * bottom;
    z.erase(std::unique(z.begin(), z.end(), [tiny](double x, double y) { return y - x < tiny; }),
            z.end());
    return z;
}

// The strata that the stretch 0..depth below the base reaches, top down.
std::vector<const ground::Stratum*> reached(const Context& c, double depth) {
    std::vector<const ground::Stratum*> out;
    if (!(depth > 0.0))
        return out;
    for (const ground::Stratum& s : c.profile.strata)
        if (s.top < c.D + depth && s.bottom > c.D)
            out.push_back(&s);
    return out;
}

// What a method hands the common part: the settlement of a piece (m), and
// the depths its integrand changes at besides the profile's.
struct Method {
    double depth = 0.0; // m below the base; 0 = nothing settles
    std::vector<double> breaks;
    std::function<double(const Piece&)> settle;
};

// Integrates the method piece by piece down to its depth, sums each
// layer and fills the plot.
void integrate(const Context& c, const Method& m, Settlement& out) {
    const std::vector<double> samples = plotDepths(c, m.depth, m.breaks);
    std::vector<double> nodes = breakpoints(c, m.depth, m.breaks);
    for (double z : samples)
        if (z > 0.0 && z < m.depth)
            nodes.push_back(z);
    nodes.push_back(0.0);
    if (m.depth > 0.0)
        nodes.push_back(m.depth);
    std::sort(nodes.begin(), nodes.end());
    nodes.erase(std::unique(nodes.begin(), nodes.end()), nodes.end());

    // Cumulative settlement at every node, m.
    std::vector<double> cumulative(nodes.size(), 0.0);
    const ground::Stratum* current = nullptr;
    for (std::size_t i = 1; i < nodes.size(); ++i) {
        Piece p{nodes[i - 1], nodes[i],
                &ground::stratumAt(c.profile, c.D + 0.5 * (nodes[i - 1] + nodes[i]))};
        const double s = m.settle(p);
        cumulative[i] = cumulative[i - 1] + s;
        if (p.stratum != current) {
            current = p.stratum;
            LayerSettlement l;
            l.name = p.stratum->soil.name;
            l.top = c.D + p.a;
            out.layers.push_back(l);
        }
        out.layers.back().bottom = c.D + p.b;
        out.layers.back().s += s * kCmPerM;
    }
    const double total = cumulative.back();
    out.totalCm = total * kCmPerM;

    SettlementProfile& pr = out.profile;
    for (double z : samples) {
        const double sigma = effectiveAt(c, z);
        pr.z.push_back(c.D + z);
        pr.sigmaV0.push_back(sigma);
        pr.deltaSigma.push_back(deltaSigma(c, z));
        pr.cutoff.push_back(kCutoffRatio * sigma);
        double cum = total;
        if (z < m.depth) {
            const auto it = std::lower_bound(nodes.begin(), nodes.end(), z);
            cum = cumulative[static_cast<std::size_t>(it - nodes.begin())];
        }
        pr.cumulative.push_back(cum * kCmPerM);
    }
}

// Elastic: Steinbrenner's corner settlement over 0..z (Bowles eq. 5-16)
// four times for the centre, a layer adding the difference between its
// bottom and its top with its own E and nu.
std::optional<SettlementFailure> elastic(const Context& c, Settlement& out) {
    bool capped = false;
    Method m;
    m.depth = influenceDepth(c, capped);
    out.methodPressure = c.qNet;
    out.notes.push_back(kElasticNote);
    if (capped)
        out.notes.push_back(kCappedNote);
    if (m.depth == 0.0)
        out.notes.push_back(kNoLoadNote);
    constexpr SettlementMethod name = SettlementMethod::Elastic;
    for (const ground::Stratum* s : reached(c, m.depth))
        for (const Parameter* p : {&kE, &kNu})
            if (auto f = check(*s, *p, name))
                return f;
    const double half = 0.5 * c.B;
    const double M = c.L / c.B;
    m.settle = [&c, half, M](const Piece& p) {
        const SettlementParameters& sp = p.stratum->soil.settlement;
        const double E = *sp.E * kSquareCmPerSquareM;
        const double nu = *sp.nu;
        const double factor =
            steinbrennerFactor(M, p.b / half, nu) - steinbrennerFactor(M, p.a / half, nu);
        return 4.0 * c.qNet * half * (1.0 - nu * nu) / E * factor;
    };
    integrate(c, m, out);
    out.influenceDepth = m.depth;
    return std::nullopt;
}

bool hasCompressionIndices(const SettlementParameters& p) {
    return p.Cc && p.Cr && p.e0;
}

// Oedometric: with Cc, Cr and e0 each slice dz settles dz/(1 + e0) times
// Cr log10(s'f/s'0) up to s'p and Cc log10(s'f/s'p) beyond it, s'f =
// s'0 + dsigma, s'p = max(s'0, sigmaP) (Terzaghi and Peck's e-log p'
// compression; Budhu, Soil Mechanics and Foundations, §9.7); with Eoed
// alone, dsigma / Eoed.
std::optional<SettlementFailure> oedometric(const Context& c, Settlement& out) {
    bool capped = false;
    Method m;
    m.depth = influenceDepth(c, capped);
    out.methodPressure = c.qNet;
    if (capped)
        out.notes.push_back(kCappedNote);
    if (m.depth == 0.0)
        out.notes.push_back(kNoLoadNote);
    constexpr SettlementMethod name = SettlementMethod::Oedometric;
    for (const ground::Stratum* s : reached(c, m.depth)) {
        const SettlementParameters& sp = s->soil.settlement;
        const bool partial = sp.Cc || sp.Cr || sp.e0;
        if (hasCompressionIndices(sp)) {
            for (const Parameter* p : {&kCc, &kCr, &kE0})
                if (auto f = check(*s, *p, name))
                    return f;
            if (sp.sigmaP)
                if (auto f = check(*s, kSigmaP, name))
                    return f;
        } else if (sp.Eoed) {
            if (auto f = check(*s, kEoed, name))
                return f;
            if (partial)
                out.notes.push_back("strato \"" + s->soil.name +
                                    "\": Cc, Cr ed e0 incompleti, usato Eoed");
        } else if (partial) {
            for (const Parameter* p : {&kCc, &kCr, &kE0})
                if (auto f = check(*s, *p, name))
                    return f;
        } else {
            return layerFailure(*s, "Eoed",
                                "mancano Eoed (modulo edometrico, kg/cm²) oppure Cc, Cr ed e0, "
                                "necessari al " +
                                    methodPhrase(name));
        }
    }
    // Within a piece the unit weight is one value, so sigma'v0 runs
    // straight between the values the ground model gives at its ends.
    m.settle = [&c](const Piece& p) {
        const SettlementParameters& sp = p.stratum->soil.settlement;
        const double s0a = effectiveAt(c, p.a);
        const double s0b = effectiveAt(c, p.b);
        const double slope = (s0b - s0a) / (p.b - p.a);
        using Quadrature = boost::math::quadrature::gauss_kronrod<double, 15>;
        if (!hasCompressionIndices(sp)) {
            const double Eoed = *sp.Eoed * kSquareCmPerSquareM;
            return Quadrature::integrate([&c](double z) { return deltaSigma(c, z); }, p.a, p.b,
                                         kQuadratureDepth, kQuadratureTolerance) /
                   Eoed;
        }
        const double Cc = *sp.Cc;
        const double Cr = *sp.Cr;
        const double e0 = *sp.e0;
        const double sigmaP = sp.sigmaP.value_or(0.0) * kSquareCmPerSquareM;
        const auto strain = [&](double z) {
            const double s0 = s0a + slope * (z - p.a);
            const double sf = s0 + deltaSigma(c, z);
            const double sp0 = std::max(s0, sigmaP);
            const double e = sf <= sp0 ? Cr * std::log10(sf / s0)
                                       : Cr * std::log10(sp0 / s0) + Cc * std::log10(sf / sp0);
            return e / (1.0 + e0);
        };
        return Quadrature::integrate(strain, p.a, p.b, kQuadratureDepth, kQuadratureTolerance);
    };
    // Without effective stress there is no e-log p' line to follow. The
    // stress is straight in a piece, so it is positive inside wherever it
    // is at the piece's bottom; 0 at the base of a surface footing alone
    // is the strain's log singularity, which the quadrature integrates.
    std::vector<double> ends = breakpoints(c, m.depth, {});
    ends.push_back(m.depth);
    std::sort(ends.begin(), ends.end());
    double top = 0.0;
    for (double bottom : ends) {
        if (!(bottom > top))
            continue;
        const ground::Stratum& s = ground::stratumAt(c.profile, c.D + 0.5 * (top + bottom));
        if (hasCompressionIndices(s.soil.settlement) && !(effectiveAt(c, bottom) > 0.0))
            return layerFailure(s, "gamma",
                                "tensione verticale efficace nulla: il " + methodPhrase(name) +
                                    " con Cc, Cr ed e0 non è applicabile");
        top = bottom;
    }
    integrate(c, m, out);
    out.influenceDepth = m.depth;
    return std::nullopt;
}

std::optional<SettlementFailure> schmertmann(const Context& c, Settlement& out) {
    SchmertmannTerms t;
    const double r = std::clamp((c.L / c.B - 1.0) / 9.0, 0.0, 1.0);
    t.Iz0 = kSchmertmannIz0Square + (kSchmertmannIz0Strip - kSchmertmannIz0Square) * r;
    t.zp = (0.5 + 0.5 * r) * c.B;
    t.zend = (2.0 + 2.0 * r) * c.B;
    t.deltaP = c.q - c.base.effective;
    t.sigmaVp = effectiveAt(c, t.zp);
    if (c.years && *c.years > kSchmertmannCreepStart)
        t.C2 = 1.0 + kSchmertmannCreep * std::log10(*c.years / kSchmertmannCreepStart);
    out.notes.push_back(kSchmertmannNote);
    Method m;
    if (t.deltaP > 0.0) {
        m.depth = t.zend;
        out.methodPressure = t.deltaP;
        t.C1 = std::max(kSchmertmannC1Minimum,
                        1.0 - kSchmertmannC1Slope * c.base.effective / t.deltaP);
    } else {
        out.notes.push_back("q non superiore a σ'v0 al piano di posa: nessun cedimento");
    }
    constexpr SettlementMethod name = SettlementMethod::Schmertmann;
    for (const ground::Stratum* s : reached(c, m.depth))
        if (auto f = check(*s, kE, name))
            return f;
    if (m.depth > 0.0) {
        if (!(t.sigmaVp > 0.0))
            return layerFailure(ground::stratumAt(c.profile, c.D + t.zp), "gamma",
                                "tensione verticale efficace nulla alla profondità del picco di "
                                "Iz: il " +
                                    methodPhrase(name) + " non è applicabile");
        t.Izp = kSchmertmannPeakBase + kSchmertmannPeakSlope * std::sqrt(t.deltaP / t.sigmaVp);
    }
    m.breaks = {t.zp};
    // Iz is straight on each side of its peak and E is one value in a
    // layer, so the trapezoid is exact on every piece.
    const auto Iz = [&t](double z) {
        if (z <= t.zp)
            return t.Iz0 + (t.Izp - t.Iz0) * z / t.zp;
        return std::max(0.0, t.Izp * (t.zend - z) / (t.zend - t.zp));
    };
    m.settle = [&t, Iz](const Piece& p) {
        const double E = *p.stratum->soil.settlement.E * kSquareCmPerSquareM;
        return t.C1 * t.C2 * t.deltaP * 0.5 * (Iz(p.a) + Iz(p.b)) * (p.b - p.a) / E;
    };
    integrate(c, m, out);
    out.influenceDepth = m.depth;
    out.schmertmann = t;
    return std::nullopt;
}

std::optional<SettlementFailure> burlandBurbidge(const Context& c, Settlement& out) {
    BurlandBurbidgeTerms t;
    const double zI = std::pow(c.B, kBurlandDepthExponent);
    t.qPrime = (c.q - c.base.pore) * kKilonewtonsPerKg;
    const ground::Stratum& base = ground::stratumAt(c.profile, c.D);
    out.notes.push_back(kBurlandNote);
    Method m;
    if (t.qPrime > 0.0) {
        m.depth = zI;
        out.methodPressure = c.q - c.base.pore;
    } else {
        out.notes.push_back(
            "q non superiore alla pressione dell'acqua alla base: nessun cedimento");
    }
    constexpr SettlementMethod name = SettlementMethod::BurlandBurbidge;
    double weighted = 0.0;
    for (const ground::Stratum* s : reached(c, m.depth)) {
        if (auto f = check(*s, kNspt, name))
            return f;
        const double h = std::min(s->bottom, c.D + zI) - std::max(s->top, c.D);
        weighted += *s->soil.settlement.Nspt * h;
    }
    if (m.depth > 0.0) {
        if (base.soil.settlement.sigmaP)
            if (auto f = check(base, kSigmaP, name))
                return f;
        // A base in an excavation is overconsolidated by the soil removed.
        t.sigmaP = std::max(c.base.effective,
                            base.soil.settlement.sigmaP.value_or(0.0) * kSquareCmPerSquareM) *
                   kKilonewtonsPerKg;
        t.Nmean = weighted / zI;
        t.Ic = kBurlandIcFactor / std::pow(t.Nmean, kBurlandIcExponent);
        const double widthTerm = std::pow(c.B, kBurlandWidthExponent) * t.Ic;
        t.s0 = t.qPrime <= t.sigmaP ? kBurlandRecompression * t.qPrime * widthTerm
                                    : (t.qPrime - kBurlandPreconsolidation * t.sigmaP) * widthTerm;
        const double ratio = c.L / c.B;
        t.fs = std::pow(kBurlandShape * ratio / (ratio + kBurlandShapeOffset), 2);
        if (c.years && *c.years >= kBurlandTimeStart)
            t.ft = 1.0 + kBurlandR3 + kBurlandR * std::log10(*c.years / kBurlandTimeStart);
    }
    // One mean blow count over z_I: the method's strain is one value there.
    const double total = t.fs * t.ft * t.s0 / 1000.0; // m
    m.settle = [total, zI](const Piece& p) { return total * (p.b - p.a) / zI; };
    integrate(c, m, out);
    out.influenceDepth = m.depth;
    out.burlandBurbidge = t;
    return std::nullopt;
}

SettlementOutcome fail(SettlementFailure f) {
    SettlementOutcome o;
    o.failure = std::move(f);
    return o;
}

} // namespace

SettlementOutcome computeSettlement(SettlementMethod method, const ground::Profile& profile,
                                    const Footing& footing, std::optional<double> years,
                                    std::optional<double> limit) {
    if (!(footing.B > 0.0) || !(footing.L > 0.0) || !std::isfinite(footing.B) ||
        !std::isfinite(footing.L))
        return fail({"", "B",
                     "dimensioni della fondazione non valide: B e L devono essere "
                     "maggiori di 0"});
    if (!(footing.D >= 0.0) || !std::isfinite(footing.D))
        return fail({"", "D", "profondità del piano di posa non valida"});
    if (!(footing.N >= 0.0) || !std::isfinite(footing.N))
        return fail({"", "N", "carico verticale negativo o non valido: cedimento non calcolabile"});
    if (profile.strata.empty())
        return fail({"", "", "profilo del terreno vuoto"});
    if (limit && !(*limit > 0.0))
        return fail({"", "limit", "cedimento ammissibile non valido: deve essere maggiore di 0"});

    const double q = footing.N / (footing.B * footing.L);
    const ground::Stress base = ground::verticalStress(profile, footing.D);
    const Context c{profile,
                    std::min(footing.B, footing.L),
                    std::max(footing.B, footing.L),
                    footing.D,
                    q,
                    std::max(0.0, q - base.total),
                    base,
                    years};

    Settlement s;
    s.method = method;
    s.q = c.q;
    s.qNet = c.qNet;
    s.notes.emplace_back(kEccentricityNote);
    std::optional<SettlementFailure> failure;
    switch (method) {
    case SettlementMethod::Elastic:
        failure = elastic(c, s);
        break;
    case SettlementMethod::Oedometric:
        failure = oedometric(c, s);
        break;
    case SettlementMethod::Schmertmann:
        failure = schmertmann(c, s);
        break;
    case SettlementMethod::BurlandBurbidge:
        failure = burlandBurbidge(c, s);
        break;
    }
    if (failure)
        return fail(std::move(*failure));
    s.totalMm = s.totalCm * 10.0;
    s.limit = limit;
    if (limit) {
        s.utilisation = s.totalCm / *limit;
        s.verified = s.totalCm <= *limit;
    }
    SettlementOutcome o;
    o.settlement = std::move(s);
    return o;
}

std::string_view methodId(SettlementMethod method) {
    switch (method) {
    case SettlementMethod::Elastic:
        return "elastic";
    case SettlementMethod::Oedometric:
        return "oedometric";
    case SettlementMethod::Schmertmann:
        return "schmertmann";
    case SettlementMethod::BurlandBurbidge:
        return "burland-burbidge";
    }
    return "elastic";
}

std::optional<SettlementMethod> parseMethod(std::string_view id) {
    for (SettlementMethod m : {SettlementMethod::Elastic, SettlementMethod::Oedometric,
                               SettlementMethod::Schmertmann, SettlementMethod::BurlandBurbidge})
        if (methodId(m) == id)
            return m;
    return std::nullopt;
}

std::string_view methodName(SettlementMethod method) {
    switch (method) {
    case SettlementMethod::Elastic:
        return "elastico (Steinbrenner)";
    case SettlementMethod::Oedometric:
        return "edometrico";
    case SettlementMethod::Schmertmann:
        return "Schmertmann (1978)";
    case SettlementMethod::BurlandBurbidge:
        return "Burland e Burbidge (1985)";
    }
    return "";
}

} // namespace zolt::settlement
