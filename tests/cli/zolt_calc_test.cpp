// zolt-calc end to end: the real binary, its exit codes, streams and files.
#include "model/data_file.h"
#include "model/file_io.h"
#include "model/number_text.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#ifndef ZOLT_CALC_PATH
#error "ZOLT_CALC_PATH must name the zolt-calc binary"
#endif
#ifndef ZOLT_EXAMPLES_DIR
#error "ZOLT_EXAMPLES_DIR must name the folder of the example projects"
#endif

namespace zolt {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class ZoltCalc : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zolt-calc-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const char* name) const { return (dir_ / name).string(); }

    // Runs zolt-calc in the test folder with `args`, collecting both streams.
    Outcome run(const std::vector<std::string>& args, const char* locale = nullptr,
                const char* stdoutPath = nullptr) const {
        const std::string outPath = stdoutPath ? stdoutPath : path(".stdout");
        const std::string errPath = path(".stderr");
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::chdir(dir_.c_str());
            const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(out, 1);
            ::dup2(err, 2);
            if (locale != nullptr) {
                ::setenv("LC_ALL", locale, 1);
                ::setenv("LANG", locale, 1);
            }
            std::vector<char*> argv;
            std::string program = ZOLT_CALC_PATH;
            argv.push_back(program.data());
            std::vector<std::string> copies = args;
            for (auto& a : copies)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        Outcome o;
        o.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        o.out = stdoutPath ? "" : readFilePrefix(outPath, 1 << 26).value_or("");
        o.err = readFilePrefix(errPath, 1 << 20).value_or("");
        if (!stdoutPath)
            fs::remove(outPath);
        fs::remove(errPath);
        return o;
    }

    // The one line of a refused command line.
    static void expectBadInput(const Outcome& o, const std::string& mentions) {
        EXPECT_EQ(o.exitCode, 3);
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.err.find("zolt-calc: "), 0u) << o.err;
        EXPECT_NE(o.err.find(mentions), std::string::npos) << o.err;
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
    }

    fs::path dir_;
};

const char* const kMeyerhofB2L3 =
    "Calcolo capacit\xC3\xA0 portante di una fondazione superficiale\n\n"
    "Metodo di Meyerhof\n\n"
    "Capacit\xC3\xA0 portante    479775 Kg\n\n"
    "Qult (Kg/cmq)          8.00\n\n"
    "Qamm (Kg/cmq)          2.67\n\n"
    "Nc =   30.140    Nq=    18.401     Nga=    15.668\n\n"
    "Fattori di forma\n"
    "sc =    1.400    sq=     1.200     sga=     1.200\n\n"
    "Fattori di profondit\xC3\xA0 del piano di posa\n"
    "dc =    1.173    dq=     1.087     dga=     1.087\n\n"
    "Fattori di capacit\xC3\xA0 portante corretti\n"
    "Nc'=   49.504    Nq'=    23.994     Nga'=    20.430\n";

TEST_F(ZoltCalc, PrintsTheReportOfTheGivenFoundation) {
    const Outcome o = run({"B=2", "L=3", "phi=30"});
    EXPECT_EQ(o.exitCode, 0) << o.err;
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(o.out, kMeyerhofB2L3);
    // The same under a decimal-comma locale.
    EXPECT_EQ(run({"B=2", "L=3", "phi=30"}, "it_IT.UTF-8").out, kMeyerhofB2L3);
}

TEST_F(ZoltCalc, WritesTheReportFileInWindows1252) {
    const Outcome o = run({"--report", "out.txt", "B=2", "L=3"});
    ASSERT_EQ(o.exitCode, 0) << o.err;
    const auto file = readFilePrefix(path("out.txt"), 1 << 16);
    ASSERT_TRUE(file);
    std::string expected = kMeyerhofB2L3;
    for (std::size_t at; (at = expected.find("\xC3\xA0")) != std::string::npos;)
        expected.replace(at, 2, "\xE0");
    EXPECT_EQ(*file, expected);
    EXPECT_FALSE(fs::exists(path("rel.txt"))); // only the file asked for
}

TEST_F(ZoltCalc, RefusedInputNamesTheProblem) {
    expectBadInput(run({"--frobnicate"}), "--frobnicate");
    expectBadInput(run({"X=1"}), "X");
    expectBadInput(run({"B=abc"}), "abc");
    expectBadInput(run({"B=2,5"}), "2,5");
    expectBadInput(run({"B=0.05"}), "0.10 e 99.90");
    expectBadInput(run({"N=10000000"}), "0 e 9999999");
    expectBadInput(run({"phi=-1"}), "phi");
    expectBadInput(run({"c=nan"}), "nan");
    expectBadInput(run({"B=3", "L=2"}),
                   "La larghezza della fondazione deve essere minore o uguale alla lunghezza");
    expectBadInput(run({"--safety", "9.01"}), "1.00 e 9.00");
    expectBadInput(run({"--safety", "0.5"}), "--safety");
    expectBadInput(run({"--safety"}), "--safety");
    expectBadInput(run({"--method", "bowles"}), "bowles");
    expectBadInput(run({"--json=1"}), "--json");
    expectBadInput(run({"a.dat", "b.dat"}), "b.dat");
    expectBadInput(run({"missing.dat"}), "Errore nell'apertura del file !!");
    std::ofstream(path("short.dat"), std::ios::binary) << std::string(100, '\0');
    expectBadInput(run({"short.dat"}),
                   "Il file non contiene dati validi: il file \u00e8 di 100 byte, non di 112");
    expectBadInput(run({"--report", "no/such/dir/r.txt"}), "Errore nell'apertura del file !!");
    expectBadInput(run({"--save", "no/such/dir/p.dat"}), "Errore nell'apertura del file !!");
    EXPECT_EQ(run({"--safety", "9", "--method=vesic"}).exitCode, 0);
}

TEST_F(ZoltCalc, SavesTheResultingInputsWithoutAnalysis) {
    GeometryData g;
    g.B = 1.5;
    g.L = 2.5;
    SoilData s;
    s.c = 0.25;
    ASSERT_TRUE(writeDataFile(path("in.dat"), g, s));
    const Outcome o = run({"in.dat", "D=2", "phi=0", "--save", "out.dat"});
    EXPECT_EQ(o.exitCode, 0) << o.err;
    EXPECT_EQ(o.out, "");
    GeometryData g2;
    SoilData s2;
    ASSERT_TRUE(readDataFile(path("out.dat"), g2, s2));
    EXPECT_EQ(g2.B, 1.5);
    EXPECT_EQ(g2.L, 2.5);
    EXPECT_EQ(g2.D, 2.0);
    EXPECT_EQ(s2.c, 0.25);
    EXPECT_EQ(s2.phi, 0.0);
    EXPECT_EQ(fs::file_size(path("out.dat")), 112u);
}

