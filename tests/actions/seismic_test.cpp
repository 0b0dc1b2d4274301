// The site's kh, the Paolucci & Pecker factors and the SLV resistance
// factors against the code tables and values worked by hand.
#include "actions/seismic.h"

#include <gtest/gtest.h>

namespace zolt::actions {
namespace {

TEST(BetaS, FollowsTab711I) {
    struct Row {
        char subsoil;
        double ag;
        std::optional<double> betaS;
    };
    for (const Row& r :
         {Row{'A', 0.35, 0.30}, Row{'A', 0.2, 0.27}, Row{'A', 0.15, 0.27}, Row{'A', 0.1, 0.20},
          Row{'A', 0.05, 0.20}, Row{'B', 0.4, 0.28}, Row{'C', 0.2001, 0.28}, Row{'D', 0.15, 0.24},
          Row{'E', 0.1001, 0.24}, Row{'E', 0.0, 0.20}, Row{'B', 0.41, std::nullopt},
          Row{'F', 0.15, std::nullopt}, Row{'B', -0.1, std::nullopt}})
        EXPECT_EQ(tableBetaS(r.subsoil, r.ag), r.betaS) << r.subsoil << " " << r.ag;
}

TEST(SeismicCoefficients, ComputeKhOrTakeTheUsers) {
    struct Row {
        SeismicData site;
        double kh;
        std::optional<double> betaS;
        bool error;
    };
    SeismicData base;
    base.agOverG = 0.15, base.SS = 1.2, base.ST = 1.1, base.subsoil = 'B';
    auto with = [&](auto change) {
        SeismicData s = base;
        change(s);
        return s;
    };
    for (const Row& r : {
             // 0.24 1.2 1.1 0.15
             Row{base, 0.04752, 0.24, false},
             Row{with([](SeismicData& s) { s.betaS = 0.3; }), 0.0594, 0.3, false},
             Row{with([](SeismicData& s) { s.kh = 0.1; }), 0.1, 0.24, false},
             Row{with([](SeismicData& s) { s.agOverG = 0.5; }), 0, std::nullopt, true},
             Row{with([](SeismicData& s) { s.agOverG = 0.5, s.kh = 0.2; }), 0.2, std::nullopt,
                 false},
         }) {
        const SeismicCoefficients c = seismicCoefficients(r.site);
        EXPECT_NEAR(c.kh, r.kh, 1e-12);
        EXPECT_EQ(c.betaS, r.betaS);
        EXPECT_EQ(!c.error.empty(), r.error) << c.error;
    }
}

TEST(KinematicFactors, MatchPaolucciAndPecker) {
    struct Row {
        double kh, phi, zq, zc;
    };
    for (const Row& r : {// (1 - 0.15 / tan 30)^0.35 and 1 - 0.32 0.15
                         Row{0.15, 30, 0.9001, 0.952},
                         // Undrained: only zc.
                         Row{0.15, 0, 1, 0.952},
                         // kh past tan(phi): no q and gamma terms left.
                         Row{0.6, 30, 0, 0.808}, Row{0, 35, 1, 1}}) {
        const KinematicFactors z = kinematicFactors(r.kh, r.phi);
        EXPECT_NEAR(z.zq, r.zq, 5e-5) << r.kh << " " << r.phi;
        EXPECT_EQ(z.zga, z.zq);
        EXPECT_NEAR(z.zc, r.zc, 1e-12);
    }
}

TEST(SlvGammaR, AllowsTheLowerBearingFactorOnlyWithTheKinematicEffect) {
    struct Row {
        bool kinematic;
        double chosen, applied;
    };
    for (const Row& r : {Row{true, 1.8, 1.8}, Row{false, 1.8, 2.3}, Row{true, 2.3, 2.3}}) {
        SeismicData s;
        s.kinematic = r.kinematic, s.gammaRv = r.chosen;
        EXPECT_EQ(slvBearingGammaR(s), r.applied);
        EXPECT_NE(slvBearingGammaRNote(s).find(r.applied == 1.8 ? "1.8" : "2.3"),
                  std::string_view::npos);
    }
}

} // namespace
} // namespace zolt::actions
