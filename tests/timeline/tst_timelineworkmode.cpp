#include "actionarea/actionareafixture.h"
#include "actionarea/actionareaprint.h"
#include "printing/pdftext.h"
#include "printing/printpanel.h"
#include "shell/exportcommand.h"
#include "screens/helptopics.h"
#include "platform/services/writingaiddialogs.h"
#include "timeline/timelinepanel.h"
#include "timeline/tododate.h"
#include "timeline/todolist.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTextStream>

using Answer = Prompt::Answer;
using Entry = OptionsTable::Entry;

// The timeline as WorkMode 1 of the Action Area: entering it, the Options
// entries, F1, and the save question on the way out.
class TestTimelineWorkMode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void enteringLoadsTheListAndClearsTheFlag();
    void saveQuestionWhenLeaving_data();
    void saveQuestionWhenLeaving();
    void failedSaveOnLeavingKeepsTheUserThere();
    void f1HidesTheCalendarAndOpensTopic2009();
    void exitReturnsToTheStandardsGrid();
    void printFromTheOptionsMenuAndEscape();
    void spellCheckEntryChecksTheItems();
    void commandLineExports();
};

namespace {

TimelinePanel *enterTimeline(ActionAreaFixture &f)
{
    f.clickNavigation(WorkMode::Timeline);
    return f.window->timelinePanel();
}

void addItem(TimelinePanel *panel, const QString &text)
{
    panel->itemBox()->setText(text);
    panel->addToGrid();
}

} // namespace

void TestTimelineWorkMode::enteringLoadsTheListAndClearsTheFlag()
{
    ActionAreaFixture f;
    QVERIFY(f.workbook.writeFile(ToDoList::kFileName, "\"Stored item\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n"));
    f.open();
    TimelinePanel *panel = enterTimeline(f);
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->grid()->item(0, 1)->text(), QStringLiteral("Stored item"));
    QVERIFY(!f.unsaved());
    QVERIFY(!panel->button(TimelinePanel::Save)->isEnabled());
    QVERIFY(f.window->optionsEntry(Entry::ClearGrid)->isVisible());
    QVERIFY(f.window->optionsEntry(Entry::ClearGrid)->isEnabled());
    QVERIFY(!f.window->optionsEntry(Entry::DeleteItemFromGrid)->isEnabled());
    QVERIFY(!f.window->optionsEntry(Entry::Save)->isVisible());
    QVERIFY(panel->dateLine()->text().startsWith(QStringLiteral("Date: ")));

    // Options → "&Delete Item from Grid" acts on the clicked row.
    panel->clickCell(1, 1);
    QVERIFY(f.window->optionsEntry(Entry::DeleteItemFromGrid)->isEnabled());
    f.test.prompt->enqueue(Answer::Yes);
    f.window->optionsEntry(Entry::DeleteItemFromGrid)->trigger();
    QVERIFY(panel->list().isEmpty());
    QVERIFY(f.unsaved());
}

void TestTimelineWorkMode::saveQuestionWhenLeaving_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("written");
    QTest::newRow("yes saves") << Answer::Yes << true;
    QTest::newRow("no discards") << Answer::No << false;
}

void TestTimelineWorkMode::saveQuestionWhenLeaving()
{
    QFETCH(Answer, answer);
    QFETCH(bool, written);
    ActionAreaFixture f;
    f.open();
    TimelinePanel *panel = enterTimeline(f);
    addItem(panel, QStringLiteral("Unsaved work"));
    QVERIFY(f.unsaved());
    f.test.prompt->enqueue(answer);
    f.clickNavigation(WorkMode::Administrative);
    QCOMPARE(f.test.prompt->questions.size(), 1);
    QCOMPARE(f.test.prompt->questions[0].text, EditSession::kSaveQuestion);
    QCOMPARE(int(f.window->workMode()), int(WorkMode::Administrative));
    QCOMPARE(f.workbook.exists(ToDoList::kFileName), written);
    if (written)
        QVERIFY(f.workbook.readFile(ToDoList::kFileName).startsWith("\"Unsaved work\"\r\n"));

    // Coming back shows what is on disk.
    f.clickNavigation(WorkMode::Timeline);
    QCOMPARE(panel->list().isEmpty(), !written);
}

void TestTimelineWorkMode::failedSaveOnLeavingKeepsTheUserThere()
{
    ActionAreaFixture f;
    f.open();
    TimelinePanel *panel = enterTimeline(f);
    QVERIFY(f.workbook.dir().mkdir(ToDoList::kFileName));
    addItem(panel, QStringLiteral("Precious"));
    f.test.prompt->enqueue({Answer::Yes, Answer::Ok});
    f.clickNavigation(WorkMode::Standards);
    QCOMPARE(f.test.prompt->questions.size(), 2);
    QCOMPARE(f.test.prompt->questions[1].icon, Prompt::Icon::Critical);
    QCOMPARE(int(f.window->workMode()), int(WorkMode::Timeline));
    QVERIFY(panel->isVisible());
    QVERIFY(f.unsaved());
    QCOMPARE(panel->grid()->item(0, 1)->text(), QStringLiteral("Precious"));
}

void TestTimelineWorkMode::f1HidesTheCalendarAndOpensTopic2009()
{
    ActionAreaFixture f;
    f.open();
    TimelinePanel *panel = enterTimeline(f);
    addItem(panel, QStringLiteral("Dated"));
    panel->clickCell(1, 2);
    QVERIFY(panel->calendar()->isVisible());
    QTest::keyClick(f.window, Qt::Key_F1);
    QCOMPARE(f.test.helpViewer->topics, QList<int>{HelpTopic::ProjectTimeline});
    QVERIFY(!panel->calendar()->isVisible());
}

