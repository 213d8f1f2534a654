#include "runtime/continuation.h"

#include <gtest/gtest.h>

namespace kurvix {
namespace {

TEST(Continuation, FailureAbandonsOnlyItsOwnStatement)
{
    Continuation on;
    int target = 1;
    std::vector<int> ran;
    on([&]() -> Status {
        ran.push_back(1);
        return Fault::Overflow;
        target = 99; // never reached: the rest of the statement is abandoned
    });
    on([&]() -> Status {
        ran.push_back(2);
        target = 2;
        return {};
    });
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    EXPECT_EQ(target, 2);
    EXPECT_EQ(on.absorbed(), 1);
}

TEST(Continuation, FailingConditionEntersItsBranch)
{
    Continuation on;
    EXPECT_TRUE(on.enters(Result<bool>(Fault::ControlUnavailable)));
    EXPECT_TRUE(on.enters(true));
    EXPECT_FALSE(on.enters(false));
    EXPECT_EQ(on.absorbed(), 1);
}

} // namespace
} // namespace kurvix
