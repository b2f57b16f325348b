#pragma once

#include <QString>

// Workbooks this program opened read-only because another program holds
// them. Every write of a workbook file goes through the safe save or a
// RecordFile, and both ask here first, so a read-only workbook is never
// written whatever a screen forgets to disable.
namespace ReadOnlyWorkbooks {

inline const QString kRefusal = QStringLiteral("The workbook is open read-only.");

// From now on nothing inside folder is written by this program.
void add(const QString &folder);
void remove(const QString &folder);
// True when path (a file, absolute or relative to the current directory)
// lies in a workbook opened read-only.
bool refusesWriteTo(const QString &path);
// True when folder itself was opened read-only.
bool contains(const QString &folder);

// The largest file a workbook reader takes in whole: far above any entry a
// person writes, far below what would stall the program or exhaust memory.
inline constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

} // namespace ReadOnlyWorkbooks
