#include "drawing/drawing_export.h"

#include "drawing/whole_file.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImageWriter>
#include <QMimeData>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <array>
#include <cmath>

namespace kurvix::drawing {
namespace {

constexpr double kMetresPerInch = 0.0254;

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
    if (!writer.write(renderImage(drawing, sheet)))
        return {};
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
// first asks for it, so copying costs almost nothing. A clipboard manager
// asks only as the program ends, when fonts are gone: so both are made
// before, as the application is about to quit.
class DrawingMimeData : public QMimeData {
public:
    DrawingMimeData(const Drawing& drawing, const Sheet& sheet) : drawing_(drawing), sheet_(sheet)
    {
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] {
            for (const QString& format : formats())
                static_cast<void>(bytes(format));
            drawing_ = {};
        });
    }

    QStringList formats() const override { return {QStringLiteral("image/png"), QStringLiteral("image/svg+xml")}; }
    bool hasFormat(const QString& mimeType) const override { return formats().contains(mimeType); }

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType) const override
    {
        return hasFormat(mimeType) ? QVariant(bytes(mimeType)) : QVariant();
    }

private:
    const QByteArray& bytes(const QString& mimeType) const
    {
        const bool isPng = mimeType == QLatin1String("image/png");
        QByteArray& made = isPng ? png_ : svg_;
        if (made.isEmpty())
            made = isPng ? png(drawing_, sheet_) : svg(drawing_, sheet_);
        return made;
    }

    Drawing drawing_;
    Sheet sheet_;
    mutable QByteArray png_;
    mutable QByteArray svg_;
};

} // namespace

QMimeData* clipboardData(const Drawing& drawing, const Sheet& sheet) { return new DrawingMimeData(drawing, sheet); }

void paintOnPage(QPainter& painter, const Drawing& drawing, const Sheet& sheet, QSizeF page, double dpi)
{
    const QSizeF size = sheet.inches * dpi;
    const double fit = std::min({1.0, page.width() / size.width(), page.height() / size.height()});
    painter.translate((page.width() - size.width() * fit) / 2, (page.height() - size.height() * fit) / 2);
    paintSheet(painter, drawing, sheet, dpi * fit / sheet.pixelsPerInchX(), dpi * fit / sheet.pixelsPerInchY());
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
    QString path = chosenPath;
    while (path.endsWith(QLatin1Char('.')) || path.endsWith(QLatin1Char(' '))) // no empty suffix, no "x.pdf .png"
        path.chop(1);
    const QString typed = QFileInfo(path).suffix().toLower();
    for (const FileFormat format : kFileFormats)
        if (typed == suffix(format))
            return {path, format};
    return {path + QLatin1Char('.') + suffix(filterFormat), filterFormat};
}

std::optional<QString> save(const Drawing& drawing, const Sheet& sheet, const SaveTarget& target)
{
    const QByteArray bytes = encode(drawing, sheet, target.format);
    if (bytes.isEmpty()) // never in place of an earlier file
        return notSaved(
            target.path,
            QStringLiteral("Die Zeichnung ließ sich nicht als %1 umwandeln.").arg(suffix(target.format).toUpper()));
    if (const auto failure = writeWholeFile(target.path, bytes))
        return notSaved(target.path, *failure);
    return std::nullopt;
}

} // namespace kurvix::drawing
