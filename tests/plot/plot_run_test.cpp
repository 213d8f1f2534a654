#include "plot/run_report.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <optional>
#include <ranges>

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
    std::size_t i = 0;
    for (const auto text : std::views::split(row, separator))
        texts.at(i++) = std::string_view(text.begin(), text.end());
    return texts;
}

struct RunCase {
    const char* name;
    std::map<int, std::string> fields;
    Oracle f;
    const char* unitBox = "Maßstab";
    std::vector<Unit> units = {Unit::Centimetre, Unit::Centimetre}; // the area's first, then what the run set
};

class Run : public ::testing::TestWithParam<RunCase> {};

// The cross through the centre of the area in the unit chosen, with tick labels in centimetres only; a point
// on f for each sample where f fits the area.
TEST_P(Run, DrawsTheCrossAndTheSumOfAllTerms)
{
    const auto& c = GetParam();
    FakeWindow window;
    window.unitBox.setText(c.unitBox);
    for (const auto& [field, text] : c.fields)
        window.field(field).setText(text);
    const RunEnd end = window.press();

    EXPECT_EQ(window.units, c.units);
    const float w2 = window.widthInUnits() / 2;
    const float h2 = window.heightInUnits() / 2;
    const Colour axis{12, 0, 0};
    EXPECT_EQ(window.lines, (std::vector{std::tuple(PointF{0, h2}, PointF{2 * w2, h2}, axis),
                                         std::tuple(PointF{w2, 0}, PointF{w2, 2 * h2}, axis)}));
    ASSERT_EQ(window.written.size(), c.units == std::vector(2, Unit::Centimetre) ? 22U : 0U);
    for (std::size_t i = 0; i < window.written.size(); ++i) { // -5 .. 5 a unit apart, along x, then up y
        const int n = static_cast<int>(i % 11) - 5;
        EXPECT_EQ(window.written[i], std::pair(i < 11 ? PointF{w2 + n, h2} : PointF{w2, h2 - n}, n)) << i;
    }
    std::size_t next = 0;
    for (double x = -5; x <= 5; x += 0.001) {
        const auto f = c.f(x);
        if (!f || std::fabs(h2 - *f) > 3.4e38)
            continue;
        ASSERT_LT(next, window.points.size()) << "missing point at x=" << x;
        const PointF p = window.points[next++];
        ASSERT_FLOAT_EQ(p.x, static_cast<float>(x + w2));
        ASSERT_FLOAT_EQ(p.y, static_cast<float>(h2 - *f)) << "x=" << x;
    }
    EXPECT_EQ(next, window.points.size());
    EXPECT_EQ(end, RunEnd::Finished);
}

const RunCase kRuns[] = {
    {"ZeroTermTwoStillAddsTermThreeAndConstant", {{4, "0"}, {10, "3"}}, Oracle{{0.25, 0, 2}, {4, 2, 0}, 3}},
    {"ConstantHeldToFourDecimals", {{10, "0,123456"}}, Oracle{{0.25, -2, 2}, {4, 2, 0}, 0.1235}},
    {"UnreadableFieldsCountAsZero", {{5, ""}, {9, "x"}, {10, "abc"}}, Oracle{{0.25, 0, 0}, {4, 2, 0}, 0}},
    {"TermOneUnderflowNearZeroKeepsPlotting", {{3, "23"}}, Oracle{{0.25, -2, 2}, {23, 2, 0}, 0}},
    {"FractionalExponentSkipsNegativeX", {{3, "0,5"}}, Oracle{{0.25, -2, 2}, {0.5, 2, 0}, 0}},
    {"OverflowingPowerSkipsTheEdges", {{6, "1000"}}, Oracle{{0.25, -2, 2}, {4, 1000, 0}, 0}},
    {"MillionCharacterFieldIsReadOncePerEdit", {{2, std::string(1'000'000, '0') + "4"}}, kExample},
    {"Centimetre", {}, kExample, "cm"},
    {"Millimetre", {}, kExample, "mm", {Unit::Centimetre, Unit::Millimetre}},
    {"Inch", {}, kExample, "Zoll", {Unit::Centimetre, Unit::Inch}},
    {"UnrecognisedUnitKeepsTheAreasUnit", {}, kExample, "CM", {Unit::Centimetre}},
};
INSTANTIATE_TEST_SUITE_P(Rows, Run, ::testing::ValuesIn(kRuns), rowName);

// What the window does while a run yields: answer, press again, edit a field (call 0 is before the press).
struct YieldCase {
    const char* name;
    Yield (*onYield)(FakeWindow& window, int yield);
    RunEnd end;
    std::size_t statuses;
    std::string last; // status
    std::vector<std::size_t> clearedAt;
    std::size_t points;
    std::optional<float> lastY; // where the last point stands: f of its sample, from the area's middle
};

class Yielding : public ::testing::TestWithParam<YieldCase> {};

