// The project file: what the reader refuses and says, what survives a
// read and a write, and the file system around them.
#include "actions/action_fields.h"
#include "design/approach.h"
#include "ground/ground_fields.h"
#include "model/project.h"
#include "model/project_file.h"
#include "workflow/input_fields.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace zolt {
namespace {

namespace fs = std::filesystem;

// Three layers, the base in the second, the water 0.5 m below it. Every
// value that a case below edits appears once in the text.
ProjectDocument sample() {
    ProjectDocument d;
    d.geometry = {2.5, 3.0, 1.5, 0.0, 0.0, 0.1, 0.0, 260000.0, 15000.0};
    d.soil = {1900.0, 30.0, 16.0, 0.2, 0.05};
    d.analysis = {Vesic, 3.0};
    d.design.info = {"Plinto P1", "Comune", "Via Roma 1", "Ing. Bianchi", "prima\nseconda"};
    d.design.approach = "ec7-da1";
    d.design.ground.waterTable = 2.0;
    d.design.ground.gammaSat = 1980.0;
    d.design.ground.layers = {{"Riporto", 1.0, 1700, 1900, 28, 18, 0, 0, 0, {}, ""},
                              {"Argilla", 3.5, 1900, 1950, 24, 16, 0.1, 0.05, 0.6, {}, ""},
                              {"Ghiaia", 10.0, 1950, 2100, 36, 24, 0, 0, 0, {}, ""}};
    return d;
}

// The sample with settlement data: parameters in the two layers below the
// base and the settings, each value once in the text.
ProjectDocument settled() {
    ProjectDocument d = sample();
    SettlementParameters& clay = d.design.ground.layers[1].settlement;
    clay.E = 80;
    clay.nu = 0.35;
    clay.Cc = 0.25;
    clay.Cr = 0.05;
    clay.e0 = 0.85;
    clay.sigmaP = 1.2;
    SettlementParameters& gravel = d.design.ground.layers[2].settlement;
    gravel.E = 500;
    gravel.nu = 0.25;
    gravel.Eoed = 700;
    gravel.Nspt = 35;
    d.design.settlement = {SettlementMethod::Oedometric, CombinationType::SLEFrequent, 2.5, 50.0};
    return d;
}

// The homogeneous soil with its own parameters.
ProjectDocument settledHomogeneous() {
    ProjectDocument d = sample();
    d.design.ground.layers.clear();
    d.design.ground.settlement.Cc = 0.3;
    d.design.ground.settlement.Nspt = 12;
    d.design.settlement = SettlementSettings{};
    return d;
}

// The edit of a text that must hold `from` once; a text no reader takes
// when it does not, so that a stale case fails.
std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    if (at == std::string::npos || text.find(from, at + 1) != std::string::npos)
        return "not once in the text: " + from;
    return text.replace(at, from.size(), to);
}

std::string sampleWith(const std::string& from, const std::string& to) {
    return replaced(projectText(sample()), from, to);
}

std::string settledWith(const std::string& from, const std::string& to) {
    return replaced(projectText(settled()), from, to);
}

std::string repeated(const std::string& piece, int times) {
    std::string s;
    for (int i = 0; i < times; ++i)
        s += piece;
    return s;
}

std::string withLayers(std::size_t count) {
    ProjectDocument d = sample();
    d.design.ground.layers.resize(count);
    return projectText(d);
}

std::string longName(std::size_t characters) {
    ProjectDocument d = sample();
    d.design.ground.layers[0].name = repeated("è", static_cast<int>(characters));
    return projectText(d);
}

// A document no case reads, so that any change the reader made shows.
ProjectDocument untouched() {
    ProjectDocument d;
    d.geometry.B = 0.5;
    d.design.info.title = "aperto";
    d.design.extra["geometry"] = R"({"k":1})";
    return d;
}

struct Malformed {
    const char* name;
    std::string text;
    std::string message;
};

class ProjectRefusal : public ::testing::TestWithParam<Malformed> {};

TEST_P(ProjectRefusal, NamesTheFaultAndLeavesTheProject) {
    ProjectDocument document = untouched();
    std::string error;
    EXPECT_FALSE(parseProject(GetParam().text, document, error));
    EXPECT_EQ(error, GetParam().message) << GetParam().text;
    EXPECT_EQ(projectText(document), projectText(untouched()));
    EXPECT_EQ(document.design, untouched().design);
}

const std::string kRange = " fuori dall'intervallo ";

