#include "design/monte_carlo.h"

#include "design/normal.h"
#include "design/order_statistics.h"
#include "design/parallel.h"
#include "design/verification.h"
#include "engine/bearing_capacity.h"
#include "workflow/input_checks.h"
#include "workflow/input_fields.h"

#include <boost/random/normal_distribution.hpp>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <utility>

namespace zolt::design {

namespace {

constexpr std::size_t kChunk = 4096; // samples per unit of work and of partial sums
constexpr double kConfidence = 0.95;

// SplitMix64: a small generator whose output stays well mixed also for
// neighbouring seeds, so each sample can have a stream of its own.
class SampleStream {
public:
    using result_type = std::uint64_t;
    SampleStream(std::uint64_t seed, std::uint64_t index)
        : state_(mix(seed ^ mix(index + 0x632BE59BD9B4E019ULL))) {}
    static constexpr result_type min() { return 0; }
    static constexpr result_type max() { return std::numeric_limits<result_type>::max(); }
    result_type operator()() { return mix(state_ += 0x9E3779B97F4A7C15ULL); }

private:
    static std::uint64_t mix(std::uint64_t z) {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::uint64_t state_;
};

// ln X ~ N(mu, sigma^2) with E[X] = mean and sd/mean = cov.
struct Lognormal {
    bool fixed = true;
    double mu = 0.0;
    double sigma = 0.0;
};

Lognormal lognormalOf(double mean, double cov) {
    Lognormal l;
    if (!(cov > 0.0) || !(mean > 0.0))
        return l; // a fixed value, and a mean of 0 stays 0
    l.fixed = false;
    l.sigma = std::sqrt(std::log1p(cov * cov));
    l.mu = std::log(mean) - 0.5 * l.sigma * l.sigma;
    return l;
}

double SoilData::*const kFields[kSoilVariableCount] = {&SoilData::gamma, &SoilData::phi,
                                                       &SoilData::delta, &SoilData::c,
                                                       &SoilData::ca};

struct Sampler {
    std::array<Lognormal, kSoilVariableCount> laws;
    SoilData mean;
    std::uint64_t seed;

