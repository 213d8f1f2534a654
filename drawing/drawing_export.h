#pragma once

// The drawing as it leaves the window, always at true scale: PDF, SVG, PNG,
// the clipboard and paper.

#include "drawing/drawing.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <array>
#include <optional>

class QMimeData;
class QPainter;

namespace kurvix::drawing {

enum class FileFormat { Pdf, Svg, Png };
inline constexpr std::array kFileFormats{FileFormat::Pdf, FileFormat::Svg, FileFormat::Png}; // as offered

// The area as it leaves the window: its extent in its own logical pixels, the
// physical size those pixels have on screen, and its background.
struct Sheet {
    QSize pixels;
    QSizeF inches;
    QColor background = Qt::white;

    [[nodiscard]] double pixelsPerInchX() const { return pixels.width() / inches.width(); }
    [[nodiscard]] double pixelsPerInchY() const { return pixels.height() / inches.height(); }
};

inline constexpr int kImageDotsPerInch = 300;

// Empty where the encoding failed.
QByteArray encode(const Drawing& drawing, const Sheet& sheet, FileFormat format);
QImage renderImage(const Drawing& drawing, const Sheet& sheet, int dotsPerInch = kImageDotsPerInch);
// The drawing as PNG and as SVG, for pasting into other programs.
QMimeData* clipboardData(const Drawing& drawing, const Sheet& sheet);
// Centred on a page of the given size in device pixels, at true scale or
// scaled down where the page is smaller.
void paintOnPage(QPainter& painter, const Drawing& drawing, const Sheet& sheet, QSizeF page, double dpi);

// Where and how a save goes: a suffix the user typed decides the format,
// otherwise the chosen filter does and its suffix is added.
struct SaveTarget {
    QString path;
    FileFormat format;
};
SaveTarget saveTarget(const QString& chosenPath, FileFormat filterFormat);
// Writes the file whole, never one whose encoding failed. Returns what to
// tell the user where it was not saved, in German.
std::optional<QString> save(const Drawing& drawing, const Sheet& sheet, const SaveTarget& target);
QString suffix(FileFormat format);
QString filterText(FileFormat format);

} // namespace kurvix::drawing
