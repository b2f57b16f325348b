#include "platform/services/writingaiddialogs.h"
#include "platform/writingaids/spellchecker.h"
#include "platform/writingaids/todospellcheck.h"
#include "support/tempworkbook.h"
#include "support/testservices.h"
#include "timeline/itemnamelist.h"
#include "timeline/timelinepanel.h"
#include "timeline/todolist.h"

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

using Answer = Prompt::Answer;

namespace {

QByteArray lines(const QStringList &fields)
{
    QByteArray bytes;
    for (const QString &field : fields)
        bytes += "\"" + field.toLatin1() + "\"\r\n";
    return bytes;
}

// A panel over a temporary workbook with scripted message boxes and a fixed
// today (Thursday 10 December 2026).
struct PanelFixture
{
    TempWorkbook workbook;
    TestServices test = makeTestServices();
    bool unsaved = false;
    TimelinePanel panel{workbook.workbook(), test.services, {[this] { return unsaved; }, [this](bool value) { unsaved = value; }}};
    QAction deleteEntry{QStringLiteral("&Delete Item from Grid")};
    QAction clearEntry{QStringLiteral("&Clear Grid")};
    QAction insertEntry{QStringLiteral("&Insert Row")};

    PanelFixture()
    {
        panel.setToday([] { return QDate(2026, 12, 10); });
        panel.attachMenuEntries(&deleteEntry, &clearEntry, &insertEntry);
        panel.resize(640, 480);
        panel.show();
        panel.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&panel));
    }

    // Rows 1.. get these items (and a to-do date when given as "item|date").
    void writeList(const QStringList &items)
    {
        QStringList fields;
        for (const QString &entry : items) {
            const QStringList parts = entry.split(QLatin1Char('|'));
            fields << parts.value(0) << parts.value(1) << QString() << QString() << parts.value(2);
        }
        QVERIFY(workbook.writeFile(ToDoList::kFileName, lines(fields)));
    }

    QString cell(int row, int column) const { return panel.grid()->item(row - 1, column)->text(); }
    QStringList items() const
    {
        QStringList result;
        const ToDoList list = panel.list();
        for (const ToDoItem &row : list.rows())
            result << row.item();
        while (!result.isEmpty() && result.last().isEmpty())
            result.removeLast();
        return result;
    }
    QPushButton *button(TimelinePanel::Button which) const { return panel.button(which); }
};

} // namespace

class TestTimelinePanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void enteringLoadsBothFiles();
    void cellClicks_data();
    void cellClicks();
    void datePickedOnTheCalendar();
    void dateTypedInTheCellIsStoredInTheFileForm_data();
    void dateTypedInTheCellIsStoredInTheFileForm();
    void calendarFollowsItsCellAsTheGridScrolls();
    void itemBoxKeepsQuotesOutAndStopsAt45();
    void enterInTheItemBoxFillsTheEditedCell();
    void addToGridFillsTheFirstEmptyRowAndNeverAFullGrid();
    void typeAheadAndPickingAName();
    void editedCellRemembersItsNameAndKeepsQuotesOut();
    void deleteItemFromFile();
    void deleteRow_data();
    void deleteRow();
    void insertRowKeepsFiveHundredRowsAndProtectsTheLast();
    void clearGrid_data();
    void clearGrid();
    void sortingByHeaderClicks();
    void saveWritesOnlyWithUnsavedChanges();
    void failedSaveKeepsEditsAndFlag();
    void exportToCalendar();
    void spellCheckCorrectsItemsAndNames();
    void spellCheckWithNothingToCorrect();
};

