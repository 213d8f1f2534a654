#include "ui/form1.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>

#include <memory>

namespace {

// One shown window for all iterations, as a user would have it; main()
// destroys it while the application still exists.
std::unique_ptr<kurvix::ui::Form1>& windowSlot()
{
    static std::unique_ptr<kurvix::ui::Form1> form;
    return form;
}

kurvix::ui::Form1& shownWindow()
{
    auto& form = windowSlot();
    if (!form) {
        form = std::make_unique<kurvix::ui::Form1>();
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            qFatal("window not exposed");
    }
    return *form;
}

// Presses "Berechnen" once an iteration: from the click to "Fertig...",
// painting of the final frame included.
void timePresses(benchmark::State& state, kurvix::ui::Form1& form)
{
    for (auto _ : state) {
        form.Command1->click();
        QCoreApplication::processEvents();
    }
    if (form.lblinfo->text() != QStringLiteral("Fertig..."))
        state.SkipWithError("run did not finish");
}

void BM_WindowRun_Default(benchmark::State& state) { timePresses(state, shownWindow()); }
BENCHMARK(BM_WindowRun_Default)->Unit(benchmark::kMillisecond)->MinTime(2);

// The same with Text2 holding a million characters (999,999 zeros, then 4).
void BM_WindowRun_MillionCharacterField(benchmark::State& state)
{
    auto& form = shownWindow();
    const QString original = form.Text[1]->text();
    form.Text[1]->setText(QString(999'999, QLatin1Char('0')) + QLatin1Char('4'));
    timePresses(state, form);
    form.Text[1]->setText(original);
}
BENCHMARK(BM_WindowRun_MillionCharacterField)->Unit(benchmark::kMillisecond)->MinTime(2);

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
