#include "workflow/result_rows.h"

#include "model/number_text.h"

namespace zolt {

namespace {

constexpr double kSquareCmPerSquareM = 10000;

constexpr std::string_view kLoadRow = "Capacità portante  %8.0f Kg";
constexpr std::string_view kQultRow = "Qult (Kg/cmq)      %8.2f";
constexpr std::string_view kQammRow = "Qamm (Kg/cmq)      %8.2f";
constexpr std::string_view kNFactorRow = "Nc = %8.3f    Nq=  %8.3f     Nga=  %8.3f";
constexpr std::string_view kCorrectedHeading = "Fattori di capacità portante corretti";
constexpr std::string_view kCorrectedRow = "Nc'= %8.3f    Nq'=  %8.3f     Nga'=  %8.3f";

constexpr FactorGroupRow kFactorGroups[] = {
    {kSc, "Fattori di forma", "sc = %8.3f    sq=  %8.3f     sga=  %8.3f"},
    {kDc, "Fattori di profondità del piano di posa", "dc = %8.3f    dq=  %8.3f     dga=  %8.3f"},
    {kIc, "Fattori di inclinazione del carico", "ic = %8.3f    iq=  %8.3f     iga=  %8.3f"},
    {kGc, "Fattori di inclinazione del pendio", "gc = %8.3f    gq=  %8.3f     gga=  %8.3f"},
    {kBc, "Fattori di inclinazione del piano di posa", "bc = %8.3f    bq=  %8.3f     bga=  %8.3f"},
};

constexpr std::string_view kMethodTitles[] = {
    "Metodo di Terzaghi",
    "Metodo di Meyerhof",
    "Metodo di Hansen",
    "Metodo di Vesic",
};

} // namespace

Pressures pressuresOf(double ultimateLoad, double B, double L, double safetyFactor) {
    Pressures p;
    p.qult = ultimateLoad / (B * L * kSquareCmPerSquareM);
    p.qamm = p.qult / safetyFactor;
    return p;
}

std::vector<ResultRow> resultRows(const BearingResult& r, double B, double L, double safetyFactor) {
    const Pressures p = pressuresOf(r.ultimateLoad, B, L, safetyFactor);
    std::vector<ResultRow> rows;
    rows.push_back({{}, formatNumbers(kLoadRow, {r.ultimateLoad})});
    rows.push_back({{}, formatNumbers(kQultRow, {p.qult})});
    rows.push_back({{}, formatNumbers(kQammRow, {p.qamm})});
    rows.push_back({{}, formatNumbers(kNFactorRow, {r.Nc, r.Nq, r.Nga})});
    for (const FactorGroupRow& group : kFactorGroups) {
        if (!r.groupPresent(group.first))
            continue;
        rows.push_back({group.heading, formatNumbers(group.format, {r.factor(group.first),
                                                                    r.factor(group.first + 1),
                                                                    r.factor(group.first + 2)})});
    }
    rows.push_back(
        {kCorrectedHeading, formatNumbers(kCorrectedRow, {r.NcCorr, r.NqCorr, r.NgaCorr})});
    return rows;
}

std::span<const FactorGroupRow> factorGroupRows() {
    return kFactorGroups;
}

std::string_view methodTitle(int method) {
    if (method < Terzaghi || method > Vesic)
        return {};
    return kMethodTitles[method];
}

std::string_view methodName(int method) {
    // The title's last word: "Metodo di Hansen" names Hansen.
    const std::string_view title = methodTitle(method);
    return title.substr(title.find_last_of(' ') + 1);
}

std::string_view methodKey(int method) {
    constexpr std::string_view kKeys[] = {"terzaghi", "meyerhof", "hansen", "vesic"};
    if (method < Terzaghi || method > Vesic)
        return {};
    return kKeys[method];
}

} // namespace zolt
