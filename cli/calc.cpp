// zolt-calc: the bearing-capacity analysis from the command line, on the
// same core as the window program, for engineers who script their checks.
#include "cli/calc.h"

#include "actions/action_fields.h"
#include "cli/design_output.h"
#include "cli/json_writer.h"
#include "cli/options.h"
#include "cli/settlement_output.h"
#include "design/combinations_verification.h"
#include "design/settlement_sizing.h"
#include "engine/bearing_capacity.h"
#include "model/data_file.h"
#include "model/project_file.h"
#include "workflow/input_checks.h"
#include "workflow/report.h"
#include "workflow/result_rows.h"

#include "model/file_io.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <ctime>
#include <iterator>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <utility>

#ifndef ZOLT_VERSION
#error "ZOLT_VERSION must give the program's version"
#endif

namespace zolt::cli {
namespace {

constexpr const char* kUsage =
    "Uso: zolt-calc [--method terzaghi|meyerhof|hansen|vesic] [--safety F] [--json]\n"
    "               [--report FILE] [--pdf FILE] [--odt FILE] [--save FILE]\n"
    "               [--save-project FILE] [--combinations-csv FILE [--units kg|kN]]\n"
    "               [--verify APPROCCIO [--size REGOLA [--with-settlement]]] [--compare]\n"
    "               [--settlement[=METODO]]\n"
    "               [--monte-carlo N [--cov NOME=CV,...] [--seed S]]\n"
    "               [--sweep NOME=DA:A:PUNTI [--csv FILE]]\n"
    "               [PROGETTO.zolt | PROGETTO.dat] [NOME=VALORE ...]\n"
    "\n"
    "Calcola la capacit\u00e0 portante di una fondazione superficiale.\n"
    "Si parte dai valori iniziali del programma; un progetto (file .zolt: dati, metodo,\n"
    "coefficiente di sicurezza, stratigrafia e falda) o un file dati di 112 byte (ogni\n"
    "altro nome) li sostituisce, poi ogni NOME=VALORE imposta un campo con i limiti della\n"
    "sua finestra di input:\n"
    "  geometria  B L D alpha omega ex ey N T   (m, gradi, Kg)\n"
    "  terreno    gamma phi delta c ca          (Kg/mc, gradi, Kg/cmq)\n"
    "  falda      zw gammasat                   (profondit\u00e0 in m, Kg/mc del terreno saturo)\n"
    "  --method   metodo di calcolo (predefinito quello del progetto, o meyerhof)\n"
    "  --safety   coefficiente di sicurezza 1.0-9.0 (predefinito quello del progetto, o 3.0)\n"
    "  --save     scrive il file dati dei valori risultanti ed esce senza calcolo\n"
    "  --save-project  scrive il progetto risultante (.zolt) ed esce senza calcolo\n"
    "  --report   scrive anche la relazione nel FILE (Windows-1252)\n"
    "  --pdf, --odt  scrivono la relazione completa (PDF o testo ODF)\n"
    "  --json     stampa un oggetto JSON con ingressi, controlli e risultati\n"
    "  --version  stampa la versione del programma\n"
    "\n"
    "La relazione \u00e8 quella del terreno omogeneo asciutto; verifica e studi tengono conto\n"
    "di stratigrafia e falda (condizione drenata, e non drenata dove uno strato ha cu).\n"
    "\n"
    "Verifica SLU di capacit\u00e0 portante e scorrimento (Ed <= Rd):\n"
    "  --verify   ntc2018 (NTC 2018, A1+M1+R3), ec7-da1 (A1+M1+R1), ec7-da2 (A1+M1+R2),\n"
    "             ec7-da3 (A1+M2+R3); N e T sono assunti come azioni di progetto (A1);\n"
    "             con le azioni del progetto verifica ogni combinazione SLU e SLV (sisma\n"
    "             NTC 2018 \u00a77.11.5.3.1) e d\u00e0 le note di eccentricit\u00e0 delle SLE\n"
    "  --size     larghezza minima B (passo 0.01 m) che soddisfa la verifica, con L\n"
    "             legata a B: square (L = B), ratio=R (L = R B, R >= 1), length=L (L fissa)\n"
    "  --with-settlement  con --size: la larghezza soddisfa anche s <= cedimento ammissibile\n"
    "\n"
    "Cedimenti (SLE), sul profilo del progetto:\n"
    "  --settlement  con il metodo del progetto (settlement.method), o --settlement METODO\n"
    "             (o --settlement=METODO): elastic, oedometric, schmertmann, burland-burbidge;\n"
    "             ogni combinazione SLE del tipo scelto nel progetto (predefinita la quasi\n"
    "             permanente) carica la fondazione, senza azioni la N del progetto, e il\n"
    "             cedimento maggiore governa; verifica s <= settlement.limit (cm).\n"
    "             L'eccentricit\u00e0 non \u00e8 considerata. Nel JSON: N in Kg, pressioni in\n"
    "             Kg/mq, top, bottom e z in m dal piano campagna, influenceDepth in m dal\n"
    "             piano di posa, s, total, limit e cumulative in cm (sMm, totalMm in mm)\n"
    "  --combinations-csv  combinazioni date da un CSV (colonne name,type,N,TB,TL,MB,ML;\n"
    "             virgola e punto decimale, o punto e virgola e virgola decimale): sostituiscono\n"
    "             quelle del progetto\n"
    "  --units    unit\u00e0 del CSV: kg (Kg e Kg m, predefinito) o kN (kN e kN m)\n"
    "Studi:\n"
    "  --compare  i quattro metodi a confronto sugli stessi dati\n"
    "  --monte-carlo N  analisi probabilistica con N campioni (fino a 10000000):\n"
    "             gamma, phi, delta, c, ca lognormali con media il valore del progetto e\n"
    "             coefficiente di variazione da --cov (es. --cov phi=0.1,c=0.3; gli altri\n"
    "             restano fissi); --seed S rende ripetibile l'analisi (predefinito 1)\n"
    "  --sweep    NOME=DA:A:PUNTI fa variare un dato (2-1000000 punti) con i quattro\n"
    "             metodi e stampa un CSV (con --verify anche i coefficienti di utilizzo),\n"
    "             o lo scrive nel FILE di --csv; non esegue l'analisi\n"
    "\n"
    "Stampa la relazione di calcolo e le sezioni richieste.\n"
    "Uscita: 0 eseguito (e verifica soddisfatta), 1 \"Errore\" del calcolo,\n"
    "2 controlli preliminari non superati (messaggi su stderr), 3 ingresso non valido\n"
    "(anche un cedimento non calcolabile per un dato mancante in uno strato),\n"
    "4 verifica o cedimento non soddisfatti, o nessuna larghezza trovata da --size.\n"
    "I file sono scritti solo quando l'uscita \u00e8 0, dopo l'uscita standard.\n"
    "\n"
    "Scrittura dei file:\n"
    "  un file nuovo, o che un file nuovo sostituisce con modi, proprietario e gruppo,\n"
    "  nasce come file temporaneo nella sua cartella e prende il suo nome in un passo\n"
    "  solo (rename): resta sempre il vecchio contenuto o il nuovo, intero;\n"
    "  un file con altri collegamenti fisici, in una cartella di sola lettura, di un\n"
    "  altro utente in una cartella sticky o di cui un file nuovo non conserverebbe\n"
    "  proprietario e gruppo viene riscritto sul posto, uno scrittore alla volta\n"
    "  (flock): lo spazio \u00e8 riservato prima (fallocate) e ogni errore segnalato\n"
    "  prima della scrittura (spazio, permessi, sola lettura) lascia il vecchio\n"
    "  contenuto intero; solo un'interruzione forzata (kill -9) durante la scrittura\n"
    "  stessa pu\u00f2 lasciarlo in parte vecchio e in parte nuovo (e, dove il file\n"
    "  system non riserva spazio, un disco che si riempie proprio allora);\n"
    "  una destinazione che non \u00e8 un file regolare (/dev/null, /dev/stdout, una pipe,\n"
    "  una FIFO) o che \u00e8 un flusso standard riceve i byte direttamente, dopo\n"
    "  quanto il programma vi ha stampato.\n"
    "  Un'interruzione forzata tra la creazione del nome temporaneo e il rename lascia\n"
    "  un file .zolt-<pid>-XXXXXX nella cartella: lo rimuove il primo salvataggio\n"
    "  successivo in quella cartella, di zolt o di zolt-calc.\n"
    "  Un collegamento simbolico in una cartella condivisa con il bit sticky (/tmp) \u00e8\n"
    "  seguito solo se \u00e8 dell'utente o del proprietario della cartella.\n";

// The inputs of the run: the start values, a project or data file, then
// NAME=VALUE and the options.
struct Project {
    GeometryData geometry;
    SoilData soil;
    AnalysisSettings settings;
    DesignData design;
};

// The outcome of the analysis as the window program's command runs it, and
// of the checks and studies asked for beside it.
struct Analysis {
    InputCheckMask mask = 0;
    std::optional<int> engineResult; // none when the pre-checks refused
    BearingResult result;

