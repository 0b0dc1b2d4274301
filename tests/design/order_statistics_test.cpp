// Order statistics by bracketing against a full sort.
#include "design/order_statistics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace zolt::design {
namespace {

struct Sample {
    const char* name;
    std::size_t size;
    // 0 uniform, 1 heavy tail, 2 many ties, 3 sorted, 4 reversed, 5 every
    // 32nd value apart from the rest: a strided subsample sees only those,
    // so every bracket misses and the whole sample is selected.
    int kind;
};

std::vector<double> make(const Sample& s) {
    std::mt19937_64 random(s.size * 7 + static_cast<unsigned>(s.kind));
    std::vector<double> v(s.size);
    for (std::size_t i = 0; i < s.size; ++i) {
        const double u = std::uniform_real_distribution<double>(0, 1)(random);
        v[i] = s.kind == 1 ? std::exp(8 * u * u) : s.kind == 2 ? std::floor(u * 5) : u;
        if (s.kind == 5 && i % 32 == 0)
            v[i] = -1 - u;
    }
    if (s.kind == 3)
        std::sort(v.begin(), v.end());
    if (s.kind == 4)
        std::sort(v.rbegin(), v.rend());
    return v;
}

TEST(OrderStatistics, EqualTheSortedSample) {
    for (const Sample& s : {Sample{"one", 1, 0}, Sample{"small", 100, 0}, Sample{"below", 8191, 0},
                            Sample{"uniform", 100000, 0}, Sample{"tail", 70000, 1},
                            Sample{"ties", 50000, 2}, Sample{"sorted", 30000, 3},
                            Sample{"reversed", 30000, 4}, Sample{"misleading", 65536, 5}}) {
        std::vector<double> values = make(s);
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t last = s.size - 1;
        const std::array<std::size_t, 3> ranks{last / 20, last / 2, last - last / 20};
        const auto pairs = orderStatisticPairs(values, ranks);
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_EQ(pairs[k].first, sorted[ranks[k]]) << s.name << ' ' << k;
            EXPECT_EQ(pairs[k].second, sorted[std::min(ranks[k] + 1, last)]) << s.name << ' ' << k;
        }
        // The fractiles interpolate between them.
        std::vector<double> again = make(s);
        const auto f = fractiles(again, {0.0, 0.5, 1.0});
        EXPECT_EQ(f[0], sorted.front()) << s.name;
        EXPECT_EQ(f[2], sorted.back()) << s.name;
        const double h = 0.5 * static_cast<double>(last);
        const auto lo = static_cast<std::size_t>(h);
        EXPECT_DOUBLE_EQ(f[1], sorted[lo] + (h - lo) * (sorted[std::min(lo + 1, last)] - sorted[lo]))
            << s.name;
    }
}

} // namespace
} // namespace zolt::design
