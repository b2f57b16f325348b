#include "printing/pdftext.h"
#include "printing/printpanel.h"
#include "printing/printsurface.h"
#include "printing/scriptedprintservices.h"
#include "support/tempworkbook.h"
#include "support/testservices.h"
#include "timeline/timelineexport.h"
#include "timeline/timelinepanel.h"
#include "timeline/todolist.h"
#include "timeline/todoprintout.h"
#include "timeline/todostore.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QDate kToday(2026, 12, 10);

ToDoList sampleList(int items)
{
    ToDoList list;
    for (int i = 0; i < items; ++i) {
        ToDoItem &row = list.row(i * 2);     // every other row, the rows between empty
        row.fields = {QStringLiteral("Item %1").arg(i + 1, 3, 10, QLatin1Char('0')), QStringLiteral("Tue - Mar 6, 07"),
                      QString(), QString(), QStringLiteral("Thu - Mar 6, 08")};
        list.row(i * 2 + 1).fields[ToDoItem::ToDoDate] = QStringLiteral("Wed - Mar 7, 07");   // a date, no item
    }
    return list;
}

ToDoPrintout::Options options(bool gridLines, bool asOf)
{
    ToDoPrintout::Options o;
    o.font = QFont(QStringLiteral("Liberation Serif"), 12);
    o.gridLines = gridLines;
    o.asOfDate = asOf;
    o.today = kToday;
    return o;
}

QStringList pageTexts(const PrintSurface &surface)
{
    QStringList pages;
    for (int page = 0; page < surface.pageCount(); ++page)
        pages << surface.pageText(page);
    return pages;
}

} // namespace

class TestToDoPrintout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onlyRowsWithAnItemInGridOrder();
    void optionsShapeThePage_data();
    void optionsShapeThePage();
    void headerRepeatsOnEveryPage();
    void fontSizesFollowThePrinterFont();
    void longItemWrapsInItsColumnNotIntoTheDates();
    void panelOpensThePrintoutAndRecomposesOnOptions();
    void nothingToPrint();
    void pdfExportReadsBack();
};

void TestToDoPrintout::onlyRowsWithAnItemInGridOrder()
{
    ToDoList list = sampleList(3);
    list.row(1).fields[ToDoItem::Item] = QStringLiteral("   ");   // blanks are no item
    PrintSurface surface;
    ToDoPrintout::compose(surface, list, options(true, true));
    QCOMPARE(surface.pageCount(), 1);
    const QString text = surface.pageText(0);
    QCOMPARE(text.count(QStringLiteral("Item 0")), 3);
    QVERIFY(text.indexOf(QStringLiteral("Item 001")) < text.indexOf(QStringLiteral("Item 002")));
    QVERIFY(text.indexOf(QStringLiteral("Item 002")) < text.indexOf(QStringLiteral("Item 003")));
    QVERIFY(!text.contains(QStringLiteral("Wed - Mar 7, 07")));
    QCOMPARE(text.count(QStringLiteral("Tue - Mar 6, 07")), 3);
    QCOMPARE(text.count(QStringLiteral("Thu - Mar 6, 08")), 3);
}

void TestToDoPrintout::optionsShapeThePage_data()
{
    QTest::addColumn<bool>("gridLines");
    QTest::addColumn<bool>("asOf");
    QTest::newRow("both") << true << true;
    QTest::newRow("no grid lines") << false << true;
    QTest::newRow("no as-of line") << true << false;
    QTest::newRow("neither") << false << false;
}

void TestToDoPrintout::optionsShapeThePage()
{
    QFETCH(bool, gridLines);
    QFETCH(bool, asOf);
    PrintSurface surface;
    ToDoPrintout::compose(surface, sampleList(2), options(gridLines, asOf));
    // Frame (top, both sides, bottom), the rule under the title block, four
    // column rules and the rule under the captions; and the page furniture's
    // rule under the header, which every page has.
    QCOMPARE(surface.lines(0).size(), gridLines ? 11 : 1);
    QVERIFY(surface.pageText(0).contains(QStringLiteral("Page 1 of 1")));
    QCOMPARE(surface.pageText(0).contains(QStringLiteral("As of  December 10, 2026")), asOf);

    // The captions sit at the same height with or without the as-of line:
    // an unchecked box leaves an empty line under the title.
    PrintSurface other;
    ToDoPrintout::compose(other, sampleList(2), options(gridLines, !asOf));
    auto captionY = [](const PrintSurface &s) {
        for (const PrintedText &t : s.texts(0)) {
            if (t.text.contains(QStringLiteral("To Do Date")))
                return t.position.y();
        }
        return -1.0;
    };
    QVERIFY(captionY(surface) > 0);
    QCOMPARE(captionY(surface), captionY(other));
    if (gridLines) {
        for (const PrintedLine &line : surface.lines(0)) {
            QVERIFY(line.line.x1() >= 720 && line.line.x2() <= surface.pageWidth() - 720);
            QVERIFY(line.line.y2() <= surface.pageHeight() - 200);
        }
    }
}

