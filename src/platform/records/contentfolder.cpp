#include "platform/records/contentfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#ifndef SENTRIVO_INSTALL_CONTENT_DIR
#define SENTRIVO_INSTALL_CONTENT_DIR ""
#endif

QString shippedContentFolder()
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
