// The Action Area window: WorkModes, the Options menu by mode, help topics,
// Esc, the exit question, screen switching and the right-click pop-up.
#include "actionareafixture.h"

#include "actionarea/actionareaprint.h"
#include "actionarea/groupbuttonpanel.h"
#include "binder/binderprint.h"
#include "printing/printpanel.h"
#include "actionarea/optionstable.h"
#include "actionarea/standards/standardsgridpanel.h"
#include "platform/records/settingsstore.h"
#include "screens/helptopics.h"
#include "shell/startscreen.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

using Answer = Prompt::Answer;
using Entry = OptionsTable::Entry;

namespace {

MainScreen *shownReader(int index)
{
    for (QWidget *topLevel : QApplication::topLevelWidgets()) {
        auto *reader = qobject_cast<MainScreen *>(topLevel);
        if (reader && reader->ownIndex() == index && reader->isVisible())
            return reader;
    }
    return nullptr;
}

} // namespace

class TestActionArea : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void beginningTheProgramOpensTheActionArea_data();
    void beginningTheProgramOpensTheActionArea();
    void opensOnTheStandardsGrid();
    void captionsByWorkMode_data();
    void captionsByWorkMode();
    void optionsEntriesByWorkMode_data();
    void optionsEntriesByWorkMode();
    void laterFeaturesStayDisabled();
    void binderAndExportEntriesWork();
    void organizationalModesHaveNoSpecificationOption();
    void helpTopicsByWorkMode_data();
    void helpTopicsByWorkMode();
    void escapeAsksTheExitQuestion_data();
    void escapeAsksTheExitQuestion();
    void switchingThroughTheActionArea();
    void returningBringsBackTheStandardsGrid();
    void rightClickPopsUpOptions();
};

void TestActionArea::beginningTheProgramOpensTheActionArea_data()
{
    QTest::addColumn<bool>("smaller");
    QTest::newRow("full screen display") << false;
    QTest::newRow("smaller screen display") << true;
}

void TestActionArea::beginningTheProgramOpensTheActionArea()
{
    QFETCH(bool, smaller);
    ActionAreaFixture f;
    QVERIFY(SettingsStore(f.workbook.workbook()).setSmallerDisplay(smaller));
    f.context.smallerDisplay = false;
    f.context.splashShown = true; // the splash belongs to the start screen's own tests
    StartScreen::Hooks hooks;
    ActionArea *opened = nullptr;
    hooks.beginProgram = [&](StartScreen *startScreen) { opened = ActionArea::openFrom(f.environment, startScreen); };
    hooks.screenSize = [] { return QSize(1280, 1024); };
    StartScreen startScreen(f.context, f.test.services, hooks);
    startScreen.load();
    startScreen.show();
    QCOMPARE(f.context.smallerDisplay, smaller);
    const QRect startGeometry = startScreen.geometry();

    QTest::mouseClick(startScreen.beginButton(), Qt::LeftButton);
    QVERIFY(opened);
    QVERIFY(opened->isVisible());
    QVERIFY(!startScreen.isVisible());
    QCOMPARE(int(opened->workMode()), int(WorkMode::Standards));
    QVERIFY(opened->standardsPanel()->grid()->isVisible());
    QVERIFY(opened->standardsPanel()->grid()->rowCount() > 0);
    QCOMPARE(opened->isMaximized(), !smaller);
    if (smaller) {
        QCOMPARE(opened->geometry(), startGeometry);
        QCOMPARE(opened->minimumSize(), opened->maximumSize());
    }
    QVERIFY(f.test.prompt->questions.isEmpty());
}

void TestActionArea::opensOnTheStandardsGrid()
{
    ActionAreaFixture f;
    f.open();
    QCOMPARE(f.window->objectName(), QStringLiteral("WorkArea1"));
    QCOMPARE(int(f.window->workMode()), int(WorkMode::Standards));
    QVERIFY(f.window->standardsPanel()->isVisible());
    QVERIFY(!f.window->workspace()->isVisible());
    QVERIFY(!f.window->coverPanel()->isVisible());
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Action Area - HIPAA Security Standards - Administrative Safeguards"));
    QVERIFY(isDrawnAsChosen(f.window->screenButton(ScreenIndex::ActionArea)));
    QVERIFY(isDrawnAsChosen(f.window->navigationButton(WorkMode::Standards)));
    for (int mode = 1; mode < kWorkModeCount; ++mode)
        QVERIFY(!isDrawnAsChosen(f.window->navigationButton(workModeFromInt(mode))));
    QCOMPARE(f.window->navigationButton(WorkMode::Timeline)->text(), QStringLiteral("Safeguard Project Timeline "));
    QCOMPARE(f.test.prompt->questions.size(), 0);
}

