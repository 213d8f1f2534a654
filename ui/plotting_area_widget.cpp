#include "ui/plotting_area_widget.h"

#include "drawing/line_clip.h"
#include "ui/unit_scale.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>

#include <bit>
#include <cmath>

namespace kurvix::ui {
namespace {

// Text printed further than this many pixels outside is not drawn at all.
constexpr double kPrintReach = 1e4;
constexpr double kRingRadius = 7; // logical pixels

QColor toQColor(Colour c) { return QColor(c.red, c.green, c.blue); }

} // namespace

PlottingAreaWidget::PlottingAreaWidget(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QPointF PlottingAreaWidget::toPixels(PointF p) const
{
    const UnitScale scale = UnitScale::of(*this);
    return {static_cast<double>(p.x) * scale.pixelsPerUnitX(unit_),
            static_cast<double>(p.y) * scale.pixelsPerUnitY(unit_)};
}

std::optional<QPoint> PlottingAreaWidget::pixelAt(PointF p) const
{
    const QPointF px = toPixels(p);
    // Written so that NaN fails too; only then is the conversion to int safe.
    if (!(px.x() >= 0 && px.x() < width() && px.y() >= 0 && px.y() < height()))
        return std::nullopt;
    return QPoint(static_cast<int>(px.x()), static_cast<int>(px.y()));
}

void PlottingAreaWidget::matchBackingImage()
{
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * dpr).toSize();
    if (image_.size() == pixels && image_.devicePixelRatio() == dpr)
        return;
    image_ = QImage(pixels, QImage::Format_RGB32);
    image_.setDevicePixelRatio(dpr);
    image_.fill(background_);
    painted_ = {};
    dirty_ = rect();
}

void PlottingAreaWidget::paintPending()
{
    matchBackingImage();
    QPainter painter(&image_);
    dirty_ |= drawing_.paint(painter, painted_).intersected(rect());
    painted_ = drawing_.end();
}

QSizeF PlottingAreaWidget::sizeInInches() const
{
    return {width() / double(logicalDpiX()), height() / double(logicalDpiY())};
}

QFont PlottingAreaWidget::labelFont() const
{
    QFont font = this->font();
    if (font.pixelSize() <= 0)
        font.setPixelSize(std::max(1, qRound(font.pointSizeF() * logicalDpiY() / 72)));
    return font;
}

void PlottingAreaWidget::present()
{
    paintPending();
    if (dirty_.isEmpty())
        return;
    update(dirty_);
    dirty_ = {};
}

void PlottingAreaWidget::clear()
{
    matchBackingImage();
    image_.fill(background_);
    drawing_.clear();
    painted_ = {};
    dirty_ = rect();
    points_.clear();
    ring_.reset();
}

void PlottingAreaWidget::setRing(std::optional<PointF> at)
{
    ring_ = at;
    update();
}

float PlottingAreaWidget::widthInUnits() const
{
    return static_cast<float>(width() / UnitScale::of(*this).pixelsPerUnitX(unit_));
}

float PlottingAreaWidget::heightInUnits() const
{
    return static_cast<float>(height() / UnitScale::of(*this).pixelsPerUnitY(unit_));
}

void PlottingAreaWidget::writeNumber(std::int32_t number)
{
    const QPointF at = toPixels(current_);
    if (std::fabs(at.x()) < kPrintReach && std::fabs(at.y()) < kPrintReach)
        drawing_.addText(at, QString::number(number), labelFont(), foreground_);
}

void PlottingAreaWidget::drawLine(PointF from, PointF to, Colour colour)
{
    if (const auto visible = drawing::clipLine(QLineF(toPixels(from), toPixels(to)), QRectF(rect())))
        drawing_.addLine(*visible, toQColor(colour));
}

void PlottingAreaWidget::setPoint(PointF point)
{
    const auto pixel = pixelAt(point);
    if (!pixel)
        return;
    points_.insert(std::uint64_t{std::bit_cast<std::uint32_t>(point.x)} << 32 | std::bit_cast<std::uint32_t>(point.y));
    drawing_.addDot(*pixel, foreground_);
}

void PlottingAreaWidget::paintEvent(QPaintEvent* event)
{
    paintPending();
    QPainter painter(this);
    const QRect r = event->rect();
    const qreal dpr = image_.devicePixelRatio();
    painter.drawImage(r.topLeft(), image_, QRectF(QPointF(r.topLeft()) * dpr, QSizeF(r.size()) * dpr));
    if (ring_) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawEllipse(toPixels(*ring_), kRingRadius, kRingRadius);
    }
}

void PlottingAreaWidget::resizeEvent(QResizeEvent*) { paintPending(); }

// Shift+F10 opens the context menu, as the Menu key does.
void PlottingAreaWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_F10 || event->modifiers() != Qt::ShiftModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    const QPoint centre = rect().center();
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, centre, mapToGlobal(centre));
    QCoreApplication::sendEvent(this, &menu);
}

} // namespace kurvix::ui
