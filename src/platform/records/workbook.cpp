#include "platform/records/workbook.h"

#include "platform/records/filenames.h"

#include <QFile>
#include <QFileInfo>

Workbook::Workbook(const QString &folder, const QString &contentFolder)
    : m_folder(folder.isEmpty() ? QString() : QDir(folder).absolutePath()),
      m_contentFolder(contentFolder.isEmpty() ? QString() : QDir(contentFolder).absolutePath())
{
}

QString Workbook::filePath(const QString &name) const
{
    // No folder is never the current directory.
    if (m_folder.isEmpty())
        return QString();
    return findFileIgnoringCase(QDir(m_folder), name);
}

QString Workbook::contentPath(const QString &name) const
{
    if (m_contentFolder.isEmpty())
        return QString();
    return findFileIgnoringCase(QDir(m_contentFolder), name);
}

bool Workbook::ensureExists(QString *error) const
{
    if (makePrivateFolder(m_folder))
        return true;
    if (error)
        *error = QStringLiteral("The workbook folder %1 cannot be created.")
                     .arg(QDir::toNativeSeparators(m_folder));
    return false;
}

bool makePrivateFolder(const QString &folder)
{
    const QFileInfo info(folder);
    if (info.isDir())
        return true;
    // The parents are ordinary folders (~/.local/share and the like); only the
    // folder that holds the work is the owner's alone.
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    if (QDir().mkdir(info.absoluteFilePath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return true;
    return QFileInfo(folder).isDir(); // made meanwhile by another process
}
