#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>

// Every file operation of a backup or a restore, on the workbook and on the
// backup medium, goes through this one interface, so that tests can make any
// step fail, fill a medium, or change the medium between two questions.
// Each call reports failure with a readable reason in *error.
class FileOperations
{
public:
    virtual ~FileOperations() = default;

    // Names of the plain files directly in a folder (no sub-folders), sorted.
    virtual QStringList fileNames(const QString &folder) = 0;
    // Names of the folders directly in a folder (never links to folders), sorted.
    virtual QStringList folderNames(const QString &folder) = 0;
    virtual bool exists(const QString &path) = 0;
    // True for a regular file (not a link to one).
    virtual bool isRegularFile(const QString &path) = 0;
    // When a file was last written (invalid when it is not there).
    virtual QDateTime lastModified(const QString &path) = 0;
    // Reads a regular file whole: a symbolic link, a FIFO, a device or a
    // folder in its place is refused without waiting, and so is a file longer
    // than maxBytes, before any of it is read.
    static constexpr qint64 kLargestFile = qint64(1) << 30;
    virtual bool readFile(const QString &path, QByteArray *bytes, QString *error, qint64 maxBytes = kLargestFile) = 0;
    // Writes the whole file; on failure no part of it is left under the name.
    virtual bool writeFile(const QString &path, const QByteArray &bytes, QString *error) = 0;
    // Renames within one file system, replacing an existing file at `to`.
    virtual bool rename(const QString &from, const QString &to, QString *error) = 0;
    // Removes a file, or a symbolic link itself (never what it points to).
    virtual bool removeFile(const QString &path, QString *error) = 0;
    virtual bool makeFolder(const QString &path, QString *error) = 0;
    // Removes a folder with everything in it; true when it is gone. A
    // symbolic link in the folder's place is removed itself: nothing it
    // points to is touched.
    virtual bool removeFolder(const QString &path, QString *error) = 0;
};

// The real file system. Writes go through the program's safe save.
std::shared_ptr<FileOperations> makeDiskFileOperations();

// The path of `name` in `folder`.
QString pathIn(const QString &folder, const QString &name);
// The file in `names` spelled like `name` ignoring case (the exact spelling
// preferred); empty when there is none.
QString findIgnoringCase(const QStringList &names, const QString &name);
