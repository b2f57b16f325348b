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

} // namespace ReadOnlyWorkbooks
