#pragma once

// Printing the drawing on paper, or into the PDF file the print dialog chose.

#include "drawing/drawing_export.h"

#include <QString>

#include <optional>
#include <string>

class QPrinter;

namespace kurvix::ui {

// Centred on the paper at true scale, or scaled down where the paper is
// smaller; a PDF file the print dialog chose is written whole or not at all.
// Returns what to tell the user where the curve was not printed (or waits in
// a stopped queue), in German: the printer's state or CUPS's own words.
std::optional<QString> print(const drawing::Drawing& drawing, const drawing::Sheet& sheet, QPrinter& printer);

// How far a job got, and what CUPS said of it and of the printer's queue.
struct PrintAnswer {
    enum class Stage { NotStarted, NotHandedOver, HandedOver };
    Stage stage = Stage::HandedOver;
    std::optional<std::string> refusal;    // CUPS's words where it refused the job
    std::optional<std::string> stoppedFor; // where the queue is stopped: the reason given, perhaps none
};

// What to tell the user where the curve was not printed or waits, in German; nothing where it prints.
std::optional<QString> printMessage(const QString& printer, const PrintAnswer& answer);

} // namespace kurvix::ui
