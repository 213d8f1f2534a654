#include "plot_run.h"

#include "arithmetic.h"
#include "continuation.h"
#include "coordinate_cross.h"
#include "counted_loop.h"
#include "decision.h"
#include "number_text.h"
#include "terms.h"
#include "value_cell.h"

namespace kurvix {
namespace {

struct RunState {
    ValueCell samples;
    std::array<Term, 3> terms;
    Constant constant;
};

Status countSample(ValueCell& samples)
{
    const auto next = add(samples, ValueCell(std::int16_t{1}));
    if (!next)
        return next.fault();
    samples = *next;
    return {};
}

Status showProgress(StatusLine& status, const ValueCell& samples, const NumberLocale& locale)
{
    const auto percent = divide(static_cast<double>(samples.integer()), 100.0);
    if (!percent)
        return percent.fault();
    std::string text = "Berechnung: ";
    text += numberToText(*percent, locale);
    text += '%';
    return status.setStatus(text);
}

Result<float> offsetByHalf(double value, const Result<float>& size)
{
    if (!size)
        return size.fault();
    const auto sum = add(value, static_cast<double>(*size / 2.0F));
    if (!sum)
        return sum.fault();
    return toSingle(*sum);
}

// The function's origin is the centre of the area.
Status setPoint(PlottingArea& area, double x, double y)
{
    const auto width = area.widthInUnits();
    const auto height = area.heightInUnits();
    const auto px = offsetByHalf(x, width);
    if (!px)
        return px.fault();
    const auto py = offsetByHalf(y, height);
    if (!py)
        return py.fault();
    return area.setPoint({*px, *py});
}

// One pass through the statements; a merged press makes it start over.
Yield runOnce(const WindowParts& window, const NumberLocale& locale)
{
    Continuation on;
    RunState run;

    on([&] { return window.area.clear(); });
    chooseUnit(on, window);
    run.samples = ValueCell(std::int16_t{0});
    drawAxes(on, window);
    for (CountedLoop x(-5, 5, 0.001); x.running(); x.next()) {
        on([&] { return countSample(run.samples); });
        on([&] { return showProgress(window.status, run.samples, locale); });
        for (std::size_t k = 0; k < run.terms.size(); ++k)
            on([&] { return convertTerm(window, kTermFields[k], run.terms[k], locale); });
        on([&] { return convertConstant(window, run.constant, locale); });
        const Sample sample = decide(x.value(), run.terms, run.constant.value);
        if (sample.verdict == Sample::Verdict::NoFunction) {
            on([&] { return window.messages.showMessage(kNoFunctionMessage); });
            return Yield::EndRun;
        }
        if (sample.verdict == Sample::Verdict::Point)
            on([&] { return setPoint(window.area, x.value(), sample.y); });
        if (const Yield next = window.events.yieldToWindow(); next != Yield::Continue)
            return next;
    }
    on([&] { return window.status.setStatus(kDoneStatus); });
    return Yield::EndRun;
}

} // namespace

void runPlot(const WindowParts& window, const NumberLocale& locale)
{
    while (runOnce(window, locale) == Yield::StartOver) {
    }
}

} // namespace kurvix
