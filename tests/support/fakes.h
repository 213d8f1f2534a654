#pragma once

#include "plot/plot_command.h"

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace kurvix::testing {

class FakeTextBox : public TextBox {
public:
    explicit FakeTextBox(std::string_view text = {}) : text_(makeText(text)) {}
    void setText(std::string_view text) { text_ = makeText(text); }
    Result<TextRef> Text() override { return TextRef(text_); }

private:
    SharedText text_;
};

// The window in memory with its initial texts and a 7920 x 6000 twip surface, recording a run.
class FakeForm : public DrawingSurface, public Label, public MessageBox, public EventPump {
public:
    FakeTextBox Combo1{"Maßstab"};
    std::array<FakeTextBox, 10> fields{FakeTextBox{"1"}, FakeTextBox{"4"}, FakeTextBox{"4"}, FakeTextBox{"-2"},
                                       FakeTextBox{"1"}, FakeTextBox{"2"}, FakeTextBox{"2"}, FakeTextBox{"1"},
                                       FakeTextBox{"0"}, FakeTextBox{"0"}};
    std::vector<Unit> units{Unit::Centimetre};
    std::vector<std::size_t> clearedAt; // how many points there were at each clearing
    std::vector<std::pair<PointF, std::int32_t>> prints;
    std::vector<std::tuple<PointF, PointF, Colour>> lines;
    std::vector<PointF> points;
    std::vector<std::string> captions;
    std::vector<std::string> prompts;
    std::function<Yield(int)> onYield = [](int) { return Yield::Continue; }; // given the yield's number from 1
    int yields = 0;

    FakeTextBox& Text(int number) { return fields.at(static_cast<std::size_t>(number - 1)); }
    // Its fields with the given controls; the benchmark brings controls that do not record.
    Controls controls(DrawingSurface& surface, Label& label, MessageBox& messages, EventPump& events)
    {
        auto& f = fields;
        return {surface, Combo1, {f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9]}, label, messages, events};
    }
    void press(const NumberLocale& locale = NumberLocale::german())
    {
        Command1_Click(controls(*this, *this, *this, *this), locale);
    }
    [[nodiscard]] float width() const { return 7920 / twipsPerUnit(); }
    [[nodiscard]] float height() const { return 6000 / twipsPerUnit(); }

    Status Picture(PictureData) override { return record(clearedAt, points.size()); }
    Status ScaleMode(Unit unit) override { return record(units, unit); }
    Result<float> ScaleWidth() override { return width(); }
    Result<float> ScaleHeight() override { return height(); }
    Status CurrentX(float x) override { return record(xs_, x); }
    Status CurrentY(float y) override { return record(ys_, y); }
    Status Print(std::int32_t number) override
    {
        return record(prints, std::pair(PointF{xs_.back(), ys_.back()}, number));
    }
    Status Line(PointF from, PointF to, Colour colour) override { return record(lines, std::tuple(from, to, colour)); }
    Status PSet(PointF point) override { return record(points, point); }
    Status Caption(std::string_view caption) override { return record(captions, std::string(caption)); }
    Status MsgBox(std::string_view prompt) override { return record(prompts, std::string(prompt)); }
    Yield DoEvents() override { return onYield(++yields); }

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

    std::vector<float> xs_{0}; // where the next Print starts
    std::vector<float> ys_{0};
};

} // namespace kurvix::testing
