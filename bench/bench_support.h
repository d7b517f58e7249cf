#pragma once
// What every benchmark needs: repeatable pseudo-random inputs, timing, and the median of several runs.

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace n_ombrix_bench {

// Pseudo-random numbers from a fixed start value (xorshift32), so that every run times the same input.
class t_Sequence {
public:
    explicit t_Sequence(std::uint32_t start) noexcept : state_(start) {}

    std::uint32_t Below(std::uint32_t bound) noexcept {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ % bound;
    }
    template <std::size_t n>
    std::wstring_view Pick(const std::array<std::wstring_view, n>& choices) noexcept {
        return choices[Below(static_cast<std::uint32_t>(n))];
    }

private:
    std::uint32_t state_;
};

inline double Milliseconds(std::chrono::steady_clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

template <typename t_Work>
double TimeMilliseconds(t_Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return Milliseconds(std::chrono::steady_clock::now() - start);
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace n_ombrix_bench