void TestToDoPrintout::headerRepeatsOnEveryPage()
{
    PrintSurface surface;
    ToDoPrintout::compose(surface, sampleList(120), options(true, true));
    QVERIFY(surface.pageCount() >= 2);
    int items = 0;
    for (const QString &page : pageTexts(surface)) {
        QVERIFY(page.contains(ToDoPrintout::kTitle));
        QVERIFY(page.contains(QStringLiteral("As of  December 10, 2026")));
        QVERIFY(page.contains(QStringLiteral("Next Review Date")));
        items += page.count(QStringLiteral("Item "));
    }
    QCOMPARE(items, 120);
    QCOMPARE(surface.lines(1).size(), 11);
    QVERIFY(pageTexts(surface).last().contains(QStringLiteral("Page %1 of %1").arg(surface.pageCount())));
    // Nothing printed below the ruled frame.
    for (int page = 0; page < surface.pageCount(); ++page) {
        for (const PrintedText &t : surface.texts(page))
            QVERIFY(t.position.y() < surface.pageHeight() - 200);
    }
}

void TestToDoPrintout::fontSizesFollowThePrinterFont()
{
    PrintSurface surface;
    ToDoPrintout::Options o = options(true, true);
    o.font = QFont(QStringLiteral("Liberation Sans"), 14);
    ToDoPrintout::compose(surface, sampleList(1), o);
    auto sizeOf = [&surface](const QString &start) {
        for (const PrintedText &t : surface.texts(0)) {
            if (t.text.startsWith(start))
                return t.font.pointSizeF();
        }
        return 0.0;
    };
    QCOMPARE(sizeOf(QStringLiteral("Project")), 16.0);
    QCOMPARE(sizeOf(QStringLiteral("As of")), 12.0);
    QCOMPARE(sizeOf(QStringLiteral("To Do Item")), 14.0);
    QCOMPARE(sizeOf(QStringLiteral("Item 001")), 14.0);

    QCOMPARE(ToDoPrintout::printerFontFrom(QFont(QStringLiteral("MS Sans Serif"), 8), 10).pointSizeF(), 12.0);
    QCOMPARE(ToDoPrintout::printerFontFrom(QFont(QStringLiteral("MS Sans Serif"), 8), 10).family(),
             QStringLiteral("Times New Roman"));
    QCOMPARE(ToDoPrintout::printerFontFrom(QFont(QStringLiteral("Liberation Sans"), 8), 0).pointSizeF(), 12.0);
    QCOMPARE(ToDoPrintout::printerFontFrom(QFont(QStringLiteral("Liberation Sans"), 8), 11).pointSizeF(), 11.0);
}

void TestToDoPrintout::longItemWrapsInItsColumnNotIntoTheDates()
{
    ToDoList list;
    const QString item = QStringLiteral("Train every member of the front desk staff on the new sign-in procedure "
                                        "and record who attended each session");
    list.row(0).fields = {item, QStringLiteral("Tue - Mar 6, 07"), {}, {}, {}};
    list.row(1).fields = {QStringLiteral("Next item"), QStringLiteral("Wed - Mar 7, 07"), {}, {}, {}};
    PrintSurface surface;
    ToDoPrintout::compose(surface, list, options(true, true));
    // The whole item is printed, on more than one line, left of the dates.
    QString printed;
    qreal dateX = 0;
    QList<qreal> itemLines;
    qreal nextY = 0;
    for (const PrintedText &t : surface.texts(0)) {
        if (t.text == QLatin1String("Tue - Mar 6, 07"))
            dateX = t.position.x();
        else if (t.text == QLatin1String("Next item"))
            nextY = t.position.y();
    }
    for (const PrintedText &t : surface.texts(0)) {
        if (item.contains(t.text.trimmed()) && t.text.trimmed().size() > 3) {
            printed += t.text.trimmed() + QLatin1Char(' ');
            itemLines << t.position.y();
            QVERIFY(t.position.x() + surface.textWidth(t.text) < dateX);
        }
    }
    QCOMPARE(printed.simplified(), item);
    QVERIFY(itemLines.size() >= 2);
    // The next row starts below the item's last line.
    QVERIFY(nextY > itemLines.last());
}

