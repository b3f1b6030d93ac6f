#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdlib>
#include <sys/mount.h>
#include <unistd.h>

// A real small filesystem (tmpfs) mounted in a temporary folder, for disks that fill up. Mounting
// needs root: mounted() is false elsewhere and the test skips with a note.
class SmallDisk {
public:
    explicit SmallDisk(const QString& size = QStringLiteral("2m")) {
        const QByteArray options = "size=" + size.toLatin1();
        m_mounted = ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~SmallDisk() {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return m_mounted; }
    QString file(const QString& name) const { return m_dir.filePath(name); }
    // Writes a filler file until the disk refuses another byte.
    void fill() const {
        QFile filler(file(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, '\0');
        while (filler.write(block) == block.size()) {
        }
        while (filler.write(block.left(1)) == 1) {
        }
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

// Acts as an unprivileged user for as long as it lives, so permissions count even where the tests run
// as root (who may write anywhere); elsewhere the tests already run as such a user. The saved user
// stays root, so the end of the scope can take it back.
class AsOtherUser {
public:
    AsOtherUser() : m_wasRoot(::geteuid() == 0 && ::setresuid(kNobody, kNobody, 0) == 0) {}
    ~AsOtherUser() {
        if (m_wasRoot && ::setresuid(0, 0, 0) != 0)
            std::abort(); // the rest of the run would test something else
    }
    AsOtherUser(const AsOtherUser&) = delete;
    AsOtherUser& operator=(const AsOtherUser&) = delete;

private:
    static constexpr uid_t kNobody = 65534;
    bool m_wasRoot;
};
