#include "ui/plot_runs.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace kurvix::ui {

PlotRuns::PlotRuns(RunTargets targets, NumberLocale locale, QWidget& window, std::function<void()> present)
    : QObject(&window), targets_(targets), locale_(std::move(locale)), window_(window), present_(std::move(present))
{
    if (const QScreen* s = window.screen(); s && s->refreshRate() >= 1) {
        const auto frame = std::chrono::milliseconds(static_cast<int>(1000 / s->refreshRate()));
        framePacer_ = FramePacer(std::clamp(frame, std::chrono::milliseconds(4), std::chrono::milliseconds(50)));
    }
}

std::optional<RunEnd> PlotRuns::press()
{
    if (stopped_)
        return std::nullopt; // a click still queued when the window closed
    if (depth_ >= kMaxNested) {
        startOver_ = true;
        return std::nullopt;
    }
    const QPointer<PlotRuns> guard(this);
    ++depth_;
    RunEnd end = runPlot({targets_.area, targets_.unitBox, targets_.fields, targets_.status, *this, *this}, locale_);
    if (!guard)
        return RunEnd::Stopped;
    --depth_;
    if (end == RunEnd::Stopped && endingAll_)
        end = RunEnd::NoFunction;
    endingAll_ = depth_ > 0 && end == RunEnd::NoFunction;
    if (depth_ == 0)
        startOver_ = false; // a press merged into a run that has ended since
    return stopped_ ? RunEnd::Stopped : end;
}

void PlotRuns::present()
{
    present_();
    framePacer_.restart();
}

Yield PlotRuns::yieldToWindow()
{
    if (framePacer_.due())
        present();
    if (!eventPacer_.due())
        return Yield::Continue;
    eventPacer_.restart();
    const QPointer<PlotRuns> guard(this);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // After the events nothing of this object may be touched unless it still exists.
    if (!guard || guard->stopped_ || guard->endingAll_)
        return Yield::EndRun;
    if (std::exchange(startOver_, false))
        return Yield::StartOver;
    return Yield::Continue;
}

void PlotRuns::showMessage(std::string_view message)
{
    present();
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), QString::fromUtf8(message),
                    QMessageBox::Ok, &window_);
    box.exec();
}

} // namespace kurvix::ui
