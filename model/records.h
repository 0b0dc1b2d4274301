// The records of the one open project and of the last analysis.
//
// Plain data with the start values of a new run; the process-wide instances
// live in model/project.h. Units are stated on every field because the
// engine and the report mix metres, centimetres and kilograms-force.
#pragma once

#include <array>
#include <cstdint>

namespace zolt {

// Foundation geometry and loads. The field order is the data-file order.
struct GeometryData {
    double B = 1.0;     // width of the base, m
    double L = 1.0;     // length of the base, m (the geometry dialog keeps B <= L)
    double D = 1.0;     // depth of the base below ground, m
    double alpha = 0.0; // inclination of the base, degrees
    double omega = 0.0; // inclination of the ground slope, degrees
    double ex = 0.0;    // load eccentricity along B, m
    double ey = 0.0;    // load eccentricity along L, m
    double N = 0.0;     // normal (vertical) force, kg (force)
    double T = 0.0;     // shear (horizontal) force, kg (force)
};

// Soil properties. The field order is the data-file order.
struct SoilData {
    double gamma = 1800.0; // unit weight, kg/m3
    double phi = 30.0;     // internal friction angle, degrees
    double delta = 20.0;   // soil-foundation friction angle, degrees
    double c = 0.0;        // cohesion, kg/cm2
    double ca = 0.0;       // soil-foundation adhesion, kg/cm2
};

// Calculation method; stored as a 32-bit integer because the analysis
// dialog's radio buttons write their values straight into it.
enum CalcMethod : std::int32_t { Terzaghi = 0, Meyerhof = 1, Hansen = 2, Vesic = 3 };

// Choice of calculation; never saved to the data file.
struct AnalysisSettings {
    std::int32_t method = Meyerhof; // a CalcMethod; the dialog only offers 0..3
    double safetyFactor = 3.0;      // divides qult into qamm; the dialog accepts 1.0..9.0
};

// Position of each correction factor in BearingResult::factorPresent.
// Groups of three (c, q, gamma); a reader shows a group by its first flag.
enum FactorIndex : int {
    kSc, kSq, kSga, // shape
    kDc, kDq, kDga, // depth
    kIc, kIq, kIga, // load inclination
    kGc, kGq, kGga, // ground slope (omega)
    kBc, kBq, kBga, // base tilt (alpha)
    kFactorCount
};

// Everything one engine run produces. The fifteen factors are cleared at
// the start of every run; the N-factors and the load survive a failed run.
struct BearingResult {
    double Nq = 0.0;           // bearing-capacity factor Nq of the method
    double NqCorr = 0.0;       // Nq times the product of the q-term factors
    double Nc = 0.0;           // factor Nc
    double NcCorr = 0.0;       // corrected Nc
    double Nga = 0.0;          // factor N-gamma
    double NgaCorr = 0.0;      // corrected N-gamma
    double ultimateLoad = 0.0; // ultimate load of the foundation, kg
    double Kp = 0.0;           // tan^2(45 deg + phi/2); written by every run
    double cohesionM = 0.0;    // c * 10000, kg/m2; written by every run
    double terzaghiA = 0.0;    // Terzaghi's exponential term, kept from its last run
    double sc = 0.0, sq = 0.0, sga = 0.0;
    double dc = 0.0, dq = 0.0, dga = 0.0;
    double ic = 0.0, iq = 0.0, iga = 0.0;
    double gc = 0.0, gq = 0.0, gga = 0.0;
    double bc = 0.0, bq = 0.0, bga = 0.0;
    std::array<std::uint8_t, kFactorCount> factorPresent{}; // 1 = set by the method

    // The factor at a FactorIndex, in the order of the fields above.
    double factor(int index) const;
    double& factor(int index);
    // True when the group whose first member is at `first` was set.
    bool groupPresent(int first) const { return factorPresent[first] == 1; }
};

} // namespace zolt
