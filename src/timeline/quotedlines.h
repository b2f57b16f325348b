#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The plain text format of the to-do files: one field per line, each line
// the field's Windows-1252 text between double quotes, ended by CR LF
// (an empty field is the line `""`). Nothing inside the quotes is escaped.
namespace QuotedLines {

// A field's text as it can be kept in the format: without double quotes,
// whose lack of an escape would cut the field short on reading, and without
// line breaks, which would split it into two fields.
QString storable(const QString &text);

// The lines of the fields, each made storable first.
QByteArray write(const QStringList &fields);

// One field per line, ended by CR LF, LF or a lone CR (a last line without
// an ending counts), as the format's Windows readers took them. A line read
// is the text between its first and its last double quote, so a damaged line
// (a stray quote inside) still gives exactly one field and never shifts the
// fields after it; a line with a single quote is its text without it,
// trimmed of blanks; a line without quotes is taken as it stands, trimmed.
QStringList read(QByteArrayView bytes);

} // namespace QuotedLines
