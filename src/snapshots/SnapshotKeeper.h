#pragma once

#include "store/Snapshots.h"

#include <QObject>
#include <QTimer>
#include <memory>

class QWidget;

namespace app {
class Session;
}

namespace snapshots {

// Takes the snapshots of the open file: in the background a few pages at a time between events
// (after a file is opened, and every thirty minutes in which something was written), or whole at
// once before the file is changed beyond recall or given up. Afterwards the oldest snapshots go
// as store::snapshots::expired says. A snapshot that fails is told once a session; the work goes on.
class SnapshotKeeper : public QObject {
public:
    static constexpr int kEditingMinutes = 30;
    // The file may be no more than this many times smaller than all its snapshots together.
    static constexpr int kSizeFactor = 5;

    SnapshotKeeper(app::Session& session, QWidget* window);
    ~SnapshotKeeper() override;

    void takeInBackground();
    // Takes one now (finishing the one under way, which then holds every change so far); the
    // window repaints meanwhile, a progress dialog shows when it takes a while. Returns the
    // snapshot's path, empty when it failed (the user was told, once a session).
    QString takeNow();
    // Drops a snapshot under way: the file is about to close.
    void abandon();

private:
    // Starts a copy of the open file unless one is under way; false when it cannot be started.
    bool start();
    // One step of the copy under way, sized to stay within a frame; true when it is complete.
    bool step();
    QString finish();
    void fail(const QString& reason);
    void everyEditingPeriod();

    app::Session& m_session;
    QWidget* m_window;
    std::unique_ptr<store::snapshots::SnapshotCopy> m_copy;
    QTimer m_stepper;
    QTimer m_editing;
    int m_pages = 64;
    // The connection and its count of changed rows at the last snapshot: nothing new, no snapshot.
    quint64 m_serialAtLast = 0;
    qint64 m_changesAtLast = 0;
    bool m_failureTold = false;
};

} // namespace snapshots
