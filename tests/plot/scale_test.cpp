#include "plot/plot_command.h"
#include "plot/scale.h"

#include "support/fakes.h"

#include "support/named_rows.h"

#include <gtest/gtest.h>

#include <optional>

namespace kurvix {
namespace {

using testing::PrintTo;

using testing::FakeForm;

struct UnitCase {
    const char* name;
    const char* combo;
    std::optional<Unit> set; // nullopt: the unit is left as it was
};

class UnitChoice : public ::testing::TestWithParam<UnitCase> {};

TEST_P(UnitChoice, SetsTheUnitAndPrintsTicksOnlyInCentimetres)
{
    const auto& c = GetParam();
    FakeForm form;
    form.Picture1.unit = Unit::Inch; // as a previous run may have left it
    form.Combo1.setText(c.combo);
    Command1_Click(form.controls(), NumberLocale::german());

    const Unit expected = c.set.value_or(Unit::Inch);
    EXPECT_EQ(form.Picture1.unit, expected);
    EXPECT_EQ(form.Picture1.unitsSet.size(), c.set ? 1U : 0U);
    EXPECT_EQ(form.Picture1.prints.size(), expected == Unit::Centimetre && c.set ? 22U : 0U);
    EXPECT_EQ(form.lblinfo.captions.back(), "Fertig...");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UnitChoice,
    ::testing::Values(UnitCase{"Centimetre", "cm", Unit::Centimetre},
                      UnitCase{"InitialText", "Maßstab", Unit::Centimetre},
                      UnitCase{"Millimetre", "mm", Unit::Millimetre}, UnitCase{"Inch", "Zoll", Unit::Inch},
                      UnitCase{"Capitals", "CM", std::nullopt}, UnitCase{"MixedCase", "Cm", std::nullopt},
                      UnitCase{"TrailingBlank", "cm ", std::nullopt}, UnitCase{"CapitalMillimetre", "MM", std::nullopt},
                      UnitCase{"Empty", "", std::nullopt}),
    testing::rowName);

TEST(Scale, UnrecognisedTextKeepsTheUnitOfThePreviousRun)
{
    FakeForm form;
    form.Combo1.setText("mm");
    Command1_Click(form.controls(), NumberLocale::german());
    form.Combo1.setText("Zentimeter");
    Command1_Click(form.controls(), NumberLocale::german());
    EXPECT_EQ(form.Picture1.unit, Unit::Millimetre);
    // The cross and the curve are centred in that unit.
    EXPECT_FLOAT_EQ(form.Picture1.lines[1].from.x, form.Picture1.width() / 2);
    EXPECT_FLOAT_EQ(form.Picture1.points.front().x, form.Picture1.width() / 2 - 5);
}

TEST(Scale, TickLabelsStandOneCentimetreApartAlongBothAxes)
{
    FakeForm form;
    Command1_Click(form.controls(), NumberLocale::german());
    const float w2 = form.Picture1.width() / 2;
    const float h2 = form.Picture1.height() / 2;
    const auto& prints = form.Picture1.prints;
    ASSERT_EQ(prints.size(), 22U);
    for (int i = -5; i <= 5; ++i) {
        const auto& horizontal = prints[static_cast<std::size_t>(i + 5)];
        EXPECT_EQ(horizontal.number, i);
        EXPECT_FLOAT_EQ(horizontal.at.x, w2 + static_cast<float>(i));
        EXPECT_FLOAT_EQ(horizontal.at.y, h2);
        const auto& vertical = prints[static_cast<std::size_t>(i + 16)];
        EXPECT_EQ(vertical.number, i);
        EXPECT_FLOAT_EQ(vertical.at.x, w2);
        EXPECT_FLOAT_EQ(vertical.at.y, h2 - static_cast<float>(i));
    }
}

TEST(Scale, AxesCrossTheCentreInColourTwelve)
{
    for (const char* combo : {"cm", "mm", "Zoll"}) {
        FakeForm form;
        form.Combo1.setText(combo);
        Command1_Click(form.controls(), NumberLocale::german());
        const auto& s = form.Picture1;
        ASSERT_EQ(s.lines.size(), 2U) << combo;
        const float w = s.width();
        const float h = s.height();
        EXPECT_EQ(s.lines[0].from, (PointF{0, h / 2})) << combo;
        EXPECT_EQ(s.lines[0].to, (PointF{w, h / 2})) << combo;
        EXPECT_EQ(s.lines[1].from, (PointF{w / 2, 0})) << combo;
        EXPECT_EQ(s.lines[1].to, (PointF{w / 2, h})) << combo;
        for (const auto& line : s.lines) {
            EXPECT_EQ(line.colour.red(), 12);
            EXPECT_EQ(line.colour.green(), 0);
            EXPECT_EQ(line.colour.blue(), 0);
        }
    }
}

} // namespace
} // namespace kurvix
