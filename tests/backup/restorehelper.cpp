// Runs a restore as `sentrivo --restore` does, but stops dead at a chosen
// file operation (after leaving a marker file) so that a test can kill it
// there: backup_restore_helper WORKBOOK SOURCE MARKER STOP_AT
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
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: backup_restore_helper WORKBOOK SOURCE MARKER STOP_AT\n");
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
    return RestoreProcedure(environment).run().completed() ? 0 : 1;
}
