#pragma once

namespace kurvix {

enum class Yield { Continue, WindowGone };

// Handles all pending window events, including a click that starts a nested
// plot run. WindowGone means the controls no longer exist: touch none again.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual Yield DoEvents() = 0;
};

} // namespace kurvix
