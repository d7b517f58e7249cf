#include "system/dpi_scaling.h"

#include <gtest/gtest.h>

using namespace n_zql::n_system;

TEST(DpiScaling, ClassBoundaries) {
    EXPECT_EQ(DpiClassOf(96), 0);
    EXPECT_EQ(DpiClassOf(119), 0);
    EXPECT_EQ(DpiClassOf(120), 1);
    EXPECT_EQ(DpiClassOf(143), 1);
    EXPECT_EQ(DpiClassOf(144), 2);
    EXPECT_EQ(DpiClassOf(191), 2);
    EXPECT_EQ(DpiClassOf(192), 3);
}

TEST(DpiScaling, TruncatesAndDoesNotOverflow) {
    EXPECT_EQ(ScaleForDpi(20, 144), 30);
    EXPECT_EQ(ScaleForDpi(48, 144) + 2, 74);
    EXPECT_EQ(ScaleForDpi(621, 120), 776); // 776.25
    EXPECT_EQ(ScaleForDpi(-621, 120), -776); // truncation is towards zero
    // 15360 x 288 does not fit 24 bits, and lengths near the 32-bit limit still scale through 64 bits.
    EXPECT_EQ(ScaleForDpi(15360, 288), 46080);
    EXPECT_EQ(ScaleForDpi(1'000'000'000, 192), 2'000'000'000);
}
