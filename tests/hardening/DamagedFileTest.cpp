#include "store/Schema.h"
#include "HardeningFixture.h"

#include "app/Guard.h"
#include "db/DbError.h"
#include "export/HtmlExport.h"

#include <QTemporaryDir>

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

const char* const kDamages[] = {
    "truncated",      "bytes flipped anywhere",     "header flipped", "page zeroed", "pages swapped",
    "random bytes",   "SQLite header then garbage", "text",           "web page",    "other program's database",
    "a table missing"};

// The file of damage `kind` (an index into kDamages).
QByteArray damaged(int kind, const Sources& s, QRandomGenerator& r) {
    const auto below = [&](qsizetype n) { return qsizetype(r.bounded(quint64(n))); };
    QByteArray bytes = s.chronicle;
    const qsizetype a = below(bytes.size() / kPage) * kPage, b = below(bytes.size() / kPage) * kPage;
    switch (kind) {
    case 0: // truncated
        return bytes.left(below(bytes.size()));
    case 1: // bytes flipped anywhere
        return flipped(bytes, r, 1 + int(r.bounded(32)), bytes.size());
    case 2: // header flipped
        return flipped(bytes, r, 1 + int(r.bounded(4)), 100);
    case 3: // page zeroed
        return bytes.replace(a, kPage, QByteArray(kPage, '\0'));
    case 4: // pages swapped
        return bytes.replace(a, kPage, s.chronicle.mid(b, kPage)).replace(b, kPage, s.chronicle.mid(a, kPage));
    case 5: // random bytes
        return randomBytes(r, int(r.bounded(65536)));
    case 6: // SQLite header then garbage
        return bytes.left(100 + below(2 * kPage)) + randomBytes(r, int(r.bounded(8192)));
    case 7: // text
        return QByteArray("Name;Player;Clan\r\nAldric;Ann;House 1\r\n").repeated(1 + int(r.bounded(500)));
    case 8: // web page
        return QByteArray("<HTML><BODY>").repeated(1 + int(r.bounded(100))) + QByteArray(4096, ' ');
    case 9: // other program's database
        return flipped(s.otherSchema, r, int(r.bounded(3)), s.otherSchema.size());
    default: // a table missing
        return flipped(s.tableMissing, r, int(r.bounded(3)), s.tableMissing.size());
    }
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
        db::Database database(std::make_unique<db::Connection>(other, true));
        database.Execute(QStringLiteral("CREATE TABLE songs (title TEXT, length INTEGER)"));
        database.Execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 199) "
                                        "INSERT INTO songs SELECT 'song ' || i, i FROM n"));
        database.Close();
    }
    sources.otherSchema = fileBytes(other);
    return sources;
}

} // namespace

// A thousand damaged, truncated and foreign files, given to the engine and to the program's
// start-up: each is refused with a message (and left as it was) or opens and works, never a crash.
TEST(DamagedFiles, RefusedWithAMessageOrUsableNeverACrash) {
    QTemporaryDir folder;
    const Sources sources = makeSources(folder);
    QRandomGenerator random(7011);
    Program program;
    app::Startup startup(program.services, app::Settings(folder.path()));
    std::map<std::string, std::pair<int, int>> outcome; // refused, opened
    for (int i = 0; i < 1000; ++i) {
        const int kind = i % int(std::size(kDamages));
        const QString path = folder.filePath(QStringLiteral("damaged-%1.mdb").arg(i));
        const QByteArray bytes = damaged(kind, sources, random);
        writeFile(path, bytes);
        const std::string what = std::string(kDamages[kind]) + " file #" + std::to_string(i);

        bool refused = false;
        try {
            store::openChronicle(path, true)->Close();
        } catch (const db::DbError& e) {
            refused = true;
            EXPECT_FALSE(e.message().trimmed().isEmpty()) << what;
        } catch (const std::exception& e) {
            ADD_FAILURE() << what << ": not a DbError: " << e.what();
        }
        ++(refused ? outcome[kDamages[kind]].first : outcome[kDamages[kind]].second);

        program.session->close();
        program.services.messages.clear();
        program.services.answers.assign(20, app::Answer::Cancel); // gives up at the locate dialog
        const bool loaded = startup.loadMainWindow(path, [&](const QString& file) { program.open(file); });
        program.services.answers.clear();
        if (loaded) { // a user's work on it: every roster entry, edit and save, export; failures come as messages
            app::Session& session = *program.session;
            const sheet::SheetControls& ui = program.ui();
            for (const QString& name : listEntries(ui.lstChar) + listEntries(ui.lstNPC))
                app::guarded(session.services, [&] { program.switchTo(name); });
            app::guarded(session.services, [&] {
                program.sheet().enterEditMode();
                program.sheet().leaveEditMode();
            });
            app::guarded(session.services, [&] {
                if (session.isOpen() && !program.shownKey().isEmpty())
                    exporter::writeCharacterHtml(*session.database, program.shownKey(),
                                                 folder.filePath(QStringLiteral("sheet.htm")));
            });
        } else
            EXPECT_FALSE(program.services.messages.empty()) << what << ": refused without a message";
        if (refused) {
            EXPECT_FALSE(loaded) << what << ": the engine refused it, start-up took it";
            EXPECT_EQ(fileBytes(path), bytes) << what << " was written to";
        }
        for (const auto& message : program.services.messages)
            EXPECT_FALSE(message.text.trimmed().isEmpty()) << what << ": an empty message";
        program.session->close();
        QFile::remove(path);
    }
    for (const auto& [name, counts] : outcome)
        std::printf("%-28s refused %4d, opened %4d\n", name.c_str(), counts.first, counts.second);
}
