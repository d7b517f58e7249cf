#pragma once
// The error exceptions of the utility layer. Each carries the HRESULT of the failure; what() gives the fixed
// category text of its class. Platform-neutral: the HRESULT arithmetic needs no Windows headers, so it is tested
// natively as well.

#include <cstdint>
#include <exception>

namespace n_zql::n_system::n_windows {

using t_HResult = std::int32_t;

// HRESULT_FROM_WIN32: the code is read as a signed 32-bit value; a positive one becomes 0x8007xxxx with its low
// 16 bits, while 0 and negative values (already HRESULTs) stay as they are.
constexpr t_HResult HResultFromWin32(std::uint32_t code) noexcept {
    const auto value = static_cast<t_HResult>(code);
    if (value <= 0) return value;
    return static_cast<t_HResult>(0x80070000u | (code & 0xFFFFu));
}

class t_ErrorException : public std::exception {
public:
    explicit t_ErrorException(t_HResult result) noexcept : result_(result) {}
    t_HResult Result() const noexcept { return result_; }
    const char* what() const noexcept override;

private:
    t_HResult result_;
};

// Throws t_ErrorException for a Win32 error code (the value of GetLastError after a failing call).
[[noreturn]] void ThrowWin32Error(std::uint32_t code);
[[noreturn]] void ThrowHResult(t_HResult result);
inline void ThrowIfFailed(t_HResult result) {
    if (result < 0) ThrowHResult(result);
}

namespace n_graphics::n_gdi {

// Failing drawing and buffered-paint calls.
class t_ErrorException : public n_windows::t_ErrorException {
public:
    using n_windows::t_ErrorException::t_ErrorException;
    const char* what() const noexcept override;
};

[[noreturn]] void ThrowHResult(t_HResult result);
inline void ThrowIfFailed(t_HResult result) {
    if (result < 0) ThrowHResult(result);
}

} // namespace n_graphics::n_gdi

namespace n_com {

// Failing COM calls.
class t_ErrorException : public n_windows::t_ErrorException {
public:
    using n_windows::t_ErrorException::t_ErrorException;
    const char* what() const noexcept override;
};

[[noreturn]] void ThrowHResult(t_HResult result);
inline void ThrowIfFailed(t_HResult result) {
    if (result < 0) ThrowHResult(result);
}

} // namespace n_com

} // namespace n_zql::n_system::n_windows
