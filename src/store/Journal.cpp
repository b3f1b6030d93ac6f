#include "store/Journal.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "store/CharacterStore.h"
#include "store/CharacterTextStore.h"
#include "store/MeritStore.h"
#include "store/PathRitualStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTimeZone>

namespace store::journal {

using model::Character;
using model::CharacterKey;
namespace catalogue = model::catalogue;

namespace {

const char* const kKindNames[] = {"Ratings", "Experience", "Health", "Identity", "Merits", "Paths and rituals",
                                  "Texts", "Character"};

} // namespace

namespace {

// A caption of the sheet without its colon.
QString captionName(const char* caption) {
    QString name = QString::fromUtf8(caption).trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name;
}

} // namespace

QString traitName(int t) {
    return captionName(t < catalogue::kAttributeCount ? catalogue::attributes()[size_t(t)].caption
                                                      : catalogue::abilities()[size_t(t - catalogue::kAttributeCount)].caption);
}

namespace {

QVariant figureValue(const std::optional<double>& figure) {
    return figure ? QVariant(*figure) : QVariant();
}

std::optional<double> figureOf(const QVariant& value) {
    return value.isValid() && !value.isNull() ? std::optional<double>(value.toDouble()) : std::nullopt;
}

QString healthText(const std::array<int, catalogue::kHealthCount>& states) {
    QString digits;
    for (int state : states)
        digits += QString::number(state);
    return digits;
}

QString slotText(const model::Slot& slot) {
    return slot.name.isEmpty() ? QString() : slot.name + QLatin1Char('\t') + QString::number(slot.level);
}

model::Slot slotOf(const QVariant& value) {
    const QString text = value.toString();
    const qsizetype tab = text.lastIndexOf(QLatin1Char('\t'));
    if (tab < 0)
        return {};
    return {text.left(tab), int16_t(text.mid(tab + 1).toInt())};
}

// The identity and text fields of a Character, by target.
struct TextField {
    const char* target;
    const char* field;
    QString Character::*member;
};
const TextField kTextFields[] = {
    {"name", "Name", &Character::name},          {"player", "Player", &Character::player},
    {"chronicle", "Chronicle", &Character::chronicle}, {"nature", "Nature", &Character::nature},
    {"demeanor", "Demeanor", &Character::demeanor}, {"clan", "Clan", &Character::clan},
    {"concept", "Concept", &Character::conceptName}, {"haven", "Haven", &Character::haven},
    {"path", "Path", &Character::humanityPath},
};

struct RatingField {
    const char* target;
    const char* field;
    int16_t Character::*member;
};
const RatingField kRatingFields[] = {{"humanity", "Humanity", &Character::humanity},
                                     {"willpower", "Willpower", &Character::willpower},
                                     {"curwp", "Current willpower", &Character::currentWillpower},
                                     {"blood", "Blood pool", &Character::bloodPool}};

QString shown(const QVariant& value) {
    if (!value.isValid() || value.isNull() || value.toString().isEmpty())
        return QStringLiteral("—");
    QString text = value.toString();
    text.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    constexpr int kLine = 60;
    return text.size() > kLine ? text.left(kLine - 1) + QStringLiteral("…") : text;
}

QString healthShown(const QVariant& value) {
    static const QString kBox[] = {QStringLiteral("□"), QStringLiteral("/"), QStringLiteral("X")};
    QString boxes;
    for (QChar digit : value.toString())
        boxes += kBox[std::clamp(digit.digitValue(), 1, 3) - 1];
    return boxes;
}

// Every table holding rows of a character, its own row first.
const char* const kCharacterTables[] = {"Char_Info",      "Health",    "Discipline_Link", "BackGround_Link",
                                        "MeritFlaw_Link", "Path_Link", "Ritual_Link"};

QJsonValue jsonOf(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return QJsonValue();
    if (value.typeId() == QMetaType::QByteArray)
        return QJsonObject{{QStringLiteral("blob"), QString::fromLatin1(value.toByteArray().toBase64())}};
    return QJsonValue::fromVariant(value);
}

QVariant valueOf(const QJsonValue& json) {
    if (json.isObject())
        return QByteArray::fromBase64(json.toObject().value(QStringLiteral("blob")).toString().toLatin1());
    return json.toVariant();
}

} // namespace

QString kindName(Kind kind) {
    return QString::fromUtf8(kKindNames[int(kind)]);
}

QString Entry::text() const {
    const QString prefix = action == QLatin1String("Undo") || action == QLatin1String("Redo") ||
                                   action == QLatin1String("Revert")
                               ? action + QStringLiteral(": ")
                               : QString();
    const QString& target = change.target;
    if (target == QLatin1String("character"))
        return prefix + (change.before.isNull() || !change.before.isValid()
                             ? QStringLiteral("Character added: %1").arg(shown(change.after))
                             : QStringLiteral("Character deleted: %1").arg(name));
    if (target == QLatin1String("health"))
        return prefix + QStringLiteral("Health %1 → %2").arg(healthShown(change.before), healthShown(change.after));
    if (target.startsWith(QLatin1String("disc:")) || target.startsWith(QLatin1String("back:"))) {
        const model::Slot a = slotOf(change.before), b = slotOf(change.after);
        if (!a.name.isEmpty() && a.name == b.name)
            return prefix + QStringLiteral("%1 %2 → %3").arg(change.field).arg(a.level).arg(b.level);
    }
    return prefix + QStringLiteral("%1: %2 → %3").arg(change.field, shown(change.before), shown(change.after));
}

qint64 nextBatch(db::Database& database) {
    return database.scalar(QStringLiteral("SELECT COALESCE(MAX(Batch), 0) + 1 FROM %1").arg(kTable)).toLongLong();
}

bool present(db::Database& database) {
    return !database.scalar(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"), {kTable})
                .isNull();
}

void create(db::Database& database) {
    // Kept in order of character and batch, so one character's history is read from adjacent pages
    // however many characters changed in between. Before and After have no declared type, so a
    // number stays a number and Null stays Null.
    database.Execute(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (Char_ID INTEGER NOT NULL, Batch INTEGER NOT NULL, "
                                    "Seq INTEGER NOT NULL, Action TEXT COLLATE NOCASE NOT NULL, Undoes INTEGER, "
                                    "CharName TEXT COLLATE NOCASE, At INTEGER NOT NULL, Kind INTEGER NOT NULL, "
                                    "Field TEXT COLLATE NOCASE NOT NULL, Target TEXT COLLATE NOCASE NOT NULL, Before, "
                                    "After, PRIMARY KEY (Char_ID, Batch, Seq)) WITHOUT ROWID")
                         .arg(kTable));
    database.Execute(QStringLiteral("CREATE INDEX IF NOT EXISTS ChangeJournal_Batch ON %1 (Batch)").arg(kTable));
}

std::vector<Change> differences(const Character& a, const Character& b) {
    std::vector<Change> changes;
    const auto add = [&](Kind kind, const QString& field, const QString& target, const QVariant& before,
                         const QVariant& after) {
        if (before != after)
            changes.push_back({kind, field, target, before, after});
    };
    for (const TextField& f : kTextFields)
        if (a.*f.member != b.*f.member)
            add(Kind::Identity, QString::fromUtf8(f.field), QString::fromUtf8(f.target), a.*f.member,
                b.*f.member);
    if (a.generation != b.generation)
        add(Kind::Identity, QStringLiteral("Generation"), QStringLiteral("generation"), figureValue(a.generation),
            figureValue(b.generation));
    for (int t = 0; t < catalogue::kTraitCount; ++t)
        add(Kind::Ratings, traitName(t), QStringLiteral("trait:%1").arg(t), a.traits[size_t(t)],
            b.traits[size_t(t)]);
    const auto slots = [&](const char* prefix, const char* caption, const auto& before, const auto& after) {
        for (int s = 0; s < catalogue::kSlotCount; ++s) {
            const model::Slot& x = before[size_t(s)];
            const model::Slot& y = after[size_t(s)];
            if (x == y)
                continue;
            const QString field = x.name == y.name ? QStringLiteral("%1 %2").arg(QLatin1String(caption), x.name)
                                                   : QStringLiteral("%1 %2").arg(QLatin1String(caption)).arg(s + 1);
            add(Kind::Ratings, field.trimmed(), QStringLiteral("%1:%2").arg(QLatin1String(prefix)).arg(s),
                slotText(x), slotText(y));
        }
    };
    slots("disc", "Discipline", a.disciplines, b.disciplines);
    slots("back", "Background", a.backgrounds, b.backgrounds);
    for (int v = 0; v < catalogue::kVirtueCount; ++v) {
        const catalogue::Virtue& virtue = catalogue::kVirtues[size_t(v)];
        add(Kind::Ratings, captionName(virtue.first), QStringLiteral("virtue:%1").arg(v),
            a.virtues[size_t(v)].rating, b.virtues[size_t(v)].rating);
        if (*virtue.choiceColumn)
            add(Kind::Ratings, QStringLiteral("%1 or %2").arg(captionName(virtue.first), captionName(virtue.second)),
                QStringLiteral("choice:%1").arg(v),
                captionName(a.virtues[size_t(v)].firstVariant ? virtue.first : virtue.second),
                captionName(b.virtues[size_t(v)].firstVariant ? virtue.first : virtue.second));
    }
    for (const RatingField& f : kRatingFields)
        add(f.member == &Character::willpower || f.member == &Character::humanity ? Kind::Ratings : Kind::Health,
            QString::fromUtf8(f.field), QString::fromUtf8(f.target), a.*f.member, b.*f.member);
    add(Kind::Health, QStringLiteral("Health"), QStringLiteral("health"), healthText(a.health), healthText(b.health));
    if (a.experienceGiven.value_or(0) != b.experienceGiven.value_or(0))
        add(Kind::Experience, QStringLiteral("Experience given"), QStringLiteral("xpgiven"),
            a.experienceGiven.value_or(0), b.experienceGiven.value_or(0));
    if (a.experienceSpent.value_or(0) != b.experienceSpent.value_or(0))
        add(Kind::Experience, QStringLiteral("Experience spent"), QStringLiteral("xpspent"),
            a.experienceSpent.value_or(0), b.experienceSpent.value_or(0));
    return changes;
}

bool apply(Character& c, const QString& target, const QVariant& value) {
    for (const TextField& f : kTextFields)
        if (target == QLatin1String(f.target)) {
            c.*f.member = value.toString();
            return true;
        }
    for (const RatingField& f : kRatingFields)
        if (target == QLatin1String(f.target)) {
            c.*f.member = int16_t(value.toInt());
            return true;
        }
    const QString kind = target.section(QLatin1Char(':'), 0, 0);
    const int index = target.section(QLatin1Char(':'), 1, 1).toInt();
    if (kind == QLatin1String("generation"))
        c.generation = figureOf(value);
    else if (kind == QLatin1String("xpgiven"))
        c.experienceGiven = value.toDouble();
    else if (kind == QLatin1String("xpspent"))
        c.experienceSpent = value.toDouble();
    else if (kind == QLatin1String("health")) {
        const QString digits = value.toString();
        for (int i = 0; i < catalogue::kHealthCount && i < digits.size(); ++i)
            c.health[size_t(i)] = std::clamp(digits[i].digitValue(), 1, 3);
    } else if (kind == QLatin1String("trait") && index >= 0 && index < catalogue::kTraitCount)
        c.traits[size_t(index)] = int16_t(value.toInt());
    else if (kind == QLatin1String("disc") && index >= 0 && index < catalogue::kSlotCount)
        c.disciplines[size_t(index)] = slotOf(value);
    else if (kind == QLatin1String("back") && index >= 0 && index < catalogue::kSlotCount)
        c.backgrounds[size_t(index)] = slotOf(value);
    else if (kind == QLatin1String("virtue") && index >= 0 && index < catalogue::kVirtueCount)
        c.virtues[size_t(index)].rating = int16_t(value.toInt());
    else if (kind == QLatin1String("choice") && index >= 0 && index < catalogue::kVirtueCount)
        c.virtues[size_t(index)].firstVariant =
            value.toString() == captionName(catalogue::kVirtues[size_t(index)].first);
    else
        return false;
    return true;
}

void record(db::Database& database, Batch& batch, CharacterKey key, const std::vector<Change>& changes,
            const QString& name) {
    if (changes.empty())
        return;
    if (!present(database))
        create(database);
    if (!batch.number)
        batch.number = nextBatch(database);
    int seq = database
                  .scalar(QStringLiteral("SELECT COALESCE(MAX(Seq), -1) + 1 FROM %1 WHERE Char_ID = ? AND Batch = ?")
                              .arg(kTable),
                          {key, batch.number})
                  .toInt();
    const QString who =
        name.isEmpty() ? database.scalar(QStringLiteral("SELECT Name FROM Char_Info WHERE Char_ID = ?"), {key}).toString()
                       : name;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const QString insert = QStringLiteral("INSERT INTO %1 (Batch, Seq, Action, Undoes, Char_ID, CharName, At, Kind, "
                                          "Field, Target, Before, After) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                               .arg(kTable);
    for (const Change& change : changes)
        database.Execute(insert, {batch.number, seq++, batch.action,
                                  batch.undoes ? QVariant(batch.undoes) : QVariant(), key, who, now, int(change.kind),
                                  change.field, change.target, change.before, change.after});
}

namespace {

const QString kColumns = QStringLiteral("Batch, Action, Undoes, Char_ID, CharName, At, Kind, Field, Target, Before, After");

template <class Row> Entry entryOf(const Row& row) {
    Entry e;
    e.batch = row.value(0).toLongLong();
    e.action = row.value(1).toString();
    e.undoes = row.value(2).toLongLong();
    e.key = row.value(3).toLongLong();
    e.name = row.value(4).toString();
    e.at = QDateTime::fromMSecsSinceEpoch(row.value(5).toLongLong(), QTimeZone::utc());
    e.change = {Kind(std::clamp(row.value(6).toInt(), 0, int(Kind::Character))), row.value(7).toString(),
                row.value(8).toString(), row.value(9), row.value(10)};
    return e;
}

std::vector<Entry> batchEntries(db::Database& database, qint64 batch) {
    std::vector<Entry> result;
    for (const db::Row& row : db::query(database.connection(),
                                        QStringLiteral("SELECT %1 FROM %2 WHERE Batch = ? ORDER BY Char_ID, Seq")
                                            .arg(kColumns, kTable),
                                        {batch}))
        result.push_back(entryOf(row));
    return result;
}

struct Stacks {
    std::vector<qint64> undo;
    std::vector<qint64> redo;
};

// Replays the character's batches in order: an action can be undone; an undo can be redone until
// a new action is taken.
Stacks stacks(db::Database& database, CharacterKey key) {
    Stacks s;
    if (!present(database))
        return s;
    for (const db::Row& row : db::query(
             database.connection(),
             QStringLiteral("SELECT Batch, MIN(Action) FROM %1 WHERE Char_ID = ? GROUP BY Batch ORDER BY Batch").arg(kTable),
             {key})) {
        const qint64 batch = row.value(0).toLongLong();
        const QString action = row.value(1).toString();
        if (action == QLatin1String("Undo")) {
            if (!s.undo.empty())
                s.undo.pop_back();
            s.redo.push_back(batch);
        } else if (action == QLatin1String("Redo")) {
            if (!s.redo.empty())
                s.redo.pop_back();
            s.undo.push_back(batch);
        } else {
            s.undo.push_back(batch);
            s.redo.clear();
        }
    }
    return s;
}

// Every row of the character, as JSON text: what a deletion keeps to bring it back.
QString characterRows(db::Database& database, CharacterKey key) {
    QJsonObject tables;
    for (const char* table : kCharacterTables) {
        db::Statement rows(database.connection().handle(),
                           QStringLiteral("SELECT * FROM %1 WHERE Char_ID = ?").arg(QLatin1String(table)));
        rows.bind({key});
        QJsonArray list;
        while (rows.step()) {
            QJsonObject row;
            for (int c = 0; c < rows.columnCount(); ++c)
                row.insert(rows.columnName(c), jsonOf(rows.value(c)));
            list.append(row);
        }
        tables.insert(QLatin1String(table), list);
    }
    return QString::fromUtf8(QJsonDocument(tables).toJson(QJsonDocument::Compact));
}

// Puts back the rows a deletion kept; the link rows get new keys of their own.
QString restoreRows(db::Database& database, CharacterKey key, const QString& json) {
    const QJsonObject tables = QJsonDocument::fromJson(json.toUtf8()).object();
    if (tables.value(QStringLiteral("Char_Info")).toArray().isEmpty())
        return QStringLiteral("The journal holds no rows of this character.");
    if (CharacterStore(database).exists(key))
        return QStringLiteral("The character is in the database already.");
    for (const char* table : kCharacterTables) {
        QSet<QString> keyColumns;
        if (qstrcmp(table, "Char_Info") != 0)
            for (const db::Row& column : db::query(database.connection(),
                                                   QStringLiteral("PRAGMA table_info(%1)").arg(QLatin1String(table))))
                if (column.value(QStringLiteral("pk")).toInt() > 0)
                    keyColumns.insert(column.value(QStringLiteral("name")).toString());
        for (const QJsonValue& value : tables.value(QLatin1String(table)).toArray()) {
            const QJsonObject row = value.toObject();
            QStringList columns, marks;
            QVariantList values;
            for (auto it = row.begin(); it != row.end(); ++it) {
                if (keyColumns.contains(it.key()))
                    continue;
                columns << QLatin1Char('"') + QString(it.key()).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
                               QLatin1Char('"');
                marks << QStringLiteral("?");
                values << valueOf(it.value());
            }
            database.Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                 .arg(QLatin1String(table), columns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                             values);
        }
    }
    return {};
}

// Writes the change's `before` back, as part of the batch.
QString applyBefore(db::Database& database, Batch& batch, const Entry& e, Character* pending) {
    const QString& target = e.change.target;
    const QString kind = target.section(QLatin1Char(':'), 0, 0);
    if (kind == QLatin1String("character")) {
        if (e.change.before.isNull() || !e.change.before.isValid()) {
            CharacterStore(database).remove(e.key, batch);
            return {};
        }
        const QString failed = restoreRows(database, e.key, e.change.before.toString());
        if (failed.isEmpty())
            record(database, batch, e.key, {{Kind::Character, QStringLiteral("Character"), target, QVariant(), e.name}});
        return failed;
    }
    if (!pending)
        return QStringLiteral("The character is no longer in the database.");
    if (apply(*pending, target, e.change.before))
        return {};
    if (kind == QLatin1String("specialty")) {
        const WriteResult written = CharacterStore(database).setSpecialty(
            e.key, target.section(QLatin1Char(':'), 1, 1).toInt(), e.change.before.toString(), batch);
        return written.error;
    }
    if (kind == QLatin1String("text")) {
        notes::writeCharacterText(database, e.key, target.section(QLatin1Char(':'), 1), e.change.before.toString(),
                                  batch);
        return {};
    }
    if (kind == QLatin1String("merit")) {
        const qint64 merit = target.section(QLatin1Char(':'), 1, 1).toLongLong();
        if (e.change.before.isNull() || !e.change.before.isValid())
            merits::removeLink(database, e.key, merit, batch);
        else
            merits::addLink(database, e.key, merit, target.section(QLatin1Char(':'), 2, 2).toInt(), batch);
        return {};
    }
    if (kind == QLatin1String("paths")) {
        std::vector<rituals::PathEntry> paths;
        for (const QString& line : e.change.before.toString().split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const model::Slot slot = slotOf(line);
            paths.push_back({slot.name, slot.level});
        }
        rituals::savePaths(database, e.key, target.section(QLatin1Char(':'), 1, 1).toInt(), paths, batch);
        return {};
    }
    if (kind == QLatin1String("ritual")) {
        const int thaNec = target.section(QLatin1Char(':'), 1, 1).toInt();
        if (e.change.before.isNull() || !e.change.before.isValid())
            rituals::removeRitual(database, e.key, thaNec, e.change.after.toString(), batch);
        else
            rituals::addRitual(database, e.key, thaNec, e.change.before.toString(), QString(), std::nullopt, batch);
        return {};
    }
    return QStringLiteral("The change \"%1\" cannot be taken back.").arg(e.change.field);
}

} // namespace

std::vector<Entry> entries(db::Database& database, CharacterKey key, qint64 newest) {
    std::vector<Entry> result;
    if (!present(database))
        return result;
    const QVariant from =
        newest > 0 ? database.scalar(QStringLiteral("SELECT Batch FROM %1 WHERE Char_ID = ? ORDER BY Batch DESC "
                                                    "LIMIT 1 OFFSET ?")
                                         .arg(kTable),
                                     {key, newest - 1})
                   : QVariant();
    db::eachRow(database.connection(),
                QStringLiteral("SELECT %1 FROM %2 WHERE Char_ID = ? AND Batch >= ? ORDER BY Batch DESC, Seq")
                    .arg(kColumns, kTable),
                {key, from.isNull() ? 0 : from.toLongLong()},
                [&](const db::Statement& row) { result.push_back(entryOf(row)); });
    return result;
}

bool hasOlder(db::Database& database, CharacterKey key, qint64 batch) {
    return present(database) &&
           !database.scalar(QStringLiteral("SELECT 1 FROM %1 WHERE Char_ID = ? AND Batch < ? LIMIT 1").arg(kTable),
                            {key, batch})
                .isNull();
}

std::pair<double, double> experienceLog(db::Database& database, CharacterKey key) {
    std::pair<double, double> log{0, 0};
    if (!present(database))
        return log;
    for (const db::Row& row :
         db::query(database.connection(),
                   QStringLiteral("SELECT Target, TOTAL(After - Before) FROM %1 WHERE Char_ID = ? AND Target IN "
                                  "('xpgiven', 'xpspent') GROUP BY Target")
                       .arg(kTable),
                   {key}))
        (row.value(0).toString() == QLatin1String("xpgiven") ? log.first : log.second) = row.value(1).toDouble();
    return log;
}

qint64 undoable(db::Database& database, CharacterKey key) {
    const Stacks s = stacks(database, key);
    return s.undo.empty() ? 0 : s.undo.back();
}

qint64 redoable(db::Database& database, CharacterKey key) {
    const Stacks s = stacks(database, key);
    return s.redo.empty() ? 0 : s.redo.back();
}

QString takeBack(db::Database& database, qint64 number, const QString& action) {
    try {
        db::Transaction transaction(database);
        const std::vector<Entry> taken = batchEntries(database, number);
        if (taken.empty())
            return QStringLiteral("There is nothing to take back.");
        Batch batch{action, number, nextBatch(database)};
        CharacterStore characters(database);
        std::optional<Character> pending = characters.load(taken.front().key);
        const std::optional<Character> loaded = pending;
        // Taken back newest change first, so a field changed twice in the batch ends as it began.
        for (auto it = taken.rbegin(); it != taken.rend(); ++it) {
            const QString failed = applyBefore(database, batch, *it, pending ? &*pending : nullptr);
            if (!failed.isEmpty())
                return failed;
        }
        if (pending && characters.exists(pending->key) && pending != loaded) {
            const SaveResult saved = characters.save(*pending, batch);
            if (!saved.saved())
                return saved.error;
        }
        transaction.commit();
        return {};
    } catch (const db::DbError& e) {
        return e.message();
    }
}

QString revert(db::Database& database, qint64 number) {
    try {
        const std::vector<Entry> taken = batchEntries(database, number);
        if (taken.empty())
            return QStringLiteral("There is nothing to take back.");
        QSet<QString> targets;
        for (const Entry& e : taken)
            targets.insert(e.change.target);
        for (const db::Row& row : db::query(
                 database.connection(),
                 QStringLiteral("SELECT Target, Field FROM %1 WHERE Char_ID = ? AND Batch > ? ORDER BY Batch").arg(kTable),
                 {taken.front().key, number}))
            if (targets.contains(row.value(0).toString()))
                return QStringLiteral("%1 was changed later; take back the later change first.")
                    .arg(row.value(1).toString());
    } catch (const db::DbError& e) {
        return e.message();
    }
    return takeBack(database, number, QStringLiteral("Revert"));
}

std::vector<std::pair<CharacterKey, QString>> deletedCharacters(db::Database& database) {
    std::vector<std::pair<CharacterKey, QString>> result;
    if (!present(database))
        return result;
    // The newest entry about the character's existence says whether it is gone.
    for (const db::Row& row : db::query(
             database.connection(),
             QStringLiteral("SELECT j.Char_ID, j.CharName FROM %1 j WHERE j.Target = 'character' AND j.After IS NULL "
                            "AND j.Batch = (SELECT MAX(Batch) FROM %1 k WHERE k.Char_ID = j.Char_ID AND "
                            "k.Target = 'character') AND NOT EXISTS (SELECT 1 FROM Char_Info c WHERE c.Char_ID = "
                            "j.Char_ID) ORDER BY j.Batch DESC")
                 .arg(kTable)))
        result.emplace_back(row.value(0).toLongLong(), row.value(1).toString());
    return result;
}

QString restoreDeleted(db::Database& database, CharacterKey key) {
    const QVariant deletion = database.scalar(
        QStringLiteral("SELECT Batch FROM %1 WHERE Char_ID = ? AND Target = 'character' AND After IS NULL ORDER BY "
                       "Batch DESC LIMIT 1")
            .arg(kTable),
        {key});
    if (deletion.isNull())
        return QStringLiteral("The journal holds no deletion of this character.");
    return takeBack(database, deletion.toLongLong(), QStringLiteral("Restore"));
}

qint64 trim(db::Database& database, const QDateTime& before) {
    if (!present(database))
        return 0;
    db::Transaction transaction(database);
    database.Execute(QStringLiteral("DELETE FROM %1 WHERE At < ?").arg(kTable), {before.toMSecsSinceEpoch()});
    const qint64 dropped = database.connection().changes();
    transaction.commit();
    return dropped;
}

QString deletionRows(db::Database& database, CharacterKey key) {
    return characterRows(database, key);
}

} // namespace store::journal
