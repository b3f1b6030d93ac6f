#include "support/FileBytes.h"

#include <QApplication>
#include <QDir>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

// Tests that run start-up or the Tools commands write the settings files beside the program, which
// is the build folder a developer also starts the program from: they are put back as they were.
class KeptSettings : public ::testing::Environment {
public:
    void SetUp() override {
        for (const char* name : kFiles)
            if (QFile::exists(path(name)))
                m_bytes[name] = fileBytes(path(name));
    }
    void TearDown() override {
        for (const char* name : kFiles) {
            if (m_bytes.count(name))
                writeFile(path(name), m_bytes[name]);
            else
                QFile::remove(path(name));
        }
    }

private:
    // The file naming the database, and the one with the recent files and the window's place.
    static constexpr const char* kFiles[] = {"DSKLDG.ini", "Duskledger.conf"};
    static QString path(const char* name) {
        return QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(name));
    }
    std::map<std::string, QByteArray> m_bytes;
};

} // namespace

// Every test binary builds a QApplication; gtest_discover_tests runs the binaries without the
// tests' environment, so the offscreen platform is chosen here when nothing else is.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new KeptSettings);
    return RUN_ALL_TESTS();
}
