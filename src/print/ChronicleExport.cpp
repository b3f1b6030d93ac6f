#include "print/ChronicleExport.h"

#include "app/Guard.h"
#include "app/Session.h"
#include "export/HtmlChronicle.h"
#include "print/PdfExport.h"
#include "sheet/Roster.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFormLayout>
#include <QProgressDialog>
#include <QRadioButton>
#include <QVBoxLayout>

namespace print {

namespace {

enum Which { Both, Characters, Npcs };

struct Choice {
    Which which = Both;
    bool onlyShown = false;
    bool pdf = true;
};

// The dialog's answer; nothing when it was cancelled.
std::optional<Choice> ask(app::Services& services, bool filtered, QWidget* owner) {
    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("frmExportChronicle"));
    dialog.setWindowTitle(QStringLiteral("Export Chronicle"));
    auto* which = new QComboBox;
    which->setObjectName(QStringLiteral("cmbWhich"));
    which->addItems({QStringLiteral("Player characters and NPCs"), QStringLiteral("Player characters"),
                     QStringLiteral("NPCs")});
    auto* onlyShown = new QCheckBox(QStringLiteral("Only the characters the roster's filter shows"));
    onlyShown->setObjectName(QStringLiteral("chkShown"));
    onlyShown->setEnabled(filtered);
    onlyShown->setChecked(filtered);
    auto* pdf = new QRadioButton(QStringLiteral("One PDF file, with a contents page"));
    pdf->setObjectName(QStringLiteral("optPdf"));
    pdf->setChecked(true);
    auto* html = new QRadioButton(QStringLiteral("A folder of HTML pages, with an index page"));
    html->setObjectName(QStringLiteral("optHtml"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Characters:"), which);
    form->addRow(QString(), onlyShown);
    form->addRow(QStringLiteral("Write:"), pdf);
    form->addRow(QString(), html);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    if (services.showModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    return Choice{Which(which->currentIndex()), onlyShown->isEnabled() && onlyShown->isChecked(), pdf->isChecked()};
}

void append(std::vector<model::CharacterKey>& keys, const QAbstractItemModel& list) {
    for (int row = 0; row < list.rowCount(); ++row)
        keys.push_back(list.index(row, 0).data(Qt::UserRole).toLongLong());
}

// Keeps a progress dialog up to date at least ten times a second and tells whether to go on.
class ProgressWindow {
public:
    ProgressWindow(const QString& label, QWidget* owner) : m_dialog(label, QStringLiteral("Cancel"), 0, 1, owner) {
        m_dialog.setObjectName(QStringLiteral("frmExportProgress"));
        m_dialog.setWindowTitle(QStringLiteral("Duskledger"));
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(0);
        m_dialog.setAutoReset(false);
        m_dialog.setAutoClose(false);
        m_clock.start();
    }
    bool step(int done, int total) {
        if (done == 1 || done == total || m_clock.elapsed() >= 50) {
            m_dialog.setMaximum(total);
            m_dialog.setValue(done);
            m_clock.restart();
        }
        QCoreApplication::processEvents();
        return !m_dialog.wasCanceled();
    }

private:
    QProgressDialog m_dialog;
    QElapsedTimer m_clock;
};

} // namespace

void exportChronicle(app::Session& session, sheet::Roster& roster, const Settle& settle, QWidget* owner) {
    app::Services& services = session.services;
    if (!session.isOpen()) {
        services.messageBox(QStringLiteral("No database is open, so there is nothing to export."), app::Buttons::OK,
                            app::Icon::Exclamation);
        return;
    }
    if (settle && !settle())
        return;
    const bool filtered = roster.shownCharacters()->rowCount() < roster.characters()->rowCount() ||
                          roster.shownNpcs()->rowCount() < roster.npcs()->rowCount();
    const std::optional<Choice> choice = ask(services, filtered, owner);
    if (!choice)
        return;
    std::vector<model::CharacterKey> keys;
    if (choice->which != Npcs)
        append(keys, choice->onlyShown ? static_cast<QAbstractItemModel&>(*roster.shownCharacters())
                                       : *roster.characters());
    if (choice->which != Characters)
        append(keys, choice->onlyShown ? static_cast<QAbstractItemModel&>(*roster.shownNpcs()) : *roster.npcs());
    if (keys.empty()) {
        services.messageBox(QStringLiteral("No character is chosen, so there is nothing to export."), app::Buttons::OK,
                            app::Icon::Exclamation);
        return;
    }

    const QString title = QFileInfo(session.path()).completeBaseName();
    QString target = choice->pdf ? services.saveFileDialog(QStringLiteral("Export Chronicle to PDF File"),
                                                           QStringLiteral("PDF (*.pdf)|*.pdf"),
                                                           suggestedFileName(title, QStringLiteral(".pdf")))
                                 : services.folderDialog(QStringLiteral("Export Chronicle to a Folder of HTML Pages"));
    if (target.isEmpty()) {
        services.messageBox(QStringLiteral("The chronicle has not been exported."));
        return;
    }
    if (choice->pdf)
        target = withSuffix(target, QStringLiteral(".pdf"));

    bool finished = false;
    const bool ran = app::guarded(services, [&] {
        ProgressWindow progress(QStringLiteral("Exporting %1 characters...").arg(keys.size()), owner);
        const auto step = [&](int done, int total) { return progress.step(done, total); };
        finished = choice->pdf ? writeChroniclePdf(*session.database, keys, target, title, step)
                               : exporter::writeChronicleHtml(*session.database, keys, target,
                                                              services.resourceFolder(), title, step);
    });
    if (!ran)
        return;
    services.messageBox(finished ? QStringLiteral("%1 characters have been exported to %2!")
                                       .arg(keys.size())
                                       .arg(choice->pdf ? QStringLiteral("PDF") : QStringLiteral("HTML"))
                                 : QStringLiteral("The export was cancelled; nothing has been written."));
}

} // namespace print
