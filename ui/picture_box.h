#pragma once

#include "runtime/drawing_surface.h"

#include <QImage>
#include <QRect>
#include <QWidget>

#include <optional>

namespace kurvix::ui {

// The plotting area. Drawing goes into a backing image at the screen's
// device pixel ratio; what changed is put on screen by present(), which
// the window calls at most once per frame.
class PictureBox : public QWidget, public DrawingSurface {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    Status Picture(PictureData picture) override;
    Status ScaleMode(Unit unit) override;
    Result<float> ScaleWidth() override;
    Result<float> ScaleHeight() override;
    Status CurrentX(float x) override;
    Status CurrentY(float y) override;
    Status Print(std::int32_t number) override;
    Status Line(PointF from, PointF to, Colour colour) override;
    Status PSet(PointF point) override;

    void present();
    [[nodiscard]] Unit unit() const { return unit_; }
    [[nodiscard]] int pointsSet() const { return pointsSet_; } // since the area was last cleared
    [[nodiscard]] const QImage& image() const { return image_; }
    [[nodiscard]] QColor foreground() const { return foreground_; }
    [[nodiscard]] QColor background() const { return background_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    [[nodiscard]] QPointF toPixels(PointF p) const;
    [[nodiscard]] std::optional<QPoint> pixelAt(PointF p) const;
    void matchBackingImage();
    void markDirty(const QRect& rect);

    QImage image_;
    Unit unit_ = Unit::Centimetre;
    PointF current_;
    QRect dirty_;
    int pointsSet_ = 0;
    QColor foreground_ = Qt::black;
    QColor background_ = Qt::white;
};

} // namespace kurvix::ui
