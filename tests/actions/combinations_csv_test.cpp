// The combinations' CSV: both dialects, both units, and a message for
// every bad cell that names its line and column.
#include "actions/combinations_csv.h"

#include "design/units.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zolt::actions {
namespace {

struct GoodCase {
    const char* name;
    std::string text;
    CsvUnits units;
    std::vector<GivenCombination> expected;
};

class GoodFiles : public testing::TestWithParam<GoodCase> {};

TEST_P(GoodFiles, ReadEveryCombination) {
    const GoodCase& k = GetParam();
    const CombinationsCsv csv = readCombinationsCsv(k.text, k.units);
    ASSERT_TRUE(csv.ok()) << csv.errors.front().message;
    ASSERT_EQ(csv.combinations.size(), k.expected.size());
    for (std::size_t i = 0; i < k.expected.size(); ++i) {
        const GivenCombination& got = csv.combinations[i];
        const GivenCombination& want = k.expected[i];
        EXPECT_EQ(got.name, want.name);
        EXPECT_EQ(got.type, want.type);
        EXPECT_NEAR(got.forces.N, want.forces.N, 1e-9 * std::abs(want.forces.N));
        EXPECT_NEAR(got.forces.TB, want.forces.TB, 1e-9);
        EXPECT_NEAR(got.forces.TL, want.forces.TL, 1e-9);
        EXPECT_NEAR(got.forces.MB, want.forces.MB, 1e-9);
        EXPECT_NEAR(got.forces.ML, want.forces.ML, 1e-9);
    }
}

using CT = CombinationType;

INSTANTIATE_TEST_SUITE_P(
    Dialects, GoodFiles,
    testing::Values(
        GoodCase{"comma",
                 "name,type,N,TB,TL,MB,ML\n"
                 "C1,ULS,12000.5,300,-40,1500,0\n"
                 "C2,SLE-qp,8000,0,0,0,250.25\n",
                 CsvUnits::Kilograms,
                 {{"C1", CT::ULS, {12000.5, 300, -40, 1500, 0}, ""},
                  {"C2", CT::SLEQuasiPermanent, {8000, 0, 0, 0, 250.25}, ""}}},
        // Italian spreadsheet: semicolons, decimal commas, kN, CRLF, a BOM,
        // another order, quoted names, blank rows, letter case.
        GoodCase{
            "semicolonKilonewtons",
            "\xEF\xBB\xBFType;Name;ML;MB;TL;TB;N\r\n"
            "slv;\"Sisma +X; nodo 4\";0;-12,5;0;30;980,665\r\n"
            ";;;;;;\r\n"
            "\r\n"
            "SLE-frequent;\"Vento \"\"forte\"\"\";1e1;0;0;0;9,80665\r\n",
            CsvUnits::Kilonewtons,
            {{"Sisma +X; nodo 4", CT::SLV, {100000, 30 / 0.00980665, 0, -12.5 / 0.00980665, 0}, ""},
             {"Vento \"forte\"", CT::SLEFrequent, {1000, 0, 0, 0, 10 / 0.00980665}, ""}}},
        // An extra column is ignored; Windows-1252 text becomes UTF-8.
        GoodCase{"extraColumnAndWindows1252",
                 "id,name,type,N,TB,TL,MB,ML\n7,Combinazione 1 \xE0,SLE-rare,5,0,0,0,0",
                 CsvUnits::Kilograms,
                 {{"Combinazione 1 à", CT::SLERare, {5, 0, 0, 0, 0}, ""}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadCase {
    const char* name;
    std::string text;
    std::vector<std::string> messages;
};

class BadFiles : public testing::TestWithParam<BadCase> {};

TEST_P(BadFiles, NameEveryBadCellAndKeepNothing) {
    const BadCase& k = GetParam();
    const CombinationsCsv csv = readCombinationsCsv(k.text, CsvUnits::Kilograms);
    EXPECT_TRUE(csv.combinations.empty());
    std::vector<std::string> messages;
    for (const CsvError& e : csv.errors)
        messages.push_back(e.message);
    EXPECT_EQ(messages, k.messages);
}

const std::string kHeader = "name,type,N,TB,TL,MB,ML\n";

INSTANTIATE_TEST_SUITE_P(
    Errors, BadFiles,
    testing::Values(
        BadCase{"empty", " \n\n", {"riga 1: il file è vuoto"}},
        BadCase{"headerOnly", kHeader, {"riga 1: nessuna combinazione dopo l'intestazione"}},
        BadCase{"missingColumns",
                "name,type,N,TB,MB\nC1,ULS,1,0,0\n",
                {"riga 1: manca la colonna TL", "riga 1: manca la colonna ML"}},
        BadCase{"twiceTheSameColumn",
                "name,type,N,TB,TL,MB,ML,n\n",
                {"riga 1: la colonna N compare due volte"}},
        BadCase{"everyBadCell",
                kHeader + "C1,ULS,1,0,0,0,0\n"
                          ",SLU,12a,,0,0,inf\n"
                          "C3,SLV,1,0,0,0\n"
                          "C4,SLV,0x10,1e,0,0,0\n",
                {"riga 3, colonna name: nome vuoto",
                 "riga 3, colonna type: «SLU» non è un tipo di combinazione (ULS, SLV, SLE-rare, "
                 "SLE-frequent, SLE-qp)",
                 "riga 3, colonna N: «12a» non è un numero", "riga 3, colonna TB: cella vuota",
                 "riga 3, colonna ML: «inf» non è un numero",
                 "riga 4: 6 celle invece delle 7 dell'intestazione",
                 "riga 5, colonna N: «0x10» non è un numero",
                 "riga 5, colonna TB: «1e» non è un numero"}},
        BadCase{"pointInASemicolonFile",
                "name;type;N;TB;TL;MB;ML\nC1;ULS;1.250;0;0;0;0\n",
                {"riga 2, colonna N: «1.250»: il separatore decimale di questo file è la virgola"}},
        BadCase{"commaInACommaFile",
                kHeader + "C1,ULS,\"1,5\",0,0,0,0\n",
                {"riga 2, colonna N: «1,5»: il separatore decimale di questo file è il punto"}},
        BadCase{"openQuote",
                kHeader + "C1,ULS,1,0,0,0,0\n\"C2,ULS,1,0,0,0,0\n",
                {"riga 3: virgolette aperte e mai chiuse"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CombinationsCsvLimits, StopListingAfterTheLimit) {
    std::string text = "name,type,N,TB,TL,MB,ML\n";
    for (int i = 0; i < 150; ++i)
        text += "C,ULS,x,0,0,0,0\n";
    const CombinationsCsv csv = readCombinationsCsv(text, CsvUnits::Kilograms);
    ASSERT_EQ(csv.errors.size(), kMaxCsvErrors + 1);
    EXPECT_EQ(csv.errors.back().message, "riga 102 e seguenti: altri errori non mostrati");
    EXPECT_EQ(csv.errors.front().column, "N");
    EXPECT_EQ(csv.errors.front().line, 2u);
}

} // namespace
} // namespace zolt::actions
