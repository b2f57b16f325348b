#pragma once

#include <QString>

#include <memory>

class Prompt;
class QTextStream;
class WorkbookLock;

// Taking the workbook for this run (one program per workbook): the window
// and every command that reads or writes a workbook come through here.
namespace WorkbookOpening {

inline const QString kTitle = QStringLiteral("Sentrivo");
inline const QString kOpenReadOnly = QStringLiteral("Open Read-Only");
inline const QString kCancel = QStringLiteral("Cancel");

// A command without a window (--export, --backup, --restore): the lock, or
// nullptr when another program holds the workbook, with that said on
// errors. A stale lock taken over is said on errors too.
std::unique_ptr<WorkbookLock> lockForCommand(const QString &folder, QTextStream &errors);

// The window: takes the workbook, or, when another program holds it (or no
// lock can be written there), asks whether to open it read-only. *lock holds
// the workbook for the run; when it is left empty the workbook was opened
// read-only (ReadOnlyWorkbooks::contains(folder)) and is never written from
// then on. False when the user declined: the program ends.
bool openForWindow(const QString &folder, Prompt &prompt, std::unique_ptr<WorkbookLock> *lock);

} // namespace WorkbookOpening