void TestTimelinePanel::enteringLoadsBothFiles()
{
    PanelFixture f;
    f.writeList({"Risk Analysis|Tue - Mar 6, 07|Thu - Mar 6, 08", "Audit"});
    QVERIFY(f.workbook.writeFile(QStringLiteral("todoname.fil"), lines({" Risk Analysis ", "Audit"})));
    f.unsaved = true;
    f.panel.enter();
    QCOMPARE(f.items(), (QStringList{"Risk Analysis", "Audit"}));
    QCOMPARE(f.cell(1, 2), QStringLiteral("Tue - Mar 6, 07"));
    QCOMPARE(f.cell(1, 5), QStringLiteral("Thu - Mar 6, 08"));
    QCOMPARE(f.panel.nameDropDown()->count(), 2);
    QCOMPARE(f.panel.nameDropDown()->itemText(0), QStringLiteral("Risk Analysis"));
    QVERIFY(!f.unsaved);
    QVERIFY(!f.button(TimelinePanel::Save)->isEnabled());
    QVERIFY(f.button(TimelinePanel::ClearGrid)->isEnabled());
    QVERIFY(f.clearEntry.isEnabled());
    QVERIFY(!f.panel.calendar()->isVisible());
    QCOMPARE(f.panel.dateLine()->text(), QStringLiteral("Date: December 10, 2026"));
    QCOMPARE(f.panel.grid()->horizontalHeaderItem(5)->text(), QStringLiteral("Next Review Date"));
    QCOMPARE(f.panel.grid()->rowCount(), 500);
}

void TestTimelinePanel::cellClicks_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("editMode");
    QTest::addColumn<bool>("calendarShown");
    QTest::addColumn<bool>("askedForItem");

    QTest::newRow("item cell") << 1 << 1 << 1 << false << false;
    QTest::newRow("row header column") << 1 << 0 << 0 << false << false;
    QTest::newRow("to-do date") << 1 << 2 << 1 << true << false;
    QTest::newRow("actual date") << 1 << 3 << 1 << true << false;
    QTest::newRow("next review date") << 1 << 5 << 1 << true << false;
    QTest::newRow("date of a row without item") << 4 << 2 << 0 << false << true;
    QTest::newRow("review date of a row without item") << 4 << 5 << 0 << false << true;
    QTest::newRow("empty item cell") << 4 << 1 << 1 << false << false;
}

void TestTimelinePanel::cellClicks()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, editMode);
    QFETCH(bool, calendarShown);
    QFETCH(bool, askedForItem);

    PanelFixture f;
    f.writeList({"One|Tue - Mar 6, 07", "Two", ""});
    f.panel.enter();
    f.test.prompt->answerUnscriptedWith(Answer::Ok);
    f.panel.grid()->scrollToBottom();
    f.panel.clickCell(row, column);

    QCOMPARE(f.panel.editMode(), editMode);
    QCOMPARE(f.panel.calendar()->isVisible(), calendarShown);
    QCOMPARE(f.test.prompt->questions.size(), askedForItem ? 1 : 0);
    if (askedForItem) {
        QCOMPARE(f.test.prompt->questions[0].title, QStringLiteral("Item Grid"));
        QCOMPARE(f.test.prompt->questions[0].text, QStringLiteral("Please, enter an Item before any dates."));
        QCOMPARE(f.test.prompt->questions[0].icon, Prompt::Icon::Information);
        // The first empty item cell becomes current, at the top of the grid.
        QCOMPARE(f.panel.grid()->currentRow(), 2);
        QCOMPARE(f.panel.grid()->currentColumn(), 1);
        QCOMPARE(f.panel.grid()->rowAt(0), 2);
        QVERIFY(!f.button(TimelinePanel::DeleteItemFromGrid)->isEnabled());
    } else {
        QCOMPARE(f.panel.selectedRow(), row);
        QVERIFY(f.button(TimelinePanel::DeleteItemFromGrid)->isEnabled());
        QVERIFY(f.deleteEntry.isEnabled());
    }
    if (calendarShown) {
        // The calendar opens on the cell's date, or today for an empty cell.
        const QDate expected = row == 1 && column == 2 ? QDate(2007, 3, 6) : QDate(2026, 12, 10);
        QCOMPARE(f.panel.calendar()->selectedDate(), expected);
        QVERIFY(f.panel.rect().contains(f.panel.calendar()->geometry()));
    }
    QVERIFY(!f.unsaved);
}

void TestTimelinePanel::dateTypedInTheCellIsStoredInTheFileForm_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("month/day/year") << "3/6/2027" << "Sat - Mar 6, 27";
    QTest::newRow("two-digit year") << "3/6/27" << "Sat - Mar 6, 27";
    QTest::newRow("ISO") << "2027-03-06" << "Sat - Mar 6, 27";
    QTest::newRow("month name") << "March 6, 2027" << "Sat - Mar 6, 27";
    QTest::newRow("the grid's form") << "Sat - Mar 6, 2027" << "Sat - Mar 6, 27";
    QTest::newRow("the file's form") << "Sat - Mar 6, 27" << "Sat - Mar 6, 27";
    QTest::newRow("cleared") << "" << "";
    QTest::newRow("not a date: kept") << "next spring" << "Tue - Mar 6, 07";
}