void TestActionArea::captionsByWorkMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("captionBase");
    QTest::newRow("timeline") << 1 << "Action Area - Safeguard Project Timeline " << "Action Area - Safeguard Project Timeline ";
    QTest::newRow("physical") << 3 << "Action Area - Physical Safeguards - Contingency Operation"
                              << "Action Area - Physical Safeguards";
    QTest::newRow("organizational") << 5 << "Action Area - Organization Requirements - Organizational Requirements Overview"
                                    << "Action Area - Organization Requirements";
    QTest::newRow("documentation")
        << 6 << "Action Area - Policies and Procedures... - Policies and Procedures and Documentation Requirements Overview"
        << "Action Area - Policies and Procedures...";
    QTest::newRow("worksheets") << 7 << "Action Area - Risk Analysis Worksheets" << "Action Area - Risk Analysis Worksheets";
    QTest::newRow("risk register") << 10 << "Action Area - Risk Register" << "Action Area - Risk Register";
}

void TestActionArea::captionsByWorkMode()
{
    QFETCH(int, mode);
    QFETCH(QString, caption);
    QFETCH(QString, captionBase);
    ActionAreaFixture f;
    f.open();
    f.clickNavigation(mode);
    QCOMPARE(f.window->windowTitle(), caption);
    QCOMPARE(f.window->captionBase(), captionBase);
    QVERIFY(isDrawnAsChosen(f.window->navigationButton(workModeFromInt(mode))));
}

void TestActionArea::optionsEntriesByWorkMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QList<Entry>>("shown");
    const QList<Entry> safeguardEntries = {Entry::CopyToClipboard, Entry::FontSelect, Entry::SpellCheck,
                                           Entry::Thesaurus, Entry::Print, Entry::Save};
    QTest::newRow("standards") << 0 << QList<Entry>{Entry::GridBackgroundSelector, Entry::Print};
    QTest::newRow("timeline") << 1
                              << QList<Entry>{Entry::GridBackgroundSelector, Entry::SpellCheck,
                                              Entry::DeleteItemFromGrid, Entry::ClearGrid, Entry::InsertRow,
                                              Entry::Print};
    QTest::newRow("administrative") << 2 << safeguardEntries;
    QTest::newRow("documentation") << 6 << safeguardEntries;
    QTest::newRow("worksheets") << 7 << (safeguardEntries + QList<Entry>{Entry::ChangeWorksheetButtonTitle});
    QTest::newRow("recovery plan") << 8 << safeguardEntries;
    QTest::newRow("sample") << 9 << safeguardEntries;
    QTest::newRow("risk register") << 10 << QList<Entry>{Entry::Print};
}

void TestActionArea::optionsEntriesByWorkMode()
{
    QFETCH(int, mode);
    QFETCH(QList<Entry>, shown);
    ActionAreaFixture f;
    f.open();
    f.test.prompt->answerUnscriptedWith(Answer::Ok);
    f.clickNavigation(mode);
    for (int i = 0; i < OptionsTable::kEntryCount; ++i) {
        const Entry entry = Entry(i);
        QVERIFY2(f.window->optionsEntry(entry)->isVisible() == shown.contains(entry),
                 qPrintable(QStringLiteral("entry %1").arg(f.window->optionsEntry(entry)->text())));
    }
    // The switching entries never change with the mode.
    for (int screen = ScreenIndex::InformationAdvisor; screen <= ScreenIndex::ExitProgram; ++screen)
        QVERIFY(f.window->switchingEntry(screen)->isVisible());
    QCOMPARE(f.window->optionsEntry(Entry::Save)->isEnabled(), workModeFromInt(mode) == WorkMode::RecoveryPlan);
}

void TestActionArea::laterFeaturesStayDisabled()
{
    ActionAreaFixture f;
    f.open();
    f.clickNavigation(WorkMode::Administrative);
    f.chooseView(SafeguardWorkspace::ActionTakenOption);
    // Printing and the writing aids are there; the utilities come later.
    using Command = SafeguardWorkspace::Command;
    for (Command command : {Command::FontSelect, Command::Thesaurus, Command::SpellCheck})
        QVERIFY(f.workspace()->commandButton(command)->isEnabled());
    QVERIFY(f.workspace()->commandButton(Command::Save)->isEnabled());
    QVERIFY(f.window->optionsEntry(Entry::Save)->isEnabled());
    for (QAction *utility : f.window->utilitiesMenu()->actions())
        QVERIFY(!utility->isEnabled());
    // Printing is there: the workspace's and the grid's "&Print".
    QVERIFY(f.workspace()->commandButton(Command::Print)->isEnabled());
    QVERIFY(f.window->standardsPanel()->printButton()->isEnabled());
}

