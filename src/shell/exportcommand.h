#pragma once

#include "platform/records/workbook.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class PrintSurface;
class QTextStream;

// The command line's headless export: `sentrivo --workbook DIR --export WHAT
// OUT.pdf` composes a document with the same composers as the print panel
// and writes it as PDF, for archives and scripts. A row may write another
// kind of file instead (`timeline-calendar OUT.ics`).
//
// WHAT is "name" or "name:argument"; each name is one row of the table in
// exportcommand.cpp. A new document is one more row there.
namespace ExportCommand {

// Where the export reads from.
struct Context
{
    Workbook workbook;   // its folder and the shipped content folder
};

// Says what an export had to leave out (printed on standard error).
using Warn = std::function<void(const QString &note)>;

struct Target
{
    QString name;          // before the first ':' of WHAT
    QStringList forms;     // the forms the usage message lists
    QString description;   // one line for the usage message
    // Composes the document for the argument after "name:" (empty when WHAT
    // has none) and names it. False when the argument is not one it accepts.
    std::function<bool(const QString &argument, const Context &context, PrintSurface &surface,
                        QString *documentName, const Warn &warn)>
        compose;
    // For a document that is not a printout (the timeline's calendar file):
    // writes the file itself instead of composing; false with the reason.
    std::function<bool(const Context &context, const QString &out, QString *error)> writeFile = {};
    // Other kinds of file this document is also written as, by the output's
    // suffix ("xlsx", "csv", "odt"; "pdf" for a PDF of its own making, the
    // binder with its bookmarks): writes the file; false with the reason.
    QStringList otherSuffixes = {};
    std::function<bool(const QString &argument, const Context &context, const QString &out, QString *error,
                       const Warn &warn)>
        writeOther = {};
};

// Every WHAT, in the order the usage message lists them.
const std::vector<Target> &targets();

// The usage message, listing every WHAT.
QString usage();

// Exit statuses.
constexpr int kSuccess = 0;
constexpr int kWriteFailed = 1;
constexpr int kBadArgument = 2;
// Another program holds the workbook (one program per workbook).
constexpr int kWorkbookInUse = 3;

// Composes WHAT and writes it to the PDF file `out`. Reports on `errors`:
// the usage message for a WHAT no row accepts (kBadArgument), the file and
// the reason when the PDF cannot be written (kWriteFailed).
int run(const QString &what, const QString &out, const Context &context, QTextStream &errors);

// True when the command line asks for an export; start-up then chooses the
// offscreen platform before the application object exists, so the export
// runs without a display.
bool requested(int argc, char **argv);

} // namespace ExportCommand
