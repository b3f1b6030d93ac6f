#pragma once

#include "db/Database.h"
#include "db/Query.h"
#include "model/TraitCatalogue.h"
#include "ratings/DotRow.h"
#include "sheet/SheetControls.h"

#include <QComboBox>
#include <QLineEdit>

// A save whose every value follows from one round number, so a character read back after a crash
// tells whether it holds one whole round or a mix of two.
namespace rounds {

namespace catalogue = model::catalogue;
inline constexpr int kCharacters = 4;
inline constexpr int kDisciplines = 3;

inline QString characterName(int index) {
    return QStringLiteral("Saver %1").arg(index);
}

// Round r as the character's row, its clan's name, its disciplines and its Health row count, in the order `held`
// reads them.
inline QStringList expected(int round) {
    QStringList values{QString::number(round), QStringLiteral("Chronicle %1").arg(round),
                       QStringLiteral("House of round %1").arg(round)};
    for (int t = 0; t < catalogue::kTraitCount; ++t)
        values << QString::number((round + t) % 6);
    for (int s = 0; s < kDisciplines; ++s)
        values << QStringLiteral("Gift %1 of round %2").arg(s).arg(round) << QString::number(1 + (round + s) % 5);
    return values << QStringLiteral("1");
}

inline QStringList held(db::Database& database, qint64 key) {
    const QString traits =
        QStringList(catalogue::kTraitColumns.begin(), catalogue::kTraitColumns.end()).join(QStringLiteral(", a."));
    QStringList values;
    for (const QString& sql :
         {QStringLiteral("SELECT a.Haven, a.Chronicle, d.Clan, a.") + traits +
              QStringLiteral(" FROM Char_Info a JOIN Clan d ON d.Clan_ID = a.Clan WHERE a.Char_ID = %1"),
          QStringLiteral("SELECT d.Discipline, l.Level FROM Discipline_Link l JOIN Discipline_LookUp d "
                         "USING (Discipline_ID) WHERE l.Char_ID = %1 ORDER BY l.rowid"),
          QStringLiteral("SELECT count(*) FROM Health WHERE Char_ID = %1")})
        for (const db::Row& row : db::query(database.connection(), sql.arg(key)))
            for (int c = 0; c < row.size(); ++c)
                values << row.value(c).toString();
    return values;
}

// Puts round r onto the sheet in edit mode, the values `expected` lists.
inline void apply(const sheet::SheetControls& ui, int round) {
    const QStringList values = expected(round);
    ui.txtHaven->setText(values[0]);
    ui.txtChronicle->setText(values[1]);
    ui.cmbClan->setEditText(values[2]);
    for (int t = 0; t < catalogue::kTraitCount; ++t)
        (t < catalogue::kAttributeCount ? ui.PBAtt[size_t(t)] : ui.PBAbil[size_t(t - catalogue::kAttributeCount)])
            ->setValue(values[3 + t].toInt());
    for (int s = 0; s < kDisciplines; ++s) {
        ui.cmbDisciplines[size_t(s)]->setEditText(values[3 + catalogue::kTraitCount + 2 * s]);
        ui.PBAdv[size_t(catalogue::disciplineRow(s))]->setValue(values[4 + catalogue::kTraitCount + 2 * s].toInt());
    }
}

} // namespace rounds
