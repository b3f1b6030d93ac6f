#include "ExportFixture.h"

#include "app/mdlGlobal.h"
#include "export/Windows1252.h"
#include "export/mnuFileExport.h"
#include "support/ScriptedServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class ExportCommand : public ExportFixture {
protected:
    ScriptedServices services;
    std::unique_ptr<app::mdlGlobal> global;

    void SetUp() override {
        temp.release();
        global = std::make_unique<app::mdlGlobal>(services);
        global->database = db::Database::open(temp.path(), false);
    }

    QStringList messageTexts() const {
        QStringList texts;
        for (const auto& message : services.messages) {
            EXPECT_EQ(message.title, QStringLiteral("Duskledger"));
            EXPECT_EQ(message.buttons, app::Buttons::OK);
            texts << message.text;
        }
        return texts;
    }
};

TEST_F(ExportCommand, WritesThePageAfterTheSaveDialog) {
    const QString path = temp.file(QStringLiteral("sheet.htm"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older page, replaced without a question");
    old.close();

    services.fileAnswers.push_back(path);
    exporter::mnuFileExport_Click(*global, keyText());

    ASSERT_EQ(services.fileDialogs.size(), 1u);
    EXPECT_TRUE(services.fileDialogs[0].save);
    EXPECT_EQ(services.fileDialogs[0].title, QStringLiteral("Export Character to HTML File"));
    EXPECT_EQ(services.fileDialogs[0].filter, QStringLiteral("HTML (*.htm, *.html)|*.html;*.htm"));
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("Character has been exported to HTML!")});
    EXPECT_EQ(contents(path), exporter::toWindows1252(exporter::characterPage(*global->database, keyText())));
    EXPECT_EQ(QDir(temp.folder()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary file is left";
}

TEST_F(ExportCommand, CancelAndFailuresWriteNothing) {
    const QString existing = temp.file(QStringLiteral("kept.html"));
    QFile old(existing);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("kept");
    old.close();
    const QString fresh = temp.file(QStringLiteral("fresh.html"));

    const struct {
        const char* what;
        QString key;
        QString answer;
        QString message; // the start of the one message shown
        bool asks;
    } cases[] = {
        {"cancelled dialog", keyText(), QString(), QStringLiteral("Character has not been exported."), true},
        {"no character shown", QString(), fresh, QStringLiteral("No character is shown"), false},
        {"key of no character", QStringLiteral("999"), existing, QStringLiteral("The character with the key 999"),
         true},
        {"folder that does not exist", keyText(), temp.file(QStringLiteral("missing/sheet.html")),
         QStringLiteral("The file \""), true},
        {"target that is a folder", keyText(), temp.folder(), QStringLiteral("The file \""), true},
    };
    for (const auto& c : cases) {
        services.messages.clear();
        services.fileDialogs.clear();
        services.fileAnswers = {c.answer};
        exporter::mnuFileExport_Click(*global, c.key);
        EXPECT_EQ(services.fileDialogs.size(), c.asks ? 1u : 0u) << c.what;
        const QStringList texts = messageTexts();
        ASSERT_EQ(texts.size(), 1) << c.what;
        EXPECT_TRUE(texts[0].startsWith(c.message)) << c.what << ": " << texts[0].toStdString();
        EXPECT_FALSE(QFileInfo::exists(fresh)) << c.what;
        EXPECT_EQ(contents(existing), QByteArray("kept")) << c.what;
    }
    EXPECT_EQ(QDir(temp.folder()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary file is left";
}
