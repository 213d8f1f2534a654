#include "runtime/number_text.h"

#include "support/named_rows.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <optional>
#include <string>

namespace kurvix {
namespace {

using testing::PrintTo;

struct ReadCase {
    const char* name;
    const char* text;
    std::optional<double> german; // nullopt: not a number
    std::optional<double> english;
};

class TextToDouble : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TextToDouble, ReadsUnderBothLocales)
{
    const auto& c = GetParam();
    const auto check = [&](const NumberLocale& locale, const std::optional<double>& expected) {
        const auto r = textToDouble(c.text, locale);
        ASSERT_EQ(r.ok(), expected.has_value()) << "separator " << locale.decimalSeparator;
        if (expected) {
            EXPECT_EQ(*r, *expected) << "separator " << locale.decimalSeparator;
        }
    };
    check(NumberLocale::german(), c.german);
    check(NumberLocale::english(), c.english);
}

constexpr auto kNo = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Rows, TextToDouble,
    ::testing::Values(
        ReadCase{"Integer", "4", 4.0, 4.0}, ReadCase{"Negative", "-2", -2.0, -2.0},
        ReadCase{"PlusSign", "+3", 3.0, 3.0}, ReadCase{"CommaHalf", "0,5", 0.5, kNo},
        ReadCase{"PointHalf", "0.5", 0.5, 0.5}, ReadCase{"LeadingSeparator", ",25", 0.25, kNo},
        ReadCase{"TrailingSeparator", "3.", 3.0, 3.0}, ReadCase{"BlanksAround", "  7,5\t", 7.5, kNo},
        ReadCase{"Exponent", "1e3", 1000.0, 1000.0}, ReadCase{"CommaExponent", "2,5E-3", 0.0025, kNo},
        ReadCase{"Empty", "", kNo, kNo}, ReadCase{"OnlyBlanks", "   ", kNo, kNo}, ReadCase{"Letters", "abc", kNo, kNo},
        ReadCase{"TrailingJunk", "1x", kNo, kNo}, ReadCase{"InnerBlank", "1 000", kNo, kNo},
        ReadCase{"GroupSeparators", "1.000,5", kNo, kNo}, ReadCase{"TwoCommas", "1,5,5", kNo, kNo},
        ReadCase{"LoneSign", "-", kNo, kNo}, ReadCase{"LoneSeparator", ",", kNo, kNo},
        ReadCase{"ExponentWithoutDigits", "1e", kNo, kNo}, ReadCase{"NaN", "NaN", kNo, kNo},
        ReadCase{"Infinity", "Inf", kNo, kNo}, ReadCase{"ArabicIndicDigit", "\xd9\xa3", kNo, kNo},
        ReadCase{"LargestAccepted", "1e308", 1e308, 1e308}, ReadCase{"BeyondDoubleRange", "1e309", kNo, kNo},
        ReadCase{"NegativeBeyondRange", "-1e400", kNo, kNo}, ReadCase{"UnderflowReadsAsZero", "1e-400", 0.0, 0.0},
        ReadCase{"Subnormal", "4e-320", 4e-320, 4e-320},
        ReadCase{"HugeExponentDigits", "1e99999999999999999999", kNo, kNo},
        ReadCase{"ZeroWithHugeExponent", "0e99999999999999999999", 0.0, 0.0},
        ReadCase{"ManyLeadingZeros", "0000000000000000000000000000042", 42.0, 42.0}),
    testing::rowName);

TEST(TextToDouble, UsesTheWholeOfAVeryLongText)
{
    const std::string longFour = std::string(1'000'000, '0') + "4";
    EXPECT_EQ(*textToDouble(longFour, NumberLocale::german()), 4.0);
    EXPECT_FALSE(textToDouble(longFour + "x", NumberLocale::german()).ok());
}

TEST(TextToDouble, AcceptsAMultiByteSeparator)
{
    const NumberLocale arabic{"\xd9\xab"}; // U+066B, the Arabic decimal separator
    EXPECT_EQ(*textToDouble("1\xd9\xab"
                            "5",
                            arabic),
              1.5);
    EXPECT_EQ(*textToDouble("1.5", arabic), 1.5);
}

struct CurrencyCase {
    const char* name;
    const char* text;
    std::optional<std::int64_t> ticks;
};

class TextToCurrency : public ::testing::TestWithParam<CurrencyCase> {};

