#include "platform/records/filenames.h"

#include <QFileInfo>

QString findFileIgnoringCase(const QDir &dir, const QString &name)
{
    const QString exact = dir.filePath(name);
    if (QFileInfo::exists(exact))
        return exact;

    const QFileInfo wanted(exact);
    const QDir folder = wanted.dir();
    const QString fileName = wanted.fileName();
    if (fileName.isEmpty() || !folder.exists())
        return exact;

    // Sorted by name, so that two spellings of one name always resolve alike.
    const QStringList entries =
        folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    }
    return exact;
}

QString findFileIgnoringCase(const QString &path)
{
    if (QFileInfo::exists(path))
        return path;
    const QFileInfo info(path);
    const QString found = findFileIgnoringCase(info.dir(), info.fileName());
    // Keep the caller's spelling (relative stays relative) when nothing matched.
    return QFileInfo::exists(found) ? found : path;
}
