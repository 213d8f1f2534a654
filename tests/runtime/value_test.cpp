#include "runtime/value.h"

#include "support/named_rows.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <limits>

namespace kurvix {
namespace {

using testing::PrintTo;

using Kind = Value::Kind;
const NumberLocale kDe = NumberLocale::german();

Value integer(int v) { return Value(static_cast<std::int16_t>(v)); }
Value money(std::int64_t ticks) { return Value(Currency::fromTicks(ticks)); }

struct AddCase {
    const char* name;
    Value a;
    Value b;
    Kind kind;
    double sum;
};

class Add : public ::testing::TestWithParam<AddCase> {};

TEST_P(Add, PromotesToTheExpectedKind)
{
    const auto& c = GetParam();
    const auto r = add(c.a, c.b, kDe);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r->kind(), c.kind);
    EXPECT_DOUBLE_EQ(*toDouble(*r, kDe), c.sum);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Add,
    ::testing::Values(AddCase{"EmptyPlusEmpty", Value(), Value(), Kind::Integer, 0},
                      AddCase{"EmptyPlusDouble", Value(), Value(2.5), Kind::Double, 2.5},
                      AddCase{"CurrencyPlusEmpty", money(30000), Value(), Kind::Currency, 3},
                      AddCase{"IntegerPlusInteger", integer(9999), integer(1), Kind::Integer, 10000},
                      AddCase{"IntegerPlusDouble", integer(-5), Value(0.001), Kind::Double, -4.999},
                      AddCase{"DoublePlusSingle", Value(1.0), Value(0.5F), Kind::Double, 1.5},
                      AddCase{"DoublePlusCurrency", Value(1.0), money(5000), Kind::Double, 1.5},
                      AddCase{"IntegerPlusSingle", integer(1), Value(0.5F), Kind::Single, 1.5},
                      AddCase{"CurrencyPlusInteger", money(5), integer(2), Kind::Currency, 2.0005},
                      AddCase{"TextIsReadAsNumber", Value::text("0,5"), Value(1.0), Kind::Double, 1.5}),
    testing::rowName);

struct FailCase {
    const char* name;
    Result<Value> result;
    Fault fault;
};

class FailingOperation : public ::testing::TestWithParam<FailCase> {};

TEST_P(FailingOperation, ReportsItsFault)
{
    const auto& c = GetParam();
    ASSERT_FALSE(c.result.ok());
    EXPECT_EQ(c.result.fault(), c.fault);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FailingOperation,
    ::testing::Values(FailCase{"IntegerOverflow", add(integer(32767), integer(1), kDe), Fault::Overflow},
                      FailCase{"DoubleOverflow", add(Value(DBL_MAX), Value(DBL_MAX), kDe), Fault::Overflow},
                      FailCase{"CurrencyOverflow", add(Value(Currency::max()), money(1), kDe), Fault::Overflow},
                      FailCase{"SingleOverflow", add(Value(FLT_MAX), Value(FLT_MAX), kDe), Fault::Overflow},
                      FailCase{"NonNumericText", add(Value::text("abc"), Value(1.0), kDe), Fault::TypeMismatch},
                      FailCase{"MultiplyOverflow", multiply(Value(1e200), Value(1e200), kDe), Fault::Overflow},
                      FailCase{"DivideByZero", divide(integer(1), integer(0), kDe), Fault::DivisionByZero},
                      FailCase{"ZeroByZero", divide(Value(0.0), Value(0.0), kDe), Fault::DivisionByZero},
                      FailCase{"DivideOverflow", divide(Value(1e300), Value(1e-300), kDe), Fault::Overflow},
                      FailCase{"NegativeBaseCommaHalf", power(-5.0, Value::text("0,5"), kDe), Fault::InvalidArgument},
                      FailCase{"NonNumericExponent", power(2.0, Value::text("abc"), kDe), Fault::TypeMismatch},
                      FailCase{"EmptyExponentText", power(2.0, Value::text(""), kDe), Fault::TypeMismatch},
                      FailCase{"PowerOverflow", power(10.0, Value(400.0), kDe), Fault::Overflow},
                      FailCase{"ZeroToNegativePower", power(0.0, Value(-1.0), kDe), Fault::Overflow},
                      FailCase{"NegateNonNumericText", negate(Value::text("x"), kDe), Fault::TypeMismatch}),
    testing::rowName);

TEST(Power, WholeExponentsOfNegativeBases)
{
    EXPECT_EQ(power(-5.0, Value::text("2"), kDe)->real(), 25.0);
    EXPECT_EQ(power(-2.0, Value(3.0), kDe)->real(), -8.0);
    EXPECT_EQ(power(4.1e-15, Value(0.0), kDe)->real(), 1.0);
    EXPECT_EQ(power(4.1e-15, Value(23.0), kDe)->real(), 0.0); // underflow is a value, not a failure
}

TEST(Divide, TwoIntegersGiveADouble)
{
    const auto q = divide(integer(150), integer(100), kDe);
    ASSERT_EQ(q->kind(), Kind::Double);
    EXPECT_EQ(q->real(), 1.5);
}

TEST(Negate, KeepsTheKindWhereItCan)
{
    EXPECT_EQ(negate(integer(3), kDe)->integer(), -3);
    EXPECT_EQ(negate(money(5), kDe)->currency().ticks(), -5);
    EXPECT_EQ(negate(Value(0.5F), kDe)->single(), -0.5F);
    const auto widened = negate(integer(std::numeric_limits<std::int16_t>::min()), kDe);
    ASSERT_EQ(widened->kind(), Kind::Double);
    EXPECT_EQ(widened->real(), 32768.0);
    EXPECT_EQ(negate(Value(Currency::min()), kDe)->kind(), Kind::Double);
}

TEST(Concatenate, WritesNumbersWithTheLocale)
{
    const Value percent(0.01);
    EXPECT_EQ(concatenate(Value::text("Berechnung: "), percent, kDe).str(), "Berechnung: 0,01");
    EXPECT_EQ(concatenate(percent, Value::text("%"), NumberLocale::english()).str(), "0.01%");
    EXPECT_EQ(concatenate(Value(), integer(-7), kDe).str(), "-7");
}

TEST(ToSingle, FailsOnlyAboveTheSingleRange)
{
    EXPECT_EQ(*toSingle(Value(FLT_MAX * 1.0), kDe), FLT_MAX);
    EXPECT_EQ(*toSingle(-1e-60), -0.0F);
    EXPECT_EQ(toSingle(Value(1e39), kDe).fault(), Fault::Overflow);
    EXPECT_EQ(toSingle(-1e39).fault(), Fault::Overflow);
    EXPECT_EQ(toSingle(std::numeric_limits<double>::quiet_NaN()).fault(), Fault::Overflow);
}

TEST(ZeroTests, EmptyCountsAsZero)
{
    EXPECT_FALSE(*isNonZero(Value(), kDe));
    EXPECT_FALSE(*isNonZero(Value(-0.0), kDe));
    EXPECT_TRUE(*isNonZero(Value(4.1e-15), kDe));
    EXPECT_TRUE(isZero(Currency{}));
    EXPECT_FALSE(isZero(Currency::fromTicks(1)));
}

TEST(CurrencyFromDouble, RoundsToTheNearestTickWithinRange)
{
    EXPECT_EQ(Currency::fromDouble(0.00014999)->ticks(), 1);
    EXPECT_EQ(Currency::fromDouble(0.00016)->ticks(), 2);
    EXPECT_EQ(Currency::fromDouble(-2.5)->ticks(), -25000);
    EXPECT_FALSE(Currency::fromDouble(1e15).ok());
    EXPECT_FALSE(Currency::fromDouble(std::numeric_limits<double>::infinity()).ok());
}

} // namespace
} // namespace kurvix
