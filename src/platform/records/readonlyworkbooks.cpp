#include "platform/records/readonlyworkbooks.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QStringList>

#include <atomic>
#include <utility>

namespace ReadOnlyWorkbooks {

namespace {

QMutex &mutex()
{
    static QMutex m;
    return m;
}

QStringList &folders()
{
    static QStringList list;
    return list;
}

// Most runs open no workbook read-only: the check then costs one load.
std::atomic<int> folderCount{0};

QString normalised(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

void add(const QString &folder)
{
    QMutexLocker lock(&mutex());
    const QString clean = normalised(folder);
    if (!folders().contains(clean))
        folders().append(clean);
    folderCount = int(folders().size());
}

void remove(const QString &folder)
{
    QMutexLocker lock(&mutex());
    folders().removeAll(normalised(folder));
    folderCount = int(folders().size());
}

bool contains(const QString &folder)
{
    if (folderCount.load() == 0 || folder.isEmpty())
        return false;
    QMutexLocker lock(&mutex());
    return folders().contains(normalised(folder));
}

bool refusesWriteTo(const QString &path)
{
    if (folderCount.load() == 0 || path.isEmpty())
        return false;
    const QString clean = normalised(path);
    QMutexLocker lock(&mutex());
    for (const QString &folder : std::as_const(folders())) {
        if (clean == folder || clean.startsWith(folder + QLatin1Char('/')))
            return true;
    }
    return false;
}

} // namespace ReadOnlyWorkbooks