TEST_F(ZoltCalc, AnInvalidProjectFileIsRefusedWithItsReason) {
    GeometryData g;
    g.B = 5; // breaks B <= L, which the geometry dialog keeps
    g.L = 2;
    ASSERT_TRUE(writeDataFile(path("wide.dat"), g, SoilData{}));
    const std::string reason =
        "Il file non contiene dati validi: La larghezza della fondazione deve essere minore o "
        "uguale alla lunghezza (B = 5.00, L = 2.00) (wide.dat)";
    for (const auto& args : {std::vector<std::string>{"wide.dat"}, {"wide.dat", "L=5"}})
        expectBadInput(run(args), reason);
    g.B = -2;
    ASSERT_TRUE(writeDataFile(path("negative.dat"), g, SoilData{}));
    expectBadInput(run({"negative.dat"}),
                   "B = -2.00 fuori dall'intervallo 0.10\u201399.90 (negative.dat)");
}

TEST_F(ZoltCalc, PreChecksRefuseWithTheirMessagesInBitOrder) {
    Outcome o = run({"phi=0"});
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, "Angolo di attrito e coesione entrambi nulli\n");
    o = run({"T=10", "delta=0", "phi=0", "--report", "r.txt"});
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_EQ(o.err, "Angolo di attrito e coesione entrambi nulli\n"
                     "Angolo di attrito terreno-fondazione e aderenza entrambi nulli\n"
                     "Fondazione non verificata a scorrimento\n");
    EXPECT_FALSE(fs::exists(path("r.txt")));
}

TEST_F(ZoltCalc, EngineFailureSaysErrore) {
    const std::vector<std::string> cases[] = {
        // A steep soil-foundation friction angle holds the base against
        // sliding, but Hansen's inclination factor turns negative.
        {"--method", "hansen", "N=10000", "T=25000", "delta=70"},
        {"phi=65"},                        // Meyerhof's N-gamma is negative
        {"--method", "vesic", "omega=80"}, // (1 - tan omega)^2 grows again
    };
    for (const auto& args : cases) {
        const Outcome o = run(args);
        EXPECT_EQ(o.exitCode, 1) << args.back();
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.err, "Errore\n");
    }
}

TEST_F(ZoltCalc, JsonCarriesInputsChecksAndTheWholeRecord) {
    Outcome o = run({"--json", "--method", "terzaghi", "--safety", "2.5", "B=2", "L=3"});
    ASSERT_EQ(o.exitCode, 0) << o.err;
    for (const char* part :
         {"\"method\": \"terzaghi\"", "\"safetyFactor\": 2.5", "\"B\": 2", "\"gamma\": 1800",
          "\"checkMask\": 0", "\"checkMessages\": []", "\"engineResult\": 0",
          "\"terzaghiA\": ", "\"sc\": 1,", "\"dc\": 0,", "\"qult\": ", "\"qamm\": "})
        EXPECT_NE(o.out.find(part), std::string::npos) << part << '\n' << o.out;
    EXPECT_NE(o.out.find("\"factorPresent\": [\n      1,\n      1,\n      1,\n      0"),
              std::string::npos)
        << o.out;
    EXPECT_EQ(o.out.front(), '{');
    EXPECT_EQ(o.out.substr(o.out.size() - 2), "}\n");

    o = run({"--json", "phi=0"});
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_NE(o.out.find("\"engineResult\": null"), std::string::npos);
    EXPECT_NE(o.out.find("\"checkMask\": 1"), std::string::npos);
    EXPECT_NE(o.out.find("\"Angolo di attrito e coesione entrambi nulli\""), std::string::npos);
    EXPECT_NE(o.out.find("\"ultimateLoad\": 0"), std::string::npos);

    o = run({"--json", "--method", "vesic", "N=10000", "T=25000", "delta=70"});
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_NE(o.out.find("\"engineResult\": 1"), std::string::npos);
}

TEST_F(ZoltCalc, AFailedStandardOutputLeavesNoFileBehind) {
    const Outcome o = run({"--report", "r.txt"}, nullptr, "/dev/full");
    EXPECT_EQ(o.exitCode, 3);
    EXPECT_NE(o.err.find("uscita standard"), std::string::npos) << o.err;
    EXPECT_FALSE(fs::exists(path("r.txt")));
}

TEST_F(ZoltCalc, NumbersBeyondADoubleAreJudgedByTheirValue) {
    expectBadInput(run({"--json", "T=1" + std::string(400, '0') + "e-90"}), "T=");
    EXPECT_EQ(run({"D=0." + std::string(400, '0') + "1"}).exitCode, 0);
}

// The value after `"key": ` in `json`, as text; "object/key" looks inside
// the first object of that name.
std::string jsonValue(const std::string& json, std::string key, std::size_t from = 0) {
    if (const auto slash = key.find('/'); slash != std::string::npos) {
        from = json.find("\"" + key.substr(0, slash) + "\": {", from);
        key = key.substr(slash + 1);
    }
    const auto at = json.find("\"" + key + "\": ", from);
    if (at == std::string::npos)
        return "<missing " + key + ">";
    const auto start = at + key.size() + 4;
    return json.substr(start, json.find_first_of(",\n", start) - start);
}

