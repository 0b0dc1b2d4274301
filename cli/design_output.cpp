#include "cli/design_output.h"

#include "cli/options.h"
#include "design/parallel.h"
#include "design/units.h"
#include "model/number_text.h"
#include "workflow/result_rows.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace zolt::cli {

namespace {

using design::kilonewtons;

constexpr const char* kVerified = "VERIFICATA";
constexpr const char* kNotVerified = "NON VERIFICATA";

std::string outcome(bool verified) {
    return verified ? kVerified : kNotVerified;
}

std::string padRight(std::string text, std::size_t width) {
    // Width in characters: the labels hold a few two-byte Greek letters.
    std::size_t chars = 0;
    for (const char ch : text)
        chars += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    if (chars < width)
        text.append(width - chars, ' ');
    return text;
}

// "  label        12345 Kg     121.06 kN", or "non calcolabile".
std::string loadLine(const std::string& label, const std::optional<double>& kg) {
    std::string line = "  " + padRight(label, 16);
    if (!kg)
        return line + std::string(design::kNotComputable) + '\n';
    return line + formatDecimal(*kg, 0, 12) + " Kg  " + formatDecimal(kilonewtons(*kg), 2, 12) +
           " kN\n";
}

std::string utilisationLine(const std::optional<double>& u, bool verified) {
    std::string line = "  " + padRight("Ed/Rd", 16);
    line += u ? formatDecimal(*u * 100.0, 1, 12) + " %   "
              : std::string(design::kNotComputable) + "   ";
    return line + outcome(verified) + '\n';
}

// A number the user gave, as short as it reads back, in at most 15
// significant digits.
std::string givenText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, kMaxShownDigits);
    return std::string(buffer, result.ptr);
}

// A probability with four significant digits ("0.001234", "3.689e-05").
std::string probabilityText(double p) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, p, std::chars_format::general, 4);
    return std::string(buffer, result.ptr);
}

void appendCell(std::string& out, const std::optional<double>& value) {
    out += ',';
    if (value)
        out += formatRoundTrip(*value);
}

// What the bearing and the sliding checks share in JSON.
void writeOutcome(JsonWriter& json, const std::optional<double>& Rd,
                  const std::optional<double>& utilisation, bool verified) {
    json.optionalNumber("Rd", Rd);
    json.optionalNumber("utilisation", utilisation);
    json.boolean("verified", verified);
}

} // namespace

namespace {

std::string conditionKey(ground::Condition condition) {
    return condition == ground::Condition::Drained ? "drained" : "undrained";
}

// The rule as a heading: "Condizione drenata (tensioni efficaci): ...".
std::string ruleHeading(std::string_view rule) {
    std::string t(rule);
    if (!t.empty() && t[0] >= 'a' && t[0] <= 'z')
        t[0] = static_cast<char>(t[0] - 'a' + 'A');
    return t;
}

// The values the methods ran on, in the program's units and in SI.
std::string groundValuesText(const ground::GroundValues& g) {
    return "Valori del terreno: q = " + formatDecimal(g.q, 0) + " Kg/mq (" +
           formatDecimal(design::kilopascalsOfKgPerSquareMetre(g.q), 2) +
           " kPa)  \u03b3 = " + formatDecimal(g.gamma, 1) + " Kg/mc (" +
           formatDecimal(design::kilonewtonsPerCubicMetre(g.gamma), 2) +
           " kN/mc)\n  \u03c6 = " + formatDecimal(g.phi, 2) +
           "\u00b0  c = " + formatDecimal(g.c, 3) +
           " Kg/cmq  \u03b4 = " + formatDecimal(g.delta, 2) +
           "\u00b0  ca = " + formatDecimal(g.ca, 3) + " Kg/cmq  U = " + formatDecimal(g.uplift, 0) +
           " Kg (" + formatDecimal(kilonewtons(g.uplift), 2) + " kN)\n";
}

std::string conditionText(const design::ConditionVerification& c, bool outcomeLine) {
    const design::Verification& v = c.verification;
    const SoilData& d = v.design;
    std::string t = ruleHeading(c.rule) + '\n' + groundValuesText(c.ground);
    for (const std::string& note : c.notes)
        t += "Nota: " + note + '\n';
    t += "Valori di progetto: \u03c6d = " + formatDecimal(d.phi, 2) +
         "\u00b0  \u03b4d = " + formatDecimal(d.delta, 2) +
         "\u00b0  cd = " + formatDecimal(d.c, 3) + " Kg/cmq  ca,d = " + formatDecimal(d.ca, 3) +
         " Kg/cmq  \u03b3 = " + formatDecimal(d.gamma, 1) + " Kg/mc\n";
    const actions::KinematicFactors& z = c.kinematic;
    if (z.zq != 1.0 || z.zga != 1.0 || z.zc != 1.0)
        t += "Effetto cinematico (Paolucci e Pecker 1997): zq = " + formatDecimal(z.zq, 4) +
             "  z\u03b3 = " + formatDecimal(z.zga, 4) + "  zc = " + formatDecimal(z.zc, 4) + '\n';
    t += '\n';

    t += "Capacit\u00e0 portante\n";
    t += loadLine(c.ground.uplift != 0.0 ? "Ed = N \u2212 U" : "Ed = N", v.bearing.Ed);
    t += loadLine("Rk", v.bearing.Rk);
    t += loadLine("Rd = Rk/\u03b3R,v", v.bearing.Rd);
    t += utilisationLine(v.bearing.utilisation, v.bearing.verified);
    t += "\nScorrimento\n";
    t += loadLine("Ed = |T|", v.sliding.Ed);
    t += loadLine("Rd", v.sliding.Rd);
    t += utilisationLine(v.sliding.utilisation, v.sliding.verified);
    if (outcomeLine)
        t += "Esito della condizione " + std::string(ground::conditionName(c.ground.condition)) +
             ": " + outcome(v.verified) + '\n';
    return t;
}

} // namespace

