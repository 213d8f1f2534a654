#pragma once

// Printing the drawing on paper, or into the PDF file the print dialog chose.

#include "drawing/drawing_export.h"

#include <QString>

#include <optional>

class QPrinter;

namespace kurvix::ui {

// Centred on the paper at true scale, or scaled down where the paper is
// smaller; a PDF file the print dialog chose is written whole or not at all.
// Returns what to tell the user where the curve was not printed (or waits in
// a stopped queue), in German: the printer's state or CUPS's own words.
std::optional<QString> print(const drawing::Drawing& drawing, const drawing::Sheet& sheet, QPrinter& printer);

} // namespace kurvix::ui
