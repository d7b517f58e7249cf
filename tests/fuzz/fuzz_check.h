#pragma once
// What the fuzz targets share: stopping on a fault, little-endian fields, and the rule that a step on a stream that
// fails has written nothing.

#include "system/error_exception.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

namespace n_ombrix_fuzz {

// Stops the run; libFuzzer keeps the input that led here and prints the stack.
[[noreturn]] inline void Abandon(const char* why) {
    std::fprintf(stderr, "fuzz check failed: %s\n", why);
    std::abort();
}

inline std::uint64_t Get(std::span<const std::byte> bytes, std::size_t at, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = (value << 8) | std::to_integer<std::uint64_t>(bytes[at + i]);
    return value;
}

inline void Put(std::span<std::byte> bytes, std::size_t at, std::size_t size, std::uint64_t value) {
    for (std::size_t i = 0; i < size; ++i) bytes[at + i] = static_cast<std::byte>(value >> (8 * i));
}

// Runs the step on the stream (a t_MemoryByteStream). A step that throws the COM error exception must not have
// written; anything else it throws is a finding. Returns the failure's HRESULT, 0 when the step went through.
template <typename t_Stream, typename t_Step>
n_zql::n_system::n_windows::t_HResult Attempt(t_Stream& stream, t_Step&& step) {
    const std::size_t changes = stream.ChangeCount();
    try {
        step();
    } catch (const n_zql::n_system::n_windows::n_com::t_ErrorException& error) {
        if (stream.ChangeCount() != changes) Abandon("a step that failed wrote to the stream");
        return error.Result();
    }
    return 0;
}

} // namespace n_ombrix_fuzz
