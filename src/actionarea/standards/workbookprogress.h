#pragma once

#include "printing/progresschart.h"

#include <QDate>
#include <QString>

#include <functional>

class ToDoList;

// The progress figures of a workbook: the 47 safeguards' statuses by group
// (Stat1.Fil records 1-47) and the to-do items still open whose to-do date
// has passed or falls within the next 30 days.
namespace WorkbookProgress {

using StatusLookup = std::function<QString(int statusRecordNo)>;

ProgressFigures figures(const StatusLookup &status, const ToDoList &toDo, const QDate &today);

} // namespace WorkbookProgress
