#include "drawing/drawing_export.h"
#include "ui/plot_window.h"
#include "ui/plotting_area_widget.h"

#include <benchmark/benchmark.h>

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QElapsedTimer>
#include <QTest>

#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// One shown window for all iterations, as a user would have it; main()
// destroys it while the application still exists.
std::unique_ptr<kurvix::ui::PlotWindow>& windowSlot()
{
    static std::unique_ptr<kurvix::ui::PlotWindow> window;
    return window;
}

kurvix::ui::PlotWindow& shownWindow()
{
    auto& window = windowSlot();
    if (!window) {
        window = std::make_unique<kurvix::ui::PlotWindow>();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qFatal("window not exposed");
    }
    return *window;
}

// The longest a run goes on its own: from the last thing the event loop did
// (a pass starting, an event delivered) to the next pass starting.
class StretchWatch : public QObject {
public:
    StretchWatch()
    {
        QCoreApplication::instance()->installEventFilter(this);
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, this, [this] {
            const qint64 now = clock_.nsecsElapsed();
            longest_ = std::max(longest_, now - lastActivity_);
            lastActivity_ = now;
        });
    }
    void startRun()
    {
        clock_.start();
        lastActivity_ = 0;
        longest_ = 0;
    }
    [[nodiscard]] qint64 longest() const { return longest_; }

protected:
    bool eventFilter(QObject*, QEvent*) override
    {
        lastActivity_ = clock_.nsecsElapsed();
        return false;
    }

private:
    QElapsedTimer clock_;
    qint64 lastActivity_ = 0;
    qint64 longest_ = 0;
};

// Presses "Berechnen" once an iteration: from the click to "Fertig...",
// painting of the final frame included. Also reports the median over the runs
// of each run's longest stretch without the event loop.
void timePresses(benchmark::State& state, kurvix::ui::PlotWindow& window)
{
    std::vector<qint64> longestOfEachRun;
    StretchWatch watch;
    for (auto _ : state) {
        watch.startRun();
        window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        longestOfEachRun.push_back(watch.longest());
        QCoreApplication::processEvents();
    }
    std::sort(longestOfEachRun.begin(), longestOfEachRun.end());
    state.counters["longest_stretch_ms_median_run"] =
        static_cast<double>(longestOfEachRun[longestOfEachRun.size() / 2]) / 1e6;
    if (window.findChild<QLabel*>(QStringLiteral("lblinfo"))->text() != QStringLiteral("Fertig..."))
        state.SkipWithError("run did not finish");
}

void BM_WindowRun_Default(benchmark::State& state) { timePresses(state, shownWindow()); }
BENCHMARK(BM_WindowRun_Default)->Unit(benchmark::kMillisecond)->MinTime(2);

// The same with Text2 holding a million characters (999,999 zeros, then 4).
void BM_WindowRun_MillionCharacterField(benchmark::State& state)
{
    auto& window = shownWindow();
    auto* field = window.findChild<QLineEdit*>(QStringLiteral("Text2"));
    const QString original = field->text();
    field->setText(QString(999'999, QLatin1Char('0')) + QLatin1Char('4'));
    timePresses(state, window);
    field->setText(original);
}
BENCHMARK(BM_WindowRun_MillionCharacterField)->Unit(benchmark::kMillisecond)->MinTime(2);

// The drawing of a full default run leaving the window: to the clipboard, or
// saved whole to a file; each iteration from the list to the last byte.
kurvix::ui::PlottingAreaWidget& afterOneRun(benchmark::State& state)
{
    auto& window = shownWindow();
    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    auto& area = *window.findChild<kurvix::ui::PlottingAreaWidget*>(QStringLiteral("Picture1"));
    std::size_t bytes = 0; // what the list holds
    for (const auto& operation : area.drawing().operations()) {
        bytes += sizeof operation;
        if (const auto* dots = std::get_if<kurvix::drawing::Drawing::Dots>(&operation))
            bytes += dots->at.capacity() * sizeof(QPoint);
    }
    state.counters["list_KiB"] = static_cast<double>(bytes) / 1024;
    return area;
}

void BM_Export_Copy(benchmark::State& state)
{
    QAction* copy = afterOneRun(state).actions().value(0);
    for (auto _ : state)
        copy->trigger();
}
BENCHMARK(BM_Export_Copy)->Unit(benchmark::kMillisecond);

void timeSave(benchmark::State& state, kurvix::drawing::FileFormat format)
{
    auto& area = afterOneRun(state);
    const kurvix::drawing::Sheet sheet{area.size(), area.sizeInInches(), area.background()};
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Kurve.") + kurvix::drawing::suffix(format));
    for (auto _ : state)
        if (kurvix::drawing::save(area.drawing(), sheet, {path, format}))
            state.SkipWithError("not saved");
    state.counters["file_KiB"] = static_cast<double>(QFileInfo(path).size()) / 1024;
}
BENCHMARK_CAPTURE(timeSave, Pdf, kurvix::drawing::FileFormat::Pdf)
    ->Name("BM_Export_SavePdf")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(timeSave, Svg, kurvix::drawing::FileFormat::Svg)
    ->Name("BM_Export_SaveSvg")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(timeSave, Png, kurvix::drawing::FileFormat::Png)
    ->Name("BM_Export_SavePng")
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kurvomat"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    windowSlot().reset();
    return 0;
}
