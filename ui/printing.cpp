#include "ui/printing.h"

#include "drawing/whole_file.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <cups/cups.h>

#include <memory>

namespace kurvix::ui {
namespace {

using drawing::Drawing;
using drawing::Sheet;

QString sentence(const std::string& text) // without its full stop, to stand in another sentence
{
    QString s = QString::fromStdString(text).trimmed();
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s;
}

// Why CUPS refused the last job this thread handed to it; nothing where it took the job.
std::optional<std::string> jobRefusal()
{
    // Qt hands the job to libcups in this thread and drops the answer; libcups keeps it here.
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return std::nullopt;
    return cupsLastErrorString();
}

// Why the printer's queue is stopped, as its administrator gave it; nothing where it prints.
std::optional<std::string> queueStopped(const QString& printer)
{
    const QByteArray queue = printer.section(QLatin1Char('/'), 0, 0).toUtf8(); // without the instance
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                     queue.constData());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const kWanted[] = {"printer-state", "printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr, kWanted);
    const std::unique_ptr<ipp_t, decltype(&ippDelete)> answer(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"),
                                                              ippDelete);
    ipp_attribute_t* state = ippFindAttribute(answer.get(), "printer-state", IPP_TAG_ENUM);
    if (!state || ippGetInteger(state, 0) != IPP_PSTATE_STOPPED)
        return std::nullopt;
    ipp_attribute_t* why = ippFindAttribute(answer.get(), "printer-state-message", IPP_TAG_TEXT);
    const char* message = why ? ippGetString(why, 0, nullptr) : nullptr;
    return message ? message : "";
}

// The page the print dialog laid out, as a PDF file written whole.
std::optional<QString> printToFile(const Drawing& drawing, const Sheet& sheet, const QPrinter& printer)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Kurvix"));
    writer.setTitle(printer.docName());
    writer.setResolution(printer.resolution());
    QPageLayout layout = printer.pageLayout();
    layout.setMinimumMargins({});
    layout.setMargins({});
    writer.setPageLayout(layout);
    QPainter painter(&writer);
    paintOnPage(painter, drawing, sheet, layout.fullRectPixels(writer.resolution()).size(), writer.resolution());
    painter.end();
    return drawing::writeWholeFile(printer.outputFileName(), bytes);
}

} // namespace

std::optional<QString> print(const Drawing& drawing, const Sheet& sheet, QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        if (const auto failure = printToFile(drawing, sheet, printer))
            return drawing::notSaved(printer.outputFileName(), *failure);
        return std::nullopt;
    }
    const QString name = printer.printerName();
    printer.setFullPage(true); // centred on the paper, not on its printable part
    PrintAnswer answer;
    QPainter painter;
    if (!painter.begin(&printer)) {
        answer.stage = PrintAnswer::Stage::NotStarted;
    } else {
        paintOnPage(painter, drawing, sheet, printer.paperRect(QPrinter::DevicePixel).size(), printer.resolution());
        if (!painter.end()) // hands the job to the print system
            answer.stage = PrintAnswer::Stage::NotHandedOver;
        else
            answer.refusal = jobRefusal();
    }
    if (!name.isEmpty() && answer.stage != PrintAnswer::Stage::NotHandedOver && !answer.refusal)
        answer.stoppedFor = queueStopped(name);
    return printMessage(name, answer);
}

std::optional<QString> printMessage(const QString& printer, const PrintAnswer& answer)
{
    const QString notPrinted = QStringLiteral("Die Kurve wurde nicht gedruckt: ");
    const QString printerIs = QStringLiteral("Der Drucker „%1“ ist %2.");
    const QString why = answer.stoppedFor ? sentence(*answer.stoppedFor) : QString();
    const QString stopped = why.isEmpty() ? QStringLiteral("angehalten") : QStringLiteral("angehalten: ") + why;
    switch (answer.stage) {
    case PrintAnswer::Stage::NotStarted:
        if (printer.isEmpty())
            return notPrinted + QStringLiteral("Kein Drucker ist bereit.");
        return notPrinted + printerIs.arg(printer, answer.stoppedFor ? stopped : QStringLiteral("nicht bereit"));
    case PrintAnswer::Stage::NotHandedOver:
        return notPrinted + QStringLiteral("Der Drucker „%1“ hat sie nicht angenommen.").arg(printer);
    case PrintAnswer::Stage::HandedOver: break;
    }
    if (answer.refusal)
        return notPrinted +
               QStringLiteral("Der Drucker „%1“ nimmt sie nicht an (%2).").arg(printer, sentence(*answer.refusal));
    if (answer.stoppedFor)
        return QStringLiteral("Die Kurve wird noch nicht gedruckt: ") + printerIs.arg(printer, stopped);
    return std::nullopt;
}

} // namespace kurvix::ui
