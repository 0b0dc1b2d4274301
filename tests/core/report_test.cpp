#include "model/file_io.h"
#include "model/project.h"
#include "model/windows1252.h"
#include "workflow/report.h"
#include "workflow/result_rows.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace zolt {
namespace {

// The report of the start state: no analysis yet, Meyerhof chosen.
const char* const kEmptyReport =
    "Calcolo capacit\xE0 portante di una fondazione superficiale\n"
    "\n"
    "Metodo di Meyerhof\n"
    "\n"
    "Capacit\xE0 portante         0 Kg\n"
    "\n"
    "Qult (Kg/cmq)          0.00\n"
    "\n"
    "Qamm (Kg/cmq)          0.00\n"
    "\n"
    "Nc =    0.000    Nq=     0.000     Nga=     0.000\n"
    "\n"
    "Fattori di capacit\xE0 portante corretti\n"
    "Nc'=    0.000    Nq'=     0.000     Nga'=     0.000\n";

// A result with every group present and recognisable values.
BearingResult everyGroup() {
    BearingResult r;
    r.ultimateLoad = 75464.6;
    r.Nc = 30.1396;
    r.Nq = 18.4011;
    r.Nga = 15.0698;
    r.NcCorr = 67.9571;
    r.NqCorr = 37.4038;
    r.NgaCorr = 9.04189;
    for (int i = 0; i < kFactorCount; ++i) {
        r.factor(i) = 1.0 + i / 100.0;
        r.factorPresent[static_cast<std::size_t>(i)] = 1;
    }
    return r;
}

TEST(ReportText, StartStateIsByteExact) {
    // The text is kept in UTF-8 until it is written.
    EXPECT_EQ(utf8ToWindows1252(reportText(AnalysisSettings{}, GeometryData{}, BearingResult{})),
              kEmptyReport);
}

TEST(ReportText, EveryGroupWithHeadingsInOrder) {
    AnalysisSettings settings;
    settings.method = Hansen;
    const std::string text = reportText(settings, GeometryData{}, everyGroup());
    const std::string expected =
        "Calcolo capacit\xC3\xA0 portante di una fondazione superficiale\n\n"
        "Metodo di Hansen\n\n"
        "Capacit\xC3\xA0 portante     75465 Kg\n\n"
        "Qult (Kg/cmq)          7.55\n\n"
        "Qamm (Kg/cmq)          2.52\n\n"
        "Nc =   30.140    Nq=    18.401     Nga=    15.070\n\n"
        "Fattori di forma\n"
        "sc =    1.000    sq=     1.010     sga=     1.020\n\n"
        "Fattori di profondit\xC3\xA0 del piano di posa\n"
        "dc =    1.030    dq=     1.040     dga=     1.050\n\n"
        "Fattori di inclinazione del carico\n"
        "ic =    1.060    iq=     1.070     iga=     1.080\n\n"
        "Fattori di inclinazione del pendio\n"
        "gc =    1.090    gq=     1.100     gga=     1.110\n\n"
        "Fattori di inclinazione del piano di posa\n"
        "bc =    1.120    bq=     1.130     bga=     1.140\n\n"
        "Fattori di capacit\xC3\xA0 portante corretti\n"
        "Nc'=   67.957    Nq'=    37.404     Nga'=     9.042\n";
    EXPECT_EQ(text, expected);
}

TEST(ReportText, OnlyGroupsWhoseFirstFlagIsExactlyOne) {
    BearingResult r = everyGroup();
    r.factorPresent.fill(0);
    r.factorPresent[kDc] = 1;
    r.factorPresent[kIc] = 1;
    r.factorPresent[kSq] = 1; // not the first of its group: no shape section
    r.factorPresent[kGc] = 2; // not exactly 1
    const std::string text = reportText(AnalysisSettings{}, GeometryData{}, r);
    EXPECT_EQ(text.find("Fattori di forma"), std::string::npos);
    EXPECT_EQ(text.find("pendio"), std::string::npos);
    EXPECT_NE(text.find("Fattori di profondit\xC3\xA0 del piano di posa\ndc ="), std::string::npos);
    EXPECT_NE(text.find("Fattori di inclinazione del carico\nic ="), std::string::npos);
}

TEST(ReportText, MethodOutsideTheFourHasNoTitleLine) {
    AnalysisSettings settings;
    settings.method = 4;
    const std::string text = reportText(settings, GeometryData{}, BearingResult{});
    EXPECT_EQ(text.rfind("Calcolo capacit\xC3\xA0 portante di una fondazione superficiale\n\n"
                         "Capacit\xC3\xA0 portante",
                         0),
              0u);
}

TEST(ReportText, PressuresFollowTheCurrentBaseAndSafetyFactor) {
    BearingResult r;
    r.ultimateLoad = 50000;
    AnalysisSettings settings;
    GeometryData g;
    std::string text = reportText(settings, g, r);
    EXPECT_NE(text.find("Qult (Kg/cmq)          5.00\n"), std::string::npos);
    EXPECT_NE(text.find("Qamm (Kg/cmq)          1.67\n"), std::string::npos);
    g.B = 0.5; // changed after the analysis: pressures move, the load does not
    settings.safetyFactor = 2.0;
    text = reportText(settings, g, r);
    EXPECT_NE(text.find("Capacit\xC3\xA0 portante     50000 Kg"), std::string::npos);
    EXPECT_NE(text.find("Qult (Kg/cmq)         10.00\n"), std::string::npos);
    EXPECT_NE(text.find("Qamm (Kg/cmq)          5.00\n"), std::string::npos);
}

TEST(ReportText, LargeLoadsWidenTheField) {
    BearingResult r;
    r.ultimateLoad = 12345678.4;
    EXPECT_NE(reportText(AnalysisSettings{}, GeometryData{}, r).find("portante  12345678 Kg"),
              std::string::npos);
    r.ultimateLoad = 123456789.0;
    EXPECT_NE(reportText(AnalysisSettings{}, GeometryData{}, r).find("portante  123456789 Kg"),
              std::string::npos);
}

TEST(ResultRows, PressuresUseTheFullBase) {
    const Pressures p = pressuresOf(50000, 1, 1, 3);
    EXPECT_DOUBLE_EQ(p.qult, 5.0);
    EXPECT_DOUBLE_EQ(p.qamm, 5.0 / 3.0);
}

class ReportFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("zolt-report-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(dir_);
    }
    std::filesystem::path dir_, previous_;
};

