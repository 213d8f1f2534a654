#include "plot/plot_command.h"

#include "support/fakes.h"

#include "support/named_rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace kurvix {
namespace {

using testing::PrintTo;

using testing::FakeForm;

// The function the fields spell, evaluated here without the runtime;
// nullopt where it has no real value at x.
struct Oracle {
    std::array<double, 3> coefficient{};
    std::array<double, 3> exponent{};
    double constant = 0;

    [[nodiscard]] std::optional<double> operator()(double x) const
    {
        double sum = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            const double t = coefficient[k] * std::pow(x, exponent[k]);
            if (!std::isfinite(t))
                return std::nullopt;
            sum += t;
        }
        return sum + constant;
    }
};

struct CurveCase {
    const char* name;
    std::map<int, const char*> fields;
    Oracle f;
};

class Curve : public ::testing::TestWithParam<CurveCase> {};

// Every sample where f has a value that fits the surface sets exactly one
// point, on f; every other sample sets none.
TEST_P(Curve, PointsLieOnTheSumOfAllTerms)
{
    const auto& c = GetParam();
    FakeForm form;
    for (const auto& [field, text] : c.fields)
        form.Text(field).setText(text);
    Command1_Click(form.controls(), NumberLocale::german());

    const float w2 = form.Picture1.width() / 2;
    const float h2 = form.Picture1.height() / 2;
    std::size_t next = 0;
    for (double x = -5; x <= 5; x += 0.001) {
        const auto f = c.f(x);
        if (!f || std::fabs(h2 - *f) > 3.4e38)
            continue;
        ASSERT_LT(next, form.Picture1.points.size()) << "missing point at x=" << x;
        const PointF p = form.Picture1.points[next++];
        ASSERT_FLOAT_EQ(p.x, static_cast<float>(x + w2));
        ASSERT_FLOAT_EQ(p.y, static_cast<float>(h2 - *f)) << "x=" << x;
    }
    EXPECT_EQ(next, form.Picture1.points.size());
    EXPECT_TRUE(form.messages.prompts.empty());
    EXPECT_EQ(form.lblinfo.captions.back(), "Fertig...");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Curve,
    ::testing::Values(
        CurveCase{"Example", {}, {{0.25, -2, 2}, {4, 2, 0}, 0}},
        CurveCase{"ZeroTermTwoStillAddsTermThreeAndConstant", {{4, "0"}, {10, "3"}}, {{0.25, 0, 2}, {4, 2, 0}, 3}},
        CurveCase{"ConstantHeldToFourDecimals", {{10, "0,123456"}}, {{0.25, -2, 2}, {4, 2, 0}, 0.1235}},
        CurveCase{"UnconvertibleConstantCountsAsZero", {{10, "abc"}}, {{0.25, -2, 2}, {4, 2, 0}, 0}},
        CurveCase{"ConstantBeyondCurrencyRangeCountsAsZero", {{10, "1e30"}}, {{0.25, -2, 2}, {4, 2, 0}, 0}},
        CurveCase{"UnconvertibleTermCountsAsZero", {{5, ""}}, {{0.25, 0, 2}, {4, 2, 0}, 0}},
        CurveCase{"ExponentZeroIsTheCoefficient", {{3, "0"}}, {{0.25, -2, 2}, {0, 2, 0}, 0}},
        CurveCase{"TermOneUnderflowNearZeroKeepsPlotting", {{3, "23"}}, {{0.25, -2, 2}, {23, 2, 0}, 0}},
        CurveCase{"FractionalExponentOfTermOneSkipsNegativeX", {{3, "0,5"}}, {{0.25, -2, 2}, {0.5, 2, 0}, 0}},
        CurveCase{"FractionalExponentOfTermThreeSkipsNegativeX", {{9, "0,5"}}, {{0.25, -2, 2}, {4, 2, 0.5}, 0}},
        CurveCase{"OverflowingPowerSkipsTheEdges", {{6, "1000"}}, {{0.25, -2, 2}, {4, 1000, 0}, 0}},
        CurveCase{"NegativeExponent", {{9, "-1"}}, {{0.25, -2, 2}, {4, 2, -1}, 0}},
        CurveCase{"ValuesBeyondSingleRangeSetNoPoint", {{1, "1e300"}, {3, "5"}}, {{1e300 / 4, -2, 2}, {5, 2, 0}, 0}}),
    testing::rowName);

TEST(Decision, TextThatStopsConvertingKeepsTheLastCoefficient)
{
    FakeForm edited;
    edited.events.onYield = [&](int call) {
        if (call == 100)
            edited.Text(1).setText("abc");
        if (call == 200)
            edited.Text(1).setText("2");
        return Yield::Continue;
    };
    Command1_Click(edited.controls(), NumberLocale::german());
    FakeForm plain;
    Command1_Click(plain.controls(), NumberLocale::german());

    ASSERT_EQ(edited.Picture1.points.size(), 10000U);
    for (std::size_t i = 0; i < 200; ++i)
        ASSERT_EQ(edited.Picture1.points[i], plain.Picture1.points[i]) << i;
    // From sample 201 on the coefficient is 2/4 instead of 1/4.
    const double x = -5 + 200 * 0.001;
    const double f = 0.5 * std::pow(x, 4) - 2 * x * x + 2;
    EXPECT_NEAR(edited.Picture1.points[200].y, edited.Picture1.height() / 2 - f, 1e-3);
}

} // namespace
} // namespace kurvix
