#include "support/tempworkbook.h"
#include "support/unreadablefile.h"
#include "timeline/itemnamelist.h"
#include "timeline/quotedlines.h"
#include "timeline/tododate.h"
#include "timeline/todolist.h"
#include "timeline/todostore.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

Q_DECLARE_METATYPE(Unreadable)

namespace {

QByteArray lines(std::initializer_list<const char *> fields)
{
    QByteArray bytes;
    for (const char *field : fields)
        bytes += QByteArray("\"") + field + "\"\r\n";
    return bytes;
}

QByteArray emptyRows(int rows)
{
    QByteArray bytes;
    for (int i = 0; i < rows * ToDoItem::FieldCount; ++i)
        bytes += "\"\"\r\n";
    return bytes;
}

ToDoItem item(const QString &name, const QString &todo = {}, const QString &actual = {},
              const QString &review = {})
{
    ToDoItem row;
    row.fields = {name, todo, actual, QString(), review};
    return row;
}

QStringList itemsOf(const ToDoList &list)
{
    QStringList items;
    for (const ToDoItem &row : list.rows())
        items.append(row.item());
    while (!items.isEmpty() && items.last().isEmpty())
        items.removeLast();
    return items;
}

} // namespace

class TestToDoStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyListWritesTwoThousandFiveHundredEmptyLines();
    void rowsRoundTripByteForByte();
    void spacerIsAlwaysWrittenEmpty();
    void quotesAndLineBreaksNeverReachTheFile();
    void damagedLinesKeepLaterRowsInPlace_data();
    void damagedLinesKeepLaterRowsInPlace();
    void aMissingLineShiftsNothing_data();
    void aMissingLineShiftsNothing();
    void carriageReturnsEndLines_data();
    void carriageReturnsEndLines();
    void loadingFillsAtMostFiveHundredRowsAndKeepsTheRest();
    void missingFileLeavesTheListAlone();
    void saveReplacesTheFileWholeAndReportsFailure();
    void unreadableFilesAreReportedAndNeverWrittenOver_data();
    void unreadableFilesAreReportedAndNeverWrittenOver();

    void rowOperationsKeepFiveHundredRows();
    void sorting_data();
    void sorting();

    void typedDates_data();
    void typedDates();
    void dateText_data();
    void dateText();
    void centuryFollowsTheStoredWeekday_data();
    void centuryFollowsTheStoredWeekday();

    void nameSlots();
    void rememberIgnoresCaseAndTrailingBlanks_data();
    void rememberIgnoresCaseAndTrailingBlanks();
    void deletingTheOnlyNameLeavesOneEmptyEntry();
    void deleteWithEmptyTextRemovesNothing();
    void replacingTheWholeList();
    void namesAreTrimmedOnLoadAndFileFoundIgnoringCase();
    void typeAheadSuggestion_data();
    void typeAheadSuggestion();
};

void TestToDoStore::emptyListWritesTwoThousandFiveHundredEmptyLines()
{
    const ToDoList empty;
    const QByteArray bytes = empty.toFileBytes();
    QCOMPARE(bytes, emptyRows(500));
    QCOMPARE(bytes.count("\r\n"), 2500);

    ToDoList loaded;
    loaded.row(7) = item(QStringLiteral("left over"));
    loaded.fillFromFileBytes(bytes);
    QVERIFY(loaded.isEmpty());
    QCOMPARE(loaded.rows().size(), size_t(500));
}

void TestToDoStore::rowsRoundTripByteForByte()
{
    ToDoList list;
    list.row(0) = item(QStringLiteral("Risk Analysis"), QStringLiteral("Tue - Mar 6, 07"),
                       QStringLiteral("Fri - Mar 9, 07"), QStringLiteral("Thu - Mar 6, 08"));
    list.row(1) = item(QStringLiteral("Caf\u00e9 policy, v2  "));
    const QByteArray bytes = list.toFileBytes();
    QCOMPARE(bytes, lines({"Risk Analysis", "Tue - Mar 6, 07", "Fri - Mar 9, 07", "", "Thu - Mar 6, 08"})
                 + QByteArray("\"Caf\xe9 policy, v2  \"\r\n") + lines({"", "", "", ""}) + emptyRows(498));

    ToDoList loaded;
    loaded.fillFromFileBytes(bytes);
    QCOMPARE(loaded.rows(), list.rows());
    QCOMPARE(loaded.toFileBytes(), bytes);
}