std::string verificationText(const design::GroundVerification& gv) {
    const design::Verification& v = gv.drained.verification;
    std::string t = "Verifica SLU: " + std::string(gv.approach->label) + '\n';
    t += std::string(design::kDesignActionsNote) + '\n';
    t += std::string(methodTitle(gv.method)) +
         "; coefficienti parziali \u03b3R,v = " + formatDecimal(gv.approach->gammaRv, 2) +
         ", \u03b3R,h = " + formatDecimal(gv.approach->gammaRh, 2) + "; parametri del terreno " +
         std::string(gv.approach->soilSet) + "\n\n";
    const bool both = gv.undrained.has_value();
    t += conditionText(gv.drained, both);
    if (both)
        t += '\n' + conditionText(*gv.undrained, true);

    t += "\nEccentricit\u00e0: ex/B = " + formatDecimal(v.eccentricity.exOverB, 3) +
         ", ey/L = " + formatDecimal(v.eccentricity.eyOverL, 3) + '\n';
    for (const std::string_view note : design::eccentricityNotes(v.eccentricity))
        t += "Nota: " + std::string(note) + '\n';
    if (both)
        t += "Condizione determinante: " + std::string(ground::conditionName(gv.governing)) + '\n';
    t += "Esito della verifica: " + outcome(gv.verified) + '\n';
    return t;
}

namespace {

std::string sizingRuleLabel(const design::SizingRule& r) {
    switch (r.kind) {
    case design::SizingRuleKind::Square:
        return "pianta quadrata, L = B";
    case design::SizingRuleKind::Ratio:
        return "L/B = " + givenText(r.value);
    case design::SizingRuleKind::Length:
        return "L = " + formatDecimal(r.value, 2) + " m";
    }
    return {};
}

} // namespace

std::string sizingText(const design::GroundSizing& s) {
    std::string t = "Dimensionamento (" + sizingRuleLabel(s.rule) + ")\n";
    if (!s.B)
        return t + "Nessuna larghezza tra 0.10 e 99.90 m soddisfa la verifica\n";
    t += "B = " + formatDecimal(*s.B, 2) + " m   L = " + formatDecimal(*s.L, 2) + " m\n\n";
    return t + verificationText(s.verification);
}

