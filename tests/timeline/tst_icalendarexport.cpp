#include "timeline/icalendarexport.h"
#include "timeline/todolist.h"

#include <QTest>

namespace {

// A small reader of what the export writes: unfolds the lines, checks the
// nesting of BEGIN/END and gathers every event's properties.
struct ParsedEvent
{
    QMap<QString, QString> properties;       // name (with parameters) -> raw value
    QMap<QString, QString> alarm;
};

struct ParsedCalendar
{
    QMap<QString, QString> properties;
    QList<ParsedEvent> events;
    QString problem;                         // empty when the structure is sound
};

QString unescape(const QString &value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar next = value[++i];
            text += next == QLatin1Char('n') || next == QLatin1Char('N') ? QChar('\n') : next;
        } else {
            text += value[i];
        }
    }
    return text;
}

ParsedCalendar parse(const QByteArray &bytes)
{
    ParsedCalendar calendar;
    if (!bytes.endsWith("\r\n"))
        calendar.problem = QStringLiteral("no CRLF at the end");
    QList<QByteArray> physical = bytes.split('\n');
    physical.removeLast();
    QStringList logical;
    for (QByteArray line : physical) {
        if (!line.endsWith('\r')) {
            calendar.problem = QStringLiteral("bare LF");
            return calendar;
        }
        line.chop(1);
        if (line.size() > 75)
            calendar.problem = QStringLiteral("line longer than 75 octets: ") + QString::fromUtf8(line);
        if (line.startsWith(' ') && !logical.isEmpty())
            logical.last() += QString::fromUtf8(line.mid(1));
        else
            logical.append(QString::fromUtf8(line));
    }
    QStringList stack;
    for (const QString &line : std::as_const(logical)) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        const QString name = line.left(colon);
        const QString value = line.mid(colon + 1);
        if (name == QLatin1String("BEGIN")) {
            stack.append(value);
            if (value == QLatin1String("VEVENT"))
                calendar.events.append(ParsedEvent());
            continue;
        }
        if (name == QLatin1String("END")) {
            if (stack.isEmpty() || stack.takeLast() != value)
                calendar.problem = QStringLiteral("unbalanced END:") + value;
            continue;
        }
        if (stack == (QStringList{"VCALENDAR"}))
            calendar.properties[name] = value;
        else if (stack == (QStringList{"VCALENDAR", "VEVENT"}))
            calendar.events.last().properties[name] = value;
        else if (stack == (QStringList{"VCALENDAR", "VEVENT", "VALARM"}))
            calendar.events.last().alarm[name] = value;
        else
            calendar.problem = QStringLiteral("property outside a component: ") + line;
    }
    if (!stack.isEmpty())
        calendar.problem = QStringLiteral("unclosed ") + stack.join(QLatin1Char('/'));
    return calendar;
}

ToDoItem row(const QString &item, const QString &todo, const QString &review, const QString &actual = QString())
{
    ToDoItem r;
    r.fields = {item, todo, actual, QString(), review};
    return r;
}

const QDateTime kStamp(QDate(2026, 12, 10), QTime(7, 30, 5), Qt::UTC);

} // namespace

class TestICalendarExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eventsReadBackAsWritten();
    void textIsEscapedAndLongLinesFolded();
    void controlCharactersNeverReachTheSummary();
    void uidsAreStableAndUnique();
    void emptyListGivesAnEmptyCalendar();
    void doneItemsAndPastDatesAreLeftOut();
};

void TestICalendarExport::eventsReadBackAsWritten()
{
    ToDoList list;
    list.row(0) = row(QStringLiteral("Risk Analysis  "), QStringLiteral("Tue - Mar 6, 07"),
                      QStringLiteral("Thu - Mar 6, 08"));
    list.row(1) = row(QString(), QStringLiteral("Wed - Mar 7, 07"), QString());   // no item: left out
    list.row(2) = row(QStringLiteral("Backup"), QString(), QStringLiteral("Fri - Dec 31, 99"));
    list.row(3) = row(QStringLiteral("Unreadable"), QStringLiteral("someday"), QString());

    const ParsedCalendar calendar = parse(ICalendarExport::write(ICalendarExport::eventsOf(list, QDate()), kStamp));
    QVERIFY2(calendar.problem.isEmpty(), qPrintable(calendar.problem));
    QCOMPARE(calendar.properties.value("VERSION"), QStringLiteral("2.0"));
    QVERIFY(!calendar.properties.value("PRODID").isEmpty());

    struct Expected { QString summary; QString start; QString end; };
    const QList<Expected> expected = {
        {"Risk Analysis - To Do Date", "20070306", "20070307"},
        {"Risk Analysis - Next Review Date", "20080306", "20080307"},
        {"Backup - Next Review Date", "19991231", "20000101"},
    };
    QCOMPARE(calendar.events.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const ParsedEvent &event = calendar.events[i];
        QCOMPARE(unescape(event.properties.value("SUMMARY")), expected[i].summary);
        QCOMPARE(event.properties.value("DTSTART;VALUE=DATE"), expected[i].start);
        QCOMPARE(event.properties.value("DTEND;VALUE=DATE"), expected[i].end);
        QCOMPARE(event.properties.value("DTSTAMP"), QStringLiteral("20261210T073005Z"));
        QVERIFY(!event.properties.value("UID").isEmpty());
        QCOMPARE(event.alarm.value("ACTION"), QStringLiteral("DISPLAY"));
        QCOMPARE(event.alarm.value("TRIGGER;RELATED=START"), QStringLiteral("-P7D"));
        QCOMPARE(unescape(event.alarm.value("DESCRIPTION")), expected[i].summary);
    }
}

