#pragma once

// The window as the plot run sees it: the plotting area, the unit box, the
// ten term fields, the status line, a message box and the window's events.

#include "plot/plotting_area.h"
#include "plot/shared_text.h"

#include <array>
#include <functional>
#include <string_view>

namespace kurvix {

// A field's or the unit box's current text. Valid until the next yield; a
// reader that keeps the text copies the shared pointer, not the string.
class TextSource {
public:
    virtual ~TextSource() = default;
    [[nodiscard]] virtual const SharedText& sharedText() const = 0;
};

class StatusLine {
public:
    virtual ~StatusLine() = default;
    virtual void setStatus(std::string_view text) = 0;
};

// A modal box with the message and one OK button; returns when dismissed.
class Messages {
public:
    virtual ~Messages() = default;
    virtual void showMessage(std::string_view message) = 0;
};

// Continue: go on with the next sample. StartOver: a press was merged into
// this run; begin it again from the start. EndRun: stop at once and touch no
// part of the window again (it has gone, or a nested run ended with the
// message box).
enum class Yield { Continue, StartOver, EndRun };

// Handles the window's pending events, a press that starts a nested plot run
// among them.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual Yield yieldToWindow() = 0;
};

inline constexpr int kTermFieldCount = 10;
using TermFieldSources = std::array<std::reference_wrapper<TextSource>, kTermFieldCount>;

struct WindowParts {
    PlottingArea& area;
    TextSource& unitBox;
    TermFieldSources fields; // in the formula's order, from 1
    StatusLine& status;
    Messages& messages;
    WindowEvents& events;

    [[nodiscard]] TextSource& field(int number) const { return fields.at(static_cast<std::size_t>(number - 1)); }
};

} // namespace kurvix
