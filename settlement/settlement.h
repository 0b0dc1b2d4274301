// The settlement of the footing's centre under a vertical load, on the
// ground model's profile: elastic (Steinbrenner), oedometric (Cc/Cr/e0 or
// Eoed), Schmertmann, Hartman & Brown (1978) and Burland & Burbidge (1985),
// with the stresses along depth for a plot and the serviceability check
// (NTC 2018 §6.4.2.1 and EN 1997-1 §6.6: the settlement within what the
// structure can take).
//
// Every stress in the soil comes from ground::verticalStress(). Pressures
// and stresses are kg/m2, depths m, settlements cm (and mm where named).
#pragma once

#include "ground/ground_model.h"
#include "model/design_data.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zolt::settlement {

// The footing as the settlement sees it: its plan, the depth of its base
// and the vertical force on the base. B and L may come in either order:
// the methods take B as the shorter side.
struct Footing {
    double B = 1.0; // m
    double L = 1.0; // m
    double D = 0.0; // depth of the base below the ground surface, m
    double N = 0.0; // vertical force on the base, kg
};

// The part of one layer that the computation reaches and what it settles.
struct LayerSettlement {
    std::string name;
    double top = 0.0;    // m below the ground surface (the base, for the layer under it)
    double bottom = 0.0; // m below the ground surface (the depth of influence, for the last)
    double s = 0.0;      // cm
};

// Values along depth from the base down, for the plot; every array has one
// entry per depth.
struct SettlementProfile {
    std::vector<double> z;          // m below the ground surface, from D down
    std::vector<double> sigmaV0;    // effective vertical stress before loading, kg/m2
    std::vector<double> deltaSigma; // stress increase under the centre (Newmark), kg/m2
    std::vector<double> cutoff;     // 0.2 sigmaV0, kg/m2 (EN 1997-1 §6.6.2(6))
    std::vector<double> cumulative; // settlement of the soil between the base and z, cm
};

// The terms of Schmertmann's formula, for the report.
struct SchmertmannTerms {
    double deltaP = 0.0;  // q - sigma'v0(D), kg/m2
    double C1 = 1.0;      // embedment
    double C2 = 1.0;      // creep
    double Iz0 = 0.0;     // strain influence factor at the base
    double Izp = 0.0;     // its peak
    double zp = 0.0;      // depth of the peak below the base, m
    double zend = 0.0;    // depth where it reaches 0, m below the base
    double sigmaVp = 0.0; // sigma'v0 at the depth of the peak, kg/m2
};

// The terms of Burland & Burbidge's formula, for the report; the units of
// the method (kPa, m, mm).
struct BurlandBurbidgeTerms {
    double qPrime = 0.0; // q - u at the base, kPa
    double sigmaP = 0.0; // preconsolidation at the base, kPa
    double Nmean = 0.0;  // thickness-weighted mean of Nspt over z_I
    double Ic = 0.0;     // compressibility index, mm per kPa per m^0.7
    double fs = 1.0;     // shape
    double ft = 1.0;     // time
    double s0 = 0.0;     // settlement before fs and ft, mm
};

struct Settlement {
    SettlementMethod method = SettlementMethod::Elastic;
    double q = 0.0;    // N / (B L), kg/m2
    double qNet = 0.0; // max(0, q - sigma_v0(D)) with the total stress at the base, kg/m2
    // The pressure the method itself loads with, kg/m2: qNet for the
    // elastic and oedometric methods, q - sigma'v0(D) for Schmertmann's,
    // q - u(D) for Burland & Burbidge's; 0 when it is not positive.
    double methodPressure = 0.0;
    double influenceDepth = 0.0;         // the depth the method integrates to, m below the base
    std::vector<LayerSettlement> layers; // top down, only those reached
    double totalCm = 0.0;
    double totalMm = 0.0;
    std::optional<double> limit;       // admissible settlement, cm; none = no check
    std::optional<double> utilisation; // totalCm / limit
    bool verified = true;              // totalCm <= limit, or no limit
    SettlementProfile profile;
    std::optional<SchmertmannTerms> schmertmann;
    std::optional<BurlandBurbidgeTerms> burlandBurbidge;
    std::vector<std::string> notes; // the eccentricity note first, always
};

// Why a settlement could not be computed.
struct SettlementFailure {
    std::string layer;   // the layer's name; empty when no layer is at fault
    std::string value;   // the project file's key of the value at fault ("E", "Nspt", ...)
    std::string message; // the whole sentence, for the user
};

struct SettlementOutcome {
    std::optional<Settlement> settlement; // none on failure
    SettlementFailure failure;

    bool ok() const { return settlement.has_value(); }
};

// The settlement of the centre of `footing` on `profile` by `method`.
// `years` is the time for the creep terms (Schmertmann's C2 from 0.1 year,
// Burland & Burbidge's ft from 3 years; none = no creep), `limit` the
// admissible settlement in cm. A layer that the computation reaches and
// that lacks a value the method needs makes it fail, naming the layer and
// the value: no value is ever taken as 0.
SettlementOutcome computeSettlement(SettlementMethod method, const ground::Profile& profile,
                                    const Footing& footing, std::optional<double> years,
                                    std::optional<double> limit);

// The same with the project's settings (method, years, limit).
inline SettlementOutcome computeSettlement(const SettlementSettings& settings,
                                           const ground::Profile& profile, const Footing& footing) {
    return computeSettlement(settings.method, profile, footing, settings.years, settings.limit);
}

// "elastic", "oedometric", "schmertmann", "burland-burbidge", as the
// project file and the command line spell them.
std::string_view methodId(SettlementMethod method);
std::optional<SettlementMethod> parseMethod(std::string_view id);
// The method's name in the outputs: "elastico (Steinbrenner)", ...
std::string_view methodName(SettlementMethod method);

inline constexpr std::string_view kEccentricityNote =
    "eccentricità non considerata: pressione uniforme N/(B·L) su tutta la base";

} // namespace zolt::settlement
