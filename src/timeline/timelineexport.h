#pragma once

#include <QDate>
#include <QDateTime>
#include "platform/records/workbook.h"

#include <QDir>
#include <QString>

// The timeline written to a file without opening a window (the command
// line's --export): the printout as a PDF, composed exactly as the panel
// composes it, and the dates as an iCalendar file.
namespace ToDoStore {
struct LoadResult;
}

namespace TimelineExport {

// Reads TODOActv.FIL from the workbook folder. False with a reason when
// nothing could be written (a PDF also needs a row with an item) or when the
// file is there but could not be read (never taken for an empty timeline).
bool writePdf(const Workbook &workbook, const QString &outPath, const QDate &today, QString *error);
bool writeCalendar(const Workbook &workbook, const QString &outPath, const QDateTime &stamp, QString *error);

// "The project timeline could not be read from PATH: REASON".
QString unreadableMessage(const ToDoStore::LoadResult &loaded);

} // namespace TimelineExport
