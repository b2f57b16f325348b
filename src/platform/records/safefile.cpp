#include "platform/records/safefile.h"

#include "platform/records/readonlyworkbooks.h"
#include "platform/records/workbookfileread.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <limits>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

bool writeFileSafely(const QString &path, const QByteArray &bytes, QString *error)
{
    if (ReadOnlyWorkbooks::refusesWriteTo(path)) {
        if (error)
            *error = ReadOnlyWorkbooks::kRefusal;
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

namespace {

bool readBounded(const QString &path, QByteArray *bytes, QString *error, qint64 maxSize)
{
    const auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    QFile file;
#ifdef Q_OS_UNIX
    // Opened without waiting (a pipe would block the open itself), then
    // checked on the open handle, so nothing can be swapped in between.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return fail(QStringLiteral("It is not a file (a folder, a pipe or a device is in its place)."));
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(file.errorString());
    }
#else
    file.setFileName(path);
    if (!QFileInfo(path).isFile() && QFileInfo::exists(path))
        return fail(QStringLiteral("It is not a file (a folder or a device is in its place)."));
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
#endif
    if (file.size() > maxSize) {
        return fail(QStringLiteral("It is %1 MB, more than the %2 MB a workbook file may hold.")
                        .arg(file.size() / (1024 * 1024))
                        .arg(maxSize / (1024 * 1024)));
    }
    // Never more than the limit, even from a file that grows while read.
    *bytes = maxSize == std::numeric_limits<qint64>::max() ? file.readAll() : file.read(maxSize + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    if (bytes->size() > maxSize) {
        bytes->clear();
        return fail(QStringLiteral("It grew past the %1 MB a workbook file may hold while it was read.")
                        .arg(maxSize / (1024 * 1024)));
    }
    return true;
}

} // namespace

bool readWholeFile(const QString &path, QByteArray *bytes, QString *error)
{
    return readBounded(path, bytes, error, std::numeric_limits<qint64>::max());
}

bool readWorkbookFile(const QString &path, QByteArray *bytes, QString *error)
{
    return readBounded(path, bytes, error, ReadOnlyWorkbooks::kMaxFileSize);
}
