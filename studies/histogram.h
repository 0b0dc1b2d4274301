// The ultimate loads of a probabilistic analysis in classes of equal width,
// for its chart.
#pragma once

#include <cstddef>
#include <vector>

namespace zolt::studies {

struct Histogram {
    double from = 0.0;  // lower edge of the first class
    double width = 0.0; // of every class
    std::vector<std::size_t> counts;
    std::size_t above = 0; // values past the last class

    double to() const { return from + width * static_cast<double>(counts.size()); }
};

// `classes` classes from the smallest value to the 99.5 % fractile, both
// stretched to take in `include` (the applied load). The lognormal soil
// values give loads with a long upper tail: the last half per cent would
// squeeze the rest into a few classes, so it is only counted in `above`.
// Reorders `values`; an empty histogram for no values.
Histogram histogramOf(std::vector<double>& values, std::size_t classes, double include);

} // namespace zolt::studies
