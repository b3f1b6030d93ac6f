#include "snapshots/SnapshotKeeper.h"

#include "app/Services.h"
#include "app/Session.h"
#include "db/DbError.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>

namespace snapshots {

namespace {
// A step copies as many pages as take about this long, so the window never waits a frame.
constexpr qint64 kStepNanoseconds = 4'000'000;
constexpr int kFewestPages = 8;
constexpr int kMostPages = 16384;
constexpr int kSealingPollMs = 5;
} // namespace

SnapshotKeeper::SnapshotKeeper(app::Session& session, QWidget* window)
    : m_session(session), m_window(window) {
    m_stepper.setSingleShot(true);
    m_stepper.setInterval(0);
    connect(&m_stepper, &QTimer::timeout, this, &SnapshotKeeper::onTimer);
    m_editing.setInterval(kEditingMinutes * 60 * 1000);
    connect(&m_editing, &QTimer::timeout, this, &SnapshotKeeper::everyEditingPeriod);
    m_editing.start();
}

SnapshotKeeper::~SnapshotKeeper() {
    abandon();
}

void SnapshotKeeper::takeInBackground() {
    m_asked = true;
    if (!m_stepper.isActive())
        m_stepper.start(0);
}

void SnapshotKeeper::onTimer() {
    if (m_sealing.valid()) {
        if (m_sealing.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
            m_stepper.start(kSealingPollMs);
            return;
        }
        collect();
    }
    if (!m_copy && m_asked) {
        m_asked = false;
        if (!start())
            return;
    }
    if (!m_copy)
        return;
    if (step())
        seal();
    m_stepper.start(m_sealing.valid() ? kSealingPollMs : 0);
}

QString SnapshotKeeper::takeNow() {
    m_stepper.stop();
    m_asked = false; // this one answers it
    collect(); // one sealed before the latest changes: the one taken now holds them
    if (!start())
        return {};
    QProgressDialog progress(QStringLiteral("Taking a snapshot of the chronicle..."), QString(), 0, 100, m_window);
    progress.setWindowTitle(app::kTitle);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    while (!step()) {
        progress.setValue(int(m_copy->progress() * 100));
        // The window repaints; what the user does waits for the snapshot.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    seal();
    return collect();
}

void SnapshotKeeper::abandon() {
    m_stepper.stop();
    m_asked = false;
    m_copy.reset();
    if (m_sealing.valid())
        m_sealing.wait(); // a flush and a rename: the copy itself is complete
}

bool SnapshotKeeper::start() {
    if (!m_session.isOpen()) {
        m_copy.reset();
        return false;
    }
    db::Database& database = *m_session.database;
    if (m_copy && m_copy->sourceSerial() == database.connection().serial())
        return true; // the one under way takes in every change up to its end
    try {
        m_copy = std::make_unique<store::snapshots::SnapshotCopy>(database, QDateTime::currentDateTime());
    } catch (const db::DbError& e) {
        fail(e.message());
        return false;
    }
    return true;
}

bool SnapshotKeeper::step() {
    if (!m_copy)
        return true;
    if (!m_session.isOpen() || m_session.database->connection().serial() != m_copy->sourceSerial()) {
        m_copy.reset(); // the file it copied was let go
        return true;
    }
    QElapsedTimer took;
    took.start();
    bool done = false;
    try {
        done = m_copy->step(m_pages);
    } catch (const db::DbError& e) {
        m_copy.reset();
        fail(e.message());
        return true;
    }
    const qint64 elapsed = took.nsecsElapsed();
    if (elapsed < kStepNanoseconds / 2)
        m_pages = std::min(m_pages * 2, kMostPages);
    else if (elapsed > kStepNanoseconds * 3 / 2)
        m_pages = std::max(m_pages / 2, kFewestPages);
    return done;
}

void SnapshotKeeper::seal() {
    if (!m_copy)
        return;
    try {
        m_sealing = std::async(std::launch::async, m_copy->close());
    } catch (const db::DbError& e) {
        fail(e.message());
    }
    m_copy.reset();
    // What the copy holds: the file as it is at this moment.
    const db::Connection& connection = m_session.database->connection();
    m_serialAtLast = connection.serial();
    m_changesAtLast = connection.totalChanges();
}

QString SnapshotKeeper::collect() {
    if (!m_sealing.valid())
        return {};
    while (m_sealing.wait_for(std::chrono::milliseconds(kSealingPollMs)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QString path;
    try {
        path = m_sealing.get();
    } catch (const db::DbError& e) {
        fail(e.message());
        return {};
    }
    const QString file = QFileInfo(path).absolutePath().chopped(QStringLiteral(" snapshots").size());
    for (const QString& gone : store::snapshots::expired(store::snapshots::list(file), QDateTime::currentDateTime(),
                                                         kSizeFactor * QFileInfo(file).size()))
        QFile::remove(gone);
    return path;
}

void SnapshotKeeper::fail(const QString& reason) {
    if (m_failureTold)
        return;
    m_failureTold = true;
    m_session.services.messageBox(reason + QStringLiteral("\n\nYour work goes on and the chronicle itself is "
                                                          "untouched. Duskledger keeps trying and says this "
                                                          "once a session."),
                                  app::Buttons::OK, app::Icon::Exclamation);
}

void SnapshotKeeper::everyEditingPeriod() {
    if (!m_session.isOpen())
        return;
    const db::Connection& connection = m_session.database->connection();
    if (connection.serial() != m_serialAtLast || connection.totalChanges() != m_changesAtLast)
        takeInBackground();
}

} // namespace snapshots
