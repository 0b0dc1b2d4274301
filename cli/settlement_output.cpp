#include "cli/settlement_output.h"

#include "actions/vocabulary.h"
#include "cli/text_columns.h"
#include "design/units.h"
#include "model/number_text.h"

#include <vector>

namespace zolt::cli {

namespace {

using settlement::ProjectSettlement;
using settlement::Settlement;

// "34667 Kg/mq (339.97 kPa)"
std::string pressureText(double kgPerSquareMetre) {
    return formatDecimal(kgPerSquareMetre, 0) + " Kg/mq (" +
           formatDecimal(design::kilopascalsOfKgPerSquareMetre(kgPerSquareMetre), 2) + " kPa)";
}

std::string forceText(double kg) {
    return formatDecimal(kg, 0) + " Kg (" + formatDecimal(design::kilonewtons(kg), 2) + " kN)";
}

std::string termsText(const Settlement& r) {
    if (const auto& t = r.schmertmann)
        return "Schmertmann: \u0394p = " + pressureText(t->deltaP) +
               "  C1 = " + formatDecimal(t->C1, 3) + "  C2 = " + formatDecimal(t->C2, 3) +
               "\n  Iz0 = " + formatDecimal(t->Iz0, 3) + "  Izp = " + formatDecimal(t->Izp, 3) +
               " a zp = " + formatDecimal(t->zp, 2) + " m  zend = " + formatDecimal(t->zend, 2) +
               " m  \u03c3'v(zp) = " + pressureText(t->sigmaVp) + '\n';
    if (const auto& t = r.burlandBurbidge)
        return "Burland e Burbidge: q' = " + formatDecimal(t->qPrime, 2) +
               " kPa  \u03c3'p = " + formatDecimal(t->sigmaP, 2) +
               " kPa  N medio = " + formatDecimal(t->Nmean, 2) +
               "  Ic = " + formatDecimal(t->Ic, 4) + "\n  fs = " + formatDecimal(t->fs, 3) +
               "  ft = " + formatDecimal(t->ft, 3) + "  s0 = " + formatDecimal(t->s0, 2) + " mm\n";
    return {};
}

void writeArray(JsonWriter& json, std::string_view key, const std::vector<double>& values) {
    json.beginArray(key);
    for (const double v : values)
        json.number({}, v);
    json.endArray();
}

} // namespace

std::string settlementText(const ProjectSettlement& s) {
    const Settlement& r = s.result();
    std::string t = "Cedimenti (SLE): metodo " + std::string(settlement::methodName(r.method)) +
                    "; B = " + formatDecimal(s.footing.B, 2) +
                    " m, L = " + formatDecimal(s.footing.L, 2) +
                    " m, D = " + formatDecimal(s.footing.D, 2) + " m\n";
    for (const std::string& note : r.notes)
        t += "Nota: " + note + '\n';
    if (!s.combined) {
        t += "Carico: " + std::string(settlement::kProjectLoadName) + " = " +
             forceText(s.footing.N) + '\n';
    } else {
        t += "Combinazioni " + std::string(actions::typeLabel(s.settings.combination));
        if (s.selfWeight != 0.0)
            t += " (N con il peso proprio della fondazione e del rinterro, " +
                 forceText(s.selfWeight) + ")";
        t += ":\n";
        for (std::size_t i = 0; i < s.loads.size(); ++i)
            t += "  " + s.loads[i].name + "\n    N = " + forceText(s.loads[i].N) +
                 "   s = " + formatDecimal(s.loads[i].settlement.totalCm, 3) + " cm" +
                 (i == s.governing ? "   determinante" : "") + '\n';
    }
    t += "q = " + pressureText(r.q) + "   q netto = " + pressureText(r.qNet) + '\n';
    t += termsText(r);
    t += "Profondit\u00e0 di influenza: " + formatDecimal(r.influenceDepth, 2) +
         " m sotto il piano di posa\n";
    t += padRight("Strato", 30) + "   da (m)    a (m)     s (cm)     s (mm)\n";
    for (const settlement::LayerSettlement& l : r.layers)
        t += padRight(l.name, 30) + formatDecimal(l.top, 2, 9) + formatDecimal(l.bottom, 2, 9) +
             formatDecimal(l.s, 3, 11) + formatDecimal(l.s * 10.0, 2, 11) + '\n';
    t += padRight("Totale", 48) + formatDecimal(r.totalCm, 3, 11) +
         formatDecimal(r.totalMm, 2, 11) + '\n';
    if (!r.limit)
        return t + "Cedimento ammissibile non dato: nessuna verifica\n";
    return t + "Cedimento ammissibile " + formatDecimal(*r.limit, 2) +
           " cm: s/s,amm = " + formatDecimal(*r.utilisation * 100.0, 1) + " %   " +
           (r.verified ? "VERIFICATA" : "NON VERIFICATA") + '\n';
}

void writeSettlement(JsonWriter& json, std::string_view key, const ProjectSettlement& s) {
    const Settlement& r = s.result();
    json.beginObject(key);
    json.string("method", settlement::methodId(r.method));
    json.string("methodName", settlement::methodName(r.method));
    json.string("combination", actions::typeId(s.settings.combination));
    json.optionalNumber("years", s.settings.years);
    json.boolean("combined", s.combined);
    json.number("selfWeight", s.selfWeight);
    json.beginArray("loads");
    for (const settlement::LoadSettlement& l : s.loads) {
        json.beginObject();
        json.string("name", l.name);
        json.number("N", l.N);
        json.number("total", l.settlement.totalCm);
        json.boolean("verified", l.settlement.verified);
        json.endObject();
    }
    json.endArray();
    json.integer("governing", static_cast<long long>(s.governing));
    json.number("N", s.footing.N);
    json.number("q", r.q);
    json.number("qNet", r.qNet);
    json.number("methodPressure", r.methodPressure);
    json.number("influenceDepth", r.influenceDepth);
    json.beginArray("layers");
    for (const settlement::LayerSettlement& l : r.layers) {
        json.beginObject();
        json.string("name", l.name);
        json.number("top", l.top);
        json.number("bottom", l.bottom);
        json.number("s", l.s);
        json.number("sMm", l.s * 10.0);
        json.endObject();
    }
    json.endArray();
    json.number("total", r.totalCm);
    json.number("totalMm", r.totalMm);
    json.optionalNumber("limit", r.limit);
    json.optionalNumber("utilisation", r.utilisation);
    json.boolean("verified", r.verified);
    json.beginArray("notes");
    for (const std::string& note : r.notes)
        json.string({}, note);
    json.endArray();
    json.beginObject("profile");
    writeArray(json, "z", r.profile.z);
    writeArray(json, "sigmaV0", r.profile.sigmaV0);
    writeArray(json, "deltaSigma", r.profile.deltaSigma);
    writeArray(json, "cutoff", r.profile.cutoff);
    writeArray(json, "cumulative", r.profile.cumulative);
    json.endObject();
    if (const auto& t = r.schmertmann) {
        json.beginObject("schmertmann");
        json.number("deltaP", t->deltaP);
        json.number("C1", t->C1);
        json.number("C2", t->C2);
        json.number("Iz0", t->Iz0);
        json.number("Izp", t->Izp);
        json.number("zp", t->zp);
        json.number("zend", t->zend);
        json.number("sigmaVp", t->sigmaVp);
        json.endObject();
    } else {
        json.null("schmertmann");
    }
    if (const auto& t = r.burlandBurbidge) {
        json.beginObject("burlandBurbidge");
        json.number("qPrime", t->qPrime);
        json.number("sigmaP", t->sigmaP);
        json.number("Nmean", t->Nmean);
        json.number("Ic", t->Ic);
        json.number("fs", t->fs);
        json.number("ft", t->ft);
        json.number("s0", t->s0);
        json.endObject();
    } else {
        json.null("burlandBurbidge");
    }
    json.endObject();
}

} // namespace zolt::cli