    ground::GroundModel ground; // of the project's footing
    std::optional<design::GroundVerification> verification;
    std::optional<design::GroundSizing> sizing;
    std::optional<design::GroundComparison> comparison;
    std::optional<design::GroundMonteCarlo> monteCarlo;
    // --settlement, and the settlement at the width --with-settlement found.
    std::optional<settlement::ProjectSettlement> settlement;
    std::optional<settlement::ProjectSettlement> sizingSettlement;
    // With the project's actions, in place of verification and sizing.
    std::optional<design::CombinationsVerification> combinations;
    std::optional<design::CombinationsSizing> combinationsSizing;

    bool ok() const { return mask == 0 && engineResult == kEngineOk; }
};

CalcRun badInput(const std::string& problem) {
    CalcRun run;
    run.exitCode = kExitBadInput;
    run.err = "zolt-calc: " + shownOnTerminal(problem) + '\n';
    return run;
}

// The length of the valid UTF-8 sequence at the start of `text`, and its
// code point; 0 for a byte that starts none.
std::size_t utf8Sequence(std::string_view text, char32_t& point) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4  ? 4
                               : lead >= 0xE0                ? 3
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                                                             : 0;
    if (length == 0 || text.size() < length)
        return 0;
    point = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        point = (point << 6) | (byte(i) & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < smallest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return 0;
    return length;
}

void appendEscaped(std::string& out, std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        out += "\\x";
        out += kHex[b >> 4];
        out += kHex[b & 0xF];
    }
}

} // namespace