void TestToDoStore::spacerIsAlwaysWrittenEmpty()
{
    ToDoList list;
    list.row(0) = item(QStringLiteral("A"));
    list.row(0).fields[ToDoItem::Spacer] = QStringLiteral("hidden text");
    QVERIFY(list.toFileBytes().startsWith(lines({"A", "", "", "", ""})));
}

void TestToDoStore::quotesAndLineBreaksNeverReachTheFile()
{
    ToDoList list;
    list.row(0) = item(QStringLiteral("Say \"hi\"\r\nnow"), QStringLiteral("Tue - Mar 6, 07"));
    const QByteArray bytes = list.toFileBytes();
    QVERIFY(bytes.startsWith(lines({"Say hi  now", "Tue - Mar 6, 07", "", "", ""})));
    QCOMPARE(bytes.count("\r\n"), 2500);
}

void TestToDoStore::damagedLinesKeepLaterRowsInPlace_data()
{
    QTest::addColumn<QByteArray>("firstRow");
    QTest::addColumn<QString>("item");

    QTest::newRow("quote inside") << lines({"Say \"hi\" now", "", "", "", ""}) << "Say hi now";
    QTest::newRow("no closing quote") << QByteArray("\"Open ended\r\n") + lines({"", "", "", ""}) << "Open ended";
    QTest::newRow("no quotes") << QByteArray("  Bare, text \r\n") + lines({"", "", "", ""}) << "Bare, text";
    QTest::newRow("LF only") << QByteArray("\"Unix\"\n\"\"\n\"\"\n\"\"\n\"\"\n") << "Unix";
    QTest::newRow("empty line") << QByteArray("\r\n") + lines({"", "", "", ""}) << "";
}

void TestToDoStore::damagedLinesKeepLaterRowsInPlace()
{
    QFETCH(QByteArray, firstRow);
    QFETCH(QString, item);
    const QByteArray secondRow = lines({"Second", "Wed - Mar 7, 07", "", "", "Fri - Mar 7, 08"});

    ToDoList list;
    list.fillFromFileBytes(QByteArray(firstRow + secondRow));
    QCOMPARE(list.row(0).item(), item);
    QCOMPARE(list.row(1).item(), QStringLiteral("Second"));
    QCOMPARE(list.row(1).fields[ToDoItem::ToDoDate], QStringLiteral("Wed - Mar 7, 07"));
    QCOMPARE(list.row(1).fields[ToDoItem::NextReviewDate], QStringLiteral("Fri - Mar 7, 08"));
    QVERIFY(!list.toFileBytes().contains("hi\""));
}

void TestToDoStore::aMissingLineShiftsNothing_data()
{
    QTest::addColumn<int>("lostField");
    QTest::addColumn<QStringList>("row1");
    // The second of three full rows loses one line of the file.
    QTest::newRow("item") << int(ToDoItem::Item)
                          << QStringList{"", "Wed - Mar 7, 07", "Thu - Mar 8, 07", "", "Fri - Mar 7, 08"};
    QTest::newRow("to-do date") << int(ToDoItem::ToDoDate)
                                << QStringList{"Second", "", "Thu - Mar 8, 07", "", "Fri - Mar 7, 08"};
    QTest::newRow("spacer") << int(ToDoItem::Spacer)
                            << QStringList{"Second", "Wed - Mar 7, 07", "Thu - Mar 8, 07", "", "Fri - Mar 7, 08"};
    QTest::newRow("next review date") << int(ToDoItem::NextReviewDate)
                                      << QStringList{"Second", "Wed - Mar 7, 07", "Thu - Mar 8, 07", "", ""};
}

