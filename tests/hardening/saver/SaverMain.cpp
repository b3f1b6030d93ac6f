// For the kill test: the real window saving round after round, each into the next character, printing
// "begin <character> <round>" before the save and "done <character> <round>" after it.
// Usage: hardening_saver <database> <first round> <rounds, 0 = until killed>
#include "HardeningFixture.h"
#include "Rounds.h"
#include "model/TraitCatalogue.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 4)
        return 2;
    Program program;
    program.open(QString::fromLocal8Bit(argv[1]));
    const int first = QByteArray(argv[2]).toInt(), count = QByteArray(argv[3]).toInt();
    for (int round = first; count == 0 || round < first + count; ++round) {
        const int character = round % rounds::kCharacters;
        if (!program.switchTo(rounds::characterName(character)))
            return 3;
        program.sheet().enterEditMode();
        const sheet::SheetControls& ui = program.ui();
        const QStringList values = rounds::expected(round).split(QLatin1Char('|'));
        ui.txtHaven->setText(values[0]);
        ui.txtChronicle->setText(values[1]);
        ui.cmbClan->setEditText(values[2]);
        for (int s = 0; s < 3; ++s) {
            ui.cmbDisciplines[size_t(s)]->setEditText(values[3 + 2 * s]);
            ui.PBAdv[size_t(model::catalogue::disciplineRow(s))]->setValue(values[4 + 2 * s].toInt());
        }
        std::printf("begin %d %d\n", character, round);
        std::fflush(stdout);
        if (!program.sheet().leaveEditMode())
            return 4;
        std::printf("done %d %d\n", character, round);
        std::fflush(stdout);
    }
    return program.services.messages.empty() ? 0 : 5;
}
