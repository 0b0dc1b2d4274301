// Helpers shared by the fuzz targets: reading an input as the fields of the
// project records, and invariant checks that abort, which libFuzzer reports
// as a crash together with the input that broke them.
#pragma once

#include "model/records.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

namespace zolt::fuzz {

[[noreturn]] inline void fail(const char* file, int line, const char* condition) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, condition);
    std::abort();
}

#define ZOLT_FUZZ_CHECK(condition)                                                                 \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::zolt::fuzz::fail(__FILE__, __LINE__, #condition);                                    \
    } while (false)

// Bit for bit: tells 0.0 from -0.0 and compares NaNs by their payload.
inline bool same(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// An input read front to back as little-endian fields. Fields past its end
// keep the value the caller offers, so a seed trimmed by the mutator is
// still a whole record and mostly the one it was.
class FieldReader {
public:
    FieldReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t byte(std::uint8_t fallback) { return pos_ < size_ ? data_[pos_++] : fallback; }

    std::uint16_t u16(std::uint16_t fallback) {
        if (size_ - pos_ < 2) {
            pos_ = size_;
            return fallback;
        }
        const auto low = data_[pos_++];
        return static_cast<std::uint16_t>(low | data_[pos_++] << 8);
    }

    double real(double fallback) {
        if (size_ - pos_ < 8) {
            pos_ = size_;
            return fallback;
        }
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits |= static_cast<std::uint64_t>(data_[pos_++]) << (8 * i);
        return std::bit_cast<double>(bits);
    }

    void geometry(GeometryData& g) {
        for (double* field : {&g.B, &g.L, &g.D, &g.alpha, &g.omega, &g.ex, &g.ey, &g.N, &g.T})
            *field = real(*field);
    }
    void soil(SoilData& s) {
        for (double* field : {&s.gamma, &s.phi, &s.delta, &s.c, &s.ca})
            *field = real(*field);
    }
    // All 25 numbers and the 15 flags, whatever their values.
    void result(BearingResult& r) {
        for (double* field : scalars(r))
            *field = real(*field);
        for (int i = 0; i < kFactorCount; ++i)
            r.factor(i) = real(r.factor(i));
        for (auto& flag : r.factorPresent)
            flag = byte(flag);
    }

    std::string_view rest() const {
        return {reinterpret_cast<const char*>(data_ + pos_), size_ - pos_};
    }

    // The ten numbers of a result before its factors.
    static std::array<double*, 10> scalars(BearingResult& r) {
        return {&r.Nq,      &r.NqCorr,       &r.Nc, &r.NcCorr,    &r.Nga,
                &r.NgaCorr, &r.ultimateLoad, &r.Kp, &r.cohesionM, &r.terzaghiA};
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

} // namespace zolt::fuzz