namespace {

std::string padLeft(const std::string& text, std::size_t width) {
    std::size_t chars = 0;
    for (const char ch : text)
        chars += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    return chars < width ? std::string(width - chars, ' ') + text : text;
}

constexpr const char* kShortNotComputable = "n.c.";

// A utilisation in per cent, or n.c.
std::string percentCell(const std::optional<double>& u, std::size_t width) {
    return u ? formatDecimal(*u * 100.0, 1, static_cast<int>(width))
             : padLeft(kShortNotComputable, width);
}

// The governing condition's bearing and sliding utilisations of a check.
std::pair<std::optional<double>, std::optional<double>>
checkUtilisations(const design::CombinationCheck& c) {
    if (!c.verification)
        return {};
    const design::Verification& v = c.verification->governingCondition().verification;
    return {v.bearing.utilisation, v.sliding.utilisation};
}

std::string approachLine(const char* what, const design::Approach& a) {
    return std::string(what) + ": " + std::string(a.label) +
           "; \u03b3R,v = " + formatDecimal(a.gammaRv, 2) +
           ", \u03b3R,h = " + formatDecimal(a.gammaRh, 2) + "; parametri del terreno " +
           std::string(a.soilSet) + '\n';
}

std::string seismicText(const design::CombinationsVerification& v) {
    const design::SeismicSite& s = *v.seismic;
    const actions::SeismicCoefficients& k = s.coefficients;
    std::string t =
        "Sisma allo SLV (NTC 2018 \u00a77.11.5.3.1): ag/g = " + formatDecimal(s.data.agOverG, 3) +
        "  SS = " + formatDecimal(s.data.SS, 2) + "  ST = " + formatDecimal(s.data.ST, 2) +
        "  categoria di sottosuolo " + std::string(1, s.data.subsoil) + '\n';
    t += "  \u03b2s = " + (k.betaS ? formatDecimal(*k.betaS, 2) +
                                         (k.betaSGiven ? " (indicato)" : " (NTC 2018 Tab. 7.11.I)")
                                   : std::string(kNoNumberText));
    if (!k.error.empty())
        t += "  kh " + std::string(kNoNumberText) + ": " + k.error + '\n';
    else
        t += "  kh = " + formatDecimal(k.kh, 4) +
             (k.khGiven ? " (indicato)" : " = \u03b2s SS ST ag/g") + '\n';
    t += "  " + std::string(s.gammaRNote) + '\n';
    if (!s.data.kinematic) {
        t += "  Effetto cinematico non considerato: solo l'effetto inerziale, con T, ex, ey delle "
             "combinazioni SLV\n";
        return t;
    }
    t += "  Effetto cinematico (Paolucci e Pecker 1997) sui tre termini del carico limite";
    for (const design::CombinationCheck& c : v.checks) {
        if (c.combination.type != CombinationType::SLV || !c.verification || c.combination.lifts)
            continue;
        const auto factors = [](const design::ConditionVerification& cv) {
            const actions::KinematicFactors& z = cv.kinematic;
            return "zq = z\u03b3 = " + formatDecimal(z.zq, 4) + ", zc = " + formatDecimal(z.zc, 4) +
                   " (condizione " + ground::conditionName(cv.ground.condition) + ")";
        };
        t += ":\n    " + factors(c.verification->drained);
        if (c.verification->undrained)
            t += "; " + factors(*c.verification->undrained);
        break;
    }
    return t + '\n';
}

// The table of the combinations, the governing one marked.
std::string combinationsTable(const design::CombinationsVerification& v) {
    constexpr std::size_t kType = 20, kForce = 12, kLength = 7, kPercent = 9, kOutcome = 14;
    std::string t = "    n  " + padRight("Tipo", kType) + padLeft("N (Kg)", kForce) +
                    padLeft("T (Kg)", kForce) + padLeft("ex (m)", kLength + 1) +
                    padLeft("ey (m)", kLength + 1) + padLeft("cap. %", kPercent + 1) +
                    padLeft("scorr. %", kPercent + 1) + "  " + padRight("Esito", kOutcome) +
                    "  Combinazione\n";
    for (std::size_t i = 0; i < v.checks.size(); ++i) {
        const design::CombinationCheck& c = v.checks[i];
        const actions::Combination& k = c.combination;
        t += v.governing == i ? "* " : "  ";
        t += padLeft(std::to_string(i + 1), 3) + "  " +
             padRight(std::string(actions::typeLabel(k.type)), kType) +
             formatDecimal(k.forces.N, 0, kForce) + formatDecimal(k.T, 0, kForce) + ' ' +
             formatDecimal(k.ex, 3, kLength) + ' ' + formatDecimal(k.ey, 3, kLength);
        std::string result = "esercizio";
        if (c.ultimate()) {
            const auto [bearing, sliding] = checkUtilisations(c);
            t += ' ' + percentCell(bearing, kPercent) + ' ' + percentCell(sliding, kPercent);
            result = outcome(c.verified);
        } else {
            t += ' ' + padLeft("\u2013", kPercent) + ' ' + padLeft("\u2013", kPercent);
        }
        t += "  " + padRight(result, kOutcome) + "  " + k.name + '\n';
    }
    t += "* combinazione determinante; cap. e scorr.: Ed/Rd di capacit\u00e0 portante e di "
         "scorrimento nella condizione determinante (" +
         std::string(kShortNotComputable) + " = " + kNoNumberText + ")\n";
    return t;
}

} // namespace

