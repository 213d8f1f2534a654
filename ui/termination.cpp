#include "termination.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace kurvix::ui {
namespace {

// A signal handler may only write to a descriptor; the event loop reads it.
int requests[2] = {-1, -1};

void requestClose(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(requests[1], &byte, 1);
}

} // namespace

void closeOnTermination(QWidget& window)
{
    if (requests[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, requests) != 0)
        return;
    auto* notifier = new QSocketNotifier(requests[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [] {
        char byte = 0;
        [[maybe_unused]] const auto read = ::read(requests[0], &byte, 1);
        QApplication::closeAllWindows(); // the message box too, if one is open
    });
    struct sigaction action = {};
    action.sa_handler = requestClose;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
}

} // namespace kurvix::ui
