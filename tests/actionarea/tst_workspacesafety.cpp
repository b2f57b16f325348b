// What keeps the user's entries safe in the workspace: files that exist but
// cannot be read, a status that cannot be stored, typing where no view is
// chosen, the chosen view clicked again, templates over unsaved typing, and
// the save that says it happened.
#include "actionareafixture.h"

#include "actionarea/groupbuttonpanel.h"
#include "actionarea/standards/standardsgridpanel.h"
#include "actionarea/status/statusbox.h"
#include "actionarea/status/statustable.h"
#include "platform/records/recordfile.h"
#include "worksheets/worksheetspanel.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>

using Answer = Prompt::Answer;
using View = SafeguardWorkspace::ViewOption;
using Command = SafeguardWorkspace::Command;

namespace {

// Ways a file can be there and still not be readable, even for root (the
// tests run as root, where permissions stop nothing).
enum class Unreadable { FolderInItsPlace, LinkToItself };

void makeUnreadable(const TempWorkbook &workbook, const QString &name, Unreadable how)
{
    if (how == Unreadable::FolderInItsPlace)
        QVERIFY(workbook.dir().mkdir(name));
    else
        QVERIFY(QFile::link(name, workbook.filePath(name)));
}

// The file is still what the test made of it: nothing was saved over it.
bool stillUnreadable(const TempWorkbook &workbook, const QString &name, Unreadable how)
{
    const QFileInfo info(workbook.filePath(name));
    return how == Unreadable::FolderInItsPlace ? info.isDir() : info.isSymLink();
}

void addUnreadableRows()
{
    QTest::addColumn<Unreadable>("how");
    QTest::newRow("a folder in its place") << Unreadable::FolderInItsPlace;
    QTest::newRow("a link to itself") << Unreadable::LinkToItself;
}

void chooseStatus(const ActionAreaFixture &f, const QString &text)
{
    QComboBox *box = f.workspace()->statusBox()->comboBox();
    const int index = box->findText(text);
    QVERIFY(index >= 0);
    box->setCurrentIndex(index);
    Q_EMIT box->activated(index);
}

} // namespace

class TestWorkspaceSafety : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void unreadableEntryIsReportedAndNeverSavedOver_data();
    void unreadableEntryIsReportedAndNeverSavedOver();
    void unreadablePlanIsReportedAndNeverReplaced_data() { addUnreadableRows(); }
    void unreadablePlanIsReportedAndNeverReplaced();
    void unreadableTemplateIsReported();
    void statusThatCannotBeStoredIsShownAsStored();
    void strayTypingWithNoViewChosenSavesNothing_data();
    void strayTypingWithNoViewChosenSavesNothing();
    void clickingTheChosenViewKeepsTheEdits();
    void insertTemplateAsksOverUnsavedTyping_data();
    void insertTemplateAsksOverUnsavedTyping();
    void exitCancelledAfterNoShowsWhatIsSaved_data();
    void exitCancelledAfterNoShowsWhatIsSaved();
    void noToTheSaveQuestionShowsWhatIsSaved_data();
    void noToTheSaveQuestionShowsWhatIsSaved();
    void ctrlSSavesAndTheStatusBarSaysSo();
    void ctrlSOutsideAnEntrySavesNothing();
    void bodyScrollsOnSmallScreens_data();
    void bodyScrollsOnSmallScreens();
};

void TestWorkspaceSafety::unreadableEntryIsReportedAndNeverSavedOver_data()
{
    QTest::addColumn<Unreadable>("how");
    QTest::addColumn<View>("view");
    QTest::addColumn<QString>("file");
    for (const auto &[name, how] : {std::pair{"a folder in its place", Unreadable::FolderInItsPlace},
                                    std::pair{"a link to itself", Unreadable::LinkToItself}}) {
        QTest::addRow("Action Taken, %s", name) << how << View::ActionTakenOption << QStringLiteral("Action0.Fil");
        QTest::addRow("Policies, %s", name) << how << View::PoliciesOption << QStringLiteral("Policy0.Fil");
    }
}

