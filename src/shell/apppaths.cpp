#include "shell/apppaths.h"

#include "platform/records/workbook.h"

#include <QDir>
#include <QStandardPaths>

namespace AppPaths {

QString defaultWorkbookFolder()
{
    // The per-user data folder and the program's name, once: the
    // application-data location would add the organisation's name too.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("Sentrivo"));
}

bool enterWorkbook(const QString &folder, QString *error)
{
    QDir dir(folder);
    if (!makePrivateFolder(dir.absolutePath())) {
        if (error)
            *error = QStringLiteral("The workbook folder %1 cannot be created.").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    if (!QDir::setCurrent(dir.absolutePath())) {
        if (error)
            *error = QStringLiteral("The workbook folder %1 cannot be opened.").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    return true;
}

} // namespace AppPaths
