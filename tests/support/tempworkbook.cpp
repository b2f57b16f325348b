#include "support/tempworkbook.h"

#include <QFile>
#include <QFileInfo>

bool TempWorkbook::writeFile(const QString &name, const QByteArray &bytes) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

QByteArray TempWorkbook::readFile(const QString &name) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool TempWorkbook::exists(const QString &name) const
{
    return QFileInfo(filePath(name)).exists();
}
