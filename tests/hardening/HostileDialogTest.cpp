#include "HardeningFixture.h"
#include "HostileNames.h"
#include "support/ListEntries.h"

#include "merits/MeritList.h"
#include "ratings/DotRow.h"
#include "sheet/SheetControls.h"
#include "sheet/mdlModes.h"
#include "sheet/mdlSwitch.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace {

using enum app::Answer;

// Every hostile name, and one a label would take for markup if it were let.
QStringList names() {
    QStringList all(std::begin(kHostile), std::end(kHostile));
    return all << QStringLiteral("<b>Bold</b> &amp; <i>x</i>");
}

template <class T> T* find(QObject& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void click(QObject& parent, const char* button) {
    QTest::mouseClick(find<QPushButton>(parent, button), Qt::LeftButton);
}

// Shown and active, so the focus moves between the controls as it does for a user.
void activate(QDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

// Drives the next modal window if it is the expected one; any other is left alone and rejected.
void onModal(ScriptedServices& services, const QString& window, const std::function<void(QDialog&)>& drive) {
    services.modalHandlers.push_back([window, drive](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), window);
        if (dialog.objectName() != window)
            return int(QDialog::Rejected);
        drive(dialog);
        return dialog.result();
    });
}

void expectLiteral(const QLabel* label, const QString& name) {
    EXPECT_EQ(label->text(), name) << label->objectName().toStdString();
    EXPECT_TRUE(label->textFormat() == Qt::PlainText || !Qt::mightBeRichText(name))
        << label->objectName().toStdString() << " would render the name as markup";
}

QString cellText(QObject& window, int row, int column) {
    const QTableWidgetItem* item = find<QTableWidget>(window, "fgRituals")->item(row, column);
    return item ? item->text() : QString();
}

// The last rowid of every table and of sqlite_master, to tell new rows and objects from old ones.
std::map<QString, qint64> lastRowids(db::Database& database) {
    std::map<QString, qint64> last;
    for (const QString& table : db::schema::tableNames() + QStringList{QStringLiteral("sqlite_master")})
        last[table] = database.scalar(QStringLiteral("SELECT coalesce(max(rowid), 0) FROM ") + table).toLongLong();
    return last;
}

// Names the tables that gained rows since, with how many, and deletes those rows: a dump then
// shows whether any older row changed.
QString takeNewRows(db::Database& database, const std::map<QString, qint64>& last) {
    QStringList gained;
    for (const auto& [table, rowid] : last) {
        const QString newRows = QStringLiteral(" FROM %1 WHERE rowid > %2").arg(table).arg(rowid);
        if (const int count = database.scalar(QStringLiteral("SELECT count(*)") + newRows).toInt()) {
            gained << table + QLatin1Char('+') + QString::number(count);
            if (table != QLatin1String("sqlite_master"))
                database.Execute(QStringLiteral("DELETE") + newRows);
        }
    }
    return gained.join(QLatin1Char(' '));
}

// "Plain" has links of every kind; "Target", shown in edit mode, has none.
struct Chronicle {
    TempDatabase temp;
    Program program;
    QString key;

    Chronicle() {
        fullCharacter(temp, QStringLiteral("Plain"));
        temp.addCharacter(QStringLiteral("Target"));
        temp.release();
        program.open(temp.path());
        EXPECT_TRUE(sheet::mdlSwitch::SwitchCharacter(*program.global, program.ui(), QStringLiteral("Target")));
        sheet::mdlEditMode::EnterEditMode(*program.global, program.ui());
        key = program.window->currentKey();
    }
    db::Database& database() { return program.database(); }
    ScriptedServices& services() { return program.services; }
    QString row(const QString& sql, const QVariantList& params) { return database().scalar(sql, params).toString(); }
    void trigger(const char* menu) { find<QAction>(*program.window, menu)->trigger(); }
};

struct Family {
    const char* menu;
    int thaNec;
    QString window;
};
const Family kFamilies[] = {{"mnuRituals", 1, QStringLiteral("frmRituals")},
                            {"mnuNecromancy", 2, QStringLiteral("frmNecromancy")}};

} // namespace

