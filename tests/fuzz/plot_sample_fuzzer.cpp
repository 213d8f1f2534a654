#include "check.h"

#include "plot/plot_command.h"
#include "plot/terms.h"
#include "support/fakes.h"

#include <cstdint>
#include <string_view>
#include <vector>

using namespace kurvix;

namespace {

// Input: a control byte, then up to eleven texts separated by newlines:
// Text1 .. Text10 and the unit box. Missing texts keep their defaults.
std::vector<std::string_view> splitTexts(std::string_view rest)
{
    std::vector<std::string_view> texts;
    while (texts.size() < 11) {
        const auto end = rest.find('\n');
        texts.push_back(rest.substr(0, end));
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    return texts;
}

// A conversion that fails leaves what the run held before.
void checkFailuresWriteNothing(testing::FakeForm& form, const NumberLocale& locale)
{
    const Controls controls = form.controls();
    for (const auto& fields : kTermFields) {
        Term term;
        term.inputs = TermInputs{123.0, 456.0};
        if (!convertTerm(controls, fields, term, locale)) {
            FUZZ_CHECK(term.inputs->coefficient == 123.0 && term.inputs->exponent == 456.0);
        }
    }
    Constant constant;
    constant.value = Currency::fromTicks(789);
    if (!convertConstant(controls, constant, locale))
        FUZZ_CHECK(constant.value == Currency::fromTicks(789));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t control = data[0];
    const NumberLocale locale = (control & 1) ? NumberLocale::german() : NumberLocale::english();
    // Mostly the first sample; sometimes up to the sample nearest zero, or the whole sweep.
    constexpr int kSamples[] = {1, 1, 2, 5001, 1, 1, 3, 10000};
    const int samples = kSamples[(control >> 1) & 7];

    testing::FakeForm form;
    const auto texts = splitTexts(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i < 10)
            form.Text(static_cast<int>(i) + 1).setText(texts[i]);
        else
            form.Combo1.setText(texts[i]);
    }
    checkFailuresWriteNothing(form, locale);

    form.events.onYield = [&](int call) { return call >= samples ? Yield::WindowGone : Yield::Continue; };
    Command1_Click(form.controls(), locale);

    FUZZ_CHECK(form.Picture1.points.size() <= static_cast<std::size_t>(samples));
    FUZZ_CHECK(form.messages.prompts.size() <= 1);
    FUZZ_CHECK(form.lblinfo.captions.size() <= static_cast<std::size_t>(samples) + 1);
    if (!form.messages.prompts.empty())
        FUZZ_CHECK(form.lblinfo.captions.back() != kDoneCaption);
    for (const PointF& p : form.Picture1.points)
        FUZZ_CHECK(std::isfinite(p.x) && std::isfinite(p.y));
    return 0;
}