void TestTimelineWorkMode::exitReturnsToTheStandardsGrid()
{
    ActionAreaFixture f;
    f.open();
    TimelinePanel *panel = enterTimeline(f);
    QTest::mouseClick(panel->button(TimelinePanel::Exit), Qt::LeftButton);
    QCOMPARE(int(f.window->workMode()), int(WorkMode::Standards));
    QVERIFY(!panel->isVisible());
}

void TestTimelineWorkMode::printFromTheOptionsMenuAndEscape()
{
    ActionAreaFixture f;
    f.open();
    TimelinePanel *panel = enterTimeline(f);
    QAction *print = f.window->optionsEntry(Entry::Print);
    QVERIFY(print->isEnabled());
    f.test.prompt->enqueue(Answer::Ok);
    print->trigger();
    QCOMPARE(f.test.prompt->questions.last().text, QStringLiteral("There are currently No Entries to Print!"));
    QVERIFY(!f.window->printPreviewShown());

    addItem(panel, QStringLiteral("Printed"));
    print->trigger();
    QVERIFY(f.window->printPreviewShown());
    QVERIFY(f.window->printing()->panel()->surface()->pageText(0).contains(QStringLiteral("Printed")));
    QTest::keyClick(f.window, Qt::Key_F1);
    QCOMPARE(f.test.helpViewer->topics.last(), int(HelpTopic::PrintPreview));
    // Clearing the grid or checking the items under the preview only beeps.
    panel->clearGrid();
    QVERIFY(!panel->list().isEmpty());
    f.window->optionsEntry(Entry::SpellCheck)->trigger();
    QTest::mouseClick(panel->button(TimelinePanel::SpellCheck), Qt::LeftButton);
    QVERIFY(f.test.spellDialog->questions.isEmpty());
    QTest::keyClick(f.window, Qt::Key_Escape);
    QVERIFY(!f.window->printPreviewShown());
    QVERIFY(panel->isVisible());

    // In a safeguard mode "&Print" waits for a view.
    f.test.prompt->enqueue(Answer::No);
    f.clickNavigation(WorkMode::Administrative);
    QVERIFY(!print->isEnabled());
}

void TestTimelineWorkMode::spellCheckEntryChecksTheItems()
{
    ActionAreaFixture f;
    QVERIFY(f.workbook.writeFile(ToDoList::kFileName, "\"Trainng\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n"));
    f.open();
    TimelinePanel *panel = enterTimeline(f);
    QAction *spellCheck = f.window->optionsEntry(Entry::SpellCheck);
    QVERIFY(spellCheck->isVisible());
    QVERIFY(spellCheck->isEnabled());
    QVERIFY(panel->button(TimelinePanel::SpellCheck)->isEnabled());
    f.test.spellDialog->enqueue(SpellAnswer::Action::Change, QStringLiteral("Training"));
    f.test.prompt->enqueue(Answer::Ok);
    spellCheck->trigger();
    QCOMPARE(f.test.spellDialog->questions.size(), 1);
    QCOMPARE(panel->grid()->item(0, 1)->text(), QStringLiteral("Training"));
    QVERIFY(f.unsaved());
    QCOMPARE(f.test.prompt->questions.last().text,
             QStringLiteral("Spell Check has been canceled or has reached the end of your entries"));

    // Leaving asks about the corrected list; back in the standards grid the
    // entry is hidden again.
    f.test.prompt->enqueue(Answer::No);
    f.clickNavigation(WorkMode::Standards);
    QVERIFY(!spellCheck->isVisible());
}

void TestTimelineWorkMode::commandLineExports()
{
    TempWorkbook workbook;
    // Dates still to come on whatever day the test runs: the calendar leaves
    // out dates already past.
    const QDate today = QDate::currentDate();
    const QByteArray toDo = ToDoDate::format(today.addYears(1)).toLatin1();
    const QByteArray review = ToDoDate::format(today.addYears(2)).toLatin1();
    QVERIFY(workbook.writeFile(ToDoList::kFileName,
                               "\"Exported\"\r\n\"" + toDo + "\"\r\n\"\"\r\n\"\"\r\n\"" + review + "\"\r\n"));
    ExportCommand::Context context;
    context.workbook = workbook.workbook();
    QString errorText;
    QTextStream errors(&errorText);

    const QString ics = workbook.filePath(QStringLiteral("out.ics"));
    QCOMPARE(ExportCommand::run(QStringLiteral("timeline-calendar"), ics, context, errors), ExportCommand::kSuccess);
    const QByteArray calendar = workbook.readFile(QStringLiteral("out.ics"));
    QVERIFY(calendar.startsWith("BEGIN:VCALENDAR\r\n"));
    QCOMPARE(calendar.count("BEGIN:VEVENT"), 2);
    QVERIFY(calendar.contains("SUMMARY:Exported - Next Review Date\r\n"));

    const QString pdf = workbook.filePath(QStringLiteral("out.pdf"));
    QCOMPARE(ExportCommand::run(QStringLiteral("timeline"), pdf, context, errors), ExportCommand::kSuccess);
    const QStringList pages = pdfPageTexts(pdf);
    if (!pages.isEmpty())
        QVERIFY(collapsed(pages.join(QChar(' ')))
                    .contains(QStringLiteral("Exported %1 %2").arg(QString::fromLatin1(toDo), QString::fromLatin1(review))));

    QCOMPARE(ExportCommand::run(QStringLiteral("timeline-calendar:x"), ics, context, errors),
             ExportCommand::kBadArgument);
    QVERIFY(QFileInfo::exists(workbook.filePath(QStringLiteral("out.pdf"))));
}

QTEST_MAIN(TestTimelineWorkMode)
#include "tst_timelineworkmode.moc"