// Every later row stays in place and no date is left in the spacer, which
// the next save would write empty.
void TestToDoStore::aMissingLineShiftsNothing()
{
    QFETCH(int, lostField);
    QFETCH(QStringList, row1);
    const QList<QList<QByteArray>> rows = {
        {"First", "Tue - Mar 6, 07", "", "", "Thu - Mar 6, 08"},
        {"Second", "Wed - Mar 7, 07", "Thu - Mar 8, 07", "", "Fri - Mar 7, 08"},
        {"Third", "Mon - Mar 12, 07", "Tue - Mar 13, 07", "", "Wed - Mar 12, 08"},
    };
    QByteArray bytes;
    for (int r = 0; r < 500; ++r) {
        for (int field = 0; field < ToDoItem::FieldCount; ++field) {
            if (r == 1 && field == lostField)
                continue;
            bytes += '"' + (r < rows.size() ? rows[r][field] : QByteArray()) + "\"\r\n";
        }
    }
    ToDoList list;
    list.fillFromFileBytes(bytes);
    QCOMPARE(QStringList(list.row(1).fields.begin(), list.row(1).fields.end()), row1);
    for (int r : {0, 2}) {
        for (int field = 0; field < ToDoItem::FieldCount; ++field)
            QCOMPARE(list.row(r).fields[field], QString::fromLatin1(rows[r][field]));
    }
    QVERIFY(list.row(3).fields[ToDoItem::Item].isEmpty());
    // Saved again, the file is whole: every date but the lost one is kept.
    const QByteArray saved = list.toFileBytes();
    QCOMPARE(saved.count("\r\n"), 2500);
    for (const QByteArray date : {"Thu - Mar 8, 07", "Fri - Mar 7, 08", "Tue - Mar 13, 07", "Wed - Mar 12, 08"}) {
        if (!(lostField == ToDoItem::NextReviewDate && date == "Fri - Mar 7, 08"))
            QVERIFY2(saved.contains(date), date.constData());
    }

    // A whole file is read as it stands, even an item that reads as a date.
    ToDoList whole;
    whole.row(0) = item(QStringLiteral("Tue - Mar 6, 07"), QStringLiteral("Wed - Mar 7, 07"));
    ToDoList again;
    again.fillFromFileBytes(whole.toFileBytes());
    QCOMPARE(again.rows(), whole.rows());
}

void TestToDoStore::carriageReturnsEndLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("CR only file") << QByteArray("\"a\"\r\"b c\"\r\"\"\r") << QStringList{"a", "b c", ""};
    QTest::newRow("CR in an unquoted line") << QByteArray("abc\rdef\r\n\"x\"\r\n") << QStringList{"abc", "def", "x"};
    QTest::newRow("CR in a quoted line") << QByteArray("\"abc\rdef\"\r\n") << QStringList{"abc", "def"};
    QTest::newRow("LF then CR") << QByteArray("\"a\"\n\r\"b\"") << QStringList{"a", "", "b"};
    QTest::newRow("CR LF") << QByteArray("\"a\"\r\n\"b\"\r\n") << QStringList{"a", "b"};
}

// A carriage return is a line end, as the format's own readers took it: no
// text is changed on the way through a save.
void TestToDoStore::carriageReturnsEndLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);
    const QStringList read = QuotedLines::read(bytes);
    QCOMPARE(read, fields);
    QCOMPARE(QuotedLines::read(QuotedLines::write(read)), read);
}

void TestToDoStore::loadingFillsAtMostFiveHundredRowsAndKeepsTheRest()
{
    QByteArray tooMany;
    for (int row = 0; row < 502; ++row)
        tooMany += lines({QByteArray::number(row).constData(), "", "", "", ""});
    ToDoList list;
    list.fillFromFileBytes(tooMany);
    QCOMPARE(list.row(499).item(), QStringLiteral("499"));

    ToDoList partial;
    partial.row(3) = item(QStringLiteral("kept"));
    partial.fillFromFileBytes(lines({"new", "", "", "", ""}));
    QCOMPARE(itemsOf(partial), (QStringList{"new", "", "", "kept"}));
}