TEST_F(ReportFile, IsWrittenInWindows1252IntoTheCurrentFolder) {
    const BearingResult saved = bearingResult;
    bearingResult = BearingResult{};
    ASSERT_TRUE(WriteReport());
    EXPECT_EQ(readFilePrefix("rel.txt", 4096), std::string(kEmptyReport));
    bearingResult = saved;
}

TEST_F(ReportFile, ReplacesAnOlderReport) {
    ASSERT_TRUE(writeReportFile("rel.txt", std::string(5000, 'x')));
    ASSERT_TRUE(writeReportFile("rel.txt", "capacit\xC3\xA0\n"));
    EXPECT_EQ(readFilePrefix("rel.txt", 8192), std::string("capacit\xE0\n"));
}

TEST_F(ReportFile, ReportsAFolderThatCannotTakeIt) {
    std::filesystem::create_directory("rel.txt"); // a folder in the way
    EXPECT_FALSE(WriteReport());
    EXPECT_FALSE(writeReportFile("missing/rel.txt", "x"));
}

// The window program runs under the user's locale; the report must not
// follow it.
TEST(ReportLocale, CommaLocaleGivesTheSameBytes) {
    BearingResult r = everyGroup();
    AnalysisSettings settings;
    settings.method = Vesic;
    const std::string inC = reportText(settings, GeometryData{}, r);

    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "it_IT.UTF-8"), nullptr)
        << "the it_IT.UTF-8 locale is missing: run scripts/install-deps";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.2f", 5.0);
    EXPECT_STREQ(probe, "5,00"); // the locale really writes a comma
    EXPECT_EQ(reportText(settings, GeometryData{}, r), inC);
    std::setlocale(LC_ALL, previous.c_str());
}

} // namespace
} // namespace zolt
