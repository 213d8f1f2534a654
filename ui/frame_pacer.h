#pragma once

// Paces painting and event handling to the screen's refresh during a run.

#include <QElapsedTimer>

#include <chrono>

namespace kurvix::ui {

// Says when a frame's worth of time (one refresh of the screen) has passed
// since the last frame, so a run that yields ten thousand times paints at
// most once per refresh.
class FramePacer {
public:
    explicit FramePacer(std::chrono::milliseconds interval = std::chrono::milliseconds(16)) : interval_(interval)
    {
        timer_.start();
    }

    [[nodiscard]] bool due() const { return timer_.elapsed() >= interval_.count(); }
    void restart() { timer_.restart(); }

private:
    QElapsedTimer timer_;
    std::chrono::milliseconds interval_;
};

} // namespace kurvix::ui