std::string combinationsText(const design::CombinationsVerification& v) {
    std::string t =
        "Verifica di ogni combinazione delle azioni: " + std::string(v.approach->label) + '\n';
    t += std::string(design::kCombinationActionsNote) +
         " (N, T, ex, ey della geometria non usati)\n";
    t += std::string(methodTitle(v.method)) + '\n';
    std::vector<const design::Approach*> shown;
    for (const design::CombinationCheck& c : v.checks)
        if (c.approach != nullptr &&
            std::find(shown.begin(), shown.end(), c.approach) == shown.end()) {
            shown.push_back(c.approach);
            t += approachLine(c.combination.type == CombinationType::SLV ? "SLV" : "SLU",
                              *c.approach);
        }
    if (v.seismic)
        t += seismicText(v);
    t += '\n' + combinationsTable(v);

    for (std::size_t i = 0; i < v.checks.size(); ++i) {
        const design::CombinationCheck& c = v.checks[i];
        std::vector<std::string> notes = c.notes;
        for (const std::string_view note : design::eccentricityNotes(c.eccentricity))
            notes.emplace_back(note);
        if (notes.empty())
            continue;
        t += "Nota della combinazione " + std::to_string(i + 1) + ':';
        for (std::size_t n = 0; n < notes.size(); ++n)
            t += (n == 0 ? " " : "; ") + notes[n];
        t += '\n';
    }
    for (const std::string& note : v.notes)
        t += "Nota: " + note + '\n';

    if (const design::CombinationCheck* g = v.governingCheck()) {
        const actions::Combination& k = g->combination;
        t += "\nCombinazione determinante " + std::to_string(*v.governing + 1) + ": " + k.name +
             '\n';
        t += "N = " + formatDecimal(k.forces.N, 0) + " Kg (" +
             formatDecimal(kilonewtons(k.forces.N), 2) + " kN)  T = " + formatDecimal(k.T, 0) +
             " Kg (" + formatDecimal(kilonewtons(k.T), 2) + " kN)  ex = " + formatDecimal(k.ex, 3) +
             " m  ey = " + formatDecimal(k.ey, 3) + " m\n";
        t += approachLine(k.type == CombinationType::SLV ? "SLV" : "SLU", *g->approach) + '\n';
        const design::GroundVerification& gv = *g->verification;
        const bool both = gv.undrained.has_value();
        t += conditionText(gv.drained, both);
        if (both) {
            t += '\n' + conditionText(*gv.undrained, true);
            t += "Condizione determinante: " + std::string(ground::conditionName(gv.governing)) +
                 '\n';
        }
    }
    t += "Esito della verifica: " + outcome(v.verified) + '\n';
    return t;
}

std::string combinationsSizingText(const design::CombinationsSizing& s) {
    std::string t = "Dimensionamento per ogni combinazione (" + sizingRuleLabel(s.rule) + ")\n";
    if (!s.B)
        return t + "Nessuna larghezza tra 0.10 e 99.90 m soddisfa ogni combinazione SLU e SLV\n";
    t += "B = " + formatDecimal(*s.B, 2) + " m   L = " + formatDecimal(*s.L, 2) + " m\n\n";
    return t + combinationsText(s.verification);
}

namespace {

std::string comparisonTable(const design::Comparison& c) {
    std::string t =
        "Metodo     Carico limite (Kg)  Qult (Kg/cmq)  Qamm (Kg/cmq)        Nc        Nq       Nga"
        "       Nc'       Nq'      Nga'\n";
    for (const design::MethodRun& run : c.runs) {
        t += padRight(std::string(methodName(run.method)), 10);
        if (run.engineResult != 0) {
            t += "             Errore\n";
            continue;
        }
        const BearingResult& r = run.result;
        const double values[] = {r.ultimateLoad, run.pressures.qult, run.pressures.qamm,
                                 r.Nc,           r.Nq,               r.Nga,
                                 r.NcCorr,       r.NqCorr,           r.NgaCorr};
        constexpr int kDecimals[] = {0, 2, 2, 3, 3, 3, 3, 3, 3};
        constexpr int kWidths[] = {18, 14, 14, 9, 9, 9, 9, 9, 9};
        for (std::size_t i = 0; i < std::size(values); ++i)
            t += ' ' + formatDecimal(values[i], kDecimals[i], kWidths[i]);
        t += '\n';
    }
    return t;
}

// " – condizione drenata" when the conditions are named.
std::string conditionSuffix(ground::Condition condition, bool named) {
    return named ? " \u2013 condizione " + std::string(ground::conditionName(condition)) : "";
}

} // namespace

