#pragma once

#include <QString>
#include <QStringList>

namespace exporter {

// The files a page's IMG tags name, each once, in the order they first appear.
QStringList referencedFiles(const QString& page);

// What copying a page's pictures beside it did.
struct CopiedFiles {
    QStringList copied;
    QStringList keptDifferent; // a file of that name was there already with other bytes, and stays
    QStringList missing;       // not in the program's folder either
    QString failure;           // empty, or why a copy could not be written
};

// Copies the page's pictures named by a plain file name (the rating bitmaps, the placeholder, a
// picture kept in the program's folder) from the program's folder, where they are found without
// regard to case, into the page's folder under the name the page uses. A file already there is
// never replaced. Pictures named by a full path are left where they are: the page finds them.
CopiedFiles copyPageFiles(const QStringList& files, const QString& programFolder, const QString& pageFolder);

} // namespace exporter
