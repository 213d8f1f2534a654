#pragma once

// Answers the modal boxes, dialogs and menus a test opens.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace kurvix::testing {

// Hands each modal box, dialog or menu to `answer` as soon as it shows.
class Answering : public QTimer {
public:
    explicit Answering(std::function<void(QWidget&)> answer) : answer_(std::move(answer))
    {
        connect(this, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal || (modal = QApplication::activePopupWidget()))
                answer_(*modal);
        });
        start(1);
    }

private:
    std::function<void(QWidget&)> answer_;
};

} // namespace kurvix::testing