std::string comparisonText(const design::GroundComparison& c, bool groundModel) {
    const bool named = groundModel || c.undrained;
    std::string t;
    for (const design::ConditionComparison* condition :
         {&c.drained, c.undrained ? &*c.undrained : nullptr}) {
        if (condition == nullptr)
            continue;
        if (!t.empty())
            t += '\n';
        t += "Confronto dei metodi" + conditionSuffix(condition->ground.condition, named) + '\n';
        t += condition->lifted ? "Nota: " + std::string(design::kLiftedNote) + '\n'
                               : comparisonTable(condition->comparison);
    }
    return t;
}

namespace {

std::string monteCarloConditionText(const design::MonteCarloSpec& study,
                                    const design::MonteCarloResult& r,
                                    const ground::GroundValues& values, bool named) {
    std::string t = "Analisi probabilistica (Monte Carlo, metodo di " +
                    std::string(methodName(study.method)) + ")" +
                    conditionSuffix(values.condition, named) + '\n';
    t += "Campioni " + std::to_string(r.samples) + ", seme " + std::to_string(study.seed) +
         "; coefficienti di variazione:";
    for (int v = 0; v < design::kSoilVariableCount; ++v)
        t += std::string(" ") + design::kSoilVariableNames[v] + " " +
             givenText(study.cov[static_cast<std::size_t>(v)]);
    t += named ? " (lognormali, media = valore equivalente della condizione)\n"
               : " (lognormali, media = valore del progetto)\n";
    if (r.lifted)
        t += "Nota: " + std::string(design::kLiftedNote) + ": ogni campione \u00e8 a rottura\n";
    t += std::string("Rotture (carico limite < ") + (values.uplift != 0.0 ? "N \u2212 U" : "N") +
         "): " + std::to_string(r.failures) + ", di cui " + std::to_string(r.refused) +
         " senza carico calcolabile\n";
    t += "Pf = " + probabilityText(r.pf) + "   intervallo al 95 %: [" + probabilityText(r.pfLow) +
         ", " + probabilityText(r.pfHigh) + "]\n";
    // A single sample bounds beta by an infinity.
    const auto bound = [](double value) {
        return std::isinf(value) ? std::string(value < 0 ? "-\u221e" : "+\u221e")
                                 : formatDecimal(value, 3);
    };
    if (r.beta)
        t += "\u03b2 = " + formatDecimal(*r.beta, 3) + '\n';
    else if (r.betaAbove)
        t += "\u03b2 > " + bound(*r.betaAbove) + " (nessuna rottura nei campioni)\n";
    else if (r.betaBelow)
        t += "\u03b2 < " + bound(*r.betaBelow) + " (tutti i campioni a rottura)\n";
    else
        t += "\u03b2 " + std::string(kNoNumberText) + '\n'; // null in JSON
    if (!r.mean)
        return t + "Carico limite: nessun campione calcolabile\n";
    t += "Carico limite: media " + formatDecimal(*r.mean, 0) + " Kg (" +
         formatDecimal(kilonewtons(*r.mean), 2) + " kN), coefficiente di variazione " +
         (r.cov ? formatDecimal(*r.cov, 4) : std::string(kNoNumberText)) + '\n';
    const std::pair<const char*, double> rows[] = {
        {"frattile 5 % (valore caratteristico)", *r.p05},
        {"frattile 50 %", *r.p50},
        {"frattile 95 %", *r.p95}};
    for (const auto& [label, value] : rows)
        t += "  " + padRight(label, 38) + formatDecimal(value, 0, 12) + " Kg  " +
             formatDecimal(kilonewtons(value), 2, 12) + " kN\n";
    return t;
}

} // namespace

std::string monteCarloText(const design::MonteCarloSpec& study, const design::GroundMonteCarlo& r,
                           bool groundModel) {
    const bool named = groundModel || r.undrained;
    std::string t = monteCarloConditionText(study, r.drained, r.ground.drained, named);
    if (r.undrained && r.ground.undrained) {
        t += '\n' + monteCarloConditionText(study, *r.undrained, *r.ground.undrained, named);
        t += "Condizione determinante: " + std::string(ground::conditionName(r.governing)) + '\n';
    }
    return t;
}

