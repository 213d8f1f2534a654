#include "plot/curve_analysis.h"
#include "plot/plot_run.h"
#include "support/fakes.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace kurvix {
namespace {

// Light in-memory window parts: everything a run reads and writes per sample,
// without the recording that tests need.
class Area : public PlottingArea {
public:
    void clear() override {}
    void setUnit(Unit) override {}
    [[nodiscard]] float widthInUnits() const override { return 13.968F; }
    [[nodiscard]] float heightInUnits() const override { return 10.582F; }
    void setTextX(float) override {}
    void setTextY(float) override {}
    void writeNumber(std::int32_t) override {}
    void drawLine(PointF, PointF, Colour) override {}
    void setPoint(PointF p) override
    {
        last_ = p;
        benchmark::DoNotOptimize(last_);
    }

private:
    PointF last_;
};

class StatusText : public StatusLine {
public:
    void setStatus(std::string_view text) override
    {
        text_.assign(text);
        benchmark::DoNotOptimize(text_.data());
    }

private:
    std::string text_;
};

class NoBox : public Messages {
public:
    void showMessage(std::string_view) override {}
};

class Pump : public WindowEvents {
public:
    Yield yieldToWindow() override { return Yield::Continue; }
};

void runPlots(benchmark::State& state, const std::map<int, std::string>& fields)
{
    testing::FakeWindow fake;
    for (const auto& [field, text] : fields)
        fake.field(field).setText(text);
    Area area;
    StatusText status;
    NoBox box;
    Pump pump;
    const WindowParts window{area, fake.unitBox, fake.sources(), status, box, pump};
    const auto locale = NumberLocale::german();
    for (auto _ : state)
        runPlot(window, locale);
    state.counters["ns_per_sample"] = benchmark::Counter(10000.0 * static_cast<double>(state.iterations()),
                                                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_PlotRun_Default(benchmark::State& state) { runPlots(state, {}); }
void BM_PlotRun_FailureHeavy(benchmark::State& state) { runPlots(state, {{5, ""}, {10, "abc"}, {9, "0,5"}}); }
void BM_PlotRun_MillionCharacterField(benchmark::State& state)
{
    runPlots(state, {{2, std::string(999'999, '0') + "4"}});
}

// The Kurvendiskussion of the fields over the example's.
void analyse(benchmark::State& state, const std::map<int, std::string>& fields)
{
    std::array<std::string, 10> texts{"1", "4", "4", "-2", "1", "2", "2", "1", "0", "0"};
    for (const auto& [field, text] : fields)
        texts.at(static_cast<std::size_t>(field - 1)) = text;
    const FieldTexts view{texts[0], texts[1], texts[2], texts[3], texts[4],
                          texts[5], texts[6], texts[7], texts[8], texts[9]};
    for (auto _ : state)
        benchmark::DoNotOptimize(analyseCurve(readFields(view, NumberLocale::german())));
}
void BM_Analysis_Example(benchmark::State& state) { analyse(state, {}); }
// The slowest of those tried: exponents of a thousand, whose powers overflow and underflow.
void BM_Analysis_LargeExponents(benchmark::State& state) { analyse(state, {{3, "1000"}, {6, "999"}, {9, "-999"}}); }
// Fractional exponents and a pole: every power through std::pow.
void BM_Analysis_FractionalExponents(benchmark::State& state)
{
    analyse(state, {{1, "3"}, {2, "7"}, {3, "-0,7"}, {4, "-5"}, {5, "3"}, {6, "1,3"}, {8, "9"}, {9, "2,5"}});
}

BENCHMARK(BM_Analysis_Example)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Analysis_LargeExponents)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Analysis_FractionalExponents)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlotRun_Default)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlotRun_FailureHeavy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlotRun_MillionCharacterField)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kurvix

BENCHMARK_MAIN();
