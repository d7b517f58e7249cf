#pragma once
// The few stream operations the jump-list file code works through, so that it stays platform-neutral: the Windows
// layer implements them over IStream, tests and the fuzzer over memory. Offsets are absolute; there is no seek
// position to keep in step.

#include "system/error_exception.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace n_ombrix {

// E_FAIL: what a short read or write, and a file that breaks its format, are reported as.
inline constexpr n_zql::n_system::n_windows::t_HResult failureResult =
    static_cast<n_zql::n_system::n_windows::t_HResult>(0x80004005u);
// E_INVALIDARG: a caller asked for something the file cannot hold or has no entry for.
inline constexpr n_zql::n_system::n_windows::t_HResult invalidArgumentResult =
    static_cast<n_zql::n_system::n_windows::t_HResult>(0x80070057u);

class t_ByteStream {
public:
    virtual ~t_ByteStream() = default;
    // Exactly bytes.size() bytes at offset; a short read or write throws the COM error exception with E_FAIL.
    virtual void ReadAt(std::uint64_t offset, std::span<std::byte> bytes) = 0;
    virtual void WriteAt(std::uint64_t offset, std::span<const std::byte> bytes) = 0;
    virtual void SetSize(std::uint64_t size) = 0;
    virtual std::uint64_t Size() = 0;
};

} // namespace n_ombrix