void TestWorkspaceSafety::unreadableEntryIsReportedAndNeverSavedOver()
{
    QFETCH(Unreadable, how);
    QFETCH(View, view);
    QFETCH(QString, file);
    ActionAreaFixture f;
    f.open();
    makeUnreadable(f.workbook, file, how);
    f.clickNavigation(WorkMode::Administrative);

    f.test.prompt->enqueue(Answer::Ok);
    f.chooseView(view);
    QCOMPARE(f.test.prompt->questions.size(), 1);
    const ScriptedPrompt::Question report = f.test.prompt->questions.first();
    QCOMPARE(report.icon, Prompt::Icon::Critical);
    QCOMPARE(report.title, SafeguardWorkspace::kNotReadTitle);
    QVERIFY2(report.text.contains(QDir::toNativeSeparators(f.workbook.filePath(file))), qPrintable(report.text));
    QVERIFY(f.workspace()->entryUnreadable());
    // No template can take the place of a policy that could not be read.
    QVERIFY(!f.workspace()->templateButton()->isEnabled());
    f.workspace()->insertTemplate();
    QCOMPARE(f.editor()->text(), QString());

    // Nothing typed, saved or inserted can take the file's place.
    QVERIFY(f.editor()->isReadOnly());
    f.type(QStringLiteral("typed over"));
    QCOMPARE(f.editor()->text(), QString());
    QVERIFY(!f.unsaved());
    QVERIFY(!f.workspace()->commandButton(Command::Save)->isEnabled());
    f.test.prompt->enqueue(Answer::Ok);
    QVERIFY(!f.workspace()->save());
    QCOMPARE(f.test.prompt->questions.last().title, SafeguardWorkspace::kSaveFailedTitle);
    QVERIFY(stillUnreadable(f.workbook, file, how));

    // Choosing the view again reads the file again: once it can be read the
    // entry is the user's as usual.
    QVERIFY(QFile::remove(f.workbook.filePath(file)) || f.workbook.dir().rmdir(file));
    QVERIFY(f.workbook.writeFile(file, "{\\rtf1 Reviewed in March}"));
    f.chooseView(view);
    QCOMPARE(f.editor()->text(), QStringLiteral("Reviewed in March"));
    QVERIFY(!f.editor()->isReadOnly());
    QVERIFY(!f.workspace()->entryUnreadable());
    QCOMPARE(f.test.prompt->questions.size(), 2);
}

void TestWorkspaceSafety::unreadablePlanIsReportedAndNeverReplaced()
{
    QFETCH(Unreadable, how);
    ActionAreaFixture f;
    f.open();
    makeUnreadable(f.workbook, QStringLiteral("DRPln1.Fil"), how);
    f.test.prompt->enqueue(Answer::Ok);
    f.clickNavigation(WorkMode::RecoveryPlan);
    // The report, not the notice of a new plan: the template is not loaded.
    QCOMPARE(f.questionTitles(), SafeguardWorkspace::kNotReadTitle);
    QCOMPARE(f.editor()->text(), QString());
    QVERIFY(f.editor()->isReadOnly());
    QVERIFY(!f.workspace()->templateButton()->isEnabled());
    QVERIFY(!f.workspace()->commandButton(Command::Save)->isEnabled());
    QVERIFY(!f.window->optionsEntry(OptionsTable::Entry::Save)->isEnabled());
    QTest::keyClick(f.editor(), Qt::Key_S, Qt::ControlModifier);
    QTest::mouseClick(f.workspace()->exitButton(), Qt::LeftButton);
    QCOMPARE(int(f.window->workMode()), int(WorkMode::Standards));
    QVERIFY(stillUnreadable(f.workbook, QStringLiteral("DRPln1.Fil"), how));
    QCOMPARE(f.test.prompt->questions.size(), 1);
}

