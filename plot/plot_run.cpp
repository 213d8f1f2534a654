#include "plot/plot_run.h"

#include "numbers/arithmetic.h"
#include "numbers/counted_loop.h"
#include "numbers/number_text.h"
#include "numbers/value_cell.h"
#include "plot/continuation.h"
#include "plot/coordinate_cross.h"
#include "plot/decision.h"
#include "plot/terms.h"

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
    status.setStatus(text);
    return {};
}

Status setPoint(PlottingArea& area, double x, double y)
{
    const auto at = centredOnArea(area, x, y);
    if (!at)
        return at.fault();
    area.setPoint(*at);
    return {};
}

// One pass through the statements; a merged press makes it start over.
std::variant<RunEnd, Yield> runOnce(const WindowParts& window, const NumberLocale& locale)
{
    Continuation on;
    RunState run;

    window.area.clear();
    chooseUnit(on, window);
    run.samples = ValueCell(std::int16_t{0});
    drawAxes(window.area);
    for (CountedLoop x(-5, 5, 0.001); x.running(); x.next()) {
        on([&] { return countSample(run.samples); });
        on([&] { return showProgress(window.status, run.samples, locale); });
        for (std::size_t k = 0; k < run.terms.size(); ++k)
            on([&] { return convertTerm(window, kTermFields[k], run.terms[k], locale); });
        on([&] { return convertConstant(window, run.constant, locale); });
        const Sample sample = decide(x.value(), run.terms, run.constant.value);
        if (sample.verdict == Sample::Verdict::NoFunction) {
            window.messages.showMessage(kNoFunctionMessage);
            return RunEnd::NoFunction;
        }
        if (sample.verdict == Sample::Verdict::Point)
            on([&] { return setPoint(window.area, x.value(), sample.y); });
        if (const Yield next = window.events.yieldToWindow(); next != Yield::Continue)
            return next;
    }
    window.status.setStatus(kDoneStatus);
    return RunEnd::Finished;
}

} // namespace

Result<PointF> centredOnArea(const PlottingArea& area, double x, double y)
{
    const auto px = toFloat(x + static_cast<double>(area.widthInUnits() / 2.0F));
    if (!px)
        return px.fault();
    const auto py = toFloat(y + static_cast<double>(area.heightInUnits() / 2.0F));
    if (!py)
        return py.fault();
    return PointF{*px, *py};
}

RunEnd runPlot(const WindowParts& window, const NumberLocale& locale)
{
    for (;;) {
        const auto end = runOnce(window, locale);
        if (const auto* finished = std::get_if<RunEnd>(&end))
            return *finished;
        if (std::get<Yield>(end) == Yield::EndRun)
            return RunEnd::Stopped;
    }
}

} // namespace kurvix
