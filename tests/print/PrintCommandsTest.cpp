#include "PrintFixture.h"

#include "sheet/Roster.h"
#include "sheet/SheetFixture.h"
#include "store/Schema.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QPrintPreviewWidget>
#include <QProgressDialog>
#include <QRadioButton>
#include <QTimer>

namespace {

// The main window over the fixture's chronicle, with a player character and an NPC beside the
// full character.
class PrintWindowTest : public PrintFixture {
protected:
    qint64 brisa = temp.addCharacter(QStringLiteral("Brisa Lark"), QStringLiteral("Bo"));
    qint64 npc = temp.addCharacter(QStringLiteral("Old Corvin"), QStringLiteral("NPC"));
    MainWindow main;
    ScriptedServices& services = main.services;

    void open() { main.open(temp); }
    void trigger(const char* name) { main.window->findChild<QAction*>(QString::fromLatin1(name))->trigger(); }
    QString outcome() {
        const QString message = services.lastMessage();
        services.messages.clear();
        return message;
    }
    // Answers the chronicle dialog: which characters (0 both, 1 player characters, 2 NPCs), only
    // the shown ones, PDF or HTML.
    void chooseInDialog(int which, bool onlyShown, bool pdf) {
        services.modalHandlers.push_back([=](QDialog& dialog) {
            dialog.findChild<QComboBox*>("cmbWhich")->setCurrentIndex(which);
            dialog.findChild<QCheckBox*>("chkShown")->setChecked(onlyShown);
            dialog.findChild<QRadioButton*>(pdf ? "optPdf" : "optHtml")->setChecked(true);
            return int(QDialog::Accepted);
        });
    }
};

} // namespace

// File, Export to PDF adds ".pdf" and writes the shown character; a destination that cannot be
// written is told and nothing appears. File, Print shows the same pages in the preview.
TEST_F(PrintWindowTest, FileMenuExportsAndPreviewsTheShownCharacter) {
    open();
    ASSERT_EQ(main.session->shownCharacter(), key);
    services.fileAnswers = {temp.file("sheet")};
    trigger("mnuFilePdf");
    EXPECT_EQ(outcome(), "Character has been exported to PDF!");
    EXPECT_TRUE(pdfText(temp.file("sheet.pdf"), 1, 1).startsWith(name));

    ASSERT_TRUE(writeFile(temp.file("plain"), "x"));
    services.fileAnswers = {temp.file("plain/sheet.PDF")};
    trigger("mnuFilePdf");
    EXPECT_TRUE(outcome().startsWith("The file \"" + temp.file("plain/sheet.PDF") + "\" cannot be written"));
    EXPECT_EQ(fileBytes(temp.file("plain")), "x");

    int previewPages = 0;
    services.modalHandlers.push_back([&](QDialog& dialog) {
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        preview->updatePreview();
        previewPages = preview->pageCount();
        return int(QDialog::Rejected);
    });
    trigger("mnuFilePrint");
    EXPECT_EQ(previewPages, 3);
    EXPECT_TRUE(services.messages.empty());
}

// Tools, Export Chronicle: the chosen lists, filtered when asked, to one PDF with contents pointing
// at each character's first page, or to a folder of pages; Cancel in the progress leaves nothing.
TEST_F(PrintWindowTest, ChronicleGoesToOnePdfOrAFolderAndCancelLeavesNothing) {
    open();
    const QString pdf = temp.file("chronicle.pdf");
    chooseInDialog(0, false, true);
    services.fileAnswers = {temp.file("chronicle")};
    trigger("mnuExportChronicle");
    EXPECT_EQ(outcome(), "3 characters have been exported to PDF!");
    const QString contents = pdfText(pdf, 1, 1);
    int expectedPage = 2;
    for (const QString& listed : {name, QStringLiteral("Brisa Lark"), QStringLiteral("Old Corvin")}) {
        const QRegularExpressionMatch line =
            QRegularExpression(QRegularExpression::escape(listed) + R"([^\n]*\s(\d+)\n)").match(contents);
        ASSERT_TRUE(line.hasMatch()) << listed.toStdString();
        const int page = line.captured(1).toInt();
        EXPECT_EQ(page, expectedPage) << listed.toStdString();
        EXPECT_TRUE(pdfText(pdf, page, page).startsWith(listed)) << listed.toStdString();
        expectedPage = page + (listed == name ? 3 : 1);
    }
    EXPECT_EQ(pdfPages(pdf), 6);

    // The roster's filter: only Brisa among the player characters; NPCs and the HTML folder.
    main.window->ui().txtFind->setText(QStringLiteral("Brisa"));
    chooseInDialog(1, true, false);
    services.fileAnswers = {temp.file("pages")};
    trigger("mnuExportChronicle");
    EXPECT_EQ(outcome(), "1 characters have been exported to HTML!");
    const QString index = QString::fromUtf8(fileBytes(temp.file("pages/index.html")));
    EXPECT_TRUE(index.contains("Brisa Lark") && !index.contains("Old Corvin") && !index.contains("Zo"));
    EXPECT_TRUE(QFile::exists(temp.file("pages/Brisa Lark.html")));

    // Cancel at the first step of the progress, for either kind.
    for (bool toPdf : {true, false}) {
        chooseInDialog(0, false, toPdf);
        services.fileAnswers = {temp.file("cancelled")};
        QTimer::singleShot(0, [] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* progress = qobject_cast<QProgressDialog*>(widget))
                    progress->cancel();
        });
        trigger("mnuExportChronicle");
        EXPECT_EQ(outcome(), "The export was cancelled; nothing has been written.");
        EXPECT_FALSE(QFile::exists(temp.file("cancelled.pdf")));
        EXPECT_TRUE(QDir(temp.file("cancelled")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        QDir(temp.file("cancelled")).removeRecursively();
    }
}