TEST_F(ZoltCalc, VerificationAndSizingAsJsonAndExitCodes) {
    struct Row {
        std::vector<std::string> args;
        int exitCode;
        std::vector<std::pair<std::string, std::string>> values; // key, JSON text
    };
    const Row rows[] = {
        {{"--verify", "ntc2018", "B=2", "L=3", "N=10000", "T=1000"},
         0,
         {{"approach", "\"ntc2018\""},
          {"gammaRv", "2.3"},
          {"gammaRh", "1.1"},
          {"verified", "true"},
          {"engineResult", "0"},
          {"middleThird", "true"}}},
        // Hansen fails under this shear: bearing not computable, sliding checked.
        {{"--verify", "ec7-da1", "--method", "hansen", "N=10000", "T=25000", "delta=70"},
         1,
         {{"Rk", "null"}, {"Rd", "null"}, {"utilisation", "null"}, {"engineResult", "1"}}},
        // The analysis refuses the sliding; the verification computes it.
        {{"--verify", "ec7-da2", "N=10000", "T=5000"},
         2,
         {{"bearing/verified", "true"}, {"sliding/verified", "false"}}},
        {{"--verify", "ec7-da3", "N=9999999"}, 4, {{"approach", "\"ec7-da3\""}}},
        // Meyerhof's N-gamma past its domain is no resistance.
        {{"--verify", "ntc2018", "phi=65"}, 1, {{"Rk", "null"}, {"verified", "false"}}},
        {{"--verify", "ntc2018", "--size", "ratio=2", "N=200000"}, 0, {{"rule", "\"ratio=2\""}}},
        // Friction alone holds the global check but not the factored one.
        {{"--verify", "ntc2018", "--size", "square", "N=10000", "T=3500"},
         4,
         {{"B", "null"}, {"L", "null"}}},
    };
    for (const Row& row : rows) {
        std::vector<std::string> args = row.args;
        args.push_back("--json");
        const Outcome o = run(args);
        EXPECT_EQ(o.exitCode, row.exitCode) << args[1] << '\n' << o.out << o.err;
        const auto verification = o.out.find("\"verification\": {");
        ASSERT_NE(verification, std::string::npos) << o.out;
        for (const auto& [key, value] : row.values)
            EXPECT_EQ(jsonValue(o.out, key, verification), value) << key << '\n' << o.out;
        EXPECT_NE(o.out.find("\"N e T sono assunti come azioni di progetto (combinazione A1)\""),
                  std::string::npos);
    }
    // Meaningless soil: no verification at all.
    const Outcome refused = run({"--json", "--verify", "ntc2018", "phi=0"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.out.find("\"verification\": null"), std::string::npos) << refused.out;
    const Outcome text = run({"--verify", "ntc2018", "N=9999999"});
    EXPECT_EQ(text.exitCode, 4);
    EXPECT_NE(text.out.find("Esito della verifica: NON VERIFICATA"), std::string::npos);
    expectBadInput(run({"--size", "square"}), "--verify");
    expectBadInput(run({"--verify", "ntc2008"}), "ntc2008");
    expectBadInput(run({"--verify", "ntc2018", "--size", "ratio=0.5"}), "ratio=0.5");
}

TEST_F(ZoltCalc, ComparisonAndMonteCarloAsJson) {
    Outcome o =
        run({"--json", "--compare", "--monte-carlo", "2000", "--cov", "phi=0.1,c=0.2", "--seed",
             "5", "B=2", "L=3", "phi=28", "c=0.15", "N=300000", "T=40000", "ca=0.1"});
    ASSERT_EQ(o.exitCode, 0) << o.err;
    for (const char* method : {"terzaghi", "meyerhof", "hansen", "vesic"})
        EXPECT_NE(
            o.out.find(std::string("\"method\": \"") + method + "\",\n      \"engineResult\""),
            std::string::npos)
            << method << '\n'
            << o.out;
    const auto mc = o.out.find("\"montecarlo\": {");
    ASSERT_NE(mc, std::string::npos);
    EXPECT_EQ(jsonValue(o.out, "samples", mc), "2000");
    EXPECT_EQ(jsonValue(o.out, "seed", mc), "5");
    // Every key once in the object (a repeated key loses a value in most readers).
    const std::string object = o.out.substr(mc, o.out.find("\n  }", mc) - mc);
    for (const char* key : {"inputCov", "failures", "refused", "pf", "pfLow", "pfHigh", "beta",
                            "mean", "cov", "p05", "p50", "p95"}) {
        const std::string quoted = std::string("\"") + key + "\": ";
        const auto first = object.find(quoted);
        EXPECT_NE(first, std::string::npos) << key;
        EXPECT_EQ(object.find(quoted, first + 1), std::string::npos) << key << " twice";
    }
    // The same seed, the same numbers.
    EXPECT_EQ(o.out, run({"--json", "--compare", "--monte-carlo", "2000", "--cov", "phi=0.1,c=0.2",
                          "--seed", "5", "B=2", "L=3", "phi=28", "c=0.15", "N=300000", "T=40000",
                          "ca=0.1"})
                         .out);
    // No failure: beta is only bounded.
    o = run({"--json", "--monte-carlo", "100", "--cov", "phi=0.05"});
    EXPECT_EQ(jsonValue(o.out, "beta", o.out.find("\"montecarlo\"")), "null");
    EXPECT_NE(o.out.find("\"betaAbove\": "), std::string::npos);
    for (const char* bad : {"phi=-0.1", "phi=x", "psi=0.1", "phi"})
        expectBadInput(run({"--monte-carlo", "10", "--cov", bad}), "--cov");
    for (const char* bad : {"phi=1e999", "c=10.5"})
        expectBadInput(run({"--monte-carlo", "10", "--cov", bad}), "tra 0 e 10");
    expectBadInput(run({"--monte-carlo", "0"}), "--monte-carlo");
    expectBadInput(run({"--seed", "3"}), "--monte-carlo");
}

// Past the described report, no number shows more than 15 significant
// digits or "inf", and the Monte Carlo text shows what its JSON holds.
TEST_F(ZoltCalc, SectionsShowNoOverlongOrInfiniteNumbers) {
    const std::vector<std::string> cases[] = {
        {"--method", "terzaghi", "phi=89", "--verify", "ntc2018", "--compare"},
        {"--method", "terzaghi", "--monte-carlo", "20000", "--cov", "phi=10"},
        {"--monte-carlo", "20000", "--cov", "phi=10"},
    };
    const std::regex overlong("[0-9]{16}|inf|nan");
    for (const auto& args : cases) {
        const Outcome o = run(args);
        ASSERT_EQ(o.exitCode, 0) << o.err;
        const std::string sections = o.out.substr(o.out.find("\n\n", o.out.find("Nc'=")));
        EXPECT_FALSE(std::regex_search(sections, overlong)) << sections;
        std::vector<std::string> json = args;
        json.push_back("--json");
        const Outcome j = run(json);
        const auto mc = j.out.find("\"montecarlo\"");
        if (mc == std::string::npos)
            continue;
        EXPECT_EQ(sections.find("non calcolabile") != std::string::npos,
                  jsonValue(j.out, "cov", mc) == "null")
            << sections;
    }
}

// A reader with the same library gets the very document back: numbers that
// read back exactly (integers as integers, -0 with its sign), the key order,
// and null for a value that is not finite.
TEST_F(ZoltCalc, JsonReadsBackUnchanged) {
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* lastKey;
        const char* nullAt; // a JSON pointer, or none
    } runs[] = {
        {{"B=2", "L=3", "N=100000", "c=0.0001"}, 0, "qamm", nullptr},
        {{"phi=0"}, 2, "qamm", "/engineResult"},
        {{"--method", "vesic", "N=10000", "T=25000", "delta=70"}, 1, "qamm", nullptr},
        {{"--verify", "ec7-da3", "--method", "terzaghi", "c=0.3", "N=20000"},
         0,
         "verification",
         nullptr},
        {{"--verify", "ntc2018", "phi=0"}, 2, "verification", "/verification"},
        {{"--verify", "ec7-da1", "--size", "ratio=1.5", "N=150000", "T=10000"},
         0,
         "sizing",
         nullptr},
        {{"--compare", "phi=0", "c=0.0005"}, 0, "comparisonUndrained", nullptr},
        {{"--monte-carlo", "3000", "--cov", "phi=3", "--method", "vesic", "N=100000"},
         0,
         "montecarlo",
         nullptr},
        {{"--verify", "ntc2018", "phi=65", "c=0.1", "N=1000"},
         1,
         "verification",
         "/verification/bearing/Rk"},
    };
    for (const auto& r : runs) {
        std::vector<std::string> args = r.args;
        args.push_back("--json");
        const Outcome o = run(args);
        SCOPED_TRACE(o.out);
        EXPECT_EQ(o.exitCode, r.exitCode) << o.err;
        const auto doc = nlohmann::ordered_json::parse(o.out, nullptr, false);
        ASSERT_TRUE(doc.is_object());
        EXPECT_EQ(doc.dump(2, ' ', false) + '\n', o.out);
        EXPECT_EQ(doc.begin().key(), "method");
        EXPECT_EQ((--doc.end()).key(), r.lastKey);
        if (r.nullAt) {
            EXPECT_TRUE(doc.at(nlohmann::ordered_json::json_pointer(r.nullAt)).is_null());
        }
    }
}