void TestToDoPrintout::panelOpensThePrintoutAndRecomposesOnOptions()
{
    TempWorkbook workbook;
    TestServices test = makeTestServices();
    auto print = std::make_shared<ScriptedPrintServices>();
    QWidget window;
    window.resize(800, 600);
    auto *timeline = new TimelinePanel(workbook.workbook(), test.services, {}, &window);
    timeline->setGeometry(0, 0, 800, 600);
    auto *panel = new PrintPanel(workbook.workbook(), test.services, print, &window);
    panel->hide();
    timeline->setToday([] { return kToday; });
    timeline->setPrintPanel(panel);
    window.show();
    QVERIFY(ToDoStore::saveList(sampleList(3), workbook.workbook()).ok);
    timeline->enter();

    QTest::mouseClick(timeline->button(TimelinePanel::Print), Qt::LeftButton);
    QVERIFY(panel->isOpen());
    QCOMPARE(panel->rangeOption()->text(), QStringLiteral("Only Rows with a To Do Item"));
    QVERIFY(panel->toDoOptionsVisible());
    QVERIFY(!panel->sectionFrameVisible());
    QVERIFY(panel->gridLinesBox()->isChecked());
    QVERIFY(panel->surface()->pageText(0).contains(QStringLiteral("Item 003")));
    // The grid's ten rules and the page furniture's rule under the header.
    QCOMPARE(panel->surface()->lines(0).size(), 11);

    panel->gridLinesBox()->click();
    QCOMPARE(panel->surface()->lines(0).size(), 1);
    panel->asOfDateBox()->click();
    QVERIFY(!panel->surface()->pageText(0).contains(QStringLiteral("As of")));

    // Closed and opened again, the boxes keep the user's choice.
    panel->cancel();
    timeline->openToDoPrint();
    QVERIFY(!panel->gridLinesBox()->isChecked());
    QCOMPARE(panel->surface()->lines(0).size(), 1);
}

void TestToDoPrintout::nothingToPrint()
{
    TempWorkbook workbook;
    TestServices test = makeTestServices();
    auto print = std::make_shared<ScriptedPrintServices>();
    QWidget window;
    auto *timeline = new TimelinePanel(workbook.workbook(), test.services, {}, &window);
    auto *panel = new PrintPanel(workbook.workbook(), test.services, print, &window);
    panel->hide();
    timeline->setPrintPanel(panel);
    // Dates without items are nothing to print.
    ToDoList list;
    list.row(0).fields[ToDoItem::ToDoDate] = QStringLiteral("Tue - Mar 6, 07");
    QVERIFY(ToDoStore::saveList(list, workbook.workbook()).ok);
    timeline->enter();
    test.prompt->enqueue(Prompt::Answer::Ok);
    timeline->openToDoPrint();
    QCOMPARE(test.prompt->questions.size(), 1);
    QCOMPARE(test.prompt->questions[0].title, QStringLiteral("Print"));
    QCOMPARE(test.prompt->questions[0].text, QStringLiteral("There are currently No Entries to Print!"));
    QVERIFY(!panel->isOpen());

    QString error;
    QVERIFY(!TimelineExport::writePdf(workbook.workbook(), workbook.filePath(QStringLiteral("out.pdf")), kToday, &error));
    QCOMPARE(error, ToDoPrintout::kNothingToPrint);
    QVERIFY(!workbook.exists(QStringLiteral("out.pdf")));
}

void TestToDoPrintout::pdfExportReadsBack()
{
    TempWorkbook workbook;
    QVERIFY(ToDoStore::saveList(sampleList(2), workbook.workbook()).ok);
    const QString pdf = workbook.filePath(QStringLiteral("timeline.pdf"));
    QString error;
    QVERIFY2(TimelineExport::writePdf(workbook.workbook(), pdf, kToday, &error), qPrintable(error));
    const QStringList pages = pdfPageTexts(pdf);
    if (pages.isEmpty())
        QSKIP("pdftotext is not installed");
    QCOMPARE(pages.size(), 1);
    const QString text = collapsed(pages[0]);
    QVERIFY2(text.contains(QStringLiteral("Project Timeline/To Do List")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("As of December 10, 2026")));
    QVERIFY(text.contains(QStringLiteral("To Do Item To Do Date Actual Date Next Review Date")));
    QVERIFY(text.contains(QStringLiteral("Item 001 Tue - Mar 6, 07 Thu - Mar 6, 08")));
    QVERIFY(text.contains(QStringLiteral("Item 002")));
    QVERIFY(!text.contains(QStringLiteral("Wed - Mar 7, 07")));

    const QString ics = workbook.filePath(QStringLiteral("timeline.ics"));
    // Exported on a day before every date of the list (later ones leave past dates out).
    QVERIFY(TimelineExport::writeCalendar(workbook.workbook(), ics,
                                          QDateTime(QDate(2007, 1, 2), QTime(8, 0), Qt::UTC), &error));
    QCOMPARE(workbook.readFile(QStringLiteral("timeline.ics")).count("BEGIN:VEVENT"), 4);
}

QTEST_MAIN(TestToDoPrintout)
#include "tst_todoprintout.moc"
