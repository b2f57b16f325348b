#pragma once

#include <QList>
#include <QString>

// What the backup window offers as "drives": the mounted volumes a user can
// back up to, removable media first, then the home folder, then the other
// mounts.
struct BackupDrive
{
    QString name;     // what the drive list shows
    QString rootPath; // where its folder tree starts
    bool removable = false;
};

QList<BackupDrive> mountedDrives();

// The drive of `drives` holding `path` (the longest root that contains it);
// -1 when none does.
int driveHolding(const QList<BackupDrive> &drives, const QString &path);