void TestToDoStore::missingFileLeavesTheListAlone()
{
    TempWorkbook workbook;
    ToDoList list;
    list.row(0) = item(QStringLiteral("still here"));
    QVERIFY(!ToDoStore::loadList(list, workbook.workbook()).loaded());
    QCOMPARE(list.row(0).item(), QStringLiteral("still here"));

    ItemNameList names;
    QVERIFY(names.remember(QStringLiteral("old")));
    QVERIFY(!ToDoStore::loadNames(names, workbook.workbook()).loaded());
    QVERIFY(names.names().isEmpty());
}

void TestToDoStore::unreadableFilesAreReportedAndNeverWrittenOver_data()
{
    QTest::addColumn<Unreadable>("how");
    QTest::addColumn<bool>("names");
    for (bool names : {false, true}) {
        const char *file = names ? "TODONAME.Fil" : "TODOActv.FIL";
        QTest::addRow("%s, a folder in its place", file) << Unreadable::FolderInItsPlace << names;
        QTest::addRow("%s, a link to itself", file) << Unreadable::LinkToItself << names;
        QTest::addRow("%s, no permission", file) << Unreadable::NoPermission << names;
    }
}

void TestToDoStore::unreadableFilesAreReportedAndNeverWrittenOver()
{
    QFETCH(Unreadable, how);
    QFETCH(bool, names);
    TempWorkbook workbook;
    const QString name = names ? ItemNameList::kFileName : ToDoList::kFileName;
    const QByteArray stored = lines({"Encrypt laptops", "Train staff", "Review logs"});
    QVERIFY(makeUnreadable(workbook, name, how, stored));

    ToDoStore::LoadResult loaded;
    ToDoStore::SaveResult saved;
    {
        // The user who cannot read the file adds one name, or saves one item.
        const OrdinaryUserFileAccess ordinaryUser;
        if (names) {
            ItemNameList list;
            loaded = ToDoStore::loadNames(list, workbook.workbook());
            list.remember(QStringLiteral("Back up server"));
            saved = ToDoStore::saveNames(list, workbook.workbook());
        } else {
            ToDoList list;
            loaded = ToDoStore::loadList(list, workbook.workbook());
            list.row(0) = item(QStringLiteral("Back up server"));
            saved = ToDoStore::saveList(list, workbook.workbook());
        }
    }
    QCOMPARE(loaded.state, StoredFile::State::Unreadable);
    QVERIFY(!loaded.error.isEmpty());
    QVERIFY(!saved.ok);
    QVERIFY2(saved.error.contains(QStringLiteral("could not be read")), qPrintable(saved.error));
    QVERIFY(stillAsMadeUnreadable(workbook, name, how, stored));
}

void TestToDoStore::typedDates_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("date");
    const QDate march6(2027, 3, 6);
    QTest::newRow("file form") << "Sat - Mar 6, 27" << march6;
    QTest::newRow("grid form") << "Sat - Mar 6, 2027" << march6;
    QTest::newRow("slashes") << "3/6/2027" << march6;
    QTest::newRow("slashes, two-digit year") << "03/06/27" << march6;
    QTest::newRow("ISO") << "2027-03-06" << march6;
    QTest::newRow("month name") << "march 6, 2027" << march6;
    QTest::newRow("short month, no comma") << "Mar 6 2027" << march6;
    QTest::newRow("day first, month name") << "6 March 2027" << march6;
    QTest::newRow("blanks around") << "  3/6/2027 " << march6;
    QTest::newRow("no date") << "next spring" << QDate();
    QTest::newRow("no such day") << "2/30/2027" << QDate();
    QTest::newRow("empty") << "" << QDate();
}

void TestToDoStore::typedDates()
{
    QFETCH(QString, typed);
    QFETCH(QDate, date);
    QCOMPARE(ToDoDate::parseTyped(typed), date);
    if (date.isValid())
        QCOMPARE(ToDoDate::gridFormat(date), QStringLiteral("Sat - Mar 6, 2027"));
}