void TestICalendarExport::textIsEscapedAndLongLinesFolded()
{
    QCOMPARE(ICalendarExport::escapeText(QStringLiteral("a,b;c\\d\ne")), QStringLiteral("a\\,b\\;c\\\\d\\ne"));

    const QString item = QStringLiteral("Contingency plan; data backup, \\ disaster recovery \u00e9\u00e9\u00e9 and emergency mode");
    ToDoList list;
    list.row(0) = row(item, QStringLiteral("Tue - Mar 6, 07"), QString());
    const QByteArray bytes = ICalendarExport::write(ICalendarExport::eventsOf(list, QDate()), kStamp);
    QVERIFY(bytes.contains("\r\n "));   // the summary was folded
    const ParsedCalendar calendar = parse(bytes);
    QVERIFY2(calendar.problem.isEmpty(), qPrintable(calendar.problem));
    QCOMPARE(unescape(calendar.events.value(0).properties.value("SUMMARY")), item + QStringLiteral(" - To Do Date"));

    // Folding never splits a UTF-8 character and keeps every line within 75 octets.
    const QByteArray longLine = "SUMMARY:" + QByteArray(66, 'x') + QString(QStringLiteral("\u00e9\u00e9\u00e9")).toUtf8();
    const QByteArray folded = ICalendarExport::foldLine(longLine);
    QCOMPARE(folded, "SUMMARY:" + QByteArray(66, 'x') + "\r\n " + QString(QStringLiteral("\u00e9\u00e9\u00e9")).toUtf8() + "\r\n");
}

void TestICalendarExport::controlCharactersNeverReachTheSummary()
{
    // Items come from TODOActv.FIL, which may hold any byte.
    const QString item = QStringLiteral("Audit\x01log\x1b[31m\x7f done\tnow\x0b");
    QCOMPARE(ICalendarExport::escapeText(item), QStringLiteral("Audit log [31m  done\tnow "));
    ToDoList list;
    list.row(0) = row(item, QStringLiteral("Tue - Mar 6, 07"), QString());
    const QByteArray bytes = ICalendarExport::write(ICalendarExport::eventsOf(list, QDate()), kStamp);
    for (const char c : bytes)
        QVERIFY2(uchar(c) >= 0x20 || c == '\r' || c == '\n' || c == '\t', qPrintable(QString::number(uchar(c))));
    const ParsedCalendar calendar = parse(bytes);
    QVERIFY2(calendar.problem.isEmpty(), qPrintable(calendar.problem));
    QVERIFY(unescape(calendar.events.value(0).properties.value("SUMMARY")).startsWith(QStringLiteral("Audit log")));
}

void TestICalendarExport::uidsAreStableAndUnique()
{
    ToDoList list;
    list.row(0) = row(QStringLiteral("Audit"), QStringLiteral("Tue - Mar 6, 07"), QStringLiteral("Tue - Mar 6, 07"));
    list.row(1) = row(QStringLiteral("Audit"), QStringLiteral("Tue - Mar 6, 07"), QString());
    list.row(2) = row(QStringLiteral("Other"), QStringLiteral("Tue - Mar 6, 07"), QString());
    const auto first = ICalendarExport::eventsOf(list, QDate());
    QSet<QString> uids;
    for (const auto &event : first)
        uids.insert(event.uid);
    QCOMPARE(uids.size(), int(first.size()));

    // Moving a row elsewhere (a sort, an inserted row) keeps its events' UIDs.
    list.insertRow(0);
    list.row(0) = row(QStringLiteral("New"), QString(), QString());
    const auto again = ICalendarExport::eventsOf(list, QDate());
    QCOMPARE(again.size(), first.size());
    for (size_t i = 0; i < first.size(); ++i)
        QCOMPARE(again[i].uid, first[i].uid);
}

void TestICalendarExport::emptyListGivesAnEmptyCalendar()
{
    const QByteArray bytes = ICalendarExport::write({}, kStamp);
    const ParsedCalendar calendar = parse(bytes);
    QVERIFY2(calendar.problem.isEmpty(), qPrintable(calendar.problem));
    QVERIFY(calendar.events.isEmpty());
    QVERIFY(bytes.startsWith("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"));
}

void TestICalendarExport::doneItemsAndPastDatesAreLeftOut()
{
    ToDoList list;
    const QDate today(2026, 12, 10);
    // Done (an actual date): its to-do date is no longer a reminder; its
    // next review still is.
    list.row(0) = row(QStringLiteral("Risk Analysis"), QStringLiteral("Mon - Dec 14, 26"),
                      QStringLiteral("Tue - Dec 14, 27"), QStringLiteral("Wed - Dec 9, 26"));
    // Past dates serve no reminder; today's date still does.
    list.row(1) = row(QStringLiteral("Training"), QStringLiteral("Wed - Dec 9, 26"),
                      QStringLiteral("Thu - Dec 10, 26"));
    list.row(2) = row(QStringLiteral("Audit"), QStringLiteral("Fri - Jan 1, 27"), QString());
    QStringList summaries;
    for (const ICalendarExport::Event &event : ICalendarExport::eventsOf(list, today))
        summaries << event.summary;
    QCOMPARE(summaries, (QStringList{"Risk Analysis - Next Review Date", "Training - Next Review Date",
                                     "Audit - To Do Date"}));
}

QTEST_GUILESS_MAIN(TestICalendarExport)
#include "tst_icalendarexport.moc"
