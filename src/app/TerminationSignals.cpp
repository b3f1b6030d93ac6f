#include "app/TerminationSignals.h"

#include <QApplication>
#include <QWidget>
#include <QSocketNotifier>
#include <QtDebug>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <sys/socket.h>
#include <unistd.h>

namespace app {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
// [0] is written by the handler, [1] read on the event loop.
int g_pair[2] = {-1, -1};

// Only async-signal-safe calls here.
void onSignal(int number) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(g_pair[0], &byte, 1);
    errno = saved;
}

} // namespace

TerminationSignals::TerminationSignals() {
    Q_ASSERT(g_pair[0] < 0);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, g_pair) != 0) {
        qWarning("Termination signals keep their default action: no socket pair (%s)", strerror(errno));
        g_pair[0] = g_pair[1] = -1;
        return;
    }
    m_notifier = new QSocketNotifier(qintptr(g_pair[1]), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignals);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &action, &m_replaced[i]);
}

TerminationSignals::~TerminationSignals() {
    if (g_pair[0] < 0)
        return;
    for (size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &m_replaced[i], nullptr);
    delete m_notifier;
    ::close(g_pair[0]);
    ::close(g_pair[1]);
    g_pair[0] = g_pair[1] = -1;
}

void TerminationSignals::readSignals() {
    unsigned char byte = 0;
    while (::read(g_pair[1], &byte, 1) == 1)
        Q_EMIT received(byte);
}

int runUntilEnded(const std::function<bool()>& endWithoutQuestions) {
    TerminationSignals termination;
    bool signalled = false;
    QObject::connect(&termination, &TerminationSignals::received, [&] {
        signalled = true;
        // An open window holding typed text (a note, a description) keeps it as its Ok would.
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && window->metaObject()->indexOfMethod("endWithoutQuestions()") >= 0)
                QMetaObject::invokeMethod(window, "endWithoutQuestions");
        QCoreApplication::exit(0); // leaves every running event loop, the dialogs' too
    });
    for (;;) {
        const int code = QCoreApplication::exec();
        if (!signalled)
            return code;
        // A signal that comes while the failed end tells the user tries again at once.
        while (signalled) {
            signalled = false;
            if (endWithoutQuestions())
                return 0;
        }
    }
}

} // namespace app
