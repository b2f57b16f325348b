#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Reads CSV as spreadsheets write it (RFC 4180 and its common variants):
// fields separated by commas, a field quoted with '"' may hold commas,
// doubled quotes and line breaks; records end with CR LF, LF or CR. The
// bytes are UTF-8 (with or without a byte-order mark) or, when they are not
// valid UTF-8, Windows-1252.
namespace CsvReader {

struct Record
{
    int line = 0;          // the line the record starts on, from 1
    QStringList fields;
};

struct Result
{
    QList<Record> records;     // blank lines are left out
    // "line N: why" for each fault; records are not complete when any.
    QStringList errors;
};

// Text from the file's bytes: the byte-order mark dropped, UTF-8 or
// Windows-1252 as described above.
QString decode(const QByteArray &bytes);

Result parse(const QString &text);

} // namespace CsvReader
