#include "backup/fileoperations.h"

#include "platform/records/safefile.h"

#include <QDir>
#include <QFileInfo>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <system_error>

namespace {

class DiskFileOperations : public FileOperations
{
public:
    QStringList fileNames(const QString &folder) override
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    QStringList folderNames(const QString &folder) override
    {
        return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks | QDir::Hidden, QDir::Name);
    }

    bool exists(const QString &path) override { return QFileInfo::exists(path); }

    QDateTime lastModified(const QString &path) override { return QFileInfo(path).lastModified(); }

    bool isRegularFile(const QString &path) override
    {
        struct stat info {};
        return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
    }

    bool readFile(const QString &path, QByteArray *bytes, QString *error, qint64 maxBytes) override
    {
        return readRegularFile(path, bytes, maxBytes, error, FollowLinks::No);
    }

    bool writeFile(const QString &path, const QByteArray &bytes, QString *error) override
    {
        return writeFileSafely(path, bytes, error);
    }

    bool rename(const QString &from, const QString &to, QString *error) override
    {
        std::error_code code;
        std::filesystem::rename(QFile::encodeName(from).toStdString(), QFile::encodeName(to).toStdString(), code);
        if (!report(code, error))
            return false;
        // The rename reaches the disk with the folders' entry lists.
        const QString fromFolder = QFileInfo(from).absolutePath();
        const QString toFolder = QFileInfo(to).absolutePath();
        return syncFolder(toFolder, error) && (fromFolder == toFolder || syncFolder(fromFolder, error));
    }

    bool removeFile(const QString &path, QString *error) override
    {
        QFile file(path);
        if (file.remove() || !file.exists())
            return true;
        if (error)
            *error = file.errorString();
        return false;
    }

    bool makeFolder(const QString &path, QString *error) override
    {
        if (QDir().mkpath(path))
            return true;
        if (error)
            *error = QStringLiteral("the folder %1 cannot be created").arg(QDir::toNativeSeparators(path));
        return false;
    }

    bool removeFolder(const QString &path, QString *error) override
    {
        struct stat info {};
        if (::lstat(QFile::encodeName(path).constData(), &info) == 0 && !S_ISDIR(info.st_mode)) {
            // A link (or a file) where the folder should be: only it goes.
            if (::unlink(QFile::encodeName(path).constData()) == 0)
                return true;
            if (error)
                *error = QStringLiteral("%1 cannot be removed").arg(QDir::toNativeSeparators(path));
            return false;
        }
        QDir dir(path);
        if (!dir.exists() || (dir.removeRecursively() && !dir.exists()))
            return true;
        if (error)
            *error = QStringLiteral("the folder %1 cannot be removed").arg(QDir::toNativeSeparators(path));
        return false;
    }

private:
    static bool report(const std::error_code &code, QString *error)
    {
        if (!code)
            return true;
        if (error)
            *error = QString::fromLocal8Bit(code.message());
        return false;
    }
};

} // namespace

std::shared_ptr<FileOperations> makeDiskFileOperations()
{
    return std::make_shared<DiskFileOperations>();
}

QString pathIn(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(name);
}

QString findIgnoringCase(const QStringList &names, const QString &name)
{
    if (names.contains(name))
        return name;
    for (const QString &candidate : names) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    return QString();
}
