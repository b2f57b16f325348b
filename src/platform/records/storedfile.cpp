#include "platform/records/storedfile.h"

#include "platform/records/workbookfileread.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace StoredFile {

bool isPresent(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

ReadResult read(const QString &path)
{
    ReadResult result;
    if (!isPresent(path))
        return result;
    // The bounded reader never waits on a pipe or a device in the file's
    // place and refuses what is far too large to be a workbook file.
    if (!readWorkbookFile(path, &result.bytes, &result.error)) {
        result.state = State::Unreadable;
        result.bytes.clear();
        return result;
    }
    result.state = State::Read;
    return result;
}

QString notWrittenOverMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("The file %1 is there but could not be read (%2), so nothing is written over it. "
                          "Nothing was saved.")
        .arg(QDir::toNativeSeparators(path), reason);
}

bool refusesLinkedFile(const QString &path, QString *error)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return false;
    if (error)
        *error = QStringLiteral("%1 is a link to %2; saving through it would replace a file outside "
                                "the workbook, so nothing was saved. Put a real file in its place.")
                     .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(info.symLinkTarget()));
    return true;
}

} // namespace StoredFile