    SoilData draw(std::uint64_t index) const {
        SampleStream stream(seed, index);
        boost::random::normal_distribution<double> normal;
        SoilData s = mean;
        for (int v = 0; v < kSoilVariableCount; ++v) {
            const Lognormal& law = laws[static_cast<std::size_t>(v)];
            if (!law.fixed)
                s.*kFields[v] = std::exp(law.mu + law.sigma * normal(stream));
        }
        return s;
    }
};

// A sample the soil dialog would refuse (a lognormal has no upper bound)
// describes no soil the project could hold.
bool withinFieldRanges(const SoilData& s) {
    for (const InputField& field : soilFields())
        if (!field.accepts(s.*field.soilField))
            return false;
    return true;
}

// Mean and sample coefficient of variation of positive loads (kg), in
// sample order. The plain sums, exact for a fixed soil and the same bits
// on any number of threads, overflow for loads near the largest double
// (a friction angle just under 90 degrees); the loads are then taken over
// their largest value, so that both stay finite.
struct Moments {
    double mean = 0.0;
    std::optional<double> cov; // none for a mean of 0
};

Moments momentsOf(const std::vector<double>& loads, double scale) {
    const double origin = loads.front() / scale;
    double offsets = 0.0;
    for (const double x : loads)
        offsets += x / scale - origin;
    const double mean = origin + offsets / static_cast<double>(loads.size());
    double squares = 0.0;
    for (const double x : loads)
        squares += (x / scale - mean) * (x / scale - mean);
    Moments m;
    m.mean = mean * scale;
    if (mean != 0.0)
        m.cov = loads.size() > 1
                    ? std::sqrt(squares / static_cast<double>(loads.size() - 1)) / std::fabs(mean)
                    : 0.0;
    return m;
}

Moments momentsOf(const std::vector<double>& loads) {
    const Moments plain = momentsOf(loads, 1.0);
    if (std::isfinite(plain.mean) && (!plain.cov || std::isfinite(*plain.cov)))
        return plain;
    return momentsOf(loads, *std::max_element(loads.begin(), loads.end()));
}

Sampler samplerOf(const MonteCarloSpec& study, const SoilData& mean) {
    Sampler sampler;
    sampler.mean = mean;
    sampler.seed = study.seed;
    for (int v = 0; v < kSoilVariableCount; ++v)
        sampler.laws[static_cast<std::size_t>(v)] =
            lognormalOf(mean.*kFields[v], study.cov[static_cast<std::size_t>(v)]);
    return sampler;
}

} // namespace

std::optional<std::string> monteCarloSpecProblem(const MonteCarloSpec& study) {
    if (study.samples < 1 || study.samples > kMaxMonteCarloSamples)
        return "il numero di campioni deve essere tra 1 e 10000000";
    if (study.method < Terzaghi || study.method > Vesic)
        return "metodo di calcolo sconosciuto";
    for (int v = 0; v < kSoilVariableCount; ++v) {
        const double cov = study.cov[static_cast<std::size_t>(v)];
        if (!(cov >= 0.0 && cov <= kMaxCoefficientOfVariation))
            return std::string("coefficiente di variazione di ") + kSoilVariableNames[v] +
                   " non valido: serve un numero tra 0 e 10";
    }
    return std::nullopt;
}

SoilData sampleSoil(const MonteCarloSpec& study, const SoilData& mean, std::uint64_t index) {
    return samplerOf(study, mean).draw(index);
}

namespace {

// The probability of failure and the reliability index from r.failures of
// r.samples.
void summarise(MonteCarloResult& r) {
    const auto n = static_cast<double>(r.samples);
    r.pf = static_cast<double>(r.failures) / n;
    const ProportionInterval interval = clopperPearson(r.failures, r.samples, kConfidence);
    r.pfLow = interval.low;
    r.pfHigh = interval.high;
    // One sample bounds nothing (pf < 1, pf > 0): the bound is then
    // infinite, and still stated as for any other count.
    constexpr double kUnbounded = std::numeric_limits<double>::infinity();
    if (r.failures == 0) {
        const auto z = normalQuantile(1.0 / n);
        r.betaAbove = z ? -*z : -kUnbounded;
    } else if (r.failures == r.samples) {
        const auto z = normalQuantile(1.0 - 1.0 / n);
        r.betaBelow = z ? -*z : kUnbounded;
    } else if (const auto z = normalQuantile(r.pf)) {
        r.beta = -*z;
    }
}

// The ultimate load of sample i, or none for a refused sample; `result` is
// the calling thread's scratch record.
using SampleLoad = std::function<std::optional<double>(std::uint64_t i, BearingResult& result)>;

// The samples of `study` on `threads` threads, each failing when its load
// is below `action` (kg) or it has none; into r. False when cancelled.
bool runSamples(const MonteCarloSpec& study, double action, unsigned threads, bool keepLoads,
                MonteCarloControl* control, const SampleLoad& loadOf, MonteCarloResult& r) {
    const std::size_t chunks = (study.samples + kChunk - 1) / kChunk;
    std::vector<double> loads(study.samples);
    std::vector<unsigned char> hasLoad(study.samples);
    struct ChunkSums {
        std::size_t failures = 0, refused = 0;
    };
    std::vector<ChunkSums> sums(chunks);

    const std::atomic<bool>* cancel = control != nullptr ? &control->cancel : nullptr;
    parallelChunks(
        study.samples, kChunk, threads,
        [&](std::size_t chunk, std::size_t first, std::size_t last) {
            ChunkSums& s = sums[chunk];
            BearingResult result;
            for (std::size_t i = first; i < last; ++i) {
                const std::optional<double> load = loadOf(i, result);
                if (!load) {
                    ++s.refused;
                    ++s.failures;
                    continue;
                }
                loads[i] = *load;
                hasLoad[i] = 1;
                if (*load < action)
                    ++s.failures;
            }
            if (control != nullptr)
                control->done.fetch_add(last - first, std::memory_order_relaxed);
        },
        cancel);
    if (cancel != nullptr && cancel->load())
        return false;

    for (const ChunkSums& s : sums) {
        r.failures += s.failures;
        r.refused += s.refused;
    }
    summarise(r);

    // The loads that exist, in sample order, for the moments and fractiles.
    std::vector<double>& present = loads;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < study.samples; ++i)
        if (hasLoad[i])
            present[kept++] = loads[i];
    present.resize(kept);
    if (!present.empty()) {
        const Moments m = momentsOf(present);
        r.mean = m.mean;
        r.cov = m.cov;
        const std::array<double, 3> f = fractiles(present, {0.05, 0.50, 0.95});
        r.p05 = f[0];
        r.p50 = f[1];
        r.p95 = f[2];
        if (keepLoads)
            r.loads = std::move(present);
    }
    return true;
}

// One condition of the ground model, its equivalent values `values`
// sampled; `homogeneous` (the project's profile of one stratum) for the
// drained condition of the homogeneous soil, whose samples are SoilData
// evaluated again.
std::optional<MonteCarloResult>
runCondition(const MonteCarloSpec& study, const GeometryData& geometry,
             const ground::GroundValues& values, const ground::Profile* homogeneous,
             const SoilData& soil, unsigned threads, bool keepLoads, MonteCarloControl* control) {
    MonteCarloResult r;
    r.samples = study.samples;
    const GeometryData footing = ground::methodFooting(geometry, values);
    if (liftsFooting(geometry, values)) {
        r.lifted = true;
        r.failures = study.samples;
        summarise(r);
        if (control != nullptr)
            control->done.fetch_add(study.samples, std::memory_order_relaxed);
        return r;
    }
    const bool drained = values.condition == ground::Condition::Drained;
    const SoilData mean = homogeneous != nullptr ? soil : values.soil();
    if (drained) {
        r.refusal = checkInputs(footing, values.soil());
        if (r.refusal != 0)
            return r;
    }
    const Sampler sampler = samplerOf(study, mean);
    const BearingOptions options = ground::methodOptions(values);
    const SampleLoad fromValues = [&](std::uint64_t i,
                                      BearingResult& result) -> std::optional<double> {
        const SoilData sample = sampler.draw(i);
        if (!withinFieldRanges(sample))
            return std::nullopt;
        BearingOptions scaled = options;
        if (mean.gamma > 0.0)
            scaled.overburden = values.q * (sample.gamma / mean.gamma);
        if (computeBearing(study.method, footing, sample, scaled, result, &result.ultimateLoad) !=
            kEngineOk)
            return std::nullopt;
        return result.ultimateLoad;
    };
    const SampleLoad fromSoil = [&](std::uint64_t i,
                                    BearingResult& result) -> std::optional<double> {
        const SoilData sample = sampler.draw(i);
        if (!withinFieldRanges(sample))
            return std::nullopt;
        ground::Profile profile = *homogeneous;
        SoilLayer& stratum = profile.strata.front().soil;
        stratum.gamma = sample.gamma;
        stratum.phi = sample.phi;
        stratum.delta = sample.delta;
        stratum.c = sample.c;
        stratum.ca = sample.ca;
        const ground::GroundValues v =
            ground::evaluateGround(profile, geometry.B, geometry.L, geometry.D).drained;
        if (computeBearing(study.method, ground::methodFooting(geometry, v), v.soil(),
                           ground::methodOptions(v), result, &result.ultimateLoad) != kEngineOk)
            return std::nullopt;
        return result.ultimateLoad;
    };
    if (!runSamples(study, footing.N, threads, keepLoads, control,
                    homogeneous != nullptr ? fromSoil : fromValues, r))
        return std::nullopt;
    return r;
}

} // namespace

std::optional<MonteCarloResult> runMonteCarlo(const MonteCarloSpec& study,
                                              const GeometryData& geometry, const SoilData& soil,
                                              unsigned threads, bool keepLoads,
                                              MonteCarloControl* control) {
    if (monteCarloSpecProblem(study))
        return std::nullopt;
    MonteCarloResult r;
    r.samples = study.samples;
    r.refusal = checkInputs(geometry, soil);
    if (r.refusal != 0)
        return r;
    const Sampler sampler = samplerOf(study, soil);
    const SampleLoad loadOf = [&](std::uint64_t i, BearingResult& result) -> std::optional<double> {
        const SoilData sample = sampler.draw(i);
        if (!withinFieldRanges(sample) || computeBearing(study.method, geometry, sample, result,
                                                         &result.ultimateLoad) != kEngineOk)
            return std::nullopt;
        return result.ultimateLoad;
    };
    if (!runSamples(study, geometry.N, threads, keepLoads, control, loadOf, r))
        return std::nullopt;
    return r;
}

std::optional<GroundMonteCarlo> runMonteCarloOnGround(const MonteCarloSpec& study,
                                                      const GeometryData& geometry,
                                                      const SoilData& soil,
                                                      const GroundData& ground, unsigned threads,
                                                      bool keepLoads, MonteCarloControl* control) {
    if (monteCarloSpecProblem(study))
        return std::nullopt;
    GroundMonteCarlo g;
    g.ground = ground::evaluateGround(ground, soil, geometry);
    if (!hasGroundModel(ground)) {
        // The dry homogeneous soil is its own ground model, q = gamma D:
        // the samples on SoilData, without evaluating it a million times.
        auto r = runMonteCarlo(study, geometry, soil, threads, keepLoads, control);
        if (!r)
            return std::nullopt;
        g.drained = std::move(*r);
        return g;
    }
    const ground::Profile profile = ground::buildProfile(ground, soil);
    const ground::GroundModel& model = g.ground;
    auto drained =
        runCondition(study, geometry, model.drained, profile.layered ? nullptr : &profile, soil,
                     threads, keepLoads, control);
    if (!drained)
        return std::nullopt;
    g.drained = std::move(*drained);
    if (model.undrained) {
        auto undrained = runCondition(study, geometry, *model.undrained, nullptr, soil, threads,
                                      keepLoads, control);
        if (!undrained)
            return std::nullopt;
        g.undrained = std::move(*undrained);
        if (g.drained.refusal == 0 && g.undrained->pf > g.drained.pf)
            g.governing = ground::Condition::Undrained;
    }
    return g;
}

} // namespace zolt::design