TEST_F(ZoltCalc, SweepWritesCsv) {
    Outcome o = run({"--sweep", "B=2.5:3.5:3", "L=3", "--verify", "ntc2018"});
    ASSERT_EQ(o.exitCode, 0) << o.err;
    const std::string header =
        "B,terzaghi_load,terzaghi_qult,meyerhof_load,meyerhof_qult,hansen_load,hansen_qult,"
        "vesic_load,vesic_qult,terzaghi_util_bearing,terzaghi_util_sliding,"
        "meyerhof_util_bearing,meyerhof_util_sliding,hansen_util_bearing,hansen_util_sliding,"
        "vesic_util_bearing,vesic_util_sliding\n";
    ASSERT_EQ(o.out.substr(0, header.size()), header);
    // B = 3.5 breaks B <= L: no values.
    EXPECT_NE(o.out.find("\n3.5,,,,,,,,,,,,,,,,\n"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("\n2.5,"), std::string::npos);
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 4);
    EXPECT_EQ(o.out.find("nan"), std::string::npos);

    o = run({"--sweep=phi=0:40:5", "--csv", "s.csv"});
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_EQ(o.out, "");
    const auto csv = readFilePrefix(path("s.csv"), 1 << 16);
    ASSERT_TRUE(csv);
    EXPECT_NE(csv->find("\n0,,,,,,,,\n10,"), std::string::npos) << *csv; // phi = c = 0 refused
    for (const char* bad : {"B=1:2:1", "B=0:2:10", "X=1:2:3", "B=1:2", "B=1:x:3", "B=1:2:-3"})
        expectBadInput(run({"--sweep", bad}), "--sweep");
    expectBadInput(run({"--sweep", "B=1:2:3", "--json"}), "--csv");
    for (const char* other : {"--report=r.txt", "--pdf=r.pdf", "--compare", "--save=p.dat"})
        expectBadInput(run({"--sweep", "B=1:2:3", other}), "non si combina");
}

const std::string kThreeLayers = ZOLT_EXAMPLES_DIR "/tre-strati-con-falda.zolt";

// The ground model's values and each condition's verification in the JSON.
// The three-layer example: the base at 1.5 m in a clay (cu 0.6) that reaches
// 4.5 m, the water at 2 m: q' = 1.0 1700 + 0.5 1900 = 2650 kg/m2, gamma' =
// (0.5 1900 + 2 950) / 2.5 = 1140, the total gamma (0.5 1900 + 2 1950) /
// 2.5 = 1940 kg/m3. With zw = 1 the water is 0.5 m above the base: q' =
// 1700 + 0.5 950 = 2175, U = 1000 0.5 2.5 3 = 3750 kg off N = 260000.
TEST_F(ZoltCalc, GroundModelAndConditionsAsJson) {
    using Json = nlohmann::ordered_json;
    struct Row {
        std::vector<std::string> args;
        int exitCode;
        std::vector<std::pair<const char*, Json>> values; // JSON pointer, value
    };
    // One line per group of values.
    // clang-format off
    const Row rows[] = {
        {{kThreeLayers, "--verify", "ec7-da1"}, 4,
         {{"/method", "vesic"}, {"/ground/drained/q", 2650}, {"/ground/drained/gamma", 1140},
          {"/ground/drained/phi", 24}, {"/ground/drained/uplift", 0},
          {"/ground/undrained/c", 0.6}, {"/ground/undrained/gamma", 1940},
          {"/ground/undrained/ca", 0.6}, {"/verification/condition", "drained"},
          {"/verification/undrained/condition", "undrained"},
          {"/verification/undrained/bearing/verified", false},
          {"/verification/governing", "undrained"}, {"/verification/verified", false}}},
        {{kThreeLayers, "zw=1", "--method", "meyerhof", "--verify", "ec7-da1"}, 4,
         {{"/method", "meyerhof"}, {"/ground/drained/q", 2175}, {"/ground/drained/gamma", 950},
          {"/ground/drained/uplift", 3750}, {"/verification/bearing/Ed", 256250},
          {"/ground/undrained/q", 2675}, {"/ground/undrained/uplift", 0},
          {"/verification/undrained/bearing/Ed", 260000}}},
        // The homogeneous soil with its water 0.5 m down: q' = 0.5 1800 + 0.5
        // 1000, gamma' = 1000, U = 1000 0.5 2 3.
        {{"B=2", "L=3", "N=100000", "T=5000", "zw=0.5", "gammasat=2000", "--verify", "ntc2018"}, 0,
         {{"/ground/drained/q", 1400}, {"/ground/drained/gamma", 1000},
          {"/ground/drained/uplift", 3000}, {"/ground/undrained", nullptr},
          {"/verification/bearing/Ed", 97000}, {"/verification/undrained", nullptr},
          {"/verification/verified", true}}},
        // Water at the surface over a base 2 m deep: U = 12000 kg > N.
        {{"B=2", "L=3", "D=2", "N=10000", "zw=0", "--verify", "ntc2018", "--compare"}, 4,
         {{"/ground/drained/lifted", true}, {"/verification/lifted", true},
          {"/verification/conditionNotes/0", "la falda solleva la fondazione: N \xE2\x88\x92 U \xE2\x89\xA4 0"},
          {"/verification/bearing/Rk", nullptr}, {"/comparison/0/engineResult", 1},
          {"/comparisonUndrained", nullptr}}},
        {{}, 0,
         {{"/ground/drained/q", 1800}, {"/ground/drained/notes", Json::array()},
          {"/ground/drained/lifted", false}, {"/ground/undrained", nullptr}}},
    };
    // clang-format on
    for (const Row& row : rows) {
        std::vector<std::string> args = row.args;
        args.push_back("--json");
        const Outcome o = run(args);
        SCOPED_TRACE(o.out + o.err);
        EXPECT_EQ(o.exitCode, row.exitCode);
        const Json doc = Json::parse(o.out, nullptr, false);
        ASSERT_TRUE(doc.is_object());
        for (const auto& [pointer, value] : row.values) {
            const Json::json_pointer at(pointer);
            ASSERT_TRUE(doc.contains(at)) << pointer;
            EXPECT_EQ(doc.at(at), value) << pointer;
        }
    }
}

