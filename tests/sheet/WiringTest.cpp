#include "SheetFixture.h"

#include <QDialog>
#include <QFileInfo>

namespace {

TEST_F(SheetTest, EachCommandReachesItsModule) {
    QStringList opened; // object names of the modal windows shown, each closed at once
    services.modalHandlers.assign(7, [&](QDialog& dialog) {
        opened << dialog.objectName();
        return int(QDialog::Rejected);
    });
    const qint64 key = character("Mira");
    temp.exec("INSERT INTO MeritFlaw_LookUp (MeritFlaw) VALUES ('Allies')");
    temp.exec(QStringLiteral("INSERT INTO MeritFlaw_Link SELECT %1, max(rowid), 3 FROM MeritFlaw_LookUp").arg(key));
    open();
    for (const char* command : {"mnuHist", "mnuNotes", "mnuPict", "mnuRituals", "mnuNecromancy"})
        menu(command);
    EXPECT_EQ(opened, (QStringList{"frmHistory", "frmNotes", "frmPict", "frmRituals", "frmNecromancy"}));

    services.fileAnswers = {temp.file("mira.html")};
    menu("mnuFileExport");
    EXPECT_TRUE(QFileInfo::exists(temp.file("mira.html")));

    // Merits: add, describe and remove.
    ASSERT_EQ(items("lstMerit"), QStringList{"Allies 3"});
    menu("mnuEdit");
    click("cmdAddMerit");
    doubleClick(ui().lstMerit, 0);
    EXPECT_EQ(opened.mid(5), (QStringList{"frmAddMerit", "frmMeritFlawDesc"}));
    services.answers = {app::Answer::OK};
    click("cmdRemoveMerit");
    EXPECT_TRUE(items("lstMerit").isEmpty()); // what the removal does to the file is the merits tests' own
}

} // namespace
