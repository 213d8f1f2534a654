#pragma once

// The plot runs that presses of "Berechnen" start: nested, merged, paced to the screen.

#include "numbers/number_locale.h"
#include "plot/plot_run.h"
#include "ui/frame_pacer.h"

#include <QObject>

#include <functional>
#include <optional>

class QWidget;

namespace kurvix::ui {

// What a run reads and draws on; the events and the message box come from PlotRuns.
struct RunTargets {
    PlottingArea& area;
    TextSource& unitBox;
    TermFieldSources fields;
    StatusLine& status;
};

// Runs the plot for each press. A press during a run starts a complete run
// inside it; beyond eight deep it starts the innermost run over instead. A run
// that shows the "no function" box ends the runs it interrupted too. Between
// samples the window handles its events, and what the runs drew reaches the
// screen at most once a frame.
class PlotRuns : public QObject, private WindowEvents, private Messages {
    Q_OBJECT

public:
    static constexpr int kMaxNested = 8;

    // `present` shows what was drawn and said; `window` owns the message box.
    PlotRuns(RunTargets targets, NumberLocale locale, QWidget& window, std::function<void()> present);

    // Runs the plot for a press and says how it ended (a run that ended
    // because a nested one found no function ended for want of a function
    // too); nothing where the press only started the innermost run over, or
    // the window has gone.
    std::optional<RunEnd> press();
    // The window has gone: every run returns at its next yield, and no press starts one.
    void stop() { stopped_ = true; }
    [[nodiscard]] int depth() const { return depth_; }

private:
    Yield yieldToWindow() override;
    void showMessage(std::string_view message) override;
    void present();

    RunTargets targets_;
    NumberLocale locale_;
    QWidget& window_;
    std::function<void()> present_;
    FramePacer framePacer_;
    FramePacer eventPacer_{std::chrono::milliseconds(1)}; // passes through the event loop
    int depth_ = 0;
    bool stopped_ = false;
    bool startOver_ = false; // a press was merged into the innermost run
    bool endingAll_ = false; // a nested run found no function: the runs it interrupted end too
};

} // namespace kurvix::ui
