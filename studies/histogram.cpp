#include "studies/histogram.h"

#include <algorithm>
#include <cmath>

namespace zolt::studies {

namespace {
constexpr double kUpperFractile = 0.995;
} // namespace

Histogram histogramOf(std::vector<double>& values, std::size_t classes, double include) {
    Histogram h;
    if (values.empty() || classes == 0)
        return h;
    const auto top = values.begin() + static_cast<std::ptrdiff_t>(
                                          kUpperFractile * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), top, values.end());
    double low = std::min(*std::min_element(values.begin(), top + 1), include);
    double high = std::max(*top, include);
    if (!(high > low)) {
        // Every load the same (no variable uncertain): one narrow class
        // around it.
        const double margin = std::max(1.0, std::fabs(low) * 0.01);
        low = std::max(0.0, low - margin);
        high += margin;
    }
    h.from = low;
    h.width = (high - low) / static_cast<double>(classes);
    h.counts.assign(classes, 0);
    for (const double v : values) {
        if (v > high) {
            ++h.above;
            continue;
        }
        const auto k = static_cast<std::size_t>((v - low) / h.width);
        ++h.counts[std::min(k, classes - 1)];
    }
    return h;
}

} // namespace zolt::studies
