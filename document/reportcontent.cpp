#include "document/reportcontent.h"

#include "design/units.h"
#include "engine/bearing_capacity.h"
#include "ground/ground_model.h"
#include "engine/methods.h"
#include "model/number_text.h"
#include "workflow/result_rows.h"

#include <cmath>

namespace zolt::document {

namespace {

constexpr double kDegreesPerRadian = 180.0 / engine::kPi;

struct Branch {
    bool cohesive = false; // phi == 0
    bool inclined = false; // the method's inclined-load case
    bool square = false;   // Terzaghi's square base
};

Branch branchOf(const ReportRequest& r, const engine::CommonQuantities& cq) {
    Branch b;
    b.cohesive = r.soil.phi == 0.0;
    // The very tests the engine makes, so that the formulas shown are those
    // it applied.
    b.inclined = r.settings.method == Meyerhof ? engine::isInclinedForMeyerhof(cq)
                                               : engine::isInclinedForHansenVesic(cq);
    b.square = engine::isSquareForTerzaghi(r.geometry);
    return b;
}

// Rows of one group, with or without their values.
class Rows {
public:
    explicit Rows(bool withValues) : m_withValues(withValues) {}

    void add(std::string formula, double value, int decimals, const char* unit = "") {
        std::string text = formatDecimal(value, decimals);
        if (*unit != '\0')
            text += std::string(" ") + unit;
        addText(std::move(formula), std::move(text));
    }
    void factor(std::string formula, double value) { add(std::move(formula), value, 3); }
    void addText(std::string formula, std::string value) {
        m_rows.push_back({std::move(formula), m_withValues ? std::move(value) : kNoValue});
    }

