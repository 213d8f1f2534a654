#include "runtime/continuation.h"

#include <gtest/gtest.h>

namespace kurvix {
namespace {

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
