#include "Chronicle.h"
#include "db/DbError.h"
#include "db/Sql.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <functional>

using db::Database;
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
    return raised([&] { Database::open(path, exclusive); }).message();
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Refused before anything is written: foreign, empty, cut-off and read-only files.
TEST(DatabaseOpen, RefusesWhatIsNotAWritableDuskledgerDatabase) {
    TempDatabase temp;
    {
        db::Transaction fill(temp.db());
        for (int i = 0; i < 300; ++i) // enough pages that half the file loses some
            temp.addCharacter(QString("Filler %1").arg(i));
        temp.exec("UPDATE Char_Info SET History = printf('%.2000c', 'x')");
        fill.commit();
    }
    temp.release();
    const QByteArray database = contents(temp.path());
    ASSERT_GT(database.size(), 500000);
    const std::vector<std::pair<const char*, std::function<void(const QString&)>>> cases = {
        {"text.mdb", [](const QString& p) { write(p, "Mira, Ann, Vesper\r\n"); }},
        {"empty.mdb", [](const QString& p) { write(p, {}); }},
        {"half.mdb", [&](const QString& p) { write(p, database.left(database.size() / 2)); }},
        {"header.mdb", [&](const QString& p) { write(p, database.left(60)); }},
        {"other.db",
         [](const QString& p) {
             db::createDatabase(p);
             Database::open(p, false)->Execute("DROP TABLE Ritual_Link");
         }},
        {"readonly.mdb",
         [&](const QString& p) {
             write(p, database);
             QFile::setPermissions(p, QFile::ReadOwner);
         }},
    };
    for (const auto& [name, make] : cases) {
        const QString path = temp.file(name);
        make(path);
        const QByteArray before = contents(path);
        const QString message = openError(path);
        const char* reason = QString(name) == "readonly.mdb" ? "read-only" : "not a Duskledger database";
        EXPECT_TRUE(message.contains(reason) && message.contains(path)) << name << ": " << message.toStdString();
        EXPECT_EQ(contents(path), before) << name << " was changed by the attempt";
    }

    const QString missing = temp.file("missing.mdb");
    EXPECT_TRUE(openError(missing).contains("does not exist"));
    EXPECT_TRUE(openError(temp.folder()).contains("does not exist"));
    EXPECT_FALSE(QFile::exists(missing));

    // A relative name that reads like a SQLite URI is still a plain file name.
    const QString odd = "file:odd.mdb?mode=rwc";
    write(temp.file(odd), database);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(temp.folder());
    EXPECT_NO_THROW(Database::open(odd, true));
    QDir::setCurrent(previous);
    EXPECT_FALSE(QFile::exists(temp.file("odd.mdb")));
}

TEST(DatabaseOpen, ExclusiveUseRefusesASecondProgramAtOnce) {
    TempDatabase temp;
    temp.addCharacter("Mira");
    temp.release();
    auto first = Database::open(temp.path(), true);
    for (bool exclusive : {true, false}) {
        QElapsedTimer timer;
        timer.start();
        const QString message = openError(temp.path(), exclusive);
        EXPECT_LT(timer.elapsed(), 500);
        EXPECT_TRUE(message.contains(temp.path()) && message.contains("in use by another program"))
            << message.toStdString();
    }
    first->Execute("UPDATE Char_Info SET Haven = 'Mill'"); // the first goes on
    EXPECT_EQ(first->scalar("SELECT Haven FROM Char_Info").toString(), "Mill");
    first->Close();
    // At rest the file keeps its rollback journal format, with no log beside it.
    EXPECT_EQ(contents(temp.path()).mid(18, 2), QByteArray("\x01\x01", 2));
    EXPECT_FALSE(QFile::exists(temp.path() + "-wal"));
    EXPECT_NO_THROW(Database::open(temp.path(), true));
}

// A write to a file that is no longer the one at its path would be lost: it is refused.
TEST(DatabaseOpen, RefusesToWriteToAFileTakenAwayWhileOpen) {
    TempDatabase temp;
    temp.addCharacter("Mira");
    temp.release();
    auto database = Database::open(temp.path(), true);
    ASSERT_TRUE(QFile::rename(temp.path(), temp.file("moved.mdb")));
    const QString message = raised([&] { database->Execute("UPDATE Char_Info SET Haven = 'Mill'"); }).message();
    EXPECT_TRUE(message.contains(temp.path()) && message.contains("moved")) << message.toStdString();
    EXPECT_EQ(database->scalar("SELECT count(*) FROM Char_Info").toInt(), 1); // reading goes on
    database->Close();
    auto moved = Database::open(temp.file("moved.mdb"), false);
    EXPECT_TRUE(moved->scalar("SELECT Haven FROM Char_Info").isNull());
}