std::string shownOnTerminal(std::string_view text) {
    std::string out;
    while (!text.empty()) {
        const auto b = static_cast<unsigned char>(text.front());
        std::size_t length = 1;
        char32_t point = b;
        if (b >= 0x80)
            length = utf8Sequence(text, point);
        // C0 and C1 controls, DEL, and bytes of no character: the terminal
        // would act on them (escape sequences) or show garbage.
        if (length == 0 || point < 0x20 || (point >= 0x7F && point < 0xA0))
            appendEscaped(out, text.substr(0, std::max<std::size_t>(length, 1)));
        else
            out.append(text.substr(0, length));
        text.remove_prefix(std::max<std::size_t>(length, 1));
    }
    return out;
}

namespace {

Analysis analyse(const Project& p, const Options& o) {
    Analysis a;
    a.mask = checkInputs(p.geometry, p.soil);
    if (a.mask == 0)
        a.engineResult =
            computeBearing(p.settings.method, p.geometry, p.soil, a.result, &a.result.ultimateLoad);
    const int method = p.settings.method;
    const GroundData& ground = p.design.ground;
    a.ground = ground::evaluateGround(ground, p.soil, p.geometry);
    const bool combinations = o.verify != nullptr && design::hasCombinations(p.design);
    if (combinations)
        a.combinations =
            design::verifyCombinations(*o.verify, method, p.geometry, p.soil, p.design);
    else if (o.verify != nullptr)
        a.verification = design::verifyOnGround(*o.verify, method, p.geometry, a.ground);
    if (o.sizing && !o.withSettlement && combinations)
        a.combinationsSizing =
            design::sizeCombinations(*o.verify, method, p.geometry, p.soil, ground,
                                     *p.design.actions, p.design.seismic, *o.sizing);
    else if (o.sizing && !o.withSettlement)
        a.sizing = design::sizeOnGround(*o.verify, method, p.geometry, p.soil, ground, *o.sizing);
    if (o.compare)
        a.comparison = design::compareOnGround(p.geometry, p.soil, ground, p.settings.safetyFactor);
    if (o.monteCarlo)
        a.monteCarlo = design::runMonteCarloOnGround(*o.monteCarlo, p.geometry, p.soil, ground);
    return a;
}

// The settlement asked for, and the sizing that keeps it within its
// limit, into `a`; the message of a settlement that cannot be computed
// (a run refused as bad input: the data, not the footing, are at fault).
std::optional<std::string> settle(const Project& p, const Options& o, Analysis& a) {
    if (o.settlement) {
        settlement::ProjectSettlementOutcome s =
            settlement::settleProject(*p.design.settlement, p.geometry, p.soil, p.design);
        if (!s.ok())
            return "cedimento non calcolabile: " + s.failure.message;
        a.settlement = std::move(s.settlement);
    }
    if (o.withSettlement && design::hasCombinations(p.design)) {
        design::CombinationsSettlementSizing s =
            design::sizeCombinationsWithSettlement(*o.verify, p.settings.method, p.geometry, p.soil,
                                                   p.design, *o.sizing, *p.design.settlement);
        if (s.failure)
            return "--with-settlement: " + s.failure->message;
        a.combinationsSizing = std::move(s.sizing);
        a.sizingSettlement = std::move(s.settlement);
    } else if (o.withSettlement) {
        design::SettlementSizing s =
            design::sizeWithSettlement(*o.verify, p.settings.method, p.geometry, p.soil, p.design,
                                       *o.sizing, *p.design.settlement);
        if (s.failure)
            return "--with-settlement: " + s.failure->message;
        a.sizing = std::move(s.sizing);
        a.sizingSettlement = std::move(s.settlement);
    }
    return std::nullopt;
}

// 2 or 1 when the analysis is refused or fails; then 4 when the
// verification does not hold, or, when sizing, no width was found.
int exitCodeOf(const Analysis& a) {
    if (a.mask != 0)
        return kExitRefused;
    if (*a.engineResult != kEngineOk)
        return kExitEngineFailed;
    if (a.sizing)
        return a.sizing->B ? kExitOk : kExitNotVerified;
    if (a.combinationsSizing)
        return a.combinationsSizing->B ? kExitOk : kExitNotVerified;
    if (a.combinations)
        return a.combinations->verified ? kExitOk : kExitNotVerified;
    if (a.verification)
        return a.verification->verified ? kExitOk : kExitNotVerified;
    return kExitOk;
}

// The sections of the checks and studies, each after a blank line.
std::string sectionsText(const Analysis& a, const Options& o, bool groundModel) {
    std::string t;
    if (a.verification && !a.verification->refused())
        t += '\n' + verificationText(*a.verification);
    if (a.settlement)
        t += '\n' + settlementText(*a.settlement);
    if (a.sizing && !a.sizing->verification.refused())
        t += '\n' + sizingText(*a.sizing);
    if (a.combinations && !a.combinations->refused())
        t += '\n' + combinationsText(*a.combinations);
    if (a.combinationsSizing && !a.combinationsSizing->verification.refused())
        t += '\n' + combinationsSizingText(*a.combinationsSizing);
    if (a.sizingSettlement)
        t += '\n' + settlementText(*a.sizingSettlement);
    else if (o.withSettlement &&
             ((a.sizing && !a.sizing->verification.refused()) ||
              (a.combinationsSizing && !a.combinationsSizing->verification.refused())))
        t += "Nota: con --with-settlement ogni larghezza deve anche tenere il cedimento entro il "
             "cedimento ammissibile\n";
    if (a.comparison && !a.comparison->refused())
        t += '\n' + comparisonText(*a.comparison, groundModel);
    if (a.monteCarlo && a.monteCarlo->drained.refusal == 0)
        t += '\n' + monteCarloText(*o.monteCarlo, *a.monteCarlo, groundModel);
    return t;
}

// Below the calculation report, which stays the dry homogeneous analysis.
constexpr const char* kGroundReportNote =
    "Nota: la relazione non tiene conto della falda n\u00e9 della stratigrafia; la verifica e gli "
    "studi s\u00ec\n";

// A project file by its name; any other name is a data file, as always.
bool isProjectFileName(const std::string& path) {
    constexpr std::string_view kExtension = ".zolt";
    if (path.size() <= kExtension.size())
        return false;
    std::string tail = path.substr(path.size() - kExtension.size());
    for (char& ch : tail)
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    return tail == kExtension;
}

// The project or data file named on the command line into `p`; the
// message of a refusal.
std::optional<std::string> loadProject(const std::string& path, Project& p) {
    if (!isProjectFileName(path)) {
        const DataFileRead read = readDataFile(path, p.geometry, p.soil);
        if (read.outcome == DataFileRead::Outcome::NotOpened)
            return std::string(kOpenErrorText) + " (" + path + ": " + read.reason + ")";
        if (read.outcome == DataFileRead::Outcome::Invalid)
            return read.messageText() + " (" + path + ")";
        return std::nullopt;
    }
    ProjectDocument document;
    std::string error;
    if (!readProjectFile(path, document, error))
        return path + ": " + error;
    p.geometry = document.geometry;
    p.soil = document.soil;
    p.settings = document.analysis;
    p.design = std::move(document.design);
    return std::nullopt;
}

// Larger CSV files are refused before they are parsed: a thousand
// combinations take some 100 kB.
constexpr std::size_t kMaxCsvFileSize = std::size_t{16} << 20;

// The given combinations of the CSV file at `path` in place of the
// project's, the mode becoming theirs; the refusal, one line for each bad
// cell, when the file has any: then nothing of the project changes.
std::optional<CalcRun> importCombinations(const std::string& path, actions::CsvUnits units,
                                          DesignData& design) {
    const auto text = readFilePrefix(path, kMaxCsvFileSize + 1);
    if (!text)
        return badInput(std::string(kOpenErrorText) + " (" + path + ")");
    if (text->size() > kMaxCsvFileSize)
        return badInput(path + ": file troppo grande (oltre 16 MiB)");
    actions::CombinationsCsv csv = actions::readCombinationsCsv(*text, units);
    if (!csv.ok()) {
        CalcRun run;
        run.exitCode = kExitBadInput;
        for (const actions::CsvError& e : csv.errors)
            run.err += "zolt-calc: " + shownOnTerminal(path + ": " + e.message) + '\n';
        return run;
    }
    if (csv.combinations.size() > actions::kMaxGivenCombinations)
        return badInput(path + ": " + std::to_string(csv.combinations.size()) +
                        " combinazioni, al massimo " +
                        std::to_string(actions::kMaxGivenCombinations));
    ActionsData actions = design.actions.value_or(ActionsData{});
    actions.mode = ActionsMode::Combinations;
    actions.combinations = std::move(csv.combinations);
    design.actions = std::move(actions);
    return std::nullopt;
}

std::string jsonText(const Project& p, const Analysis& a, const Options& o) {
    JsonWriter json;
    json.beginObject();
    json.string("method", methodKey(p.settings.method));
    json.number("safetyFactor", p.settings.safetyFactor);
    json.beginObject("geometry");
    for (const InputField& field : geometryFields())
        json.number(field.name, p.geometry.*field.geometryField);
    json.endObject();
    json.beginObject("soil");
    for (const InputField& field : soilFields())
        json.number(field.name, p.soil.*field.soilField);
    json.endObject();
    writeGround(json, "ground", a.ground, p.geometry);
    json.integer("checkMask", a.mask);
    json.beginArray("checkMessages");
    for (int bit = 0; bit < kInputCheckCount; ++bit)
        if (a.mask & (1 << bit))
            json.string({}, InputCheckMessages[bit]);
    json.endArray();
    if (a.engineResult)
        json.integer("engineResult", *a.engineResult);
    else
        json.null("engineResult");

    const BearingResult& r = a.result;
    json.beginObject("result");
    const std::pair<std::string_view, double> scalars[] = {
        {"Nq", r.Nq},
        {"NqCorr", r.NqCorr},
        {"Nc", r.Nc},
        {"NcCorr", r.NcCorr},
        {"Nga", r.Nga},
        {"NgaCorr", r.NgaCorr},
        {"ultimateLoad", r.ultimateLoad},
        {"Kp", r.Kp},
        {"cohesionM", r.cohesionM},
        {"terzaghiA", r.terzaghiA},
    };
    for (const auto& [name, value] : scalars)
        json.number(name, value);
    constexpr std::string_view kFactorNames[kFactorCount] = {"sc",  "sq",  "sga", "dc",  "dq",
                                                             "dga", "ic",  "iq",  "iga", "gc",
                                                             "gq",  "gga", "bc",  "bq",  "bga"};
    for (int i = 0; i < kFactorCount; ++i)
        json.number(kFactorNames[i], r.factor(i));
    json.beginArray("factorPresent");
    for (const auto flag : r.factorPresent)
        json.integer({}, flag);
    json.endArray();
    json.endObject();

    const Pressures pr =
        pressuresOf(r.ultimateLoad, p.geometry.B, p.geometry.L, p.settings.safetyFactor);
    json.number("qult", pr.qult);
    json.number("qamm", pr.qamm);
    if (a.verification)
        writeVerification(json, "verification", *a.verification);
    if (a.sizing)
        writeSizing(json, "sizing", *a.sizing);
    if (a.combinations)
        writeCombinations(json, *a.combinations);
    if (a.combinationsSizing)
        writeCombinationsSizing(json, "sizing", *a.combinationsSizing);
    if (a.comparison)
        writeComparison(json, "comparison", *a.comparison);
    if (a.monteCarlo)
        writeMonteCarlo(json, "montecarlo", *o.monteCarlo, *a.monteCarlo);
    if (a.settlement)
        writeSettlement(json, "settlement", *a.settlement);
    if (o.withSettlement) {
        if (a.sizingSettlement)
            writeSettlement(json, "sizingSettlement", *a.sizingSettlement);
        else
            json.null("sizingSettlement");
    }
    json.endObject();
    return json.text();
}

// Seconds as SOURCE_DATE_EPOCH gives them: a whole number, no sign.
std::optional<long long> parseCount(std::string_view text) {
    long long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        value < 0)
        return std::nullopt;
    return value;
}

