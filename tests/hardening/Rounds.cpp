#include "Rounds.h"

#include "db/Database.h"
#include "db/Schema.h"
#include "ratings/mdlConvertions.h"
#include "sheet/SheetControls.h"

#include <QComboBox>
#include <QLineEdit>

namespace rounds {

namespace {

int16_t traitValue(int round, int trait) {
    return int16_t((round + trait) % 6);
}
QString clanName(int round) {
    return QStringLiteral("House of round %1").arg(round);
}
QString disciplineName(int round, int slot) {
    return QStringLiteral("Gift %1 of round %2").arg(slot).arg(round);
}
int disciplineLevel(int round, int slot) {
    return 1 + (round + slot) % 5;
}
constexpr int kDisciplines = 3;

} // namespace

QString characterName(int index) {
    return QStringLiteral("Saver %1").arg(index);
}

void apply(app::mdlGlobal& global, const sheet::SheetControls& ui, int round) {
    using namespace ratings::mdlConvertions;
    for (int t = 0; t < db::schema::kAttributeCount; ++t)
        Set_AttDots(global, *ui.PBAtt[size_t(t)], traitValue(round, t));
    for (int t = 0; t < db::schema::kAbilityCount; ++t)
        Set_AbilDots(global, *ui.PBAbil[size_t(t)], traitValue(round, db::schema::kAttributeCount + t));
    ui.txtChronicle->setText(QStringLiteral("Chronicle %1").arg(round));
    ui.txtHaven->setText(QString::number(round));
    ui.cmbClan->setEditText(clanName(round));
    for (int s = 0; s < kDisciplines; ++s) {
        ui.cmbDisciplines[size_t(s)]->setEditText(disciplineName(round, s));
        Set_AdvDots(global, *ui.PBAdv[size_t(sheet::catalogue::disciplineRow(s))], int16_t(disciplineLevel(round, s)));
    }
}

std::optional<int> storedRound(db::Database& database, qint64 key, QString* why) {
    const auto fail = [&](const QString& text) -> std::optional<int> {
        *why = QStringLiteral("character %1: %2").arg(key).arg(text);
        return std::nullopt;
    };
    auto row = database.OpenRecordset(
        QStringLiteral("SELECT a.*, d.Clan AS ClanName FROM Char_Info a JOIN Clan d ON d.Clan_ID = a.Clan "
                       "WHERE a.Char_ID = %1")
            .arg(key));
    if (row->atEOF())
        return fail(QStringLiteral("gone, or its clan is"));
    bool number = false;
    const int round = row->Fields(QStringLiteral("Haven")).toString().toInt(&number);
    if (!number)
        return fail(QStringLiteral("haven ") + row->Fields(QStringLiteral("Haven")).toString());
    if (row->Fields(QStringLiteral("Chronicle")).toString() != QStringLiteral("Chronicle %1").arg(round))
        return fail(QStringLiteral("chronicle of another round"));
    if (row->Fields(QStringLiteral("ClanName")).toString() != clanName(round))
        return fail(QStringLiteral("clan of another round"));
    for (int t = 0; t < db::schema::kTraitCount; ++t)
        if (row->Fields(QLatin1String(db::schema::kTraitColumns[size_t(t)])).toInt() != traitValue(round, t))
            return fail(QStringLiteral("trait %1 of another round").arg(t));
    auto links = database.OpenRecordset(QStringLiteral("SELECT l.Level, d.Discipline FROM Discipline_Link l JOIN "
                                                       "Discipline_LookUp d USING (Discipline_ID) WHERE l.Char_ID = %1")
                                            .arg(key));
    int slot = 0;
    for (; !links->atEOF(); links->MoveNext(), ++slot)
        if (slot >= kDisciplines || links->Fields(1).toString() != disciplineName(round, slot) ||
            links->Fields(0).toInt() != disciplineLevel(round, slot))
            return fail(QStringLiteral("discipline link %1 of another round").arg(slot));
    if (slot != kDisciplines)
        return fail(QStringLiteral("%1 discipline links").arg(slot));
    if (database.scalar(QStringLiteral("SELECT count(*) FROM Health WHERE Char_ID = %1").arg(key)).toInt() != 1)
        return fail(QStringLiteral("not exactly one Health row"));
    return round;
}

} // namespace rounds
