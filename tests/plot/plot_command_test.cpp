#include "plot/plot_command.h"

#include "support/fakes.h"

#include "support/named_rows.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kurvix {
namespace {

using testing::PrintTo;

using testing::FakeForm;

const NumberLocale kDe = NumberLocale::german();

void run(FakeForm& form, const NumberLocale& locale = kDe) { Command1_Click(form.controls(), locale); }

// The samples of one sweep, computed here independently of the runtime.
std::vector<double> sweep()
{
    std::vector<double> xs;
    for (double x = -5; x <= 5; x += 0.001)
        xs.push_back(x);
    return xs;
}

TEST(PlotRun, DefaultFieldsPlotTheExampleFunction)
{
    FakeForm form;
    run(form);

    const auto xs = sweep();
    ASSERT_EQ(xs.size(), 10000U);
    ASSERT_EQ(form.Picture1.points.size(), xs.size());
    const float w2 = form.Picture1.width() / 2;
    const float h2 = form.Picture1.height() / 2;
    for (std::size_t i = 0; i < xs.size(); i += 997) {
        const double x = xs[i];
        const double f = 0.25 * std::pow(x, 4) - 2 * x * x + 2;
        EXPECT_FLOAT_EQ(form.Picture1.points[i].x, static_cast<float>(x + w2)) << i;
        EXPECT_FLOAT_EQ(form.Picture1.points[i].y, static_cast<float>(-f + h2)) << i;
    }
    EXPECT_FLOAT_EQ(form.Picture1.points.front().y, static_cast<float>(h2 - 108.25));
    EXPECT_EQ(form.Picture1.clears, 1);
    EXPECT_TRUE(form.messages.prompts.empty());
}

TEST(PlotRun, CaptionsReportProgressThenDone)
{
    FakeForm form;
    run(form);
    const auto& c = form.lblinfo.captions;
    ASSERT_EQ(c.size(), 10001U);
    EXPECT_EQ(c[0], "Berechnung: 0,01%");
    EXPECT_EQ(c[149], "Berechnung: 1,5%");
    EXPECT_EQ(c[9999], "Berechnung: 100%");
    EXPECT_EQ(c[10000], "Fertig...");
}

TEST(PlotRun, CaptionsFollowTheLocale)
{
    FakeForm form;
    run(form, NumberLocale::english());
    EXPECT_EQ(form.lblinfo.captions[149], "Berechnung: 1.5%");
}

TEST(PlotRun, ReadsEveryFieldAtEverySample)
{
    FakeForm form;
    run(form);
    for (const auto& field : form.fields)
        EXPECT_EQ(field.reads, 10000);
}

struct NoFunctionCase {
    const char* name;
    int field;
    const char* text;
};

class NoFunction : public ::testing::TestWithParam<NoFunctionCase> {};

TEST_P(NoFunction, AsksForAFunctionAtTheFirstSampleAndSetsNoPoint)
{
    FakeForm form;
    form.Text(GetParam().field).setText(GetParam().text);
    run(form);
    ASSERT_EQ(form.messages.prompts.size(), 1U);
    EXPECT_EQ(form.messages.prompts[0], "Sie müssen noch eine Funktionsgleichung eingeben.");
    EXPECT_TRUE(form.Picture1.points.empty());
    EXPECT_EQ(form.lblinfo.captions, std::vector<std::string>{"Berechnung: 0,01%"});
    EXPECT_EQ(form.events.calls, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NoFunction,
    ::testing::Values(NoFunctionCase{"ZeroNumerator", 1, "0"}, NoFunctionCase{"NegativeZeroNumerator", 1, "-0,0"},
                      NoFunctionCase{"NumeratorUnderflowsToZero", 1, "1e-400"}, NoFunctionCase{"EmptyNumerator", 1, ""},
                      NoFunctionCase{"ZeroDenominator", 2, "0"}, NoFunctionCase{"NonNumericDenominator", 2, "vier"},
                      NoFunctionCase{"EmptyExponent", 3, ""}, NoFunctionCase{"ExponentWithTwoSeparators", 3, "1,5,5"}),
    testing::rowName);

TEST(PlotRun, ZeroCoefficientTypedMidRunEndsTheRunThere)
{
    FakeForm form;
    form.events.onYield = [&](int call) {
        if (call == 300)
            form.Text(1).setText("0");
        return Yield::Continue;
    };
    run(form);
    EXPECT_EQ(form.messages.prompts.size(), 1U);
    EXPECT_EQ(form.Picture1.points.size(), 300U);
    EXPECT_EQ(form.lblinfo.captions.back(), "Berechnung: 3,01%");
}

TEST(PlotRun, NestedRunFromDoEventsCompletesThenOuterRunContinues)
{
    FakeForm form;
    bool nested = false;
    form.events.onYield = [&](int call) {
        if (call == 50 && !nested) {
            nested = true;
            run(form);
        }
        return Yield::Continue;
    };
    run(form);

    const auto& c = form.lblinfo.captions;
    ASSERT_EQ(c.size(), 50U + 10001U + 9950U + 1U);
    EXPECT_EQ(c[49], "Berechnung: 0,5%");
    EXPECT_EQ(c[50], "Berechnung: 0,01%"); // the nested run starts from the beginning
    EXPECT_EQ(c[50 + 10000], "Fertig...");
    EXPECT_EQ(c[50 + 10001], "Berechnung: 0,51%"); // the outer run resumes with its own count
    EXPECT_EQ(c.back(), "Fertig...");
    EXPECT_EQ(form.Picture1.clears, 2);
    // The nested run cleared the outer run's first 50 points; the outer run drew on.
    EXPECT_EQ(form.Picture1.points.size(), 10000U + 9950U);
    EXPECT_EQ(form.Picture1.lines.size(), 2U);
}

// At the first, a middle and the last yield: the run returns at once and
// reads or writes no control again.
TEST(PlotRun, WindowGoneEndsTheRunWithoutTouchingControls)
{
    for (const int last : {1, 100, 5001, 10000}) {
        FakeForm form;
        int readsWhenGone = 0;
        int sizeReadsWhenGone = 0;
        form.events.onYield = [&](int call) {
            readsWhenGone = form.textReads();
            sizeReadsWhenGone = form.Picture1.sizeReads;
            return call == last ? Yield::WindowGone : Yield::Continue;
        };
        run(form);
        EXPECT_EQ(form.events.calls, last);
        EXPECT_EQ(form.textReads(), readsWhenGone) << last;
        EXPECT_EQ(form.Picture1.sizeReads, sizeReadsWhenGone) << last;
        EXPECT_EQ(form.lblinfo.captions.size(), static_cast<std::size_t>(last)) << last;
        EXPECT_EQ(form.Picture1.points.size(), static_cast<std::size_t>(last)) << last;
    }
}

TEST(PlotRun, WindowGoneDuringANestedRunEndsBothRuns)
{
    FakeForm form;
    bool nested = false;
    bool gone = false;
    form.events.onYield = [&](int call) {
        if (gone)
            return Yield::WindowGone;
        if (call == 10 && !nested) {
            nested = true;
            run(form);
            return gone ? Yield::WindowGone : Yield::Continue;
        }
        if (nested && call == 20) {
            gone = true;
            return Yield::WindowGone;
        }
        return Yield::Continue;
    };
    run(form);
    EXPECT_EQ(form.events.calls, 20);
    EXPECT_NE(form.lblinfo.captions.back(), "Fertig...");
}

TEST(PlotRun, MillionCharacterFieldIsUsedWhole)
{
    FakeForm form;
    form.Text(2).setText(std::string(1'000'000, '0') + "4");
    run(form);
    FakeForm reference;
    run(reference);
    EXPECT_EQ(form.Picture1.points, reference.Picture1.points);
    EXPECT_EQ(form.lblinfo.captions.back(), "Fertig...");
}

} // namespace
} // namespace kurvix
