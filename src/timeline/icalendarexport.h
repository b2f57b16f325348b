#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

#include <vector>

class ToDoList;

// The timeline's dates as an iCalendar file (RFC 5545) for the user's own
// calendar program: one all-day event for every to-do date and every next
// review date, each with a reminder a week before.
namespace ICalendarExport {

struct Event
{
    QString uid;
    QString summary;
    QDate date;
};

// The events of the list in row order: a row's to-do date before its next
// review date; rows without an item and dates that cannot be read are left
// out, and so are the to-do date of an item already done (it has an actual
// date) and every date before today, which no reminder can serve. A UID depends only on the item, the kind of date and the date (and a
// counter among identical rows), so exporting again updates the same events
// instead of adding copies.
std::vector<Event> eventsOf(const ToDoList &list, const QDate &today);

// The whole file: CRLF line ends, lines folded at 75 octets, text values
// escaped, UTF-8. stamp is written as every event's DTSTAMP (in UTC).
QByteArray write(const std::vector<Event> &events, const QDateTime &stamp);

// Helpers of the format, open for tests.
QString escapeText(const QString &text);
QByteArray foldLine(const QByteArray &line);

} // namespace ICalendarExport
