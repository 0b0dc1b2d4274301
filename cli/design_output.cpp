#include "cli/design_output.h"

#include "cli/options.h"
#include "design/parallel.h"
#include "design/units.h"
#include "model/number_text.h"
#include "workflow/result_rows.h"

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
    t += "Valori di progetto: \u03c6d = " + formatDecimal(d.phi, 2) + "\u00b0  \u03b4d = " +
         formatDecimal(d.delta, 2) + "\u00b0  cd = " + formatDecimal(d.c, 3) +
         " Kg/cmq  ca,d = " + formatDecimal(d.ca, 3) + " Kg/cmq  \u03b3 = " +
         formatDecimal(d.gamma, 1) + " Kg/mc\n\n";

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

std::string sizingText(const design::GroundSizing& s) {
    std::string rule;
    switch (s.rule.kind) {
    case design::SizingRuleKind::Square:
        rule = "pianta quadrata, L = B";
        break;
    case design::SizingRuleKind::Ratio:
        rule = "L/B = " + givenText(s.rule.value);
        break;
    case design::SizingRuleKind::Length:
        rule = "L = " + formatDecimal(s.rule.value, 2) + " m";
        break;
    }
    std::string t = "Dimensionamento (" + rule + ")\n";
    if (!s.B)
        return t + "Nessuna larghezza tra 0.10 e 99.90 m soddisfa la verifica\n";
    t += "B = " + formatDecimal(*s.B, 2) + " m   L = " + formatDecimal(*s.L, 2) + " m\n\n";
    return t + verificationText(s.verification);
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

// The fields of one condition's verification; `verified` is left to the
// caller.
void writeConditionFields(JsonWriter& json, const design::ConditionVerification& c) {
    const design::Verification& v = c.verification;
    json.string("approach", v.approach->id);
    json.string("label", v.approach->label);
    json.string("method", methodKey(v.method));
    json.string("note", design::kDesignActionsNote);
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

void writeVerification(JsonWriter& json, std::string_view key,
                       const design::GroundVerification& v) {
    if (v.refused()) {
        json.null(key);
        return;
    }
    json.beginObject(key);
    writeConditionFields(json, v.drained);
    json.boolean("verified", v.verified);
    json.string("governing", conditionKey(v.governing));
    if (v.undrained) {
        json.beginObject("undrained");
        writeConditionFields(json, *v.undrained);
        json.boolean("verified", v.undrained->verified());
        json.endObject();
    } else {
        json.null("undrained");
    }
    json.endObject();
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
