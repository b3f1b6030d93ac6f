#include "model/TraitCatalogue.h"
#include "Rounds.h"

#include "db/Query.h"
#include "store/Schema.h"
#include "ratings/DotRow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStringList>

namespace rounds {

namespace {

constexpr int kDisciplines = 3;
int16_t traitValue(int round, int trait) {
    return int16_t((round + trait) % 6);
}
QString disciplineName(int round, int slot) {
    return QStringLiteral("Gift %1 of round %2").arg(slot).arg(round);
}
int disciplineLevel(int round, int slot) {
    return 1 + (round + slot) % 5;
}

// What a character saved in round r holds, in the order `held` reads it.
QStringList expected(int round) {
    QStringList values{QString::number(round), QStringLiteral("Chronicle %1").arg(round),
                       QStringLiteral("House of round %1").arg(round)};
    for (int t = 0; t < model::catalogue::kTraitCount; ++t)
        values << QString::number(traitValue(round, t));
    for (int s = 0; s < kDisciplines; ++s)
        values << disciplineName(round, s) << QString::number(disciplineLevel(round, s));
    return values << QStringLiteral("1"); // Health rows
}

QStringList held(db::Database& database, qint64 key) {
    QStringList values;
    const auto read = [&](const QString& sql) {
        for (const db::Row& row : db::query(database.connection(), sql.arg(key)))
            for (int c = 0; c < row.size(); ++c)
                values << row.value(c).toString();
    };
    read(QStringLiteral("SELECT a.Haven, a.Chronicle, d.Clan, a.") +
         QStringList(model::catalogue::kTraitColumns.begin(), model::catalogue::kTraitColumns.end()).join(QStringLiteral(", a.")) +
         QStringLiteral(" FROM Char_Info a JOIN Clan d ON d.Clan_ID = a.Clan WHERE a.Char_ID = %1"));
    read(QStringLiteral("SELECT d.Discipline, l.Level FROM Discipline_Link l JOIN Discipline_LookUp d "
                        "USING (Discipline_ID) WHERE l.Char_ID = %1 ORDER BY l.rowid"));
    read(QStringLiteral("SELECT count(*) FROM Health WHERE Char_ID = %1"));
    return values;
}

} // namespace

QString characterName(int index) {
    return QStringLiteral("Saver %1").arg(index);
}

void apply(const sheet::SheetControls& ui, int round) {
    for (int t = 0; t < model::catalogue::kAttributeCount; ++t)
        ui.PBAtt[size_t(t)]->setValue(traitValue(round, t));
    for (int t = 0; t < model::catalogue::kAbilityCount; ++t)
        ui.PBAbil[size_t(t)]->setValue(traitValue(round, model::catalogue::kAttributeCount + t));
    ui.txtChronicle->setText(QStringLiteral("Chronicle %1").arg(round));
    ui.txtHaven->setText(QString::number(round));
    ui.cmbClan->setEditText(QStringLiteral("House of round %1").arg(round));
    for (int s = 0; s < kDisciplines; ++s) {
        ui.cmbDisciplines[size_t(s)]->setEditText(disciplineName(round, s));
        ui.PBAdv[size_t(model::catalogue::disciplineRow(s))]->setValue(disciplineLevel(round, s));
    }
}

std::optional<int> storedRound(db::Database& database, qint64 key, QString* why) {
    const QStringList values = held(database, key);
    bool number = false;
    const int round = values.value(0).toInt(&number);
    if (number && values == expected(round))
        return round;
    *why = QStringLiteral("character %1 holds no whole round: %2").arg(key).arg(values.join(QLatin1Char('|')));
    return std::nullopt;
}

} // namespace rounds
