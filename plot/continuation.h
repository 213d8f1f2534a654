#pragma once

// How the plot run goes on after a value operation fails.

#include "numbers/result.h"

#include <utility>

namespace kurvix {

// Runs statements so that a failure abandons only the statement it happens
// in: the statement returns its fault, it is dropped here, and the caller
// goes on with the next one. Nothing is ever reported to the user.
class Continuation {
public:
    template <class Statement>
    void operator()(Statement&& statement)
    {
        static_cast<void>(Status(std::forward<Statement>(statement)()));
    }
};

} // namespace kurvix
