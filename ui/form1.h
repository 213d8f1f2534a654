#pragma once

#include "drawing_actions.h"
#include "frame_pacer.h"
#include "picture_box.h"
#include "text_controls.h"

#include "plot/controls.h"
#include "runtime/event_pump.h"
#include "runtime/message_box.h"
#include "runtime/number_locale.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <array>

namespace kurvix::ui {

// A control's rectangle in twips, relative to the window's client area.
struct Placement {
    int left;
    int top;
    int width;
    int height;
};

// The one window: the plotting area, the unit box, the equation row of ten
// term fields, the "Berechnen" button and the status line.
class Form1 : public QWidget, private EventPump, private MessageBox {
    Q_OBJECT

public:
    static constexpr int kClientWidthTwips = 8205;
    static constexpr int kClientHeightTwips = 8010;
    // Presses nest runs this deep; a press beyond starts the innermost run over.
    static constexpr int kMaxNestedRuns = 8;

    explicit Form1(QWidget* parent = nullptr);

    PictureBox* Picture1 = nullptr;
    QPushButton* Command1 = nullptr;
    UnitBox* Combo1 = nullptr;
    std::array<TermField*, 10> Text{}; // Text1 .. Text10
    std::array<QLabel*, 10> Labels{};  // Label1 .. Label10
    StatusLabel* lblinfo = nullptr;
    DrawingActions* drawingActions = nullptr;

    void Command1_Click();
    [[nodiscard]] int runDepth() const { return runDepth_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Yield DoEvents() override;
    Status MsgBox(std::string_view prompt) override;

    void buildControls();
    void markField(std::size_t index, bool onlyUnmark);
    [[nodiscard]] QString markUnreadableFields();
    void place(QWidget* control, const Placement& at) const;
    void centreOnScreen();
    void present();
    [[nodiscard]] Controls controls();

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
