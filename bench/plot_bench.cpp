#include "plot/plot_command.h"
#include "support/fakes.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace kurvix {
namespace {

// Light in-memory controls: everything a run reads and writes per sample,
// without the recording that tests need.
class Surface : public DrawingSurface {
public:
    Status Picture(PictureData) override { return {}; }
    Status ScaleMode(Unit) override { return {}; }
    Result<float> ScaleWidth() override { return 13.968F; }
    Result<float> ScaleHeight() override { return 10.582F; }
    Status CurrentX(float) override { return {}; }
    Status CurrentY(float) override { return {}; }
    Status Print(std::int32_t) override { return {}; }
    Status Line(PointF, PointF, Colour) override { return {}; }
    Status PSet(PointF p) override
    {
        last_ = p;
        benchmark::DoNotOptimize(last_);
        return {};
    }

private:
    PointF last_;
};

class StatusLabel : public Label {
public:
    Status Caption(std::string_view text) override
    {
        text_.assign(text);
        benchmark::DoNotOptimize(text_.data());
        return {};
    }

private:
    std::string text_;
};

class NoBox : public MessageBox {
public:
    Status MsgBox(std::string_view) override { return {}; }
};

class Pump : public EventPump {
public:
    Yield DoEvents() override { return Yield::Continue; }
};

void runPlots(benchmark::State& state, const std::map<int, std::string>& fields)
{
    testing::FakeForm form;
    for (const auto& [field, text] : fields)
        form.Text(field).setText(text);
    Surface surface;
    StatusLabel lblinfo;
    NoBox box;
    Pump pump;
    const Controls controls = form.controls(surface, lblinfo, box, pump);
    const auto locale = NumberLocale::german();
    for (auto _ : state)
        Command1_Click(controls, locale);
    state.counters["ns_per_sample"] = benchmark::Counter(10000.0 * static_cast<double>(state.iterations()),
                                                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_PlotRun_Default(benchmark::State& state) { runPlots(state, {}); }
void BM_PlotRun_FailureHeavy(benchmark::State& state) { runPlots(state, {{5, ""}, {10, "abc"}, {9, "0,5"}}); }
void BM_PlotRun_MillionCharacterField(benchmark::State& state)
{
    runPlots(state, {{2, std::string(999'999, '0') + "4"}});
}

BENCHMARK(BM_PlotRun_Default)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlotRun_FailureHeavy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlotRun_MillionCharacterField)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kurvix

BENCHMARK_MAIN();
