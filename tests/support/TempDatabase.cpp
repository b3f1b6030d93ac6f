#include "support/TempDatabase.h"

#include "store/Schema.h"

TempDatabase::TempDatabase() : m_path(m_dir.filePath(QStringLiteral("chronicle.mdb"))) {
    store::createDatabase(m_path);
}

db::Database& TempDatabase::db() {
    if (!m_db)
        m_db = store::openChronicle(m_path, false);
    return *m_db;
}

void TempDatabase::release() {
    if (m_db)
        m_db->Close();
    m_db.reset();
}

qint64 TempDatabase::addCharacter(const QString& name, const QString& player) {
    db().Execute(QStringLiteral("INSERT INTO Char_Info (Name, player, Nature, Demeanor, Clan, Concept) "
                                "VALUES (?, ?, 1, 1, 1, 1)"),
                 {name, player});
    const qint64 key = db().scalar(QStringLiteral("SELECT max(Char_ID) FROM Char_Info")).toLongLong();
    db().Execute(QStringLiteral("INSERT INTO Health (Char_ID) VALUES (?)"), {key});
    return key;
}
