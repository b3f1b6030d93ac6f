#include "sheet/HtmlExportCommand.h"

#include "app/Guard.h"
#include "app/Session.h"
#include "export/HtmlExport.h"
#include "export/PageFiles.h"

#include <QFileInfo>

namespace sheet {

void mnuFileExport_Click(app::Session& session) {
    app::Services& services = session.services;
    const std::optional<model::CharacterKey> key = session.shownCharacter();
    if (!key) {
        services.messageBox(QStringLiteral("No character is shown, so there is nothing to export."), app::Buttons::OK,
                            app::Icon::Exclamation);
        return;
    }
    // An existing file is replaced without a question, as a re-export of the same sheet expects.
    const QString path = services.saveFileDialog(QStringLiteral("Export Character to HTML File"),
                                                 QStringLiteral("HTML (*.htm, *.html)|*.html;*.htm"));
    if (path.isEmpty()) {
        services.messageBox(QStringLiteral("Character has not been exported."));
        return;
    }
    QStringList pictures;
    if (!app::guarded(services,
                      [&] { pictures = exporter::writeCharacterHtml(*session.database, QString::number(*key), path); }))
        return;
    // The page names its bitmaps without a folder: copied beside it, it shows them wherever it is.
    const exporter::CopiedFiles copied =
        exporter::copyPageFiles(pictures, services.resourceFolder(), QFileInfo(path).absolutePath());
    QString message = QStringLiteral("Character has been exported to HTML!");
    if (!copied.keptDifferent.isEmpty())
        message += QStringLiteral("\n\nThe page's folder already holds other files named %1; they were left as they "
                                  "are, so the page shows those.")
                       .arg(copied.keptDifferent.join(QStringLiteral(", ")));
    if (!copied.failure.isEmpty())
        message += QStringLiteral("\n\nThe page's pictures were not all copied beside it: ") + copied.failure;
    services.messageBox(message, app::Buttons::OK,
                        copied.failure.isEmpty() && copied.keptDifferent.isEmpty() ? app::Icon::None
                                                                                   : app::Icon::Exclamation);
}

} // namespace sheet
