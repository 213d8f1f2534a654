#pragma once

#include <string>

namespace kurvix::testing {

// Names each test generated from a table after its row.
inline constexpr auto rowName = [](const auto& info) { return std::string(info.param.name); };

} // namespace kurvix::testing
