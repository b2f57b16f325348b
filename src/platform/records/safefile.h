#pragma once

#include <QByteArray>
#include <QString>

#include <limits>

// Writes a whole file so that a crash, a full disk or a refused write never
// leaves it half-written: the new bytes go to a temporary file beside it,
// which replaces the old file only once it is complete.
// Returns false and fills *error (when given) with a readable reason.
bool writeFileSafely(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// The largest file a workbook reader takes in whole: far above any entry a
// person writes, far below what would stall the program or exhaust memory.
inline constexpr qint64 kMaxWorkbookFileSize = 64 * 1024 * 1024;

// Reads a whole file; false when it is missing or unreadable, is not a
// regular file (a folder, a pipe, a device: never opened, so never waited
// on), or is larger than maxSize. *error says which.
bool readWholeFile(const QString &path, QByteArray *bytes, QString *error = nullptr,
                   qint64 maxSize = std::numeric_limits<qint64>::max());
