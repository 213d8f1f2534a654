#pragma once

namespace kurvix {

// Continue: go on with the next sample. StartOver: a press was merged into
// this run; begin it again from the start. EndRun: stop at once and touch no
// control again (the window has gone, or a nested run ended with the
// message box).
enum class Yield { Continue, StartOver, EndRun };

// Handles the pending window events, including a click that starts a nested
// plot run.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual Yield DoEvents() = 0;
};

} // namespace kurvix