    FormulaGroup group(std::string title) { return {std::move(title), std::move(m_rows)}; }

private:
    bool m_withValues;
    std::vector<FormulaRow> m_rows;
};

FormulaGroup commonQuantities(const ReportRequest& r, const ReportCalculation& c, const Branch& b,
                              bool withValues) {
    const engine::CommonQuantities& cq = c.common;
    const GeometryData& g = r.geometry;
    const int method = r.settings.method;
    const bool hansenOrVesic = method == Hansen || method == Vesic;
    Rows rows(withValues);
    if (method != Terzaghi)
        rows.factor("K_{p} = tan^{2}(45\u00b0 + \u03c6/2)", cq.Kp);
    rows.add("c = 10000\u00b7c (da Kg/cmq a Kg/mq)", cq.cM, 1, "Kg/mq");
    rows.add("B\u2032 = B \u2212 2\u00b7e_{x}", cq.Bprime, 2, "m");
    rows.add("L\u2032 = L \u2212 2\u00b7e_{y}", cq.Lprime, 2, "m");
    rows.add("A\u2032 = B\u2032\u00b7L\u2032", cq.Aprime, 3, "mq");
    rows.add("q = \u03b3\u00b7D", cq.q, 1, "Kg/mq");
    if (hansenOrVesic)
        rows.factor(g.D / g.B <= 1.0 ? "k = D/B (D/B \u2264 1)"
                                     : "k = arctan(D/B) in radianti (D/B > 1)",
                    cq.k);
    if (method != Terzaghi)
        rows.addText(g.N > 0.0 ? "\u03b8 = |arctan(T/N)|" : "\u03b8 = 0 (N = 0)",
                   formatFixed(cq.theta, 4) + " rad (" +
                       formatFixed(cq.theta * kDegreesPerRadian, 2) + "\u00b0)");
    if (hansenOrVesic && b.inclined) {
        // Both loads times the full length L, as the engine takes them.
        rows.add("H = |T|\u00b7L", std::fabs(g.T) * g.L, 1, "Kg\u00b7m");
        if (b.cohesive)
            rows.add("V* = 0 (\u03c6 = 0)", cq.Vstar, 1, "Kg\u00b7m");
        else
            rows.add("V* = A\u2032\u00b7c_{a}/tan \u03c6 + N\u00b7L (c_{a} in Kg/mq)", cq.Vstar, 1,
                     "Kg\u00b7m");
        if (method == Vesic)
            rows.factor("m = (B/L + 2)/(B/L + 1)", (g.B / g.L + 2.0) / (g.B / g.L + 1.0));
    }
    return rows.group("Grandezze comuni");
}

FormulaGroup bearingFactors(const ReportRequest& r, const ReportCalculation& c, const Branch& b,
                            bool withValues) {
    const BearingResult& res = c.result;
    Rows rows(withValues);
    const char* nc = b.cohesive ? "N_{c} = 5.14 (\u03c6 = 0)" : "N_{c} = (N_{q} \u2212 1)/tan \u03c6";
    switch (r.settings.method) {
    case Terzaghi:
        rows.factor("a = e^{(3\u03c0/4 \u2212 \u03c6_{r}/2)\u00b7tan \u03c6}", res.terzaghiA);
        rows.factor("N_{q} = a^{2}/(2\u00b7cos^{2}(45\u00b0 + \u03c6/2))", res.Nq);
        rows.factor(nc, res.Nc);
        rows.factor("N_{\u03b3} = 2\u00b7(N_{q} + 1)\u00b7tan \u03c6", res.Nga);
        break;
    default:
        rows.factor("N_{q} = e^{\u03c0\u00b7tan \u03c6}\u00b7K_{p}", res.Nq);
        rows.factor(nc, res.Nc);
        if (r.settings.method == Meyerhof)
            rows.factor("N_{\u03b3} = (N_{q} \u2212 1)\u00b7tan(1.4\u00b7\u03c6)", res.Nga);
        else if (r.settings.method == Hansen)
            rows.factor("N_{\u03b3} = 1.5\u00b7(N_{q} \u2212 1)\u00b7tan \u03c6", res.Nga);
        else if (b.cohesive)
            rows.factor("N_{\u03b3} = \u22122\u00b7sin \u03c9 (\u03c6 = 0)", res.Nga);
        else
            rows.factor("N_{\u03b3} = 2\u00b7(N_{q} + 1)\u00b7tan \u03c6", res.Nga);
        break;
    }
    return rows.group("Fattori di capacità portante");
}

// The factor groups of the method, in the order of the results.
std::vector<FormulaGroup> factorGroups(const ReportRequest& r, const ReportCalculation& c,
                                       const Branch& b, bool withValues) {
    const BearingResult& res = c.result;
    const int method = r.settings.method;
    std::vector<FormulaGroup> groups;

    if (method == Terzaghi) {
        Rows s(withValues);
        if (b.square) {
            s.factor("s_{c} = 1.3 (base quadrata: |B \u2212 L| < 0.01 m)", res.sc);
            s.factor("s_{q} = 1", res.sq);
            s.factor("s_{\u03b3} = 0.8", res.sga);
        } else {
            s.factor("s_{c} = 1 (base nastriforme o rettangolare)", res.sc);
            s.factor("s_{q} = 1", res.sq);
            s.factor("s_{\u03b3} = 1", res.sga);
        }
        groups.push_back(s.group("Fattori di forma"));
        return groups;
    }

    if (method == Meyerhof) {
        if (!b.inclined) {
            Rows s(withValues);
            s.factor("s_{c} = 1 + 0.2\u00b7K_{p}\u00b7B\u2032/L", res.sc);
            s.factor(b.cohesive ? "s_{q} = 1 (\u03c6 = 0)" : "s_{q} = 1 + 0.1\u00b7K_{p}\u00b7B\u2032/L",
                     res.sq);
            s.factor("s_{\u03b3} = s_{q}", res.sga);
            groups.push_back(s.group("Fattori di forma (carico verticale)"));
        }
        Rows d(withValues);
        d.factor("d_{c} = 1 + 0.2\u00b7\u221aK_{p}\u00b7D/B", res.dc);
        d.factor(b.cohesive ? "d_{q} = 1 (\u03c6 = 0)" : "d_{q} = 1 + 0.1\u00b7\u221aK_{p}\u00b7D/B",
                 res.dq);
        d.factor("d_{\u03b3} = d_{q}", res.dga);
        groups.push_back(d.group("Fattori di profondità del piano di posa"));
        if (b.inclined) {
            Rows i(withValues);
            i.factor("i_{c} = (1 \u2212 2\u03b8/\u03c0)^{2}", res.ic);
            i.factor("i_{q} = i_{c}", res.iq);
            i.factor(b.cohesive ? "i_{\u03b3} = 0 (\u03c6 = 0)"
                                : "i_{\u03b3} = (1 \u2212 \u03b8/\u03c6_{r})^{2}",
                     res.iga);
            groups.push_back(
                i.group("Fattori di inclinazione del carico (al posto dei fattori di forma)"));
        }
        return groups;
    }

    // Hansen and Vesic: all five groups.
    const bool vesic = method == Vesic;
    const char* ratio = vesic ? "B/L" : "B\u2032/L";
    Rows s(withValues);
    if (b.inclined) {
        s.factor(b.cohesive ? "s_{c} = 0 (carico inclinato, \u03c6 = 0)" : "s_{c} = 1 (carico inclinato)",
                 res.sc);
        s.factor("s_{q} = 1", res.sq);
        s.factor("s_{\u03b3} = 1", res.sga);
    } else {
        s.factor(b.cohesive ? std::string("s_{c} = 0.2\u00b7") + ratio
                            : std::string("s_{c} = 1 + (N_{q}/N_{c})\u00b7") + ratio,
                 res.sc);
        s.factor(std::string("s_{q} = 1 + tan \u03c6\u00b7") + ratio, res.sq);
        s.factor(std::string("s_{\u03b3} = 1 \u2212 0.4\u00b7") + ratio, res.sga);
    }
    groups.push_back(s.group("Fattori di forma"));

    Rows d(withValues);
    d.factor(b.cohesive ? "d_{c} = 0.4\u00b7k (\u03c6 = 0)" : "d_{c} = 1 + 0.4\u00b7k", res.dc);
    d.factor("d_{q} = 1 + 2\u00b7tan \u03c6\u00b7(1 \u2212 sin \u03c6)^{2}\u00b7k", res.dq);
    d.factor("d_{\u03b3} = 1", res.dga);
    groups.push_back(d.group("Fattori di profondità del piano di posa"));

    Rows i(withValues);
    if (!b.inclined) {
        i.factor(b.cohesive ? "i_{c} = 0 (carico verticale, \u03c6 = 0)" : "i_{c} = 1 (carico verticale)",
                 res.ic);
        i.factor("i_{q} = 1", res.iq);
        i.factor("i_{\u03b3} = 1", res.iga);
    } else if (b.cohesive) {
        i.factor(vesic ? "i_{c} = 1 \u2212 m\u00b7H/(A\u2032\u00b7c_{a}\u00b7N_{c})"
                       : "i_{c} = 0.5 \u2212 0.5\u00b7\u221a(1 \u2212 H/(A\u2032\u00b7c_{a}))",
                 res.ic);
        i.factor("i_{q} = 0 (\u03c6 = 0)", res.iq);
        i.factor("i_{\u03b3} = 0 (\u03c6 = 0)", res.iga);
    } else {
        i.factor("i_{c} = i_{q} \u2212 (1 \u2212 i_{q})/(N_{q} \u2212 1)", res.ic);
        i.factor(vesic ? "i_{q} = (1 \u2212 H/V*)^{m}" : "i_{q} = (1 \u2212 0.5\u00b7H/V*)^{5}", res.iq);
        i.factor(vesic ? "i_{\u03b3} = (1 \u2212 H/V*)^{m+1}"
                       : "i_{\u03b3} = (1 \u2212 (0.7 \u2212 \u03b1/450)\u00b7H/V*)^{5}",
                 res.iga);
    }
    groups.push_back(i.group("Fattori di inclinazione del carico"));

    Rows gs(withValues);
    gs.factor(b.cohesive ? "g_{c} = \u03c9/147 (\u03c9 in gradi, \u03c6 = 0)"
                         : "g_{c} = 1 \u2212 \u03c9/147 (\u03c9 in gradi)",
              res.gc);
    gs.factor(vesic ? "g_{q} = (1 \u2212 tan \u03c9)^{2}" : "g_{q} = (1 \u2212 0.5\u00b7tan \u03c9)^{5}",
              res.gq);
    gs.factor("g_{\u03b3} = g_{q}", res.gga);
    groups.push_back(gs.group("Fattori di inclinazione del pendio"));

    Rows bs(withValues);
    bs.factor(b.cohesive ? "b_{c} = \u03b1/147 (\u03b1 in gradi, \u03c6 = 0)"
                         : "b_{c} = 1 \u2212 \u03b1/147 (\u03b1 in gradi)",
              res.bc);
    if (vesic) {
        bs.factor("b_{q} = (1 \u2212 \u03b1_{r}\u00b7tan \u03c6)^{2}", res.bq);
        bs.factor("b_{\u03b3} = b_{q}", res.bga);
    } else {
        bs.factor("b_{q} = e^{\u22122\u00b7\u03b1_{r}\u00b7tan \u03c6}", res.bq);
        bs.factor("b_{\u03b3} = e^{\u22122.7\u00b7\u03b1_{r}\u00b7tan \u03c6}", res.bga);
    }
    groups.push_back(bs.group("Fattori di inclinazione del piano di posa"));
    return groups;
}

// The products of the factors of each term, as the method writes them.
struct Products {
    std::string c, q, ga;
};

Products productsOf(int method, const Branch& b) {
    switch (method) {
    case Terzaghi:
        return {"s_{c}", "s_{q}", "s_{\u03b3}"};
    case Meyerhof:
        return b.inclined ? Products{"d_{c}\u00b7i_{c}", "d_{q}\u00b7i_{q}", "d_{\u03b3}\u00b7i_{\u03b3}"}
                          : Products{"d_{c}\u00b7s_{c}", "d_{q}\u00b7s_{q}", "d_{\u03b3}\u00b7s_{\u03b3}"};
    default:
        return {"d_{c}\u00b7i_{c}\u00b7g_{c}\u00b7b_{c}\u00b7s_{c}", "d_{q}\u00b7i_{q}\u00b7g_{q}\u00b7b_{q}\u00b7s_{q}",
                "d_{\u03b3}\u00b7i_{\u03b3}\u00b7g_{\u03b3}\u00b7b_{\u03b3}\u00b7s_{\u03b3}"};
    }
}

FormulaGroup ultimateLoad(const ReportRequest& r, const ReportCalculation& c, const Branch& b,
                          bool withValues) {
    const int method = r.settings.method;
    const Products p = productsOf(method, b);
    std::string formula;
    if (method == Terzaghi)
        formula = "Q_{lim} = A\u2032\u00b7(s_{c}\u00b7c\u00b7N_{c} + q\u00b7N_{q} + "
                  "s_{\u03b3}\u00b70.5\u00b7\u03b3\u00b7B\u00b7N_{\u03b3})";
    else if (method != Meyerhof && b.cohesive)
        formula = "Q_{lim} = A\u2032\u00b7(5.14\u00b7c\u00b7(1 + s_{c} + d_{c} \u2212 i_{c} \u2212 b_{c} "
                  "\u2212 g_{c}) + q)";
    else
        formula = "Q_{lim} = A\u2032\u00b7(c\u00b7N_{c}\u00b7" + p.c + " + q\u00b7N_{q}\u00b7" + p.q +
                  " + 0.5\u00b7B\u00b7\u03b3\u00b7N_{\u03b3}\u00b7" + p.ga + ")";

    const BearingResult& res = c.result;
    const Pressures pr =
        pressuresOf(res.ultimateLoad, r.geometry.B, r.geometry.L, r.settings.safetyFactor);
    Rows rows(withValues);
    rows.add(std::move(formula), res.ultimateLoad, 0, "Kg");
    rows.add("q_{ult} = Q_{lim}/(B\u00b7L\u00b710000)", pr.qult, 2, "Kg/cmq");
    rows.add("q_{amm} = q_{ult}/F_{s}", pr.qamm, 2, "Kg/cmq");
    rows.factor("N_{c}\u2032 = N_{c}\u00b7" + p.c, res.NcCorr);
    rows.factor("N_{q}\u2032 = N_{q}\u00b7" + p.q, res.NqCorr);
    rows.factor("N_{\u03b3}\u2032 = N_{\u03b3}\u00b7" + p.ga, res.NgaCorr);
    return rows.group("Carico limite e fattori corretti");
}

} // namespace

ReportCalculation calculateReport(const ReportRequest& request) {
    ReportCalculation c;
    const GeometryData& g = request.geometry;
    const SoilData& s = request.soil;
    c.common = engine::computeCommonQuantities(g, s);
    // The comparison is the analysis of every method: the chosen one's run
    // is the analysis the report prints.
    c.comparison = design::compareMethods(g, s, request.settings.safetyFactor);
    c.mask = c.comparison.refusal;
    const int method = request.settings.method;
    if (c.mask == 0 && method >= Terzaghi && method <= Vesic) {
        const design::MethodRun& run = c.comparison.runs[static_cast<std::size_t>(method)];
        c.engineResult = run.engineResult;
        c.result = run.result;
    } else if (c.mask == 0) {
        c.engineResult = computeBearing(method, g, s, c.result, &c.result.ultimateLoad);
    }
    if (hasGroundModel(request.ground)) {
        c.groundComparison =
            design::compareOnGround(g, s, request.ground, request.settings.safetyFactor);
    }
    if (request.approach != nullptr)
        c.verification = design::verifyOnGround(*request.approach, request.settings.method, g, s,
                                                request.ground);
    if (request.approach != nullptr && request.actions) {
        DesignData design;
        design.actions = request.actions;
        if (design::hasCombinations(design))
            c.combinations =
                design::verifyCombinations(*request.approach, request.settings.method, g, s,
                                           request.ground, *request.actions, request.seismic);
    }
    c.eccentricity = design::checkEccentricity(g);
    if (request.settlement)
        c.settlement = settlement::settleProject(*request.settlement,
                                                 ground::buildProfile(request.ground, s), g, s,
                                                 request.actions);
    return c;
}

bool showsResults(const ReportRequest& request, const ReportCalculation& calculation) {
    return request.analysed && calculation.computed();
}

std::vector<FormulaGroup> methodFormulas(const ReportRequest& request,
                                         const ReportCalculation& calculation, bool withValues) {
    if (request.settings.method < Terzaghi || request.settings.method > Vesic)
        return {};
    const Branch b = branchOf(request, calculation.common);
    std::vector<FormulaGroup> groups;
    groups.push_back(commonQuantities(request, calculation, b, withValues));
    groups.push_back(bearingFactors(request, calculation, b, withValues));
    for (FormulaGroup& g : factorGroups(request, calculation, b, withValues))
        groups.push_back(std::move(g));
    groups.push_back(ultimateLoad(request, calculation, b, withValues));
    return groups;
}

namespace {

// "34667 Kg/mq (339.96 kPa)", as the report writes pressures.
std::string settlementPressure(double kgPerSquareMetre) {
    return formatFixed(kgPerSquareMetre, 0) + " Kg/mq (" +
           formatFixed(design::kilopascalsOfKgPerSquareMetre(kgPerSquareMetre), 2) + " kPa)";
}

std::string metres(double m) {
    return formatFixed(m, 2) + " m";
}

} // namespace

std::vector<FormulaRow> settlementFormulas(const settlement::ProjectSettlement& p) {
    const settlement::Settlement& r = p.result();
    std::vector<FormulaRow> rows{
        {"q = N / (B\u00b7L)", settlementPressure(r.q)},
        {"q_{net} = max(0, q \u2212 \u03c3_{v0}(D)), tensione totale alla base",
         settlementPressure(r.qNet)},
        {"\u0394\u03c3_{z}(z) = 4\u00b7q_{net}\u00b7I(B/2, L/2, z), fattore d'angolo di Newmark (1935) "
         "sotto il centro",
         kNoValue},
    };
    const std::string years = p.settings.years ? formatFixed(*p.settings.years, 1) + " anni"
                                               : std::string("nessun effetto del tempo");
    switch (r.method) {
    case SettlementMethod::Elastic:
    case SettlementMethod::Oedometric:
        rows.push_back({"z_{I}: \u0394\u03c3_{z} = 0.2\u00b7\u03c3\u2032_{v0} (EN 1997-1 "
                        "\u00a76.6.2(6)), al pi\u00f9 10\u00b7B sotto il piano di posa",
                        metres(r.influenceDepth)});
        break;
    case SettlementMethod::Schmertmann:
    case SettlementMethod::BurlandBurbidge:
        break;
    }
    switch (r.method) {
    case SettlementMethod::Elastic:
        rows.push_back(
            {"s = \u03a3 4\u00b7q_{net}\u00b7(B/2)\u00b7(1 \u2212 \u03bd^{2})/E\u00b7"
             "[I_{F}(z_{2}) \u2212 I_{F}(z_{1})] per strato, I_{F} = I_{1} + (1 \u2212 "
             "2\u03bd)/(1 \u2212 \u03bd)\u00b7I_{2} (Steinbrenner; Bowles \u00a75.6)",
             formatFixed(r.totalCm, 3) + " cm"});
        break;
    case SettlementMethod::Oedometric:
        rows.push_back({"s = \u03a3 dz/(1 + e_{0})\u00b7[C_{r}\u00b7log_{10}(\u03c3\u2032_{p}/"
                        "\u03c3\u2032_{0}) + C_{c}\u00b7log_{10}(\u03c3\u2032_{f}/\u03c3\u2032_{p})], "
                        "\u03c3\u2032_{f} = \u03c3\u2032_{0} + \u0394\u03c3_{z}, \u03c3\u2032_{p} = "
                        "max(\u03c3\u2032_{0}, \u03c3\u2032_{p,strato}); senza C_{c}, C_{r}, e_{0}: "
                        "s = \u222b \u0394\u03c3_{z}/E_{oed} dz",
                        formatFixed(r.totalCm, 3) + " cm"});
        break;
    case SettlementMethod::Schmertmann:
        if (const auto& t = r.schmertmann) {
            rows.push_back({"\u0394p = q \u2212 \u03c3\u2032_{v0}(D)", settlementPressure(t->deltaP)});
            rows.push_back({"C_{1} = max(0.5, 1 \u2212 0.5\u00b7\u03c3\u2032_{v0}(D)/\u0394p)",
                            formatFixed(t->C1, 3)});
            rows.push_back({"C_{2} = 1 + 0.2\u00b7log_{10}(t/0.1 anni), t = " + years,
                            formatFixed(t->C2, 3)});
            rows.push_back({"I_{z0} = 0.1 + 0.1\u00b7r, z_{p} = (0.5 + 0.5\u00b7r)\u00b7B, z_{end} = "
                            "(2 + 2\u00b7r)\u00b7B, r = (L/B \u2212 1)/9 tra 0 e 1",
                            formatFixed(t->Iz0, 3) + "; " + metres(t->zp) + "; " + metres(t->zend)});
            rows.push_back({"I_{zp} = 0.5 + 0.1\u00b7\u221a(\u0394p/\u03c3\u2032_{v}(z_{p})), "
                            "\u03c3\u2032_{v}(z_{p}) = " + settlementPressure(t->sigmaVp),
                            formatFixed(t->Izp, 3)});
        }
        rows.push_back({"s = C_{1}\u00b7C_{2}\u00b7\u0394p\u00b7\u222b I_{z}/E dz fino a z_{end} "
                        "(Schmertmann, Hartman e Brown 1978)",
                        formatFixed(r.totalCm, 3) + " cm"});
        break;
    case SettlementMethod::BurlandBurbidge:
        rows.push_back({"z_{I} = B^{0.763} (B in m)", metres(r.influenceDepth)});
        if (const auto& t = r.burlandBurbidge) {
            rows.push_back({"I_{c} = 1.71/N^{1.4}, N media di N_{SPT} su z_{I} = " +
                                formatFixed(t->Nmean, 2),
                            formatFixed(t->Ic, 4)});
            rows.push_back({"q\u2032 = q \u2212 u(D)", formatFixed(t->qPrime, 2) + " kPa"});
            rows.push_back({"s_{0} = q\u2032\u00b7B^{0.7}\u00b7I_{c}/3 se q\u2032 \u2264 "
                            "\u03c3\u2032_{p}, altrimenti (q\u2032 \u2212 \u2154\u03c3\u2032_{p})"
                            "\u00b7B^{0.7}\u00b7I_{c}; \u03c3\u2032_{p} = " +
                                formatFixed(t->sigmaP, 2) + " kPa",
                            formatFixed(t->s0, 2) + " mm"});
            rows.push_back({"f_{s} = (1.25\u00b7(L/B)/(L/B + 0.25))^{2}", formatFixed(t->fs, 3)});
            rows.push_back({"f_{t} = 1 + R_{3} + R\u00b7log_{10}(t/3), R_{3} = 0.3, R = 0.2, t = " +
                                years,
                            formatFixed(t->ft, 3)});
        }
        rows.push_back({"s = f_{s}\u00b7f_{t}\u00b7s_{0} (Burland e Burbidge 1985; EN 1997-2 "
                        "Appendice F)",
                        formatFixed(r.totalMm, 2) + " mm"});
        break;
    }
    return rows;
}

std::vector<std::string> reportNotes(const ReportRequest& request,
                                     const ReportCalculation& calculation) {
    std::vector<std::string> notes;
    if (!request.analysed)
        notes.push_back(kNoAnalysisText);
    for (int bit = 0; bit < kInputCheckCount; ++bit)
        if (calculation.mask & (1 << bit))
            notes.push_back(std::string("Controlli preliminari: ") + InputCheckMessages[bit]);
    if (calculation.engineResult && *calculation.engineResult != kEngineOk)
        notes.push_back(kEngineFailedNote);
    for (const std::string_view note : design::eccentricityNotes(calculation.eccentricity))
        notes.push_back("Eccentricit\u00e0: " + std::string(note) + " (e_{x}/B = " +
                        formatFixed(calculation.eccentricity.exOverB, 3) + ", e_{y}/L = " +
                        formatFixed(calculation.eccentricity.eyOverL, 3) + ").");

    const GeometryData& g = request.geometry;
    if (request.settings.method == Terzaghi && (g.T != 0.0 || g.alpha != 0.0 || g.omega != 0.0))
        notes.push_back("Il metodo di Terzaghi non considera lo sforzo tagliante T n\u00e9 le "
                        "inclinazioni \u03b1 e \u03c9; l'eccentricit\u00e0 agisce solo "
                        "attraverso l'area efficace A\u2032.");
    if (request.settings.method == Meyerhof && (g.alpha != 0.0 || g.omega != 0.0))
        notes.push_back("Il metodo di Meyerhof non considera le inclinazioni \u03b1 e \u03c9.");
    // The verification states it where it uses it.
    if (!calculation.verification || calculation.verification->refused())
        notes.push_back(std::string(design::kDesignActionsNote) + ".");
    return notes;
}

std::string reportTitle(const ReportRequest& request) {
    return request.info.title.empty() ? projectTitle(request.projectName) : request.info.title;
}

std::string projectTitle(const std::string& projectName) {
    const std::size_t slash = projectName.find_last_of('/');
    const std::string name = slash == std::string::npos ? projectName : projectName.substr(slash + 1);
    return name.empty() ? "progetto senza nome" : name;
}

} // namespace zolt::document
