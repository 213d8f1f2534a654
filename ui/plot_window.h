#pragma once

// Kurvix's window, which runs the plot when "Berechnen" is pressed.

#include "accessibility.h"
#include "drawing_actions.h"
#include "frame_pacer.h"
#include "plotting_area_widget.h"
#include "text_controls.h"

#include "number_locale.h"
#include "window_parts.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <array>

namespace kurvix::ui {

// A part's rectangle in twips, relative to the window's client area.
struct Placement {
    int left;
    int top;
    int width;
    int height;
};

// The one window: the plotting area, the unit box, the equation row of ten
// term fields, the "Berechnen" button and the status line.
class PlotWindow : public QWidget, private WindowEvents, private Messages {
    Q_OBJECT

public:
    static constexpr int kClientWidthTwips = 8205;
    static constexpr int kClientHeightTwips = 8010;
    // Presses nest runs this deep; a press beyond starts the innermost run over.
    static constexpr int kMaxNestedRuns = 8;

    explicit PlotWindow(QWidget* parent = nullptr);

    PlottingAreaWidget* area = nullptr;
    QPushButton* plotButton = nullptr; // "Berechnen"
    UnitBox* unitBox = nullptr;
    std::array<TermField*, kTermFieldCount> fields{};
    std::array<QLabel*, 10> formulaLabels{}; // "x", "/", "+" and the example below
    StatusLabel* statusLine = nullptr;
    DrawingActions* drawingActions = nullptr;

    // A press of "Berechnen": a plot run, nested in the running one if there is one.
    void plot();
    [[nodiscard]] int runDepth() const { return runDepth_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Yield yieldToWindow() override;
    Status showMessage(std::string_view message) override;

    void buildParts();
    void describeArea(AreaState state);
    void markField(std::size_t index, bool onlyUnmark);
    [[nodiscard]] QString markUnreadableFields();
    void place(QWidget* part, const Placement& at) const;
    void centreOnScreen();
    void present();
    [[nodiscard]] WindowParts windowParts();

    NumberLocale locale_;
    FramePacer pacer_;
    FramePacer eventPacer_{std::chrono::milliseconds(1)}; // passes through the event loop
    bool closed_ = false;
    bool startOver_ = false; // a press was merged into the innermost run
    bool endRuns_ = false;   // a nested run ended with the message box: the runs it interrupted end too
    int runDepth_ = 0;
    int messagesShown_ = 0;
};

} // namespace kurvix::ui
