#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace app {
class Session;
}

namespace print {

// Settles unsaved edits of the sheet before its character is read from the database (asks
// whether to save them); false abandons the command.
using Settle = std::function<bool()>;

// File, Export to PDF: asks for the file (".pdf" added when the name has no such ending) and writes
// the shown character's printed pages there. Every outcome is told in a message box.
void exportShownToPdf(app::Session& session, const Settle& settle);

// File, Print: the shown character's printed pages in a print preview, printed from there.
void printShown(app::Session& session, const Settle& settle, QWidget* owner);

// The name a save dialog offers for a character's file: the name without the characters file
// systems refuse, or "Character" for an empty one.
QString suggestedFileName(const QString& characterName, const QString& suffix);

// The path with the suffix (".pdf") added unless it already ends with it, without regard to case.
QString withSuffix(const QString& path, const QString& suffix);

} // namespace print
