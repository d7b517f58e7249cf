#include "system/error_exception.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace n_zql::n_system::n_windows;

namespace {

template <typename Exception, typename Throw>
Exception Caught(Throw&& throwIt) {
    try {
        throwIt();
    } catch (const Exception& e) {
        return e;
    }
    ADD_FAILURE() << "nothing was thrown";
    return Exception(0);
}

} // namespace

TEST(ErrorException, Win32CodesBecomeHResults) {
    EXPECT_EQ(static_cast<std::uint32_t>(Caught<t_ErrorException>([] { ThrowWin32Error(2); }).Result()), 0x80070002u);
    EXPECT_EQ(Caught<t_ErrorException>([] { ThrowWin32Error(0); }).Result(), 0);
    // Only the low 16 bits of a code are kept.
    EXPECT_EQ(static_cast<std::uint32_t>(HResultFromWin32(0x12345)), 0x80072345u);
    // A value that is already an HRESULT (negative as a 32-bit number) passes unchanged.
    EXPECT_EQ(static_cast<std::uint32_t>(HResultFromWin32(0x80004005u)), 0x80004005u);
}

TEST(ErrorException, EachClassHasItsCategoryAndIsAWindowsError) {
    const t_ErrorException windows(1);
    const n_graphics::n_gdi::t_ErrorException gdi(2);
    const n_com::t_ErrorException com(3);
    EXPECT_STREQ(windows.what(), "/zql/system/windows/error exception");
    EXPECT_STREQ(gdi.what(), "/zql/system/windows/graphics/gdi/error exception");
    EXPECT_STREQ(com.what(), "system/windows/COM error exception");

    // Callers that guard a whole operation catch the Windows class and still see the HRESULT of the derived one.
    const auto result = Caught<t_ErrorException>([] { n_com::ThrowHResult(static_cast<t_HResult>(0x80040154u)); });
    EXPECT_EQ(static_cast<std::uint32_t>(result.Result()), 0x80040154u);
    EXPECT_NO_THROW(n_graphics::n_gdi::ThrowIfFailed(1)); // S_FALSE is a success
    EXPECT_THROW(n_graphics::n_gdi::ThrowIfFailed(-1), n_graphics::n_gdi::t_ErrorException);
}
