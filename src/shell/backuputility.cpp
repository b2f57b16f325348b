#include "shell/backuputility.h"

#include "backup/backupsettings.h"
#include "backup/backupwindow.h"
#include "backup/fileoperations.h"
#include "backup/restoreswap.h"
#include "platform/database/workbookdatabase.h"
#include "screens/programcontext.h"

std::function<bool(QWidget *, bool)> backupUtilityOpener(const ProgramContext &context,
                                                         const PlatformServices &services)
{
    return [&context, services](QWidget *parent, bool restore) {
        BackupWindow::Setup setup;
        setup.workbookDir = context.workbook.folder();
        setup.smallerDisplay = context.smallerDisplay;
        setup.services = services;
        const QString workbookDir = context.workbook.folder();
        if (const std::shared_ptr<WorkbookDatabase> database = context.database) {
            setup.snapshotDatabase = [database](const QString &path, QString *error) {
                return database->snapshotTo(path, error);
            };
            setup.keepSets = BackupSettings::keepSets(*database);
            setup.backupCompleted = [database](const QDateTime &when) { BackupSettings::recordBackup(*database, when); };
            setup.keepSetsChanged = [database](int sets) { BackupSettings::setKeepSets(*database, sets); };
        } else {
            setup.keepSets = BackupSettings::keepSetsIn(workbookDir);
            setup.backupCompleted = [workbookDir](const QDateTime &when) {
                BackupSettings::recordBackupIn(workbookDir, when);
            };
            setup.keepSetsChanged = [workbookDir](int sets) {
                WorkbookDatabase database{Workbook(workbookDir)};
                database.open();
                if (database.isOpen() && !database.isReadOnly())
                    BackupSettings::setKeepSets(database, sets);
            };
        }
        const bool changed =
            runBackupWindow(restore ? BackupWindow::Mode::Restore : BackupWindow::Mode::Backup, setup, parent);
        // The restore moved the database the run had open into "Before
        // restore ...": what is saved from now on goes to the restored one.
        if (restore && changed && context.database && context.database->isOpen()) {
            const WorkbookDatabase::OpenReport report = context.database->reopen();
            if (!report.message.isEmpty())
                services.prompt->ask(parent, Prompt::Icon::Exclamation, QStringLiteral("Restore"), report.message,
                                     Prompt::Buttons::Ok);
        }
        return changed;
    };
}

void settleInterruptedRestore(const QString &workbookDir)
{
    RestoreSwap::completeInterrupted(workbookDir, *makeDiskFileOperations());
}
