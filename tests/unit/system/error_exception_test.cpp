#include "system/error_exception.h"

#include <gtest/gtest.h>

using namespace n_zql::n_system::n_windows;

TEST(ErrorException, Win32CodesBecomeHResultsAndOnlyFailuresThrow) {
    // The low 16 bits of a code are kept; 0 and codes that are already HRESULTs (negative) pass unchanged.
    for (const auto& [code, result] : {std::pair{0x80345u, 0x80070345u}, {0u, 0u}, {0x80004005u, 0x80004005u}})
        EXPECT_EQ(static_cast<std::uint32_t>(HResultFromWin32(code)), result) << code;
    try {
        ThrowWin32Error(5);
    } catch (const t_ErrorException& error) {
        EXPECT_EQ(static_cast<std::uint32_t>(error.Result()), 0x80070005u);
    }
    // Callers that guard a whole operation catch the Windows class; S_FALSE is a success.
    EXPECT_THROW(n_com::ThrowIfFailed(static_cast<t_HResult>(0x80040154u)), t_ErrorException);
    EXPECT_NO_THROW(n_graphics::n_gdi::ThrowIfFailed(1));
    EXPECT_THROW(n_graphics::n_gdi::ThrowIfFailed(-1), n_graphics::n_gdi::t_ErrorException);
}