TEST_P(Yielding, TheRunGoesOnStartsOverEndsOrReadsTheEditsFromTheNextSample)
{
    const auto& c = GetParam();
    FakeWindow window;
    window.onYield = [&](int call) { return c.onYield(window, call); };
    c.onYield(window, 0);
    EXPECT_EQ(window.press(), c.end);
    EXPECT_EQ(window.statuses.size(), c.statuses);
    EXPECT_EQ(window.statuses.back(), c.last);
    EXPECT_EQ(window.clearedAt, c.clearedAt);
    EXPECT_EQ(window.points.size(), c.points);
    EXPECT_EQ(window.points.empty() ? std::nullopt : std::optional(window.points.back().y), c.lastY);
    EXPECT_EQ(window.written.size(), 22U * c.clearedAt.size()); // the ticks again with each start
    const std::vector<std::string> asked{"Sie müssen noch eine Funktionsgleichung eingeben."};
    EXPECT_EQ(window.messages, c.end == RunEnd::NoFunction ? asked : std::vector<std::string>{});
}

// clang-format off
const YieldCase kYields[] = {
    {"StartOverBeginsAgain", [](FakeWindow&, int n) { return n == 50 ? Yield::StartOver : Yield::Continue; },
     RunEnd::Finished, 50 + 10001, "Fertig...", {0, 50}, 50 + 10000, -102.854027F},
    {"EndRunStopsAtOnce", [](FakeWindow&, int n) { return n == 50 ? Yield::EndRun : Yield::Continue; },
     RunEnd::Stopped, 50, "Berechnung: 0,5%", {0}, 50, -97.8986435F},
    // The nested run clears the outer's 50 points and draws all of its own; the outer one goes on to its end.
    {"NestedRunThenTheOuterGoesOn", [](FakeWindow& w, int n) { if (n == 50) w.press(); return Yield::Continue; },
     RunEnd::Finished, 50 + 10001 + 9950 + 1, "Fertig...", {0, 50}, 50 + 10000 + 9950, -102.854027F},
    // Unreadable from the 101st sample, coefficient and constant (3) stay; 0 from the 201st asks for a function.
    {"EditsCountFromTheNextSample", [](FakeWindow& w, int n) {
         w.field(10).setText(n < 100 ? "3" : "abc");
         w.field(1).setText(n < 100 ? "1" : n < 200 ? "abc" : "0");
         return Yield::Continue; },
     RunEnd::NoFunction, 201, "Berechnung: 2,01%", {0}, 200, -86.4308167F},
    {"ZeroNumeratorAsks", [](FakeWindow& w, int n) { if (n == 0) w.field(1).setText("0"); return Yield::Continue; },
     RunEnd::NoFunction, 1, "Berechnung: 0,01%", {0}, 0, std::nullopt},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rows, Yielding, ::testing::ValuesIn(kYields), rowName);

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

// clang-format off
const DiscussionCase kDiscussions[] = {
    {"Example", "1 4 4 -2 1 2 2 1 0 0",
     "Nullstellen bei -2,61; -1,08; 1,08; 2,61. Hochpunkt (0 | 2). Tiefpunkte (-2 | -2); (2 | -2). "
     "Wendepunkte (-1,15 | -0,22); (1,15 | -0,22). achsensymmetrisch zur y-Achse",
     {{K::Zero, -kOuter, 0}, {K::Zero, -kInner, 0}, {K::Zero, kInner, 0}, {K::Zero, kOuter, 0}, {K::High, 0, 2},
      {K::Low, -2, -2}, {K::Low, 2, -2}, {K::Turning, -kBend, -2.0 / 9}, {K::Turning, kBend, -2.0 / 9}}},
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
    // x⁴ - 2,01x³ + 1,5150115x²: turning at (12,06 ∓ √(12,06² - 48 · 3,030023)) / 24, inside one cell of the grid.
    {"TurningPointsCloserThanTheGrid", "1 1 4 -2,01 1 3 1,5150115 1 2 0",
     "Nullstelle bei 0. Tiefpunkt (0 | 0). Wendepunkte (0,5 | 0,19); (0,5 | 0,19)",
     {{K::Zero, 0, 0}, {K::Low, 0, 0}, {K::Turning, 0.500418334, 0.190215184}, {K::Turning, 0.504581666, 0.192328123}},
     1e-6},
    // A run takes 0·x^0,5 for x < 0 as no point: the curve is defined from 0 on.
    {"ZeroTermStillLeavesXBelowZeroUndefined", "1 1 2 0 1 0,5 0 1 0 -1", "Nullstelle bei 1. definiert für x ≥ 0",
     {{K::Zero, 1, 0}}},
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
    const FieldTexts marks = split(c.marks, '|');
    EXPECT_EQ(std::vector<std::string_view>(report.marks.begin(), report.marks.end()),
              std::vector(marks.begin(), marks.end()));
    const std::string actions = ". Im Kontextmenü: Kopieren, Speichern unter, Drucken, Kurvendiskussion.";
    EXPECT_EQ(report.description, c.description ? std::optional(*c.description + actions) : std::nullopt);
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
    {"NestedRunLeavesTheAreaToTheOuterOne", {RunEnd::Finished, Unit::Centimetre, 6133, true},
     "1e300|1e-8|4|-2|1|1e309|2|1|0|1e15", "Fertig... Nicht lesbar: Term 2, Exponent (zu groß); Konstante (zu groß)",
     "|||||zu groß||||zu groß", kNone},
    {"CurveOutsideTheArea", {RunEnd::Finished, Unit::Centimetre, 0, false}, "1|1|1|0|1|1|0|1|1|1e14", kNone,
     "|||||||||", "Nichts gezeichnet. keine Nullstelle"},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Rows, Report, ::testing::ValuesIn(kReports), rowName);

} // namespace
} // namespace kurvix