namespace {

void writeGroundValues(JsonWriter& json, std::string_view key,
                       const std::optional<ground::GroundValues>& values,
                       const GeometryData& footing) {
    if (!values) {
        json.null(key);
        return;
    }
    json.beginObject(key);
    json.number("q", values->q);
    json.number("gamma", values->gamma);
    json.number("phi", values->phi);
    json.number("c", values->c);
    json.number("delta", values->delta);
    json.number("ca", values->ca);
    json.number("uplift", values->uplift);
    json.beginArray("notes");
    for (const std::string& note : values->notes)
        json.string({}, note);
    json.endArray();
    json.string("rule", ground::conditionRule(values->condition));
    json.boolean("lifted", design::liftsFooting(footing, *values));
    json.endObject();
}

// What a combination's verification says beside the fields of today's.
struct CheckLabels {
    std::string_view note = design::kDesignActionsNote;
    bool seismic = false;     // SLV: kh and the kinematic factors
    std::optional<double> kh; // none without the kinematic effect
};

// The fields of one condition's verification; `verified` is left to the
// caller.
void writeConditionFields(JsonWriter& json, const design::ConditionVerification& c,
                          const CheckLabels& labels) {
    const design::Verification& v = c.verification;
    json.string("approach", v.approach->id);
    json.string("label", v.approach->label);
    json.string("method", methodKey(v.method));
    json.string("note", labels.note);
    json.number("gammaRv", v.approach->gammaRv);
    json.number("gammaRh", v.approach->gammaRh);
    json.beginObject("design");
    json.number("phi", v.design.phi);
    json.number("delta", v.design.delta);
    json.number("c", v.design.c);
    json.number("ca", v.design.ca);
    json.number("gamma", v.design.gamma);
    json.endObject();
    json.beginObject("bearing");
    json.number("Ed", v.bearing.Ed);
    json.optionalNumber("Rk", v.bearing.Rk);
    writeOutcome(json, v.bearing.Rd, v.bearing.utilisation, v.bearing.verified);
    json.integer("engineResult", v.bearing.engineResult);
    json.endObject();
    json.beginObject("sliding");
    json.number("Ed", v.sliding.Ed);
    writeOutcome(json, v.sliding.Rd, v.sliding.utilisation, v.sliding.verified);
    json.endObject();
    json.beginObject("eccentricity");
    json.number("exOverB", v.eccentricity.exOverB);
    json.number("eyOverL", v.eccentricity.eyOverL);
    json.boolean("middleThird", v.eccentricity.middleThird);
    json.boolean("withinThird", v.eccentricity.withinThird);
    json.beginArray("notes");
    for (const std::string_view note : design::eccentricityNotes(v.eccentricity))
        json.string({}, note);
    json.endArray();
    json.endObject();
    json.string("condition", conditionKey(c.ground.condition));
    json.string("conditionRule", c.rule);
    json.boolean("lifted", c.lifted);
    json.beginArray("conditionNotes");
    for (const std::string& note : c.notes)
        json.string({}, note);
    json.endArray();
    if (labels.seismic) {
        json.optionalNumber("kh", labels.kh);
        json.number("zq", c.kinematic.zq);
        json.number("zga", c.kinematic.zga);
        json.number("zc", c.kinematic.zc);
    }
}

void writeComparisonRuns(JsonWriter& json, std::string_view key, const design::Comparison& c) {
    if (c.refused()) {
        json.null(key);
        return;
    }
    json.beginArray(key);
    for (const design::MethodRun& run : c.runs) {
        const bool ok = run.engineResult == 0;
        const BearingResult& r = run.result;
        auto value = [ok](double x) { return ok ? std::optional<double>(x) : std::nullopt; };
        json.beginObject();
        json.string("method", methodKey(run.method));
        json.integer("engineResult", run.engineResult);
        json.optionalNumber("ultimateLoad", value(r.ultimateLoad));
        json.optionalNumber("qult", value(run.pressures.qult));
        json.optionalNumber("qamm", value(run.pressures.qamm));
        json.optionalNumber("Nc", value(r.Nc));
        json.optionalNumber("Nq", value(r.Nq));
        json.optionalNumber("Nga", value(r.Nga));
        json.optionalNumber("NcCorr", value(r.NcCorr));
        json.optionalNumber("NqCorr", value(r.NqCorr));
        json.optionalNumber("NgaCorr", value(r.NgaCorr));
        json.endObject();
    }
    json.endArray();
}

void writeMonteCarloFields(JsonWriter& json, const design::MonteCarloSpec& study,
                           const design::MonteCarloResult& r) {
    json.integer("samples", static_cast<long long>(r.samples));
    json.unsignedInteger("seed", study.seed);
    json.string("method", methodKey(study.method));
    json.beginObject("inputCov");
    for (int v = 0; v < design::kSoilVariableCount; ++v)
        json.number(design::kSoilVariableNames[v], study.cov[static_cast<std::size_t>(v)]);
    json.endObject();
    json.integer("failures", static_cast<long long>(r.failures));
    json.integer("refused", static_cast<long long>(r.refused));
    json.number("pf", r.pf);
    json.number("pfLow", r.pfLow);
    json.number("pfHigh", r.pfHigh);
    json.optionalNumber("beta", r.beta);
    if (r.betaAbove)
        json.number("betaAbove", *r.betaAbove);
    if (r.betaBelow)
        json.number("betaBelow", *r.betaBelow);
    json.optionalNumber("mean", r.mean);
    json.optionalNumber("cov", r.cov);
    json.optionalNumber("p05", r.p05);
    json.optionalNumber("p50", r.p50);
    json.optionalNumber("p95", r.p95);
    json.boolean("lifted", r.lifted);
}

} // namespace

