#pragma once

#include "platform/services/services.h"

#include <functional>

class QWidget;
struct ProgramContext;

// Opens the backup window over a window, in restore mode when `restore` is
// true: what the Utilities entries of every screen call. Returns true when a
// restore replaced the workbook's files.
std::function<bool(QWidget *parent, bool restore)> backupUtilityOpener(const ProgramContext &context,
                                                                      const PlatformServices &services);

// Finishes a restore that was cut short (or drops its unchecked copies)
// before the workbook is used.
void settleInterruptedRestore(const QString &workbookDir);
