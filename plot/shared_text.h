#pragma once

// Text that a field and the plot run share without copying.

#include <memory>
#include <string>
#include <string_view>

namespace kurvix {

// Immutable UTF-8 text shared between a field and its readers, so reading
// a field holding a million characters copies nothing.
using SharedText = std::shared_ptr<const std::string>;

inline SharedText makeText(std::string_view text) { return std::make_shared<const std::string>(text); }

} // namespace kurvix
