#pragma once

#include "plot/controls.h"

#include <functional>
#include <string>
#include <vector>

namespace kurvix::testing {

// A surface that records what is drawn. Its size is that of the window's
// plotting area (7920 x 6000 twips) in whichever unit is set.
class FakeSurface : public DrawingSurface {
public:
    struct Printed {
        PointF at;
        std::int32_t number;
    };
    struct Drawn {
        PointF from;
        PointF to;
        Colour colour;
    };

    Unit unit = Unit::Centimetre;
    std::vector<Unit> unitsSet;
    std::vector<Printed> prints;
    std::vector<Drawn> lines;
    std::vector<PointF> points;
    int clears = 0;
    int sizeReads = 0;

    [[nodiscard]] float width() const;
    [[nodiscard]] float height() const;

    Status Picture(PictureData) override;
    Status ScaleMode(Unit u) override;
    Result<float> ScaleWidth() override;
    Result<float> ScaleHeight() override;
    Status CurrentX(float x) override;
    Status CurrentY(float y) override;
    Status Print(std::int32_t number) override;
    Status Line(PointF from, PointF to, Colour colour) override;
    Status PSet(PointF point) override;

private:
    PointF current_;
};

class FakeTextBox : public TextBox {
public:
    explicit FakeTextBox(std::string_view text = {}) : text_(makeText(text)) {}
    void setText(std::string_view text) { text_ = makeText(text); }
    Result<TextRef> Text() override;
    int reads = 0;

private:
    SharedText text_;
};

class FakeLabel : public Label {
public:
    std::vector<std::string> captions;
    Status Caption(std::string_view caption) override;
};

class FakeMessageBox : public MessageBox {
public:
    std::vector<std::string> prompts;
    Status MsgBox(std::string_view prompt) override;
};

class FakeEvents : public EventPump {
public:
    // Called with the 1-based number of the yield; the default just continues.
    std::function<Yield(int)> onYield;
    int calls = 0;
    Yield DoEvents() override;
};

// The window's controls with their initial texts: f(x) = 1/4 x^4 - 2 x^2 + 2.
class FakeForm {
public:
    FakeSurface Picture1;
    FakeTextBox Combo1{"Maßstab"};
    std::array<FakeTextBox, 10> fields{FakeTextBox{"1"}, FakeTextBox{"4"}, FakeTextBox{"4"}, FakeTextBox{"-2"},
                                       FakeTextBox{"1"}, FakeTextBox{"2"}, FakeTextBox{"2"}, FakeTextBox{"1"},
                                       FakeTextBox{"0"}, FakeTextBox{"0"}};
    FakeLabel lblinfo;
    FakeMessageBox messages;
    FakeEvents events;

    FakeTextBox& Text(int number) { return fields.at(static_cast<std::size_t>(number - 1)); }
    [[nodiscard]] Controls controls();
    [[nodiscard]] int textReads() const;
};

} // namespace kurvix::testing
