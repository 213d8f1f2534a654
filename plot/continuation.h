#pragma once

// How the plot run goes on after a statement fails.

#include "result.h"

#include <utility>

namespace kurvix {

// Runs statements so that a failure abandons only the statement it happens
// in: the statement returns its fault, it is absorbed here, and the caller
// goes on with the next one. Nothing is ever reported to the user.
class Continuation {
public:
    template <class Statement>
    void operator()(Statement&& statement)
    {
        absorb(std::forward<Statement>(statement)());
    }

    // A condition that cannot be evaluated enters the branch it guards.
    [[nodiscard]] bool enters(const Result<bool>& condition)
    {
        absorb(condition);
        return condition ? *condition : true;
    }

    [[nodiscard]] int absorbed() const { return absorbed_; }

private:
    void absorb(const Status& status)
    {
        if (!status)
            ++absorbed_;
    }

    int absorbed_ = 0;
};

} // namespace kurvix
