#include "system/error_exception.h"

namespace n_zql::n_system::n_windows {

const char* t_ErrorException::what() const noexcept { return "/zql/system/windows/error exception"; }

void ThrowWin32Error(std::uint32_t code) { throw t_ErrorException(HResultFromWin32(code)); }

void ThrowHResult(t_HResult result) { throw t_ErrorException(result); }

namespace n_graphics::n_gdi {

const char* t_ErrorException::what() const noexcept { return "/zql/system/windows/graphics/gdi/error exception"; }

void ThrowHResult(t_HResult result) { throw t_ErrorException(result); }

} // namespace n_graphics::n_gdi

namespace n_com {

// The COM category has no leading "/zql/" part; callers match the text as it stands.
const char* t_ErrorException::what() const noexcept { return "system/windows/COM error exception"; }

void ThrowHResult(t_HResult result) { throw t_ErrorException(result); }

} // namespace n_com

} // namespace n_zql::n_system::n_windows
