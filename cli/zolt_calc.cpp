// zolt-calc: the bearing-capacity analysis from the command line, on the
// same core as the window program, for engineers who script their checks.
#include "cli/json_writer.h"
#include "engine/bearing_capacity.h"
#include "model/data_file.h"
#include "model/number_text.h"
#include "model/project.h"
#include "workflow/input_checks.h"
#include "workflow/input_fields.h"
#include "workflow/report.h"
#include "workflow/result_rows.h"

#include <array>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zolt::cli {
namespace {

enum ExitCode { kExitOk = 0, kExitEngineFailed = 1, kExitRefused = 2, kExitBadInput = 3 };

constexpr std::array<std::string_view, 4> kMethodNames = {"terzaghi", "meyerhof", "hansen",
                                                          "vesic"};

constexpr const char* kUsage =
    "Uso: zolt-calc [--method terzaghi|meyerhof|hansen|vesic] [--safety F] [--json]\n"
    "               [--report FILE] [--save FILE] [PROGETTO.dat] [NOME=VALORE ...]\n"
    "\n"
    "Calcola la capacita' portante di una fondazione superficiale.\n"
    "Si parte dai valori iniziali del programma; PROGETTO.dat (112 byte) li sostituisce,\n"
    "poi ogni NOME=VALORE imposta un campo con i limiti della sua finestra di input:\n"
    "  geometria  B L D alpha omega ex ey N T   (m, gradi, Kg)\n"
    "  terreno    gamma phi delta c ca          (Kg/mc, gradi, Kg/cmq)\n"
    "  --method   metodo di calcolo (predefinito meyerhof)\n"
    "  --safety   coefficiente di sicurezza 1.0-9.0 (predefinito 3.0)\n"
    "  --save     scrive il file dati dei valori risultanti ed esce senza calcolo\n"
    "  --report   scrive anche la relazione nel FILE (Windows-1252)\n"
    "  --json     stampa un oggetto JSON con ingressi, controlli e risultati\n"
    "Stampa la relazione di calcolo. Uscita: 0 eseguito, 1 \"Errore\" del calcolo,\n"
    "2 controlli preliminari non superati (messaggi su stderr), 3 ingresso non valido.\n";

struct Assignment {
    const InputField* field;
    double value;
};

struct Options {
    int method = Meyerhof;
    double safetyFactor = 3.0;
    bool json = false;
    bool help = false;
    std::optional<std::string> reportPath;
    std::optional<std::string> savePath;
    std::optional<std::string> projectPath;
    std::vector<Assignment> assignments;
};

// One line on stderr naming the problem; the caller then exits with 3.
int badInput(const std::string& problem) {
    std::cerr << "zolt-calc: " << problem << '\n';
    return kExitBadInput;
}

std::string rangeText(double minimum, double maximum, int decimals) {
    return formatFixed(minimum, decimals) + " e " + formatFixed(maximum, decimals);
}

bool isFieldName(std::string_view text) {
    if (text.empty())
        return false;
    for (const char ch : text)
        if (!((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z')))
            return false;
    return true;
}

// Fills `options`; returns an exit code when the command line is refused.
std::optional<int> parseArguments(const std::vector<std::string>& args, Options& options) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (!optionsEnded && arg.starts_with("--")) {
            if (arg == "--") {
                optionsEnded = true;
                continue;
            }
            std::string name = arg;
            std::optional<std::string> value;
            if (const auto eq = arg.find('='); eq != std::string::npos) {
                name = arg.substr(0, eq);
                value = arg.substr(eq + 1);
            }
            if (name == "--help" || name == "--json") {
                if (value)
                    return badInput("l'opzione " + name + " non prende valori");
                (name == "--help" ? options.help : options.json) = true;
                continue;
            }
            if (name != "--method" && name != "--safety" && name != "--report" &&
                name != "--save")
                return badInput("opzione sconosciuta: " + name + " (vedere --help)");
            if (!value) {
                if (i + 1 >= args.size())
                    return badInput("manca il valore dell'opzione " + name);
                value = args[++i];
            }
            if (name == "--method") {
                std::optional<int> method;
                for (std::size_t m = 0; m < kMethodNames.size(); ++m)
                    if (*value == kMethodNames[m])
                        method = static_cast<int>(m);
                if (!method)
                    return badInput("metodo sconosciuto: " + *value +
                                    " (terzaghi, meyerhof, hansen o vesic)");
                options.method = *method;
            } else if (name == "--safety") {
                const auto number = parseNumber(*value);
                if (!number)
                    return badInput("--safety: \"" + *value + "\" non e' un numero");
                if (!(*number >= kMinSafetyFactor && *number <= kMaxSafetyFactor))
                    return badInput("--safety " + *value + ": inserire un numero tra " +
                                    rangeText(kMinSafetyFactor, kMaxSafetyFactor, 2));
                options.safetyFactor = *number;
            } else if (value->empty()) {
                return badInput("manca il nome del file dell'opzione " + name);
            } else {
                (name == "--report" ? options.reportPath : options.savePath) = *value;
            }
            continue;
        }
        const auto eq = arg.find('=');
        if (!optionsEnded && eq != std::string::npos && isFieldName(arg.substr(0, eq))) {
            const std::string name = arg.substr(0, eq);
            const std::string text = arg.substr(eq + 1);
            const InputField* field = findInputField(name);
            if (field == nullptr)
                return badInput("campo sconosciuto: " + name +
                                " (B L D alpha omega ex ey N T gamma phi delta c ca)");
            const auto number = parseNumber(text);
            if (!number)
                return badInput(name + ": \"" + text + "\" non e' un numero");
            if (!field->accepts(*number))
                return badInput(name + "=" + text + ": inserire un numero tra " +
                                rangeText(field->minimum, field->maximum, field->decimals));
            options.assignments.push_back({field, *number});
            continue;
        }
        if (options.projectPath)
            return badInput("un solo file di progetto: " + *options.projectPath + " e " + arg);
        options.projectPath = arg;
    }
    return std::nullopt;
}

void writeJson(const Options& options, InputCheckMask mask, std::optional<int> engineResult) {
    JsonWriter json;
    json.beginObject();
    json.string("method", kMethodNames[static_cast<std::size_t>(options.method)]);
    json.number("safetyFactor", analysisSettings.safetyFactor);
    json.beginObject("geometry");
    for (const InputField& field : geometryFields())
        json.number(field.name, geometryData.*field.geometryField);
    json.endObject();
    json.beginObject("soil");
    for (const InputField& field : soilFields())
        json.number(field.name, soilData.*field.soilField);
    json.endObject();
    json.integer("checkMask", mask);
    json.beginArray("checkMessages");
    for (int bit = 0; bit < kInputCheckCount; ++bit)
        if (mask & (1 << bit))
            json.string({}, InputCheckMessages[bit]);
    json.endArray();
    if (engineResult)
        json.integer("engineResult", *engineResult);
    else
        json.null("engineResult");

    const BearingResult& r = bearingResult;
    json.beginObject("result");
    const std::pair<std::string_view, double> scalars[] = {
        {"Nq", r.Nq},         {"NqCorr", r.NqCorr}, {"Nc", r.Nc},
        {"NcCorr", r.NcCorr}, {"Nga", r.Nga},       {"NgaCorr", r.NgaCorr},
        {"ultimateLoad", r.ultimateLoad},           {"Kp", r.Kp},
        {"cohesionM", r.cohesionM},                 {"terzaghiA", r.terzaghiA},
    };
    for (const auto& [name, value] : scalars)
        json.number(name, value);
    constexpr std::string_view kFactorNames[kFactorCount] = {
        "sc", "sq", "sga", "dc", "dq", "dga", "ic", "iq", "iga",
        "gc", "gq", "gga", "bc", "bq", "bga"};
    for (int i = 0; i < kFactorCount; ++i)
        json.number(kFactorNames[i], r.factor(i));
    json.beginArray("factorPresent");
    for (const auto flag : r.factorPresent)
        json.integer({}, flag);
    json.endArray();
    json.endObject();

    const Pressures p = pressuresOf(r.ultimateLoad, geometryData.B, geometryData.L,
                                    analysisSettings.safetyFactor);
    json.number("qult", p.qult);
    json.number("qamm", p.qamm);
    json.endObject();
    std::cout << json.text();
}

int run(const std::vector<std::string>& args) {
    Options options;
    if (const auto refused = parseArguments(args, options))
        return *refused;
    if (options.help) {
        std::cout << kUsage;
        return kExitOk;
    }

    if (options.projectPath && !ReadDataFile(*options.projectPath))
        return badInput(std::string(kOpenErrorText) + " (" + *options.projectPath + ")");
    bool widthOrLengthGiven = false;
    for (const Assignment& a : options.assignments) {
        if (a.field->geometryField != nullptr)
            geometryData.*a.field->geometryField = a.value;
        else
            soilData.*a.field->soilField = a.value;
        widthOrLengthGiven = widthOrLengthGiven || a.field->name == "B" || a.field->name == "L";
    }
    if (widthOrLengthGiven && geometryData.B > geometryData.L)
        return badInput(kWidthLengthText);
    analysisSettings.method = options.method;
    analysisSettings.safetyFactor = options.safetyFactor;

    if (options.savePath) {
        if (!WriteDataFile(*options.savePath))
            return badInput(std::string(kOpenErrorText) + " (" + *options.savePath + ")");
        return kExitOk;
    }

    const InputCheckMask mask = CheckAnalysisInputs();
    if (mask != 0) {
        if (options.json)
            writeJson(options, mask, std::nullopt);
        std::cerr << inputCheckText(mask);
        return kExitRefused;
    }

    const GeometryData& g = geometryData;
    const int engineResult = computeBearingCapacity(analysisSettings.method, g.B, g.L, g.D,
                                                    g.alpha, g.omega, g.N, g.T, g.ex, g.ey,
                                                    &bearingResult.ultimateLoad);
    if (engineResult != kEngineOk) {
        if (options.json)
            writeJson(options, mask, engineResult);
        std::cerr << "Errore\n";
        return kExitEngineFailed;
    }

    const std::string report = reportText(analysisSettings, geometryData, bearingResult);
    if (options.reportPath && !writeReportFile(*options.reportPath, report))
        return badInput(std::string(kOpenErrorText) + " (" + *options.reportPath + ")");
    if (options.json)
        writeJson(options, mask, engineResult);
    else
        std::cout << report;
    return kExitOk;
}

} // namespace
} // namespace zolt::cli

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const int code = zolt::cli::run(args);
    std::cout.flush();
    return std::cout.fail() ? 3 : code;
}
