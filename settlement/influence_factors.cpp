#include "settlement/influence_factors.h"

#include "engine/common_quantities.h"

#include <cmath>

namespace zolt::settlement {

double newmarkCornerFactor(double m, double n) {
    if (!(m > 0.0) || !(n > 0.0))
        return 0.0;
    // Past these the factor is 1/4 to the last bit, and m^2 n^2 would
    // overflow first.
    constexpr double kFar = 1e30;
    if (m > kFar && n > kFar)
        return 0.25;
    const double m2 = m * m;
    const double n2 = n * n;
    const double v = m2 + n2 + 1.0;
    const double root = std::sqrt(v);
    const double mn = m * n;
    const double first = 2.0 * mn * root / (v + m2 * n2) * (v + 1.0) / v;
    const double angle = std::atan2(2.0 * mn * root, v - m2 * n2);
    return (first + angle) / (4.0 * engine::kPi);
}

double stressUnderCentre(double q, double B, double L, double z) {
    if (!(z > 0.0))
        return q;
    return 4.0 * q * newmarkCornerFactor(B / (2.0 * z), L / (2.0 * z));
}

double steinbrennerI1(double M, double N) {
    if (!(N > 0.0))
        return 0.0;
    const double mm1 = std::sqrt(M * M + 1.0);
    const double mn = std::sqrt(M * M + N * N);
    const double mn1 = std::sqrt(M * M + N * N + 1.0);
    const double n1 = std::sqrt(1.0 + N * N);
    return (M * std::log((1.0 + mm1) * mn / (M * (1.0 + mn1))) +
            std::log((M + mm1) * n1 / (M + mn1))) /
           engine::kPi;
}

double steinbrennerI2(double M, double N) {
    if (!(N > 0.0))
        return 0.0;
    return N / (2.0 * engine::kPi) * std::atan(M / (N * std::sqrt(M * M + N * N + 1.0)));
}

double steinbrennerFactor(double M, double N, double nu) {
    return steinbrennerI1(M, N) + (1.0 - 2.0 * nu) / (1.0 - nu) * steinbrennerI2(M, N);
}

} // namespace zolt::settlement
