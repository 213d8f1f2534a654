#include "picture_box.h"

#include "line_clip.h"
#include "unit_scale.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace kurvix::ui {
namespace {

// Text printed further than this many pixels outside is not drawn at all.
constexpr double kPrintReach = 1e4;

QColor toQColor(Colour c) { return QColor(c.red(), c.green(), c.blue()); }

} // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QPointF PictureBox::toPixels(PointF p) const
{
    const UnitScale scale = UnitScale::of(*this);
    return {static_cast<double>(p.x) * scale.pixelsPerUnitX(unit_),
            static_cast<double>(p.y) * scale.pixelsPerUnitY(unit_)};
}

std::optional<QPoint> PictureBox::pixelAt(PointF p) const
{
    const QPointF px = toPixels(p);
    // Written so that NaN fails too; only then is the conversion to int safe.
    if (!(px.x() >= 0 && px.x() < width() && px.y() >= 0 && px.y() < height()))
        return std::nullopt;
    return QPoint(static_cast<int>(px.x()), static_cast<int>(px.y()));
}

void PictureBox::matchBackingImage()
{
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * dpr).toSize();
    if (image_.size() == pixels && image_.devicePixelRatio() == dpr)
        return;
    QImage next(pixels, QImage::Format_RGB32);
    next.setDevicePixelRatio(dpr);
    next.fill(background_);
    if (!image_.isNull()) {
        QPainter painter(&next);
        painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size())), image_);
    }
    image_ = std::move(next);
    markDirty(rect());
}

void PictureBox::markDirty(const QRect& r) { dirty_ |= r.intersected(rect()); }

void PictureBox::present()
{
    if (dirty_.isEmpty())
        return;
    update(dirty_);
    dirty_ = {};
}

Status PictureBox::Picture(PictureData)
{
    matchBackingImage();
    image_.fill(background_);
    markDirty(rect());
    pointsSet_ = 0;
    return {};
}

Status PictureBox::ScaleMode(Unit unit)
{
    unit_ = unit;
    return {};
}

Result<float> PictureBox::ScaleWidth()
{
    return static_cast<float>(width() / UnitScale::of(*this).pixelsPerUnitX(unit_));
}

Result<float> PictureBox::ScaleHeight()
{
    return static_cast<float>(height() / UnitScale::of(*this).pixelsPerUnitY(unit_));
}

Status PictureBox::CurrentX(float x)
{
    current_.x = x;
    return {};
}

Status PictureBox::CurrentY(float y)
{
    current_.y = y;
    return {};
}

Status PictureBox::Print(std::int32_t number)
{
    const QPointF at = toPixels(current_);
    if (!(std::fabs(at.x()) < kPrintReach && std::fabs(at.y()) < kPrintReach))
        return {};
    matchBackingImage();
    const QString text = QString::number(number);
    QPainter painter(&image_);
    painter.setFont(font());
    painter.setPen(foreground_);
    const QRectF box(at, QSizeF(painter.fontMetrics().horizontalAdvance(text) + 1, painter.fontMetrics().height()));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
    markDirty(box.toAlignedRect());
    return {};
}

Status PictureBox::Line(PointF from, PointF to, Colour colour)
{
    const auto visible = clipLine(QLineF(toPixels(from), toPixels(to)), QRectF(rect()));
    if (!visible)
        return {};
    matchBackingImage();
    QPainter painter(&image_);
    painter.setPen(QPen(toQColor(colour), 1));
    painter.drawLine(*visible);
    markDirty(QRectF(visible->p1(), visible->p2()).normalized().toAlignedRect().adjusted(-1, -1, 1, 1));
    return {};
}

Status PictureBox::PSet(PointF point)
{
    ++pointsSet_;
    const auto pixel = pixelAt(point);
    if (!pixel)
        return {};
    matchBackingImage();
    const qreal dpr = image_.devicePixelRatio();
    const QRect device(QPoint(static_cast<int>(pixel->x() * dpr), static_cast<int>(pixel->y() * dpr)),
                       QSize(std::max(1, static_cast<int>(dpr)), std::max(1, static_cast<int>(dpr))));
    const QRgb rgb = foreground_.rgb();
    const QRect clipped = device.intersected(image_.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            line[x] = rgb;
    }
    markDirty(QRect(*pixel, QSize(1, 1)));
    return {};
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    matchBackingImage();
    QPainter painter(this);
    const QRect r = event->rect();
    const qreal dpr = image_.devicePixelRatio();
    painter.drawImage(r.topLeft(), image_, QRectF(QPointF(r.topLeft()) * dpr, QSizeF(r.size()) * dpr));
}

void PictureBox::resizeEvent(QResizeEvent*) { matchBackingImage(); }

} // namespace kurvix::ui
