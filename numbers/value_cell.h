#pragma once

// A value cell, the kind of variable the plot run counts and sweeps with.

#include "numbers/result.h"

#include <cstdint>
#include <variant>

namespace kurvix {

// Empty until first set, then a 16-bit integer or a double. Empty counts as 0.
class ValueCell {
public:
    enum class Kind : std::uint8_t { Empty, Integer, Double };

    ValueCell() = default;
    explicit ValueCell(std::int16_t v) : data_(v) {}
    explicit ValueCell(double v) : data_(v) {}

    [[nodiscard]] Kind kind() const { return static_cast<Kind>(data_.index()); }
    [[nodiscard]] bool isEmpty() const { return kind() == Kind::Empty; }
    [[nodiscard]] std::int16_t integer() const { return std::get<std::int16_t>(data_); }
    [[nodiscard]] double number() const;

private:
    std::variant<std::monostate, std::int16_t, double> data_;
};

// empty + v = v; integer + integer = integer; otherwise double. Fails where
// the sum leaves the range of its kind.
Result<ValueCell> add(const ValueCell& a, const ValueCell& b);

} // namespace kurvix
