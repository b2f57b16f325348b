#include "shell/backupcommand.h"

#include "backup/backupprocedure.h"
#include "backup/backupsettings.h"
#include "backup/generations.h"
#include "backup/setencryption.h"
#include "backup/fileoperations.h"
#include "backup/restoreprocedure.h"
#include "platform/records/workbooklock.h"
#include "shell/apppaths.h"
#include "shell/workbookopening.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
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

// The passphrase of an encrypted backup: the first line of the file, or of
// standard input. Never from an argument, which other users can see.
std::optional<QByteArray> readPassphrase(const QString &file)
{
    QFile source;
    bool opened = false;
    if (file.isEmpty())
        opened = source.open(stdin, QIODevice::ReadOnly);
    else {
        source.setFileName(file);
        opened = source.open(QIODevice::ReadOnly);
    }
    if (!opened)
        return std::nullopt;
    QByteArray line = source.readLine(4096);
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

int fail(const QString &reason)
{
    std::fprintf(stderr, "sentrivo: %s\n", qPrintable(reason));
    return 1;
}

} // namespace

QList<QCommandLineOption> backupCommandOptions()
{
    return {
        QCommandLineOption(QStringLiteral("backup"),
                           QStringLiteral("Back the workbook's user files up to TARGET without opening a window "
                                          "(a new dated backup set)."),
                           QStringLiteral("TARGET")),
        QCommandLineOption(QStringLiteral("restore"),
                           QStringLiteral("Restore the workbook's user files from SOURCE without opening a window "
                                          "(the newest backup set that verifies)."),
                           QStringLiteral("SOURCE")),
        QCommandLineOption(QStringLiteral("set"), QStringLiteral("With --restore: the backup set NAME instead of the newest."),
                           QStringLiteral("NAME")),
        QCommandLineOption(QStringLiteral("encrypt"),
                           QStringLiteral("With --backup: encrypt the set with a passphrase (never given as an argument).")),
        QCommandLineOption(QStringLiteral("passphrase-file"),
                           QStringLiteral("Read the passphrase of an encrypted backup from FILE instead of standard input."),
                           QStringLiteral("FILE")),
    };
}

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
    const QList<QCommandLineOption> options = backupCommandOptions();
    const QCommandLineOption &backupOption = options.at(0);
    const QCommandLineOption &restoreOption = options.at(1);
    const QCommandLineOption &setOption = options.at(2);
    const QCommandLineOption &encryptOption = options.at(3);
    const QCommandLineOption &passphraseFileOption = options.at(4);
    parser.addOption(workbookOption);
    parser.addOptions(options);
    if (!parser.parse(QCoreApplication::arguments()))
        return fail(parser.errorText());
    if (parser.isSet(backupOption) == parser.isSet(restoreOption))
        return fail(QStringLiteral("give either --backup TARGET or --restore SOURCE"));
    if (parser.isSet(setOption) && !parser.isSet(restoreOption))
        return fail(QStringLiteral("--set NAME goes with --restore SOURCE"));
    if (parser.isSet(encryptOption) && !parser.isSet(backupOption))
        return fail(QStringLiteral("--encrypt goes with --backup TARGET"));
    const QString passphraseFile = parser.value(passphraseFileOption);

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
    environment.passphrase = [passphraseFile]() { return readPassphrase(passphraseFile); };
    if (backup && parser.isSet(encryptOption)) {
        const std::optional<QByteArray> passphrase = readPassphrase(passphraseFile);
        if (!passphrase || passphrase->isEmpty())
            return fail(QStringLiteral("--encrypt needs a passphrase (from --passphrase-file FILE or standard input)"));
        std::optional<SetEncryption::NewSet> set = SetEncryption::newSet(*passphrase);
        if (!set)
            return fail(QStringLiteral("the key for the encrypted backup could not be made"));
        environment.encryption = std::make_shared<const SetEncryption::NewSet>(std::move(*set));
    }
    if (backup) {
        // A new dated set beside the earlier ones, the oldest beyond the
        // number to keep removed once it is complete.
        const ProcedureResult result = BackupGenerations::backUp(environment, BackupSettings::keepSetsIn(workbook));
        if (!result.completed())
            return fail(result.reason);
        QString error;
        if (!BackupSettings::recordBackupIn(workbook, QDateTime::currentDateTime(), &error))
            std::fprintf(stderr, "sentrivo: the date of this backup could not be kept in the workbook: %s\n",
                         qPrintable(error));
        std::printf("Backed up %s to %s\n", qPrintable(QDir::toNativeSeparators(workbook)),
                    qPrintable(QDir::toNativeSeparators(pathIn(medium, result.setName))));
        for (const QString &removed : result.setsRemoved)
            std::printf("Removed the older backup set \"%s\"\n", qPrintable(removed));
        return 0;
    }
    const BackupGenerations::Source source = BackupGenerations::restoreSource(medium, parser.value(setOption), *files);
    if (!source.error.isEmpty())
        return fail(source.error);
    environment.targetDir = source.folder;
    const ProcedureResult result = RestoreProcedure(environment).run();
    if (!result.completed())
        return fail(result.reason);
    std::printf("Restored %s from %s; the previous files are in \"%s\"\n",
                qPrintable(QDir::toNativeSeparators(workbook)), qPrintable(QDir::toNativeSeparators(source.folder)),
                qPrintable(result.safetyFolder));
    return 0;
}
