#pragma once

// Answers the modal boxes, dialogs and menus a test opens.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace kurvix::testing {

// Hands each modal box, dialog or menu to `answer` as soon as it shows, for as long as the timer lives.
inline std::unique_ptr<QTimer> answering(std::function<void(QWidget&)> answer)
{
    auto timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, [answer = std::move(answer)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal || (modal = QApplication::activePopupWidget()))
            answer(*modal);
    });
    timer->start(1);
    return timer;
}

} // namespace kurvix::testing
