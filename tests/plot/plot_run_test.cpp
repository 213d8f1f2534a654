#include "plot/run_report.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <optional>

namespace kurvix {
namespace {

const auto rowName = [](const auto& info) { return std::string(info.param.name); };

using testing::FakeWindow;

// The function the fields spell, computed without the code under test.
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

// A row's ten field texts, separated by the character, as views into the row's text.
FieldTexts split(std::string_view row, char separator)
{
    FieldTexts texts;
    for (auto& text : texts) {
        const auto end = std::min(row.find(separator), row.size());
        text = row.substr(0, end);
        row.remove_prefix(std::min(end + 1, row.size()));
    }
    return texts;
}

struct RunCase {
    const char* name;
    std::map<int, std::string> fields;
    std::optional<Oracle> f; // nullopt: no function has been entered
};

class Run : public ::testing::TestWithParam<RunCase> {};

// A point on f for each sample where f fits the area, or no function at all.
TEST_P(Run, PlotsTheSumOfAllTermsOrAsksForAFunction)
{
    const auto& c = GetParam();
    FakeWindow window;
    for (const auto& [field, text] : c.fields)
        window.field(field).setText(text);
    const RunEnd end = window.press();

    if (!c.f) {
        EXPECT_EQ(end, RunEnd::NoFunction);
        EXPECT_EQ(window.messages, std::vector<std::string>{"Sie müssen noch eine Funktionsgleichung eingeben."});
        EXPECT_EQ(window.statuses, std::vector<std::string>{"Berechnung: 0,01%"});
        EXPECT_TRUE(window.points.empty() && window.yields == 0);
        return;
    }
    const float w2 = window.width() / 2;
    const float h2 = window.height() / 2;
    std::size_t next = 0;
    for (double x = -5; x <= 5; x += 0.001) {
        const auto f = (*c.f)(x);
        if (!f || std::fabs(h2 - *f) > 3.4e38)
            continue;
        ASSERT_LT(next, window.points.size()) << "missing point at x=" << x;
        const PointF p = window.points[next++];
        ASSERT_FLOAT_EQ(p.x, static_cast<float>(x + w2));
        ASSERT_FLOAT_EQ(p.y, static_cast<float>(h2 - *f)) << "x=" << x;
    }
    EXPECT_EQ(next, window.points.size());
    EXPECT_EQ(end, RunEnd::Finished);
    EXPECT_TRUE(window.messages.empty());
    ASSERT_EQ(window.statuses.size(), 10001U); // the progress at every sample, then done
    EXPECT_EQ(window.statuses[149] + window.statuses[9999] + window.statuses[10000],
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
    FakeWindow window;
    window.onYield = [&](int call) {
        window.field(1).setText(call < 100 ? "1" : call < 200 ? "abc" : "0");
        return Yield::Continue;
    };
    window.press();
    FakeWindow plain;
    plain.press();
    EXPECT_EQ(window.points, std::vector(plain.points.begin(), plain.points.begin() + 200));
    EXPECT_EQ(window.messages.size(), 1U);
}

struct YieldCase {
    const char* name;
    std::optional<Yield> at50; // the answer of the 50th yield, or a press there and then on
    RunEnd end;
    std::size_t statuses;
    std::vector<std::size_t> clearedAt;
    std::size_t points;
};

class YieldAnswer : public ::testing::TestWithParam<YieldCase> {};

TEST_P(YieldAnswer, StartsOverEndsOrRunsANestedRunToItsEnd)
{
    const auto& c = GetParam();
    FakeWindow window;
    window.onYield = [&](int call) {
        if (call == 50 && !c.at50)
            window.press();
        return call == 50 ? c.at50.value_or(Yield::Continue) : Yield::Continue;
    };
    EXPECT_EQ(window.press(), c.end);
    EXPECT_EQ(window.statuses.size(), c.statuses);
    EXPECT_EQ(window.statuses.back() == "Fertig...", c.at50 != Yield::EndRun);
    EXPECT_EQ(window.clearedAt, c.clearedAt);
    EXPECT_EQ(window.points.size(), c.points);
    EXPECT_EQ(window.written.size(), 22U * c.clearedAt.size()); // the ticks again with each start
}

const YieldCase kYields[] = {
    {"StartOverClearsAndBeginsAgain", Yield::StartOver, RunEnd::Finished, 50 + 10001, {0, 50}, 50 + 10000},
    {"EndRunStopsAtOnce", Yield::EndRun, RunEnd::Stopped, 50, {0}, 50},
    // The nested run clears the outer's 50 points and counts from 0,01 %; the outer one goes on from its 51st.
    {"NestedRunThenTheOuterGoesOn", std::nullopt, RunEnd::Finished, 50 + 10001 + 9950 + 1, {0, 50}, 50 + 10000 + 9950},
};
INSTANTIATE_TEST_SUITE_P(Rows, YieldAnswer, ::testing::ValuesIn(kYields), rowName);

struct FieldCase {
    const char* name;
    int field;
    const char* text;
    FieldProblem problem;
    const char* termOneDenominator = "4";
};

class FieldReading : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldReading, TellsWhyTheRunCannotUseAField)
{
    const auto& c = GetParam();
    FieldTexts texts{"1", c.termOneDenominator, "4", "-2", "1", "2", "2", "1", "0", "0"};
    texts.at(static_cast<std::size_t>(c.field - 1)) = c.text;
    const ReadFields read = readFields(texts, NumberLocale::german());
    for (int field = 1; field <= 10; ++field) // the others read
        EXPECT_EQ(read.problem(field), field == c.field ? c.problem : FieldProblem::None) << field;
}

const FieldCase kFieldReadings[] = {
    {"TermBeyondTheDoubles", 6, "1e309", FieldProblem::TooLarge},
    {"ConstantBeyondTheFixedDecimal", 10, "1e15", FieldProblem::TooLarge},
    {"ConstantWithinTheFixedDecimal", 10, "1e14", FieldProblem::None},
    {"ZeroNumeratorReads", 4, "0", FieldProblem::None},
    {"CoefficientWithinTheDoubles", 1, "1e300", FieldProblem::None, "1e-8"},
};
INSTANTIATE_TEST_SUITE_P(Rows, FieldReading, ::testing::ValuesIn(kFieldReadings), rowName);

struct UnitCase {
    const char* name;
    const char* unitBox;
    std::optional<Unit> set; // nullopt: the unit is left as it was
};

class UnitChoice : public ::testing::TestWithParam<UnitCase> {};

// Tick labels stand one centimetre apart, in centimetres only.
TEST_P(UnitChoice, DrawsTheCrossThroughTheCentreInTheChosenUnit)
{
    const auto& c = GetParam();
    FakeWindow window;
    window.units = {Unit::Inch}; // as a previous run may have left it
    window.unitBox.setText(c.unitBox);
    window.press();

    EXPECT_EQ(window.units.back(), c.set.value_or(Unit::Inch));
    EXPECT_EQ(window.units.size(), c.set ? 2U : 1U);
    const float w = window.width();
    const float h = window.height();
    const Colour axis{12, 0, 0};
    ASSERT_EQ(window.lines.size(), 2U);
    EXPECT_EQ(window.lines[0], std::tuple(PointF{0, h / 2}, PointF{w, h / 2}, axis));
    EXPECT_EQ(window.lines[1], std::tuple(PointF{w / 2, 0}, PointF{w / 2, h}, axis));
    EXPECT_FLOAT_EQ(window.points.front().x, w / 2 - 5);
    ASSERT_EQ(window.written.size(), c.set == Unit::Centimetre ? 22U : 0U);
    for (std::size_t i = 0; i < window.written.size(); ++i) {
        const int n = static_cast<int>(i % 11) - 5;
        const PointF at = i < 11 ? PointF{w / 2 + n, h / 2} : PointF{w / 2, h / 2 - n};
        EXPECT_EQ(window.written[i], std::pair(at, n)) << i;
    }
}

const UnitCase kUnits[] = {{"Centimetre", "cm", Unit::Centimetre},
                           {"InitialText", "Maßstab", Unit::Centimetre},
                           {"Millimetre", "mm", Unit::Millimetre},
                           {"Inch", "Zoll", Unit::Inch},
                           {"UnrecognisedKeepsTheUnit", "CM", std::nullopt}};
INSTANTIATE_TEST_SUITE_P(Rows, UnitChoice, ::testing::ValuesIn(kUnits), rowName);

struct DiscussionCase {
    const char* name;
    const char* fields; // the ten texts, separated by blanks
    const char* words;
    std::vector<CurvePoint> points;
    double tolerance = 1e-9; // of x; where the curve touches the axis 1e-6
};

class Discussion : public ::testing::TestWithParam<DiscussionCase> {};

// Every kind of point and every edge, the figures from closed forms.
TEST_P(Discussion, NamesTheCurvesPointsAndShape)
{
    const auto& c = GetParam();
    const CurveAnalysis analysis = analyseCurve(readFields(split(c.fields, ' '), NumberLocale::german()));
    EXPECT_EQ(describeCurve(analysis, NumberLocale::german()), c.words);
    ASSERT_EQ(analysis.points.size(), c.points.size());
    for (std::size_t i = 0; i < c.points.size(); ++i) {
        EXPECT_EQ(analysis.points[i].kind, c.points[i].kind) << i;
        EXPECT_NEAR(analysis.points[i].x, c.points[i].x, c.tolerance) << i;
        EXPECT_NEAR(analysis.points[i].y, c.points[i].y, 1e-9 * std::max(1.0, std::fabs(c.points[i].y))) << i;
    }
}

using K = CurvePoint::Kind;
const double kInner = std::sqrt(4 - 2 * std::sqrt(2.0)); // the example's zeros: ±√(4 ± 2√2)
const double kOuter = std::sqrt(4 + 2 * std::sqrt(2.0));
const double kBend = 2 / std::sqrt(3.0);
// x⁴ - 2,01x³ + 1,5150115x²: two turning points 0,004 apart, inside one cell of the grid.
const auto kQuartic = [](double x) { return x * x * (x * x - 2.01 * x + 1.5150115); };
const double kTurnLeft = (12.06 - std::sqrt(12.06 * 12.06 - 48 * 3.030023)) / 24;
const double kTurnRight = (12.06 + std::sqrt(12.06 * 12.06 - 48 * 3.030023)) / 24;

// clang-format off
const DiscussionCase kDiscussions[] = {
    {"Example", "1 4 4 -2 1 2 2 1 0 0",
     "Nullstellen bei -2,61; -1,08; 1,08; 2,61. Hochpunkt (0 | 2). Tiefpunkte (-2 | -2); (2 | -2). "
     "Wendepunkte (-1,15 | -0,22); (1,15 | -0,22). achsensymmetrisch zur y-Achse",
     {{K::Zero, -kOuter, 0}, {K::Zero, -kInner, 0}, {K::Zero, kInner, 0}, {K::Zero, kOuter, 0}, {K::High, 0, 2},
      {K::Low, -2, -2}, {K::Low, 2, -2}, {K::Turning, -kBend, -2.0 / 9}, {K::Turning, kBend, -2.0 / 9}}},
    {"ZeroAtTheRangesEnd", "1 1 1 0 1 1 0 1 1 -5", "Nullstelle bei 5", {{K::Zero, 5, 0}}},
    // (x + 4,99)²: its low point on the grid's second point.
    {"LowPointBesideTheRangesStart", "1 1 2 9,98 1 1 0 1 0 24,9001", "Nullstelle bei -4,99. Tiefpunkt (-4,99 | 0)",
     {{K::Zero, -4.99, 0}, {K::Low, -4.99, 0}}, 1e-6},
    // x^441,3 leaves the doubles at 4,9945, in the grid's last cell, just after the zero (1,5e308)^(1/441,3).
    {"ZeroJustBeforeAPowerLeavesTheDoubles", "1 1 441,3 -1,5e308 1 0 0 1 0 0", "Nullstelle bei 4,99. definiert für x ≥ 0",
     {{K::Zero, std::exp(std::log(1.5e308) / 441.3), 0}}},
    // (2·10¹² x - 1)² touches at 5e-13, closer to the grid point 0 than two break points may be.
    {"TouchingZeroBesideAGridPoint", "4e24 1 2 -4e12 1 1 0 1 0 1", "Nullstelle bei 0. Tiefpunkt (0 | 0)",
     {{K::Zero, 5e-13, 0}, {K::Low, 5e-13, 0}}, 1e-6},
    {"Saddle", "1 1 3 0 1 1 0 1 1 0", "Nullstelle bei 0. Sattelpunkt (0 | 0). punktsymmetrisch zum Ursprung",
     {{K::Zero, 0, 0}, {K::Saddle, 0, 0}}, 1e-6},
    {"FlatMinimumIsNoTurningPoint", "1 1 4 0 1 1 0 1 1 0",
     "Nullstelle bei 0. Tiefpunkt (0 | 0). achsensymmetrisch zur y-Achse", {{K::Zero, 0, 0}, {K::Low, 0, 0}}, 1e-6},
    {"PoleBetweenAHighAndALowPoint", "1 1 1 1 1 -1 0 1 1 0",
     "keine Nullstelle. Hochpunkt (-1 | -2). Tiefpunkt (1 | 2). Polstelle bei 0. punktsymmetrisch zum Ursprung",
     {{K::High, -1, -2}, {K::Low, 1, 2}}},
    {"FractionalExponentDefinedFromZero", "1 1 0,5 0 1 1 0 1 1 -2", "Nullstelle bei 4. definiert für x ≥ 0",
     {{K::Zero, 4, 0}}},
    // x^2.5 - x² = x²(√x - 1); flat at 0, where it is defined from, but no extremum there.
    {"NoExtremumWhereTheDomainStarts", "1 1 2,5 -1 1 2 0 1 1 0",
     "Nullstellen bei 0; 1. Tiefpunkt (0,64 | -0,08). Wendepunkt (0,28 | -0,04). definiert für x ≥ 0",
     {{K::Zero, 0, 0}, {K::Zero, 1, 0}, {K::Low, 16.0 / 25, -256.0 / 3125},
      {K::Turning, 64.0 / 225, -28672.0 / 759375}}, 1e-6},
    {"NegativeFractionalExponentDefinedAboveZero", "1 1 -0,5 0 1 1 0 1 1 -1",
     "Nullstelle bei 1. Polstelle bei 0. definiert für x > 0", {{K::Zero, 1, 0}}},
    {"PowerBeyondTheDoubles", "1 1 1e10 0 1 2 0 1 0 -1",
     "Nullstellen bei -1; 1. Tiefpunkt (0 | -1). achsensymmetrisch zur y-Achse",
     {{K::Zero, -1, 0}, {K::Zero, 1, 0}, {K::Low, 0, -1}}, 1e-6},
    // x^-100000 - 1 leaves the doubles just inside ±1, where it is 0.
    {"ZerosWhereAPowerLeavesTheDoubles", "1 1 -1e5 0 1 2 0 1 0 -1",
     "Nullstellen bei -1; 1. Polstelle bei 0. achsensymmetrisch zur y-Achse", {{K::Zero, -1, 0}, {K::Zero, 1, 0}},
     1e-6},
    {"FeaturesNearZero", "1 1 5 -0,01 1 4 0 1 0 0",
     "Nullstellen bei 0; 0,01. Hochpunkt (0 | 0). Tiefpunkt (0,01 | 0). Wendepunkt (0,01 | 0)",
     {{K::Zero, 0, 0}, {K::Zero, 0.01, 0}, {K::High, 0, 0}, {K::Low, 0.008, -8.192e-12},
      {K::Turning, 0.006, -5.184e-12}}, 1e-6},
    {"TurningPointsCloserThanTheGrid", "1 1 4 -2,01 1 3 1,5150115 1 2 0",
     "Nullstelle bei 0. Tiefpunkt (0 | 0). Wendepunkte (0,5 | 0,19); (0,5 | 0,19)",
     {{K::Zero, 0, 0}, {K::Low, 0, 0}, {K::Turning, kTurnLeft, kQuartic(kTurnLeft)},
      {K::Turning, kTurnRight, kQuartic(kTurnRight)}}, 1e-6},
    // A run takes 0·x^0,5 for x < 0 as no point: the curve is defined from 0 on.
    {"ZeroTermStillLeavesXBelowZeroUndefined", "1 1 2 0 1 0,5 0 1 0 -1", "Nullstelle bei 1. definiert für x ≥ 0",
     {{K::Zero, 1, 0}}},
    {"ConstantHasNoPoints", "1 1 0 0 1 1 0 1 1 2,5", "keine Nullstelle. achsensymmetrisch zur y-Achse", {}},
    {"ZeroEverywhere", "1 1 1 -1 1 1 0 1 1 0", "Nullstellen: überall", {}},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rows, Discussion, ::testing::ValuesIn(kDiscussions), rowName);

struct ReportCase {
    const char* name;
    RunOutcome outcome;
    const char* fields; // the ten texts, separated by "|"
    std::optional<std::string> status;
    const char* marks;                      // the ten fields' marks, separated by "|"
    std::optional<std::string> description; // before the context menu's actions
};

class Report : public ::testing::TestWithParam<ReportCase> {};

TEST_P(Report, SaysHowTheRunEndedMarksUnreadFieldsAndDescribesTheArea)
{
    const auto& c = GetParam();
    const RunReport report = reportRun(c.outcome, split(c.fields, '|'), NumberLocale::german());
    EXPECT_EQ(report.status, c.status);
    std::string marks;
    for (const std::string& mark : report.marks)
        marks += (&mark == &report.marks[0] ? "" : "|") + mark;
    EXPECT_EQ(marks, c.marks);
    const std::string actions = ". Im Kontextmenü: Kopieren, Speichern unter, Drucken, Kurvendiskussion.";
    EXPECT_EQ(report.description, c.description ? std::optional(*c.description + actions) : std::nullopt);
    EXPECT_EQ(report.discussion.has_value(), c.description.has_value());
}

constexpr auto kNone = std::nullopt;
// clang-format off
const ReportCase kReports[] = {
    {"FinishedWithEveryFieldRead", {RunEnd::Finished, Unit::Centimetre, 6133, false}, "1|1|1|0|1|1|0|1|1|-5", kNone,
     "|||||||||", "Maßstab cm, 6133 Punkte. Nullstelle bei 5"},
    {"UnreadFieldsNamedAfterFertig", {RunEnd::Finished, Unit::Millimetre, 1, false}, "1|4|4|1e300|1e-10|2|2| |0|abc",
     "Fertig... Nicht lesbar: Term 2, Zähler (zu groß); Term 3, Nenner (leer); Konstante (keine Zahl)",
     "|||zu groß||||leer||keine Zahl", "Maßstab mm, 1 Punkt. Keine Kurvendiskussion: Term 2, Zähler nicht lesbar"},
    {"NoFunctionBeforeAnyPoint", {RunEnd::NoFunction, Unit::Centimetre, 0, false}, "x|4|4|-2|1|2|2|0|0|0",
     "Nichts gezeichnet: keine Funktionsgleichung", "keine Zahl|||||||Nenner ist 0||",
     "Nichts gezeichnet: keine Funktionsgleichung"},
    {"NoFunctionAfterSomePoints", {RunEnd::NoFunction, Unit::Inch, 50, false}, "0|4|4|-2|1|2|2|1|0|0",
     "Abgebrochen: keine Funktionsgleichung", "|||||||||",
     "Maßstab Zoll, 50 Punkte. Keine Kurvendiskussion: keine Funktionsgleichung"},
    {"NestedRunLeavesTheAreaToTheOuterOne", {RunEnd::Finished, Unit::Centimetre, 6133, true}, "1|4|4|-2|1|2|2|1|0|0",
     kNone, "|||||||||", kNone},
    {"CurveOutsideTheArea", {RunEnd::Finished, Unit::Centimetre, 0, false}, "1|1|1|0|1|1|0|1|1|-5", kNone,
     "|||||||||", "Nichts gezeichnet. Nullstelle bei 5"},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rows, Report, ::testing::ValuesIn(kReports), rowName);

} // namespace
} // namespace kurvix
