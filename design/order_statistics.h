// Exact order statistics of a large unordered sample, in about one pass:
// the fractiles of the probabilistic analysis over millions of loads.
#pragma once

#include <array>
#include <cstddef>
#include <utility>
#include <vector>

namespace zolt::design {

// For each rank r in `ranks` (0 = smallest, below values.size()), the
// values of rank r and r + 1 (r itself again when r is the last), as
// sorting would give them. A subsample brackets each rank, one pass
// gathers the values inside the brackets, and only those are selected;
// where a bracket misses (rarely), the whole sample is selected instead.
// `values` is left in another order.
template <std::size_t K>
std::array<std::pair<double, double>, K> orderStatisticPairs(std::vector<double>& values,
                                                             const std::array<std::size_t, K>& ranks);

// The p-fractiles of `values` (0 <= p <= 1), each by linear interpolation
// between the order statistics around (n - 1) p, as most statistics
// packages define the sample quantile. `values` must not be empty.
std::array<double, 3> fractiles(std::vector<double>& values, const std::array<double, 3>& levels);

} // namespace zolt::design
