#include "print/PrintCommands.h"

#include "app/Guard.h"
#include "app/Session.h"
#include "db/DbError.h"
#include "print/PdfExport.h"
#include "print/PrintedCharacter.h"
#include "print/SheetLayout.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>

namespace print {

namespace {

// The shown character after its edits are settled; nothing (after telling why) when there is none.
std::optional<model::CharacterKey> characterToPrint(app::Session& session, const Settle& settle) {
    if (!session.shownCharacter()) {
        session.services.messageBox(QStringLiteral("No character is shown, so there is nothing to print."),
                                    app::Buttons::OK, app::Icon::Exclamation);
        return std::nullopt;
    }
    if (settle && !settle())
        return std::nullopt;
    return session.shownCharacter(); // a save may have failed, or the character may be gone
}

} // namespace

QString suggestedFileName(const QString& characterName, const QString& suffix) {
    static const QRegularExpression refused(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f])"));
    QString name = characterName;
    name.replace(refused, QStringLiteral(" "));
    name = name.simplified();
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        name = QStringLiteral("Character");
    return name + suffix;
}

QString withSuffix(const QString& path, const QString& suffix) {
    return path.endsWith(suffix, Qt::CaseInsensitive) ? path : path + suffix;
}

void exportShownToPdf(app::Session& session, const Settle& settle) {
    app::Services& services = session.services;
    const std::optional<model::CharacterKey> key = characterToPrint(session, settle);
    if (!key)
        return;
    const std::optional<PrintedCharacter> shown = loadPrinted(*session.database, *key);
    const QString name = shown ? shown->character.name : QString();
    const QString chosen = services.saveFileDialog(QStringLiteral("Export Character to PDF File"),
                                                   QStringLiteral("PDF (*.pdf)|*.pdf"),
                                                   suggestedFileName(name, QStringLiteral(".pdf")));
    if (chosen.isEmpty()) {
        services.messageBox(QStringLiteral("Character has not been exported."));
        return;
    }
    const QString path = withSuffix(chosen, QStringLiteral(".pdf"));
    if (app::guarded(services, [&] { writeCharacterPdf(*session.database, *key, path); }))
        services.messageBox(QStringLiteral("Character has been exported to PDF!"));
}

void printShown(app::Session& session, const Settle& settle, QWidget* owner) {
    app::Services& services = session.services;
    const std::optional<model::CharacterKey> key = characterToPrint(session, settle);
    if (!key)
        return;
    const std::optional<PrintedCharacter> character = loadPrinted(*session.database, *key);
    if (!character)
        throw db::DbError(QStringLiteral("This character is no longer in the database; nothing has been printed."));
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(character->character.name);
    printer.setPageMargins(QMarginsF(14, 14, 14, 10), QPageLayout::Millimeter);
    QPrintPreviewDialog preview(&printer, owner);
    preview.setObjectName(QStringLiteral("frmPrintPreview"));
    preview.setWindowTitle(QStringLiteral("Print Preview - ") + character->character.name);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
        app::guarded(services, [&] { printCharacter(*character, *target); });
    });
    services.showModal(preview);
}

} // namespace print
