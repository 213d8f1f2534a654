#include "drawing/drawing.h"

#include <QPainter>
#include <QPainterPath>

namespace kurvix::drawing {
namespace {

QRect paintText(QPainter& painter, const Drawing::Text& text)
{
    painter.setFont(text.font);
    painter.setPen(text.colour);
    const QFontMetricsF metrics = painter.fontMetrics();
    const QRectF box(text.at, QSizeF(metrics.horizontalAdvance(text.text) + 1, metrics.height()));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text.text);
    return box.toAlignedRect();
}

QRect paintLine(QPainter& painter, const Drawing::Line& line)
{
    painter.setPen(QPen(line.colour, 1));
    painter.drawLine(line.line);
    return QRectF(line.line.p1(), line.line.p2()).normalized().toAlignedRect().adjusted(-1, -1, 1, 1);
}

// One path for all dots: one element in an SVG, one fill on the screen.
QRect paintDots(QPainter& painter, const Drawing::Dots& dots, std::size_t from)
{
    if (from >= dots.at.size())
        return {};
    QPainterPath path;
    path.setFillRule(Qt::WindingFill); // a dot set twice stays set
    QRect touched;
    for (auto it = dots.at.begin() + static_cast<std::ptrdiff_t>(from); it != dots.at.end(); ++it) {
        const QRect dot(*it, QSize(1, 1));
        path.addRect(dot);
        touched |= dot;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(dots.colour);
    painter.drawPath(path);
    painter.setBrush(Qt::NoBrush);
    return touched;
}

} // namespace

void Drawing::addText(QPointF at, const QString& text, const QFont& font, const QColor& colour)
{
    operations_.emplace_back(Text{at, text, font, colour});
}

void Drawing::addLine(const QLineF& line, const QColor& colour) { operations_.emplace_back(Line{line, colour}); }

void Drawing::addDot(QPoint at, const QColor& colour)
{
    auto* dots = operations_.empty() ? nullptr : std::get_if<Dots>(&operations_.back());
    if (!dots || dots->colour != colour) {
        operations_.emplace_back(Dots{{at}, colour});
        return;
    }
    if (dots->at.back() != at)
        dots->at.push_back(at);
}

Drawing::Mark Drawing::end() const
{
    if (operations_.empty())
        return {};
    const auto* dots = std::get_if<Dots>(&operations_.back());
    return dots ? Mark{operations_.size() - 1, dots->at.size()} : Mark{operations_.size(), 0};
}

QRect Drawing::paint(QPainter& painter, Mark from) const
{
    QRect touched;
    for (std::size_t i = from.operation; i < operations_.size(); ++i) {
        const std::size_t firstDot = i == from.operation ? from.dot : 0;
        touched |= std::visit(
            [&](const auto& op) {
                using Op = std::decay_t<decltype(op)>;
                if constexpr (std::is_same_v<Op, Text>)
                    return paintText(painter, op);
                else if constexpr (std::is_same_v<Op, Line>)
                    return paintLine(painter, op);
                else
                    return paintDots(painter, op, firstDot);
            },
            operations_[i]);
    }
    return touched;
}

} // namespace kurvix::drawing
