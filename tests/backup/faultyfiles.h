#pragma once

#include "backup/fileoperations.h"

#include <QDir>
#include <QFileInfo>

#include <functional>

// The real file system with faults on request: any operation can fail, the
// folder of the "drive" can fill up after a number of bytes, and every
// operation is announced first (a test can swap the medium, or a helper
// process stop at a chosen step).
class FaultyFileOperations : public FileOperations
{
public:
    enum class Op { Read, Write, Rename, Remove, MakeFolder, RemoveFolder };

    struct Fault
    {
        Op op;
        QString pathPart;   // the path contains it (empty: any path)
        int occurrence = 1; // the n-th matching call fails
        int seen = 0;
    };

    FaultyFileOperations() : real_(makeDiskFileOperations()) {}

    void failAt(Op op, const QString &pathPart, int occurrence = 1) { faults_.append({op, pathPart, occurrence, 0}); }
    // Writes into `folder` fail once the files there would pass `bytes`.
    void setCapacity(const QString &folder, qint64 bytes)
    {
        capacityFolder_ = QFileInfo(folder).absoluteFilePath();
        capacity_ = bytes;
    }
    void clearFaults() { faults_.clear(); failOperation = 0; }
    // The n-th operation of any kind fails (0: none); `operations` counts them.
    int failOperation = 0;
    int operations = 0;

    std::function<void(Op, const QString &)> beforeOperation;
    int failures = 0;

    QStringList fileNames(const QString &folder) override { return real_->fileNames(folder); }
    QStringList folderNames(const QString &folder) override { return real_->folderNames(folder); }
    bool exists(const QString &path) override { return real_->exists(path); }
    QDateTime lastModified(const QString &path) override { return real_->lastModified(path); }
    bool isRegularFile(const QString &path) override { return real_->isRegularFile(path); }
    bool readFile(const QString &path, QByteArray *bytes, QString *error,
                  qint64 maxBytes = FileOperations::kLargestFile) override
    {
        return !fails(Op::Read, path, error) && real_->readFile(path, bytes, error, maxBytes);
    }
    bool writeFile(const QString &path, const QByteArray &bytes, QString *error) override
    {
        if (fails(Op::Write, path, error))
            return false;
        if (capacity_ >= 0 && QFileInfo(QFileInfo(path).absolutePath()).absoluteFilePath() == capacityFolder_) {
            qint64 used = 0;
            for (const QFileInfo &info : QDir(capacityFolder_).entryInfoList(QDir::Files | QDir::Hidden))
                used += info.absoluteFilePath() == QFileInfo(path).absoluteFilePath() ? 0 : info.size();
            if (used + bytes.size() > capacity_) {
                ++failures;
                if (error)
                    *error = QStringLiteral("No space left on device");
                return false;
            }
        }
        return real_->writeFile(path, bytes, error);
    }
    bool rename(const QString &from, const QString &to, QString *error) override
    {
        return !fails(Op::Rename, from, error) && real_->rename(from, to, error);
    }
    bool removeFile(const QString &path, QString *error) override
    {
        return !fails(Op::Remove, path, error) && real_->removeFile(path, error);
    }
    bool makeFolder(const QString &path, QString *error) override
    {
        return !fails(Op::MakeFolder, path, error) && real_->makeFolder(path, error);
    }
    bool removeFolder(const QString &path, QString *error) override
    {
        return !fails(Op::RemoveFolder, path, error) && real_->removeFolder(path, error);
    }

private:
    bool fails(Op op, const QString &path, QString *error)
    {
        if (beforeOperation)
            beforeOperation(op, path);
        if (++operations == failOperation) {
            ++failures;
            if (error)
                *error = QStringLiteral("Input/output error");
            return true;
        }
        for (Fault &fault : faults_) {
            if (fault.op != op || !path.contains(fault.pathPart))
                continue;
            if (++fault.seen == fault.occurrence) {
                ++failures;
                if (error)
                    *error = QStringLiteral("Input/output error");
                return true;
            }
        }
        return false;
    }

    std::shared_ptr<FileOperations> real_;
    QList<Fault> faults_;
    QString capacityFolder_;
    qint64 capacity_ = -1;
};