void TestTimelinePanel::dateTypedInTheCellIsStoredInTheFileForm()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    PanelFixture f;
    f.writeList({"One|Tue - Mar 6, 07"});
    f.panel.enter();
    // The grid shows four-digit years; the file's text is unchanged.
    QTableWidget *grid = f.panel.grid();
    const QModelIndex index = grid->model()->index(0, 2);
    QCOMPARE(f.panel.shownCellText(1, 2), QStringLiteral("Tue - Mar 6, 2007"));
    QCOMPARE(f.cell(1, 2), QStringLiteral("Tue - Mar 6, 07"));
    QStyleOptionViewItem option;
    option.initFrom(grid);
    QWidget *editor = grid->itemDelegate()->createEditor(grid->viewport(), option, index);
    auto *line = qobject_cast<QLineEdit *>(editor);
    QVERIFY(line);
    grid->itemDelegate()->setEditorData(line, index);
    QCOMPARE(line->text(), QStringLiteral("Tue - Mar 6, 2007"));
    line->setText(typed);
    grid->itemDelegate()->setModelData(line, grid->model(), index);
    delete editor;
    QCOMPARE(f.cell(1, 2), stored);
    QCOMPARE(f.unsaved, stored != QStringLiteral("Tue - Mar 6, 07"));
}

void TestTimelinePanel::calendarFollowsItsCellAsTheGridScrolls()
{
    PanelFixture f;
    f.writeList({"One", "Two", "Three", "Four|Tue - Mar 6, 07"});
    f.panel.enter();
    QTableWidget *grid = f.panel.grid();
    f.panel.clickCell(4, 2);
    QVERIFY(f.panel.calendar()->isVisible());
    const auto cellBottom = [&] {
        const QRect cell = grid->visualRect(grid->model()->index(3, 2));
        return grid->viewport()->mapTo(&f.panel, cell.bottomLeft()).y() + 2;
    };
    const int before = f.panel.calendar()->y();
    QCOMPARE(before, cellBottom());
    // One row down: the calendar moves up with its cell.
    grid->verticalScrollBar()->setValue(1);
    QVERIFY(f.panel.calendar()->isVisible());
    QVERIFY(f.panel.calendar()->y() < before);
    QCOMPARE(f.panel.calendar()->y(), cellBottom());
    // Far down: the cell is out of view and the calendar closes.
    grid->verticalScrollBar()->setValue(200);
    QVERIFY(!f.panel.calendar()->isVisible());
}

void TestTimelinePanel::datePickedOnTheCalendar()
{
    PanelFixture f;
    f.writeList({"One"});
    f.panel.enter();
    f.panel.clickCell(1, 3);
    f.panel.pickDate(QDate(2007, 3, 6));
    QCOMPARE(f.cell(1, 3), QStringLiteral("Tue - Mar 6, 07"));
    QVERIFY(f.unsaved);
    QVERIFY(f.button(TimelinePanel::Save)->isEnabled());
    // The calendar stays open for another pick until it is hidden.
    QVERIFY(f.panel.calendar()->isVisible());
    QTest::mouseClick(f.button(TimelinePanel::Exit), Qt::LeftButton);
    QVERIFY(!f.panel.calendar()->isVisible());

    // Delete in the grid clears a date cell, never an item.
    f.unsaved = false;
    f.panel.grid()->setCurrentCell(0, 3);
    QTest::keyClick(f.panel.grid(), Qt::Key_Delete);
    QCOMPARE(f.cell(1, 3), QString());
    QVERIFY(f.unsaved);
    f.panel.grid()->setCurrentCell(0, 1);
    QTest::keyClick(f.panel.grid(), Qt::Key_Delete);
    QCOMPARE(f.cell(1, 1), QStringLiteral("One"));
}

