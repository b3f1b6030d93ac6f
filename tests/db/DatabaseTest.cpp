#include "db/DbError.h"
#include "db/Query.h"
#include "store/Schema.h"
#include "support/DiskTrouble.h"
#include "support/FileBytes.h"
#include "support/TempDatabase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <sys/inotify.h>

using db::DbError;

namespace {

// The DbError the call raises; a test failure when it raises none.
DbError raised(const std::function<void()>& call) {
    try {
        call();
    } catch (const DbError& e) {
        return e;
    }
    ADD_FAILURE() << "no DbError was raised";
    return DbError({});
}

QString openError(const QString& path, bool exclusive = true) {
    return raised([&] { store::openChronicle(path, exclusive); }).message();
}

// A chronicle holding Mira, closed.
struct DatabaseFile : ::testing::Test {
    TempDatabase temp;
    void SetUp() override {
        temp.addCharacter("Mira");
        temp.release();
    }
};

// Refused before anything is written: foreign, empty, cut-off, incomplete, read-only and missing files.
TEST_F(DatabaseFile, RefusesWhatIsNotAWritableDuskledgerDatabase) {
    temp.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
              "INSERT INTO Char_Info (Name, History) SELECT 'Filler', printf('%.2000c', 'x') FROM n");
    temp.release();
    const QByteArray database = fileBytes(temp.path());
    ASSERT_GT(database.size(), 500000); // enough pages that half the file loses some
    const QString other = temp.file("other.db");
    store::createDatabase(other);
    store::openChronicle(other, false)->Execute("DROP TABLE Ritual_Link");
    const std::pair<const char*, QByteArray> cases[] = {{"text", "Mira, Ann, Vesper\r\n"},
                                                        {"empty", {}},
                                                        {"half", database.left(database.size() / 2)},
                                                        {"header", database.left(60)},
                                                        {"other", fileBytes(other)},
                                                        {"readonly", database}};
    for (const auto& [name, bytes] : cases) {
        const QString path = temp.file(name + QString(".mdb"));
        ASSERT_TRUE(writeFile(path, bytes));
        const bool readOnly = QString(name) == "readonly";
        if (readOnly)
            QFile::setPermissions(path, QFile::ReadOwner);
        const QString message = openError(path);
        EXPECT_TRUE(message.contains(readOnly ? "read-only" : "not a Duskledger database") && message.contains(path))
            << name << ": " << message.toStdString();
        EXPECT_EQ(fileBytes(path), bytes) << name << " was changed by the attempt";
    }
    for (const QString& missing : {temp.file("missing.mdb"), temp.folder()})
        EXPECT_TRUE(openError(missing).contains("does not exist")) << missing.toStdString();
    EXPECT_FALSE(QFile::exists(temp.file("missing.mdb")));

    // A file that lacks a column the program reads is refused, naming the table and the column.
    const std::pair<const char*, const char*> renamed[] = {
        {"Char_Info", "Haven"}, {"Health", "Health3"}, {"MeritFlaw_LookUp", "pointflex"},
        {"Ritual_Link", "Ritual_ID"}};
    for (const auto& [table, column] : renamed) {
        const QString path = temp.file(column + QString(".mdb"));
        ASSERT_TRUE(writeFile(path, database));
        store::openChronicle(path, false)
            ->Execute(QStringLiteral("ALTER TABLE %1 RENAME COLUMN %2 TO Renamed").arg(table, column));
        EXPECT_EQ(openError(path), QStringLiteral("The file \"%1\" is not a Duskledger database: the table %2 has no "
                                                  "column %3.")
                                       .arg(QDir::toNativeSeparators(path), table, column));
    }

    // A relative name that reads like a SQLite URI is still a plain file name.
    ASSERT_TRUE(writeFile(temp.file("file:odd.mdb?mode=rwc"), database));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(temp.folder());
    EXPECT_NO_THROW(store::openChronicle("file:odd.mdb?mode=rwc", true));
    QDir::setCurrent(previous);
    EXPECT_FALSE(QFile::exists(temp.file("odd.mdb")));
}

