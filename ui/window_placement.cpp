#include "ui/window_placement.h"

namespace kurvix::ui {

QPoint windowPosition(const QRect& available, const QSize& frame)
{
    if (frame.width() > available.width() || frame.height() > available.height())
        return available.topLeft();
    return available.topLeft() +
           QPoint((available.width() - frame.width()) / 2, (available.height() - frame.height()) / 2);
}

} // namespace kurvix::ui
