#include "actions/seismic.h"

#include "model/number_text.h"

#include <cmath>
#include <numbers>

namespace zolt::actions {

std::optional<double> tableBetaS(char subsoil, double agOverG) {
    if (subsoil < 'A' || subsoil > 'E' || !(agOverG >= 0.0) || agOverG > 0.4)
        return std::nullopt;
    // NTC 2018 Tab. 7.11.I (§7.11.3.5.2), the rows from the top.
    const bool rock = subsoil == 'A';
    if (agOverG > 0.2)
        return rock ? 0.30 : 0.28;
    if (agOverG > 0.1)
        return rock ? 0.27 : 0.24;
    return 0.20;
}

SeismicCoefficients seismicCoefficients(const SeismicData& site) {
    SeismicCoefficients c;
    c.betaSGiven = site.betaS.has_value();
    c.betaS = site.betaS ? site.betaS : tableBetaS(site.subsoil, site.agOverG);
    if (site.kh) {
        c.khGiven = true;
        c.kh = *site.kh;
        return c;
    }
    if (!c.betaS) {
        c.error = "la Tab. 7.11.I non dà βs per ag/g = " + formatRoundTrip(site.agOverG) +
                  " e categoria " + std::string(1, site.subsoil) + ": indicare βs o kh";
        return c;
    }
    c.kh = *c.betaS * site.SS * site.ST * site.agOverG;
    return c;
}

KinematicFactors kinematicFactors(double kh, double phiDegrees) {
    KinematicFactors z;
    const double k = std::abs(kh);
    z.zc = 1.0 - 0.32 * k;
    const double tanPhi = std::tan(phiDegrees * std::numbers::pi / 180.0);
    if (!(phiDegrees > 0.0) || !(tanPhi > 0.0))
        return z;
    const double ratio = k / tanPhi;
    z.zq = ratio >= 1.0 ? 0.0 : std::pow(1.0 - ratio, 0.35);
    z.zga = z.zq;
    return z;
}

double slvBearingGammaR(const SeismicData& site) {
    return site.kinematic && site.gammaRv == kSlvGammaRBearingKinematic ? kSlvGammaRBearingKinematic
                                                                        : kSlvGammaRBearing;
}

std::string_view slvBearingGammaRNote(const SeismicData& site) {
    if (slvBearingGammaR(site) == kSlvGammaRBearingKinematic)
        return "γR = 1.8 sul carico limite con l'effetto cinematico (NTC 2018 §7.11.5.3.1), "
               "1.1 sullo scorrimento (Tab. 7.11.II)";
    if (site.gammaRv == kSlvGammaRBearingKinematic)
        return "γR = 2.3 sul carico limite (1.8 solo con l'effetto cinematico, NTC 2018 "
               "§7.11.5.3.1), 1.1 sullo scorrimento (Tab. 7.11.II)";
    return "γR = 2.3 sul carico limite, 1.1 sullo scorrimento (NTC 2018 Tab. 7.11.II)";
}

} // namespace zolt::actions
