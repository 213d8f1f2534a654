#pragma once

#include "number_locale.h"
#include "value.h"

#include <cstdint>

namespace kurvix {

// A counted loop over a value cell. The step is added to the cell after each
// pass, never recomputed from the pass count, so rounding accumulates: from
// -5 to 5 by 0.001 that gives exactly 10,000 passes, the last near 4.999.
class CountedLoop {
public:
    CountedLoop(std::int16_t start, std::int16_t end, double step, const NumberLocale& locale)
        : cell_(start), end_(end), step_(step), locale_(locale)
    {
    }

    [[nodiscard]] bool running() const { return running_; }
    [[nodiscard]] double value() const { return current_; }

    void next()
    {
        const auto advanced = add(cell_, step_, locale_);
        if (!advanced) {
            running_ = false;
            return;
        }
        cell_ = *advanced;
        current_ = *toDouble(cell_, locale_);
        running_ = current_ <= end_;
    }

private:
    Value cell_;
    std::int16_t end_;
    Value step_;
    const NumberLocale& locale_;
    double current_ = cell_.integer();
    bool running_ = current_ <= end_;
};

} // namespace kurvix
