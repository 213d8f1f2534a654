#pragma once

// The plotting area on screen.

#include "drawing.h"

#include "plotting_area.h"

#include <QImage>
#include <QRect>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <unordered_set>

namespace kurvix::ui {

// The plotting area. What is drawn is kept as a list of operations and
// painted into a backing image at the screen's device pixel ratio when the
// window presents a frame, at most once per frame.
class PlottingAreaWidget : public QWidget, public PlottingArea {
    Q_OBJECT

public:
    explicit PlottingAreaWidget(QWidget* parent = nullptr);

    Status clear() override;
    Status setUnit(Unit unit) override;
    Result<float> widthInUnits() override;
    Result<float> heightInUnits() override;
    Status setTextX(float x) override;
    Status setTextY(float y) override;
    Status writeNumber(std::int32_t number) override;
    Status drawLine(PointF from, PointF to, Colour colour) override;
    Status setPoint(PointF point) override;

    void present();
    [[nodiscard]] Unit unit() const { return unit_; }
    // Distinct points set inside the area since it was last cleared: the points of the drawing as it stands.
    [[nodiscard]] int pointsSet() const { return static_cast<int>(points_.size()); }
    [[nodiscard]] const QImage& image(); // as on screen, with everything drawn so far
    [[nodiscard]] const Drawing& drawing() const { return drawing_; }
    [[nodiscard]] QSizeF sizeInInches() const;
    [[nodiscard]] QColor foreground() const { return foreground_; }
    [[nodiscard]] QColor background() const { return background_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    [[nodiscard]] QPointF toPixels(PointF p) const;
    [[nodiscard]] std::optional<QPoint> pixelAt(PointF p) const;
    void matchBackingImage();
    void paintPending();
    [[nodiscard]] QFont labelFont() const;

    Drawing drawing_;
    Drawing::Mark painted_;
    QImage image_;
    Unit unit_ = Unit::Centimetre;
    PointF current_;
    QRect dirty_;
    std::unordered_set<std::uint64_t> points_;
    QColor foreground_ = Qt::black;
    QColor background_ = Qt::white;
};

} // namespace kurvix::ui