void TestToDoStore::saveReplacesTheFileWholeAndReportsFailure()
{
    TempWorkbook workbook;
    // A workbook made where names ignore case: the same file is rewritten.
    QVERIFY(workbook.writeFile(QStringLiteral("todoactv.fil"), lines({"old"})));
    ToDoList list;
    list.row(0) = item(QStringLiteral("new"));
    const ToDoStore::SaveResult saved = ToDoStore::saveList(list, workbook.workbook());
    QVERIFY2(saved.ok, qPrintable(saved.error));
    QCOMPARE(workbook.readFile(QStringLiteral("todoactv.fil")), list.toFileBytes());
    QVERIFY(!workbook.exists(ToDoList::kFileName) || QFileInfo(saved.path).fileName() == "todoactv.fil");

    ToDoList reloaded;
    QVERIFY(ToDoStore::loadList(reloaded, workbook.workbook()).loaded());
    QCOMPARE(reloaded.row(0).item(), QStringLiteral("new"));

    // A file that cannot be replaced (here a folder stands in its place):
    // the reason comes back and nothing else is touched.
    TempWorkbook blocked;
    QVERIFY(blocked.dir().mkdir(ToDoList::kFileName));
    const ToDoStore::SaveResult refused = ToDoStore::saveList(list, blocked.workbook());
    QVERIFY(!refused.ok);
    QVERIFY(!refused.error.isEmpty());
    QVERIFY(refused.path.endsWith(ToDoList::kFileName));
    QVERIFY(QFileInfo(refused.path).isDir());
}

void TestToDoStore::rowOperationsKeepFiveHundredRows()
{
    ToDoList list;
    for (int i = 0; i < 10; ++i)
        list.row(i) = item(QString::number(i + 1));
    list.removeRow(2);
    QCOMPARE(itemsOf(list), (QStringList{"1", "2", "4", "5", "6", "7", "8", "9", "10"}));
    QCOMPARE(list.rows().size(), size_t(500));
    list.insertRow(0);
    QCOMPARE(itemsOf(list), (QStringList{"", "1", "2", "4", "5", "6", "7", "8", "9", "10"}));
    QCOMPARE(list.firstRowWithoutItem(), 0);

    list.row(499) = item(QStringLiteral("last"));
    list.insertRow(0);
    QCOMPARE(list.rows().size(), size_t(500));
    QVERIFY(list.row(499).item().isEmpty());
    list.removeRow(500);
    list.insertRow(-1);
    QCOMPARE(list.rows().size(), size_t(500));
    list.clear();
    QVERIFY(list.isEmpty());
}

void TestToDoStore::sorting_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<bool>("ascending");
    QTest::addColumn<QStringList>("items");

    // Rows: "beta" Mar 6 07, (no item, a date), "Alpha" Jan 1 08, "gamma" no date.
    QTest::newRow("items ascending") << int(ToDoItem::Item) << true
                                     << (QStringList{"Alpha", "beta", "gamma"});
    QTest::newRow("items descending") << int(ToDoItem::Item) << false
                                      << (QStringList{"gamma", "beta", "Alpha"});
    QTest::newRow("dates ascending, as dates") << int(ToDoItem::ToDoDate) << true
                                               << (QStringList{"gamma", "beta", "Alpha"});
    QTest::newRow("dates descending") << int(ToDoItem::ToDoDate) << false
                                      << (QStringList{"Alpha", "beta", "gamma"});
}

void TestToDoStore::sorting()
{
    QFETCH(int, field);
    QFETCH(bool, ascending);
    QFETCH(QStringList, items);

    ToDoList list;
    list.row(0) = item(QStringLiteral("beta"), QStringLiteral("Tue - Mar 6, 07"));
    list.row(1) = item(QString(), QStringLiteral("Mon - Dec 31, 07"));
    list.row(2) = item(QStringLiteral("Alpha"), QStringLiteral("Tue - Jan 1, 08"));
    list.row(5) = item(QStringLiteral("gamma"));
    list.sort(field, ascending);
    QCOMPARE(list.rows().size(), size_t(500));
    QCOMPARE(itemsOf(list), items);
    // The row without an item keeps its date below the items, never lost.
    QCOMPARE(list.row(3).fields[ToDoItem::ToDoDate], QStringLiteral("Mon - Dec 31, 07"));
}

void TestToDoStore::dateText_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("6 March 2007") << QDate(2007, 3, 6) << "Tue - Mar 6, 07";
    QTest::newRow("two-digit day") << QDate(2026, 12, 10) << "Thu - Dec 10, 26";
    QTest::newRow("leap day 2000") << QDate(2000, 2, 29) << "Tue - Feb 29, 00";
    QTest::newRow("1999") << QDate(1999, 12, 31) << "Fri - Dec 31, 99";
}