void TestTimelinePanel::itemBoxKeepsQuotesOutAndStopsAt45()
{
    PanelFixture f;
    f.panel.enter();
    QLineEdit *box = f.panel.itemBox();
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("6\" pipe"));
    QCOMPARE(box->text(), QStringLiteral("6 pipe"));
    QVERIFY(f.button(TimelinePanel::AddToGrid)->isEnabled());
    box->clear();
    QVERIFY(!f.button(TimelinePanel::AddToGrid)->isEnabled());
    QTest::keyClicks(box, QString(46, QLatin1Char('x')));
    QCOMPARE(box->text().size(), 45);
    // Light yellow while it has the focus.
    QCOMPARE(box->palette().color(QPalette::Base), TimelinePanel::kHighlight);
}

void TestTimelinePanel::enterInTheItemBoxFillsTheEditedCell()
{
    PanelFixture f;
    f.writeList({"One", "Two"});
    f.panel.enter();
    f.panel.clickCell(2, 1);
    QCOMPARE(f.panel.editMode(), int(TimelinePanel::KeyboardEditing));
    f.panel.itemBox()->setText(QStringLiteral("Replaced"));
    QTest::keyClick(f.panel.itemBox(), Qt::Key_Return);
    QCOMPARE(f.cell(2, 1), QStringLiteral("Replaced  "));
    QVERIFY(f.unsaved);
    QCOMPARE(f.panel.itemNames().names(), (QStringList{"Replaced"}));
    QCOMPARE(f.workbook.readFile(ItemNameList::kFileName), lines({"Replaced"}));
}

void TestTimelinePanel::addToGridFillsTheFirstEmptyRowAndNeverAFullGrid()
{
    PanelFixture f;
    f.writeList({"One", "  ", "Three"});
    f.panel.enter();
    f.panel.itemBox()->setText(QStringLiteral("New"));
    QTest::mouseClick(f.button(TimelinePanel::AddToGrid), Qt::LeftButton);
    QCOMPARE(f.items(), (QStringList{"One", "New", "Three"}));
    QVERIFY(f.panel.itemBox()->text().isEmpty());
    QVERIFY(f.unsaved);
    QCOMPARE(f.panel.editMode(), 0);

    // A single blank is no item.
    f.panel.itemBox()->setText(QStringLiteral(" "));
    f.panel.addToGrid();
    QCOMPARE(f.items(), (QStringList{"One", "New", "Three"}));

    // A full grid: nothing is added and nothing is said.
    QStringList full;
    for (int i = 1; i <= 500; ++i)
        full << QString::number(i);
    f.writeList(full);
    f.panel.enter();
    f.panel.itemBox()->setText(QStringLiteral("One too many"));
    f.panel.addToGrid();
    QCOMPARE(f.items(), full);
    QVERIFY(!f.unsaved);
    QVERIFY(f.test.prompt->questions.isEmpty());
}

void TestTimelinePanel::typeAheadAndPickingAName()
{
    PanelFixture f;
    QVERIFY(f.workbook.writeFile(ItemNameList::kFileName, lines({"Risk Analysis", "Audit Controls"})));
    f.panel.enter();
    f.panel.itemBox()->setFocus();
    QTest::keyClicks(f.panel.itemBox(), QStringLiteral("au"));
    QCOMPARE(f.panel.nameDropDown()->currentText(), QStringLiteral("Audit Controls"));

    f.panel.itemBox()->clear();
    f.panel.pickName(QStringLiteral("Risk Analysis"));
    QCOMPARE(f.panel.itemBox()->text(), QStringLiteral("Risk Analysis"));
    QVERIFY(f.button(TimelinePanel::DeleteItemFromFile)->isEnabled());
    QVERIFY(f.button(TimelinePanel::AddToGrid)->isEnabled());
    // Clicking an item cell with text in the box puts it there.
    f.panel.clickCell(3, 1);
    QCOMPARE(f.cell(3, 1), QStringLiteral("Risk Analysis"));
    QVERIFY(f.panel.itemBox()->text().isEmpty());
    QVERIFY(f.unsaved);
    // Nothing new to remember: the file is as it was.
    QCOMPARE(f.workbook.readFile(ItemNameList::kFileName), lines({"Risk Analysis", "Audit Controls"}));
}

