#pragma once

#include <QDateTime>
#include <QString>

class FileOperations;

// The last step of a restore: the checked files in the staging folder take
// the place of the workbook's user files, which move into a dated safety
// folder inside the workbook. A state file in the staging folder records the
// step reached, so a restore cut short (the program killed, the power gone)
// is finished the next time the workbook is opened, and the workbook always
// holds one whole set of files: the old one or the restored one.
namespace RestoreSwap {

inline const QString kStagingFolder = QStringLiteral(".Restore in progress");
inline const QString kStateFile = QStringLiteral("Restore.state");

// "Before restore YYYY-MM-DD HH-MM-SS".
QString safetyFolderName(const QDateTime &when);
// A safety folder name not yet used in the workbook.
QString freeSafetyFolderName(const QString &workbookDir, const QDateTime &when, FileOperations &files);

// Moves the workbook's user files ("*.fil", any case, and the database) into
// the safety folder and the staged files into the workbook; when the restore
// brings an evidence folder, the workbook's one goes to the safety folder
// with them. On failure everything moved is
// moved back and *error says why.
bool swap(const QString &workbookDir, const QString &safetyName, FileOperations &files, QString *error);

// Finishes a swap that was cut short, or removes the staging folder of a
// restore that never reached it. Returns true when a swap was finished.
bool completeInterrupted(const QString &workbookDir, FileOperations &files);

} // namespace RestoreSwap
