#include "ExportFixture.h"

#include "app/mdlGlobal.h"
#include "export/mnuFileExport.h"
#include "support/ScriptedServices.h"

#include <QDir>
#include <QFile>

class ExportCommand : public ExportFixture {
protected:
    ScriptedServices services;
    std::unique_ptr<app::mdlGlobal> global;

    void SetUp() override {
        temp.release();
        global = std::make_unique<app::mdlGlobal>(services);
        global->database = db::Database::open(temp.path(), false);
        QFile old(kept);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("kept") > 0);
    }
    // Answers the save dialog with path, runs the command and returns the one message shown.
    QString exportTo(const QString& path, const QString& key) {
        services.messages.clear();
        services.fileDialogs.clear();
        services.fileAnswers = {path};
        exporter::mnuFileExport_Click(*global, key);
        EXPECT_EQ(services.messages.size(), 1u);
        for (const auto& message : services.messages)
            EXPECT_TRUE(message.title == "Duskledger" && message.buttons == app::Buttons::OK);
        return services.lastMessage();
    }
    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    int filesInFolder() { return int(QDir(temp.folder()).entryList(QDir::Files | QDir::Hidden).size()); }
    QString kept = temp.file("kept.html"); // an earlier export
};

// Cancel and failures write nothing and leave an earlier export as it was. An export replaces it
// without a question: names unchanged in the page's code page, CR LF line ends only.
TEST_F(ExportCommand, WritesThePageOrNothing) {
    set("Name = 'A<b> & O''Neil \u0416\u0435\u043d\u044f \u20ac', Chronicle = 'Nuit \u00e9t\u00e9'");
    const struct {
        const char* what;
        QString key, answer;
        const char* message; // the start of the one message shown
        bool asks;
    } cases[] = {
        {"cancelled dialog", keyText(), QString(), "Character has not been exported.", true},
        {"no character shown", QString(), temp.file("fresh.html"), "No character is shown", false},
        {"key of no character", "999", kept, "The character with the key 999", true},
        {"folder that does not exist", keyText(), temp.file("missing/sheet.html"), "The file \"", true},
        {"target that is a folder", keyText(), temp.folder(), "The file \"", true},
        {"export over the earlier one", keyText(), kept, "Character has been exported to HTML!", true},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(exportTo(c.answer, c.key).startsWith(c.message)) << c.what;
        EXPECT_EQ(services.fileDialogs.size(), c.asks ? 1u : 0u) << c.what;
        EXPECT_EQ(contents(kept) == "kept", &c != &cases[5]) << c.what;
        EXPECT_EQ(filesInFolder(), 2) << c.what << ": no new or temporary file";
    }
    EXPECT_TRUE(services.fileDialogs[0].save);
    EXPECT_EQ(services.fileDialogs[0].title, "Export Character to HTML File");
    EXPECT_EQ(services.fileDialogs[0].filter, "HTML (*.htm, *.html)|*.html;*.htm");
    const QByteArray bytes = contents(kept);
    EXPECT_TRUE(
        bytes.contains("\r\n<TITLE>Nuit \xe9t\xe9: A<b> & O'Neil &#1046;&#1077;&#1085;&#1103; \x80</TITLE>\r\n"));
    EXPECT_TRUE(bytes.contains("<FONT FACE=\"Abaddon\x99\" SIZE=5> <B>Caldrenne</B></FONT>\r\n"));
    EXPECT_TRUE(bytes.endsWith("</A></P>\r\n</HTML>\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n')) << "every line end is CR LF";
}