TEST(HostileDialog, MeritNamesStoredAndShownIntact) {
    for (const QString& typed : names()) {
        SCOPED_TRACE(typed.left(40).toStdString());
        Chronicle chronicle;
        ScriptedServices& services = chronicle.services();
        QListWidget& list = *chronicle.program.ui().lstMerit;
        const QString name = typed.trimmed(); // the dialog drops the blanks around a typed name
        const auto last = lastRowids(chronicle.database());
        const QString before = dumpTables(chronicle.database());

        services.answers = {Yes, Yes}; // a new entry, with variable points
        services.inputAnswers = {QStringLiteral("-2")};
        onModal(services, "frmAddMerit", [&](QDialog& dialog) {
            activate(dialog);
            find<QComboBox>(dialog, "cmbMerit")->setEditText(typed);
            click(dialog, "cmdok");
        });
        chronicle.program.ui().cmdAddMerit->click();
        EXPECT_EQ(chronicle.program.shown(),
                  QStringLiteral("You have entered a new Merit/Flaw called: ") + name +
                      QStringLiteral(". Is this correct?\nAre the points of this Merit/Flaw variable?"));
        ASSERT_EQ(services.inputs.size(), 1u);
        EXPECT_EQ(services.inputs[0].prompt, QStringLiteral("Enter Point Level for ") + name + QLatin1Char(':'));
        EXPECT_EQ(listEntries(&list), QStringList{name + QStringLiteral("  -2")});
        EXPECT_EQ(chronicle.row(QStringLiteral("SELECT l.MeritFlaw || '|' || l.pointflex || '|' || k.Points FROM "
                                               "MeritFlaw_Link k JOIN MeritFlaw_LookUp l USING (MeritFlaw_ID) "
                                               "WHERE k.Char_ID = ?"),
                                {chronicle.key}),
                  name + QStringLiteral("|1|-2"));

        // The description window shows the name, takes the same text as description, and after
        // the list is loaded again from the database shows both back.
        for (const bool reloaded : {false, true}) {
            if (reloaded)
                merits::LoadMerits(*chronicle.program.global, chronicle.key, list);
            ASSERT_EQ(list.count(), 1);
            list.item(0)->setSelected(true);
            onModal(services, "frmMeritFlawDesc", [&](QDialog& dialog) {
                expectLiteral(find<QLabel>(dialog, "lblMerit"), name);
                auto* text = find<QPlainTextEdit>(dialog, "rtxtMerit");
                if (reloaded) {
                    EXPECT_EQ(text->toPlainText(), typed);
                }
                text->setPlainText(typed);
                click(dialog, reloaded ? "cmdexit" : "cmdOk");
            });
            Q_EMIT list.itemDoubleClicked(list.item(0));
            EXPECT_TRUE(services.modalHandlers.empty());
        }
        EXPECT_EQ(listEntries(&list), QStringList{name + QStringLiteral(" -2")});
        EXPECT_EQ(chronicle.row(QStringLiteral("SELECT Description FROM MeritFlaw_LookUp WHERE MeritFlaw_ID = "
                                               "(SELECT max(MeritFlaw_ID) FROM MeritFlaw_LookUp)"),
                                {}),
                  typed);
        EXPECT_EQ(services.messages.size(), 2u);
        EXPECT_EQ(takeNewRows(chronicle.database(), last), QStringLiteral("MeritFlaw_Link+1 MeritFlaw_LookUp+1"));
        EXPECT_EQ(dumpTables(chronicle.database()), before);
    }
}

