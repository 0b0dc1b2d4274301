#include "design/normal.h"

#include <boost/math/distributions/normal.hpp>
#include <boost/math/special_functions/beta.hpp>

#include <cmath>

namespace zolt::design {

namespace {

// Boost.Math reports a domain or range error by throwing unless told
// otherwise; here it answers with a value and the callers guard the domain.
using namespace boost::math::policies;
using NoThrow = policy<domain_error<ignore_error>, overflow_error<ignore_error>,
                       underflow_error<ignore_error>, denorm_error<ignore_error>,
                       evaluation_error<ignore_error>, rounding_error<ignore_error>,
                       indeterminate_result_error<ignore_error>>;

} // namespace

std::optional<double> normalQuantile(double p) {
    if (!(p > 0.0 && p < 1.0))
        return std::nullopt;
    const double z = boost::math::quantile(boost::math::normal_distribution<double, NoThrow>(), p);
    return std::isfinite(z) ? std::optional<double>(z) : std::nullopt;
}

ProportionInterval clopperPearson(std::size_t failures, std::size_t trials, double level) {
    ProportionInterval interval;
    if (trials == 0 || failures > trials)
        return interval;
    const double alpha = 1.0 - level;
    const auto k = static_cast<double>(failures);
    const auto n = static_cast<double>(trials);
    if (failures > 0)
        interval.low = boost::math::ibeta_inv(k, n - k + 1.0, alpha / 2.0, NoThrow());
    if (failures < trials)
        interval.high = boost::math::ibeta_inv(k + 1.0, n - k, 1.0 - alpha / 2.0, NoThrow());
    return interval;
}

} // namespace zolt::design
