#include "model/project.h"
#include "workflow/input_checks.h"

#include <gtest/gtest.h>

#include <cstring>

namespace zolt {
namespace {

struct CheckCase {
    const char* what;
    double phi, c, delta, ca, N, T, B, L;
    InputCheckMask expected;
};

class InputChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(InputChecks, SetTheBitsOfTheFailedChecks) {
    const CheckCase& k = GetParam();
    GeometryData g;
    g.N = k.N;
    g.T = k.T;
    g.B = k.B;
    g.L = k.L;
    SoilData s;
    s.phi = k.phi;
    s.c = k.c;
    s.delta = k.delta;
    s.ca = k.ca;
    EXPECT_EQ(checkInputs(g, s), k.expected) << k.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, InputChecks,
    ::testing::Values(
        CheckCase{"start values", 30, 0, 20, 0, 0, 0, 1, 1, 0},
        CheckCase{"phi and c zero", 0, 0, 20, 0, 0, 0, 1, 1, kNoFrictionNoCohesion},
        CheckCase{"phi zero with cohesion", 0, 0.1, 20, 0, 0, 0, 1, 1, 0},
        CheckCase{"delta and ca zero, no shear", 30, 0, 0, 0, 0, 0, 1, 1, kNoInterfaceGrip},
        CheckCase{"delta and ca zero with shear", 30, 0, 0, 0, 0, 10, 1, 1,
                  kNoInterfaceGrip | kSliding},
        CheckCase{"all three", 0, 0, 0, 0, 100, 10, 1, 1,
                  kNoFrictionNoCohesion | kNoInterfaceGrip | kSliding},
        CheckCase{"adhesion at the limit passes", 30, 0, 0, 0.1, 5000, 1000, 1, 1, 0},
        CheckCase{"adhesion one kg short", 30, 0, 0, 0.1, 5000, 1001, 1, 1, kSliding},
        CheckCase{"adhesion over the full base", 30, 0, 0, 0.1, 0, 6000, 2, 3, 0},
        CheckCase{"adhesion over the full base, exceeded", 30, 0, 0, 0.1, 0, 6001, 2, 3,
                  kSliding},
        // tan 20 deg * 10000 = 3639.70 kg of friction
        CheckCase{"friction holds", 30, 0, 20, 0, 10000, 3639, 1, 1, 0},
        CheckCase{"friction exceeded", 30, 0, 20, 0, 10000, 3640, 1, 1, kSliding},
        CheckCase{"negative shear never slides", 30, 0, 0, 0, 0, -5, 1, 1, kNoInterfaceGrip},
        CheckCase{"zero shear never slides", 30, 0, 0, 0.0, 0, 0, 1, 1, kNoInterfaceGrip}));

TEST(InputChecksEntry, ReadsTheProcessRecordsAndIgnoresEccentricity) {
    const GeometryData savedGeometry = geometryData;
    const SoilData savedSoil = soilData;
    soilData.delta = 0;
    soilData.ca = 0.1;
    geometryData.T = 1000;
    geometryData.ex = 0.4; // the reduced base would give less than 1000 kg
    geometryData.ey = 0.4;
    EXPECT_EQ(CheckAnalysisInputs(), 0);
    geometryData.T = 1000.5;
    EXPECT_EQ(CheckAnalysisInputs(), kSliding);
    geometryData = savedGeometry;
    soilData = savedSoil;
}

TEST(InputCheckText, ListsTheMessagesInBitOrderEachOnItsLine) {
    EXPECT_EQ(inputCheckText(0), "");
    EXPECT_EQ(inputCheckText(kNoFrictionNoCohesion),
              "Angolo di attrito e coesione entrambi nulli\n");
    EXPECT_EQ(inputCheckText(kSliding | kNoInterfaceGrip),
              "Angolo di attrito terreno-fondazione e aderenza entrambi nulli\n"
              "Fondazione non verificata a scorrimento\n");
    EXPECT_EQ(inputCheckText(7).size(),
              std::strlen(InputCheckMessages[0]) + std::strlen(InputCheckMessages[1]) +
                  std::strlen(InputCheckMessages[2]) + 3);
    for (const auto& message : InputCheckMessages)
        EXPECT_LT(std::strlen(message), static_cast<std::size_t>(kInputCheckMessageSize));
}

} // namespace
} // namespace zolt
