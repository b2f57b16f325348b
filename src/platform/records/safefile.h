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
// file is then as it was and no temporary file is left.
bool writeFileSafely(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Reads a whole file; false when it is missing or unreadable.
bool readWholeFile(const QString &path, QByteArray *bytes, QString *error = nullptr);

// Syncs a folder's own entry list to the disk (after a rename, a create or a
// remove in it). False with the reason when the system refuses.
bool syncFolder(const QString &folder, QString *error = nullptr);
