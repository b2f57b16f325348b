#include "platform/records/storedfile.h"

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
    QFile file(path);
    if (QFileInfo(path).isDir()) {
        result.state = State::Unreadable;
        result.error = QStringLiteral("A folder stands in its place.");
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        // A link whose target went and a file without permission both land
        // here; neither is a file that was never written.
        result.state = State::Unreadable;
        result.error = file.errorString();
        return result;
    }
    result.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.state = State::Unreadable;
        result.error = file.errorString();
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