// Today's date in the local time zone, YYYY-MM-DD; the date of
// SOURCE_DATE_EPOCH (seconds since 1970, UTC) when that is set, so that
// a document can be made again byte for byte.
std::string todayText() {
    std::tm local{};
    const char* fixed = std::getenv("SOURCE_DATE_EPOCH");
    const auto epoch = fixed != nullptr ? parseCount(fixed) : std::nullopt;
    if (epoch) {
        const auto when = static_cast<std::time_t>(*epoch);
        gmtime_r(&when, &local);
    } else {
        const std::time_t now = std::time(nullptr);
        localtime_r(&now, &local);
    }
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

bool isStream(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode);
}

// An output that names the project or another output would destroy it:
// refused, whatever else the run would do. Devices, pipes and FIFOs may
// take several outputs, one after the other.
std::optional<std::string> sameFileProblem(const Options& o) {
    const std::pair<const char*, const std::optional<std::string>*> outputs[] = {
        {"--report", &o.reportPath},
        {"--pdf", &o.pdfPath},
        {"--odt", &o.odtPath},
        {"--save", &o.savePath},
        {"--save-project", &o.saveProjectPath},
        {"--csv", &o.csvPath}};
    for (std::size_t i = 0; i < std::size(outputs); ++i) {
        const auto& [name, path] = outputs[i];
        if (!*path)
            continue;
        if (o.projectPath && sameFile(**path, *o.projectPath))
            return std::string(name) + " " + **path + ": \u00e8 il file del progetto " +
                   *o.projectPath + ", che andrebbe perso";
        if (o.combinationsCsvPath && sameFile(**path, *o.combinationsCsvPath))
            return std::string(name) + " " + **path + ": \u00e8 il file di --combinations-csv " +
                   *o.combinationsCsvPath + ", che andrebbe perso";
        for (std::size_t j = 0; j < i; ++j) {
            const auto& [otherName, other] = outputs[j];
            if (*other && !isStream(**path) && sameFile(**path, **other))
                return std::string(name) + " " + **path + ": \u00e8 lo stesso file di " +
                       otherName + " " + **other;
        }
    }
    return std::nullopt;
}

} // namespace

