#include "ui/termination.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace kurvix::ui {
namespace {

// A signal handler may only write to a descriptor; the event loop reads it.
int requests[2] = {-1, -1};

void requestClose(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(requests[1], &byte, 1); // never blocks: the socket is non-blocking
    errno = saved;
}

} // namespace

void catchTermination()
{
    if (requests[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, requests) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = requestClose;
    action.sa_flags = SA_RESTART | SA_RESETHAND; // the second SIGTERM takes its default course
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
}

void closeOnTermination(QWidget& window)
{
    if (requests[0] < 0)
        return;
    auto* notifier = new QSocketNotifier(requests[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [] {
        char bytes[16];
        while (::read(requests[0], bytes, sizeof bytes) > 0) {
        }
        QApplication::closeAllWindows(); // the message box and dialogs too, if one is open
    });
}

} // namespace kurvix::ui
