#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// Tables written as spreadsheets: XLSX (one sheet per table) and CSV (one
// file per table). A cell's QVariant decides its kind: a QDate is a real
// date, a number is a number, a bool is a boolean, anything else is text.
struct SpreadsheetTable
{
    QString name;          // the sheet's name (cut to what XLSX allows)
    QStringList header;    // the first row
    QList<QVariantList> rows;
};

namespace Spreadsheet {

// The whole XLSX file; empty with *error set when it cannot be made.
QByteArray xlsxBytes(const QList<SpreadsheetTable> &tables, QString *error = nullptr);

// RFC 4180: UTF-8 with a byte-order mark, CR LF line ends, a field quoted
// when it holds a comma, a quote, a CR or a LF, quotes doubled. Dates are
// written yyyy-MM-dd.
QByteArray csvBytes(const SpreadsheetTable &table);

// The sheet name XLSX accepts for name: at most 31 characters, none of
// []:*?/\ and not empty.
QString sheetName(const QString &name);

} // namespace Spreadsheet
