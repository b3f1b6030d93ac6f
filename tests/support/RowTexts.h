#pragma once

#include "db/Database.h"
#include "db/Query.h"

#include <QStringList>

// Each row the query returns as "field|field|...", a Null field as `null`.
inline QStringList rowTexts(db::Database& database, const QString& sql,
                            const QString& null = QStringLiteral("<null>")) {
    QStringList rows;
    for (const db::Row& row : db::query(database.connection(), sql)) {
        QStringList fields;
        for (int c = 0; c < row.size(); ++c)
            fields << (row.value(c).isNull() ? null : row.value(c).toString());
        rows << fields.join(QLatin1Char('|'));
    }
    return rows;
}