void TestActionArea::organizationalModesHaveNoSpecificationOption()
{
    ActionAreaFixture f;
    f.open();
    f.clickNavigation(WorkMode::Administrative);
    f.chooseView(SafeguardWorkspace::ImplementationSpecificationOption);
    f.clickNavigation(WorkMode::Organizational);
    QRadioButton *specification = f.workspace()->viewOption(SafeguardWorkspace::ImplementationSpecificationOption);
    QVERIFY(!specification->isEnabled());
    QVERIFY(!specification->isChecked());
    QCOMPARE(f.workspace()->headingLine(0)->text(), QStringLiteral(" Organizational Requirements Overview"));
}

void TestActionArea::helpTopicsByWorkMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("topic");
    const int topics[] = {HelpTopic::ActionArea, HelpTopic::ProjectTimeline, HelpTopic::ActionArea,
                          HelpTopic::ActionArea, HelpTopic::ActionArea, HelpTopic::ActionArea,
                          HelpTopic::ActionArea, HelpTopic::RiskWorksheets, HelpTopic::DisasterRecoveryPlan,
                          HelpTopic::ActionArea, HelpTopic::RiskRegister};
    static_assert(std::size(topics) == kWorkModeCount);
    for (int mode = 0; mode < kWorkModeCount; ++mode)
        QTest::addRow("mode %d", mode) << mode << topics[mode];
}

void TestActionArea::helpTopicsByWorkMode()
{
    QFETCH(int, mode);
    QFETCH(int, topic);
    ActionAreaFixture f;
    f.open();
    f.test.prompt->answerUnscriptedWith(Answer::Ok);
    f.clickNavigation(mode);
    QTest::keyClick(f.window, Qt::Key_F1);
    QCOMPARE(f.test.helpViewer->topics, QList<int>{topic});
    // The help menu's screen entry gives the same topic.
    f.window->helpMenu()->actions().at(1)->trigger();
    QCOMPARE(f.test.helpViewer->topics.last(), topic);
}

void TestActionArea::escapeAsksTheExitQuestion_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::newRow("Yes") << Answer::Yes;
    QTest::newRow("No") << Answer::No;
    QTest::newRow("Cancel") << Answer::Cancel;
}

void TestActionArea::escapeAsksTheExitQuestion()
{
    QFETCH(Answer, answer);
    ActionAreaFixture f;
    f.open();
    f.test.prompt->enqueue(answer);
    QTest::keyClick(f.window, Qt::Key_Escape);
    QCOMPARE(f.test.prompt->questions.size(), 1);
    const ScriptedPrompt::Question question = f.test.prompt->questions.first();
    QCOMPARE(question.title, QStringLiteral("Exit"));
    QCOMPARE(question.text, QStringLiteral("Exit Sentrivo?"));
    QCOMPARE(question.buttons, Prompt::Buttons::YesNoCancel);
    QCOMPARE(question.icon, Prompt::Icon::Question);
    QCOMPARE(f.endProgramCalls, answer == Answer::Yes ? 1 : 0);
    if (answer != Answer::Yes) {
        QVERIFY(f.window->isVisible());
        QVERIFY(isDrawnAsChosen(f.window->screenButton(ScreenIndex::ActionArea)));
        QVERIFY(!isDrawnAsChosen(f.window->screenButton(ScreenIndex::ExitProgram)));
        QCOMPARE(f.environment.pendingSwitch, 0);
    }
}

void TestActionArea::switchingThroughTheActionArea()
{
    ActionAreaFixture f;
    f.open();
    QTest::mouseClick(f.window->screenButton(ScreenIndex::SecurityRule), Qt::LeftButton);
    MainScreen *rule = shownReader(ScreenIndex::SecurityRule);
    QVERIFY(rule);
    QVERIFY(!f.window->isVisible());
    QCOMPARE(rule->windowTitle(), QStringLiteral("Security Rule"));
    QCOMPARE(rule->objectName(), QStringLiteral("PrivRule"));
    QVERIFY(isDrawnAsChosen(rule->screenButton(ScreenIndex::SecurityRule)));
    QCOMPARE(rule->size(), f.window->size());

    // Pressing the screen's own button only redraws the buttons.
    QTest::mouseClick(rule->screenButton(ScreenIndex::SecurityRule), Qt::LeftButton);
    QVERIFY(rule->isVisible());

    rule->move(140, 120);
    const QPoint rulePosition = rule->pos();
    QTest::mouseClick(rule->screenButton(ScreenIndex::Miscellaneous), Qt::LeftButton);
    MainScreen *misc = shownReader(ScreenIndex::Miscellaneous);
    QVERIFY(misc);
    QVERIFY(!shownReader(ScreenIndex::SecurityRule));
    // The Action Area passed under its cover with the target's name.
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Miscellaneous"));
    QVERIFY(f.window->coverPanel()->isVisibleTo(f.window));
    QCOMPARE(f.environment.pendingSwitch, 0);
    QCOMPARE(misc->pos(), rulePosition);

    // No to the exit question marks the screen's own button again.
    QVERIFY(QTest::qWaitForWindowActive(misc));
    f.test.prompt->enqueue(Answer::No);
    QTest::keyClick(misc, Qt::Key_Escape);
    QCOMPARE(f.test.prompt->questions.last().text, QStringLiteral("Exit Sentrivo?"));
    QVERIFY(misc->isVisible());
    QVERIFY(isDrawnAsChosen(misc->screenButton(ScreenIndex::Miscellaneous)));
    QVERIFY(!isDrawnAsChosen(misc->screenButton(ScreenIndex::ExitProgram)));

    f.test.prompt->enqueue(Answer::Yes);
    misc->switchingEntry(ScreenIndex::ExitProgram)->trigger();
    QCOMPARE(f.endProgramCalls, 1);
}

