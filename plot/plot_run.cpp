#include "plot/plot_run.h"

#include "numbers/arithmetic.h"
#include "numbers/number_text.h"
#include "plot/coordinate_cross.h"
#include "plot/decision.h"
#include "plot/terms.h"

#include <optional>

namespace kurvix {
namespace {

// One pass from clearing the area to "Fertig..."; nothing where a press merged into it starts it over.
std::optional<RunEnd> runOnce(const WindowParts& window, const NumberLocale& locale)
{
    window.area.clear();
    chooseUnit(window);
    drawAxes(window.area);
    std::array<Term, 3> terms;
    Constant constant;
    int samples = 0;
    // The step is added, not multiplied by the count: rounding accumulates to exactly 10,000 samples.
    for (double x = -5; x <= 5; x += 0.001) {
        ++samples;
        window.status.setStatus("Berechnung: " + numberToText(samples / 100.0, locale) + "%");
        for (std::size_t k = 0; k < terms.size(); ++k)
            readTerm(window, kTermFields[k], terms[k], locale);
        readConstant(window, constant, locale);
        const Sample sample = decide(x, terms, constant.value);
        if (sample.verdict == Sample::Verdict::NoFunction) {
            window.messages.showMessage(kNoFunctionMessage);
            return RunEnd::NoFunction;
        }
        if (sample.verdict == Sample::Verdict::Point)
            if (const auto at = centredOnArea(window.area, x, sample.y))
                window.area.setPoint(*at);
        switch (window.events.yieldToWindow()) {
        case Yield::Continue: break;
        case Yield::StartOver: return std::nullopt;
        case Yield::EndRun: return RunEnd::Stopped;
        }
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
    for (;;)
        if (const auto end = runOnce(window, locale))
            return *end;
}

} // namespace kurvix
