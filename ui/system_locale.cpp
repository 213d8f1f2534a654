#include "ui/system_locale.h"

#include <QLocale>

namespace kurvix::ui {

NumberLocale systemNumberLocale() { return NumberLocale{QLocale::system().decimalPoint().toStdString()}; }

} // namespace kurvix::ui
