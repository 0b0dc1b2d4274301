#include "model/data_file.h"
#include "model/file_io.h"
#include "model/project.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sys/stat.h>

namespace zolt {
namespace {

namespace fs = std::filesystem;

class DataFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zolt-data-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const char* name) const { return (dir_ / name).string(); }

    static std::string slurp(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void spit(const std::string& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
    }

    fs::path dir_;
};

// Little-endian image of one double, written out by hand.
std::string le(double value) {
    unsigned long long bits = 0;
    std::memcpy(&bits, &value, 8);
    std::string out;
    for (int i = 0; i < 8; ++i)
        out += static_cast<char>((bits >> (8 * i)) & 0xFF);
    return out;
}

TEST_F(DataFileTest, StartValuesGiveTheDocumentedBytes) {
    const std::string file = path("start.dat");
    ASSERT_TRUE(writeDataFile(file, GeometryData{}, SoilData{}));
    std::string expected;
    for (double v : {1.0, 1.0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 1800.0, 30.0, 20.0, 0.0, 0.0})
        expected += le(v);
    const std::string bytes = slurp(file);
    ASSERT_EQ(bytes.size(), 112u);
    EXPECT_EQ(bytes, expected);
    // 1800.0 is 0x409C200000000000: the first byte of gamma is the low one.
    EXPECT_EQ(static_cast<unsigned char>(bytes[72 + 7]), 0x40);
    EXPECT_EQ(static_cast<unsigned char>(bytes[72 + 6]), 0x9C);
}

TEST_F(DataFileTest, EveryFieldRoundTripsAtItsOffset) {
    GeometryData g{2.5, 3.5, 1.25, 5.0, 7.5, 0.1, 0.2, 9999999.0, 1234.0};
    SoilData s{1900.5, 28.0, 18.0, 0.125, 0.0625};
    const std::string file = path("all.dat");
    ASSERT_TRUE(writeDataFile(file, g, s));
    const std::string bytes = slurp(file);
    const double expected[] = {2.5, 3.5, 1.25, 5.0, 7.5, 0.1, 0.2, 9999999.0, 1234.0,
                               1900.5, 28.0, 18.0, 0.125, 0.0625};
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(bytes.substr(static_cast<std::size_t>(i) * 8, 8), le(expected[i])) << i;

    GeometryData g2;
    SoilData s2;
    ASSERT_TRUE(readDataFile(file, g2, s2));
    EXPECT_EQ(std::memcmp(&g, &g2, sizeof g), 0);
    EXPECT_EQ(std::memcmp(&s, &s2, sizeof s), 0);
}

// One wrong value in an otherwise valid file, and what the refusal says.
TEST_F(DataFileTest, ValuesTheDialogsRefuseAreRefusedWithTheirReason) {
    constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const struct {
        int index; // the double's place in the file
        double value;
        const char* reason;
    } cases[] = {
        {0, -2.0, "B = -2.00 fuori dall'intervallo 0.10\u201399.90"},
        {0, 0.0999, "B = 0.0999 fuori dall'intervallo 0.10\u201399.90"},
        {1, 99.904, "L = 99.904 fuori dall'intervallo 0.10\u201399.90"},
        {7, 1e300, "N = 1e+300 fuori dall'intervallo 0\u20139999999"},
        {8, -kInf, "T = -inf non \u00e8 un numero finito"},
        {10, kNan, "phi = nan non \u00e8 un numero finito"},
        {13, 100.0, "ca = 100.000 fuori dall'intervallo 0.000\u201399.990"},
        {0, 5.0,
         "La larghezza della fondazione deve essere minore o uguale alla lunghezza "
         "(B = 5.00, L = 1.00)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        const auto image = encodeDataFile(GeometryData{}, SoilData{});
        std::string bytes(image.begin(), image.end());
        bytes.replace(static_cast<std::size_t>(c.index) * 8, 8, le(c.value));
        const std::string file = path("odd.dat");
        spit(file, bytes);
        GeometryData g;
        g.D = 7.0;
        SoilData s;
        const DataFileRead read = readDataFile(file, g, s);
        EXPECT_EQ(read.outcome, DataFileRead::Outcome::Invalid);
        EXPECT_EQ(read.messageText(), std::string("Il file non contiene dati validi: ") + c.reason);
        EXPECT_EQ(g.D, 7.0);
        EXPECT_EQ(s.phi, 30.0);
    }
}

TEST_F(DataFileTest, OnlyAFileOfExactly112BytesIsRead) {
    const auto image = encodeDataFile(GeometryData{}, SoilData{});
    const std::string whole(image.begin(), image.end());
    const struct {
        std::string bytes;
        const char* reason; // nullptr: loaded
    } cases[] = {
        {whole, nullptr},
        {whole + std::string(40, '\x7F'), "il file \u00e8 di 152 byte, non di 112"},
        {whole + '\0', "il file \u00e8 di 113 byte, non di 112"},
        {whole.substr(0, 111), "il file \u00e8 di 111 byte, non di 112"},
        {"", "il file \u00e8 di 0 byte, non di 112"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.size());
        const std::string file = path("size.dat");
        spit(file, c.bytes);
        GeometryData g;
        g.B = 0.5;
        SoilData s;
        const DataFileRead read = readDataFile(file, g, s);
        EXPECT_EQ(static_cast<bool>(read), c.reason == nullptr);
        EXPECT_EQ(read.reason, c.reason == nullptr ? "" : c.reason);
        EXPECT_EQ(g.B, c.reason == nullptr ? 1.0 : 0.5);
    }
}

TEST_F(DataFileTest, WhatCannotBeOpenedSaysWhy) {
    const std::string fifo = path("fifo.dat");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {path("missing.dat"), "il file non esiste"},
        {dir_.string(), "\u00e8 una cartella"},
        {fifo, "non \u00e8 un file regolare"}, // at once, not waiting for a writer
        {path("missing/p.dat"), "il file non esiste"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        GeometryData g;
        SoilData s;
        const DataFileRead read = readDataFile(c.path, g, s);
        EXPECT_EQ(read.outcome, DataFileRead::Outcome::NotOpened);
        EXPECT_EQ(read.reason, c.reason);
        EXPECT_EQ(read.messageText(), kOpenErrorText);
    }
}

TEST_F(DataFileTest, ShortMissingOrUnreadableFilesLeaveTheRecords) {
    GeometryData g;
    g.B = 0.7;
    SoilData s;
    s.c = 0.3;
    const GeometryData before = g;
    const SoilData soilBefore = s;

    const std::string shortFile = path("short.dat");
    spit(shortFile, std::string(111, '\x01'));
    EXPECT_FALSE(readDataFile(shortFile, g, s));
    spit(shortFile, "");
    EXPECT_FALSE(readDataFile(shortFile, g, s));
    EXPECT_FALSE(readDataFile(path("missing.dat"), g, s));
    EXPECT_FALSE(readDataFile(dir_.string(), g, s)); // a folder, not a file
    EXPECT_FALSE(readDataFile("", g, s));

    EXPECT_EQ(std::memcmp(&g, &before, sizeof g), 0);
    EXPECT_EQ(std::memcmp(&s, &soilBefore, sizeof s), 0);
}

TEST_F(DataFileTest, AFailedSaveKeepsTheOldFileAndLeavesNoTemporary) {
    const std::string file = path("keep.dat");
    spit(file, "old contents");
    // The target is a folder: the write fails and nothing else is touched.
    const std::string folder = path("folder.dat");
    fs::create_directory(folder);
    EXPECT_FALSE(writeDataFile(folder, GeometryData{}, SoilData{}));
    EXPECT_FALSE(writeDataFile(path("no/such/folder.dat"), GeometryData{}, SoilData{}));
    EXPECT_FALSE(writeDataFile("", GeometryData{}, SoilData{}));
    EXPECT_EQ(slurp(file), "old contents");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_))
        ++entries;
    EXPECT_EQ(entries, 2); // keep.dat and folder.dat, no leftover temporary
}

