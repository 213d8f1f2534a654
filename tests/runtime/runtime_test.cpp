#include "runtime/continuation.h"
#include "runtime/number_text.h"
#include "runtime/value.h"

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

Value integer(int v) { return Value(static_cast<std::int16_t>(v)); }
Value money(std::int64_t ticks) { return Value(Currency::fromTicks(ticks)); }
Value text(std::string_view t) { return Value::text(t); }

struct OperationCase {
    const char* name;
    Result<Value> got;
    Result<Value> want; // a value of a kind, or a fault
};

class Operation : public ::testing::TestWithParam<OperationCase> {};

TEST_P(Operation, GivesTheValueOfItsKindOrItsFault)
{
    const auto& [name, got, want] = GetParam();
    ASSERT_EQ(got.ok(), want.ok());
    if (!want) {
        EXPECT_EQ(got.fault(), want.fault());
        return;
    }
    const auto shown = [](const Value& v) { return v.kind() == Value::Kind::Text ? v.str() : toText(v, kDe); };
    EXPECT_EQ(got->kind(), want->kind());
    EXPECT_EQ(shown(*got), shown(*want));
}

// Arithmetic keeps or promotes the kind; numbers are written to 15 (singles 7) digits.
const OperationCase kOperations[] = {
    {"EmptyPlusEmptyIsIntegerZero", add(Value(), Value(), kDe), integer(0)},
    {"EmptyPlusIntegerIsTheInteger", add(Value(), integer(5), kDe), integer(5)},
    {"CurrencyPlusEmptyIsTheCurrency", add(money(30000), Value(), kDe), money(30000)},
    {"IntegersAddToTheSmallestInteger", add(integer(-32767), integer(-1), kDe), integer(-32768)},
    {"IntegersAddToTheLargestInteger", add(integer(32766), integer(1), kDe), integer(32767)},
    {"IntegerOverflow", add(integer(-32768), integer(-1), kDe), Fault::Overflow},
    {"IntegerPlusSingleIsSingle", add(integer(1), Value(FLT_MAX), kDe), Value(FLT_MAX)},
    {"SingleOverflow", add(Value(FLT_MAX), Value(FLT_MAX), kDe), Fault::Overflow},
    {"CurrencyPlusIntegerStaysCurrency", add(money(5), integer(2), kDe), money(20005)},
    {"CurrencyOverflow", add(Value(Currency::max()), money(1), kDe), Fault::Overflow},
    {"DoublePlusCurrencyIsDouble", add(Value(1.0), money(5000), kDe), Value(1.5)},
    {"MultiplyReadsTextAndGivesDouble", multiply(integer(3), text("0,5"), kDe), Value(1.5)},
    {"MultiplyOverflow", multiply(Value(1e200), Value(1e200), kDe), Fault::Overflow},
    {"DivideTwoIntegersGivesDouble", divide(integer(3), integer(2), kDe), Value(1.5)},
    {"ZeroByZero", divide(Value(0.0), Value(), kDe), Fault::DivisionByZero},
    {"NegativeBaseWholeTextExponent", power(-5.0, text("2"), kDe), Value(25.0)},
    {"NegativeBaseFractionalExponent", power(-5.0, text("0,5"), kDe), Fault::InvalidArgument},
    {"ZeroToAFractionalPower", power(0.0, Value(0.5), kDe), Value(0.0)},
    {"NonNumericExponent", power(2.0, text(""), kDe), Fault::TypeMismatch},
    {"ZeroToANegativePower", power(0.0, Value(-1.0), kDe), Fault::Overflow},
    {"NegateEmpty", negate(Value(), kDe), integer(0)},
    {"NegateSmallestIntegerWidens", negate(integer(-32768), kDe), Value(32768.0)},
    {"NegateSingle", negate(Value(0.5F), kDe), Value(-0.5F)},
    {"NegateDouble", negate(Value(2.5), kDe), Value(-2.5)},
    {"NegateCurrency", negate(money(5), kDe), money(-5)},
    {"NegateSmallestCurrencyWidens", negate(Value(Currency::min()), kDe), Value(922337203685477.5808)},
    {"NegateNonNumericText", negate(text("x"), kDe), Fault::TypeMismatch},
    {"ConcatenateWritesNumbersInTheLocale", concatenate(text("Berechnung: "), Value(0.01), kDe),
     text("Berechnung: 0,01")},
    {"ConcatenateEmptyIntegerCurrencySingle",
     concatenate(concatenate(Value(), integer(-7), kDe), concatenate(money(-12345), Value(0.25F), kDe), kDe),
     text("-7-1,23450,25")},
    {"NegativeZero", text(numberToText(-0.0, kDe)), text("0")},
    {"ZeroBeforeTheSeparator", text(numberToText(0.01, kDe)), text("0,01")},
    {"FifteenIntegerDigits", text(numberToText(123456789012345.0, kDe)), text("123456789012345")},
    {"SixteenIntegerDigitsTurnScientific", text(numberToText(1234567890123456.0, kDe)), text("1,23456789012346E+15")},
    {"SmallestFixedDecade", text(numberToText(0.00001, kDe)), text("0,00001")},
    {"LargestScientificDecade", text(numberToText(-0.000001, kDe)), text("-1E-06")},
    {"OneDigitExponentPadded", text(numberToText(2e-9, kDe)), text("2E-09")},
    {"TwoDigitExponent", text(numberToText(1.5e-10, kDe)), text("1,5E-10")},
    {"LargestDoubleStaysReadable", text(numberToText(DBL_MAX, kDe)), text("1,79769313486231E+308")},
    {"SingleSevenDigits", text(singleToText(1.2345678F, kDe)), text("1,234568")},
    {"CurrencyZero", text(currencyToText(Currency{}, kDe)), text("0")},
    {"CurrencyWhole", text(currencyToText(Currency::fromTicks(20000), kDe)), text("2")},
    {"CurrencyMinimum", text(currencyToText(Currency::min(), kDe)), text("-922337203685477,5808")},
};
INSTANTIATE_TEST_SUITE_P(Rows, Operation, ::testing::ValuesIn(kOperations), rowName);

