#include "design/order_statistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zolt::design {

namespace {

// Below this size a plain selection is as fast as bracketing.
constexpr std::size_t kBracketFrom = 8192;
constexpr std::size_t kSubsample = 2048;
// Half-width of a bracket in subsample places: four standard deviations of
// the rank's place in the subsample, and a few places more.
constexpr double kSigmas = 4.0;
constexpr std::ptrdiff_t kSpare = 4;

using Pair = std::pair<double, double>;

// The pair of ranks r, r + 1 within `values`, by selection.
Pair selectPair(std::vector<double>& values, std::size_t r) {
    const auto at = values.begin() + static_cast<std::ptrdiff_t>(r);
    std::nth_element(values.begin(), at, values.end());
    const double next = at + 1 == values.end() ? *at : *std::min_element(at + 1, values.end());
    return {*at, next};
}

template <std::size_t K>
std::array<Pair, K> selectAll(std::vector<double>& values, const std::array<std::size_t, K>& ranks) {
    std::array<Pair, K> out{};
    for (std::size_t k = 0; k < K; ++k)
        out[k] = selectPair(values, ranks[k]);
    return out;
}

} // namespace

template <std::size_t K>
std::array<Pair, K> orderStatisticPairs(std::vector<double>& values,
                                        const std::array<std::size_t, K>& ranks) {
    const std::size_t n = values.size();
    if (n < kBracketFrom)
        return selectAll(values, ranks);

    // The sample is in random order, so evenly spaced values are a fair
    // subsample of it.
    std::vector<double> sub(kSubsample);
    for (std::size_t i = 0; i < kSubsample; ++i)
        sub[i] = values[i * n / kSubsample];
    std::sort(sub.begin(), sub.end());

    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr auto kLast = static_cast<std::ptrdiff_t>(kSubsample) - 1;
    std::array<double, K> low{}, high{};
    for (std::size_t k = 0; k < K; ++k) {
        const double q = static_cast<double>(ranks[k]) / static_cast<double>(n - 1);
        const double centre = q * static_cast<double>(kLast);
        const auto half = static_cast<std::ptrdiff_t>(
                              std::ceil(kSigmas * std::sqrt(kSubsample * q * (1.0 - q)))) +
                          kSpare;
        const auto lo = static_cast<std::ptrdiff_t>(std::floor(centre)) - half;
        const auto hi = static_cast<std::ptrdiff_t>(std::ceil(centre)) + half;
        low[k] = lo < 0 ? -kInf : sub[static_cast<std::size_t>(lo)];
        high[k] = hi > kLast ? kInf : sub[static_cast<std::size_t>(hi)];
    }

    // Counting without a branch, in registers: on random data "below or
    // not" is a coin toss the processor cannot predict.
    std::array<std::size_t, K> below{};
    for (const double x : values)
        for (std::size_t k = 0; k < K; ++k)
            below[k] += x < low[k];
    // Gathering without a branch either: every value is written to a
    // block's scratch and only kept by advancing the end when it is inside.
    std::array<std::vector<double>, K> inside;
    constexpr std::size_t kBlock = 4096;
    std::array<double, kBlock> scratch{};
    for (std::size_t k = 0; k < K; ++k) {
        inside[k].reserve(n / 8);
        for (std::size_t start = 0; start < n; start += kBlock) {
            const std::size_t end = std::min(n, start + kBlock);
            std::size_t kept = 0;
            for (std::size_t i = start; i < end; ++i) {
                const double x = values[i];
                scratch[kept] = x;
                kept += static_cast<std::size_t>(x >= low[k]) & static_cast<std::size_t>(x <= high[k]);
            }
            inside[k].insert(inside[k].end(), scratch.begin(), scratch.begin() + static_cast<std::ptrdiff_t>(kept));
        }
    }

    std::array<Pair, K> out{};
    for (std::size_t k = 0; k < K; ++k) {
        // Both ranks must fall among the gathered values (the upper one
        // unless r is the last), or the bracket missed.
        const std::size_t second = std::min(ranks[k] + 1, n - 1);
        if (ranks[k] < below[k] || second - below[k] >= inside[k].size())
            return selectAll(values, ranks);
        out[k] = selectPair(inside[k], ranks[k] - below[k]);
        if (second == ranks[k])
            out[k].second = out[k].first;
    }
    return out;
}

std::array<double, 3> fractiles(std::vector<double>& values, const std::array<double, 3>& levels) {
    const auto last = static_cast<double>(values.size() - 1);
    std::array<std::size_t, 3> ranks{};
    for (std::size_t k = 0; k < 3; ++k)
        ranks[k] = static_cast<std::size_t>(std::floor(last * levels[k]));
    const std::array<Pair, 3> pairs = orderStatisticPairs(values, ranks);
    std::array<double, 3> out{};
    for (std::size_t k = 0; k < 3; ++k) {
        const double fraction = last * levels[k] - static_cast<double>(ranks[k]);
        out[k] = pairs[k].first + fraction * (pairs[k].second - pairs[k].first);
    }
    return out;
}

template std::array<Pair, 3> orderStatisticPairs(std::vector<double>&,
                                                 const std::array<std::size_t, 3>&);

} // namespace zolt::design