TEST_F(DataFileTest, SavingReplacesAndKeepsPermissions) {
    const std::string file = path("perm.dat");
    spit(file, std::string(500, 'x'));
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(writeDataFile(file, GeometryData{}, SoilData{}));
    EXPECT_EQ(fs::file_size(file), 112u); // the longer old contents are gone
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(DataFileTest, TheProcessRecordsAreReadAndWrittenButNotTheSettings) {
    const GeometryData savedGeometry = geometryData;
    const SoilData savedSoil = soilData;
    const AnalysisSettings savedSettings = analysisSettings;

    analysisSettings.method = Vesic;
    analysisSettings.safetyFactor = 2.5;
    geometryData.D = 2.0;
    const std::string file = path("global.dat");
    ASSERT_TRUE(WriteDataFile(file));
    EXPECT_EQ(fs::file_size(file), 112u);

    geometryData.D = 9.0;
    ASSERT_TRUE(ReadDataFile(file));
    EXPECT_EQ(geometryData.D, 2.0);
    EXPECT_EQ(analysisSettings.method, Vesic);
    EXPECT_EQ(analysisSettings.safetyFactor, 2.5);
    EXPECT_FALSE(ReadDataFile(path("absent.dat")));
    EXPECT_EQ(geometryData.D, 2.0);

    geometryData = savedGeometry;
    soilData = savedSoil;
    analysisSettings = savedSettings;
}

} // namespace
} // namespace zolt