// A second program is refused at once, and the first goes on; at rest the file is one file again.
TEST_F(DatabaseFile, ExclusiveUseAndTheLogFoldedBackAtClose) {
    auto first = store::openChronicle(temp.path(), true);
    for (bool exclusive : {true, false}) {
        QElapsedTimer timer;
        timer.start();
        const QString message = openError(temp.path(), exclusive);
        EXPECT_LT(timer.elapsed(), 500);
        EXPECT_TRUE(message.contains(temp.path()) && message.contains("in use by another program"))
            << message.toStdString();
    }
    first->Execute("UPDATE Char_Info SET Haven = 'Mill'");
    first->Close();
    // The header's version bytes: the rollback journal format, with no log beside it.
    EXPECT_EQ(fileBytes(temp.path()).mid(18, 2), QByteArray("\x01\x01", 2));
    EXPECT_FALSE(QFile::exists(temp.path() + "-wal"));
    EXPECT_EQ(store::openChronicle(temp.path(), false)->scalar("SELECT Haven FROM Char_Info"), "Mill");
}

// A commit only appends to the log; soon after, on the event loop, the log is folded into the file, so
// a copy of the file alone holds it. A log left by a killed program is folded in when the file opens.
TEST_F(DatabaseFile, TheFileAloneHoldsEveryCommitSoonAfter) {
    auto database = store::openChronicle(temp.path(), true);
    const QString log = temp.path() + "-wal";
    database->Execute("UPDATE Char_Info SET Haven = 'Mill'");
    ASSERT_GT(QFileInfo(log).size(), 0);
    const QString killed = temp.file("killed.mdb");
    ASSERT_TRUE(QFile::copy(temp.path(), killed) && QFile::copy(log, killed + "-wal"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFileInfo(log).size() == 0; }, 4 * db::Database::kFoldDelayMs));
    ASSERT_TRUE(QFile::copy(temp.path(), temp.file("copy.mdb")));
    EXPECT_EQ(store::openChronicle(temp.file("copy.mdb"), false)->scalar("SELECT Haven FROM Char_Info"), "Mill");

    auto reopened = store::openChronicle(killed, true);
    EXPECT_EQ(QFileInfo(killed + "-wal").size(), 0);
    ASSERT_TRUE(QFile::copy(killed, temp.file("copy of killed.mdb")));
    EXPECT_EQ(store::openChronicle(temp.file("copy of killed.mdb"), false)->scalar("SELECT Haven FROM Char_Info"),
              "Mill");
}

