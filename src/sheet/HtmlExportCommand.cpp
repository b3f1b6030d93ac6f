#include "sheet/HtmlExportCommand.h"

#include "app/Guard.h"
#include "app/mdlGlobal.h"
#include "export/HtmlExport.h"

namespace exporter {

void mnuFileExport_Click(app::mdlGlobal& global, const QString& key) {
    app::Services& services = global.services;
    if (key.trimmed().isEmpty() || !global.isConnected()) {
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
    if (app::guarded(services, [&] { writeCharacterHtml(*global.database, key, path); }))
        services.messageBox(QStringLiteral("Character has been exported to HTML!"));
}

} // namespace exporter