// The command line writes without a window and without the settings file, and exits non-zero
// with the reason on standard error when it cannot.
TEST_F(PrintFixture, CommandLineExportsAndTellsWhyNot) {
    const QString brisa = QStringLiteral("Brisa Lark");
    temp.addCharacter(brisa);
    temp.release();
    const QString program = QCoreApplication::applicationDirPath() + "/duskledger";
    const QString settings = QCoreApplication::applicationDirPath() + "/DSKLDG.ini";
    const QByteArray settingsBefore = fileBytes(settings);
    ASSERT_TRUE(writeFile(temp.file("plain"), "x"));
    store::createDatabase(temp.file("empty.mdb"));
    struct Run {
        QStringList arguments;
        int exitCode;
        QString error; // the start of what standard error says
        bool held = false; // the chronicle open in a running Duskledger
    };
    const Run runs[] = {
        {{"--export-pdf", temp.file("two.pdf"), "--character", "brisa lark", "--character", name, temp.path()}, 0, ""},
        {{"--export-pdf", temp.file("all.pdf"), temp.path()}, 0, ""},
        {{"--export-html", temp.file("html"), temp.path()}, 0, ""},
        {{"--export-pdf", temp.file("no.pdf"), "--character", "Nobody", temp.path()}, 1, "No character named \"Nobody\""},
        {{"--export-pdf", temp.file("plain/no.pdf"), temp.path()}, 1, "The file \"" + temp.file("plain/no.pdf")},
        {{"--export-pdf", temp.file("no.pdf"), temp.file("missing.mdb")}, 1, "The database file"},
        {{"--export-pdf", temp.file("no.pdf"), temp.file("empty.mdb")}, 1, "\"" + temp.file("empty.mdb") + "\" holds no"},
        {{"--export-pdf", temp.file("no.pdf")}, 2, "No database file was given."},
        {{"--export-pdf", temp.file("no.pdf"), "--export-html", temp.file("x"), temp.path()}, 2, "Give one of"},
        {{"--export-pdf", temp.file("no.pdf"), temp.path()}, 1,
         "The database file \"" + temp.path() + "\" is in use", true},
    };
    for (const Run& run : runs) {
        const auto held = run.held ? store::openChronicle(temp.path(), true) : nullptr;
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("QT_QPA_PLATFORM");
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        process.setProcessEnvironment(environment);
        process.start(program, run.arguments);
        ASSERT_TRUE(process.waitForFinished(60000));
        const QString error = QString::fromLocal8Bit(process.readAllStandardError());
        EXPECT_EQ(process.exitCode(), run.exitCode) << run.arguments.join(' ').toStdString() << error.toStdString();
        EXPECT_TRUE(run.error.isEmpty() ? error.isEmpty() : error.startsWith(run.error)) << run.arguments.join(" ").toStdString() << ": " << error.toStdString();
    }
    EXPECT_EQ(pdfPages(temp.file("two.pdf")), 1 + 1 + 3); // contents, Brisa, the full character
    EXPECT_TRUE(pdfText(temp.file("two.pdf"), 1, 1).contains(QRegularExpression("Brisa Lark[^\n]*2\n")));
    EXPECT_EQ(pdfPages(temp.file("all.pdf")), 1 + 3 + 1);
    EXPECT_TRUE(QFile::exists(temp.file("html/index.html")) && QFile::exists(temp.file("html/Brisa Lark.html")));
    EXPECT_FALSE(QFile::exists(temp.file("no.pdf")) || QFile::exists(temp.file("x")));
    EXPECT_EQ(fileBytes(settings), settingsBefore);
}
