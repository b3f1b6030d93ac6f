#pragma once

#include <QObject>
#include <csignal>
#include <functional>

class QSocketNotifier;

namespace app {

// SIGTERM, SIGINT and SIGHUP (shut-down or logout, Ctrl+C, a closed terminal) as events of the event
// loop: the handler, which may do next to nothing, writes the signal's number into a socket pair
// whose other end a notifier reads on the loop. One instance at a time; the handlers it replaced are
// put back when it goes.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    TerminationSignals();
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

Q_SIGNALS:
    void received(int signalNumber);

private:
    void readSignals();
    QSocketNotifier* m_notifier = nullptr;
    struct sigaction m_replaced[3] = {};
};

// Runs the event loop until the program ends. The last window closing ends it as that window decides.
// A termination signal first has each open window that offers endWithoutQuestions() keep its typed
// text, then unwinds every event loop, so each open dialog returns as cancelled and
// its caller finishes, then calls endWithoutQuestions, which saves what is pending and closes the
// database. When that fails (it has told the user why) the program goes on, as after a failed save
// on Exit, until the next signal or Exit. Returns the program's exit code.
int runUntilEnded(const std::function<bool()>& endWithoutQuestions);

} // namespace app