std::string openErrorLine(const std::string& path, const std::string& reason) {
    return "zolt-calc: " +
           shownOnTerminal(std::string(kOpenErrorText) + " (" + path + ": " + reason + ")") + "\n";
}

CalcRun runCalc(const std::vector<std::string>& args, const ReportRenderer& renderer) {
    Options options;
    if (const auto refused = parseArguments(args, options))
        return badInput(*refused);
    CalcRun run;
    if (options.help) {
        run.out = kUsage;
        return run;
    }
    if (options.version) {
        run.out = "zolt-calc " ZOLT_VERSION "\n";
        return run;
    }
    if (const auto refused = sameFileProblem(options))
        return badInput(*refused);

    Project p;
    if (options.projectPath)
        if (const auto refused = loadProject(*options.projectPath, p))
            return badInput(*refused);
    bool widthOrLengthGiven = false;
    for (const Assignment& a : options.assignments) {
        if (a.field->geometryField != nullptr)
            p.geometry.*a.field->geometryField = a.value;
        else
            p.soil.*a.field->soilField = a.value;
        widthOrLengthGiven = widthOrLengthGiven || a.field->name == "B" || a.field->name == "L";
    }
    if (widthOrLengthGiven && p.geometry.B > p.geometry.L)
        return badInput(kWidthLengthText);
    if (options.waterTable)
        p.design.ground.waterTable = options.waterTable;
    if (options.gammaSat) {
        if (!p.design.ground.layers.empty())
            return badInput("gammasat vale per il terreno omogeneo: ogni strato del progetto ha "
                            "il suo gammaSat");
        p.design.ground.gammaSat = *options.gammaSat;
    }
    if (options.combinationsCsvPath)
        if (auto refused = importCombinations(
                *options.combinationsCsvPath,
                options.csvUnits.value_or(actions::CsvUnits::Kilograms), p.design))
            return std::move(*refused);
    p.settings.method = options.method.value_or(p.settings.method);
    p.settings.safetyFactor = options.safetyFactor.value_or(p.settings.safetyFactor);
    if (options.monteCarlo)
        options.monteCarlo->method = p.settings.method;
    if (options.verify != nullptr)
        p.design.approach = options.verify->id;
    if (options.settlementMethod) {
        if (!p.design.settlement)
            p.design.settlement = SettlementSettings{};
        p.design.settlement->method = *options.settlementMethod;
    }
    if ((options.settlement || options.withSettlement) && !p.design.settlement)
        return badInput(std::string(options.settlement ? "--settlement" : "--with-settlement") +
                        ": il progetto non ha i dati dei cedimenti (settlement): indicare il "
                        "metodo con --settlement=METODO");

    if (options.saveProjectPath) {
        const ProjectDocument document{p.geometry, p.soil, p.settings, p.design};
        if (const std::string problem = checkProject(document); !problem.empty())
            return badInput(*options.saveProjectPath + ": " + problem);
        run.files.push_back({*options.saveProjectPath, projectText(document)});
    }
    if (options.savePath) {
        const DataFileImage image = encodeDataFile(p.geometry, p.soil);
        run.files.push_back({*options.savePath, std::string(image.begin(), image.end())});
    }
    if (options.saveProjectPath || options.savePath)
        return run;

    if (options.sweep) {
        // A million points make some 200 MB of text: moved, never copied.
        std::string csv =
            sweepCsv(*options.sweep, p.geometry, p.soil, p.design.ground, options.verify);
        if (options.csvPath)
            run.files.push_back({*options.csvPath, std::move(csv)});
        else
            run.out = std::move(csv);
        return run;
    }

    Analysis a = analyse(p, options);
    if (const auto refused = settle(p, options, a))
        return badInput(*refused);
    run.exitCode = exitCodeOf(a);
    if (run.exitCode == kExitOk && a.settlement && !a.settlement->verified())
        run.exitCode = kExitNotVerified;
    if (a.mask != 0)
        run.err = inputCheckText(a.mask);
    else if (*a.engineResult != kEngineOk)
        run.err = "Errore\n";
    const std::string report = a.ok() ? reportText(p.settings, p.geometry, a.result) : "";
    if (options.json)
        run.out = jsonText(p, a, options);
    else {
        const bool groundModel = hasGroundModel(p.design.ground);
        std::string sections = sectionsText(a, options, groundModel);
        if (report.empty() && !sections.empty())
            sections.erase(0, 1); // no blank line above the first section
        run.out = report;
        if (!report.empty() && groundModel)
            run.out += std::string("\n") + kGroundReportNote;
        run.out += sections;
    }
    if (run.exitCode != kExitOk)
        return run;
    if (options.reportPath)
        run.files.push_back({*options.reportPath, reportFileBytes(report)});
    const std::pair<const std::optional<std::string>*, document::ReportFormat> documents[] = {
        {&options.pdfPath, document::ReportFormat::Pdf},
        {&options.odtPath, document::ReportFormat::Odt}};
    for (const auto& [path, format] : documents) {
        if (!*path)
            continue;
        document::ReportRequest request;
        request.projectName = options.projectPath.value_or("");
        request.date = todayText();
        request.geometry = p.geometry;
        request.soil = p.soil;
        request.settings = p.settings;
        request.approach = options.verify;
        request.info = p.design.info;
        request.ground = p.design.ground;
        request.actions = p.design.actions;
        request.seismic = p.design.seismic;
        request.settlement = p.design.settlement;
        std::optional<std::string> bytes;
        if (renderer)
            bytes = renderer(request, format);
        if (!bytes) {
            CalcRun failed = badInput("impossibile creare la relazione completa " + **path);
            return failed;
        }
        run.files.push_back({**path, std::move(*bytes)});
    }
    return run;
}

} // namespace zolt::cli
