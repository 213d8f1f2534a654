#pragma once

#include "result.h"
#include "shared_text.h"

#include <functional>
#include <string_view>

namespace kurvix {

// The control's current text, never null. Valid until the next DoEvents;
// a reader that keeps the text copies the shared pointer, never the string.
using TextRef = std::reference_wrapper<const SharedText>;

class TextBox {
public:
    virtual ~TextBox() = default;
    virtual Result<TextRef> Text() = 0;
};

class Label {
public:
    virtual ~Label() = default;
    virtual Status Caption(std::string_view caption) = 0;
};

} // namespace kurvix