// The text keeps the calculation report of the project's soil record, says
// in one line that it leaves the water and the layers out, and shows each
// condition's values and rule.
TEST_F(ZoltCalc, ProjectTextKeepsTheReportAndShowsTheConditions) {
    const Outcome o = run({kThreeLayers, "--verify", "ec7-da1"});
    EXPECT_EQ(o.exitCode, 4) << o.err;
    const Outcome plain = run({"--method", "vesic", "B=2.5", "L=3", "D=1.5", "ex=0.1", "N=260000",
                               "T=15000", "gamma=1900", "phi=24", "delta=16", "c=0.1", "ca=0.05"});
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    EXPECT_EQ(o.out.substr(0, plain.out.size()), plain.out);
    const char* const note =
        "\nNota: la relazione non tiene conto della falda n\xC3\xA9 della stratigrafia; la "
        "verifica e gli studi s\xC3\xAC\n";
    EXPECT_EQ(o.out.find(note), plain.out.size());
    for (const char* part :
         {"Condizione drenata (tensioni efficaci): q' = ",
          "Condizione non drenata (tensioni totali)", "q = 2650 Kg/mq (25.99 kPa)",
          "\xCE\xB3 = 1140.0 Kg/mc (11.18 kN/mc)",
          "Esito della condizione non drenata: NON VERIFICATA",
          "Condizione determinante: non drenata\nEsito della verifica: NON VERIFICATA\n"})
        EXPECT_NE(o.out.find(part), std::string::npos) << part << '\n' << o.out;
    EXPECT_EQ(run({"--verify", "ntc2018"}).out.find("Nota: la relazione"), std::string::npos);
}

TEST_F(ZoltCalc, SavesTheResultingProject) {
    // The example as it is, and read back with changes into the same run.
    Outcome o = run({kThreeLayers, "--verify", "ec7-da1", "--save-project", "same.zolt"});
    ASSERT_EQ(o.exitCode, 0) << o.err;
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(readFilePrefix(path("same.zolt"), 1 << 20), readFilePrefix(kThreeLayers, 1 << 20));
    const std::vector<std::string> changes = {"zw=1",     "B=2",      "--method",
                                              "meyerhof", "--safety", "2.5"};
    std::vector<std::string> save = changes;
    save.insert(save.begin(), kThreeLayers);
    save.insert(save.end(), {"--save-project", "changed.zolt"});
    ASSERT_EQ(run(save).exitCode, 0);
    std::vector<std::string> direct = changes;
    direct.insert(direct.begin(), kThreeLayers);
    direct.insert(direct.end(), {"--json", "--verify", "ntc2018"});
    const Outcome fromSaved = run({"changed.zolt", "--json", "--verify", "ntc2018"});
    EXPECT_EQ(fromSaved.out, run(direct).out);
    EXPECT_NE(fromSaved.out.find("\"safetyFactor\": 2.5"), std::string::npos);

    // A data file becomes a project; --save beside it writes both.
    GeometryData g;
    g.B = 1.5;
    g.L = 2.5;
    ASSERT_TRUE(writeDataFile(path("in.dat"), g, SoilData{}));
    o = run({"in.dat", "gammasat=2100", "--save-project", "p.zolt", "--save", "p.dat"});
    ASSERT_EQ(o.exitCode, 0) << o.err;
    EXPECT_EQ(fs::file_size(path("p.dat")), 112u);
    EXPECT_EQ(run({"p.zolt", "--json"}).out, run({"in.dat", "gammasat=2100", "--json"}).out);
    // B > L, refused in a data file, never reaches a project either.
    g.B = 5;
    ASSERT_TRUE(writeDataFile(path("wide.dat"), g, SoilData{}));
    expectBadInput(run({"wide.dat", "--save-project", "w.zolt"}), "wide.dat");
    EXPECT_FALSE(fs::exists(path("w.zolt")));
}

TEST_F(ZoltCalc, RefusesBadGroundValuesAndProjects) {
    expectBadInput(run({"zw=100"}), "zw=100: inserire un numero tra 0.00 e 99.90");
    expectBadInput(run({"zw=-1"}), "zw");
    expectBadInput(run({"gammasat=999"}), "1000.0 e 9999.9");
    expectBadInput(run({"zw=x"}), "zw");
    expectBadInput(run({kThreeLayers, "gammasat=2000"}), "gammasat");
    expectBadInput(run({"missing.zolt"}), "missing.zolt");
    std::string text = *readFilePrefix(kThreeLayers, 1 << 20);
    text.replace(text.find("\"phi\": 28.0"), 11, "\"phi\": 57");
    std::ofstream(path("bad.zolt")) << text;
    expectBadInput(run({"bad.zolt", "--verify", "ntc2018"}), "ground.layers[0].phi: 57");
    expectBadInput(run({"--sweep", "B=1:2:3", "--save-project", "p.zolt"}), "non si combina");
}

TEST_F(ZoltCalc, SweepOnAProjectHasTheUndrainedColumns) {
    const Outcome o = run({kThreeLayers, "--sweep", "N=100000:300000:3"});
    ASSERT_EQ(o.exitCode, 0) << o.err;
    EXPECT_NE(o.out.find(",vesic_qult,terzaghi_undrained_load,"), std::string::npos) << o.out;
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 4);
    // terzaghi_undrained_load, the tenth column, has a value at every point.
    for (std::size_t row = o.out.find('\n'); row + 1 < o.out.size();
         row = o.out.find('\n', row + 1)) {
        std::size_t at = row;
        for (int column = 0; column < 9; ++column)
            at = o.out.find(',', at + 1);
        EXPECT_NE(o.out[at + 1], ',') << o.out.substr(row + 1, 20);
    }
}

const std::string kSeismicExample = ZOLT_EXAMPLES_DIR "/plinto-sismico-con-azioni.zolt";

// The example's G1, G2, two Q and E give 12 ULS combinations per set, 2 SLV
// and 5 SLE; each ULS and SLV one is verified, the governing one has the
// highest utilisation and the SLV ones carry the seismic factors.
TEST_F(ZoltCalc, EveryCombinationOfTheExampleIsVerified) {
    using Json = nlohmann::ordered_json;
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::size_t count; // combinations
    } rows[] = {
        {{"--verify", "ntc2018"}, 0, 19},
        {{"--verify", "ec7-da1"}, 0, 22}, // and the 3 of Combination 2
        {{"--verify", "ntc2018", "B=1", "L=1"}, 4, 19},
    };
    for (const auto& row : rows) {
        std::vector<std::string> args = row.args;
        args.insert(args.begin(), kSeismicExample);
        args.push_back("--json");
        const Outcome o = run(args);
        SCOPED_TRACE(args[2] + " " + o.err);
        EXPECT_EQ(o.exitCode, row.exitCode);
        const Json doc = Json::parse(o.out, nullptr, false);
        const Json& list = doc.at("combinations");
        ASSERT_EQ(list.size(), row.count);
        std::size_t governing = 0;
        double highest = -1;
        bool all = true;
        for (std::size_t i = 0; i < list.size(); ++i) {
            const Json& c = list[i];
            const std::string type = c.at("type");
            const Json& v = c.at("verification");
            if (type.starts_with("SLE")) {
                EXPECT_TRUE(v.is_null());
                continue;
            }
            const double u = c.at("utilisation");
            if (u > highest)
                highest = u, governing = i;
            all = all && c.at("verified").get<bool>();
            EXPECT_EQ(v.contains("zq"), type == "SLV");
            if (type == "SLV") {
                EXPECT_EQ(v.at("kh"), doc.at("seismic").at("kh"));
                EXPECT_EQ(v.at("gammaRv"), 2.3);
                EXPECT_LT(v.at("zq").get<double>(), 1.0);
            }
        }
        EXPECT_EQ(doc.at("governing"), governing);
        EXPECT_EQ(doc.at("verification"), list[governing].at("verification"));
        EXPECT_EQ(doc.at("combinationsVerified"), all);
        EXPECT_EQ(all, row.exitCode == 0);
        EXPECT_DOUBLE_EQ(doc.at("seismic").at("kh").get<double>(), 0.24 * 1.2 * 1.0 * 0.2);
        EXPECT_EQ(doc.at("seismic").at("betaS"), 0.24);
    }
    const Outcome text = run({kSeismicExample, "--verify", "ntc2018"});
    for (const char* part :
         {"\n*  13  SLV ", "kh = 0.0576", "\u03b2s = 0.24", "\u03b3R = 2.3 sul carico limite",
          "zq = z\u03b3 = 0.9653", "Combinazione determinante 13: SLV 1: E + G1 + G2 + 0.3 Uffici",
          "Esito della verifica: VERIFICATA"})
        EXPECT_NE(text.out.find(part), std::string::npos) << part << '\n' << text.out;
    // Sizing makes every combination hold at the width found, and none below.
    const Outcome sized =
        run({kSeismicExample, "--verify", "ntc2018", "--size", "square", "--json"});
    ASSERT_EQ(sized.exitCode, 0) << sized.err;
    const Json sizing = Json::parse(sized.out, nullptr, false).at("sizing");
    const double B = sizing.at("B");
    EXPECT_TRUE(sizing.at("combinationsVerified").get<bool>());
    const std::string below = formatRoundTrip(B - 0.01);
    EXPECT_EQ(run({kSeismicExample, "--verify", "ntc2018", "B=" + below, "L=" + below}).exitCode,
              4);
}

