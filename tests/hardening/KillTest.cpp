#include "store/Schema.h"
#include "HardeningFixture.h"
#include "Rounds.h"

#include <QProcess>
#include <QThread>
#include <map>

namespace {

// What the saver announced: per character, the last round it finished and the last it began.
struct Announced {
    std::map<int, int> done, begun;
    int saves = 0;
    bool midSave = false; // the last line was a begin
    QByteArray pending;

    void read(const QByteArray& output) {
        pending += output;
        for (qsizetype end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1)) {
            const QList<QByteArray> words = pending.left(end).split(' ');
            if (words.size() != 3)
                continue;
            midSave = words[0] == "begin";
            (midSave ? begun : done)[words[1].toInt()] = words[2].toInt();
            saves += midSave ? 0 : 1;
        }
    }
};

} // namespace

// kill -9 lands anywhere in a stream of saves on the real window: afterwards the file passes the
// integrity check, opens in the program, and every character holds exactly one whole round,
// the last one it finished or the one it had begun.
TEST(KillDuringSaves, FileIntactAndEveryCharacterWhollyOldOrNew) {
    const QString saverProgram = QCoreApplication::applicationDirPath() + QStringLiteral("/hardening_saver");
    const int kills = setting("DUSKLEDGER_KILL_ROUNDS", 50);
    TempDatabase temp;
    std::map<int, int> committed;
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
    for (int kill = 0; kill < kills; ++kill) {
        QProcess saver;
        saver.start(saverProgram, {temp.path(), QString::number(1000 * (kill + 1)), QStringLiteral("0")});
        ASSERT_TRUE(saver.waitForStarted());
        // Once a few saves are done and another has begun, kills it a little later: anywhere from
        // before its first statement to after its commit.
        Announced announced;
        const int savesBeforeKill = 1 + int(random.bounded(4));
        while (!(announced.saves >= savesBeforeKill && announced.midSave) && saver.state() == QProcess::Running) {
            saver.waitForReadyRead(200);
            announced.read(saver.readAllStandardOutput());
        }
        ASSERT_EQ(saver.state(), QProcess::Running) << saver.readAllStandardError().toStdString();
        QThread::usleep(random.bounded(15000));
        saver.kill(); // SIGKILL
        ASSERT_TRUE(saver.waitForFinished(10000));
        announced.read(saver.readAllStandardOutput());
        killedMidSave += announced.midSave ? 1 : 0;

        auto database = store::openChronicle(temp.path(), true); // the program can open it again
        ASSERT_EQ(integrity(*database), QStringLiteral("ok")) << "after kill " << kill;
        for (int c = 0; c < rounds::kCharacters; ++c) {
            QString why;
            const std::optional<int> round = rounds::storedRound(*database, c + 1, &why);
            ASSERT_TRUE(round.has_value()) << "after kill " << kill << ": " << why.toStdString();
            const int old = announced.done.count(c) ? announced.done[c] : committed[c];
            const bool unfinished = announced.begun.count(c) && announced.begun[c] > old;
            EXPECT_TRUE(*round == old || (unfinished && *round == announced.begun[c]))
                << "after kill " << kill << ": character " << c << " holds round " << *round << ", expected " << old
                << (unfinished ? " or " + std::to_string(announced.begun[c]) : std::string());
            committed[c] = *round;
        }
        database->Close();
    }
    // The kills must have landed inside saves, or the test proved little.
    EXPECT_GT(killedMidSave, 0);
    std::printf("%d of %d kills landed between the start and the end of a save\n", killedMidSave, kills);
}
