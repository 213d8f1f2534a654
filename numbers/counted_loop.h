#pragma once

// The loop that sweeps x over the plot's samples.

#include "numbers/value_cell.h"

#include <cstdint>

namespace kurvix {

// A counted loop over a value cell. The step is added to the cell after each
// pass, never recomputed from the pass count, so rounding accumulates: from
// -5 to 5 by 0.001 that gives exactly 10,000 passes, the last near 4.999.
class CountedLoop {
public:
    CountedLoop(std::int16_t start, std::int16_t end, double step) : cell_(start), end_(end), step_(step) {}

    [[nodiscard]] bool running() const { return running_; }
    [[nodiscard]] double value() const { return current_; }

    void next()
    {
        const auto advanced = add(cell_, step_);
        if (!advanced) {
            running_ = false;
            return;
        }
        cell_ = *advanced;
        current_ = cell_.number();
        running_ = current_ <= end_;
    }

private:
    ValueCell cell_;
    std::int16_t end_;
    ValueCell step_;
    double current_ = cell_.number();
    bool running_ = current_ <= end_;
};

} // namespace kurvix
