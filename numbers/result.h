#pragma once

// A value or the fault that prevented it: how every operation reports failure.

#include <cstdint>
#include <utility>
#include <variant>

namespace kurvix {

// Why an operation failed. The plot run absorbs them and goes on; the
// window names a field's to the user ("keine Zahl", "zu groß").
enum class Fault : std::uint8_t {
    NotANumber,
    DivisionByZero,
    Overflow,        // outside the range of the result's kind
    InvalidArgument, // e.g. negative base with a fractional exponent
};

// Either a value or the fault that prevented it. Faults are ordinary return
// values: a failing sample must cost no more than a succeeding one.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : data_(std::move(value)) {}
    Result(Fault fault) : data_(fault) {}

    [[nodiscard]] bool ok() const { return data_.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& operator*() const& { return std::get<0>(data_); }
    const T* operator->() const { return &std::get<0>(data_); }

    [[nodiscard]] Fault fault() const { return std::get<1>(data_); }

private:
    std::variant<T, Fault> data_;
};

} // namespace kurvix
