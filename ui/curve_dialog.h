#pragma once

// The Kurvendiskussion window: the curve's points in a table, and in words.

#include "numbers/number_locale.h"
#include "plot/curve_analysis.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLabel;
class QTableWidget;

namespace kurvix::ui {

// A small window beside the plot, titled "Kurvendiskussion": a row (Art, x, y)
// for each point the analysis names, rounded as it is spoken, and the whole
// discussion in words below. A chosen row is ringed on the plotting area;
// Ctrl+C copies the rows as tab-separated text.
class CurveDialog : public QDialog {
    Q_OBJECT

public:
    using Ring = std::function<void(std::optional<CurvePoint>)>;
    CurveDialog(NumberLocale locale, Ring ring, QWidget* parent);

    void showAnalysis(const CurveAnalysis& analysis);
    void showWords(const QString& words); // no points: before any run, or no function

protected:
    void hideEvent(QHideEvent* event) override;

private:
    [[nodiscard]] QString rowsAsText() const;

    NumberLocale locale_;
    Ring ring_;
    std::vector<CurvePoint> points_;
    QTableWidget* table_ = nullptr;
    QLabel* words_ = nullptr;
};

} // namespace kurvix::ui
