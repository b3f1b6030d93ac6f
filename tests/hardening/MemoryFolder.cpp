#include <QFileInfo>
#include <QStorageInfo>
#include <gtest/gtest.h>

namespace {

// The long tests make thousands of files and saves, and no check of theirs depends on a flush reaching the disk
// (a killed process loses nothing the kernel holds). On a busy disk the flushes alone took most of the run, so
// the temporary folders go to the system's memory folder when it exists and has room; a TMPDIR set by the caller
// is kept.
class MemoryTemporaryFolder : public ::testing::Environment {
public:
    void SetUp() override {
        const QString folder = QStringLiteral("/dev/shm");
        const QFileInfo info(folder);
        if (qEnvironmentVariableIsSet("TMPDIR") || !info.isDir() || !info.isWritable() ||
            QStorageInfo(folder).bytesAvailable() < kRoom)
            return;
        qputenv("TMPDIR", QFile::encodeName(folder));
    }

private:
    static constexpr qint64 kRoom = qint64(1) << 30;
};

const ::testing::Environment* const registered = ::testing::AddGlobalTestEnvironment(new MemoryTemporaryFolder);

} // namespace
