#include "system/dpi_scaling.h"

#include <gtest/gtest.h>

using namespace n_zql::n_system;

TEST(DpiScaling, TruncatesTowardsZeroThroughSixtyFourBitsAndClassesStartAtTheirDpi) {
    EXPECT_EQ(ScaleForDpi(621, 144), 931);   // 931.5
    EXPECT_EQ(ScaleForDpi(-621, 120), -776); // -776.25
    EXPECT_EQ(ScaleForDpi(1'000'000'000, 192), 2'000'000'000);
    for (const auto& [dpi, dpiClass] : {std::pair{119, 0}, {120, 1}, {143, 1}, {144, 2}, {191, 2}, {192, 3}})
        EXPECT_EQ(DpiClassOf(dpi), dpiClass) << dpi;
}
