#include "sheet/HtmlExportCommand.h"

#include "app/Guard.h"
#include "app/Session.h"
#include "export/HtmlExport.h"

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
    if (app::guarded(services, [&] { exporter::writeCharacterHtml(*session.database, QString::number(*key), path); }))
        services.messageBox(QStringLiteral("Character has been exported to HTML!"));
}

} // namespace sheet
