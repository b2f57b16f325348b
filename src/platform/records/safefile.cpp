#include "platform/records/safefile.h"

#include "platform/records/readonlyworkbooks.h"
#include "platform/records/storedfile.h"
#include "platform/records/workbookfileread.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <limits>
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
    if (ReadOnlyWorkbooks::refusesWriteTo(path)) {
        if (error)
            *error = ReadOnlyWorkbooks::kRefusal;
        return false;
    }
    if (StoredFile::refusesLinkedFile(path, error))
        return false;
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
    return readRegularFile(path, bytes, std::numeric_limits<qint64>::max(), error, FollowLinks::Yes);
}

bool readRegularFile(const QString &path, QByteArray *bytes, qint64 maxBytes, QString *error, FollowLinks links)
{
    const auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    // Never blocks: a FIFO or a device in a file's place is refused, not
    // waited on.
    int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    if (links == FollowLinks::No)
        flags |= O_NOFOLLOW;
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0)
        return fail(errno == ELOOP ? QStringLiteral("it is a symbolic link") : systemError(errno));
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int code = errno;
        ::close(fd);
        return fail(systemError(code));
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return fail(S_ISDIR(info.st_mode) ? QStringLiteral("it is a folder") : QStringLiteral("it is not a regular file"));
    }
    if (info.st_size > maxBytes) {
        ::close(fd);
        return fail(QStringLiteral("it is %1 bytes long, more than the %2 it may be").arg(qint64(info.st_size)).arg(maxBytes));
    }
    // What the size says, and not a byte more: a file that grows while it is
    // read is read as it was.
    QByteArray contents(qsizetype(info.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < contents.size()) {
        const ssize_t got = ::read(fd, contents.data() + done, size_t(contents.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int code = errno;
            ::close(fd);
            return fail(systemError(code));
        }
        if (got == 0)
            break;
        done += got;
    }
    ::close(fd);
    contents.truncate(done);
    *bytes = contents;
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

bool readWorkbookFile(const QString &path, QByteArray *bytes, QString *error)
{
    return readRegularFile(path, bytes, ReadOnlyWorkbooks::kMaxFileSize, error, FollowLinks::Yes);
}
