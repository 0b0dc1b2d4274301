// Probabilistic analysis: the soil values as independent lognormal
// variables around the project's values, the chosen method on every
// sample, and the probability that the ultimate load falls below the
// applied normal load.
#pragma once

#include "ground/ground_model.h"
#include "model/design_data.h"
#include "model/records.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zolt::design {

// The uncertain soil values, in the order of SoilData.
enum SoilVariable : int { kGamma, kPhi, kDelta, kCohesion, kAdhesion, kSoilVariableCount };
inline constexpr const char* kSoilVariableNames[kSoilVariableCount] = {"gamma", "phi", "delta",
                                                                       "c", "ca"};

constexpr std::size_t kMaxMonteCarloSamples = 10000000;
// A coefficient of variation beyond this leaves nothing of the mean value:
// the lognormal's spread would swamp every sample.
constexpr double kMaxCoefficientOfVariation = 10.0;

struct MonteCarloSpec {
    std::size_t samples = 10000;
    std::uint64_t seed = 1;
    int method = Meyerhof;
    // Coefficient of variation of each soil value; 0 keeps it fixed.
    std::array<double, kSoilVariableCount> cov{};
};

// Why `study` cannot run, in one Italian line; none when it can.
std::optional<std::string> monteCarloSpecProblem(const MonteCarloSpec& study);

struct MonteCarloResult {
    int refusal = 0; // the analysis pre-check mask at the project's values
    std::size_t samples = 0;
    std::size_t failures = 0; // ultimate load < N, refused samples included
    std::size_t refused = 0;  // samples outside the soil fields' ranges or without a load
    double pf = 0.0;          // failures / samples
    double pfLow = 0.0;       // 95 % interval (Clopper-Pearson)
    double pfHigh = 0.0;
    std::optional<double> beta;      // -Phi^-1(pf), for 0 < pf < 1
    std::optional<double> betaAbove; // pf = 0: beta exceeds -Phi^-1(1/samples) (-inf for 1)
    std::optional<double> betaBelow; // pf = 1: beta is below -Phi^-1(1 - 1/samples) (+inf for 1)
    // The ultimate load over the samples that have one, kg; none without any.
    std::optional<double> mean, cov, p05, p50, p95;
    // Those loads, in no particular order (kept on request, for plots).
    std::vector<double> loads;
    // On the ground model: the water lifts the footing (U > 0, N - U <= 0)
    // whatever the soil values, so every sample fails and none is computed.
    bool lifted = false;
};

// Progress and cancellation for a caller on another thread.
struct MonteCarloControl {
    std::atomic<bool> cancel{false};
    std::atomic<std::size_t> done{0}; // samples finished so far, of every condition
};

// Runs `study` on `threads` threads (0: every core). Sample i draws from a
// stream that depends only on the seed and i, and partial sums are
// combined in a fixed order, so the result is the same on any number of
// threads. None when cancelled, or when monteCarloSpecProblem refuses
// `study`; inputs the analysis pre-checks refuse give a result with only
// `refusal` set.
std::optional<MonteCarloResult> runMonteCarlo(const MonteCarloSpec& study,
                                              const GeometryData& geometry, const SoilData& soil,
                                              unsigned threads = 0, bool keepLoads = false,
                                              MonteCarloControl* control = nullptr);

// The analysis on the project's ground, one for each condition of the
// ground model at the project's footing; a failure is an ultimate load
// below the normal force the soil carries (N - U drained, N undrained).
struct GroundMonteCarlo {
    ground::GroundModel ground; // the conditions' values at the project's soil
    MonteCarloResult drained;
    std::optional<MonteCarloResult> undrained;
    // The condition with the higher probability of failure; the drained
    // one on a tie.
    ground::Condition governing = ground::Condition::Drained;
};

// runMonteCarlo on the ground model. The uncertain values are each
// condition's equivalent ones, the coefficients of variation of `study`
// applied to them. With the homogeneous soil a sample is a SoilData, and
// the ground model is evaluated again for it (its water table and gammaSat
// fixed); with layers a sample draws around the condition's equivalent
// values, and a sampled gamma scales q by the same ratio. The undrained
// condition samples gamma (total), c (its mean cu) and ca (the cu at the
// base) and takes no pre-checks (phi = 0 with c > 0 always has a meaning);
// its samples come from the same seed. With no water
// table and no layers the drained result is runMonteCarlo's bit for bit.
// None when cancelled or when monteCarloSpecProblem refuses `study`.
std::optional<GroundMonteCarlo>
runMonteCarloOnGround(const MonteCarloSpec& study, const GeometryData& geometry,
                      const SoilData& soil, const GroundData& ground, unsigned threads = 0,
                      bool keepLoads = false, MonteCarloControl* control = nullptr);

// The soil of sample `index` (exposed for tests of the sampling).
SoilData sampleSoil(const MonteCarloSpec& study, const SoilData& mean, std::uint64_t index);

} // namespace zolt::design