// Given combinations from CSV replace the project's; one that is the
// geometry's own N, T and ex verifies as the geometry does.
TEST_F(ZoltCalc, CombinationsFromCsv) {
    using Json = nlohmann::ordered_json;
    std::ofstream(path("own.csv"))
        << "type,name,N,TB,TL,MB,ML\nULS,Propria,100000,0,6000,25000,0\n";
    const std::vector<std::string> geometry = {"B=2",    "L=3",      "ex=0.25", "N=100000",
                                               "T=6000", "--verify", "ec7-da2", "--json"};
    std::vector<std::string> withCsv = geometry;
    withCsv.insert(withCsv.end(), {"--combinations-csv", "own.csv"});
    const Json old = Json::parse(run(geometry).out, nullptr, false).at("verification");
    const Json given = Json::parse(run(withCsv).out, nullptr, false).at("verification");
    for (const char* key : {"bearing", "sliding", "eccentricity", "design", "verified"})
        EXPECT_EQ(given.at(key), old.at(key)) << key;

    std::ofstream(path("it.csv")) << "name;type;N;TB;TL;MB;ML\n"
                                     "\"Comb. 1\";ULS;800,5;50;0;30;0\n"
                                     "Comb. 2;SLV;600;120;40;90;20\n";
    std::ofstream(path("bad.csv"))
        << "name,type,N,TB,TL,MB,ML\nC1,ULS,abc,0,0,0,0\nC2,SLU,1,0,0,0,0\n";
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string mentions; // in the output, or on standard error
    } rows[] = {
        {{kSeismicExample, "--combinations-csv", "it.csv", "--units", "kN", "--verify", "ntc2018",
          "--json"},
         0,
         "\"name\": \"Comb. 2\",\n      \"type\": \"SLV\""},
        {{kSeismicExample, "--combinations-csv", "it.csv", "--units", "kN", "--save-project",
          "p.zolt"},
         0,
         ""},
        {{"--combinations-csv", "bad.csv"}, 3, "bad.csv: riga 2, colonna N"},
        {{"--combinations-csv", "bad.csv"}, 3, "bad.csv: riga 3, colonna type"},
        {{"--combinations-csv", "missing.csv"}, 3, "missing.csv"},
        {{"--units", "kN"}, 3, "--units richiede --combinations-csv"},
        {{"--combinations-csv", "it.csv", "--units", "t"}, 3, "--units t"},
        {{"--combinations-csv", "it.csv", "--save-project", "it.csv"}, 3, "--combinations-csv"},
    };
    for (const auto& row : rows) {
        const Outcome o = run(row.args);
        EXPECT_EQ(o.exitCode, row.exitCode) << row.mentions << '\n' << o.err;
        EXPECT_NE((o.out + o.err).find(row.mentions), std::string::npos) << row.mentions << '\n'
                                                                         << o.out << o.err;
    }
    // The saved project holds the two given combinations, and the mode.
    const Json saved = Json::parse(*readFilePrefix(path("p.zolt"), 1 << 20), nullptr, false);
    EXPECT_EQ(saved.at("actions").at("mode"), "combinations");
    EXPECT_EQ(saved.at("actions").at("combinations").size(), 2u);
    EXPECT_EQ(saved.at("actions").at("characteristic").size(), 5u);
    EXPECT_EQ(saved.at("actions").at("combinations")[0].at("name"), "Comb. 1");
    EXPECT_DOUBLE_EQ(saved.at("actions").at("combinations")[0].at("N").get<double>(),
                     800.5 / 0.00980665);
}

TEST_F(ZoltCalc, HelpExplainsTheCommand) {
    const Outcome o = run({"--help"});
    EXPECT_EQ(o.exitCode, 0);
    for (const char* part : {"--method", "--safety", "--json", "--report", "--save", "NOME=VALORE",
                             "--verify", "--size", "--compare", "--sweep", "--csv", "--monte-carlo",
                             "--cov", "--seed", "--pdf", "--odt"})
        EXPECT_NE(o.out.find(part), std::string::npos) << part;
    for (const char* part : {"--save-project", "zw", "gammasat", ".zolt", "--settlement[=METODO]",
                             "--with-settlement"})
        EXPECT_NE(o.out.find(part), std::string::npos) << part;
}

TEST_F(ZoltCalc, OutputsThatNameTheInputOrEachOtherAreRefused) {
    ASSERT_TRUE(writeDataFile(path("p.dat"), GeometryData{}, SoilData{}));
    const auto project = readFilePrefix(path("p.dat"), 200);
    fs::create_hard_link(path("p.dat"), path("h.dat"));
    fs::create_symlink("r.txt", path("to-r.txt")); // dangling: names r.txt to create
    fs::create_directory(path("sub"));
    const struct {
        std::vector<std::string> args;
        const char* mentions;
    } cases[] = {
        {{"p.dat", "--report", "p.dat"}, "--report p.dat: \u00e8 il file del progetto p.dat"},
        {{"p.dat", "--save", "h.dat"}, "--save h.dat: \u00e8 il file del progetto"},
        {{"p.dat", "--pdf", "sub/../p.dat"}, "--pdf sub/../p.dat: \u00e8 il file del progetto"},
        {{"p.dat", "--sweep", "B=1:2:3", "--csv", "./p.dat"}, "--csv ./p.dat"},
        {{"--report", "r.txt", "--pdf", "r.txt"},
         "--pdf r.txt: \u00e8 lo stesso file di --report r.txt"},
        {{"--report", "r.txt", "--odt", "to-r.txt"},
         "--odt to-r.txt: \u00e8 lo stesso file di --report"},
        {{"--method", "vesic", "--method", "hansen"},
         "l'opzione --method \u00e8 data pi\u00f9 di una volta"},
        {{"--safety=2", "--safety", "3"}, "--safety \u00e8 data pi\u00f9 di una volta"},
        {{"--report", "a.txt", "--report=b.txt"}, "--report \u00e8 data pi\u00f9 di una volta"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[1]);
        expectBadInput(run(c.args), c.mentions);
    }
    EXPECT_EQ(readFilePrefix(path("p.dat"), 200), project);
    for (const char* name : {"r.txt", "a.txt", "b.txt"})
        EXPECT_FALSE(fs::exists(path(name))) << name;
    // Devices take any number of outputs.
    EXPECT_EQ(run({"--report", "/dev/null", "--pdf", "/dev/null", "B=2", "L=3"}).exitCode, 0);
}