INSTANTIATE_TEST_SUITE_P(
    Cases, ProjectRefusal,
    ::testing::Values(
        Malformed{"Empty", "", "JSON non valido alla riga 1, colonna 1"},
        Malformed{"SyntaxOnSecondLine", "{\n  \"a\": }", "JSON non valido alla riga 2, colonna 8"},
        Malformed{"ColumnsCountCharacters", "{\"è\": }", "JSON non valido alla riga 1, colonna 7"},
        Malformed{"CutShort", "{\n  \"a\": 1", "JSON non valido alla riga 2, colonna 9"},
        Malformed{"StrayByte", "{\n\"Caf\xE9\": 1}",
                  "testo non valido in UTF-8 alla riga 2, colonna 5"},
        Malformed{"EncodedSurrogate", "{\"\xED\xA0\x80\": 1}",
                  "testo non valido in UTF-8 alla riga 1, colonna 3"},
        Malformed{"NotAnObject", "[1, 2]",
                  "il progetto deve essere un oggetto JSON, trovato una lista"},
        Malformed{"NoFormat", sampleWith(R"("format": "zolt-project",)", ""),
                  "format: chiave mancante"},
        Malformed{"WrongFormat",
                  sampleWith(R"("format": "zolt-project")", R"("format": "zolt-progetto")"),
                  "format: il file non è un progetto ZOLT (atteso \"zolt-project\")"},
        Malformed{"NewerVersion", sampleWith(R"("version": 1)", R"("version": 2)"),
                  "version: 2 più recente della versione che questo programma legge (1)"},
        Malformed{"VersionZero", sampleWith(R"("version": 1)", R"("version": 0)"),
                  "version: atteso un intero positivo, trovato 0"},
        Malformed{"VersionFraction", sampleWith(R"("version": 1)", R"("version": 1.5)"),
                  "version: atteso un intero positivo, trovato 1.5"},
        Malformed{"VersionAsText", sampleWith(R"("version": 1)", R"("version": "1")"),
                  "version: atteso un intero positivo, trovato un testo"},
        Malformed{"NoInfo", sampleWith(R"("info": {)", R"("infos": {)"), "info: chiave mancante"},
        Malformed{"NoWidth", sampleWith(R"("B": 2.5,)", ""), "geometry.B: chiave mancante"},
        Malformed{"NoLayerCu", sampleWith(",\n        \"cu\": 0.6", ""),
                  "ground.layers[1].cu: chiave mancante"},
        Malformed{"TitleAsNumber", sampleWith(R"("title": "Plinto P1")", R"("title": 5)"),
                  "info.title: atteso un testo, trovato un numero"},
        Malformed{"PhiAsText", sampleWith(R"("phi": 30.0)", R"("phi": "30")"),
                  "soil.phi: atteso un numero, trovato un testo"},
        Malformed{"GeometryAsList", sampleWith(R"("geometry": {)", R"("geometry": [], "x": {)"),
                  "geometry: atteso un oggetto, trovato una lista"},
        Malformed{"WaterTableAsBoolean",
                  sampleWith(R"("waterTable": 2.0)", R"("waterTable": true)"),
                  "ground.waterTable: atteso un numero o null, trovato un valore logico"},
        Malformed{"LayersAsNumber", sampleWith(R"("layers": [)", R"("layers": 5, "x": [)"),
                  "ground.layers: atteso una lista, trovato un numero"},
        Malformed{"LayerAsNumber", sampleWith(R"("layers": [)", R"("layers": [5,)"),
                  "ground.layers[0]: atteso un oggetto, trovato un numero"},
        Malformed{"LayerPhiOutOfRange", sampleWith(R"("phi": 36.0)", R"("phi": 57)"),
                  "ground.layers[2].phi: 57" + kRange + "0–50"},
        Malformed{"WidthTooSmall", sampleWith(R"("B": 2.5)", R"("B": 0.05)"),
                  "geometry.B: 0.05" + kRange + "0.1–99.9"},
        Malformed{"NormalForceTooLarge", sampleWith(R"("N": 260000.0)", R"("N": 1e7)"),
                  "geometry.N: 1e+07" + kRange + "0–9999999"},
        Malformed{"SoilPhiOutOfRange", sampleWith(R"("phi": 30.0)", R"("phi": 100)"),
                  "soil.phi: 100" + kRange + "0–99.9"},
        Malformed{"SafetyFactorTooLarge",
                  sampleWith(R"("safetyFactor": 3.0)", R"("safetyFactor": 9.5)"),
                  "analysis.safetyFactor: 9.5" + kRange + "1–9"},
        Malformed{"WaterTableNegative", sampleWith(R"("waterTable": 2.0)", R"("waterTable": -1)"),
                  "ground.waterTable: -1" + kRange + "0–99.9"},
        Malformed{"GammaSatBelowWater", sampleWith(R"("gammaSat": 1980.0)", R"("gammaSat": 999.5)"),
                  "ground.gammaSat: 999.5" + kRange + "1000–9999.9"},
        Malformed{"WidthAboveLength", sampleWith(R"("B": 2.5)", R"("B": 4)"),
                  std::string("geometry.B: ") + kWidthLengthText + " (B = 4, L = 3)"},
        Malformed{"HugeNumber", sampleWith(R"("N": 260000.0)", R"("N": 1e999)"),
                  "geometry.N: numero non finito"},
        Malformed{"HugeNumberInLayer", sampleWith(R"("cu": 0.6)", R"("cu": -1e400)"),
                  "ground.layers[1].cu: numero non finito"},
        Malformed{"UnknownMethod", sampleWith(R"("method": "vesic")", R"("method": "Vesic")"),
                  "analysis.method: metodo sconosciuto, atteso uno tra terzaghi, meyerhof, "
                  "hansen, vesic"},
        Malformed{"UnknownApproach",
                  sampleWith(R"("approach": "ec7-da1")", R"("approach": "ec7-da4")"),
                  "verification.approach: approccio sconosciuto, atteso uno tra ntc2018, "
                  "ec7-da1, ec7-da2, ec7-da3"},
        Malformed{"TooManyLayers", withLayers(ground::kMaxLayers + 1),
                  "ground.layers: 51 strati, al massimo 50"},
        Malformed{"NameTooLong", longName(61),
                  "ground.layers[0].name: 61 caratteri, al massimo 60"},
        Malformed{"KeyTwice", sampleWith(R"("phi": 36.0)", R"("phi": 36.0, "phi": 30)"),
                  "ground.layers[2].phi: chiave ripetuta"},
        Malformed{"NestedTooDeep",
                  sampleWith(R"("version": 1,)", R"("version": 1, "deep": )" + repeated("[", 70) +
                                                     repeated("]", 70) + ","),
                  "deep" + repeated("[0]", 63) + ": annidamento oltre 64 livelli"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    SettlementKeys, ProjectRefusal,
    ::testing::Values(
        Malformed{"LayerNuAboveHalf", settledWith(R"("nu": 0.35)", R"("nu": 0.6)"),
                  "ground.layers[1].nu: 0.6" + kRange + "0–0.5"},
        Malformed{"LayerEZero", settledWith(R"("E": 80.0)", R"("E": 0)"),
                  "ground.layers[1].E: 0" + kRange + "0.1–999999.9"},
        Malformed{"LayerSigmaPNegative", settledWith(R"("sigmaP": 1.2)", R"("sigmaP": -0.1)"),
                  "ground.layers[1].sigmaP: -0.1" + kRange + "0–999.99"},
        Malformed{"NsptAsText", settledWith(R"("Nspt": 35.0)", R"("Nspt": "35")"),
                  "ground.layers[2].Nspt: atteso un numero, trovato un testo"},
        Malformed{"ParameterNull", settledWith(R"("Eoed": 700.0)", R"("Eoed": null)"),
                  "ground.layers[2].Eoed: atteso un numero, trovato null"},
        Malformed{"HomogeneousCcTooLarge",
                  replaced(projectText(settledHomogeneous()), R"("Cc": 0.3)", R"("Cc": 20)"),
                  "ground.Cc: 20" + kRange + "0.001–15"},
        Malformed{"SettlementAsNumber",
                  settledWith(R"("settlement": {)", R"("settlement": 5, "x": {)"),
                  "settlement: atteso un oggetto o null, trovato un numero"},
        Malformed{"NoSettlementMethod", settledWith(R"("method": "oedometric",)", ""),
                  "settlement.method: chiave mancante"},
        Malformed{"UnknownSettlementMethod",
                  settledWith(R"("method": "oedometric")", R"("method": "Oedometric")"),
                  "settlement.method: metodo sconosciuto, atteso uno tra elastic, oedometric, "
                  "schmertmann, burland-burbidge"},
        Malformed{"UltimateCombination",
                  settledWith(R"("combination": "SLE-frequent")", R"("combination": "ULS")"),
                  "settlement.combination: combinazione sconosciuta, attesa una tra SLE-rare, "
                  "SLE-frequent, SLE-qp"},
        Malformed{"CombinationAsNumber",
                  settledWith(R"("combination": "SLE-frequent")", R"("combination": 2)"),
                  "settlement.combination: atteso un testo, trovato un numero"},
        Malformed{"LimitZero", settledWith(R"("limit": 2.5)", R"("limit": 0)"),
                  "settlement.limit: 0" + kRange + "0.01–100"},
        Malformed{"LimitAsText", settledWith(R"("limit": 2.5)", R"("limit": "2.5")"),
                  "settlement.limit: atteso un numero o null, trovato un testo"},
        Malformed{"YearsNegative", settledWith(R"("years": 50.0)", R"("years": -1)"),
                  "settlement.years: -1" + kRange + "0–1000"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every settlement key may be left out: a parameter is then not given, the
// settings' options take their defaults, and no settings mean none.
TEST(ProjectFile, SettlementKeysMayBeLeftOut) {
    struct Case {
        std::string text;
        std::optional<SettlementSettings> settings;
        SettlementParameters clay;
    };
    const SettlementParameters none;
    const Case cases[] = {
        {projectText(sample()), std::nullopt, none},
        {replaced(projectText(sample()), "\n}\n", ",\n\"settlement\": null}\n"), std::nullopt,
         none},
        {replaced(projectText(sample()), "\n}\n",
                  ",\n\"settlement\": {\"method\": \"schmertmann\"}}\n"),
         SettlementSettings{SettlementMethod::Schmertmann, CombinationType::SLEQuasiPermanent,
                            std::nullopt, std::nullopt},
         none},
        {settledWith(R"("limit": 2.5)", R"("limit": null)"),
         SettlementSettings{SettlementMethod::Oedometric, CombinationType::SLEFrequent,
                            std::nullopt, 50.0},
         settled().design.ground.layers[1].settlement},
    };
    for (const Case& c : cases) {
        ProjectDocument document;
        std::string error;
        ASSERT_TRUE(parseProject(c.text, document, error)) << error << '\n' << c.text;
        EXPECT_EQ(document.design.settlement, c.settings) << c.text;
        EXPECT_EQ(document.design.ground.layers[1].settlement, c.clay) << c.text;
        EXPECT_EQ(document.design.ground.settlement, none);
    }
}

// The sample with actions of every kind, a given combination, the
// self-weight and the seismic site; every value a case below edits
// appears once in the text.
ProjectDocument withActions() {
    ProjectDocument d = sample();
    ActionsData a;
    a.characteristic = {
        {"Struttura", ActionKind::G1, VariableCategory::A, {50000, 0, 0, 0, 0}, ""},
        {"Finiture", ActionKind::G2, VariableCategory::A, {15000, 0, 0, 1200, 0}, ""},
        {"Uffici", ActionKind::Q, VariableCategory::B, {20000, 1000, 0, 0, 0}, ""},
        {"Neve", ActionKind::Q, VariableCategory::SnowLow, {5000, 0, 0, 0, 0}, ""},
        {"Sisma",
         ActionKind::E,
         VariableCategory::A,
         {0, 8000, 3000, 9000, 2000},
         R"({"caso":"sx"})"}};
    a.combinations = {{"C1", CombinationType::ULS, {91000, 1500, 0, 1800, -300}, ""}};
    a.selfWeight = SelfWeight{0.6, 2500.0, std::nullopt};
    d.design.actions = a;
    d.design.seismic = SeismicData{0.18, 1.2, 1.0, 'B', std::nullopt, std::nullopt, true, 2.3};
    return d;
}

std::string actionsWith(const std::string& from, const std::string& to) {
    return replaced(projectText(withActions()), from, to);
}

std::string withActionCount(std::size_t count) {
    ProjectDocument d = withActions();
    d.design.actions->characteristic.resize(count);
    return projectText(d);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, ProjectRefusal,
    ::testing::Values(
        Malformed{"ActionsAsList", actionsWith(R"("actions": {)", R"("actions": [], "x": {)"),
                  "actions: atteso un oggetto o null, trovato una lista"},
        Malformed{"NoMode", actionsWith(R"("mode": "characteristic",)", ""),
                  "actions.mode: chiave mancante"},
        Malformed{"UnknownMode",
                  actionsWith(R"("mode": "characteristic")", R"("mode": "caratteristiche")"),
                  "actions.mode: modo sconosciuto \"caratteristiche\", atteso characteristic o "
                  "combinations"},
        Malformed{"UnknownKind", actionsWith(R"("kind": "G2")", R"("kind": "G3")"),
                  "actions.characteristic[1].kind: tipo sconosciuto \"G3\", atteso G1, G2, Q o E"},
        Malformed{"CategoryOfAPermanentAction",
                  actionsWith(R"("kind": "G2",)", R"("kind": "G2", "category": "A",)"),
                  "actions.characteristic[1].category: solo per le azioni Q"},
        Malformed{"NoCategory", actionsWith(R"("category": "B",)", ""),
                  "actions.characteristic[2].category: chiave mancante"},
        Malformed{"UnknownCategory", actionsWith(R"("category": "B")", R"("category": "I")"),
                  "actions.characteristic[2].category: categoria sconosciuta \"I\", atteso A, B, "
                  "C, D, E, F, G, H, wind, snow-low, snow-high o temperature"},
        Malformed{"ForceOutOfRange", actionsWith(R"("N": 50000.0)", R"("N": -1e10)"),
                  "actions.characteristic[0].N: -1e+10" + kRange + "-999999999–999999999"},
        Malformed{"MomentAsText", actionsWith(R"("MB": 1200.0)", R"("MB": "1200")"),
                  "actions.characteristic[1].MB: atteso un numero, trovato un testo"},
        Malformed{"TooManyActions", withActionCount(101),
                  "actions.characteristic: 101 azioni, al massimo 100"},
        Malformed{"NameTooLong",
                  actionsWith(R"("name": "C1")", "\"name\": \"" + repeated("à", 121) + "\""),
                  "actions.combinations[0].name: 121 caratteri, al massimo 120"},
        Malformed{"UnknownType", actionsWith(R"("type": "ULS")", R"("type": "SLU")"),
                  "actions.combinations[0].type: tipo di combinazione sconosciuto \"SLU\", atteso "
                  "ULS, SLV, SLE-rare, SLE-frequent o SLE-qp"},
        Malformed{"NoSelfWeight", actionsWith(R"("selfWeight": {)", R"("peso": {)"),
                  "actions.selfWeight: chiave mancante"},
        Malformed{"SelfWeightAsNumber",
                  actionsWith(R"("selfWeight": {)", R"("selfWeight": 5, "x": {)"),
                  "actions.selfWeight: atteso un oggetto o null, trovato un numero"},
        Malformed{"ThinFooting", actionsWith(R"("thickness": 0.6)", R"("thickness": 0)"),
                  "actions.selfWeight.thickness: 0" + kRange + "0.01–99.9"},
        Malformed{"SeismicAsText", actionsWith(R"("seismic": {)", R"("seismic": "si", "x": {)"),
                  "seismic: atteso un oggetto o null, trovato un testo"},
        Malformed{"AmplificationOutOfRange", actionsWith(R"("SS": 1.2)", R"("SS": 2.5)"),
                  "seismic.SS: 2.5" + kRange + "0.9–1.8"},
        Malformed{"UnknownSubsoil", actionsWith(R"("subsoil": "B")", R"("subsoil": "S1")"),
                  "seismic.subsoil: categoria di sottosuolo sconosciuta \"S1\", atteso A, B, C, D "
                  "o E"},
        Malformed{"KinematicAsNumber", actionsWith(R"("kinematic": true)", R"("kinematic": 1)"),
                  "seismic.kinematic: atteso un valore logico, trovato un numero"},
        Malformed{"ResistanceFactor", actionsWith(R"("gammaRv": 2.3)", R"("gammaRv": 2)"),
                  "seismic.gammaRv: 2 non ammesso, atteso 2.3 o 1.8"},
        Malformed{"NoBetaSInTheTable", actionsWith(R"("agOverG": 0.18)", R"("agOverG": 0.45)"),
                  "seismic.betaS: la Tab. 7.11.I non dà βs per ag/g = 0.45 e categoria B: "
                  "indicare βs o kh"}),
    [](const auto& info) { return std::string(info.param.name); });

// Files from before the actions have none; null says the same.
TEST(ProjectFile, AbsentOrNullActionsAndSeismicMeanNone) {
    for (const std::string& text :
         {projectText(sample()),
          sampleWith(R"("version": 1,)", R"("version": 1, "actions": null, "seismic": null,)")}) {
        ProjectDocument document;
        std::string error;
        ASSERT_TRUE(parseProject(text, document, error)) << error;
        EXPECT_FALSE(document.design.actions);
        EXPECT_FALSE(document.design.seismic);
        EXPECT_EQ(projectText(document), projectText(sample()));
    }
}

TEST(ProjectFile, LongestNameAndMostLayersAreRead) {
    for (const std::string& text :
         {longName(ground::kMaxLayerNameLength), withLayers(ground::kMaxLayers)}) {
        ProjectDocument document;
        std::string error;
        EXPECT_TRUE(parseProject(text, document, error)) << error;
    }
}

// Read then written again, byte for byte, for documents whose numbers and
// texts test the writer's forms.
TEST(ProjectFile, WrittenTextReadsBackByteForByte) {
    ProjectDocument awkward = sample();
    awkward.geometry = {0.1 + 0.2, 99.9, 0.0, -0.0, 1e-300, 0.1, 1.0 / 3.0, 9999999.0, 0.5};
    awkward.analysis = {Terzaghi, 1.0};
    awkward.design.info = {"\"virgolette\" \\ /", "\t\x01", "città – ñ 日本 🏗", "", ""};
    awkward.design.ground.waterTable = 0.0;
    ProjectDocument dry = sample();
    dry.design.ground = {};
    for (const ProjectDocument& written : {ProjectDocument{}, sample(), awkward, dry, settled(),
                                           settledHomogeneous(), withActions()}) {
        const std::string text = projectText(written);
        ProjectDocument read;
        std::string error;
        ASSERT_TRUE(parseProject(text, read, error)) << error << "\n" << text;
        EXPECT_EQ(projectText(read), text);
        EXPECT_EQ(read.design, written.design);
        EXPECT_EQ(std::signbit(read.geometry.alpha), std::signbit(written.geometry.alpha));
    }
}

// Unknown keys, also between known ones, come back after the known keys
// of their object, in their order; the text shows the whole layout.
TEST(ProjectFile, UnknownKeysAreKeptAtEveryLevel) {
    const std::string text = R"({"zeta": 1, "format": "zolt-project", "version": 1,
"info": {"revisione": "B", "title": "t", "client": "c", "site": "s", "designer": "d", "notes": ""},
"geometry": {"B": 1, "L": 2, "D": 1, "alpha": 0, "omega": 0, "ex": 0, "ey": 0, "N": 1e4, "T": 0,
  "fondazione": {"tipo": "plinto", "quote": [1, 2.5]}},
"soil": {"gamma": 1800, "phi": 30, "delta": 20, "c": 0, "ca": 0, "E": 300},
"analysis": {"method": "hansen", "extra": null, "safetyFactor": 2.5},
"verification": {"approach": "ntc2018", "combinazioni": []},
"ground": {"falde": 2, "waterTable": null, "gammaSat": 2000, "layers": [
  {"name": "a", "thickness": 1, "gamma": 1800, "gammaSat": 2000, "phi": 30, "delta": 20,
   "c": 0, "ca": 0, "cu": 0, "Eed": 50, "k": {"v": 1e-7}}]},
"carichi": {"g": 1}})";
    const std::string expected = R"({
  "format": "zolt-project",
  "version": 1,
  "info": {
    "title": "t",
    "client": "c",
    "site": "s",
    "designer": "d",
    "notes": "",
    "revisione": "B"
  },
  "geometry": {
    "B": 1.0,
    "L": 2.0,
    "D": 1.0,
    "alpha": 0.0,
    "omega": 0.0,
    "ex": 0.0,
    "ey": 0.0,
    "N": 10000.0,
    "T": 0.0,
    "fondazione": {
      "tipo": "plinto",
      "quote": [
        1,
        2.5
      ]
    }
  },
  "soil": {
    "gamma": 1800.0,
    "phi": 30.0,
    "delta": 20.0,
    "c": 0.0,
    "ca": 0.0,
    "E": 300
  },
  "analysis": {
    "method": "hansen",
    "safetyFactor": 2.5,
    "extra": null
  },
  "verification": {
    "approach": "ntc2018",
    "combinazioni": []
  },
  "ground": {
    "waterTable": null,
    "gammaSat": 2000.0,
    "layers": [
      {
        "name": "a",
        "thickness": 1.0,
        "gamma": 1800.0,
        "gammaSat": 2000.0,
        "phi": 30.0,
        "delta": 20.0,
        "c": 0.0,
        "ca": 0.0,
        "cu": 0.0,
        "Eed": 50,
        "k": {
          "v": 1e-07
        }
      }
    ],
    "falde": 2
  },
  "zeta": 1,
  "carichi": {
    "g": 1
  }
}
)";
    ProjectDocument document;
    std::string error;
    ASSERT_TRUE(parseProject(text, document, error)) << error;
    EXPECT_EQ(projectText(document), expected);
    EXPECT_EQ(document.analysis.method, Hansen);
    EXPECT_EQ(document.design.extra.size(), 7u); // all but the layer's
    EXPECT_EQ(document.design.ground.layers[0].extra, R"({"Eed":50,"k":{"v":1e-07}})");
}

// Whatever the reader refuses, the writer refuses too, and the file on
// disk stays as it was.
TEST(ProjectFile, WriterRefusesWhatTheReaderWould) {
    struct Case {
        void (*edit)(ProjectDocument&);
        std::string message;
    };
    const Case cases[] = {
        {[](ProjectDocument& d) { d.geometry.ex = std::numeric_limits<double>::quiet_NaN(); },
         "geometry.ex: numero non finito"},
        {[](ProjectDocument& d) { d.analysis.method = 7; },
         "analysis.method: metodo sconosciuto (7), atteso uno tra terzaghi, meyerhof, hansen, "
         "vesic"},
        {[](ProjectDocument& d) { d.design.info.site = "Citt\xE0"; },
         "info.site: testo non valido in UTF-8"},
        {[](ProjectDocument& d) { d.design.ground.layers[1].extra = "[1]"; },
         "ground.layers[1]: chiavi sconosciute illeggibili"},
    };
    const fs::path file = fs::temp_directory_path() / "zolt-project-writer.zolt";
    for (const Case& c : cases) {
        std::ofstream(file, std::ios::binary) << "prima";
        ProjectDocument d = sample();
        c.edit(d);
        std::string error;
        EXPECT_FALSE(writeProjectFile(file.string(), d, error));
        EXPECT_EQ(error, c.message);
        EXPECT_EQ(checkProject(d), c.message);
        std::ifstream in(file, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "prima");
    }
    fs::remove(file);
}

class ProjectFileSystem : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zolt-project-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string path(const char* name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

// Refused without reading: a FIFO would otherwise wait for a writer.
TEST_F(ProjectFileSystem, RefusesWhatIsNotARegularFileOfSensibleSize) {
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    fs::create_directory(path("folder"));
    std::ofstream(path("big"), std::ios::binary).close();
    fs::resize_file(path("big"), kMaxProjectFileSize + 1);
    const std::pair<const char*, const char*> cases[] = {
        {"fifo", "non è un file regolare"},
        {"folder", "non è un file regolare"},
        {"missing", "impossibile aprire il file"},
        {"big", "file troppo grande (oltre 16 MiB)"},
    };
    for (const auto& [name, message] : cases) {
        ProjectDocument document = untouched();
        std::string error;
        EXPECT_FALSE(readProjectFile(path(name), document, error)) << name;
        EXPECT_EQ(error, message) << name;
        EXPECT_EQ(document.design, untouched().design) << name;
    }
}

TEST_F(ProjectFileSystem, ProcessRecordsChangeTogetherOrNotAtAll) {
    std::string error;
    const ProjectDocument saved = sample();
    ASSERT_TRUE(writeProjectFile(path("good.zolt"), saved, error)) << error;
    std::ofstream(path("bad.zolt"), std::ios::binary)
        << replaced(projectText(saved), R"("phi": 36.0)", R"("phi": 57)");

    const ProjectDocument before = untouched();
    geometryData = before.geometry;
    soilData = before.soil;
    analysisSettings = before.analysis;
    designData = before.design;
    const auto current = [] {
        return projectText({geometryData, soilData, analysisSettings, designData});
    };
    EXPECT_FALSE(ReadProjectFile(path("bad.zolt"), error));
    EXPECT_EQ(error, "ground.layers[2].phi: 57 fuori dall'intervallo 0–50");
    EXPECT_EQ(current(), projectText(before));

    ASSERT_TRUE(ReadProjectFile(path("good.zolt"), error)) << error;
    EXPECT_EQ(current(), projectText(saved));
    EXPECT_EQ(designData, saved.design);
    ASSERT_TRUE(WriteProjectFile(path("again.zolt"), error)) << error;
    std::ifstream in(path("again.zolt"), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), projectText(saved));
}

// The example projects that ship with the program.
std::vector<std::string> examples() {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(ZOLT_SOURCE_DIR "/resources/examples"))
        files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(ProjectExamples, ReadWithoutErrorAndWriteBackTheSameBytes) {
    const std::vector<std::string> files = examples();
    ASSERT_GE(files.size(), 3u);
    bool layered = false, wet = false, undrained = false, settled = false;
    for (const std::string& file : files) {
        ProjectDocument document;
        std::string error;
        ASSERT_TRUE(readProjectFile(file, document, error)) << file << ": " << error;
        std::ifstream in(file, std::ios::binary);
        EXPECT_EQ(projectText(document), std::string(std::istreambuf_iterator<char>(in), {}))
            << file;
        const GroundData& g = document.design.ground;
        layered |= g.layers.size() >= 3 && g.waterTable.has_value();
        wet |= g.layers.empty() && g.waterTable.has_value();
        for (const SoilLayer& layer : g.layers)
            undrained |= layer.cu > 0;
        settled |= document.design.settlement.has_value();
    }
    EXPECT_TRUE(layered && wet && undrained && settled);
}

// The schema's ranges are those the reader applies.
TEST(ProjectSchema, RangesAreTheInputFields) {
    std::ifstream in(ZOLT_SOURCE_DIR "/resources/project.schema.json");
    const nlohmann::json schema = nlohmann::json::parse(in, nullptr, false);
    ASSERT_TRUE(schema.is_object());
    const char* const kUnits[] = {", m", ", gradi", ", kg", ", adimensionale", ", cm", ", anni"};
    struct Range {
        std::string pointer;
        double minimum, maximum;
    };
    std::vector<Range> ranges = {
        {"/properties/analysis/properties/safetyFactor", kMinSafetyFactor, kMaxSafetyFactor},
        {"/properties/ground/properties/waterTable", ground::kMinWaterTable,
         ground::kMaxWaterTable},
        {"/properties/ground/properties/gammaSat", ground::kMinGammaSat, ground::kMaxGammaSat},
    };
    for (const auto& f : geometryFields())
        ranges.push_back(
            {"/properties/geometry/properties/" + std::string(f.name), f.minimum, f.maximum});
    for (const auto& f : soilFields())
        ranges.push_back(
            {"/properties/soil/properties/" + std::string(f.name), f.minimum, f.maximum});
    for (const auto& f : ground::layerFields())
        ranges.push_back(
            {"/definitions/layer/properties/" + std::string(f.name), f.minimum, f.maximum});
    for (const auto& f : ground::settlementFields())
        for (const char* at : {"/definitions/layer/properties/", "/properties/ground/properties/"})
            ranges.push_back({at + std::string(f.name), f.minimum, f.maximum});
    ranges.push_back({"/properties/settlement/properties/limit", ground::kMinSettlementLimit,
                      ground::kMaxSettlementLimit});
    ranges.push_back({"/properties/settlement/properties/years", ground::kMinSettlementYears,
                      ground::kMaxSettlementYears});
    for (const auto& f : actions::forceFields())
        for (const char* item : {"action", "combination"})
            ranges.push_back(
                {"/definitions/" + std::string(item) + "/properties/" + std::string(f.name),
                 f.minimum, f.maximum});
    for (const actions::NumberField* f :
         {&actions::kThicknessField, &actions::kGammaConcreteField, &actions::kGammaFillField})
        ranges.push_back(
            {"/properties/actions/properties/selfWeight/properties/" + std::string(f->name),
             f->minimum, f->maximum});
    for (const actions::NumberField* f :
         {&actions::kAgOverGField, &actions::kSSField, &actions::kSTField, &actions::kBetaSField,
          &actions::kKhField})
        ranges.push_back(
            {"/properties/seismic/properties/" + std::string(f->name), f->minimum, f->maximum});
    for (const Range& r : ranges) {
        const nlohmann::json::json_pointer pointer(r.pointer);
        ASSERT_TRUE(schema.contains(pointer)) << r.pointer;
        const nlohmann::json& property = schema[pointer];
        EXPECT_EQ(property.value("minimum", -1.0), r.minimum) << r.pointer;
        EXPECT_EQ(property.value("maximum", -1.0), r.maximum) << r.pointer;
        const std::string description = property.value("description", "");
        EXPECT_TRUE(std::any_of(
            std::begin(kUnits), std::end(kUnits),
            [&](const char* unit) { return description.find(unit) != std::string::npos; }))
            << r.pointer << ": no unit in \"" << description << '"';
    }
    const nlohmann::json& ground = schema["properties"]["ground"]["properties"];
    EXPECT_EQ(ground["layers"]["maxItems"], ground::kMaxLayers);
    EXPECT_EQ(schema["definitions"]["layer"]["properties"]["name"]["maxLength"],
              ground::kMaxLayerNameLength);
    const nlohmann::json& actions = schema["properties"]["actions"]["properties"];
    EXPECT_EQ(actions["characteristic"]["maxItems"], actions::kMaxActions);
    EXPECT_EQ(actions["combinations"]["maxItems"], actions::kMaxGivenCombinations);
    for (const char* item : {"action", "combination"})
        EXPECT_EQ(schema["definitions"][item]["properties"]["name"]["maxLength"],
                  actions::kMaxActionNameLength);
    std::vector<std::string> approaches;
    for (const auto& a : design::approaches())
        approaches.emplace_back(a.id);
    EXPECT_EQ(schema["properties"]["verification"]["properties"]["approach"]["enum"], approaches);
}

} // namespace
} // namespace zolt
