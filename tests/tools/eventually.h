#pragma once
// Waiting for what another process, the shell or the file system does in its own time: a condition asked again every
// 20 ms until it holds.

#include <windows.h>

#include <chrono>

namespace n_ombrix_test {

// Whether the condition holds within the time, five seconds unless given; it is asked at least once.
template <typename t_Condition>
bool Eventually(t_Condition&& condition, std::chrono::milliseconds time = std::chrono::seconds(5)) {
    const auto end = std::chrono::steady_clock::now() + time;
    for (; !condition(); Sleep(20))
        if (std::chrono::steady_clock::now() >= end) return false;
    return true;
}

} // namespace n_ombrix_test
