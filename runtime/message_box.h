#pragma once

#include "result.h"

#include <string_view>

namespace kurvix {

// A modal box with the prompt and one OK button, titled with the
// application title; returns when dismissed.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual Status MsgBox(std::string_view prompt) = 0;
};

} // namespace kurvix
