#include "app/frmAbout.h"

#include "app/Services.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace app {

namespace {
QFrame* line(const QString& name) {
    auto* frame = new QFrame;
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::HLine);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}
} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + ProgramInfo::title());
    setAttribute(Qt::WA_DeleteOnClose);

    auto* picIcon = new QLabel;
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(48, 48));
    picIcon->setAlignment(Qt::AlignTop);

    auto* lblTitle = new QLabel(ProgramInfo::title());
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSize(titleFont.pointSize() + 8);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    auto* lblVersion = new QLabel(ProgramInfo::versionLine());
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    auto* lblDescription =
        new QLabel(QStringLiteral("Duskledger keeps every character of a Caldrenne chronicle in one database file "
                                  "and shows them one at a time on an interactive character sheet, with a dice "
                                  "roller and an HTML export for the players."));
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);
    auto* lblDisclaimer =
        new QLabel(QStringLiteral("The Caldrenne game, its rules and its material belong to their publisher. "
                                  "Duskledger is a record keeper for the game master and does not replace the "
                                  "game's books."));
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setWordWrap(true);
    auto* cmdOK = new QPushButton(QStringLiteral("OK"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);

    auto* text = new QVBoxLayout;
    text->addWidget(lblTitle);
    text->addWidget(lblVersion);
    text->addWidget(line(QStringLiteral("Line1(0)")));
    text->addWidget(lblDescription);
    text->addWidget(line(QStringLiteral("Line1(1)")));
    text->addWidget(lblDisclaimer);
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    setMinimumWidth(440);
}

} // namespace app
