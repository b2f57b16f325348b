#pragma once

#include "platform/database/workbookdatabase.h"
#include "shell/exportcommand.h"

#include <QString>

#include <memory>
#include <vector>

class Prompt;
class QTextStream;
class QWidget;

// Start-up's part for the workbook database and the risk register's
// commands: opening the database once per run, telling the user what the
// opening found, the register's --export rows and the headless
// `--import assets FILE.csv`.
namespace RiskCommands {

// Opens the workbook's database (creating, migrating or moving a damaged
// file aside as it must). The object is returned even when opening failed:
// it is closed then and its openReport() says why, and the rest of the
// program works without it.
std::shared_ptr<WorkbookDatabase> openDatabase(const Workbook &workbook);

// The report's message, when it has one, in a message box.
void showOpenReport(Prompt &prompt, QWidget *parent, const WorkbookDatabase::OpenReport &report);

// The --export rows of the register: risk-analysis, risk-plan and
// business-associates (PDF), risk-register (XLSX or CSV).
std::vector<ExportCommand::Target> exportTargets();

// True when the command line asks for an import (run without a display).
bool importRequested(int argc, char **argv);

// `--import assets FILE.csv`: 0 when every asset was added; 1 with each
// unreadable record's line on errors and nothing added; 2 for a bad
// argument.
int runImport(const QString &what, const QString &file, const QString &workbookDir, QTextStream &out,
              QTextStream &errors);

} // namespace RiskCommands
