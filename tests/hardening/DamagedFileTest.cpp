#include "HardeningFixture.h"

#include "app/Guard.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "db/DbError.h"
#include "export/HtmlExport.h"

namespace {

constexpr int kPage = 4096;

// A sound chronicle damaged in one of five ways, the last a database of some other program. Plain text, empty
// and cut-off files and a missing table are refused by the engine's own tests.
QByteArray damaged(int kind, const QByteArray& sound, const QByteArray& foreign, QRandomGenerator& r) {
    const auto below = [&](qsizetype n) { return qsizetype(r.bounded(quint64(std::max<qsizetype>(n, 1)))); };
    QByteArray bytes = kind == 4 ? foreign : sound, garbage(int(r.bounded(8192)), '\0');
    for (char& c : garbage)
        c = char(r.bounded(256));
    const qsizetype a = below(sound.size() / kPage) * kPage, b = below(sound.size() / kPage) * kPage;
    switch (kind) {
    case 0: // cut anywhere, or after a valid header followed by garbage
        return r.bounded(2) ? bytes.left(below(bytes.size())) : bytes.left(100 + below(2 * kPage)) + garbage;
    case 1: // a page zeroed or two swapped
        return r.bounded(2) ? bytes.replace(a, kPage, QByteArray(kPage, '\0'))
                            : bytes.replace(a, kPage, sound.mid(b, kPage)).replace(b, kPage, sound.mid(a, kPage));
    default: // bytes flipped in the header, anywhere, or in the foreign file
        for (int i = int(kind == 4 ? r.bounded(3) : 1 + r.bounded(kind == 2 ? 4 : 32)); i > 0; --i)
            bytes[below(kind == 2 ? 100 : bytes.size())] ^= char(1 + r.bounded(255));
        return bytes;
    }
}

} // namespace

// A thousand damaged, truncated and foreign files, given to the engine and to
// the program's start-up: each is refused with a message (and left as it was) or opens and works, never a crash.
TEST(DamagedFiles, RefusedWithAMessageOrUsableNeverACrash) {
    TempDatabase temp;
    for (int i = 0; i < 6; ++i)
        fullCharacter(temp, QStringLiteral("Character %1").arg(i),
                      i % 2 ? QStringLiteral("NPC") : QStringLiteral("Ann"));
    temp.release();
    const QByteArray sound = fileBytes(temp.path());
    const QString other = temp.file(QStringLiteral("other.db"));
    db::Database(std::make_unique<db::Connection>(other, db::OpenMode::Create))
        .Execute(QStringLiteral("CREATE TABLE songs AS WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n "
                                "WHERE i < 199) SELECT 'song ' || i AS title, i AS length FROM n"));
    const QByteArray foreign = fileBytes(other);

    QRandomGenerator random(7011);
    Program program;
    app::Startup startup(program.services, app::Settings(temp.folder()));
    for (int i = 0; i < 1000; ++i) {
        SCOPED_TRACE(QStringLiteral("damage %1, file #%2").arg(i % 5).arg(i).toStdString());
        const QString path = temp.file(QStringLiteral("damaged-%1.mdb").arg(i));
        const QByteArray bytes = damaged(i % 5, sound, foreign, random);
        ASSERT_TRUE(writeFile(path, bytes));

        bool refused = false; // by the engine, which must leave the file as it was
        try {
            store::openChronicle(path, true)->Close();
        } catch (const db::DbError&) {
            refused = true;
        }
        program.services.messages.clear();
        program.services.answers.assign(20, app::Answer::Cancel); // gives up at the locate dialog
        if (startup.loadMainWindow(path, [&](const QString& file) { program.open(file); })) {
            EXPECT_FALSE(refused) << "the engine refused it, start-up took it";
            // A user's work on it: every roster entry, edit and save, export; failures come as messages.
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
        } else {
            EXPECT_FALSE(program.shown().trimmed().isEmpty()) << "refused without a message";
        }
        EXPECT_TRUE(!refused || fileBytes(path) == bytes) << "written to";
        program.session->close();
        QFile::remove(path);
    }
}
