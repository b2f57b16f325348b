#include "backup/drivelist.h"

#include <QDir>
#include <QStorageInfo>

namespace {

// Media the user plugs in are mounted under these folders on Linux desktops.
bool isRemovableMount(const QString &root)
{
    return root.startsWith(QStringLiteral("/media/")) || root.startsWith(QStringLiteral("/run/media/"))
        || root.startsWith(QStringLiteral("/Volumes/"));
}

// The system's own mounts, of no use as a backup medium.
bool isSystemMount(const QStorageInfo &volume)
{
    const QString root = volume.rootPath();
    if (isRemovableMount(root))
        return false;
    for (const char *prefix : {"/proc", "/sys", "/dev", "/run", "/boot", "/snap", "/var/lib", "/etc"}) {
        const QString folder = QString::fromLatin1(prefix);
        if (root == folder || root.startsWith(folder + QLatin1Char('/')))
            return true;
    }
    const QByteArray type = volume.fileSystemType();
    return type == "tmpfs" || type == "devtmpfs" || type == "squashfs" || type == "proc" || type == "sysfs";
}

QString describe(const QStorageInfo &volume)
{
    const QString label = volume.displayName();
    const QString root = QDir::toNativeSeparators(volume.rootPath());
    return label.isEmpty() || label == volume.rootPath() ? root : QStringLiteral("%1 (%2)").arg(label, root);
}

} // namespace

QList<BackupDrive> mountedDrives()
{
    QList<BackupDrive> removable;
    QList<BackupDrive> others;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady() || isSystemMount(volume))
            continue;
        BackupDrive drive{describe(volume), volume.rootPath(), isRemovableMount(volume.rootPath())};
        (drive.removable ? removable : others).append(drive);
    }
    QList<BackupDrive> drives = removable;
    drives.append({QStringLiteral("Home folder (%1)").arg(QDir::toNativeSeparators(QDir::homePath())), QDir::homePath(),
                   false});
    drives.append(others);
    return drives;
}

int driveHolding(const QList<BackupDrive> &drives, const QString &path)
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < drives.size(); ++i) {
        const QString root = QDir::cleanPath(drives.at(i).rootPath);
        const bool holds = clean == root || clean.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'));
        if (holds && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}
