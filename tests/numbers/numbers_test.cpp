#include "numbers/arithmetic.h"
#include "numbers/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <optional>
#include <string>

namespace kurvix {
namespace {

const auto rowName = [](const auto& info) { return std::string(info.param.name); };

const NumberLocale kDe = NumberLocale::german();
const NumberLocale kEn = NumberLocale::english();
constexpr auto kNo = std::nullopt;

// The edges of the checked arithmetic; the fuzzer checks that powers are always finite.
TEST(Arithmetic, TakesTheLargestFloatAndNoFractionalPowerOfANegativeBase)
{
    EXPECT_EQ(*toFloat(FLT_MAX), FLT_MAX);
    EXPECT_EQ(power(-5, 0.5).fault(), Fault::InvalidArgument);
    EXPECT_EQ(*power(0, 0.5), 0);
}

struct WrittenCase {
    const char* name;
    double value;
    const char* text;    // under German
    const char* rounded; // to two decimals, as the Kurvendiskussion writes it
};

class Written : public ::testing::TestWithParam<WrittenCase> {};

// Numbers are written to 15 significant digits, as the status line shows them.
TEST_P(Written, ShowsFifteenDigitsOrTwoDecimalsWithTheLocalesSeparator)
{
    EXPECT_EQ(numberToText(GetParam().value, kDe), GetParam().text);
    EXPECT_EQ(roundedToText(GetParam().value, 2, kDe), GetParam().rounded);
}

const WrittenCase kWritten[] = {
    {"NegativeZero", -0.0, "0", "0"},
    {"FifteenIntegerDigits", 123456789012345.0, "123456789012345", "123456789012345"},
    {"SixteenIntegerDigitsTurnScientific", 1234567890123456.0, "1,23456789012346E+15", "1,23456789012346E+15"},
    {"SmallestFixedDecade", 0.00001, "0,00001", "0"},
    {"LargestScientificDecade", -0.000001, "-1E-06", "0"},
    {"TwoDigitExponent", 1.5e-10, "1,5E-10", "0"},
    {"HugeValueWrittenShort", -2.5e299, "-2,5E+299", "-2,5E+299"},
    {"LargestDoubleStaysReadable", DBL_MAX, "1,79769313486231E+308", "1,79769313486231E+308"},
};
INSTANTIATE_TEST_SUITE_P(Rows, Written, ::testing::ValuesIn(kWritten), rowName);

struct ReadCase {
    const char* name;
    std::string text;
    std::optional<double> german; // nullopt: not a number
    std::optional<double> english;
    std::optional<std::int64_t> fixedDecimalTicks; // read under German
};

class Read : public ::testing::TestWithParam<ReadCase> {};

TEST_P(Read, ReadsTheNumberUnderEachLocaleAndAsFixedDecimal)
{
    const auto& c = GetParam();
    const auto value = [](const auto& r) { return r ? std::optional<double>(*r) : std::nullopt; };
    EXPECT_EQ(value(textToDouble(c.text, kDe)), c.german);
    EXPECT_EQ(value(textToDouble(c.text, kEn)), c.english);
    const auto fixed = textToFixedDecimal(c.text, kDe);
    EXPECT_EQ(fixed ? std::optional(fixed->ticks()) : std::nullopt, c.fixedDecimalTicks);
}

const ReadCase kReads[] = {
    {"BlanksAround", "   7,5\t", 7.5, 7.5, 75000},
    {"SignedCapitalExponent", "+2,5E-3", 0.0025, 0.0025, 25},
    {"ManyLeadingZeros", std::string(1000, '0') + "42", 42.0, 42.0, 420000},
    {"FixedDecimalRoundsAtItsFirstDigit", "6e-5", 6e-5, 6e-5, 1},
    {"FixedDecimalTieWithTrailingZeroToEvenDown", "0,000050", 0.00005, 0.00005, 0},
    {"FixedDecimalTieToEvenUp", "-0,00015", -0.00015, -0.00015, -2},
    {"FixedDecimalAboveTheTieRoundsUp", "0,000050001", 0.000050001, 0.000050001, 1},
    {"FixedDecimalMaximum", "922337203685477,5807", 922337203685477.5807, 922337203685477.5807, INT64_MAX},
    {"FixedDecimalMinimum", "-922337203685477,5808", -922337203685477.5808, -922337203685477.5808, INT64_MIN},
    {"FixedDecimalAboveTheMaximum", "922337203685477,5808", 922337203685477.5808, 922337203685477.5808, kNo},
    {"ThreeDigitsBeforeAGroup", "123.456", 123456.0, 123.456, 1234560000},
    {"GermanGroupsBeforeTheComma", "1.234,5e1", 12345.0, kNo, 123450000},
    {"GroupAfterZeroIsAPoint", "0.001", 0.001, 0.001, 10},
    {"FourDigitsBeforeThePointAreNoGroup", "1234.567", 1234.567, 1234.567, 12345670},
};
INSTANTIATE_TEST_SUITE_P(Rows, Read, ::testing::ValuesIn(kReads), rowName);

TEST(Read, TakesAMultiByteSeparatorAndNoCharacterBeyondTheText)
{
    EXPECT_EQ(*textToDouble("1\u066b5", NumberLocale{"\u066b"}), 1.5); // the Arabic decimal separator
    EXPECT_EQ(*textToDouble(std::string_view("125").substr(0, 2), kDe), 12.0);
}

} // namespace
} // namespace kurvix
