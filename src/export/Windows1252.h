#pragma once

#include <QByteArray>
#include <QStringView>

namespace exporter {

// The page's code page. Characters it cannot hold become HTML numeric character references
// ("&#1040;"), so a name in another script reaches the reader instead of being lost; nothing
// else is escaped.
QByteArray toWindows1252(QStringView text);

} // namespace exporter