// In each family's window: a new ritual through the add dialog (its description the name too),
// the ritual's description window, then the name typed into a path slot and saved with OK.
TEST(HostileDialog, PathAndRitualNamesStoredAndShownIntact) {
    for (const QString& name : names()) {
        SCOPED_TRACE(name.left(40).toStdString());
        Chronicle chronicle;
        ScriptedServices& services = chronicle.services();
        const auto last = lastRowids(chronicle.database());
        const QString before = dumpTables(chronicle.database());
        for (const Family& family : kFamilies) {
            SCOPED_TRACE(family.menu);
            services.messages.clear();
            services.answers = {Yes, OK};
            onModal(services, family.window, [&](QDialog& window) {
                click(window, "cmdAddRitual");
                auto* grid = find<QTableWidget>(window, "fgRituals");
                ASSERT_EQ(grid->rowCount(), 1);
                EXPECT_EQ(cellText(window, 0, 1), QStringLiteral("3"));
                EXPECT_EQ(cellText(window, 0, 2), name);
                Q_EMIT grid->cellDoubleClicked(0, 2);
                find<QComboBox>(window, "cmbPath(0)")->setEditText(name);
                click(window, "cmdOK");
                EXPECT_EQ(window.result(), QDialog::Accepted);
            });
            onModal(services, "frmAddRitual", [&](QDialog& dialog) {
                activate(dialog);
                auto* combo = find<QComboBox>(dialog, "cmbRitual");
                combo->setFocus(Qt::OtherFocusReason);
                combo->setEditText(name);
                auto* description = find<QPlainTextEdit>(dialog, "txtRitualDesc");
                description->setFocus(Qt::TabFocusReason); // leaving the name asks about it
                ASSERT_TRUE(find<QLineEdit>(dialog, "txtLevel")->isVisible());
                find<QLineEdit>(dialog, "txtLevel")->setText(QStringLiteral("3"));
                description->setPlainText(name);
                click(dialog, "cmdok");
                EXPECT_EQ(dialog.result(), QDialog::Accepted);
            });
            onModal(services, "frmRitualDesc", [&](QDialog& dialog) {
                expectLiteral(find<QLabel>(dialog, "lblRitual"), name);
                EXPECT_EQ(find<QPlainTextEdit>(dialog, "txtRitualDesc")->toPlainText(), name);
                click(dialog, "cmdexit");
            });
            chronicle.trigger(family.menu);
            EXPECT_TRUE(services.modalHandlers.empty());
            EXPECT_EQ(chronicle.program.shown(),
                      QStringLiteral("You have entered a new Ritual called: ") + name +
                          QStringLiteral(". Is this correct?\nPlease fill out the level and description."));

            const QVariantList params{chronicle.key, family.thaNec};
            EXPECT_EQ(chronicle.row(QStringLiteral("SELECT r.Ritual || '|' || r.Level || '|' || r.Description FROM "
                                                   "Ritual_Link k JOIN Ritual_Lookup r USING (Ritual_ID) "
                                                   "WHERE k.Char_ID = ? AND r.ThaNec = ?"),
                                    params),
                      name + QStringLiteral("|3|") + name);
            EXPECT_EQ(chronicle.row(QStringLiteral("SELECT p.Path || '|' || k.Level FROM Path_Link k JOIN Path_LookUp "
                                                   "p USING (Path_ID) WHERE k.Char_ID = ? AND p.ThaNec = ?"),
                                    params),
                      name + QStringLiteral("|0"));

            // Opened again, the window shows both names as typed.
            onModal(services, family.window, [&](QDialog& window) {
                EXPECT_EQ(find<QComboBox>(window, "cmbPath(0)")->currentText(), name);
                expectLiteral(find<QLabel>(window, "lblPath(0)"), name);
                EXPECT_EQ(cellText(window, 0, 2), name);
                window.reject();
            });
            chronicle.trigger(family.menu);
            EXPECT_EQ(services.messages.size(), 2u);
        }
        EXPECT_EQ(takeNewRows(chronicle.database(), last),
                  QStringLiteral("Path_Link+2 Path_LookUp+2 Ritual_Link+2 Ritual_Lookup+2"));
        EXPECT_EQ(dumpTables(chronicle.database()), before);
    }
}

TEST(HostileDialog, EmptyNamesCloseTheDialogsAndWriteNothing) {
    Chronicle chronicle;
    ScriptedServices& services = chronicle.services();
    const QString before = dumpTables(chronicle.database());

    onModal(services, "frmAddMerit", [](QDialog& dialog) {
        activate(dialog);
        find<QComboBox>(dialog, "cmbMerit")->setEditText(QString());
        click(dialog, "cmdok");
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    });
    chronicle.program.ui().cmdAddMerit->click();
    EXPECT_EQ(chronicle.program.ui().lstMerit->count(), 0);

    for (const Family& family : kFamilies) {
        SCOPED_TRACE(family.menu);
        // A rating on a slot without a name, and a description without a ritual name.
        onModal(services, family.window, [](QDialog& window) {
            click(window, "cmdAddRitual"); // reloads the window, so the rating comes after
            QTest::mouseClick(find<ratings::DotRow>(window, "PBPath(2)"), Qt::LeftButton, {}, QPoint(40, 7));
            click(window, "cmdOK");
            EXPECT_EQ(window.result(), QDialog::Accepted);
        });
        onModal(services, "frmAddRitual", [](QDialog& dialog) {
            activate(dialog);
            find<QComboBox>(dialog, "cmbRitual")->setFocus(Qt::OtherFocusReason);
            find<QPlainTextEdit>(dialog, "txtRitualDesc")->setFocus(Qt::TabFocusReason);
            find<QPlainTextEdit>(dialog, "txtRitualDesc")->setPlainText(QStringLiteral("orphan"));
            click(dialog, "cmdok");
            EXPECT_EQ(dialog.result(), QDialog::Rejected);
        });
        chronicle.trigger(family.menu);
        EXPECT_TRUE(services.modalHandlers.empty());
    }
    EXPECT_EQ(dumpTables(chronicle.database()), before);
    EXPECT_EQ(chronicle.program.shown(), QString());

    // Empty slots between named ones make no rows, whatever their ratings.
    onModal(services, "frmRituals", [](QDialog& window) {
        QTest::mouseClick(find<ratings::DotRow>(window, "PBPath(1)"), Qt::LeftButton, {}, QPoint(40, 7));
        find<QComboBox>(window, "cmbPath(3)")->setEditText(QStringLiteral("Lone Road"));
        click(window, "cmdOK");
    });
    chronicle.trigger("mnuRituals");
    EXPECT_EQ(chronicle.row(QStringLiteral("SELECT group_concat(p.Path || '|' || k.Level) FROM Path_Link k JOIN "
                                           "Path_LookUp p USING (Path_ID) WHERE k.Char_ID = ?"),
                            {chronicle.key}),
              QStringLiteral("Lone Road|0"));
}