void TestTimelinePanel::editedCellRemembersItsNameAndKeepsQuotesOut()
{
    PanelFixture f;
    f.panel.enter();
    f.panel.grid()->item(0, 1)->setText(QStringLiteral("Typed \"here\""));
    QCOMPARE(f.cell(1, 1), QStringLiteral("Typed here"));
    QVERIFY(f.unsaved);
    QCOMPARE(f.workbook.readFile(ItemNameList::kFileName), lines({"Typed here"}));
    QCOMPARE(f.workbook.readFile(ItemNameList::kLocationFileName), QByteArray("\" \"\r\n"));
}

void TestTimelinePanel::deleteItemFromFile()
{
    PanelFixture f;
    QVERIFY(f.workbook.writeFile(ItemNameList::kFileName, lines({"Only"})));
    f.panel.enter();
    f.panel.pickName(QStringLiteral("Only"));
    QTest::mouseClick(f.button(TimelinePanel::DeleteItemFromFile), Qt::LeftButton);
    QCOMPARE(f.workbook.readFile(ItemNameList::kFileName), QByteArray("\"\"\r\n"));
    QCOMPARE(f.panel.nameDropDown()->count(), 1);
    QVERIFY(f.panel.itemBox()->text().isEmpty());
    QVERIFY(!f.button(TimelinePanel::DeleteItemFromFile)->isEnabled());
}

void TestTimelinePanel::deleteRow_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QStringList>("items");
    const QStringList ten = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    QTest::newRow("yes") << Answer::Yes << (QStringList{"1", "2", "4", "5", "6", "7", "8", "9", "10"});
    QTest::newRow("no") << Answer::No << ten;
    QTest::newRow("cancel") << Answer::Cancel << ten;
}

void TestTimelinePanel::deleteRow()
{
    QFETCH(Answer, answer);
    QFETCH(QStringList, items);
    PanelFixture f;
    f.writeList({"1", "2", "3|Tue - Mar 6, 07", "4", "5", "6", "7", "8", "9", "10"});
    f.panel.enter();
    f.panel.clickCell(3, 1);
    f.test.prompt->enqueue(answer);
    QTest::keyClick(f.panel.itemBox(), Qt::Key_Delete);

    QCOMPARE(f.test.prompt->questions.size(), 1);
    const auto &question = f.test.prompt->questions[0];
    QCOMPARE(question.title, QStringLiteral("Delete Row"));
    QCOMPARE(question.text, QStringLiteral("Delete Activity and Dates for - \n3, Tue - Mar 6, 07?"));
    QCOMPARE(question.buttons, Prompt::Buttons::YesNoCancel);
    QCOMPARE(question.defaultAnswer, std::optional<Answer>(Answer::No));
    QCOMPARE(f.items(), items);
    QCOMPARE(f.panel.grid()->rowCount(), 500);
    QCOMPARE(f.panel.list().rows().size(), size_t(500));
    QCOMPARE(f.unsaved, answer == Answer::Yes);
    for (int column = 1; column < 6; ++column)
        QVERIFY(!f.panel.grid()->item(2, column)->data(Qt::BackgroundRole).isValid());
    QVERIFY(!f.button(TimelinePanel::DeleteItemFromGrid)->isEnabled());
    QVERIFY(!f.deleteEntry.isEnabled());
    // The removed row's place stays current.
    QCOMPARE(f.panel.grid()->currentRow(), 2);

    // An empty row asks the short question.
    f.panel.clickCell(20, 1);
    f.test.prompt->enqueue(Answer::No);
    f.panel.deleteRow();
    QCOMPARE(f.test.prompt->questions.last().text, QStringLiteral("Delete This Row?"));
}

void TestTimelinePanel::insertRowKeepsFiveHundredRowsAndProtectsTheLast()
{
    PanelFixture f;
    f.writeList({"1", "2", "3"});
    f.panel.enter();
    f.panel.clickCell(2, 1);
    QVERIFY(f.insertEntry.isEnabled());
    f.insertEntry.trigger();
    QCOMPARE(f.items(), (QStringList{"1", "", "2", "3"}));
    QCOMPARE(f.panel.grid()->currentRow(), 1);
    QVERIFY(f.unsaved);

    QStringList full;
    for (int i = 1; i <= 500; ++i)
        full << QString::number(i);
    f.writeList(full);
    f.panel.enter();
    f.panel.clickCell(1, 1);
    f.test.prompt->enqueue(Answer::Ok);
    f.panel.insertRow();
    QCOMPARE(f.items(), full);
    QCOMPARE(f.test.prompt->questions.last().title, QStringLiteral("Insert Row"));
}

