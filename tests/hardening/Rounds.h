#pragma once

#include "db/Database.h"
#include "db/Query.h"
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

// Haven, chronicle, clan, then name and level of three disciplines, then the count of Health rows.
inline QStringList expected(int round) {
    QStringList values{QString::number(round), QStringLiteral("Chronicle %1").arg(round),
                       QStringLiteral("House of round %1").arg(round)};
    for (int s = 0; s < 3; ++s)
        values << QStringLiteral("Gift %1 of round %2").arg(s).arg(round) << QString::number(1 + (round + s) % 5);
    return values << QStringLiteral("1");
}

inline QStringList held(db::Database& database, qint64 key) {
    QStringList values;
    for (const char* sql : {"SELECT a.Haven, a.Chronicle, d.Clan FROM Char_Info a JOIN Clan d ON d.Clan_ID = a.Clan "
                            "WHERE a.Char_ID = ?",
                            "SELECT d.Discipline, l.Level FROM Discipline_Link l JOIN Discipline_LookUp d "
                            "USING (Discipline_ID) WHERE l.Char_ID = ? ORDER BY l.rowid",
                            "SELECT count(*) FROM Health WHERE Char_ID = ?"})
        for (const db::Row& row : db::query(database.connection(), QString::fromLatin1(sql), {key}))
            for (int c = 0; c < row.size(); ++c)
                values << row.value(c).toString();
    return values;
}

// Puts round r onto the sheet in edit mode.
inline void apply(const sheet::SheetControls& ui, int round) {
    const QStringList values = expected(round);
    ui.txtHaven->setText(values[0]);
    ui.txtChronicle->setText(values[1]);
    ui.cmbClan->setEditText(values[2]);
    for (int s = 0; s < 3; ++s) {
        ui.cmbDisciplines[size_t(s)]->setEditText(values[3 + 2 * s]);
        ui.PBAdv[size_t(model::catalogue::disciplineRow(s))]->setValue(values[4 + 2 * s].toInt());
    }
}

} // namespace rounds
