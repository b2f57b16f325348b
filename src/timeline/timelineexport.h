#pragma once

#include <QDate>
#include <QDateTime>
#include "platform/records/workbook.h"

#include <QDir>
#include <QString>

// The timeline written to a file without opening a window (the command
// line's --export): the printout as a PDF, composed exactly as the panel
// composes it, and the dates as an iCalendar file.
namespace TimelineExport {

// Reads TODOActv.FIL from the workbook folder. False with a reason when
// nothing could be written (a PDF also needs a row with an item).
bool writePdf(const Workbook &workbook, const QString &outPath, const QDate &today, QString *error);
bool writeCalendar(const Workbook &workbook, const QString &outPath, const QDateTime &stamp, QString *error);

} // namespace TimelineExport
