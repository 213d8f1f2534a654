#include "runtime/counted_loop.h"

#include <gtest/gtest.h>

namespace kurvix {
namespace {

TEST(CountedLoop, SweepAccumulatesItsStep)
{
    const auto locale = NumberLocale::german();
    int passes = 0;
    double last = 0;
    double nearestZero = 1;
    int nearestZeroPass = 0;
    for (CountedLoop x(-5, 5, 0.001, locale); x.running(); x.next()) {
        ++passes;
        last = x.value();
        ASSERT_NE(last, 0.0);
        ASSERT_NE(last, 5.0);
        if (std::abs(last) < std::abs(nearestZero)) {
            nearestZero = last;
            nearestZeroPass = passes;
        }
    }
    EXPECT_EQ(passes, 10000);
    EXPECT_DOUBLE_EQ(last, 4.999000000000008);
    EXPECT_NE(last, 4.999); // the error accumulates rather than being recomputed
    EXPECT_EQ(nearestZeroPass, 5001);
    EXPECT_NEAR(nearestZero, 4.1e-15, 0.1e-15);
}

TEST(CountedLoop, StartBeyondEndRunsNoPass)
{
    const auto locale = NumberLocale::english();
    CountedLoop x(6, 5, 0.001, locale);
    EXPECT_FALSE(x.running());
}

} // namespace
} // namespace kurvix