TEST_P(TextToCurrency, HoldsFourDecimals)
{
    const auto& c = GetParam();
    const auto r = textToCurrency(c.text, NumberLocale::german());
    ASSERT_EQ(r.ok(), c.ticks.has_value());
    if (c.ticks) {
        EXPECT_EQ(r->ticks(), *c.ticks);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TextToCurrency,
    ::testing::Values(CurrencyCase{"Zero", "0", 0}, CurrencyCase{"Two", "2", 20000}, CurrencyCase{"Half", "0,5", 5000},
                      CurrencyCase{"FiveDecimalsRoundUp", "0,12346", 1235}, CurrencyCase{"TieToEvenDown", "0,00005", 0},
                      CurrencyCase{"TieToEvenUp", "0,00015", 2}, CurrencyCase{"AboveTieRoundsUp", "0,000050001", 1},
                      CurrencyCase{"NegativeTie", "-0,00015", -2}, CurrencyCase{"Exponent", "1e3", 10000000},
                      CurrencyCase{"SmallExponent", "25e-4", 25}, CurrencyCase{"TieFromExponent", "25e-5", 2},
                      CurrencyCase{"Maximum", "922337203685477,5807", INT64_MAX},
                      CurrencyCase{"Minimum", "-922337203685477,5808", INT64_MIN},
                      CurrencyCase{"AboveMaximum", "922337203685477,5808", kNo},
                      CurrencyCase{"RoundsAboveMaximum", "922337203685477,58075", kNo},
                      CurrencyCase{"BelowMinimum", "-922337203685477,5809", kNo},
                      CurrencyCase{"FarOutOfRange", "1e30", kNo}, CurrencyCase{"Empty", "", kNo},
                      CurrencyCase{"Letters", "abc", kNo}, CurrencyCase{"TinyIsZero", "1e-400", 0}),
    testing::rowName);

struct WriteCase {
    const char* name;
    double value;
    const char* german;
};

class NumberToText : public ::testing::TestWithParam<WriteCase> {};

TEST_P(NumberToText, WritesShortestFifteenDigitForm)
{
    const auto& c = GetParam();
    EXPECT_EQ(numberToText(c.value, NumberLocale::german()), c.german);
    std::string english = c.german;
    for (auto& ch : english)
        if (ch == ',')
            ch = '.';
    EXPECT_EQ(numberToText(c.value, NumberLocale::english()), english);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NumberToText,
    ::testing::Values(WriteCase{"Zero", 0.0, "0"}, WriteCase{"NegativeZero", -0.0, "0"},
                      WriteCase{"Hundredth", 0.01, "0,01"}, WriteCase{"OneAndAHalf", 1.5, "1,5"},
                      WriteCase{"Hundred", 100.0, "100"}, WriteCase{"Negative", -108.25, "-108,25"},
                      WriteCase{"RoundedToFifteenDigits", 0.1 + 0.2, "0,3"},
                      WriteCase{"Third", 1.0 / 3.0, "0,333333333333333"},
                      WriteCase{"FifteenIntegerDigits", 123456789012345.0, "123456789012345"},
                      WriteCase{"SixteenIntegerDigits", 1234567890123456.0, "1,23456789012346E+15"},
                      WriteCase{"Large", 1e20, "1E+20"}, WriteCase{"SmallFixed", 0.00001, "0,00001"},
                      WriteCase{"SmallScientific", 1.5e-7, "1,5E-07"},
                      WriteCase{"SweepEnd", 4.999000000000008, "4,99900000000001"},
                      WriteCase{"LargestDoubleStaysReadable", DBL_MAX, "1,79769313486231E+308"},
                      WriteCase{"MostNegativeDouble", -DBL_MAX, "-1,79769313486231E+308"}),
    testing::rowName);

TEST(NumberToText, SinglesAndCurrencyUseTheirOwnPrecision)
{
    const auto de = NumberLocale::german();
    EXPECT_EQ(singleToText(0.1F, de), "0,1");
    EXPECT_EQ(currencyToText(Currency::fromTicks(-12345), de), "-1,2345");
    EXPECT_EQ(currencyToText(Currency::fromTicks(20000), de), "2");
    EXPECT_EQ(currencyToText(Currency::min(), de), "-922337203685477,5808");
}

TEST(NumberToText, ReadsBackToFifteenDigits)
{
    for (const double v :
         {1.0 / 7.0, -2.0 / 3.0, 6.02214076e23, 1.602e-19, 123.456, 1e308, 4.9e-324, DBL_MAX, -DBL_MAX}) {
        const auto back = textToDouble(numberToText(v, NumberLocale::german()), NumberLocale::german());
        ASSERT_TRUE(back.ok()) << v;
        EXPECT_NEAR(*back, v, std::fabs(v) * 1e-14) << v;
    }
}

} // namespace
} // namespace kurvix