void writeGround(JsonWriter& json, std::string_view key, const ground::GroundModel& model,
                 const GeometryData& footing) {
    json.beginObject(key);
    writeGroundValues(json, "drained", model.drained, footing);
    writeGroundValues(json, "undrained", model.undrained, footing);
    json.endObject();
}

namespace {

void writeVerificationWith(JsonWriter& json, std::string_view key,
                           const design::GroundVerification& v, const CheckLabels& labels) {
    if (v.refused()) {
        json.null(key);
        return;
    }
    json.beginObject(key);
    writeConditionFields(json, v.drained, labels);
    json.boolean("verified", v.verified);
    json.string("governing", conditionKey(v.governing));
    if (v.undrained) {
        json.beginObject("undrained");
        writeConditionFields(json, *v.undrained, labels);
        json.boolean("verified", v.undrained->verified());
        json.endObject();
    } else {
        json.null("undrained");
    }
    json.endObject();
}

} // namespace

void writeVerification(JsonWriter& json, std::string_view key,
                       const design::GroundVerification& v) {
    writeVerificationWith(json, key, v, CheckLabels{});
}

void writeSizing(JsonWriter& json, std::string_view key, const design::GroundSizing& s) {
    if (s.verification.refused()) {
        json.null(key);
        return;
    }
    json.beginObject(key);
    json.string("rule", design::sizingRuleText(s.rule));
    json.optionalNumber("B", s.B);
    json.optionalNumber("L", s.L);
    if (s.B)
        writeVerification(json, "verification", s.verification);
    else
        json.null("verification");
    json.endObject();
}

namespace {

void writeEccentricity(JsonWriter& json, const design::EccentricityCheck& e) {
    json.beginObject("eccentricity");
    json.number("exOverB", e.exOverB);
    json.number("eyOverL", e.eyOverL);
    json.boolean("middleThird", e.middleThird);
    json.boolean("withinThird", e.withinThird);
    json.beginArray("notes");
    for (const std::string_view note : design::eccentricityNotes(e))
        json.string({}, note);
    json.endArray();
    json.endObject();
}

void writeCheck(JsonWriter& json, const design::CombinationCheck& c) {
    const actions::Combination& k = c.combination;
    json.beginObject();
    json.string("name", k.name);
    json.string("type", actions::typeId(k.type));
    json.number("N", k.forces.N);
    json.number("T", k.T);
    json.number("ex", k.ex);
    json.number("ey", k.ey);
    json.boolean("lifts", k.lifts);
    if (c.ultimate()) {
        json.optionalNumber("utilisation", c.utilisation);
        json.boolean("verified", c.verified);
    } else {
        json.null("utilisation");
        json.null("verified");
    }
    writeEccentricity(json, c.eccentricity);
    json.beginArray("notes");
    for (const std::string& note : c.notes)
        json.string({}, note);
    json.endArray();
    if (c.verification)
        writeVerificationWith(
            json, "verification", *c.verification,
            {design::kCombinationActionsNote, k.type == CombinationType::SLV, c.kh});
    else
        json.null("verification");
    json.endObject();
}

void writeSeismic(JsonWriter& json, const std::optional<design::SeismicSite>& site) {
    if (!site) {
        json.null("seismic");
        return;
    }
    const actions::SeismicCoefficients& k = site->coefficients;
    json.beginObject("seismic");
    json.number("agOverG", site->data.agOverG);
    json.number("SS", site->data.SS);
    json.number("ST", site->data.ST);
    json.string("subsoil", std::string(1, site->data.subsoil));
    json.optionalNumber("betaS", k.betaS);
    json.boolean("betaSGiven", k.betaSGiven);
    json.optionalNumber("kh", k.error.empty() ? std::optional<double>(k.kh) : std::nullopt);
    json.boolean("khGiven", k.khGiven);
    json.boolean("kinematic", site->data.kinematic);
    json.number("gammaRv", site->gammaRv);
    json.number("gammaRh", site->gammaRh);
    json.string("gammaRNote", site->gammaRNote);
    json.endObject();
}

} // namespace