void TestActionArea::returningBringsBackTheStandardsGrid()
{
    ActionAreaFixture f;
    f.open();
    f.clickNavigation(WorkMode::Technical);
    f.chooseView(SafeguardWorkspace::ActionTakenOption);
    f.type(QStringLiteral("Unique log-ins for every user"));
    f.test.prompt->enqueue(Answer::Yes);
    f.window->switchingEntry(ScreenIndex::InformationAdvisor)->trigger();
    QCOMPARE(f.questionTitles(), QStringLiteral("Save Changes?"));
    QVERIFY(f.workbook.exists(QStringLiteral("Action33.Fil")));
    MainScreen *advisor = shownReader(ScreenIndex::InformationAdvisor);
    QVERIFY(advisor);

    QTest::mouseClick(advisor->screenButton(ScreenIndex::ActionArea), Qt::LeftButton);
    QVERIFY(f.window->isVisible());
    QVERIFY(!f.window->coverPanel()->isVisible());
    QCOMPARE(int(f.window->workMode()), int(WorkMode::Standards));
    QVERIFY(f.window->standardsPanel()->isVisible());
    QVERIFY(isDrawnAsChosen(f.window->navigationButton(WorkMode::Standards)));
    QVERIFY(isDrawnAsChosen(f.window->screenButton(ScreenIndex::ActionArea)));
}

void TestActionArea::rightClickPopsUpOptions()
{
    ActionAreaFixture f;
    f.open();
    QTest::mouseClick(f.window->navigationButton(WorkMode::Standards), Qt::RightButton);
    QVERIFY(f.window->optionsMenu()->isVisible());
    f.window->optionsMenu()->hide();

    f.clickNavigation(WorkMode::Administrative);
    QTest::mouseClick(f.editor()->viewport(), Qt::RightButton);
    QVERIFY(!f.window->optionsMenu()->isVisible());
    QTest::mouseClick(f.workspace()->viewOption(SafeguardWorkspace::ActionTakenOption), Qt::RightButton);
    QVERIFY(f.window->optionsMenu()->isVisible());
}

// "Print Audit &Binder..." shows the binder in the print panel and
// "&Export..." writes the file chosen (both once ran into an endless
// recursion reaching for the workbook's database and ended the program).
void TestActionArea::binderAndExportEntriesWork()
{
    ActionAreaFixture f;
    f.open();
    auto *binder = f.window->findChild<BinderPrint *>(QStringLiteral("binderPrint"));
    QVERIFY(binder);
    const QString out = f.workbook.filePath(QStringLiteral("Standards Summary.csv"));
    BinderPrint::Dialogs dialogs;
    int sectionQuestions = 0;
    dialogs.chooseSections = [&sectionQuestions](QWidget *, const AuditBinder::Options &current) {
        ++sectionQuestions;
        return std::optional<AuditBinder::Options>(current);
    };
    dialogs.askOrganization = [](QWidget *) { return std::optional<QString>(QStringLiteral("Lakeside Clinic")); };
    dialogs.chooseExport = [out](QWidget *, const QStringList &choices, const QString &) {
        return std::optional<std::pair<int, QString>>({int(choices.indexOf(QStringLiteral("Standards summary (CSV)"))), out});
    };
    binder->setDialogs(dialogs);

    f.window->findChild<QAction *>(QStringLiteral("printAuditBinder"))->trigger();
    QCOMPARE(sectionQuestions, 1);
    PrintPanel *panel = f.window->printing()->panel();
    QVERIFY(panel->isOpen());
    QCOMPARE(panel->documentName(), QStringLiteral("Audit Binder"));
    QVERIFY(panel->surface()->pageCount() > 1);
    panel->cancel();

    f.window->findChild<QAction *>(QStringLiteral("exportFiles"))->trigger();
    QVERIFY(QFileInfo(out).size() > 0);
    QCOMPARE(f.test.prompt->questions.size(), 0);
}

QTEST_MAIN(TestActionArea)
#include "tst_actionarea.moc"
