#include "ChronicleMaker.h"
#include "Session.h"
#include "export/HtmlExport.h"
#include "print/PdfExport.h"
#include "journal/frmChangeHistory.h"
#include "ratings/DotRow.h"
#include "sheet/Roster.h"
#include "sheet/SheetControls.h"
#include "snapshots/SnapshotKeeper.h"
#include "store/Snapshots.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Not "--session": the application object takes that one for itself.
constexpr const char* kSessionFlag = "--typical-session";

// The offscreen platform warns on every window shown that it cannot pass size hints on.
QtMessageHandler g_previousHandler = nullptr;
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    if (g_previousHandler)
        g_previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// Times one call in seconds, for the benchmarks that set their own iteration time.
template <class F> double timed(F&& f) {
    const auto start = Clock::now();
    f();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Every benchmark ends with the process's peak memory and, when the program showed a message
// (which would mean a failure, not a measurement), stops with that message.
bool finish(benchmark::State& state, const bench::Session& session) {
    state.counters["peak_MiB"] = bench::peakMemoryMiB();
    if (!session.services.messages.isEmpty()) {
        state.SkipWithError(session.services.messages.first().toStdString().c_str());
        return false;
    }
    return true;
}

std::unique_ptr<bench::Session> loadedSession(int characters, qint64 journalEntries = 0) {
    auto session = std::make_unique<bench::Session>(bench::cachedChronicle(characters, journalEntries));
    session->load();
    return session;
}

// Characters spread over the whole file, so a switch never finds the rows it needs still warm.
std::vector<qint64> spreadKeys(int characters) {
    std::vector<qint64> keys;
    for (int i = 1; i <= 16; ++i)
        keys.push_back(bench::characterKey(int(qint64(i) * characters / 17)));
    return keys;
}

// From the main window's loading to the sheet on screen.
void BM_StartUp(benchmark::State& state) {
    const QString path = bench::cachedChronicle(int(state.range(0)));
    for (auto _ : state) {
        auto session = std::make_unique<bench::Session>(path);
        state.SetIterationTime(timed([&] { session->load(); }));
        if (!finish(state, *session))
            return;
    }
}

// A double-click's work: query, load, roster refresh, browse mode, repaint.
// The second argument, where given, is the size of the change journal.
qint64 journalSize(const benchmark::State& state) {
    return state.range(1);
}

void switchCharacters(benchmark::State& state, qint64 journalEntries) {
    const int characters = int(state.range(0));
    auto session = loadedSession(characters, journalEntries);
    const std::vector<qint64> keys = spreadKeys(characters);
    size_t next = 0;
    for (auto _ : state) {
        const qint64 key = keys[next++ % keys.size()];
        bool switched = false;
        state.SetIterationTime(timed([&] {
            switched = session->window.sheet().switchTo(key);
            QApplication::processEvents();
        }));
        if (!switched) {
            state.SkipWithError("the switch did not take place");
            return;
        }
    }
    finish(state, *session);
}

void BM_Switch(benchmark::State& state) {
    switchCharacters(state, 0);
}
void BM_SwitchJournal(benchmark::State& state) {
    switchCharacters(state, journalSize(state));
}

// Leaving edit mode after a change: the sheet read back, the save's transaction (its journal
// entries included), roster refresh, repaint.
void save(benchmark::State& state, qint64 journalEntries) {
    auto session = loadedSession(int(state.range(0)), journalEntries);
    const sheet::SheetControls& ui = session->ui();
    int round = 0;
    for (auto _ : state) {
        session->window.sheet().enterEditMode();
        ++round;
        ui.PBAtt[0]->setValue(1 + round % 5);
        ui.txtHaven->setText(QStringLiteral("Haven, round %1").arg(round));
        state.SetIterationTime(timed([&] {
            session->window.sheet().leaveEditMode();
            QApplication::processEvents();
        }));
        if (session->session.editMode) {
            state.SkipWithError("the save failed");
            return;
        }
    }
    finish(state, *session);
}

void BM_Save(benchmark::State& state) {
    save(state, 0);
}
void BM_SaveJournal(benchmark::State& state) {
    save(state, journalSize(state));
}

// View > Change History for the character with the longest history of a large journal: the
// window built, filled with the newest entries, the experience summed over all, and shown.
void BM_HistoryWindow(benchmark::State& state) {
    const qint64 entries = journalSize(state);
    auto session = loadedSession(int(state.range(0)), entries);
    const qint64 key = bench::characterKey(0);
    for (auto _ : state) {
        int listed = 0;
        state.SetIterationTime(timed([&] {
            changelog::frmChangeHistory window(session->session, key, {[] { return true; }, [](qint64) {}},
                                               &session->window);
            window.show();
            QApplication::processEvents();
            listed = 0;
            for (QTreeWidgetItemIterator it(window.findChild<QTreeWidget*>()); *it; ++it)
                listed += (*it)->childCount() == 0;
        }));
        // The newest two thousand, the older ones on asking.
        if (listed < std::min<qint64>(2000, bench::firstCharacterEntries(entries))) {
            state.SkipWithError("the window did not list the newest entries");
            return;
        }
    }
    state.counters["entries"] = double(bench::firstCharacterEntries(entries));
    finish(state, *session);
}

// The roster refresh after a switch: nothing has changed, so nothing is read again.
void BM_RosterRefill(benchmark::State& state) {
    auto session = loadedSession(int(state.range(0)));
    for (auto _ : state) {
        state.SetIterationTime(timed([&] {
            session->window.sheet().refreshRoster();
            QApplication::processEvents();
        }));
    }
    finish(state, *session);
}

// The roster read whole, as start-up and a change of database file do: both lists' models from
// the database, without the views.
void BM_RosterReadWhole(benchmark::State& state) {
    auto session = loadedSession(int(state.range(0)));
    for (auto _ : state) {
        sheet::Roster roster;
        state.SetIterationTime(timed([&] { roster.refresh(session->session.database.get()); }));
        benchmark::DoNotOptimize(roster.characters()->rowCount());
    }
    finish(state, *session);
}

// A game master typing a character's name and a player, one keystroke at a time, and starting
// again: each keystroke filters (or, for the first letter, widens back from the last word) both
// lists, and the window repaints.
const QString kTyped = QStringLiteral("Hesper player 17");

QString keystroke(int n) {
    return kTyped.left(n % kTyped.size() + 1);
}

// Types into the field one keystroke an iteration, each timed with the repaint that follows;
// reports the median and the slowest keystroke besides the benchmark's own mean.
void typeInto(benchmark::State& state, QLineEdit* field) {
    std::vector<double> times;
    int n = 0;
    for (auto _ : state) {
        const QString typed = keystroke(n++);
        const double time = timed([&] {
            field->setText(typed);
            QApplication::processEvents();
        });
        state.SetIterationTime(time);
        times.push_back(time * 1000);
    }
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["worst_ms"] = times.back();
}

// One keystroke into the roster's filter field.
void BM_FilterKeystroke(benchmark::State& state) {
    auto session = loadedSession(int(state.range(0)));
    typeInto(state, session->ui().txtFind);
    state.counters["listed"] = double(session->ui().lstChar->model()->rowCount());
    finish(state, *session);
}

// One keystroke into the quick switcher's field, with its popup on screen.
void BM_SwitcherKeystroke(benchmark::State& state) {
    auto session = loadedSession(int(state.range(0)));
    session->window.findChild<QAction*>(QStringLiteral("mnuSwitch"))->trigger();
    QApplication::processEvents();
    typeInto(state, session->window.findChild<QLineEdit*>(QStringLiteral("txtSwitch")));
    finish(state, *session);
}

// A snapshot taken in the background while the user clicks a dot now and then: the time until
// the whole copy is in place, and the longest the window waited between two events.
void BM_SnapshotInBackground(benchmark::State& state) {
    auto session = loadedSession(int(state.range(0)));
    const QString folder = store::snapshots::folderFor(session->path);
    // The newest snapshot's name: the count stops growing once the oldest start to go.
    const auto newest = [&] {
        const auto all = store::snapshots::list(session->path);
        return all.empty() ? QString() : all.front().path;
    };
    ratings::DotRow* strength = session->ui().PBAtt[0];
    double longest = 0;
    int n = 0;
    for (auto _ : state) {
        const QString before = newest();
        const auto start = Clock::now();
        session->window.snapshots().takeInBackground();
        while (newest() == before) {
            if (++n % 8 == 0) // a click on Strength in browse mode: the sheet answers it at once
                QTest::mouseClick(strength, Qt::LeftButton, {}, QPoint(strength->tenDotWidth() / 3, 5));
            longest = std::max(longest, timed([] { QApplication::processEvents(); }));
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    state.counters["longest_pause_ms"] = longest * 1000;
    state.counters["file_MB"] = double(QFileInfo(session->path).size()) / 1e6;
    finish(state, *session);
    QDir(folder).removeRecursively();
}

void BM_ExportHtml(benchmark::State& state) {
    auto session = loadedSession(int(state.range(0)));
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("sheet.htm"));
    const QString key = QString::number(*session->session.shownKey);
    for (auto _ : state)
        state.SetIterationTime(timed([&] { exporter::writeCharacterHtml(*session->session.database, key, target); }));
    finish(state, *session);
}

// File, Export to PDF of the shown character: load, layout, drawing, the file written.
void BM_ExportPdf(benchmark::State& state) {
    auto session = loadedSession(int(state.range(0)));
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("sheet.pdf"));
    const qint64 key = *session->session.shownKey;
    for (auto _ : state)
        state.SetIterationTime(timed([&] { print::writeCharacterPdf(*session->session.database, key, target); }));
    finish(state, *session);
}

// Tools, Export Chronicle of every character to one PDF, the progress dialog's events processed at
// each step as the program does; slowest_step_ms is the longest the window waited for its events.
void BM_ChroniclePdf(benchmark::State& state) {
    const int characters = int(state.range(0));
    auto session = loadedSession(characters);
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("chronicle.pdf"));
    std::vector<qint64> keys;
    for (int i = 0; i < characters; ++i)
        keys.push_back(bench::characterKey(i));
    double slowest = 0;
    for (auto _ : state) {
        auto last = Clock::now();
        const auto step = [&](int, int) {
            const auto now = Clock::now();
            const double gap = std::chrono::duration<double, std::milli>(now - last).count();
            slowest = std::max(slowest, gap);
            QApplication::processEvents();
            last = Clock::now();
            return true;
        };
        state.SetIterationTime(timed(
            [&] { print::writeChroniclePdf(*session->session.database, keys, target, QStringLiteral("Chronicle"), step); }));
        // The file's completion after the last step keeps the window waiting too.
        slowest = std::max(slowest, std::chrono::duration<double, std::milli>(Clock::now() - last).count());
    }
    state.counters["slowest_step_ms"] = slowest;
    finish(state, *session);
}

