#pragma once

#include <QString>

#include <memory>

class Prompt;
class QTextStream;
class WorkbookLock;
struct ProgramContext;

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
// lock can be written there), asks whether to open it read-only. Fills
// context.workbookLock and context.readOnly; a read-only workbook is never
// written from then on. False when the user declined: the program ends.
bool openForWindow(ProgramContext &context, Prompt &prompt);

} // namespace WorkbookOpening