TEST_F(ZoltCalc, DashedWordsAreOptionsAndTheVersionIsPrinted) {
    for (const char* word : {"-h", "-x.dat", "-"})
        expectBadInput(run({word}),
                       std::string("opzione sconosciuta: ") + word + " (vedere --help)");
    // After "--" a dashed word is a file's name.
    expectBadInput(run({"--", "-h"}), "Errore nell'apertura del file !! (-h: il file non esiste)");
    const Outcome version = run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("zolt-calc ", 0), 0u) << version.out;
    EXPECT_EQ(std::count(version.out.begin(), version.out.end(), '\n'), 1);
    const Outcome help = run({"--help"});
    EXPECT_NE(help.out.find("Calcola la capacit\xC3\xA0 portante"), std::string::npos);
    for (const char* apostrophe : {"a' ", "e' ", "o' "})
        EXPECT_EQ(help.out.find(apostrophe), std::string::npos) << apostrophe;
    EXPECT_NE(help.out.find("--version"), std::string::npos);
}

TEST_F(ZoltCalc, MessagesShowControlBytesEscaped) {
    const struct {
        std::string arg;
        std::string shown;
    } cases[] = {
        {"\x1B[2Jx.dat", "\\x1B[2Jx.dat"},
        {"a\nb.dat", "a\\x0Ab.dat"},
        {"--bad\xC2\x9B", "--bad\\xC2\\x9B"}, // C1 control, as UTF-8
        {"--bad\x9B", "--bad\\x9B"},          // a byte of no character
        {"B=1\x7F", "1\\x7F"},
        {"citt\xC3\xA0.dat", "citt\xC3\xA0.dat"}, // letters stay as they are
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        const Outcome o = run({c.arg});
        expectBadInput(o, c.shown);
        for (const char ch : o.err)
            EXPECT_TRUE(static_cast<unsigned char>(ch) >= 0x20 || ch == '\n') << int(ch);
    }
}

