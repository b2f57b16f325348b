#include "platform/records/safefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

void fail(QSaveFile &file, const QString &reason, QString *error)
{
    if (error)
        *error = reason;
    file.cancelWriting();
}

} // namespace

bool writeFileSafely(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    // QFileDevice buffers up to 16 KB; a failure to write that buffer out
    // only shows at flush(), which commit() does without reporting it.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        fail(file, file.errorString(), error);
        return false;
    }
    const int fd = file.handle();
    struct stat written {};
    if (fd < 0 || ::fstat(fd, &written) != 0) {
        fail(file, systemError(fd < 0 ? EBADF : errno), error);
        return false;
    }
    if (written.st_size != bytes.size()) {
        fail(file,
             QStringLiteral("only %1 of %2 bytes could be written").arg(qint64(written.st_size)).arg(bytes.size()),
             error);
        return false;
    }
    // A file system that allocates late (or a network one) reports a full
    // disk only here.
    if (::fsync(fd) != 0) {
        fail(file, systemError(errno), error);
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    // The rename is done; a folder that cannot be synced is reported, since
    // the new content may then not survive a power loss.
    return syncFolder(QFileInfo(path).absolutePath(), error);
}

bool readWholeFile(const QString &path, QByteArray *bytes, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool syncFolder(const QString &folder, QString *error)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = systemError(errno);
        return false;
    }
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL; // some file systems cannot sync folders
    const int code = errno;
    ::close(fd);
    if (!synced && error)
        *error = systemError(code);
    return synced;
}
