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
} // namespace

SnapshotKeeper::SnapshotKeeper(app::Session& session, QWidget* window)
    : m_session(session), m_window(window) {
    m_stepper.setSingleShot(true);
    m_stepper.setInterval(0);
    connect(&m_stepper, &QTimer::timeout, this, [this] {
        if (step())
            finish();
        else
            m_stepper.start();
    });
    m_editing.setInterval(kEditingMinutes * 60 * 1000);
    connect(&m_editing, &QTimer::timeout, this, &SnapshotKeeper::everyEditingPeriod);
    m_editing.start();
}

SnapshotKeeper::~SnapshotKeeper() {
    abandon();
}

void SnapshotKeeper::takeInBackground() {
    if (start())
        m_stepper.start();
}

QString SnapshotKeeper::takeNow() {
    m_stepper.stop();
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
    return finish();
}

void SnapshotKeeper::abandon() {
    m_stepper.stop();
    m_copy.reset();
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

QString SnapshotKeeper::finish() {
    if (!m_copy)
        return {};
    QString path;
    try {
        path = m_copy->finish();
    } catch (const db::DbError& e) {
        m_copy.reset();
        fail(e.message());
        return {};
    }
    m_copy.reset();
    const db::Connection& connection = m_session.database->connection();
    m_serialAtLast = connection.serial();
    m_changesAtLast = connection.totalChanges();
    const QString file = m_session.path();
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
