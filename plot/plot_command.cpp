#include "plot_command.h"

#include "decision.h"
#include "scale.h"
#include "terms.h"
#include "runtime/continuation.h"
#include "runtime/counted_loop.h"
#include "runtime/number_text.h"
#include "runtime/value.h"

namespace kurvix {
namespace {

struct PlotRun {
    Value n;
    std::array<Term, 3> terms;
    Constant constant;
};

Status countSample(Value& n, const NumberLocale& locale)
{
    const auto next = add(n, Value(std::int16_t{1}), locale);
    if (!next)
        return next.fault();
    n = *next;
    return {};
}

Status showProgress(Label& lblinfo, const Value& n, const NumberLocale& locale)
{
    const auto percent = divide(static_cast<double>(n.integer()), 100.0);
    if (!percent)
        return percent.fault();
    std::string caption = "Berechnung: ";
    caption += numberToText(*percent, locale);
    caption += '%';
    return lblinfo.Caption(caption);
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

Status setPoint(DrawingSurface& surface, double x, double y)
{
    const auto width = surface.ScaleWidth();
    const auto height = surface.ScaleHeight();
    const auto px = offsetByHalf(x, width);
    if (!px)
        return px.fault();
    const auto py = offsetByHalf(y, height);
    if (!py)
        return py.fault();
    return surface.PSet({*px, *py});
}

// One pass through the statements; a merged press makes it start over.
Yield runOnce(const Controls& form, const NumberLocale& locale)
{
    Continuation on;
    PlotRun run;

    on([&] { return form.Picture1.Picture(LoadPicture()); });
    selectScale(on, form);
    run.n = Value(std::int16_t{0});
    drawAxes(on, form);
    for (CountedLoop x(-5, 5, 0.001, locale); x.running(); x.next()) {
        on([&] { return countSample(run.n, locale); });
        on([&] { return showProgress(form.lblinfo, run.n, locale); });
        for (std::size_t k = 0; k < run.terms.size(); ++k)
            on([&] { return convertTerm(form, kTermFields[k], run.terms[k], locale); });
        on([&] { return convertConstant(form, run.constant, locale); });
        const Sample sample = decide(x.value(), run.terms, run.constant.value);
        if (sample.verdict == Sample::Verdict::NoFunction) {
            on([&] { return form.messages.MsgBox(kNoFunctionPrompt); });
            return Yield::EndRun;
        }
        if (sample.verdict == Sample::Verdict::Point)
            on([&] { return setPoint(form.Picture1, x.value(), sample.y); });
        if (const Yield next = form.events.DoEvents(); next != Yield::Continue)
            return next;
    }
    on([&] { return form.lblinfo.Caption(kDoneCaption); });
    return Yield::EndRun;
}

} // namespace

void Command1_Click(const Controls& form, const NumberLocale& locale)
{
    while (runOnce(form, locale) == Yield::StartOver) {
    }
}

} // namespace kurvix