void TestToDoStore::dateText()
{
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(ToDoDate::format(date), text);
    QCOMPARE(ToDoDate::parse(text), date);
}

void TestToDoStore::centuryFollowsTheStoredWeekday_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::newRow("Fri Dec 31 99 is 1999") << "Fri - Dec 31, 99" << QDate(1999, 12, 31);
    QTest::newRow("Thu Dec 31 99 is 2099") << "Thu - Dec 31, 99" << QDate(2099, 12, 31);
    QTest::newRow("Sat Jan 1 00 is 2000") << "Sat - Jan 1, 00" << QDate(2000, 1, 1);
    QTest::newRow("Mon Jan 1 00 is 1900") << "Mon - Jan 1, 00" << QDate(1900, 1, 1);
    QTest::newRow("Fri Jan 1 00 is 2100") << "Fri - Jan 1, 00" << QDate(2100, 1, 1);
    QTest::newRow("Sun Mar 6 07 is 2107") << "Sun - Mar 6, 07" << QDate(2107, 3, 6);
    QTest::newRow("weekday of no century falls back to 2000s") << "Mon - Mar 6, 07" << QDate(2007, 3, 6);
    QTest::newRow("no weekday falls back to 2000s") << " - Mar 6, 07" << QDate(2007, 3, 6);
    QTest::newRow("Feb 29 00 exists only in 2000") << "Thu - Feb 29, 00" << QDate(2000, 2, 29);
    QTest::newRow("lower case, extra blanks") << "tue -  mar  6 , 07" << QDate(2007, 3, 6);
    QTest::newRow("not a date") << "soon" << QDate();
    QTest::newRow("bad month") << "Tue - Mrz 6, 07" << QDate();
    QTest::newRow("no such day") << "Tue - Feb 30, 07" << QDate();
    QTest::newRow("empty") << "" << QDate();
}

void TestToDoStore::centuryFollowsTheStoredWeekday()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QCOMPARE(ToDoDate::parse(text), date);
}

void TestToDoStore::nameSlots()
{
    ItemNameList names;
    QVERIFY(names.remember(QStringLiteral("First  ")));
    QVERIFY(names.remember(QStringLiteral("Second")));
    QCOMPARE(names.slot(0), QString());
    QCOMPARE(names.slot(1), QStringLiteral("First  "));
    QCOMPARE(names.slot(2), QStringLiteral("Second"));
    QCOMPARE(names.slot(3), QString());
    QCOMPARE(names.toFileBytes(), lines({"First  ", "Second"}));

    QVERIFY(names.remove(QStringLiteral("  FIRST ")));
    QCOMPARE(names.names(), (QStringList{"Second"}));
    QCOMPARE(names.slot(1), QStringLiteral("Second"));
    QCOMPARE(names.slot(2), QString());
    QVERIFY(!names.remove(QStringLiteral("nothing like it")));

    // A name with a quote is kept without it.
    QVERIFY(names.remember(QStringLiteral("6\" pipe")));
    QCOMPARE(names.toFileBytes(), lines({"Second", "6 pipe"}));
}

void TestToDoStore::rememberIgnoresCaseAndTrailingBlanks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("added");
    QTest::newRow("same") << "Risk Analysis" << false;
    QTest::newRow("other case") << "RISK analysis" << false;
    QTest::newRow("trailing blanks") << "Risk Analysis   " << false;
    QTest::newRow("leading blank is another name") << " Risk Analysis" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blanks only") << "   " << false;
    QTest::newRow("new") << "Audit Controls" << true;
}

void TestToDoStore::rememberIgnoresCaseAndTrailingBlanks()
{
    QFETCH(QString, text);
    QFETCH(bool, added);
    ItemNameList names;
    names.loadFromFileBytes(lines({"Risk Analysis"}));
    QCOMPARE(names.remember(text), added);
    QCOMPARE(names.names().size(), added ? 2 : 1);
}

