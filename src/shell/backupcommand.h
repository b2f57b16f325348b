#pragma once

#include <QCommandLineOption>
#include <QList>

#include <optional>

// Scheduled backups from the command line, without a display and without
// questions:
//
//   sentrivo [--workbook DIR] --backup TARGET
//   sentrivo [--workbook DIR] --backup TARGET --encrypt [--passphrase-file FILE]
//   sentrivo [--workbook DIR] --restore SOURCE [--set NAME] [--passphrase-file FILE]
//
// A backup writes a new dated set "Sentrivo backup YYYY-MM-DD HHMMSS" in
// TARGET; a restore takes the newest set in SOURCE that verifies, or the set
// NAME, or (SOURCE holding no sets) the backup in SOURCE itself. The
// passphrase of an encrypted set is read from FILE or standard input.
//
// One medium only. Returns the exit status (0 done, 1 not done, with the
// reason on standard error; the workbook is untouched by any failure), or
// nothing when the command line asks for neither, to start the program as
// usual.
std::optional<int> runBackupCommand(int &argc, char **argv);

// The backup commands' options besides --workbook: --backup, --restore,
// --set, --encrypt and --passphrase-file, in that order. The program's
// --help lists them with its own.
QList<QCommandLineOption> backupCommandOptions();
