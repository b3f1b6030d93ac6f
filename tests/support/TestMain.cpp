#include <QApplication>
#include <QDir>
#include <QSaveFile>
#include <gtest/gtest.h>
#include <optional>

namespace {

// Tests that run start-up or the Tools commands write the settings file beside the program, which
// is the build folder a developer also starts the program from: it is put back as it was.
class KeptSettings : public ::testing::Environment {
public:
    void SetUp() override {
        QFile file(path());
        if (file.open(QIODevice::ReadOnly))
            m_bytes = file.readAll();
    }
    void TearDown() override {
        if (!m_bytes) {
            QFile::remove(path());
            return;
        }
        QSaveFile file(path());
        if (file.open(QIODevice::WriteOnly)) {
            file.write(*m_bytes);
            file.commit();
        }
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