// The real cause, in words: a folder that cannot take the log beside the file (not a read-only file),
// a full disk when the log left by a killed program is read back (not an I/O error). Nothing is lost.
TEST_F(DatabaseFile, FolderWithoutRoomForTheLogAndFullDiskAreToldAsSuch) {
    using P = QFile::Permission;
    QFile::setPermissions(temp.path(),
                          P::ReadOwner | P::WriteOwner | P::ReadGroup | P::WriteGroup | P::ReadOther | P::WriteOther);
    QFile::setPermissions(temp.folder(),
                          P::ReadOwner | P::ExeOwner | P::ReadGroup | P::ExeGroup | P::ReadOther | P::ExeOther);
    {
        AsOtherUser other;
        const QString message = openError(temp.path());
        EXPECT_TRUE(message.contains("not writable") && message.contains(temp.folder()) &&
                    !message.contains("read-only"))
            << message.toStdString();
    }
    QFile::setPermissions(temp.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    SmallDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << "a full disk needs a small tmpfs, which only root may mount";
    const QString path = disk.file("c.mdb"), left = disk.file("left.mdb");
    store::createDatabase(path);
    auto database = store::openChronicle(path, true);
    database->Execute("INSERT INTO Char_Info (Name, History) SELECT 'Filler', printf('%.50000c', 'x') "
                      "FROM (SELECT 1 UNION ALL SELECT 2 UNION ALL SELECT 3 UNION ALL SELECT 4)");
    ASSERT_TRUE(QFile::copy(path, left) && QFile::copy(path + "-wal", left + "-wal")); // as a kill leaves them
    database->Close();
    QFile::remove(path);
    disk.fill();
    const QString message = openError(left);
    EXPECT_TRUE(message.contains("disk is full") && message.contains(left)) << message.toStdString();
    QFile::remove(disk.file("filler"));
    EXPECT_EQ(store::openChronicle(left, true)->scalar("SELECT count(*) FROM Char_Info WHERE Name = 'Filler'"), 4);
}

// The copy takes its name only once whole: it is written under a name no one opens as a chronicle and
// renamed into place. What a killed copy left in the folder goes at the next one.
TEST_F(DatabaseFile, CompactWritesAWorkingCopyAndRefusesAnExistingDestination) {
    const QString copy = temp.file("copy.mdb");
    for (const char* leftover : {".duskledger-copy-Ab12Cd.part", ".duskledger-copy-Ab12Cd.part-journal"})
        ASSERT_TRUE(writeFile(temp.file(leftover), QByteArray(3000, 'x')));
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    inotify_add_watch(watch, QFile::encodeName(temp.folder()).constData(), IN_CREATE | IN_MODIFY | IN_MOVED_TO);
    db::CompactDatabase(temp.path(), copy);
    alignas(inotify_event) char events[64 * 1024];
    const ssize_t length = read(watch, events, sizeof events);
    close(watch);
    ASSERT_GT(length, 0);
    for (ssize_t at = 0; at < length;) {
        const auto* event = reinterpret_cast<const inotify_event*>(events + at);
        const QString name = QString::fromUtf8(event->len ? event->name : "");
        EXPECT_TRUE(name.endsWith(".mdb") ? name == "copy.mdb" && event->mask == IN_MOVED_TO : !name.isEmpty())
            << name.toStdString() << " " << event->mask;
        at += ssize_t(sizeof(inotify_event) + event->len);
    }
    EXPECT_EQ(QDir(temp.folder()).entryList(QDir::Files | QDir::Hidden), QStringList({"chronicle.mdb", "copy.mdb"}));
    EXPECT_EQ(store::openChronicle(copy, true)->scalar("SELECT Name FROM Char_Info"), "Mira");
    const QByteArray before = fileBytes(copy);
    const QString refusal = raised([&] { db::CompactDatabase(temp.path(), copy); }).message();
    EXPECT_TRUE(refusal.contains(copy) && refusal.contains("already exists")) << refusal.toStdString();
    EXPECT_EQ(fileBytes(copy), before);
    EXPECT_THROW(db::CompactDatabase(temp.file("missing.mdb"), temp.file("out.mdb")), DbError);
    EXPECT_FALSE(QFile::exists(temp.file("missing.mdb")) || QFile::exists(temp.file("out.mdb")));
}

TEST_F(DatabaseFile, CreateNeverOverwrites) {
    const qint64 size = QFileInfo(temp.path()).size();
    EXPECT_THROW(store::createDatabase(temp.path()), DbError);
    EXPECT_EQ(QFileInfo(temp.path()).size(), size);
    EXPECT_EQ(store::openChronicle(temp.path(), true)->scalar("SELECT Name FROM Char_Info").toString(), "Mira");
}

// Mira (key 1) with a nature, demeanor and clan of her own; Old Tom (key 2) stored with the player "npc".
struct EngineTest : ::testing::Test {
    TempDatabase temp;
    db::Database& d = temp.db();

    void SetUp() override {
        d.Execute("INSERT INTO DemeanorNature (DemNat) VALUES ('Sage'), ('Drifter')"); // 2, 3
        d.Execute("INSERT INTO Clan (Clan) VALUES ('Vesper')");
        temp.addCharacter("Mira");
        temp.addCharacter("Old Tom", "npc");
        d.Execute("UPDATE Char_Info SET Nature = 2, Demeanor = 3, Clan = 2 WHERE Char_ID = 1");
    }
};

// The user is shown a sentence with SQLite's reason; the statement is kept for the log, out of the text.
TEST_F(EngineTest, ErrorsTellTheReasonAndKeepTheStatementForTheLog) {
    const std::pair<QString, const char*> cases[] = {
        {"Select Nmae from char_info", "no such column"},
        {"SELECT * FROM Clan WHERE Clan = 'unclosed", "unrecognized token"},
        {"UPDATE Char_Info SET Name = NULL WHERE Char_ID = 1", "NOT NULL"}};
    for (const auto& [sql, sqliteSays] : cases) {
        for (const DbError& e : {raised([&] { d.Execute(sql); }), raised([&] { db::query(d.connection(), sql); })}) {
            EXPECT_EQ(e.statement(), sql);
            EXPECT_TRUE(QString(e.what()).contains(sql));
            EXPECT_TRUE(e.message().startsWith("The database ") && e.message().contains(sqliteSays) &&
                        !e.message().contains(sql) && !e.message().contains("Char_Info SET"))
                << e.message().toStdString();
        }
    }
    d.Close(); // a closed database raises, it does not crash
    EXPECT_THROW(d.Execute("SELECT 1"), DbError);
    EXPECT_THROW(db::query(d.connection(), "SELECT 1"), DbError);
}

// A name matches without regard to case and a repeated name means its first column: on the main
// query, "Clan" is the key of a.*, the clan's name is read by position.
TEST_F(EngineTest, QueryRowsByNameAndPosition) {
    const QString sql = store::schema::mainCharacterQuery() + " ORDER BY a.Char_ID";
    const std::vector<db::Row> rows = db::query(d.connection(), sql);
    ASSERT_EQ(rows.size(), 2u); // Old Tom joins the key-1 rows every new database holds
    const db::Row& mira = rows[0];
    const int last = mira.size() - 1;
    EXPECT_EQ(mira.value("nAmE"), QVariant("Mira"));
    EXPECT_EQ(mira.value("Clan"), QVariant(2LL));
    EXPECT_EQ(mira.value("DemNat"), QVariant("Sage"));
    EXPECT_EQ(mira.value(last - 2), QVariant("Drifter"));
    EXPECT_EQ(mira.value(last - 1), QVariant("Vesper"));
    EXPECT_FALSE(mira.value("History").isValid());
    EXPECT_EQ(rows[1].value("player"), QVariant("npc"));
    for (const DbError& e : {raised([&] { mira.value("b.DemNat"); }), raised([&] { mira.value(last + 1); })}) {
        EXPECT_TRUE(e.message().startsWith("Item not found in this collection: ")) << e.message().toStdString();
        EXPECT_EQ(e.statement(), sql);
    }
}

// An inner transaction rolls back alone, also after a failed statement; the outer one commits.
TEST_F(EngineTest, TransactionsNest) {
    {
        db::Transaction outer(d);
        d.Execute("UPDATE Char_Info SET Haven = 'Mill' WHERE Char_ID = 1");
        {
            db::Transaction inner(d);
            d.Execute("UPDATE Char_Info SET Haven = 'Cellar' WHERE Char_ID = 2");
            d.Execute("DELETE FROM Health");
            EXPECT_THROW(d.Execute("INSERT INTO NoSuchTable VALUES (1)"), DbError);
        }
        outer.commit();
    }
    EXPECT_EQ(d.scalar("SELECT group_concat(Haven) FROM Char_Info"), "Mill");
    EXPECT_EQ(d.scalar("SELECT count(*) FROM Health"), 2);
}

} // namespace
