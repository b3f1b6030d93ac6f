#pragma once

#include "db/Database.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

// A fresh Duskledger database in a temporary folder, with the schema and the key-1 rows.
class TempDatabase {
public:
    TempDatabase();
    QString path() const { return m_path; }
    QString folder() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }
    // A second, non-exclusive connection for setting up and checking rows.
    db::Database& db();
    // Closes the checking connection (needed before an exclusive open).
    void release();
    QVariant scalar(const QString& sql) { return db().scalar(sql); }
    void exec(const QString& sql) { db().Execute(sql); }
    // Adds a character with the given name and player; returns its key.
    qint64 addCharacter(const QString& name, const QString& player = QStringLiteral("Ann"));

private:
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<db::Database> m_db;
};