void TestWorkspaceSafety::unreadableTemplateIsReported()
{
    // A content folder whose first administrative template is not a file.
    QTemporaryDir content;
    QVERIFY(QDir(content.path()).mkdir(QStringLiteral("Misc14.Fl1")));
    ActionAreaFixture f;
    f.context.workbook = f.workbook.workbook(content.path());
    f.open();
    f.clickNavigation(WorkMode::Administrative);
    f.chooseView(View::PoliciesOption);
    QVERIFY(f.workspace()->templateButton()->isEnabled());
    f.test.prompt->enqueue(Answer::Ok);
    QTest::mouseClick(f.workspace()->templateButton(), Qt::LeftButton);
    QCOMPARE(f.questionTitles(), SafeguardWorkspace::kNotReadTitle);
    QVERIFY(f.test.prompt->questions.first().text.contains(QStringLiteral("Misc14.Fl1")));
    QCOMPARE(f.editor()->text(), QString());
    QVERIFY(!f.unsaved());
}

void TestWorkspaceSafety::statusThatCannotBeStoredIsShownAsStored()
{
    ActionAreaFixture f;
    f.open();
    f.clickNavigation(WorkMode::Administrative);
    // Stat1.Fil cannot be written once a folder takes its place.
    QVERIFY(QFile::remove(f.workbook.filePath(QStringLiteral("Stat1.Fil"))) || !f.workbook.exists(QStringLiteral("Stat1.Fil")));
    QVERIFY(f.workbook.dir().mkdir(QStringLiteral("Stat1.Fil")));

    f.test.prompt->enqueue(Answer::Ok);
    chooseStatus(f, QStringLiteral("Completed"));
    QCOMPARE(f.questionTitles(), StatusBox::kNotStoredTitle);
    const ScriptedPrompt::Question report = f.test.prompt->questions.first();
    QCOMPARE(report.icon, Prompt::Icon::Critical);
    QVERIFY2(report.text.contains(QDir::toNativeSeparators(f.workbook.filePath(QStringLiteral("Stat1.Fil")))),
             qPrintable(report.text));
    QCOMPARE(f.workspace()->statusBox()->statusText(), QString());
    QCOMPARE(f.window->statusTable().slot(1), QString());

    // The standards grid shows what is stored too.
    f.clickNavigation(WorkMode::Standards);
    const QString statuses = f.window->standardsPanel()->grid()->item(0, StandardsGridPanel::StatusColumn)->text();
    QVERIFY2(!statuses.contains(QStringLiteral("Completed")), qPrintable(statuses));
}

void TestWorkspaceSafety::strayTypingWithNoViewChosenSavesNothing_data()
{
    QTest::addColumn<int>("detour");
    QTest::newRow("through the sample") << int(WorkMode::Sample);
    QTest::newRow("through the recovery plan") << int(WorkMode::RecoveryPlan);
}

void TestWorkspaceSafety::strayTypingWithNoViewChosenSavesNothing()
{
    QFETCH(int, detour);
    ActionAreaFixture f;
    const QByteArray policy = "{\\rtf1 Our risk analysis policy}";
    QVERIFY(f.workbook.writeFile(QStringLiteral("Policy0.Fil"), policy));
    f.open();
    f.clickNavigation(WorkMode::Administrative);
    f.chooseView(View::PoliciesOption);
    QCOMPARE(f.editor()->text(), QStringLiteral("Our risk analysis policy"));

    f.test.prompt->enqueue(Answer::Ok); // the sample's or the plan's notice
    f.clickNavigation(detour);
    f.clickNavigation(WorkMode::Administrative);
    QCOMPARE(f.workspace()->checkedViewOption(), -1);
    QCOMPARE(f.workspace()->currentView(), int(SafeguardWorkspace::NoEntryView));

    f.type(QStringLiteral("stray"));
    QVERIFY(!f.editor()->text().contains(QStringLiteral("stray")));
    QVERIFY(!f.unsaved());
    QTest::keyClick(f.editor(), Qt::Key_S, Qt::ControlModifier);
    // The next safeguard asks nothing: there is nothing to save.
    QTest::mouseClick(f.window->groupPanel()->button(0, 1), Qt::LeftButton);
    QCOMPARE(f.test.prompt->questions.size(), 1);
    QCOMPARE(f.workbook.readFile(QStringLiteral("Policy0.Fil")), policy);
}

