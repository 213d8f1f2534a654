#include "plot/field_check.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <optional>

namespace kurvix {
namespace {

const auto rowName = [](const auto& info) { return std::string(info.param.name); };

using testing::FakeForm;

// The function the fields spell, computed without the runtime.
struct Oracle {
    std::array<double, 3> coefficient;
    std::array<double, 3> exponent;
    double constant;

    std::optional<double> operator()(double x) const
    {
        double sum = constant;
        for (std::size_t k = 0; k < 3; ++k)
            sum += coefficient[k] * std::pow(x, exponent[k]);
        return std::isfinite(sum) ? std::optional(sum) : std::nullopt;
    }
};

const Oracle kExample{{0.25, -2, 2}, {4, 2, 0}, 0};

struct RunCase {
    const char* name;
    std::map<int, std::string> fields;
    std::optional<Oracle> f; // nullopt: no function has been entered
};

class Run : public ::testing::TestWithParam<RunCase> {};

// A point on f for each sample where f fits the surface, or no function at all.
TEST_P(Run, PlotsTheSumOfAllTermsOrAsksForAFunction)
{
    const auto& c = GetParam();
    FakeForm form;
    for (const auto& [field, text] : c.fields)
        form.Text(field).setText(text);
    form.press();

    if (!c.f) {
        EXPECT_EQ(form.prompts, std::vector<std::string>{"Sie müssen noch eine Funktionsgleichung eingeben."});
        EXPECT_EQ(form.captions, std::vector<std::string>{"Berechnung: 0,01%"});
        EXPECT_TRUE(form.points.empty() && form.yields == 0);
        return;
    }
    const float w2 = form.width() / 2;
    const float h2 = form.height() / 2;
    std::size_t next = 0;
    for (double x = -5; x <= 5; x += 0.001) {
        const auto f = (*c.f)(x);
        if (!f || std::fabs(h2 - *f) > 3.4e38)
            continue;
        ASSERT_LT(next, form.points.size()) << "missing point at x=" << x;
        const PointF p = form.points[next++];
        ASSERT_FLOAT_EQ(p.x, static_cast<float>(x + w2));
        ASSERT_FLOAT_EQ(p.y, static_cast<float>(h2 - *f)) << "x=" << x;
    }
    EXPECT_EQ(next, form.points.size());
    EXPECT_TRUE(form.prompts.empty());
    ASSERT_EQ(form.captions.size(), 10001U); // the progress at every sample, then done
    EXPECT_EQ(form.captions[149] + form.captions[9999] + form.captions[10000],
              "Berechnung: 1,5%Berechnung: 100%Fertig...");
}

const RunCase kRuns[] = {
    {"ZeroTermTwoStillAddsTermThreeAndConstant", {{4, "0"}, {10, "3"}}, Oracle{{0.25, 0, 2}, {4, 2, 0}, 3}},
    {"ConstantHeldToFourDecimals", {{10, "0,123456"}}, Oracle{{0.25, -2, 2}, {4, 2, 0}, 0.1235}},
    {"UnreadableConstantCountsAsZero", {{10, "abc"}}, kExample},
    {"UnreadableTermCountsAsZero", {{5, ""}}, Oracle{{0.25, 0, 2}, {4, 2, 0}, 0}},
    {"TermOneUnderflowNearZeroKeepsPlotting", {{3, "23"}}, Oracle{{0.25, -2, 2}, {23, 2, 0}, 0}},
    {"FractionalExponentSkipsNegativeX", {{3, "0,5"}}, Oracle{{0.25, -2, 2}, {0.5, 2, 0}, 0}},
    {"OverflowingPowerSkipsTheEdges", {{6, "1000"}}, Oracle{{0.25, -2, 2}, {4, 1000, 0}, 0}},
    {"MillionCharacterFieldIsReadOncePerEdit", {{2, std::string(1'000'000, '0') + "4"}}, kExample},
    {"ZeroNumeratorIsNoFunction", {{1, "0"}}, std::nullopt},
    {"EmptyNumeratorIsNoFunction", {{1, ""}}, std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(Rows, Run, ::testing::ValuesIn(kRuns), rowName);

// An edit counts from the next sample; an unreadable text keeps the last coefficient.
TEST(PlotRun, EditsDuringARunCountFromTheNextSample)
{
    FakeForm form;
    form.onYield = [&](int call) {
        form.Text(1).setText(call < 100 ? "1" : call < 200 ? "abc" : "0");
        return Yield::Continue;
    };
    form.press();
    FakeForm plain;
    plain.press();
    EXPECT_EQ(form.points, std::vector(plain.points.begin(), plain.points.begin() + 200));
    EXPECT_EQ(form.prompts.size(), 1U);
}

TEST(PlotRun, NestedRunFromDoEventsCompletesThenOuterRunContinues)
{
    FakeForm form;
    form.onYield = [&](int call) {
        if (call == 50)
            form.press();
        return Yield::Continue;
    };
    form.press();
    const auto& c = form.captions;
    ASSERT_EQ(c.size(), 50U + 10001U + 9950U + 1U);
    EXPECT_EQ(c[50], "Berechnung: 0,01%");                        // the nested run starts from the beginning
    EXPECT_EQ(c[50 + 10001], "Berechnung: 0,51%");                // the outer run resumes with its own count
    EXPECT_EQ(form.clearedAt, (std::vector<std::size_t>{0, 50})); // the nested run cleared the outer's 50 points
}

struct YieldCase {
    const char* name;
    Yield at50; // the answer of the 50th yield; every other yield continues
    std::size_t captions;
    std::vector<std::size_t> clearedAt;
    std::size_t points;
};

class YieldAnswer : public ::testing::TestWithParam<YieldCase> {};

TEST_P(YieldAnswer, GoesOnStartsOverOrEndsWithoutAnotherStatement)
{
    const auto& c = GetParam();
    FakeForm form;
    form.onYield = [&](int call) { return call == 50 ? c.at50 : Yield::Continue; };
    form.press();
    EXPECT_EQ(form.captions.size(), c.captions);
    EXPECT_EQ(form.captions.back() == "Fertig...", c.at50 != Yield::EndRun);
    EXPECT_EQ(form.clearedAt, c.clearedAt);
    EXPECT_EQ(form.points.size(), c.points);
    EXPECT_EQ(form.prints.size(), 22U * c.clearedAt.size()); // the ticks again with each start
}

const YieldCase kYields[] = {
    {"Continue", Yield::Continue, 10001, {0}, 10000},
    {"StartOverClearsAndBeginsAgain", Yield::StartOver, 50 + 10001, {0, 50}, 50 + 10000},
    {"EndRunStopsAtOnce", Yield::EndRun, 50, {0}, 50},
};
INSTANTIATE_TEST_SUITE_P(Rows, YieldAnswer, ::testing::ValuesIn(kYields), rowName);

struct FieldCase {
    const char* name;
    int field;
    const char* text;
    FieldProblem problem;
};

class FieldReading : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldReading, TellsWhyTheRunCannotUseAField)
{
    const auto& c = GetParam();
    EXPECT_EQ(checkField(c.field, c.text, NumberLocale::german()), c.problem);
}

const FieldCase kFieldReadings[] = {
    {"Readable", 1, "-2,5", FieldProblem::None},
    {"Blank", 4, " ", FieldProblem::Empty},
    {"NotANumber", 3, "x", FieldProblem::NotANumber},
    {"TermBeyondTheDoubles", 6, "1e309", FieldProblem::TooLarge},
    {"ConstantBeyondTheCurrency", 10, "1e15", FieldProblem::TooLarge},
    {"ConstantWithinTheCurrency", 10, "1e14", FieldProblem::None},
    {"ZeroDenominator", 5, "0,0", FieldProblem::ZeroDenominator},
    {"ZeroNumeratorReads", 4, "0", FieldProblem::None},
};
INSTANTIATE_TEST_SUITE_P(Rows, FieldReading, ::testing::ValuesIn(kFieldReadings), rowName);

struct UnitCase {
    const char* name;
    const char* combo;
    std::optional<Unit> set; // nullopt: the unit is left as it was
};

class UnitChoice : public ::testing::TestWithParam<UnitCase> {};

// Tick labels stand one centimetre apart, in centimetres only.
TEST_P(UnitChoice, DrawsTheCrossThroughTheCentreInTheChosenUnit)
{
    const auto& c = GetParam();
    FakeForm form;
    form.units = {Unit::Inch}; // as a previous run may have left it
    form.Combo1.setText(c.combo);
    form.press();

    EXPECT_EQ(form.units.back(), c.set.value_or(Unit::Inch));
    EXPECT_EQ(form.units.size(), c.set ? 2U : 1U);
    const float w = form.width();
    const float h = form.height();
    const Colour axis{12};
    ASSERT_EQ(form.lines.size(), 2U);
    EXPECT_EQ(form.lines[0], std::tuple(PointF{0, h / 2}, PointF{w, h / 2}, axis));
    EXPECT_EQ(form.lines[1], std::tuple(PointF{w / 2, 0}, PointF{w / 2, h}, axis));
    EXPECT_FLOAT_EQ(form.points.front().x, w / 2 - 5);
    ASSERT_EQ(form.prints.size(), c.set == Unit::Centimetre ? 22U : 0U);
    for (std::size_t i = 0; i < form.prints.size(); ++i) {
        const int n = static_cast<int>(i % 11) - 5;
        const PointF at = i < 11 ? PointF{w / 2 + n, h / 2} : PointF{w / 2, h / 2 - n};
        EXPECT_EQ(form.prints[i], std::pair(at, n)) << i;
    }
}

const UnitCase kUnits[] = {{"Centimetre", "cm", Unit::Centimetre},
                           {"InitialText", "Maßstab", Unit::Centimetre},
                           {"Millimetre", "mm", Unit::Millimetre},
                           {"Inch", "Zoll", Unit::Inch},
                           {"UnrecognisedKeepsTheUnit", "CM", std::nullopt}};
INSTANTIATE_TEST_SUITE_P(Rows, UnitChoice, ::testing::ValuesIn(kUnits), rowName);

} // namespace
} // namespace kurvix
