#pragma once

#include <QDate>
#include <QString>

// The dates of the to-do list are kept as display text, "ddd - mmm d, yy"
// ("Tue - Mar 6, 07"), always with English names whatever the desktop's
// language, so a workbook reads the same everywhere.
namespace ToDoDate {

QString format(const QDate &date);

// Reads a stored date. The two-digit year is read in the century in which
// the date falls on the stored weekday, the 2000s tried first; when no
// century matches (or the weekday is unreadable) the 2000s are taken. Only
// the part after the first "-" must be a valid "mmm d, yy". An invalid
// QDate when the text cannot be read as a date.
QDate parse(const QString &text);

// "mmmm d, yyyy" ("March 6, 2007"), the panel's date line.
QString longFormat(const QDate &date);
// "mmmm dd, yyyy" ("March 06, 2007"), the printout's "As of" line.
QString asOfFormat(const QDate &date);

} // namespace ToDoDate