void TestWorkspaceSafety::clickingTheChosenViewKeepsTheEdits()
{
    ActionAreaFixture f;
    QVERIFY(f.workbook.writeFile(QStringLiteral("Comment0.Fil"), "{\\rtf1 First note}"));
    f.open();
    f.clickNavigation(WorkMode::Administrative);
    f.chooseView(View::CommentsNotesOption);
    f.type(QStringLiteral(" and a second"));
    f.chooseView(View::CommentsNotesOption);
    QCOMPARE(f.test.prompt->questions.size(), 0);
    QVERIFY(f.editor()->text().contains(QStringLiteral(" and a second")));
    QVERIFY(f.unsaved());
    QVERIFY(f.editor()->hasFocus());
}

void TestWorkspaceSafety::insertTemplateAsksOverUnsavedTyping_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::newRow("No keeps the typing") << Answer::No;
    QTest::newRow("Yes inserts") << Answer::Yes;
}

void TestWorkspaceSafety::insertTemplateAsksOverUnsavedTyping()
{
    QFETCH(Answer, answer);
    ActionAreaFixture f;
    f.open();
    f.clickNavigation(WorkMode::Administrative);
    f.chooseView(View::PoliciesOption);
    f.type(QStringLiteral("Our own first draft"));
    f.test.prompt->enqueue(answer);
    QTest::mouseClick(f.workspace()->templateButton(), Qt::LeftButton);
    QCOMPARE(f.questionTitles(), QStringLiteral("Insert Template"));
    QCOMPARE(f.test.prompt->questions.first().defaultAnswer, std::optional<Answer>(Answer::No));
    QCOMPARE(f.editor()->text() == QStringLiteral("Our own first draft"), answer == Answer::No);
    QVERIFY(f.unsaved());
    QVERIFY(!f.workbook.exists(QStringLiteral("Policy0.Fil")));
}

void TestWorkspaceSafety::exitCancelledAfterNoShowsWhatIsSaved_data()
{
    QTest::addColumn<Answer>("exitAnswer");
    QTest::newRow("exit answered No") << Answer::No;
    QTest::newRow("exit cancelled") << Answer::Cancel;
}

void TestWorkspaceSafety::exitCancelledAfterNoShowsWhatIsSaved()
{
    QFETCH(Answer, exitAnswer);
    ActionAreaFixture f;
    QVERIFY(f.workbook.writeFile(QStringLiteral("Action33.Fil"), "{\\rtf1 Logs reviewed monthly}"));
    f.open();
    f.clickNavigation(WorkMode::Technical);
    f.chooseView(View::ActionTakenOption);
    f.type(QStringLiteral(" and kept six years"));
    f.test.prompt->enqueue({Answer::No, exitAnswer});
    QTest::keyClick(f.window, Qt::Key_Escape);
    QCOMPARE(f.questionTitles(), QStringLiteral("Save Changes?|Exit"));
    QCOMPARE(f.endProgramCalls, 0);
    // The text the user chose not to save is gone from the screen too: what
    // is shown is what the file holds.
    QCOMPARE(f.editor()->text(), QStringLiteral("Logs reviewed monthly"));
    QVERIFY(!f.unsaved());
    QVERIFY(!f.editor()->isReadOnly());
    QTest::mouseClick(f.window->groupPanel()->button(2, 1), Qt::LeftButton);
    QCOMPARE(f.test.prompt->questions.size(), 2);
    QCOMPARE(f.workbook.readFile(QStringLiteral("Action33.Fil")), QByteArray("{\\rtf1 Logs reviewed monthly}"));
}

