// The standard normal distribution where the probabilistic analysis needs
// it, with every failure a value rather than an exception.
#pragma once

#include <cstddef>
#include <optional>

namespace zolt::design {

// Phi^-1(p) for 0 < p < 1; none outside (the quantile is infinite there).
std::optional<double> normalQuantile(double p);

// Clopper-Pearson interval of a binomial proportion: `failures` out of
// `trials`, two-sided confidence `level` (0.95 for 95 %).
struct ProportionInterval {
    double low = 0.0;
    double high = 1.0;
};
ProportionInterval clopperPearson(std::size_t failures, std::size_t trials, double level);

} // namespace zolt::design
