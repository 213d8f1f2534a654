#pragma once

// The plotting area on screen.

#include "drawing/drawing.h"

#include "plot/plotting_area.h"

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

    void clear() override;
    void setUnit(Unit unit) override { unit_ = unit; }
    [[nodiscard]] float widthInUnits() const override;
    [[nodiscard]] float heightInUnits() const override;
    void setTextX(float x) override { current_.x = x; }
    void setTextY(float y) override { current_.y = y; }
    void writeNumber(std::int32_t number) override;
    void drawLine(PointF from, PointF to, Colour colour) override;
    void setPoint(PointF point) override;

    void present();
    // A ring around a point, where the area measures it (as setPoint), on screen only; nothing takes it away.
    void setRing(std::optional<PointF> at);
    [[nodiscard]] Unit unit() const { return unit_; }
    // Distinct points set inside the area since it was last cleared: the points of the drawing as it stands.
    [[nodiscard]] int pointsSet() const { return static_cast<int>(points_.size()); }
    [[nodiscard]] const drawing::Drawing& drawing() const { return drawing_; }
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

    drawing::Drawing drawing_;
    drawing::Drawing::Mark painted_;
    QImage image_;
    Unit unit_ = Unit::Centimetre;
    PointF current_;
    QRect dirty_;
    std::unordered_set<std::uint64_t> points_;
    QColor foreground_ = Qt::black;
    QColor background_ = Qt::white;
    std::optional<PointF> ring_;
};

} // namespace kurvix::ui
