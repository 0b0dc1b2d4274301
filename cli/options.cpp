#include "cli/options.h"

#include "ground/ground_fields.h"
#include "model/number_text.h"
#include "settlement/settlement.h"
#include "workflow/result_rows.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <utility>

namespace zolt::cli {

namespace {

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

// The options that take no value.
bool isFlag(std::string_view name) {
    return name == "--help" || name == "--version" || name == "--json" || name == "--compare" ||
           name == "--with-settlement";
}

constexpr const char* kSettlementMethods = "elastic, oedometric, schmertmann o burland-burbidge";

std::optional<std::string> setSettlement(const std::optional<std::string>& value,
                                         Options& options) {
    if (options.settlement)
        return "l'opzione --settlement \u00e8 data pi\u00f9 di una volta";
    options.settlement = true;
    if (!value)
        return std::nullopt;
    options.settlementMethod = settlement::parseMethod(*value);
    if (!options.settlementMethod)
        return "--settlement=" + *value + ": metodo sconosciuto (" + kSettlementMethods + ")";
    return std::nullopt;
}

bool takesValue(std::string_view name) {
    for (const char* option :
         {"--method", "--safety", "--report", "--save", "--verify", "--size", "--sweep", "--csv",
          "--monte-carlo", "--cov", "--seed", "--pdf", "--odt"})
        if (name == option)
            return true;
    return name == "--save-project" || name == "--combinations-csv" || name == "--units";
}

// A whole decimal number without sign, as counts and seeds are written.
template <class Unsigned> std::optional<Unsigned> parseCount(std::string_view text) {
    Unsigned value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<std::string> setFlag(const std::string& name, Options& options) {
    if (name == "--help")
        options.help = true;
    else if (name == "--version")
        options.version = true;
    else if (name == "--json")
        options.json = true;
    else if (name == "--with-settlement")
        options.withSettlement = true;
    else
        options.compare = true;
    return std::nullopt;
}

std::optional<std::string> setVerify(const std::string& value, Options& options) {
    options.verify = design::findApproach(value);
    if (options.verify == nullptr)
        return "approccio sconosciuto: " + value + " (ntc2018, ec7-da1, ec7-da2 o ec7-da3)";
    return std::nullopt;
}

std::optional<std::string> setSize(const std::string& value, Options& options) {
    options.sizing = design::parseSizingRule(value);
    if (!options.sizing)
        return "--size " + value +
               ": regola sconosciuta (square, ratio=R con R >= 1, length=L con L tra 0.10 e 99.90)";
    return std::nullopt;
}

// NAME=FROM:TO:COUNT
std::optional<std::string> setSweep(const std::string& value, Options& options) {
    const std::string usage =
        "--sweep " + value + ": serve NOME=DA:A:PUNTI, ad esempio phi=20:40:101";
    const auto eq = value.find('=');
    if (eq == std::string::npos)
        return usage;
    design::SweepSpec study;
    study.field = findInputField(value.substr(0, eq));
    const std::string range = value.substr(eq + 1);
    const auto colon1 = range.find(':');
    const auto colon2 = colon1 == std::string::npos ? colon1 : range.find(':', colon1 + 1);
    if (colon2 == std::string::npos)
        return usage;
    const auto from = parseNumber(range.substr(0, colon1));
    const auto to = parseNumber(range.substr(colon1 + 1, colon2 - colon1 - 1));
    const auto count = parseCount<std::size_t>(range.substr(colon2 + 1));
    if (!from || !to || !count)
        return usage;
    study.from = *from;
    study.to = *to;
    study.count = *count;
    if (auto problem = design::sweepSpecProblem(study))
        return "--sweep " + value + ": " + *problem;
    options.sweep = study;
    return std::nullopt;
}

std::optional<std::string> setMonteCarlo(const std::string& value, Options& options) {
    const auto samples = parseCount<std::size_t>(value);
    if (!samples)
        return "--monte-carlo " + value + ": serve un numero intero di campioni";
    options.monteCarlo = design::MonteCarloSpec{};
    options.monteCarlo->samples = *samples;
    // The range is checked with the rest of the analysis' settings.
    return std::nullopt;
}

// gamma=V,phi=V,...; unnamed variables stay fixed.
std::optional<std::string> parseCovs(const std::string& text,
                                     std::array<double, design::kSoilVariableCount>& covs) {
    const std::string usage = "--cov " + text +
                              ": serve NOME=CV separati da virgole (gamma, phi, delta, c, ca), "
                              "CV numero tra 0 e 10";
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto comma = text.find(',', start);
        const std::string item =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const auto eq = item.find('=');
        if (eq == std::string::npos)
            return usage;
        const std::string name = item.substr(0, eq);
        const auto cov = parseNumber(item.substr(eq + 1));
        int variable = -1;
        for (int v = 0; v < design::kSoilVariableCount; ++v)
            if (name == design::kSoilVariableNames[v])
                variable = v;
        if (variable < 0 || !cov || !(*cov >= 0.0))
            return usage;
        covs[static_cast<std::size_t>(variable)] = *cov;
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return std::nullopt;
}

std::optional<std::string> setOption(const std::string& name, const std::string& value,
                                     Options& options) {
    if (name == "--method") {
        for (int m = 0; m < 4; ++m) {
            if (value == methodKey(m)) {
                options.method = m;
                return std::nullopt;
            }
        }
        return "metodo sconosciuto: " + value + " (terzaghi, meyerhof, hansen o vesic)";
    }
    if (name == "--safety") {
        const auto number = parseNumber(value);
        if (!number)
            return "--safety: \"" + value + "\" non \u00e8 un numero";
        if (!(*number >= kMinSafetyFactor && *number <= kMaxSafetyFactor))
            return "--safety " + value + ": inserire un numero tra " +
                   rangeText(kMinSafetyFactor, kMaxSafetyFactor, 2);
        options.safetyFactor = *number;
        return std::nullopt;
    }
    if (name == "--verify")
        return setVerify(value, options);
    if (name == "--size")
        return setSize(value, options);
    if (name == "--sweep")
        return setSweep(value, options);
    if (name == "--monte-carlo")
        return setMonteCarlo(value, options);
    if (name == "--cov") {
        options.covText = value;
        return std::nullopt;
    }
    if (name == "--units") {
        if (value == "kg")
            options.csvUnits = actions::CsvUnits::Kilograms;
        else if (value == "kN")
            options.csvUnits = actions::CsvUnits::Kilonewtons;
        else
            return "--units " + value + ": unit\u00e0 sconosciute (kg o kN)";
        return std::nullopt;
    }
    if (name == "--seed") {
        options.seed = parseCount<std::uint64_t>(value);
        if (!options.seed)
            return "--seed " + value + ": serve un intero tra 0 e 18446744073709551615";
        return std::nullopt;
    }
    // The options that name an output file.
    if (value.empty())
        return "manca il nome del file dell'opzione " + name;
    if (name == "--save-project") {
        options.saveProjectPath = value;
        return std::nullopt;
    }
    if (name == "--combinations-csv") {
        options.combinationsCsvPath = value;
        return std::nullopt;
    }
    std::optional<std::string>& path = name == "--report" ? options.reportPath
                                       : name == "--save" ? options.savePath
                                       : name == "--csv"  ? options.csvPath
                                       : name == "--pdf"  ? options.pdfPath
                                                          : options.odtPath;
    path = value;
    return std::nullopt;
}

// zw and gammasat, the ground of the homogeneous soil, with the ranges of
// the project file.
std::optional<std::string> setGroundField(const std::string& name, const std::string& text,
                                          double value, Options& options) {
    const bool zw = name == "zw";
    const double minimum = zw ? ground::kMinWaterTable : ground::kMinGammaSat;
    const double maximum = zw ? ground::kMaxWaterTable : ground::kMaxGammaSat;
    if (!(value >= minimum && !(value > maximum)))
        return name + "=" + text + ": inserire un numero tra " +
               rangeText(minimum, maximum, zw ? 2 : 1);
    (zw ? options.waterTable : options.gammaSat) = value;
    return std::nullopt;
}

std::optional<std::string> setField(const std::string& name, const std::string& text,
                                    Options& options) {
    const InputField* field = findInputField(name);
    const bool groundField = name == "zw" || name == "gammasat";
    if (field == nullptr && !groundField)
        return "campo sconosciuto: " + name +
               " (B L D alpha omega ex ey N T gamma phi delta c ca zw gammasat)";
    const auto number = parseNumber(text);
    if (!number)
        return name + ": \"" + text + "\" non \u00e8 un numero";
    if (groundField)
        return setGroundField(name, text, *number, options);
    if (!field->accepts(*number))
        return name + "=" + text + ": inserire un numero tra " +
               rangeText(field->minimum, field->maximum, field->decimals);
    options.assignments.push_back({field, *number});
    return std::nullopt;
}

// Combinations that cannot be honoured, once every option is known.
std::optional<std::string> checkCombination(Options& options) {
    if (options.sizing && options.verify == nullptr)
        return "--size richiede --verify";
    if (options.withSettlement && !options.sizing)
        return "--with-settlement richiede --size";
    if ((options.covText || options.seed) && !options.monteCarlo)
        return std::string(options.covText ? "--cov" : "--seed") + " richiede --monte-carlo";
    if (options.csvUnits && !options.combinationsCsvPath)
        return "--units richiede --combinations-csv";
    if (options.csvPath && !options.sweep)
        return "--csv richiede --sweep";
    if (options.sweep && !options.csvPath && options.json)
        return "--sweep scrive CSV: con --json serve --csv FILE";
    if (options.sweep) {
        // The sweep replaces the analysis: nothing it would leave out is taken.
        const std::pair<bool, const char*> others[] = {
            {options.reportPath.has_value(), "--report"},
            {options.pdfPath.has_value(), "--pdf"},
            {options.odtPath.has_value(), "--odt"},
            {options.savePath.has_value(), "--save"},
            {options.compare, "--compare"},
            {options.sizing.has_value(), "--size"},
            {options.monteCarlo.has_value(), "--monte-carlo"}};
        for (const auto& [given, name] : others)
            if (given)
                return std::string("--sweep sostituisce l'analisi: non si combina con ") + name;
        if (options.saveProjectPath)
            return "--sweep sostituisce l'analisi: non si combina con --save-project";
        if (options.settlement)
            return "--sweep sostituisce l'analisi: non si combina con --settlement";
    }
    if (options.monteCarlo) {
        // The method is the project's when --method is not given: set with it.
        options.monteCarlo->seed = options.seed.value_or(1);
        if (options.covText)
            if (auto refused = parseCovs(*options.covText, options.monteCarlo->cov))
                return refused;
        if (auto problem = design::monteCarloSpecProblem(*options.monteCarlo))
            return "--monte-carlo: " + *problem;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> parseArguments(const std::vector<std::string>& args, Options& options) {
    bool optionsEnded = false;
    std::vector<std::string> given; // the options with a value, each at most once
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // "-h", "-x" or "-": options nobody knows, not names of files (a
        // file of such a name comes after "--", or as ./-h).
        if (!optionsEnded && arg.starts_with("-") && !arg.starts_with("--"))
            return "opzione sconosciuta: " + arg + " (vedere --help)";
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
            if (name == "--settlement") {
                // A method's name after it is the method (a data file of
                // such a name goes as ./elastic).
                if (!value && i + 1 < args.size() && settlement::parseMethod(args[i + 1]))
                    value = args[++i];
                if (auto refused = setSettlement(value, options))
                    return refused;
                continue;
            }
            if (isFlag(name)) {
                if (value)
                    return "l'opzione " + name + " non prende valori";
                if (auto refused = setFlag(name, options))
                    return refused;
                continue;
            }
            if (!takesValue(name))
                return "opzione sconosciuta: " + name + " (vedere --help)";
            // A second value would silently win over the first.
            if (std::find(given.begin(), given.end(), name) != given.end())
                return "l'opzione " + name + " \u00e8 data pi\u00f9 di una volta";
            given.push_back(name);
            if (!value) {
                if (i + 1 >= args.size())
                    return "manca il valore dell'opzione " + name;
                value = args[++i];
            }
            if (auto refused = setOption(name, *value, options))
                return refused;
            continue;
        }
        const auto eq = arg.find('=');
        if (!optionsEnded && eq != std::string::npos && isFieldName(arg.substr(0, eq))) {
            if (auto refused = setField(arg.substr(0, eq), arg.substr(eq + 1), options))
                return refused;
            continue;
        }
        if (options.projectPath)
            return "un solo file di progetto: " + *options.projectPath + " e " + arg;
        options.projectPath = arg;
    }
    return checkCombination(options);
}

} // namespace zolt::cli
