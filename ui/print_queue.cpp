#include "print_queue.h"

#include <cups/cups.h>

#include <memory>

namespace kurvix::ui {
namespace {

QString sentence(const char* text) // without its full stop, to stand in another sentence
{
    QString s = QString::fromUtf8(text).trimmed();
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s;
}

} // namespace

std::optional<QString> jobRefusal()
{
    // Qt hands the job to libcups in this thread and drops the answer; libcups keeps it here.
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return std::nullopt;
    return sentence(cupsLastErrorString());
}

std::optional<QString> queueHeld(const QString& printer)
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
    const QString message = why ? sentence(ippGetString(why, 0, nullptr)) : QString();
    return message.isEmpty() ? QStringLiteral("angehalten") : QStringLiteral("angehalten: %1").arg(message);
}

} // namespace kurvix::ui
