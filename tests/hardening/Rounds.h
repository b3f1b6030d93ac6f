#pragma once

#include "db/Database.h"
#include "model/TraitCatalogue.h"
#include "ratings/DotRow.h"
#include "sheet/SheetControls.h"

#include <QComboBox>
#include <QLineEdit>

// A save whose every value follows from one round number, spread over the statements of a save (the character's
// row, a new clan, the discipline links and their new names), so a character read back after a crash tells
// whether it holds one whole round or a mix of two.
namespace rounds {

inline constexpr int kCharacters = 4;

inline QString characterName(int index) {
    return QStringLiteral("Saver %1").arg(index);
}

// Haven, chronicle, clan, the names and levels of three disciplines and the count of Health rows, as `held`
// reads them.
inline QString expected(int round) {
    QStringList values{QString::number(round), QStringLiteral("Chronicle %1").arg(round),
                       QStringLiteral("House of round %1").arg(round)};
    for (int s = 0; s < 3; ++s)
        values << QStringLiteral("Gift %1 of round %2").arg(s).arg(round) << QString::number(1 + (round + s) % 5);
    return (values << QStringLiteral("1")).join(QLatin1Char('|'));
}

inline QString held(db::Database& database, qint64 key) {
    return database
        .scalar(QStringLiteral(
                    "SELECT a.Haven || '|' || a.Chronicle || '|' || d.Clan || '|' || (SELECT group_concat(v, '|') FROM "
                    "(SELECT x.Discipline || '|' || l.Level AS v FROM Discipline_Link l JOIN Discipline_LookUp x USING "
                    "(Discipline_ID) WHERE l.Char_ID = a.Char_ID ORDER BY l.rowid)) || '|' || (SELECT count(*) FROM "
                    "Health h WHERE h.Char_ID = a.Char_ID) FROM Char_Info a JOIN Clan d ON d.Clan_ID = a.Clan "
                    "WHERE a.Char_ID = ?"),
                {key})
        .toString();
}

// Puts round r onto the sheet in edit mode.
inline void apply(const sheet::SheetControls& ui, int round) {
    const QStringList values = expected(round).split(QLatin1Char('|'));
    ui.txtHaven->setText(values[0]);
    ui.txtChronicle->setText(values[1]);
    ui.cmbClan->setEditText(values[2]);
    for (int s = 0; s < 3; ++s) {
        ui.cmbDisciplines[size_t(s)]->setEditText(values[3 + 2 * s]);
        ui.PBAdv[size_t(model::catalogue::disciplineRow(s))]->setValue(values[4 + 2 * s].toInt());
    }
}

} // namespace rounds
