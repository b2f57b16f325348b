#pragma once

#include <QByteArray>
#include <QString>

// Writes a whole file so that a crash, a power loss, a full disk or a refused
// write never leaves it half-written or empty: the new bytes go to a
// temporary file beside it; every write is flushed and checked, the file is
// synced and its size compared with the bytes given, and only then does it
// replace the old file. The folder is synced after the rename, so the
// replacement itself survives a power loss.
// Returns false and fills *error (when given) with a readable reason; the old
// file is then as it was and no temporary file is left. A path that is a
// symbolic link is refused: its target lies elsewhere.
bool writeFileSafely(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Reads a whole file; false when it is missing, unreadable, or no regular
// file (a folder, a FIFO, a device: never waited on).
bool readWholeFile(const QString &path, QByteArray *bytes, QString *error = nullptr);

// The same with a bound: a file longer than maxBytes is refused before any
// of it is read, and (links No) a symbolic link is refused, not followed.
enum class FollowLinks { Yes, No };
bool readRegularFile(const QString &path, QByteArray *bytes, qint64 maxBytes, QString *error = nullptr,
                     FollowLinks links = FollowLinks::Yes);

// Syncs a folder's own entry list to the disk (after a rename, a create or a
// remove in it). False with the reason when the system refuses.
bool syncFolder(const QString &folder, QString *error = nullptr);
