#pragma once

#include <QString>

#include <ostream>

// Lets GoogleTest show a QString as text rather than as its bytes.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