TEST(DatabaseCompact, WritesAWorkingCopyAndRefusesAnExistingDestination) {
    TempDatabase temp;
    temp.addCharacter("Mira");
    temp.release();
    const QString copy = temp.file("copy.mdb");
    db::CompactDatabase(temp.path(), copy);
    auto compacted = Database::open(copy, true);
    EXPECT_EQ(compacted->scalar("SELECT Name FROM Char_Info").toString(), "Mira");
    compacted->Execute("INSERT INTO Clan (Clan) VALUES ('Vesper')");
    compacted->Close();

    const QByteArray before = contents(copy);
    const QString refusal = raised([&] { db::CompactDatabase(temp.path(), copy); }).message();
    EXPECT_TRUE(refusal.contains(copy) && refusal.contains("already exists")) << refusal.toStdString();
    EXPECT_EQ(contents(copy), before);
    EXPECT_THROW(db::CompactDatabase(temp.file("missing.mdb"), temp.file("out.mdb")), DbError);
    EXPECT_THROW(db::CompactDatabase(temp.path(), temp.file("no/such/folder/out.mdb")), DbError);
    EXPECT_FALSE(QFile::exists(temp.file("out.mdb")));
}

using EngineTest = ChronicleTest;

TEST_F(EngineTest, ErrorsCarrySqliteMessageAndStatement) {
    const struct {
        QString sql;
        const char* sqliteSays;
    } cases[] = {
        {"Select Nmae from char_info", "no such column"},
        {"SELECT * FROM Clan WHERE Clan = 'unclosed", "unrecognized token"},
    };
    for (const auto& c : cases) {
        for (bool asRecordset : {true, false}) {
            const DbError e = raised([&] { asRecordset ? void(d.OpenRecordset(c.sql)) : d.Execute(c.sql); });
            EXPECT_TRUE(e.message().contains(c.sqliteSays)) << e.message().toStdString();
            EXPECT_EQ(e.statement(), c.sql);
            EXPECT_TRUE(e.text().contains(c.sql) && e.text().contains(c.sqliteSays));
        }
    }
    auto rs = d.OpenRecordset("Select * from char_info where Char_ID = 1");
    rs->Edit();
    rs->setField("Name", QVariant()); // Name may not be Null
    const DbError e = raised([&] { rs->Update(); });
    EXPECT_TRUE(e.message().contains("NOT NULL") && e.statement().contains("UPDATE")) << e.text().toStdString();
}

TEST_F(EngineTest, HostileNamesStayData) {
    QStringList names = {"O'Brien", "'; DROP TABLE Clan; --", "x' OR '1'='1", "\"quoted\" [bracketed] `ticked`"};
    names << QString::fromUtf8("Ænéa 夜の氏族 🦇") << QString(10000, QChar('\'')) + "end";
    for (const QString& name : names) {
        d.Execute("INSERT INTO Clan (Clan) VALUES (" + db::sqlText(name) + ")");
        auto quoted = d.OpenRecordset("Select * from Clan where Clan= " + db::sqlText(name));
        ASSERT_EQ(quoted->RecordCount(), 1) << name.left(40).toStdString();
        EXPECT_EQ(quoted->Fields("Clan").toString(), name);
        quoted->Delete();
    }
    EXPECT_EQ(count("SELECT count(*) FROM Clan"), 2);
    EXPECT_EQ(count("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name <> 'sqlite_sequence'"), 16);
}

TEST_F(EngineTest, TransactionsCommitOrRollBackAndNest) {
    {
        db::Transaction outer(d);
        d.Execute("UPDATE Char_Info SET Haven = 'Mill' WHERE Char_ID = 1");
        {
            db::Transaction inner(d);
            d.Execute("UPDATE Char_Info SET Haven = 'Cellar' WHERE Char_ID = 2");
        }
        outer.commit();
    }
    EXPECT_EQ(d.scalar("SELECT Haven FROM Char_Info WHERE Char_ID = 1").toString(), "Mill");
    EXPECT_FALSE(d.scalar("SELECT Haven FROM Char_Info WHERE Char_ID = 2").isValid());
    {
        db::Transaction failed(d);
        d.Execute("DELETE FROM Path_Link");
        EXPECT_THROW(d.Execute("INSERT INTO NoSuchTable VALUES (1)"), DbError);
    }
    EXPECT_EQ(count("SELECT count(*) FROM Path_Link"), 3);
}

} // namespace
