#pragma once

// The plotting area's drawing as a list of operations that any painter can repeat.

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstddef>
#include <variant>
#include <vector>

class QPainter;

namespace kurvix::drawing {

// What the plotting area has drawn since it was last cleared, as operations in
// the area's logical pixels, so that the screen, a file and paper all get it
// from the same painting code.
class Drawing {
public:
    struct Text {
        QPointF at; // top-left corner
        QString text;
        QFont font; // sized in pixels, so it scales with the painter
        QColor colour;
    };
    struct Line {
        QLineF line;
        QColor colour;
    };
    // Dots of one logical pixel each, in the order they were set.
    struct Dots {
        std::vector<QPoint> at;
        QColor colour;
    };
    using Operation = std::variant<Text, Line, Dots>;

    // A position in the list: an operation, and for dots how many of them.
    struct Mark {
        std::size_t operation = 0;
        std::size_t dot = 0;
    };

    void clear() { operations_.clear(); }
    void addText(QPointF at, const QString& text, const QFont& font, const QColor& colour);
    void addLine(const QLineF& line, const QColor& colour);
    // A dot on the pixel the previous dot covered changes nothing and is not kept.
    void addDot(QPoint at, const QColor& colour);

    [[nodiscard]] Mark end() const;
    [[nodiscard]] const std::vector<Operation>& operations() const { return operations_; }

    // Paints what was added from `from` on; the painter maps logical pixels to
    // its device. Returns the logical pixels it touched.
    QRect paint(QPainter& painter, Mark from) const;
    QRect paint(QPainter& painter) const { return paint(painter, Mark{0, 0}); }

private:
    std::vector<Operation> operations_;
};

} // namespace kurvix::drawing
