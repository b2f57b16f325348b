#pragma once

#include "platform/spreadsheet/spreadsheet.h"

#include <QString>

#include <functional>

class ToDoList;

// The workbook's tables as spreadsheets: the standards grid with each
// specification's status, and the project timeline with its dates as real
// dates. Written as XLSX or CSV by the file's suffix.
namespace SpreadsheetExports {

using StatusLookup = std::function<QString(int statusRecordNo)>;

// The standards grid's rows (its own texts) for the three safeguard groups,
// then the Organizational Requirements and Documentation rows.
SpreadsheetTable summaryTable(const StatusLookup &status);
// Every row that holds an item; a date that cannot be read stays as text.
SpreadsheetTable timelineTable(const ToDoList &list);

// Whether the path ends in ".xlsx" or ".csv" (any case).
bool isSpreadsheetPath(const QString &path);
// Writes the table safely as XLSX or CSV; false with the reason.
bool write(const SpreadsheetTable &table, const QString &path, QString *error = nullptr);

} // namespace SpreadsheetExports
