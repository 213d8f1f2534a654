#pragma once

#include "currency.h"
#include "number_locale.h"
#include "result.h"
#include "shared_text.h"

#include <cstdint>
#include <string_view>
#include <variant>

namespace kurvix {

// A dynamically typed value. A new cell is empty; empty counts as 0.
class Value {
public:
    enum class Kind : std::uint8_t { Empty, Integer, Single, Double, Currency, Text };

    Value() = default;
    explicit Value(std::int16_t v) : data_(v) {}
    explicit Value(float v) : data_(v) {}
    explicit Value(double v) : data_(v) {}
    explicit Value(Currency v) : data_(v) {}
    explicit Value(SharedText v) : data_(std::move(v)) {}

    static Value text(std::string_view v) { return Value(makeText(v)); }

    [[nodiscard]] Kind kind() const { return static_cast<Kind>(data_.index()); }
    [[nodiscard]] bool isEmpty() const { return kind() == Kind::Empty; }

    [[nodiscard]] std::int16_t integer() const { return std::get<std::int16_t>(data_); }
    [[nodiscard]] float single() const { return std::get<float>(data_); }
    [[nodiscard]] double real() const { return std::get<double>(data_); }
    [[nodiscard]] Currency currency() const { return std::get<Currency>(data_); }
    [[nodiscard]] const std::string& str() const { return *std::get<SharedText>(data_); }

private:
    std::variant<std::monostate, std::int16_t, float, double, Currency, SharedText> data_;
};

// The numeric value of a cell; text is read as a number.
Result<double> toDouble(const Value& v, const NumberLocale& locale);

// empty + v = v; integer + integer = integer; single stays single with
// integers; currency stays currency with integers and currency; otherwise
// double. Text operands are read as numbers. Fails on overflow.
Result<Value> add(const Value& a, const Value& b, const NumberLocale& locale);
Result<Value> multiply(const Value& a, const Value& b, const NumberLocale& locale); // double
// The same rules for two doubles, for callers that already hold them.
Result<double> add(double a, double b);
Result<double> multiply(double a, double b);
Result<Value> divide(const Value& a, const Value& b, const NumberLocale& locale); // double
Result<double> divide(double a, double b);

// Fails for a non-numeric text exponent, a negative base with a fractional
// exponent, and a result that is not a finite number.
Result<double> power(double base, double exponent);
Result<Value> power(double base, const Value& exponent, const NumberLocale& locale);

// Keeps the kind where it can hold the result: the most negative integer or
// currency becomes a double. Fails only for non-numeric text.
Result<Value> negate(const Value& v, const NumberLocale& locale);

// Text of both operands joined; numbers are written with the locale.
Value concatenate(const Value& a, const Value& b, const NumberLocale& locale);
std::string toText(const Value& v, const NumberLocale& locale);

Result<float> toSingle(const Value& v, const NumberLocale& locale);
Result<float> toSingle(double v);

Result<bool> isNonZero(const Value& v, const NumberLocale& locale);
inline bool isZero(Currency c) { return c.isZero(); }

} // namespace kurvix
