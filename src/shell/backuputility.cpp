#include "shell/backuputility.h"

#include "backup/backupwindow.h"
#include "backup/fileoperations.h"
#include "backup/restoreswap.h"
#include "screens/programcontext.h"

std::function<bool(QWidget *, bool)> backupUtilityOpener(const ProgramContext &context,
                                                         const PlatformServices &services)
{
    return [&context, services](QWidget *parent, bool restore) {
        BackupWindow::Setup setup;
        setup.workbookDir = context.workbook.folder();
        setup.smallerDisplay = context.smallerDisplay;
        setup.services = services;
        return runBackupWindow(restore ? BackupWindow::Mode::Restore : BackupWindow::Mode::Backup, setup, parent);
    };
}

void settleInterruptedRestore(const QString &workbookDir)
{
    RestoreSwap::completeInterrupted(workbookDir, *makeDiskFileOperations());
}