void TestWorkspaceSafety::noToTheSaveQuestionShowsWhatIsSaved_data()
{
    QTest::addColumn<int>("modeNumber");
    QTest::addColumn<bool>("restore");
    QTest::newRow("Action Taken, backup") << int(WorkMode::Administrative) << false;
    QTest::newRow("Action Taken, restore cancelled") << int(WorkMode::Administrative) << true;
    QTest::newRow("plan, backup") << int(WorkMode::RecoveryPlan) << false;
    QTest::newRow("worksheet, backup") << int(WorkMode::Worksheets) << false;
    QTest::newRow("worksheet, restore cancelled") << int(WorkMode::Worksheets) << true;
}

void TestWorkspaceSafety::noToTheSaveQuestionShowsWhatIsSaved()
{
    QFETCH(int, modeNumber);
    const WorkMode mode = workModeFromInt(modeNumber);
    QFETCH(bool, restore);
    ActionAreaFixture f;
    const QString file = mode == WorkMode::Administrative ? QStringLiteral("Action0.Fil")
                         : mode == WorkMode::RecoveryPlan ? QStringLiteral("DRPln1.Fil")
                                                                : QStringLiteral("Wksht0.Fil");
    const QByteArray saved = "{\\rtf1 What was saved}";
    QVERIFY(f.workbook.writeFile(file, saved));
    int opened = 0;
    f.environment.openBackupUtility = [&opened](QWidget *, bool) {
        ++opened;
        return false; // the backup made, or the restore cancelled
    };
    f.open();
    f.clickNavigation(mode);
    if (mode == WorkMode::Administrative)
        f.chooseView(View::ActionTakenOption);
    else if (mode == WorkMode::Worksheets)
        QTest::mouseClick(f.window->worksheetsPanel()->button(0), Qt::LeftButton);
    QCOMPARE(f.editor()->text(), QStringLiteral("What was saved"));
    f.type(QStringLiteral("Typed, never saved. "));
    QVERIFY(f.unsaved());

    f.test.prompt->enqueue(Answer::No);
    (restore ? f.window->restoreEntry() : f.window->backupEntry())->trigger();
    QCOMPARE(opened, 1);
    QCOMPARE(f.questionTitles(), QStringLiteral("Save Changes?"));
    QCOMPARE(f.editor()->text(), QStringLiteral("What was saved"));
    QVERIFY(!f.unsaved());
    QCOMPARE(f.workbook.readFile(file), saved);

    // Exit asks only the exit question: there is nothing unsaved to lose.
    f.test.prompt->enqueue(Answer::Yes);
    f.window->pressScreenButton(ScreenIndex::ExitProgram);
    QCOMPARE(f.questionTitles(), QStringLiteral("Save Changes?|Exit"));
    QCOMPARE(f.workbook.readFile(file), saved);
}

