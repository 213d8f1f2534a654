#pragma once

// The window in memory, for the plot run's tests and benchmark.

#include "plot/plot_run.h"

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace kurvix::testing {

struct FakeText : TextSource {
    explicit FakeText(std::string_view initial = {}) : text(makeText(initial)) {}
    void setText(std::string_view now) { text = makeText(now); }
    [[nodiscard]] const SharedText& sharedText() const override { return text; }
    SharedText text;
};

// The window in memory with its initial texts and a 7920 x 6000 twip area, recording a run.
class FakeWindow : public PlottingArea, public StatusLine, public Messages, public WindowEvents {
public:
    FakeText unitBox{"Maßstab"};
    std::array<FakeText, 10> fields{FakeText{"1"}, FakeText{"4"}, FakeText{"4"}, FakeText{"-2"}, FakeText{"1"},
                                    FakeText{"2"}, FakeText{"2"}, FakeText{"1"}, FakeText{"0"},  FakeText{"0"}};
    std::vector<Unit> units{Unit::Centimetre};
    std::vector<std::size_t> clearedAt; // how many points there were at each clearing
    std::vector<std::pair<PointF, std::int32_t>> written;
    std::vector<std::tuple<PointF, PointF, Colour>> lines;
    std::vector<PointF> points;
    std::vector<std::string> statuses;
    std::vector<std::string> messages;
    std::function<Yield(int)> onYield = [](int) { return Yield::Continue; }; // given the yield's number from 1
    int yields = 0;

    FakeText& field(int number) { return fields.at(static_cast<std::size_t>(number - 1)); }
    TermFieldSources sources()
    {
        return std::apply([](auto&... f) { return TermFieldSources{f...}; }, fields);
    }
    RunEnd press() { return runPlot({*this, unitBox, sources(), *this, *this, *this}, NumberLocale::german()); }

    void clear() override { clearedAt.push_back(points.size()); }
    void setUnit(Unit unit) override { units.push_back(unit); }
    [[nodiscard]] float widthInUnits() const override { return 7920 / twipsPerUnit(); }
    [[nodiscard]] float heightInUnits() const override { return 6000 / twipsPerUnit(); }
    void setTextX(float x) override { at_.x = x; }
    void setTextY(float y) override { at_.y = y; }
    void writeNumber(std::int32_t number) override { written.emplace_back(at_, number); }
    void drawLine(PointF from, PointF to, Colour colour) override { lines.emplace_back(from, to, colour); }
    void setPoint(PointF point) override { points.push_back(point); }
    void setStatus(std::string_view text) override { statuses.emplace_back(text); }
    void showMessage(std::string_view message) override { messages.emplace_back(message); }
    Yield yieldToWindow() override { return onYield(++yields); }

private:
    [[nodiscard]] float twipsPerUnit() const
    {
        return units.back() == Unit::Inch ? 1440 : units.back() == Unit::Millimetre ? 56.7F : 567;
    }

    PointF at_; // where the next number is written
};

} // namespace kurvix::testing
