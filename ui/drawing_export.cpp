#include "drawing_export.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QMimeData>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

#include <algorithm>
#include <array>
#include <cmath>

namespace kurvix::ui {
namespace {

constexpr double kMetresPerInch = 0.0254;
constexpr std::array kFormats{FileFormat::Pdf, FileFormat::Svg, FileFormat::Png};

// The background and the drawing, with the painter already mapping the
// sheet's logical pixels to the device at the given scale.
void paintSheet(QPainter& painter, const Drawing& drawing, const Sheet& sheet, double scaleX, double scaleY)
{
    painter.scale(scaleX, scaleY);
    painter.fillRect(QRect(QPoint(0, 0), sheet.pixels), sheet.background);
    drawing.paint(painter);
}

// One page the size of the sheet; lines and dots stay vectors, labels text.
QByteArray pdf(const Drawing& drawing, const Sheet& sheet)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Kurvix"));
    writer.setTitle(QStringLiteral("Kurve"));
    writer.setPageSize(QPageSize(sheet.inches * 72, QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    const double dpi = writer.resolution();
    paintSheet(painter, drawing, sheet, dpi / sheet.pixelsPerInchX(), dpi / sheet.pixelsPerInchY());
    painter.end();
    return bytes;
}

// Width and height in millimetres, the area's logical pixels as the viewBox.
QByteArray svg(const Drawing& drawing, const Sheet& sheet)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setTitle(QStringLiteral("Kurve"));
    generator.setSize(sheet.pixels);
    generator.setViewBox(QRect(QPoint(0, 0), sheet.pixels));
    generator.setResolution(qRound(sheet.pixelsPerInchX()));
    QPainter painter(&generator);
    paintSheet(painter, drawing, sheet, 1, 1);
    painter.end();
    return bytes;
}

QByteArray png(const Drawing& drawing, const Sheet& sheet)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.write(renderImage(drawing, sheet));
    return bytes;
}

} // namespace

QByteArray encode(const Drawing& drawing, const Sheet& sheet, FileFormat format)
{
    switch (format) {
    case FileFormat::Pdf: return pdf(drawing, sheet);
    case FileFormat::Svg: return svg(drawing, sheet);
    case FileFormat::Png: return png(drawing, sheet);
    }
    return {};
}

QImage renderImage(const Drawing& drawing, const Sheet& sheet, int dotsPerInch)
{
    const QSize size(qRound(sheet.inches.width() * dotsPerInch), qRound(sheet.inches.height() * dotsPerInch));
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMetre = qRound(dotsPerInch / kMetresPerInch);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    paintSheet(painter, drawing, sheet, dotsPerInch / sheet.pixelsPerInchX(), dotsPerInch / sheet.pixelsPerInchY());
    return image;
}

namespace {

// The drawing as it was when copied; each format is made when a program
// first asks for it, so copying costs almost nothing.
class DrawingMimeData : public QMimeData {
public:
    DrawingMimeData(const Drawing& drawing, const Sheet& sheet) : drawing_(drawing), sheet_(sheet) {}

    QStringList formats() const override { return {QStringLiteral("image/png"), QStringLiteral("image/svg+xml")}; }
    bool hasFormat(const QString& mimeType) const override { return formats().contains(mimeType); }

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType) const override
    {
        if (mimeType == QLatin1String("image/png"))
            return png(drawing_, sheet_);
        if (mimeType == QLatin1String("image/svg+xml"))
            return svg(drawing_, sheet_);
        return {};
    }

private:
    Drawing drawing_;
    Sheet sheet_;
};

} // namespace

QMimeData* clipboardData(const Drawing& drawing, const Sheet& sheet) { return new DrawingMimeData(drawing, sheet); }

double printOnPaper(const Drawing& drawing, const Sheet& sheet, QPrinter& printer)
{
    printer.setFullPage(true); // centred on the paper, not on its printable part
    QPainter painter(&printer);
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const double dpi = printer.resolution();
    const QSizeF size = sheet.inches * dpi;
    const double fit = std::min({1.0, paper.width() / size.width(), paper.height() / size.height()});
    painter.translate((paper.width() - size.width() * fit) / 2, (paper.height() - size.height() * fit) / 2);
    paintSheet(painter, drawing, sheet, dpi * fit / sheet.pixelsPerInchX(), dpi * fit / sheet.pixelsPerInchY());
    return fit;
}

QString suffix(FileFormat format)
{
    switch (format) {
    case FileFormat::Pdf: return QStringLiteral("pdf");
    case FileFormat::Svg: return QStringLiteral("svg");
    case FileFormat::Png: return QStringLiteral("png");
    }
    return {};
}

QString filterText(FileFormat format)
{
    switch (format) {
    case FileFormat::Pdf: return QStringLiteral("PDF-Dokument (*.pdf)");
    case FileFormat::Svg: return QStringLiteral("SVG-Grafik (*.svg)");
    case FileFormat::Png: return QStringLiteral("PNG-Bild (*.png)");
    }
    return {};
}

SaveTarget saveTarget(const QString& chosenPath, FileFormat filterFormat)
{
    const QString typed = QFileInfo(chosenPath).suffix().toLower();
    for (const FileFormat format : kFormats)
        if (typed == suffix(format))
            return {chosenPath, format};
    return {chosenPath + QLatin1Char('.') + suffix(filterFormat), filterFormat};
}

} // namespace kurvix::ui
