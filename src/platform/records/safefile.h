#pragma once

#include <QByteArray>
#include <QString>

// Writes a whole file so that a crash, a full disk or a refused write never
// leaves it half-written: the new bytes go to a temporary file beside it,
// which replaces the old file only once it is complete.
// Returns false and fills *error (when given) with a readable reason.
bool writeFileSafely(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Reads a whole file; false when it is missing or unreadable.
bool readWholeFile(const QString &path, QByteArray *bytes, QString *error = nullptr);
