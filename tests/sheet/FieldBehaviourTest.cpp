#include "SheetFixture.h"

#include <QToolTip>

namespace {

// Some desktops bind Ctrl+E and Ctrl+D to a text field's own editing (end of line, delete); the
// field then accepts the shortcut override and the menu never sees the key. Offscreen has no such
// bindings, so the field is given them here.
class DesktopEditingKeys : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() == Qt::ControlModifier && (key->key() == Qt::Key_E || key->key() == Qt::Key_D))
                event->accept();
        }
        return false;
    }
};

TEST_F(SheetTest, MenuShortcutsWorkFromEveryFieldAndFieldsKeepTheirClipboardKeys) {
    character("Mira");
    open();
    ASSERT_TRUE(shownActive());
    DesktopEditingKeys desktop;
    QLineEdit* dice = ui().cmbDice->lineEdit();
    dice->installEventFilter(&desktop);
    dice->setFocus();
    dice->setText("3");

    QTest::keyClick(dice, Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(session->editMode);
    EXPECT_EQ(dice->text(), "3");

    // In edit mode a name field keeps Ctrl+X for cutting, though File > Export has it too.
    services.fileAnswers = {temp.file("mira.html")};
    ui().txtChar->setFocus();
    ui().txtChar->selectAll();
    QTest::keyClick(ui().txtChar, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(ui().txtChar->text(), "");
    EXPECT_FALSE(QFileInfo::exists(temp.file("mira.html")));
    QTest::keyClick(ui().txtChar, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ui().txtChar->text(), "Mira");
    QTest::keyClick(ui().txtChar, Qt::Key_B, Qt::ControlModifier);
    EXPECT_FALSE(session->editMode);
}

TEST_F(SheetTest, ALongValueIsElidedWithItsWholeTextAsTooltipAndOpensAtItsStartForEditing) {
    const QString haven = "The loft above the clock shop on Tallow Lane, second door past the tannery, "
                          "up the stairs that creak";
    character("Mira", "Ann", QStringLiteral("Haven = '%1'").arg(haven));
    open();
    window->show();
    QApplication::processEvents();
    ASSERT_LT(ui().lblHaven->width(), ui().lblHaven->fontMetrics().horizontalAdvance(haven));
    ui().lblHaven->repaint();
    EXPECT_EQ(ui().lblHaven->text(), haven);
    EXPECT_EQ(ui().lblHaven->toolTip(), haven);
    EXPECT_EQ(ui().lblChar->toolTip(), ""); // a value that fits has no tooltip

    menu("mnuEdit");
    EXPECT_EQ(ui().txtHaven->cursorPosition(), 0);
    EXPECT_EQ(ui().txtHaven->text(), haven);
}

} // namespace