void TestTimelinePanel::clearGrid_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("previewShown");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("yes") << Answer::Yes << false << true;
    QTest::newRow("no") << Answer::No << false << false;
    QTest::newRow("cancel") << Answer::Cancel << false << false;
    QTest::newRow("print preview shown") << Answer::Yes << true << false;
}

void TestTimelinePanel::clearGrid()
{
    QFETCH(Answer, answer);
    QFETCH(bool, previewShown);
    QFETCH(bool, cleared);
    PanelFixture f;
    f.writeList({"1", "2"});
    const QByteArray before = f.workbook.readFile(ToDoList::kFileName);
    f.panel.enter();
    f.panel.setPrintPreviewShown([previewShown] { return previewShown; });
    if (!previewShown)
        f.test.prompt->enqueue(answer);
    f.clearEntry.trigger();
    QCOMPARE(f.items().isEmpty(), cleared);
    QCOMPARE(f.unsaved, cleared);
    QCOMPARE(f.test.prompt->questions.size(), previewShown ? 0 : 1);
    if (!previewShown)
        QCOMPARE(f.test.prompt->questions[0].text, QStringLiteral("Do you really want To Clear the Grid?"));
    // Nothing reaches the file before "&Save".
    QCOMPARE(f.workbook.readFile(ToDoList::kFileName), before);
    QCOMPARE(f.panel.grid()->rowCount(), 500);
}

void TestTimelinePanel::sortingByHeaderClicks()
{
    PanelFixture f;
    f.writeList({"beta|Tue - Mar 6, 07", "", "Alpha|Tue - Jan 1, 08", "", "gamma|Sat - Jan 1, 00"});
    f.panel.enter();
    QHeaderView *header = f.panel.grid()->horizontalHeader();
    auto clickHeader = [&](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, 5));
    };
    clickHeader(2);
    QCOMPARE(f.items(), (QStringList{"gamma", "beta", "Alpha"}));
    QVERIFY(f.unsaved);
    clickHeader(2);
    QCOMPARE(f.items(), (QStringList{"Alpha", "beta", "gamma"}));
    clickHeader(1);
    QCOMPARE(f.items(), (QStringList{"Alpha", "beta", "gamma"}));
    QCOMPARE(f.cell(1, 2), QStringLiteral("Tue - Jan 1, 08"));
    QCOMPARE(f.panel.grid()->rowCount(), 500);
    // The calendar closes when the grid sorts.
    f.panel.clickCell(1, 2);
    QVERIFY(f.panel.calendar()->isVisible());
    clickHeader(5);
    QVERIFY(!f.panel.calendar()->isVisible());
}

void TestTimelinePanel::saveWritesOnlyWithUnsavedChanges()
{
    PanelFixture f;
    f.writeList({"Kept"});
    f.panel.enter();
    f.panel.grid()->item(0, 4)->setText(QStringLiteral("spacer text"));
    f.unsaved = false;
    QVERIFY(f.panel.save());
    QCOMPARE(f.workbook.readFile(ToDoList::kFileName), lines({"Kept", "", "", "", ""}));

    f.panel.itemBox()->setText(QStringLiteral("Added"));
    f.panel.addToGrid();
    QVERIFY(f.button(TimelinePanel::Save)->isEnabled());
    QTest::mouseClick(f.button(TimelinePanel::Save), Qt::LeftButton);
    QVERIFY(!f.unsaved);
    QVERIFY(f.button(TimelinePanel::Save)->isEnabled());     // only the window's save disables it
    const QByteArray saved = f.workbook.readFile(ToDoList::kFileName);
    QVERIFY(saved.startsWith(lines({"Kept", "", "", "", "", "Added", "", "", "", ""})));
    QCOMPARE(saved.count("\r\n"), 2500);

    // A name picked while a cell is being edited goes into that cell.
    f.panel.clickCell(1, 1);
    f.panel.pickName(QStringLiteral("Picked"));
    QCOMPARE(f.cell(1, 1), QStringLiteral("Picked"));
    QCOMPARE(f.panel.editMode(), 0);
    QVERIFY(f.unsaved);
    QVERIFY(f.panel.save(true));
    QVERIFY(!f.button(TimelinePanel::Save)->isEnabled());
}