struct ReadCase {
    const char* name;
    std::string text;
    std::optional<double> german; // nullopt: not a number
    std::optional<double> english;
    std::optional<std::int64_t> currencyTicks; // read under German
};

class Read : public ::testing::TestWithParam<ReadCase> {};

TEST_P(Read, ReadsTheNumberUnderEachLocaleAndAsCurrency)
{
    const auto& c = GetParam();
    const auto value = [](const auto& r) { return r ? std::optional<double>(*r) : std::nullopt; };
    EXPECT_EQ(value(textToDouble(c.text, kDe)), c.german);
    EXPECT_EQ(value(textToDouble(c.text, kEn)), c.english);
    const auto currency = textToCurrency(c.text, kDe);
    EXPECT_EQ(currency ? std::optional(currency->ticks()) : std::nullopt, c.currencyTicks);
}

const ReadCase kReads[] = {
    {"BlanksAround", "   7,5\t", 7.5, kNo, 75000},
    {"PointIsAlwaysASeparator", "0.5", 0.5, 0.5, 5000},
    {"SignedCapitalExponent", "+2,5E-3", 0.0025, kNo, 25},
    {"Empty", "", kNo, kNo, kNo},
    {"ManyLeadingZeros", std::string(1000, '0') + "42", 42.0, 42.0, 420000},
    {"ZeroWithHugeExponent", "0e99999999999999999999", 0.0, 0.0, 0},
    {"BeyondTheDoubleRange", "1e309", kNo, kNo, kNo},
    {"BelowTheSubnormalsIsZero", "-1e-325", -0.0, -0.0, 0},
    {"CurrencyRoundsUpFromTheFifthDecimal", "0,12346", 0.12346, kNo, 1235},
    {"CurrencyRoundsAtItsFirstDigit", "6e-5", 6e-5, 6e-5, 1},
    {"CurrencyTieWithTrailingZeroToEvenDown", "0,000050", 0.00005, kNo, 0},
    {"CurrencyTieToEvenUp", "-0,00015", -0.00015, kNo, -2},
    {"CurrencyAboveTheTieRoundsUp", "0,000050001", 0.000050001, kNo, 1},
    {"CurrencyTieFromTheExponent", "25e-5", 25e-5, 25e-5, 2},
    {"CurrencyMaximum", "922337203685477,5807", 922337203685477.5807, kNo, INT64_MAX},
    {"CurrencyMinimum", "-922337203685477,5808", -922337203685477.5808, kNo, INT64_MIN},
    {"CurrencyAboveTheMaximum", "922337203685477,5808", 922337203685477.5808, kNo, kNo},
    {"CurrencyFarOutOfRange", "1e30", 1e30, 1e30, kNo},
    {"GermanGroupsThousands", "-12.345.678", -12345678.0, kNo, -123456780000},
    {"GermanGroupsBeforeTheComma", "1.234,5e1", 12345.0, kNo, 123450000},
    {"EnglishGroupsThousands", "1,000", 1.0, 1000.0, 10000},
    {"GroupAfterZeroIsAPoint", "0.001", 0.001, 0.001, 10},
    {"GroupOfTwoIsAPoint", "1.00", 1.0, 1.0, 10000},
    {"GroupThenPointIsNoNumber", "1.000.5", kNo, kNo, kNo},
    {"GroupWithALetterIsNoNumber", "1.0a0", kNo, kNo, kNo},
    {"FourDigitsBeforeThePointAreNoGroup", "1234.567", 1234.567, 1234.567, 12345670},
};
INSTANTIATE_TEST_SUITE_P(Rows, Read, ::testing::ValuesIn(kReads), rowName);

TEST(Read, TakesAMultiByteSeparatorAndNoCharacterBeyondTheText)
{
    EXPECT_EQ(*textToDouble("1\u066b5", NumberLocale{"\u066b"}), 1.5); // the Arabic decimal separator
    EXPECT_EQ(*textToDouble(std::string_view("125").substr(0, 2), kDe), 12.0);
}

TEST(Conversions, HoldTheirLimits)
{
    EXPECT_EQ(*toSingle(Value(double{FLT_MAX}), kDe), FLT_MAX);
    EXPECT_FALSE(toSingle(-1e39).ok());
    EXPECT_EQ(Currency::fromDouble(-922337203685477.5808)->ticks(), INT64_MIN);
    EXPECT_FALSE(Currency::fromDouble(922337203685477.5808).ok()); // just above the largest
    EXPECT_FALSE(*isNonZero(Value(), kDe));
    EXPECT_TRUE(isZero(Currency{}));
    EXPECT_FALSE(isZero(Currency::fromTicks(1)));
}

TEST(Continuation, AbsorbsFailuresAndEntersTheBranchOfAFailingCondition)
{
    Continuation on;
    on([] { return Status(Fault::Overflow); });
    on([] { return Status(); });
    EXPECT_TRUE(on.enters(Result<bool>(Fault::ControlUnavailable)));
    EXPECT_TRUE(on.enters(true));
    EXPECT_FALSE(on.enters(false));
    EXPECT_EQ(on.absorbed(), 2);
}

} // namespace
} // namespace kurvix
