#include "notes/frmPict.h"
#include "ratings/BitmapStore.h"

#include "app/Guard.h"
#include "app/Session.h"
#include "notes/PictureView.h"
#include "notes/TitleBlock.h"
#include "store/CharacterTextStore.h"

#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace notes {

frmPict::frmPict(app::Session& session, const ratings::BitmapStore& bitmaps, qint64 charId, const QString& storedPath,
                 QWidget* parent)
    : QDialog(parent), m_session(session), m_bitmaps(bitmaps), m_charId(charId), m_storedPath(storedPath) {
    setObjectName(QStringLiteral("frmPict"));
    setWindowTitle(app::kTitle);
    setSizeGripEnabled(true);

    m_pict = new PictureView;
    m_note = new QLabel;
    m_note->setObjectName(QStringLiteral("lblNote"));
    m_note->setWordWrap(true);
    m_note->setVisible(false);

    auto* cmdLoadPic = new QPushButton(QStringLiteral("Load Picture"));
    cmdLoadPic->setObjectName(QStringLiteral("cmdLoadPic"));
    cmdLoadPic->setAutoDefault(false);
    auto* cmdOK = new QPushButton(QStringLiteral("&Ok"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* cmdExit = new QPushButton(QStringLiteral("E&xit"));
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdExit->setAutoDefault(false);
    connect(cmdLoadPic, &QPushButton::clicked, this, &frmPict::cmdLoadPic_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmPict::cmdOK_Click);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);

    // The buttons keep their distance from the bottom right corner; the picture takes the rest.
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdLoadPic);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdExit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel(QStringLiteral("Caldrenne Picture")));
    layout->addWidget(titleLine());
    layout->addWidget(m_pict, 1);
    layout->addWidget(m_note);
    layout->addLayout(buttons);

    setMinimumSize(kMinimumSize.expandedTo(layout->minimumSize()));
    resize(kDesignSize);

    if (m_storedPath.isEmpty())
        showPlaceholder(QString());
    else
        showFile(m_storedPath);
}

void frmPict::showFile(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        const QString name = QFileInfo(path).fileName();
        showPlaceholder(QFileInfo::exists(path) ? QStringLiteral("The picture \"%1\" cannot be read.").arg(name)
                                                : QStringLiteral("The picture \"%1\" was not found.").arg(name));
        m_note->setToolTip(path);
        return;
    }
    m_pict->setPixmap(QPixmap::fromImage(image));
    m_note->setVisible(false);
}

void frmPict::showPlaceholder(const QString& note) {
    m_pict->setPixmap(m_bitmaps.pixmap(QStringLiteral("nopic.bmp")));
    m_note->setText(note);
    m_note->setToolTip(QString());
    m_note->setVisible(!note.isEmpty());
}

void frmPict::cmdLoadPic_Click() {
    const QString current = m_chosenPath.isEmpty() ? m_storedPath : m_chosenPath;
    const QString path = m_session.services.openFileDialog(app::kTitle, kFilter, current);
    // Cancel keeps the picture that is shown.
    if (path.isEmpty())
        return;
    m_chosenPath = path;
    showFile(path);
}

void frmPict::cmdOK_Click() {
    // Without a choice in this visit the stored path stays as it is.
    if (m_chosenPath.isEmpty()) {
        accept();
        return;
    }
    bool written = false;
    app::guarded(m_session.services, [&] {
        written =
            store::notes::writeCharacterText(*m_session.database, m_charId, QStringLiteral("picture"), m_chosenPath);
        if (!written)
            m_session.services.messageBox(QStringLiteral("This character is no longer in the database; the picture "
                                                         "was not stored."),
                                          app::Buttons::OK, app::Icon::Exclamation);
    });
    if (written)
        accept();
}

} // namespace notes
