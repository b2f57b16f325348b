#include "timeline/icalendarexport.h"

#include "timeline/tododate.h"
#include "timeline/todolist.h"

#include <QCryptographicHash>
#include <QHash>

namespace ICalendarExport {
namespace {

constexpr int kMaxLineOctets = 75;

QString dateKindCaption(int field)
{
    return field == ToDoItem::ToDoDate ? QStringLiteral("To Do Date") : QStringLiteral("Next Review Date");
}

QByteArray dateValue(const QDate &date)
{
    return date.toString(QStringLiteral("yyyyMMdd")).toLatin1();
}

} // namespace

std::vector<Event> eventsOf(const ToDoList &list, const QDate &today)
{
    std::vector<Event> events;
    QHash<QByteArray, int> seen;
    for (const ToDoItem &row : list.rows()) {
        if (!row.hasItem())
            continue;
        const QString item = row.item().trimmed();
        const bool done = !row.fields[ToDoItem::ActualDate].trimmed().isEmpty();
        for (int field : {int(ToDoItem::ToDoDate), int(ToDoItem::NextReviewDate)}) {
            if (field == ToDoItem::ToDoDate && done)
                continue;
            const QDate date = ToDoDate::parse(row.fields[size_t(field)]);
            if (!date.isValid() || (today.isValid() && date < today))
                continue;
            const QByteArray key = (item.toLower() + QLatin1Char('\n') + dateKindCaption(field)
                                    + QLatin1Char('\n') + date.toString(Qt::ISODate))
                                       .toUtf8();
            const int occurrence = seen[key]++;
            const QByteArray counted = key + '\n' + QByteArray::number(occurrence);
            const QByteArray hash = QCryptographicHash::hash(counted, QCryptographicHash::Sha1)
                                        .toHex()
                                        .left(32);
            events.push_back({QString::fromLatin1(hash) + QStringLiteral("@timeline.sentrivo"),
                              item + QStringLiteral(" - ") + dateKindCaption(field), date});
        }
    }
    return events;
}

QString escapeText(const QString &text)
{
    QString result;
    result.reserve(text.size() + 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\': result += QLatin1String("\\\\"); break;
        case ';': result += QLatin1String("\\;"); break;
        case ',': result += QLatin1String("\\,"); break;
        case '\n': result += QLatin1String("\\n"); break;
        case '\r': break;
        default:
            // A text value holds no control characters (a tab aside):
            // calendar programs refuse or cut the line at one.
            if ((c.unicode() < 0x20 && c != QLatin1Char('\t')) || c.unicode() == 0x7F)
                result += QLatin1Char(' ');
            else
                result += c;
            break;
        }
    }
    return result;
}

QByteArray foldLine(const QByteArray &line)
{
    QByteArray folded;
    int lineOctets = 0;
    int i = 0;
    while (i < line.size()) {
        // A UTF-8 character is never split across lines.
        int length = 1;
        const auto lead = uchar(line[i]);
        if (lead >= 0xF0)
            length = 4;
        else if (lead >= 0xE0)
            length = 3;
        else if (lead >= 0xC0)
            length = 2;
        length = std::min(length, int(line.size()) - i);
        if (lineOctets + length > kMaxLineOctets) {
            folded += "\r\n ";
            lineOctets = 1;
        }
        folded += line.mid(i, length);
        lineOctets += length;
        i += length;
    }
    return folded + "\r\n";
}

QByteArray write(const std::vector<Event> &events, const QDateTime &stamp)
{
    const QByteArray dtstamp = stamp.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1();
    QByteArray out;
    auto line = [&out](const QByteArray &text) { out += foldLine(text); };
    line("BEGIN:VCALENDAR");
    line("VERSION:2.0");
    line("PRODID:-//Sentrivo//Project Timeline//EN");
    line("CALSCALE:GREGORIAN");
    line("METHOD:PUBLISH");
    line("X-WR-CALNAME:Project Timeline");
    for (const Event &event : events) {
        const QByteArray summary = escapeText(event.summary).toUtf8();
        line("BEGIN:VEVENT");
        line("UID:" + event.uid.toUtf8());
        line("DTSTAMP:" + dtstamp);
        line("DTSTART;VALUE=DATE:" + dateValue(event.date));
        line("DTEND;VALUE=DATE:" + dateValue(event.date.addDays(1)));
        line("SUMMARY:" + summary);
        line("TRANSP:TRANSPARENT");
        line("BEGIN:VALARM");
        line("ACTION:DISPLAY");
        line("DESCRIPTION:" + summary);
        line("TRIGGER;RELATED=START:-P7D");
        line("END:VALARM");
        line("END:VEVENT");
    }
    line("END:VCALENDAR");
    return out;
}

} // namespace ICalendarExport
