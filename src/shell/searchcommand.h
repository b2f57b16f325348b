#pragma once

#include <QCommandLineOption>
#include <QList>

#include <optional>

// Searching a workbook from the command line, without a window:
//
//   sentrivo [--workbook DIR] --search QUERY [--shipped]
//
// Prints one result a line, best first: the document, where it opens and the
// snippet with the words found in [brackets], separated by tabs. The index
// is brought up to date with the files first. Exit status 0 with results, 1
// with none, 2 for a query that cannot be parsed, 3 when the workbook cannot
// be searched (the reason on standard error). Nothing when the command line
// asks for no search.
namespace SearchCommand {
inline constexpr int kResults = 0;
inline constexpr int kNoResults = 1;
inline constexpr int kUnparsable = 2;
inline constexpr int kFailed = 3;
} // namespace SearchCommand

std::optional<int> runSearchCommand(int &argc, char **argv);

// --search and --shipped, as --help lists them.
QList<QCommandLineOption> searchCommandOptions();