TEST_F(ZoltCalc, FileErrorsGiveTheirReason) {
    fs::create_directory(path("folder"));
    fs::create_symlink("loop-b.dat", path("loop-a.dat"));
    fs::create_symlink("loop-a.dat", path("loop-b.dat"));
    ASSERT_EQ(::mkfifo(path("fifo.dat").c_str(), 0600), 0);
    const struct {
        std::vector<std::string> args;
        const char* reason;
    } cases[] = {
        {{"--report", "no/such/dir/r.txt"}, "(no/such/dir/r.txt: la cartella non esiste)"},
        {{"--save", "folder"}, "(folder: \u00e8 una cartella)"},
        {{"--save", "loop-a.dat"}, "(loop-a.dat: troppi collegamenti simbolici)"},
        {{"missing.dat"}, "(missing.dat: il file non esiste)"},
        {{"folder"}, "(folder: \u00e8 una cartella)"},
        // Refused at once, not waited on until a writer comes.
        {{"fifo.dat"}, "(fifo.dat: non \u00e8 un file regolare)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        expectBadInput(run(c.args), std::string("Errore nell'apertura del file !! ") + c.reason);
    }
}

TEST_F(ZoltCalc, StandardOutputTakesAnOutputAfterItsOwnText) {
    const Outcome o = run({"--report", "/dev/stdout", "B=2", "L=3"}, nullptr, path("out").c_str());
    EXPECT_EQ(o.exitCode, 0) << o.err;
    std::string report = kMeyerhofB2L3;
    for (std::size_t at; (at = report.find("\xC3\xA0")) != std::string::npos;)
        report.replace(at, 2, "\xE0");
    EXPECT_EQ(readFilePrefix(path("out"), 1 << 16), kMeyerhofB2L3 + report);
}

TEST_F(ZoltCalc, OneMonteCarloSampleStatesItsBetaBound) {
    const struct {
        const char* load;
        const char* key;
        const char* text;
    } cases[] = {
        {"N=0", "betaAbove", "\xCE\xB2 > -\xE2\x88\x9E (nessuna rottura nei campioni)"},
        {"N=9999999", "betaBelow", "\xCE\xB2 < +\xE2\x88\x9E (tutti i campioni a rottura)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        const std::vector<std::string> args = {"--monte-carlo", "1", "--cov", "phi=0.1", c.load};
        Outcome o = run(args);
        EXPECT_NE(o.out.find(c.text), std::string::npos) << o.out;
        auto json = args;
        json.push_back("--json");
        o = run(json);
        EXPECT_EQ(jsonValue(o.out, c.key, o.out.find("\"montecarlo\"")), "null") << o.out;
    }
}

// The three-layer example with its settlement data: the clay under the
// base from 1.5 to 4.5 m (Cc, Cr, e0, sigmaP 3 kg/cm2), the gravel below
// it with Eoed alone; 260000 kg on 2.5 x 3 m, so q = 260000 / 7.5 and
// q netto = q - (1.0 1700 + 0.5 1900) = q - 2650 kg/m2; the limit 5 cm.
std::string threeLayersWith(const std::string& from, const std::string& to) {
    std::string text = *readFilePrefix(kThreeLayers, 1 << 20);
    const std::size_t at = text.find(from);
    return at == std::string::npos ? "" : text.replace(at, from.size(), to);
}

TEST_F(ZoltCalc, SettlementOfTheThreeLayerExample) {
    using Json = nlohmann::ordered_json;
    std::ofstream(path("tight.zolt")) << threeLayersWith(R"("limit": 5.0)", R"("limit": 4.0)");
    std::ofstream(path("one.zolt")) << threeLayersWith(R"("limit": 5.0)", R"("limit": 1.0)");
    const double q = 260000.0 / 7.5;
    struct Row {
        std::vector<std::string> args;
        int exitCode;
        std::vector<std::pair<const char*, Json>> values; // JSON pointer, value
    };
    // clang-format off
    const Row rows[] = {
        {{kThreeLayers, "--settlement"}, 0,
         {{"/settlement/method", "oedometric"}, {"/settlement/combination", "SLE-qp"},
          {"/settlement/combined", false}, {"/settlement/loads/0/name", "N del progetto"},
          {"/settlement/N", 260000}, {"/settlement/q", q}, {"/settlement/qNet", q - 2650.0},
          {"/settlement/layers/0/name", "Argilla limosa"}, {"/settlement/layers/0/top", 1.5},
          {"/settlement/layers/0/bottom", 4.5}, {"/settlement/layers/1/name", "Ghiaia sabbiosa"},
          {"/settlement/layers/1/top", 4.5}, {"/settlement/limit", 5},
          {"/settlement/verified", true}, {"/settlement/profile/z/0", 1.5},
          {"/settlement/schmertmann", nullptr}}},
        // Schmertmann at 50 years (C2 1.54) settles past the limit.
        {{kThreeLayers, "--settlement=schmertmann"}, 4,
         {{"/settlement/method", "schmertmann"}, {"/settlement/verified", false},
          {"/settlement/schmertmann/deltaP", q - 2650.0}}},
        {{"tight.zolt", "--settlement"}, 4,
         {{"/settlement/limit", 4}, {"/settlement/verified", false}}},
        // The limit binds the sizing: wider than the 6.04 m of the bearing.
        {{"one.zolt", "--verify", "ec7-da1", "--size", "ratio=1.2", "--with-settlement"}, 0,
         {{"/sizing/B", 6.37}, {"/sizingSettlement/verified", true},
          {"/sizingSettlement/method", "oedometric"}}},
        {{"one.zolt", "--verify", "ec7-da1", "--size", "ratio=1.2"}, 0, {{"/sizing/B", 6.04}}},
    };
    // clang-format on
    for (const Row& row : rows) {
        std::vector<std::string> args = row.args;
        args.push_back("--json");
        const Outcome o = run(args);
        SCOPED_TRACE(o.err + args[1]);
        EXPECT_EQ(o.exitCode, row.exitCode);
        const Json doc = Json::parse(o.out, nullptr, false);
        ASSERT_TRUE(doc.is_object());
        for (const auto& [pointer, value] : row.values) {
            const Json::json_pointer at(pointer);
            ASSERT_TRUE(doc.contains(at)) << pointer;
            EXPECT_EQ(doc.at(at), value) << pointer;
        }
        if (!doc.contains("settlement"))
            continue;
        // The parts agree: the layers sum to the total, the plot's arrays
        // run side by side down to where the whole settlement is reached.
        const Json& s = doc["settlement"];
        double sum = 0.0;
        for (const Json& layer : s["layers"])
            sum += layer["s"].get<double>();
        EXPECT_NEAR(sum, s["total"].get<double>(), 1e-12);
        EXPECT_DOUBLE_EQ(s["totalMm"].get<double>(), 10.0 * s["total"].get<double>());
        EXPECT_DOUBLE_EQ(s["utilisation"].get<double>(),
                         s["total"].get<double>() / s["limit"].get<double>());
        const Json& profile = s["profile"];
        for (const char* array : {"sigmaV0", "deltaSigma", "cutoff", "cumulative"})
            EXPECT_EQ(profile[array].size(), profile["z"].size()) << array;
        EXPECT_DOUBLE_EQ(profile["cumulative"].back().get<double>(), s["total"].get<double>());
        EXPECT_EQ(s["notes"][0], "eccentricit\xC3\xA0 non considerata: pressione uniforme "
                                 "N/(B\xC2\xB7L) su tutta la base");
    }

    // The text: the table per layer, the total and the check.
    const Outcome text = run({kThreeLayers, "--settlement"});
    EXPECT_EQ(text.exitCode, 0) << text.err;
    for (const char* part :
         {"\nCedimenti (SLE): metodo edometrico; B = 2.50 m, L = 3.00 m, D = 1.50 m\n"
          "Nota: eccentricit\xC3\xA0 non considerata",
          "Carico: N del progetto = 260000 Kg (2549.73 kN)\n",
          "q = 34667 Kg/mq (339.96 kPa)   q netto = 32017 Kg/mq (313.98 kPa)\n",
          "Strato                           da (m)    a (m)     s (cm)     s (mm)\n"
          "Argilla limosa                     1.50     4.50 ",
          "\nGhiaia sabbiosa                    4.50 ", "\nTotale  ",
          "\nCedimento ammissibile 5.00 cm: s/s,amm = "})
        EXPECT_NE(text.out.find(part), std::string::npos) << part << '\n' << text.out;
    EXPECT_TRUE(text.out.ends_with(" %   VERIFICATA\n")) << text.out;
    EXPECT_TRUE(run({"tight.zolt", "--settlement"}).out.ends_with(" %   NON VERIFICATA\n"));
}

TEST_F(ZoltCalc, SettlementThatCannotBeComputedOrAskedIsRefused) {
    // Burland and Burbidge need the clay's blow count, which it has not.
    for (const char* output : {"--method=vesic", "--json"})
        expectBadInput(
            run({kThreeLayers, "--settlement=burland-burbidge", output}),
            "zolt-calc: cedimento non calcolabile: strato \"Argilla limosa\": manca Nspt "
            "(numero di colpi SPT), necessario al metodo di Burland e Burbidge\n");
    expectBadInput(run({"--settlement=elastic", "N=100000"}), "strato \"terreno\": manca E");
    std::ofstream(path("open.zolt")) << threeLayersWith(R"("limit": 5.0)", R"("limit": null)");
    expectBadInput(
        run({"open.zolt", "--verify", "ntc2018", "--size", "square", "--with-settlement"}),
        "--with-settlement: cedimento ammissibile non dato (settlement.limit)");
    const std::pair<std::vector<std::string>, const char*> refused[] = {
        {{"--settlement=plaxis"}, "--settlement=plaxis: metodo sconosciuto"},
        {{"--settlement", "--settlement=elastic"},
         "--settlement \xC3\xA8 data pi\xC3\xB9 di una volta"},
        // The word after --settlement is the method; a file so named goes as ./elastic.
        {{"--settlement", "elastic", "elastic"}, "(elastic: il file non esiste)"},
        {{"--with-settlement", "--verify", "ntc2018"}, "--with-settlement richiede --size"},
        {{"--settlement", "N=1000"}, "il progetto non ha i dati dei cedimenti"},
        {{"--sweep", "B=1:2:3", "--settlement=elastic"}, "non si combina con --settlement"},
    };
    for (const auto& [args, message] : refused)
        expectBadInput(run(args), message);
}

// --settlement=METHOD goes into the project it saves, which reads back.
TEST_F(ZoltCalc, SavesTheSettlementMethodInTheProject) {
    ASSERT_EQ(run({kThreeLayers, "--settlement=elastic", "--save-project", "e.zolt"}).exitCode, 0);
    EXPECT_EQ(readFilePrefix(path("e.zolt"), 1 << 20),
              threeLayersWith(R"("method": "oedometric")", R"("method": "elastic")"));
    EXPECT_EQ(run({"e.zolt", "--settlement", "--json"}).out,
              run({kThreeLayers, "--settlement=elastic", "--json"}).out);
    EXPECT_EQ(run({"--settlement", "elastic", kThreeLayers, "--json"}).out,
              run({kThreeLayers, "--settlement=elastic", "--json"}).out);
}

} // namespace
} // namespace zolt
