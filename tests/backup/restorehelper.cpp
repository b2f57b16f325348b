// Runs a restore as `sentrivo --restore` does (or a backup, in place on a
// medium or as a new set), but stops dead at a chosen file operation (after
// leaving a marker file) so that a test can kill it there:
//   backup_restore_helper WORKBOOK MEDIUM MARKER STOP_AT [restore|backup|set]
#include "backup/backupprocedure.h"
#include "backup/generations.h"
#include "backup/restoreprocedure.h"
#include "faultyfiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 5 && args.size() != 6) {
        std::fprintf(stderr, "usage: backup_restore_helper WORKBOOK MEDIUM MARKER STOP_AT [restore|backup|set]\n");
        return 2;
    }
    const QString marker = args.at(3);
    const int stopAt = args.at(4).toInt();
    FaultyFileOperations files;
    int operations = 0;
    files.beforeOperation = [&](FaultyFileOperations::Op, const QString &) {
        if (++operations != stopAt)
            return;
        QFile mark(marker);
        mark.open(QIODevice::WriteOnly);
        mark.close();
        for (;;)
            QThread::sleep(1); // waits for the kill
    };
    ProcedureEnvironment environment;
    environment.workbookDir = args.at(1);
    environment.targetDir = args.at(2);
    environment.files = &files;
    const QString mode = args.value(5, QStringLiteral("restore"));
    ProcedureResult result;
    if (mode == QStringLiteral("backup"))
        result = BackupProcedure(environment).run();
    else if (mode == QStringLiteral("set"))
        result = BackupGenerations::backUp(environment, 1);
    else
        result = RestoreProcedure(environment).run();
    return result.completed() ? 0 : 1;
}
