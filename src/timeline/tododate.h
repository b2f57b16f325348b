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

// "ddd - mmm d, yyyy" ("Tue - Mar 6, 2007"): how the grid shows a stored
// date, so that no year is ambiguous on screen (the file keeps format()).
QString gridFormat(const QDate &date);

// A date as a user types it in a grid cell: the stored or the grid's form,
// "3/6/2007", "3/6/07", "2007-03-06", "March 6, 2007", "Mar 6 2007",
// "6 March 2007" (English month names, month before day in the numeric
// forms). An invalid QDate when the text is none of these.
QDate parseTyped(const QString &text);

// "mmmm d, yyyy" ("March 6, 2007"), the panel's date line.
QString longFormat(const QDate &date);
// "mmmm dd, yyyy" ("March 06, 2007"), the printout's "As of" line.
QString asOfFormat(const QDate &date);

} // namespace ToDoDate
