#include "shell/apppaths.h"

#include <QDir>
#include <QStandardPaths>

namespace AppPaths {

QString defaultWorkbookFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

bool enterWorkbook(const QString &folder, QString *error)
{
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
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
