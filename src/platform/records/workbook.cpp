#include "platform/records/workbook.h"

#include "platform/records/filenames.h"

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
    if (QDir(m_folder).mkpath(QStringLiteral(".")))
        return true;
    if (error)
        *error = QStringLiteral("The workbook folder %1 cannot be created.")
                     .arg(QDir::toNativeSeparators(m_folder));
    return false;
}
