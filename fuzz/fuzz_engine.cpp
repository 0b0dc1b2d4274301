// The engine on arbitrary records, against the promises of its header.
//
// Input: the method (one signed byte), where the load goes (one byte: the
// result record, a variable of its own or nowhere), GeometryData and
// SoilData, then the whole BearingResult the call starts from; each a
// little-endian double, the flags one byte each.
#include "engine/bearing_capacity.h"
#include "fuzz/fuzz_support.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

using namespace zolt;
using zolt::fuzz::FieldReader;
using zolt::fuzz::same;

namespace {

constexpr int kGroupFirsts[] = {kSc, kDc, kIc, kGc, kBc};

// What a failed call must leave alone: the N-factors, the load and
// Terzaghi's term (the load also where the caller pointed).
bool keptOnFailure(BearingResult& after, BearingResult& before) {
    const auto a = FieldReader::scalars(after);
    const auto b = FieldReader::scalars(before);
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == &after.Kp || a[i] == &after.cohesionM)
            continue;
        if (!same(*a[i], *b[i]))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FieldReader in(data, size);
    const std::int32_t method = static_cast<std::int8_t>(in.byte(Meyerhof));
    const std::uint8_t loadTarget = in.byte(0) % 3;
    GeometryData geometry;
    SoilData soil;
    BearingResult result;
    in.geometry(geometry);
    in.soil(soil);
    in.result(result);
    double ownLoad = in.real(-1.0);

    BearingResult before = result;
    const double ownLoadBefore = ownLoad;
    double* load = loadTarget == 0 ? &result.ultimateLoad : loadTarget == 1 ? &ownLoad : nullptr;

    const int status = computeBearing(method, geometry, soil, result, load);

    ZOLT_FUZZ_CHECK(status == kEngineOk || status == kEngineFailed);
    for (int i = 0; i < kFactorCount; ++i) {
        ZOLT_FUZZ_CHECK(result.factorPresent[i] <= 1);
        ZOLT_FUZZ_CHECK(result.factorPresent[i] == 1 || same(result.factor(i), 0.0));
        ZOLT_FUZZ_CHECK(result.factorPresent[i] == 0 || std::isfinite(result.factor(i)));
    }
    for (const int first : kGroupFirsts) {
        ZOLT_FUZZ_CHECK(result.factorPresent[first + 1] == result.factorPresent[first]);
        ZOLT_FUZZ_CHECK(result.factorPresent[first + 2] == result.factorPresent[first]);
    }
    if (loadTarget != 0)
        ZOLT_FUZZ_CHECK(same(result.ultimateLoad, before.ultimateLoad));
    if (loadTarget != 1)
        ZOLT_FUZZ_CHECK(same(ownLoad, ownLoadBefore));

    const bool knownMethod = method >= Terzaghi && method <= Vesic;
    if (status == kEngineFailed) {
        ZOLT_FUZZ_CHECK(knownMethod);
        ZOLT_FUZZ_CHECK(keptOnFailure(result, before));
        ZOLT_FUZZ_CHECK(same(ownLoad, ownLoadBefore));
        // Only the depth factors of a method that sets them stay, when its
        // formulas refuse the load.
        const bool depthMayStay = method != Terzaghi;
        for (const int first : kGroupFirsts)
            ZOLT_FUZZ_CHECK((first == kDc && depthMayStay) || result.factorPresent[first] == 0);
        return 0;
    }
    if (!knownMethod) {
        // Only the factors, Kp and cohesionM are written, and the factors cleared.
        ZOLT_FUZZ_CHECK(keptOnFailure(result, before));
        ZOLT_FUZZ_CHECK(same(ownLoad, ownLoadBefore));
        for (int i = 0; i < kFactorCount; ++i)
            ZOLT_FUZZ_CHECK(result.factorPresent[i] == 0);
        return 0;
    }
    for (const double value : {result.Nq, result.NqCorr, result.Nc, result.NcCorr, result.Nga,
                               result.NgaCorr, result.Kp, result.cohesionM})
        ZOLT_FUZZ_CHECK(std::isfinite(value));
    if (load != nullptr)
        ZOLT_FUZZ_CHECK(std::isfinite(*load) && !(*load < 0.0));
    // Inside the domains no correction factor is negative.
    for (int i = 0; i < kFactorCount; ++i)
        ZOLT_FUZZ_CHECK(!(result.factor(i) < 0.0));
    ZOLT_FUZZ_CHECK(same(result.terzaghiA, before.terzaghiA) || std::isfinite(result.terzaghiA));
    if (method == Terzaghi)
        ZOLT_FUZZ_CHECK(std::isfinite(result.terzaghiA));
    return 0;
}
