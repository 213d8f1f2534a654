#pragma once

#include <concepts>
#include <ostream>
#include <string>

namespace kurvix::testing {

// Table rows carry a name: it names the generated test and is what a
// failure prints instead of the row's bytes.
template <class Row>
requires requires(const Row& r)
{
    {
        r.name
        } -> std::convertible_to<const char*>;
}
void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

inline constexpr auto rowName = [](const auto& info) { return std::string(info.param.name); };

} // namespace kurvix::testing