// Peak memory of a fresh process through a typical session: the figure a user's machine sees,
// free of whatever the benchmarks before it left in this process. The child reports it itself:
// the rusage of a child carries the parent's peak across the fork and exec.
void BM_PeakMemory(benchmark::State& state) {
    const QString path = bench::cachedChronicle(int(state.range(0)));
    for (auto _ : state) {
        QProcess child;
        const double seconds = timed([&] {
            child.start(QCoreApplication::applicationFilePath(),
                        {QLatin1String(kSessionFlag), path, QString::number(state.range(0))});
            child.waitForFinished(-1);
        });
        bool number = false;
        const double kib = child.readAllStandardOutput().trimmed().toDouble(&number);
        if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0 || !number) {
            state.SkipWithError("the session process failed");
            return;
        }
        state.SetIterationTime(seconds);
        state.counters["peak_MiB"] = kib / 1024.0;
    }
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_StartUp)->Apply(sizes);
BENCHMARK(BM_Switch)->Apply(sizes);
BENCHMARK(BM_Save)->Apply(sizes);
BENCHMARK(BM_SwitchJournal)->Args({100000, 1000000})->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveJournal)->Args({100000, 1000000})->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryWindow)->Args({1000, 1000000})->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RosterRefill)->Apply(sizes);
BENCHMARK(BM_RosterReadWhole)->Apply(sizes);
BENCHMARK(BM_FilterKeystroke)->Apply(sizes)->Iterations(32);
BENCHMARK(BM_SwitcherKeystroke)->Apply(sizes)->Iterations(32);
BENCHMARK(BM_SnapshotInBackground)->Apply(sizes)->Iterations(3);
BENCHMARK(BM_ExportHtml)->Apply(sizes);
BENCHMARK(BM_ExportPdf)->Apply(sizes);
BENCHMARK(BM_ChroniclePdf)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_PeakMemory)->Apply(sizes)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    g_previousHandler = qInstallMessageHandler(quietOffscreen);

    // The memory benchmark's child: one typical session, then out.
    if (argc == 4 && qstrcmp(argv[1], kSessionFlag) == 0) {
        bench::typicalSession(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
        std::printf("%.0f\n", bench::sessionPeakKiB());
        return 0;
    }

    // A chronicle to look at or time by hand:
    // duskbench --make-chronicle <file> <characters> [<journal entries>]
    if ((argc == 4 || argc == 5) && qstrcmp(argv[1], "--make-chronicle") == 0) {
        bench::makeChronicle(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
        if (argc == 5)
            bench::addJournal(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt(),
                              QByteArray(argv[4]).toLongLong());
        return 0;
    }

    // Medians by default: five repetitions, aggregates only.
    std::vector<char*> args(argv, argv + argc);
    bool repetitionsGiven = false;
    for (int i = 1; i < argc; ++i)
        repetitionsGiven |= QByteArray(argv[i]).startsWith("--benchmark_repetitions");
    char repetitions[] = "--benchmark_repetitions=5";
    char aggregates[] = "--benchmark_report_aggregates_only=true";
    if (!repetitionsGiven) {
        args.push_back(repetitions);
        args.push_back(aggregates);
    }
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
