#include "HardeningFixture.h"
#include "Rounds.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <gtest/gtest.h>
#include <map>

namespace {

QString saverProgram() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/hardening_saver");
}

int killRounds() {
    const int wanted = qEnvironmentVariableIntValue("DUSKLEDGER_KILL_ROUNDS");
    return wanted > 0 ? wanted : 50;
}

// What the child announced: per character, the last round it finished and the one it started.
struct Announced {
    std::map<int, int> done;
    std::map<int, int> begun;
    int saves = 0;
    bool midSave = false; // the last line was a begin

    void read(const QByteArray& output) {
        for (const QByteArray& line : output.split('\n')) {
            const QList<QByteArray> words = line.split(' ');
            if (words.size() != 3)
                continue;
            const int character = words[1].toInt();
            const int round = words[2].toInt();
            midSave = words[0] == "begin";
            if (midSave) {
                begun[character] = round;
            } else {
                done[character] = round;
                ++saves;
            }
        }
    }
};

} // namespace

// kill -9 lands anywhere in a stream of saves on the real window: afterwards the file passes the
// integrity check, opens in the program, and every character holds exactly one whole round,
// the last one it finished or the one it had begun.
TEST(KillDuringSaves, FileIntactAndEveryCharacterWhollyOldOrNew) {
    TempDatabase temp;
    for (int c = 0; c < rounds::kCharacters; ++c)
        fullCharacter(temp, rounds::characterName(c));
    temp.release();
    std::map<int, int> committed;
    {
        QProcess prime;
        prime.start(saverProgram(), {temp.path(), QStringLiteral("0"), QString::number(rounds::kCharacters)});
        ASSERT_TRUE(prime.waitForFinished(60000));
        ASSERT_EQ(prime.exitCode(), 0) << prime.readAllStandardError().toStdString();
        for (int c = 0; c < rounds::kCharacters; ++c)
            committed[c] = c;
    }

    QRandomGenerator random(20240611);
    int killedMidSave = 0;
    for (int kill = 0; kill < killRounds(); ++kill) {
        QProcess saver;
        saver.start(saverProgram(), {temp.path(), QString::number(1000 * (kill + 1)), QStringLiteral("0")});
        ASSERT_TRUE(saver.waitForStarted());
        Announced announced;
        // Waits for a save to begin after a few have been done, then kills it a little later:
        // anywhere from before its first statement to after its commit.
        const int savesBeforeKill = 1 + int(random.bounded(4));
        QByteArray output;
        while (!(announced.saves >= savesBeforeKill && announced.midSave) && saver.state() == QProcess::Running) {
            saver.waitForReadyRead(200);
            output += saver.readAllStandardOutput();
            announced = Announced();
            announced.read(output.left(output.lastIndexOf('\n') + 1));
        }
        ASSERT_EQ(saver.state(), QProcess::Running) << saver.readAllStandardError().toStdString();
        QThread::usleep(random.bounded(15000));
        saver.kill(); // SIGKILL
        ASSERT_TRUE(saver.waitForFinished(10000));
        output += saver.readAllStandardOutput();
        announced = Announced();
        announced.read(output);
        killedMidSave += announced.midSave ? 1 : 0;

        auto database = db::Database::open(temp.path(), true); // the program can open it again
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
    std::printf("%d of %d kills landed between the start and the end of a save\n", killedMidSave, killRounds());
}