void writeCombinations(JsonWriter& json, const design::CombinationsVerification& v) {
    const design::CombinationCheck* g = v.governingCheck();
    if (g != nullptr && !v.refused())
        writeVerificationWith(
            json, "verification", *g->verification,
            {design::kCombinationActionsNote, g->combination.type == CombinationType::SLV, g->kh});
    else
        json.null("verification");
    if (v.refused()) {
        json.null("combinations");
    } else {
        json.beginArray("combinations");
        for (const design::CombinationCheck& c : v.checks)
            writeCheck(json, c);
        json.endArray();
    }
    if (v.governing)
        json.integer("governing", static_cast<long long>(*v.governing));
    else
        json.null("governing");
    json.beginArray("combinationNotes");
    for (const std::string& note : v.notes)
        json.string({}, note);
    json.endArray();
    json.boolean("combinationsVerified", v.verified);
    writeSeismic(json, v.seismic);
}

void writeCombinationsSizing(JsonWriter& json, std::string_view key,
                             const design::CombinationsSizing& s) {
    if (s.verification.refused()) {
        json.null(key);
        return;
    }
    json.beginObject(key);
    json.string("rule", design::sizingRuleText(s.rule));
    json.optionalNumber("B", s.B);
    json.optionalNumber("L", s.L);
    if (s.B) {
        writeCombinations(json, s.verification);
    } else {
        json.null("verification");
        json.null("combinations");
        json.null("governing");
    }
    json.endObject();
}

void writeComparison(JsonWriter& json, std::string_view key, const design::GroundComparison& c) {
    writeComparisonRuns(json, key, c.drained.comparison);
    const std::string undrainedKey = std::string(key) + "Undrained";
    if (c.undrained && !c.refused())
        writeComparisonRuns(json, undrainedKey, c.undrained->comparison);
    else
        json.null(undrainedKey);
}

void writeMonteCarlo(JsonWriter& json, std::string_view key, const design::MonteCarloSpec& study,
                     const design::GroundMonteCarlo& r) {
    if (r.drained.refusal != 0) {
        json.null(key);
        return;
    }
    json.beginObject(key);
    writeMonteCarloFields(json, study, r.drained);
    json.string("governing", conditionKey(r.governing));
    if (r.undrained) {
        json.beginObject("undrained");
        writeMonteCarloFields(json, study, *r.undrained);
        json.endObject();
    } else {
        json.null("undrained");
    }
    json.endObject();
}

std::string sweepCsv(const design::SweepSpec& study, const GeometryData& geometry,
                     const SoilData& soil, const GroundData& ground,
                     const design::Approach* approach) {
    const bool undrained = design::mayBeUndrained(ground);
    std::string out = design::sweepCsvHeader(study, approach != nullptr, undrained);

    constexpr std::size_t kBlock = 65536;
    std::vector<design::SweepPoint> points(std::min(study.count, kBlock));
    for (std::size_t start = 0; start < study.count; start += kBlock) {
        const std::size_t end = std::min(study.count, start + kBlock);
        design::parallelChunks(end - start, design::kSweepChunk, 0,
                               [&](std::size_t, std::size_t first, std::size_t last) {
                                   design::computeSweepPointsOnGround(
                                       study, geometry, soil, ground, approach, start + first,
                                       start + last, points.data() + first);
                               });
        for (std::size_t i = 0; i < end - start; ++i) {
            const design::SweepPoint& p = points[i];
            out += formatRoundTrip(p.x);
            for (const auto* cells : {&p.methods, &p.undrained}) {
                if (cells == &p.undrained && !undrained)
                    break;
                for (const design::SweepCell& cell : *cells) {
                    appendCell(out, cell.valid ? std::optional<double>(cell.load) : std::nullopt);
                    appendCell(out, cell.valid ? std::optional<double>(cell.qult) : std::nullopt);
                }
                if (approach != nullptr)
                    for (const design::SweepCell& cell : *cells) {
                        appendCell(out, cell.valid ? cell.utilBearing : std::nullopt);
                        appendCell(out, cell.valid ? cell.utilSliding : std::nullopt);
                    }
            }
            out += '\n';
        }
    }
    return out;
}

} // namespace zolt::cli
