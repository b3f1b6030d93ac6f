#include "HardeningFixture.h"
#include "support/ListEntries.h"

#include "app/Guard.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "db/DbError.h"
#include "export/HtmlExport.h"
#include "sheet/SheetControls.h"
#include "sheet/mdlModes.h"
#include "sheet/mdlSwitch.h"

#include <QListWidget>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int kPage = 4096;

struct Sources {
    QByteArray chronicle;   // a sound database with characters and links of every kind
    QByteArray otherSchema; // an SQLite file of some other program
    QByteArray tableMissing;
};

QByteArray flipped(QByteArray bytes, QRandomGenerator& random, int count, qsizetype within) {
    for (int i = 0; i < count && within > 0; ++i)
        bytes[qsizetype(random.bounded(quint64(within)))] ^= char(1 + random.bounded(255));
    return bytes;
}

QByteArray randomBytes(QRandomGenerator& random, int size) {
    QByteArray bytes(size, '\0');
    for (char& c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

struct Damage {
    const char* name;
    std::function<QByteArray(const Sources&, QRandomGenerator&)> make;
};

const std::vector<Damage>& damages() {
    static const std::vector<Damage> list = {
        {"truncated",
         [](const Sources& s, QRandomGenerator& r) {
             return s.chronicle.left(qsizetype(r.bounded(quint64(s.chronicle.size()))));
         }},
        {"bytes flipped anywhere",
         [](const Sources& s, QRandomGenerator& r) {
             return flipped(s.chronicle, r, 1 + int(r.bounded(32)), s.chronicle.size());
         }},
        {"header flipped",
         [](const Sources& s, QRandomGenerator& r) { return flipped(s.chronicle, r, 1 + int(r.bounded(4)), 100); }},
        {"page zeroed",
         [](const Sources& s, QRandomGenerator& r) {
             QByteArray bytes = s.chronicle;
             const qsizetype page = qsizetype(r.bounded(quint64(bytes.size() / kPage)));
             bytes.replace(page * kPage, kPage, QByteArray(kPage, '\0'));
             return bytes;
         }},
        {"pages swapped",
         [](const Sources& s, QRandomGenerator& r) {
             QByteArray bytes = s.chronicle;
             const quint64 pages = quint64(bytes.size() / kPage);
             const qsizetype a = qsizetype(r.bounded(pages)) * kPage, b = qsizetype(r.bounded(pages)) * kPage;
             const QByteArray first = bytes.mid(a, kPage);
             bytes.replace(a, kPage, bytes.mid(b, kPage));
             bytes.replace(b, kPage, first);
             return bytes;
         }},
        {"random bytes", [](const Sources&, QRandomGenerator& r) { return randomBytes(r, int(r.bounded(65536))); }},
        {"SQLite header then garbage",
         [](const Sources& s, QRandomGenerator& r) {
             return s.chronicle.left(100 + qsizetype(r.bounded(2 * kPage))) + randomBytes(r, int(r.bounded(8192)));
         }},
        {"text",
         [](const Sources&, QRandomGenerator& r) {
             return QByteArray("Name;Player;Clan\r\nAldric;Ann;House 1\r\n").repeated(1 + int(r.bounded(500)));
         }},
        {"web page",
         [](const Sources&, QRandomGenerator& r) {
             return QByteArray("<HTML><BODY>").repeated(1 + int(r.bounded(100))) + QByteArray(4096, ' ');
         }},
        {"other program's database",
         [](const Sources& s, QRandomGenerator& r) {
             return flipped(s.otherSchema, r, int(r.bounded(3)), s.otherSchema.size());
         }},
        {"a table missing",
         [](const Sources& s, QRandomGenerator& r) {
             return flipped(s.tableMissing, r, int(r.bounded(3)), s.tableMissing.size());
         }},
    };
    return list;
}

Sources makeSources(const QTemporaryDir& folder) {
    Sources sources;
    {
        TempDatabase temp;
        for (int i = 0; i < 6; ++i)
            fullCharacter(temp, QStringLiteral("Character %1").arg(i),
                          i % 2 ? QStringLiteral("NPC") : QStringLiteral("Ann"));
        temp.release();
        sources.chronicle = fileBytes(temp.path());
        temp.db().Execute(QStringLiteral("DROP TABLE Ritual_Link"));
        temp.release();
        sources.tableMissing = fileBytes(temp.path());
    }
    const QString other = folder.filePath(QStringLiteral("other.db"));
    {
        db::Database database(std::make_shared<db::Connection>(other, true));
        database.Execute(QStringLiteral("CREATE TABLE songs (title TEXT, length INTEGER)"));
        for (int i = 0; i < 200; ++i)
            database.Execute(QStringLiteral("INSERT INTO songs VALUES (?, ?)"), {QStringLiteral("song %1").arg(i), i});
        database.Close();
    }
    sources.otherSchema = fileBytes(other);
    return sources;
}

// What a user can do once a damaged file has opened: every roster entry, edit and save, export.
// Each failure must come as a message, never a crash.
void useTheSheet(Program& program, const QTemporaryDir& folder) {
    app::mdlGlobal& global = *program.global;
    const sheet::SheetControls& ui = program.ui();
    const QStringList names = listEntries(ui.lstChar) + listEntries(ui.lstNPC);
    for (const QString& name : names)
        app::guarded(global.services, [&] { sheet::mdlSwitch::SwitchCharacter(global, ui, name); });
    app::guarded(global.services, [&] {
        sheet::mdlEditMode::EnterEditMode(global, ui);
        sheet::leaveEditMode(global, ui);
    });
    app::guarded(global.services, [&] {
        if (global.isConnected() && !program.window->currentKey().isEmpty())
            exporter::writeCharacterHtml(*global.database, program.window->currentKey(),
                                         folder.filePath(QStringLiteral("sheet.htm")));
    });
}

} // namespace

// A thousand damaged, truncated and foreign files, given to the engine and to the program's
// start-up: each is refused with a message (and left as it was) or opens and works, never a crash.
TEST(DamagedFiles, RefusedWithAMessageOrUsableNeverACrash) {
    QTemporaryDir folder;
    const Sources sources = makeSources(folder);
    QRandomGenerator random(7011);
    Program program;
    app::Startup startup(*program.global, app::Settings(folder.path()));
    std::map<std::string, std::pair<int, int>> outcome; // refused, opened
    constexpr int kFiles = 1000;
    for (int i = 0; i < kFiles; ++i) {
        const Damage& damage = damages()[size_t(i) % damages().size()];
        const QString path = folder.filePath(QStringLiteral("damaged-%1.mdb").arg(i));
        const QByteArray bytes = damage.make(sources, random);
        writeFile(path, bytes);
        const std::string what = std::string(damage.name) + " file #" + std::to_string(i);

        bool refused = false;
        try {
            db::Database::open(path, true)->Close();
        } catch (const db::DbError& e) {
            refused = true;
            EXPECT_FALSE(e.message().trimmed().isEmpty()) << what;
        } catch (const std::exception& e) {
            ADD_FAILURE() << what << ": not a DbError: " << e.what();
        }
        if (refused) {
            EXPECT_EQ(fileBytes(path), bytes) << what << " was written to";
        }
        ++(refused ? outcome[damage.name].first : outcome[damage.name].second);

        program.global->closeConnection();
        program.services.messages.clear();
        program.services.answers.assign(20, app::Answer::Cancel); // gives up at the locate dialog
        const bool loaded = startup.loadMainWindow([&] { program.open(path); });
        program.services.answers.clear();
        if (loaded)
            useTheSheet(program, folder);
        else
            EXPECT_FALSE(program.services.messages.empty()) << what << ": refused without a message";
        if (refused) {
            EXPECT_FALSE(loaded) << what << ": the engine refused it, start-up took it";
        }
        for (const auto& message : program.services.messages)
            EXPECT_FALSE(message.text.trimmed().isEmpty()) << what << ": an empty message";
        program.global->closeConnection();
        QFile::remove(path);
    }
    for (const auto& [name, counts] : outcome)
        std::printf("%-28s refused %4d, opened %4d\n", name.c_str(), counts.first, counts.second);
}
