#pragma once

// Kurvix's window: it builds and wires its parts and shows what a plot run reports.

#include "numbers/number_locale.h"
#include "plot/run_report.h"

#include <QWidget>

#include <array>
#include <optional>

namespace kurvix::ui {

class CurveDialog;
class PlotRuns;
class PlottingAreaWidget;
class StatusLineWidget;
class TermField;
class UnitBox;

// A part's rectangle in twips, relative to the window's client area.
struct Placement {
    int left;
    int top;
    int width;
    int height;
};

// The one window: the plotting area, the unit box, the equation row of ten
// term fields, the "Berechnen" button and the status line. Automation finds
// the parts by their object names (CONTRIBUTING.md lists them).
class PlotWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int kClientWidthTwips = 8205;
    static constexpr int kClientHeightTwips = 8010;

    explicit PlotWindow(QWidget* parent = nullptr);

    // A press of "Berechnen": a plot run, nested in the running one if there is one.
    void plot();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildParts();
    void buildFormula();
    void showDiscussion();
    void fillDiscussion();
    void showReport(const RunReport& report);
    void describeArea(const std::string& description);
    void markField(std::size_t index);
    void unmarkTerm(std::size_t index);
    [[nodiscard]] FieldTexts fieldTexts() const;
    void place(QWidget* part, const Placement& at) const;
    void centreOnScreen();
    void present();

    NumberLocale locale_;
    PlottingAreaWidget* area_ = nullptr;
    UnitBox* unitBox_ = nullptr;
    std::array<TermField*, 10> fields_{};
    StatusLineWidget* statusLine_ = nullptr;
    PlotRuns* runs_ = nullptr;
    CurveDialog* curveDialog_ = nullptr;
    std::optional<CurveAnalysis> discussion_; // of the fields as the last run ended
};

} // namespace kurvix::ui
