#pragma once

#include <QString>

namespace db {

// A text constant for SQL: single quotes around it, each quote inside doubled.
// Every name a user types reaches a statement through here or through a bound parameter.
QString sqlText(const QString& value);

} // namespace db
