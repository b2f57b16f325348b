#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

// A real file system that fills up: a small tmpfs mounted for the test, in a
// mount namespace of the test's own (so nothing outlives the process, and the
// programs the test starts see the same mount). fill() takes every free block,
// so the next write fails as it does on a full disk, after the file was
// created, which is what a full USB stick or partition does.
//
// Where mounting is not allowed, fill() instead sets a file-size limit of one
// byte (RLIMIT_FSIZE, which binds the superuser too and is inherited by the
// programs started from here): every write fails with EFBIG. kind() says
// which one a run used.
class FullFilesystem
{
public:
    enum class Kind { Tmpfs, FileSizeLimit };

    explicit FullFilesystem(qint64 bytes = 256 * 1024)
    {
        m_mounted = enterOwnMountNamespace()
                 && ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                            QByteArray("size=" + QByteArray::number(bytes) + ",mode=0777").constData())
                        == 0;
    }
    ~FullFilesystem()
    {
        makeWritable();
        unfill();
        if (m_mounted) {
            QDir(m_dir.path()).removeRecursively();
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
        }
    }
    FullFilesystem(const FullFilesystem &) = delete;
    FullFilesystem &operator=(const FullFilesystem &) = delete;

    Kind kind() const { return m_mounted ? Kind::Tmpfs : Kind::FileSizeLimit; }
    QString kindName() const { return m_mounted ? QStringLiteral("a full tmpfs") : QStringLiteral("a file-size limit"); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Takes all the room that is left; true when the file system is full.
    bool fill()
    {
        if (!m_mounted) {
            m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
            getrlimit(RLIMIT_FSIZE, &m_previousLimit);
            rlimit limit = m_previousLimit;
            limit.rlim_cur = 1;
            m_limited = setrlimit(RLIMIT_FSIZE, &limit) == 0;
            return m_limited;
        }
        const int fd = ::open(QFile::encodeName(fillerPath()).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0)
            return false;
        const QByteArray block(4096, 'f');
        // Whole blocks first, then single bytes into the last partial page.
        while (::write(fd, block.constData(), block.size()) > 0) {
        }
        while (::write(fd, block.constData(), 1) > 0) {
        }
        const bool full = errno == ENOSPC;
        ::fsync(fd);
        ::close(fd);
        return full;
    }
    // Turns the file system read-only (EROFS binds the superuser too);
    // false where it is no mount of its own.
    bool makeReadOnly()
    {
        return m_mounted
            && ::mount(nullptr, QFile::encodeName(m_dir.path()).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    void makeWritable()
    {
        if (m_mounted)
            ::mount(nullptr, QFile::encodeName(m_dir.path()).constData(), nullptr, MS_REMOUNT, nullptr);
    }

    // Gives the room back.
    void unfill()
    {
        if (m_limited) {
            setrlimit(RLIMIT_FSIZE, &m_previousLimit);
            std::signal(SIGXFSZ, m_previousHandler);
            m_limited = false;
        }
        if (m_mounted)
            QFile::remove(fillerPath());
    }

private:
    QString fillerPath() const { return m_dir.filePath(QStringLiteral(".filler")); }

    static bool enterOwnMountNamespace()
    {
        static const bool entered = [] {
            if (::geteuid() != 0 || ::unshare(CLONE_NEWNS) != 0)
                return false;
            // Mounts made here stay here.
            return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        }();
        return entered;
    }

    QTemporaryDir m_dir;
    bool m_mounted = false;
    bool m_limited = false;
    rlimit m_previousLimit{};
    void (*m_previousHandler)(int) = nullptr;
};
