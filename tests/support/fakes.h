#pragma once

// The window in memory, for the plot run's tests and benchmark.

#include "plot_run.h"

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace kurvix::testing {

class FakeText : public TextSource {
public:
    explicit FakeText(std::string_view text = {}) : text_(makeText(text)) {}
    void setText(std::string_view text) { text_ = makeText(text); }
    Result<TextRef> sharedText() override { return TextRef(text_); }

private:
    SharedText text_;
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
    // Its fields with the given parts; the benchmark brings parts that do not record.
    WindowParts parts(PlottingArea& area, StatusLine& status, Messages& box, WindowEvents& events)
    {
        auto& f = fields;
        return {area, unitBox, {f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9]}, status, box, events};
    }
    void press(const NumberLocale& locale = NumberLocale::german())
    {
        runPlot(parts(*this, *this, *this, *this), locale);
    }
    [[nodiscard]] float width() const { return 7920 / twipsPerUnit(); }
    [[nodiscard]] float height() const { return 6000 / twipsPerUnit(); }

    Status clear() override { return record(clearedAt, points.size()); }
    Status setUnit(Unit unit) override { return record(units, unit); }
    Result<float> widthInUnits() override { return width(); }
    Result<float> heightInUnits() override { return height(); }
    Status setTextX(float x) override { return record(xs_, x); }
    Status setTextY(float y) override { return record(ys_, y); }
    Status writeNumber(std::int32_t number) override
    {
        return record(written, std::pair(PointF{xs_.back(), ys_.back()}, number));
    }
    Status drawLine(PointF from, PointF to, Colour colour) override
    {
        return record(lines, std::tuple(from, to, colour));
    }
    Status setPoint(PointF point) override { return record(points, point); }
    Status setStatus(std::string_view text) override { return record(statuses, std::string(text)); }
    Status showMessage(std::string_view message) override { return record(messages, std::string(message)); }
    Yield yieldToWindow() override { return onYield(++yields); }

private:
    template <class T>
    static Status record(std::vector<T>& log, T entry)
    {
        log.push_back(std::move(entry));
        return {};
    }
    [[nodiscard]] float twipsPerUnit() const
    {
        return units.back() == Unit::Inch ? 1440 : units.back() == Unit::Millimetre ? 56.7F : 567;
    }

    std::vector<float> xs_{0}; // where the next number is written
    std::vector<float> ys_{0};
};

} // namespace kurvix::testing