void TestWorkspaceSafety::ctrlSSavesAndTheStatusBarSaysSo()
{
    ActionAreaFixture f;
    f.open();
    f.clickNavigation(WorkMode::Administrative);
    f.chooseView(View::ActionTakenOption);
    // The caret is in the editor: typing goes straight into the entry.
    QVERIFY(f.editor()->hasFocus());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Done in May"));
    QCOMPARE(f.editor()->text(), QStringLiteral("Done in May"));

    QTest::keyClick(f.editor(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!f.unsaved());
    QVERIFY(f.workbook.readFile(QStringLiteral("Action0.Fil")).contains("Done in May"));
    QCOMPARE(f.window->statusBar()->currentMessage(), QStringLiteral("Saved Action Taken for Risk Analysis"));
    QCOMPARE(f.test.prompt->questions.size(), 0);

    // The policies view names itself as its option does; so does the plan.
    f.chooseView(View::PoliciesOption);
    f.type(QStringLiteral("Policy text"));
    f.clickSave();
    QCOMPARE(f.window->statusBar()->currentMessage(),
             QStringLiteral("Saved Policies & Procedures/Plan for Risk Analysis"));
    f.test.prompt->enqueue(Answer::Ok); // the plan's notice
    f.clickNavigation(WorkMode::RecoveryPlan);
    f.type(QStringLiteral("x"));
    QTest::keyClick(f.editor(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f.window->statusBar()->currentMessage(), QStringLiteral("Saved Disaster Recovery Plan"));
    QVERIFY(f.workbook.exists(QStringLiteral("DRPln1.Fil")));
}

void TestWorkspaceSafety::ctrlSOutsideAnEntrySavesNothing()
{
    ActionAreaFixture f;
    f.open();
    QTest::keyClick(f.window, Qt::Key_S, Qt::ControlModifier);
    f.clickNavigation(WorkMode::Physical);
    f.chooseView(View::ReferencesInRuleOption);
    QTest::keyClick(f.editor(), Qt::Key_S, Qt::ControlModifier);
    // Alt+S belongs to the screen buttons, never to saving.
    f.chooseView(View::ActionTakenOption);
    f.type(QStringLiteral("kept"));
    QTest::keyClick(f.editor(), Qt::Key_S, Qt::AltModifier);
    QVERIFY(f.unsaved());
    QCOMPARE(f.window->statusBar()->currentMessage(), QString());
    const QStringList entries = f.workbook.dir().entryList({QStringLiteral("Action*"), QStringLiteral("Comment*"),
                                                            QStringLiteral("Policy*")});
    QVERIFY2(entries.isEmpty(), qPrintable(entries.join(QLatin1Char(','))));
}

void TestWorkspaceSafety::bodyScrollsOnSmallScreens_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("1280 x 720, full display") << QSize(1280, 720) << false;
    QTest::newRow("800 x 600, the smaller display") << QSize(800, 600) << false;
    QTest::newRow("800 x 450") << QSize(800, 450) << true;
    QTest::newRow("640 x 400") << QSize(640, 400) << true;
}

void TestWorkspaceSafety::bodyScrollsOnSmallScreens()
{
    QFETCH(QSize, size);
    QFETCH(bool, scrolls);
    ActionAreaFixture f;
    f.open();
    f.clickNavigation(WorkMode::Administrative);
    f.chooseView(View::ActionTakenOption);
    f.window->resize(size);
    QTest::qWait(0);
    // The window keeps the size it is given instead of growing past the screen.
    QCOMPARE(f.window->size(), size);
    auto *scroller = f.window->findChild<QScrollArea *>(QStringLiteral("bodyScroller"));
    QVERIFY(scroller);
    QCOMPARE(scroller->verticalScrollBar()->maximum() > 0, scrolls);
    QPushButton *save = f.workspace()->commandButton(Command::Save);
    if (!scrolls) {
        // Every control of the workspace is inside the window as it is.
        for (QWidget *control : f.workspace()->findChildren<QAbstractButton *>()) {
            if (!control->isVisible())
                continue;
            const QRect placed(control->mapTo(f.window, QPoint(0, 0)), control->size());
            QVERIFY2(f.window->rect().contains(placed), qPrintable(control->objectName() + control->property("text").toString()));
        }
        return;
    }
    // Scrolling brings Save and Exit into view.
    scroller->ensureWidgetVisible(save);
    scroller->ensureWidgetVisible(f.workspace()->exitButton());
    const QRect placed(save->mapTo(scroller->viewport(), QPoint(0, 0)), save->size());
    QVERIFY(scroller->viewport()->rect().contains(placed));
}

QTEST_MAIN(TestWorkspaceSafety)
#include "tst_workspacesafety.moc"
