#include "HardeningFixture.h"
#include "Rounds.h"

#include <QProcess>
#include <QThread>

// kill -9 lands anywhere in a stream of saves on the real window: afterwards the file passes the
// integrity check, opens in the program, and every character holds exactly one whole round,
// the last one it finished or the one it had begun. The file alone, without its log (as a backup,
// a sync service or a second path to it sees it), is sound and holds whole rounds too. That an idle
// program folds its log into the file is the database tests' part.
TEST(KillDuringSaves, FileIntactAndEveryCharacterWhollyOldOrNew) {
    const QString saverProgram = QCoreApplication::applicationDirPath() + QStringLiteral("/hardening_saver");
    TempDatabase temp;
    std::map<int, int> committed; // the round each character holds, the last one finished
    // What a character holds, spelt as rounds::expected spells a round.
    const QString held = QStringLiteral(
        "SELECT a.Haven || '|' || a.Chronicle || '|' || d.Clan || '|' || (SELECT group_concat(v, '|') FROM (SELECT "
        "x.Discipline || '|' || l.Level AS v FROM Discipline_Link l JOIN Discipline_LookUp x USING (Discipline_ID) "
        "WHERE l.Char_ID = a.Char_ID ORDER BY l.rowid)) || '|' || (SELECT count(*) FROM Health h WHERE h.Char_ID = "
        "a.Char_ID) FROM Char_Info a JOIN Clan d ON d.Clan_ID = a.Clan WHERE a.Char_ID = ?");
    for (int c = 0; c < rounds::kCharacters; ++c) {
        fullCharacter(temp, rounds::characterName(c));
        committed[c] = c; // the priming run below saves round c into character c
    }
    temp.release();
    QProcess prime;
    prime.start(saverProgram, {temp.path(), QStringLiteral("0"), QString::number(rounds::kCharacters)});
    ASSERT_TRUE(prime.waitForFinished(60000));
    ASSERT_EQ(prime.exitCode(), 0) << prime.readAllStandardError().toStdString();

    QRandomGenerator random(20240611);
    int killedMidSave = 0;
    const int kills = setting("DUSKLEDGER_KILL_ROUNDS", 50);
    for (int kill = 0; kill < kills; ++kill) {
        SCOPED_TRACE(kill);
        QProcess saver;
        saver.start(saverProgram, {temp.path(), QString::number(1000 * (kill + 1)), QStringLiteral("0")});
        // The saver's "begin c r" and "done c r" lines: a finished round is what the character holds.
        std::optional<std::pair<int, int>> begun;
        int saves = 0;
        const auto read = [&] {
            while (saver.canReadLine()) {
                const QList<QByteArray> words = saver.readLine().trimmed().split(' ');
                begun = std::pair(words[1].toInt(), words[2].toInt());
                if (words[0] == "done") {
                    committed[begun->first] = begun->second;
                    begun.reset();
                    ++saves;
                }
            }
        };
        // Once a few saves are done and another has begun, kills it a little later: anywhere from
        // before its first statement to after its commit.
        const int savesBeforeKill = 1 + int(random.bounded(4));
        ASSERT_TRUE(saver.waitForStarted());
        while (!(saves >= savesBeforeKill && begun) && saver.state() == QProcess::Running) {
            saver.waitForReadyRead(200);
            read();
        }
        ASSERT_EQ(saver.state(), QProcess::Running) << saver.readAllStandardError().toStdString();
        QThread::usleep(random.bounded(15000));
        saver.kill(); // SIGKILL
        ASSERT_TRUE(saver.waitForFinished(10000));
        read();
        killedMidSave += begun ? 1 : 0;

        // Copied before anything opens the file and folds the log in.
        const QString alone = temp.file(QStringLiteral("alone.mdb"));
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(alone + QLatin1String(suffix));
        ASSERT_TRUE(QFile::copy(temp.path(), alone));
        // The file alone, then the file with its log as the program opens it: each character holds a whole round.
        for (const bool withLog : {false, true}) {
            const char* which = withLog ? "the file with its log" : "the file alone";
            auto database = store::openChronicle(withLog ? temp.path() : alone, true);
            ASSERT_EQ(integrity(*database), QStringLiteral("ok")) << which;
            for (auto& [c, last] : committed) {
                const QString holds = database->scalar(held, {c + 1}).toString();
                const int round = holds.section(QLatin1Char('|'), 0, 0).toInt();
                ASSERT_EQ(holds.toStdString(), rounds::expected(round).toStdString())
                    << which << ": character " << c << " holds no whole round";
                const bool begunHere = begun && begun->first == c;
                if (withLog) {
                    EXPECT_TRUE(round == last || (begunHere && begun->second == round))
                        << "character " << c << " holds round " << round << ", finished " << last;
                    last = round;
                } else {
                    EXPECT_TRUE(round % rounds::kCharacters == c && round <= (begunHere ? begun->second : last))
                        << which << ": character " << c << " holds round " << round << ", never saved into it";
                }
            }
            database->Close();
        }
    }
    // The kills must have landed inside saves, or the test proved little.
    EXPECT_GT(killedMidSave, 0);
    std::printf("%d of %d kills while saving landed between the start and the end of a save\n", killedMidSave, kills);
}
