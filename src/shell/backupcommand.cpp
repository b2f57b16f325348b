#include "shell/backupcommand.h"

#include "backup/backupprocedure.h"
#include "backup/fileoperations.h"
#include "backup/restoreprocedure.h"
#include "platform/records/workbooklock.h"
#include "shell/apppaths.h"
#include "shell/workbookopening.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <cstdio>
#include <cstring>

namespace {

bool asksForBackupCommand(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const char *argument = argv[i];
        while (*argument == '-')
            ++argument;
        if (argument == argv[i])
            continue;
        for (const char *name : {"backup", "restore"}) {
            const size_t length = std::strlen(name);
            if (std::strncmp(argument, name, length) == 0 && (argument[length] == '\0' || argument[length] == '='))
                return true;
        }
    }
    return false;
}

int fail(const QString &reason)
{
    std::fprintf(stderr, "sentrivo: %s\n", qPrintable(reason));
    return 1;
}

} // namespace

std::optional<int> runBackupCommand(int &argc, char **argv)
{
    if (!asksForBackupCommand(argc, argv))
        return std::nullopt;
    // No window is opened: the command runs where no display exists.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Sentrivo"));
    QCoreApplication::setOrganizationName(QStringLiteral("Sentrivo"));

    QCommandLineParser parser;
    const QCommandLineOption workbookOption(QStringLiteral("workbook"), QStringLiteral("The workbook folder."),
                                            QStringLiteral("DIR"));
    const QCommandLineOption backupOption(QStringLiteral("backup"),
                                          QStringLiteral("Back the workbook's user files up to TARGET."),
                                          QStringLiteral("TARGET"));
    const QCommandLineOption restoreOption(QStringLiteral("restore"),
                                           QStringLiteral("Restore the workbook's user files from SOURCE."),
                                           QStringLiteral("SOURCE"));
    parser.addOptions({workbookOption, backupOption, restoreOption});
    if (!parser.parse(QCoreApplication::arguments()))
        return fail(parser.errorText());
    if (parser.isSet(backupOption) == parser.isSet(restoreOption))
        return fail(QStringLiteral("give either --backup TARGET or --restore SOURCE"));

    const bool backup = parser.isSet(backupOption);
    const QString workbook = parser.isSet(workbookOption) ? QDir(parser.value(workbookOption)).absolutePath()
                                                          : AppPaths::defaultWorkbookFolder();
    const QString medium = QDir(parser.value(backup ? backupOption : restoreOption)).absolutePath();
    if (!QDir(workbook).exists()) {
        if (backup)
            return fail(QStringLiteral("there is no workbook at %1").arg(QDir::toNativeSeparators(workbook)));
        if (!QDir().mkpath(workbook))
            return fail(QStringLiteral("the workbook folder %1 cannot be created").arg(QDir::toNativeSeparators(workbook)));
    }
    if (!QDir(medium).exists()) {
        if (!backup)
            return fail(QStringLiteral("there is no folder %1").arg(QDir::toNativeSeparators(medium)));
        if (!QDir().mkpath(medium))
            return fail(QStringLiteral("the folder %1 cannot be created").arg(QDir::toNativeSeparators(medium)));
    }

    // A backup must not read files another program is writing, nor a
    // restore replace them under it.
    QTextStream errors(stderr);
    const std::unique_ptr<WorkbookLock> lock = WorkbookOpening::lockForCommand(workbook, errors);
    if (!lock)
        return 1;

    const std::shared_ptr<FileOperations> files = makeDiskFileOperations();
    ProcedureEnvironment environment;
    environment.workbookDir = workbook;
    environment.targetDir = medium;
    environment.files = files.get();
    const ProcedureResult result = backup ? BackupProcedure(environment).run() : RestoreProcedure(environment).run();
    if (!result.completed())
        return fail(result.reason);
    if (backup) {
        std::printf("Backed up %s to %s\n", qPrintable(QDir::toNativeSeparators(workbook)),
                    qPrintable(QDir::toNativeSeparators(medium)));
    } else {
        std::printf("Restored %s from %s; the previous files are in \"%s\"\n",
                    qPrintable(QDir::toNativeSeparators(workbook)), qPrintable(QDir::toNativeSeparators(medium)),
                    qPrintable(result.safetyFolder));
    }
    return 0;
}