void TestToDoStore::deletingTheOnlyNameLeavesOneEmptyEntry()
{
    TempWorkbook workbook;
    ItemNameList names;
    names.loadFromFileBytes(lines({"Only"}));
    QVERIFY(names.remove(QStringLiteral("only")));
    QCOMPARE(names.names(), (QStringList{QString()}));
    QVERIFY(ToDoStore::saveNames(names, workbook.workbook()).ok);
    QCOMPARE(workbook.readFile(ItemNameList::kFileName), QByteArray("\"\"\r\n"));

    // Reading that file gives the same lone empty entry, which the next name replaces.
    ItemNameList reloaded;
    QVERIFY(ToDoStore::loadNames(reloaded, workbook.workbook()).loaded());
    QCOMPARE(reloaded.names(), (QStringList{QString()}));
    QVERIFY(reloaded.remember(QStringLiteral("Next")));
    QCOMPARE(reloaded.names(), (QStringList{"Next"}));
    QCOMPARE(reloaded.toFileBytes(), lines({"Next"}));
}

void TestToDoStore::deleteWithEmptyTextRemovesNothing()
{
    ItemNameList names;
    names.loadFromFileBytes(lines({"A", "B"}));
    QVERIFY(!names.remove(QStringLiteral("  ")));
    QCOMPARE(names.names(), (QStringList{"A", "B"}));
}

void TestToDoStore::replacingTheWholeList()
{
    // The lone empty entry left by a delete does not survive a new list;
    // quotes go as when a name is remembered; the slots follow the list.
    ItemNameList names;
    names.loadFromFileBytes(lines({"Old", "Kept"}));
    names.setNames({QString(), QStringLiteral("Kept"), QStringLiteral("6\" pipe")});
    QCOMPARE(names.names(), (QStringList{"Kept", "6 pipe"}));
    QCOMPARE(names.slot(2), QStringLiteral("6 pipe"));
    QCOMPARE(names.slot(3), QString());
    QVERIFY(!names.contains(QStringLiteral("Old")));
    QVERIFY(names.remember(QStringLiteral("New")));
    QCOMPARE(names.toFileBytes(), lines({"Kept", "6 pipe", "New"}));
}

void TestToDoStore::namesAreTrimmedOnLoadAndFileFoundIgnoringCase()
{
    TempWorkbook workbook;
    QVERIFY(workbook.writeFile(QStringLiteral("TODONAME.FIL"), lines({"  Padded  ", "Plain"})));
    ItemNameList names;
    QVERIFY(ToDoStore::loadNames(names, workbook.workbook()).loaded());
    QCOMPARE(names.names(), (QStringList{"Padded", "Plain"}));
    QVERIFY(names.remember(QStringLiteral("Third")));
    QVERIFY(ToDoStore::saveNames(names, workbook.workbook()).ok);
    QCOMPARE(workbook.readFile(QStringLiteral("TODONAME.FIL")), lines({"Padded", "Plain", "Third"}));
    QVERIFY(!workbook.exists(QStringLiteral("TODONAME.Fil")) || QDir(workbook.path()).entryList(QDir::Files).size() == 1);

    QVERIFY(ToDoStore::touchLocationFile(workbook.workbook()).ok);
    QCOMPARE(workbook.readFile(ItemNameList::kLocationFileName), QByteArray("\" \"\r\n"));
}

void TestToDoStore::typeAheadSuggestion_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("suggestion");
    QTest::newRow("prefix") << "aud" << "Audit Controls";
    QTest::newRow("first from the top") << "a" << "Access Control";
    QTest::newRow("leading blanks ignored") << "  ri" << "Risk Analysis";
    QTest::newRow("single blank") << " " << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("no match") << "zz" << "";
}

void TestToDoStore::typeAheadSuggestion()
{
    QFETCH(QString, typed);
    QFETCH(QString, suggestion);
    ItemNameList names;
    names.loadFromFileBytes(lines({"Risk Analysis", "Access Control", "Audit Controls"}));
    QCOMPARE(names.suggestionFor(typed), suggestion);
}

QTEST_GUILESS_MAIN(TestToDoStore)
#include "tst_todostore.moc"
