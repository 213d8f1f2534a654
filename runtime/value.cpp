#include "value.h"

#include "number_text.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace kurvix {
namespace {

using Kind = Value::Kind;

Result<double> finite(double v)
{
    if (!std::isfinite(v))
        return Fault::Overflow;
    return v;
}

Result<Value> finiteDouble(double v)
{
    if (!std::isfinite(v))
        return Fault::Overflow;
    return Value(v);
}

Result<Value> addIntegers(std::int16_t a, std::int16_t b)
{
    const int sum = a + b;
    if (sum < std::numeric_limits<std::int16_t>::min() || sum > std::numeric_limits<std::int16_t>::max())
        return Fault::Overflow;
    return Value(static_cast<std::int16_t>(sum));
}

Result<Value> addSingles(double a, double b)
{
    const double sum = a + b;
    if (std::fabs(sum) > FLT_MAX)
        return Fault::Overflow;
    return Value(static_cast<float>(sum));
}

Currency asCurrency(const Value& v)
{
    return v.kind() == Kind::Integer ? Currency::fromTicks(v.integer() * Currency::kScale) : v.currency();
}

bool isOneOf(Kind k, Kind a, Kind b) { return k == a || k == b; }

} // namespace

Result<double> toDouble(const Value& v, const NumberLocale& locale)
{
    switch (v.kind()) {
    case Kind::Empty: return 0.0;
    case Kind::Integer: return static_cast<double>(v.integer());
    case Kind::Single: return static_cast<double>(v.single());
    case Kind::Double: return v.real();
    case Kind::Currency: return v.currency().toDouble();
    case Kind::Text: return textToDouble(v.str(), locale);
    }
    return Fault::TypeMismatch;
}

Result<Value> add(const Value& a, const Value& b, const NumberLocale& locale)
{
    if (a.isEmpty() && b.isEmpty())
        return Value(std::int16_t{0});
    if (a.isEmpty())
        return b;
    if (b.isEmpty())
        return a;
    const Kind ka = a.kind();
    const Kind kb = b.kind();
    if (ka == Kind::Integer && kb == Kind::Integer)
        return addIntegers(a.integer(), b.integer());
    const auto x = toDouble(a, locale);
    const auto y = toDouble(b, locale);
    if (!x)
        return x.fault();
    if (!y)
        return y.fault();
    if (isOneOf(ka, Kind::Integer, Kind::Single) && isOneOf(kb, Kind::Integer, Kind::Single))
        return addSingles(*x, *y);
    if (isOneOf(ka, Kind::Integer, Kind::Currency) && isOneOf(kb, Kind::Integer, Kind::Currency)) {
        const auto sum = addCurrency(asCurrency(a), asCurrency(b));
        return sum ? Result<Value>(Value(*sum)) : Result<Value>(sum.fault());
    }
    return finiteDouble(*x + *y);
}

Result<double> add(double a, double b) { return finite(a + b); }
Result<double> multiply(double a, double b) { return finite(a * b); }

Result<Value> multiply(const Value& a, const Value& b, const NumberLocale& locale)
{
    const auto x = toDouble(a, locale);
    const auto y = toDouble(b, locale);
    if (!x)
        return x.fault();
    if (!y)
        return y.fault();
    return finiteDouble(*x * *y);
}

Result<double> divide(double a, double b)
{
    if (b == 0)
        return Fault::DivisionByZero;
    const double q = a / b;
    if (!std::isfinite(q))
        return Fault::Overflow;
    return q;
}

Result<Value> divide(const Value& a, const Value& b, const NumberLocale& locale)
{
    const auto x = toDouble(a, locale);
    const auto y = toDouble(b, locale);
    if (!x)
        return x.fault();
    if (!y)
        return y.fault();
    const auto q = divide(*x, *y);
    return q ? Result<Value>(Value(*q)) : Result<Value>(q.fault());
}

Result<double> power(double base, double exponent)
{
    if (base < 0 && std::trunc(exponent) != exponent)
        return Fault::InvalidArgument;
    const double p = std::pow(base, exponent);
    if (!std::isfinite(p))
        return Fault::Overflow;
    return p;
}

Result<Value> power(double base, const Value& exponent, const NumberLocale& locale)
{
    const auto e = toDouble(exponent, locale);
    if (!e)
        return e.fault();
    const auto p = power(base, *e);
    return p ? Result<Value>(Value(*p)) : Result<Value>(p.fault());
}

Result<Value> negate(const Value& v, const NumberLocale& locale)
{
    switch (v.kind()) {
    case Kind::Empty: return Value(std::int16_t{0});
    case Kind::Integer:
        if (v.integer() == std::numeric_limits<std::int16_t>::min())
            return Value(-static_cast<double>(v.integer()));
        return Value(static_cast<std::int16_t>(-v.integer()));
    case Kind::Single: return Value(-v.single());
    case Kind::Double: return Value(-v.real());
    case Kind::Currency:
        if (v.currency() == Currency::min())
            return Value(-v.currency().toDouble());
        return Value(Currency::fromTicks(-v.currency().ticks()));
    case Kind::Text: {
        const auto d = toDouble(v, locale);
        return d ? Result<Value>(Value(-*d)) : Result<Value>(d.fault());
    }
    }
    return Fault::TypeMismatch;
}

std::string toText(const Value& v, const NumberLocale& locale)
{
    switch (v.kind()) {
    case Kind::Empty: return {};
    case Kind::Integer: return std::to_string(v.integer());
    case Kind::Single: return singleToText(v.single(), locale);
    case Kind::Double: return numberToText(v.real(), locale);
    case Kind::Currency: return currencyToText(v.currency(), locale);
    case Kind::Text: return v.str();
    }
    return {};
}

Value concatenate(const Value& a, const Value& b, const NumberLocale& locale)
{
    return Value(makeText(toText(a, locale) + toText(b, locale)));
}

Result<float> toSingle(double v)
{
    if (std::isnan(v) || std::fabs(v) > FLT_MAX)
        return Fault::Overflow;
    return static_cast<float>(v);
}

Result<float> toSingle(const Value& v, const NumberLocale& locale)
{
    const auto d = toDouble(v, locale);
    if (!d)
        return d.fault();
    return toSingle(*d);
}

Result<bool> isNonZero(const Value& v, const NumberLocale& locale)
{
    const auto d = toDouble(v, locale);
    if (!d)
        return d.fault();
    return *d != 0;
}

} // namespace kurvix