void TestTimelinePanel::failedSaveKeepsEditsAndFlag()
{
    PanelFixture f;
    f.panel.enter();
    QVERIFY(f.workbook.dir().mkdir(ToDoList::kFileName));   // a folder where the file should go
    f.panel.itemBox()->setText(QStringLiteral("Precious"));
    f.panel.addToGrid();
    f.test.prompt->enqueue(Answer::Ok);
    QVERIFY(!f.panel.save(true));
    QCOMPARE(f.test.prompt->questions.size(), 1);
    QCOMPARE(f.test.prompt->questions[0].icon, Prompt::Icon::Critical);
    QVERIFY(f.test.prompt->questions[0].text.contains(QDir::toNativeSeparators(f.workbook.filePath(ToDoList::kFileName))));
    QVERIFY(f.unsaved);
    QVERIFY(f.button(TimelinePanel::Save)->isEnabled());
    QCOMPARE(f.items(), (QStringList{"Precious"}));
}

void TestTimelinePanel::exportToCalendar()
{
    PanelFixture f;
    f.writeList({"Risk Analysis|Sat - Mar 6, 27|Mon - Mar 6, 28"});
    f.panel.enter();
    const QString target = f.workbook.filePath(QStringLiteral("plan.ics"));
    QString offered;
    f.panel.setExportFileChooser([&](QWidget *, const QString &suggested) {
        offered = suggested;
        return target;
    });
    f.test.prompt->enqueue(Answer::Ok);
    QTest::mouseClick(f.button(TimelinePanel::ExportCalendar), Qt::LeftButton);
    QVERIFY(offered.endsWith(QStringLiteral(".ics")));
    const QByteArray bytes = f.workbook.readFile(QStringLiteral("plan.ics"));
    QCOMPARE(bytes.count("BEGIN:VEVENT"), 2);
    QVERIFY(bytes.contains("SUMMARY:Risk Analysis - Next Review Date\r\n"));
    QVERIFY(f.test.prompt->questions[0].text.startsWith(QStringLiteral("2 dates were written")));

    // Nothing to export: said, and no file asked for.
    f.test.prompt->enqueue({Answer::Yes, Answer::Ok});
    f.panel.clearGrid();
    offered.clear();
    f.panel.exportCalendar();
    QVERIFY(offered.isEmpty());
    QVERIFY(f.test.prompt->questions.last().text.startsWith(
        QStringLiteral("There are no To Do Dates or Next Review Dates to export")));
}

namespace {

std::shared_ptr<SpellChecker> spellCheckerFor(const TempWorkbook &workbook)
{
    auto checker = std::make_shared<SpellChecker>();
    checker->replacements().registerAutoCorrect();
    checker->setUserWordFile(workbook.filePath(SpellChecker::kUserWordFile));
    return checker;
}

} // namespace

