#include "HardeningFixture.h"

#include "app/Guard.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "db/DbError.h"
#include "export/HtmlExport.h"

namespace {

constexpr int kPage = 4096;

// A sound chronicle damaged in one of seven ways, the last a database of some other program. Plain text, empty
// and cut-off files and a missing table are refused by the engine's own tests.
QByteArray damaged(int kind, const QByteArray& sound, const QByteArray& foreign, QRandomGenerator& r) {
    const auto below = [&](qsizetype n) { return qsizetype(r.bounded(quint64(std::max<qsizetype>(n, 1)))); };
    const auto flipped = [&](QByteArray bytes, int count, qsizetype within) {
        for (int i = 0; i < count; ++i)
            bytes[below(within)] ^= char(1 + r.bounded(255));
        return bytes;
    };
    QByteArray bytes = sound, garbage(int(r.bounded(8192)), '\0');
    for (char& c : garbage)
        c = char(r.bounded(256));
    const qsizetype a = below(sound.size() / kPage) * kPage, b = below(sound.size() / kPage) * kPage;
    switch (kind) {
    case 0:
        return bytes.left(below(bytes.size()));
    case 1:
        return flipped(bytes, 1 + int(r.bounded(32)), bytes.size());
    case 2: // the header
        return flipped(bytes, 1 + int(r.bounded(4)), 100);
    case 3:
        return bytes.replace(a, kPage, QByteArray(kPage, '\0'));
    case 4:
        return bytes.replace(a, kPage, sound.mid(b, kPage)).replace(b, kPage, sound.mid(a, kPage));
    case 5: // a valid header, then garbage
        return bytes.left(100 + below(2 * kPage)) + garbage;
    default:
        return flipped(foreign, int(r.bounded(3)), foreign.size());
    }
}

} // namespace

// A sound file marked read-only, then a thousand damaged, truncated and foreign files, given to the engine and to
// the program's start-up: each is refused with a message (and left as it was) or opens and works, never a crash.
TEST(DamagedFiles, RefusedWithAMessageOrUsableNeverACrash) {
    TempDatabase temp;
    for (int i = 0; i < 6; ++i)
        fullCharacter(temp, QStringLiteral("Character %1").arg(i),
                      i % 2 ? QStringLiteral("NPC") : QStringLiteral("Ann"));
    temp.release();
    const QByteArray sound = fileBytes(temp.path());
    const QString other = temp.file(QStringLiteral("other.db"));
    db::Database(std::make_unique<db::Connection>(other, true))
        .Execute(QStringLiteral("CREATE TABLE songs AS WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n "
                                "WHERE i < 199) SELECT 'song ' || i AS title, i AS length FROM n"));
    const QByteArray foreign = fileBytes(other);

    QRandomGenerator random(7011);
    Program program;
    app::Startup startup(program.services, app::Settings(temp.folder()));
    for (int i = -1; i < 1000; ++i) {
        SCOPED_TRACE(QStringLiteral("damage %1, file #%2").arg(i % 7).arg(i).toStdString());
        const QString path = temp.file(QStringLiteral("damaged-%1.mdb").arg(i));
        const QByteArray bytes = i < 0 ? sound : damaged(i % 7, sound, foreign, random);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        if (i < 0)
            QFile::setPermissions(path, QFile::ReadOwner);

        bool refused = false;
        try {
            store::openChronicle(path, true)->Close();
        } catch (const db::DbError& e) {
            refused = true;
            EXPECT_FALSE(e.message().trimmed().isEmpty());
        }
        program.session->close();
        program.services.messages.clear();
        program.services.answers.assign(20, app::Answer::Cancel); // gives up at the locate dialog
        const bool loaded = startup.loadMainWindow(path, [&](const QString& file) { program.open(file); });
        program.services.answers.clear();
        if (loaded) { // a user's work on it: every roster entry, edit and save, export; failures come as messages
            app::Session& session = *program.session;
            for (const QString& name : listEntries(program.ui().lstChar) + listEntries(program.ui().lstNPC))
                app::guarded(session.services, [&] { program.switchTo(name); });
            app::guarded(session.services, [&] {
                program.sheet().enterEditMode();
                program.sheet().leaveEditMode();
            });
            app::guarded(session.services, [&] {
                if (session.isOpen() && !program.shownKey().isEmpty())
                    exporter::writeCharacterHtml(*session.database, program.shownKey(), temp.file("sheet.htm"));
            });
        } else
            EXPECT_FALSE(program.services.messages.empty()) << "refused without a message";
        EXPECT_TRUE(i >= 0 || (refused && program.shown().contains(QLatin1String("read-only"))))
            << program.shown().toStdString();
        if (refused) {
            EXPECT_FALSE(loaded) << "the engine refused it, start-up took it";
            EXPECT_EQ(fileBytes(path), bytes) << "written to";
        }
        for (const auto& message : program.services.messages)
            EXPECT_FALSE(message.text.trimmed().isEmpty()) << "an empty message";
        program.session->close();
        QFile::remove(path);
    }
}
