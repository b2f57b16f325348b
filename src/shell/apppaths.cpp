#include "shell/apppaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef SENTRIVO_INSTALL_CONTENT_DIR
#define SENTRIVO_INSTALL_CONTENT_DIR ""
#endif

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

QString findContentFolder()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QStringList candidates = {
        exeDir + QStringLiteral("/content"),
        exeDir + QStringLiteral("/../share/sentrivo/content"),
        QStringLiteral(SENTRIVO_INSTALL_CONTENT_DIR),
    };
    for (const QString &candidate : candidates) {
        if (!candidate.isEmpty() && QFileInfo(candidate).isDir())
            return QDir(candidate).canonicalPath();
    }
    return {};
}

} // namespace AppPaths
