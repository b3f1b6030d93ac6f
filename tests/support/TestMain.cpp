#include "support/FileBytes.h"

#include <QApplication>
#include <QDir>
#include <gtest/gtest.h>
#include <optional>

namespace {

// Tests that run start-up or the Tools commands write the settings file beside the program, which
// is the build folder a developer also starts the program from: it is put back as it was.
class KeptSettings : public ::testing::Environment {
public:
    void SetUp() override {
        if (QFile::exists(path()))
            m_bytes = fileBytes(path());
    }
    void TearDown() override {
        if (m_bytes)
            writeFile(path(), *m_bytes);
        else
            QFile::remove(path());
    }

private:
    static QString path() {
        return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("DSKLDG.ini"));
    }
    std::optional<QByteArray> m_bytes;
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
