#pragma once

#include <optional>

// Scheduled backups from the command line, without a display and without
// questions:
//
//   sentrivo [--workbook DIR] --backup TARGET
//   sentrivo [--workbook DIR] --restore SOURCE
//
// One medium only. Returns the exit status (0 done, 1 not done, with the
// reason on standard error; the workbook is untouched by any failure), or
// nothing when the command line asks for neither, to start the program as
// usual.
std::optional<int> runBackupCommand(int &argc, char **argv);
