#include "backup/procedure.h"

#include <QFileInfo>

bool isSameFolder(const QString &a, const QString &b)
{
    const QFileInfo first(a);
    const QFileInfo second(b);
    const QString left = first.exists() ? first.canonicalFilePath() : first.absoluteFilePath();
    const QString right = second.exists() ? second.canonicalFilePath() : second.absoluteFilePath();
    return !left.isEmpty() && left == right;
}