void TestTimelinePanel::spellCheckCorrectsItemsAndNames()
{
    PanelFixture f;
    // The first item as typed into the box: with its two trailing blanks.
    f.writeList({"Write the polcy  ", "Trainng for staff", "Polcy review", "Audti logs", "Bakup tapes"});
    QVERIFY(f.workbook.writeFile(ItemNameList::kFileName,
                                 lines({"Write the polcy", "Trainng for staff", "POLCY REVIEW", "Bakup tapes"})));
    f.panel.enter();
    QVERIFY(!f.button(TimelinePanel::SpellCheck)->isEnabled());
    const std::shared_ptr<SpellChecker> checker = spellCheckerFor(f.workbook);
    QVERIFY2(checker->isAvailable(), "the en-US dictionary (hunspell-en-us) is needed");
    f.panel.setSpellChecker(checker);
    QVERIFY(f.button(TimelinePanel::SpellCheck)->isEnabled());
    QCOMPARE(f.button(TimelinePanel::SpellCheck)->text(), QStringLiteral("Spell Chec&k"));

    // While the print preview is shown nothing is checked.
    bool previewShown = true;
    f.panel.setPrintPreviewShown([&] { return previewShown; });
    f.panel.spellCheckItems();
    QVERIFY(f.test.spellDialog->questions.isEmpty());
    QVERIFY(f.test.prompt->questions.isEmpty());
    previewShown = false;

    // Change All on row 1 reaches row 3 before it is checked (its capital
    // kept), Change on row 2, Cancel on row 4 leaves row 5 unchecked.
    f.test.spellDialog->enqueue(SpellAnswer::Action::ChangeAll, QStringLiteral("policy"));
    f.test.spellDialog->enqueue(SpellAnswer::Action::Change, QStringLiteral("Training"));
    f.test.spellDialog->enqueue(SpellAnswer::Action::Cancel);
    f.test.prompt->enqueue(Answer::Ok);
    QTest::mouseClick(f.button(TimelinePanel::SpellCheck), Qt::LeftButton);

    QCOMPARE(f.test.spellDialog->questions.size(), 3);
    QCOMPARE(f.test.spellDialog->questions.at(2).word, QStringLiteral("Audti"));
    QCOMPARE(f.cell(1, 1).trimmed(), QStringLiteral("Write the policy"));
    QCOMPARE(f.items().mid(1), (QStringList{"Training for staff", "Policy review", "Audti logs", "Bakup tapes"}));
    QVERIFY(f.unsaved);
    QVERIFY(f.button(TimelinePanel::Save)->isEnabled());
    QCOMPARE(f.panel.editMode(), int(TimelinePanel::KeyboardAndMouseEditing));
    QCOMPARE(f.test.prompt->questions.size(), 1);
    QCOMPARE(f.test.prompt->questions[0].icon, Prompt::Icon::Information);
    QCOMPARE(f.test.prompt->questions[0].title, QStringLiteral("Spell Check"));
    QCOMPARE(f.test.prompt->questions[0].text,
             QStringLiteral("Spell Check has been canceled or has reached the end of your entries"));

    // Each corrected item's old name makes way for the corrected one (case
    // ignored), in the drop-down and in the file.
    const QStringList names = {"Bakup tapes", "Write the policy", "Training for staff", "Policy review"};
    QCOMPARE(f.panel.itemNames().names(), names);
    QCOMPARE(f.panel.nameDropDown()->count(), 4);
    QCOMPARE(f.panel.nameDropDown()->itemText(3), QStringLiteral("Policy review"));
    QCOMPARE(f.workbook.readFile(ItemNameList::kFileName), lines(names));
    // The list itself waits for "&Save".
    QVERIFY(f.workbook.readFile(ToDoList::kFileName).startsWith(lines({"Write the polcy  "})));
}

void TestTimelinePanel::spellCheckWithNothingToCorrect()
{
    PanelFixture f;
    f.writeList({"Review the plan", "Audti logs"});
    QVERIFY(f.workbook.writeFile(ItemNameList::kFileName, lines({"Audti logs"})));
    f.panel.enter();
    f.panel.setSpellChecker(spellCheckerFor(f.workbook));
    // A word ignored is reported but changes nothing.
    f.test.spellDialog->enqueue(SpellAnswer::Action::Ignore);
    f.test.prompt->enqueue(Answer::Ok);
    f.panel.spellCheckItems();
    QCOMPARE(f.items(), (QStringList{"Review the plan", "Audti logs"}));
    QVERIFY(!f.unsaved);
    QCOMPARE(f.test.prompt->questions.last().text, TodoSpellCheck::kReachedEnd);
    QCOMPARE(f.workbook.readFile(ItemNameList::kFileName), lines({"Audti logs"}));

    // Clean items: the message says nothing was found.
    f.test.prompt->enqueue(Answer::Ok);
    f.writeList({"Review the plan"});
    f.panel.enter();
    f.panel.spellCheckItems();
    QVERIFY(!f.unsaved);
    QCOMPARE(f.test.prompt->questions.last().text,
             QStringLiteral("Spell Check did not change or did not find any misspelled words!"));
}

QTEST_MAIN(TestTimelinePanel)
#include "tst_timelinepanel.moc"
