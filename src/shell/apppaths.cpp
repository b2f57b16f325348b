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

} // namespace AppPaths
