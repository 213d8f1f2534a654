#include "support/answering.h"
#include "support/fakes.h"
#include "ui/plot_runs.h"

#include <gtest/gtest.h>

#include <optional>

namespace kurvix::ui {
namespace {

using Ends = std::vector<std::optional<RunEnd>>;

// Presses from inside the innermost run's yields, the window's parts in memory.
class NestedRuns : public ::testing::Test {
protected:
    // Presses from the innermost run's next yield until runs nest `deepest` deep, then does `then`.
    Ends pressDeeper(int deepest, const std::function<void()>& then)
    {
        Ends ends;
        std::function<void()> deeper = [&] {
            if (runs.depth() == deepest)
                return then();
            QTimer::singleShot(0, &window, deeper);
            ends.push_back(runs.press());
        };
        deeper();
        return ends;
    }

    testing::FakeWindow fake;
    QWidget window;
    PlotRuns runs{{fake, fake.unitBox, fake.sources(), fake}, NumberLocale::german(), window, [] {}};
};

TEST_F(NestedRuns, TheWindowGoingEndsThemAllAndLaterPressesStartNone)
{
    EXPECT_EQ(pressDeeper(8, [&] { runs.stop(); }), Ends(8, RunEnd::Stopped));
    EXPECT_EQ(runs.press(), std::nullopt);
    EXPECT_EQ(runs.depth(), 0);
    EXPECT_EQ(fake.statuses.back().rfind("Berechnung: ", 0), 0U);
}

// A run that shows the box ends the runs it interrupted, which draw nothing more.
TEST_F(NestedRuns, NothingIsDrawnAfterTheNoFunctionBox)
{
    std::size_t pointsAtTheBox = 0;
    const auto answer = testing::answering([&](QWidget& box) {
        pointsAtTheBox = fake.points.size();
        box.close();
    });
    const Ends ends = pressDeeper(3, [&] {
        fake.field(1).setText("");
        runs.press();
    });
    EXPECT_EQ(ends, Ends(3, RunEnd::NoFunction));
    EXPECT_EQ(fake.points.size(), pointsAtTheBox);
    EXPECT_EQ(runs.depth(), 0);
}

// Beyond eight deep a press starts the innermost run over; then every run draws to its end.
TEST_F(NestedRuns, APressBeyondEightDeepStartsTheInnermostRunOver)
{
    EXPECT_EQ(pressDeeper(8, [&] { EXPECT_EQ(runs.press(), std::nullopt); }), Ends(8, RunEnd::Finished));
    EXPECT_EQ(fake.clearedAt.size(), 9U);
    EXPECT_GE(fake.points.size() - fake.clearedAt.back(), 10000U);
}

} // namespace
} // namespace kurvix::ui
