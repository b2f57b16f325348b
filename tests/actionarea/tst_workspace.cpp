// The safeguard workspace inside the Action Area: the typical event from
// the navigation button to the standards grid, the save question on every
// guarded transition, failed saves, templates and the sample.
#include "actionareafixture.h"

#include "actionarea/entrytemplates.h"
#include "actionarea/groupbuttonpanel.h"
#include "actionarea/standards/standardsgridpanel.h"
#include "actionarea/status/statusbox.h"
#include "platform/records/recordfile.h"
#include "platform/services/diskchangewatch.h"
#include "platform/rtf/rtf.h"
#include "support/scriptedchoiceprompt.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTextDocument>

using Answer = Prompt::Answer;
using View = SafeguardWorkspace::ViewOption;

// The grid's multi-line cells, whichever line break they show.
const QRegularExpression kLineBreak(QStringLiteral("\r?\n"));

class TestWorkspace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typicalEvent();
    void saveQuestionOnGuardedTransitions_data();
    void saveQuestionOnGuardedTransitions();
    void saveInReferenceViewWritesNothing();
    void failedSaveKeepsTextAndFlag_data();
    void failedSaveKeepsTextAndFlag();
    void insertTemplate_data();
    void insertTemplate();
    void overviewRowsHaveNoSpecificationOrTemplate_data();
    void overviewRowsHaveNoSpecificationOrTemplate();
    void sampleNeverWrites();
    void noticesInFullAndPolicyNoticeOncePerWindow();
    void recoveryPlan();
    void copyToClipboardPlacesRtfOnly();
    void viewStaysChosenAcrossSafeguards();
    void statusChoiceGoesToTheSafeguardsRecord_data();
    void statusChoiceGoesToTheSafeguardsRecord();
    void tabTypesIntoTheEntry();
};

void TestWorkspace::typicalEvent()
{
    ActionAreaFixture f;
    f.open();
    f.clickNavigation(WorkMode::Administrative);

    QCOMPARE(int(f.window->workMode()), int(WorkMode::Administrative));
    QCOMPARE(f.workspace()->currentSafeguardNo(), 0);
    QCOMPARE(f.workspace()->headingLine(0)->text(), QStringLiteral(" Standard: Security Management Process"));
    QCOMPARE(f.workspace()->headingLine(1)->text(), QStringLiteral(" Section: 164.308(a)(1)"));
    QCOMPARE(f.workspace()->headingLine(2)->text(), QStringLiteral(" Specification: Risk Analysis (R)"));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Action Area - Administrative Safeguards - Risk Analysis"));
    QVERIFY(isDrawnAsChosen(f.window->groupPanel()->button(0, 0)));

    f.chooseView(View::ActionTakenOption);
    QCOMPARE(f.editor()->text(), QString());
    QVERIFY(!f.unsaved());
    f.type(QStringLiteral("Risk analysis done by the office manager"));
    QVERIFY(f.unsaved());

    f.clickSave();
    QVERIFY(!f.unsaved());
    QVERIFY(f.workbook.exists(QStringLiteral("Action0.Fil")));
    const QByteArray saved = f.workbook.readFile(QStringLiteral("Action0.Fil"));
    QVERIFY(saved.startsWith("{\\rtf"));
    QVERIFY(saved.contains("Risk analysis done by the office manager"));

    QComboBox *status = f.workspace()->statusBox()->comboBox();
    const int completed = status->findText(QStringLiteral("Completed"));
    QVERIFY(completed > 0);
    status->setCurrentIndex(completed);
    Q_EMIT status->activated(completed);
    QCOMPARE(readTextRecord(f.workbook.filePath(QStringLiteral("Stat1.Fil")), 20, 1), QStringLiteral("Completed"));
    QCOMPARE(f.test.prompt->questions.size(), 0);

    f.clickNavigation(WorkMode::Standards);
    QTableWidget *grid = f.window->standardsPanel()->grid();
    QVERIFY(grid->rowCount() > 0);
    const QStringList specifications =
        grid->item(0, StandardsGridPanel::SpecificationColumn)->text().split(kLineBreak);
    const QStringList statuses = grid->item(0, StandardsGridPanel::StatusColumn)->text().split(kLineBreak);
    QCOMPARE(specifications.value(0), QStringLiteral("Risk Analysis"));
    QCOMPARE(statuses.value(0), QStringLiteral("Completed"));
}

enum class Transition {
    AnotherSafeguard,
    AnotherView,
    AnotherWorkMode,
    ScreenButton,
    CloseWindow,
    WorkspaceExit,
    ExitProgram
};
// The user's answer to the save question; the last one is Yes with the
// entry's file name taken by a folder, so the save fails.
enum class SaveAnswer { Yes, No, Cancel, YesButTheSaveFails };

namespace {

// A folder put where an entry's file belongs makes its save fail. The folder
// appears after the entry was shown, so the save first asks whether to keep
// the typed text over what changed on disk; the returned prompt answers
// "Keep Mine", and the save then meets the folder.
std::shared_ptr<ScriptedChoicePrompt> keepMineOverChanges(ActionAreaFixture &f)
{
    auto prompt = std::make_shared<ScriptedChoicePrompt>();
    f.environment.services.prompt = prompt;
    f.test.services.prompt = prompt;
    f.test.prompt = prompt;
    prompt->enqueueChoice(DiskChangeWatch::kKeepMine);
    return prompt;
}

MainScreen *shownScreen(int index)
{
    for (QWidget *topLevel : QApplication::topLevelWidgets()) {
        auto *screen = qobject_cast<MainScreen *>(topLevel);
        if (screen && screen->ownIndex() == index && screen->isVisible())
            return screen;
    }
    return nullptr;
}

} // namespace

void TestWorkspace::saveQuestionOnGuardedTransitions_data()
{
    QTest::addColumn<Transition>("transition");
    QTest::addColumn<SaveAnswer>("answer");
    const QList<QPair<const char *, Transition>> transitions = {
        {"another safeguard", Transition::AnotherSafeguard},
        {"another view", Transition::AnotherView},
        {"another WorkMode", Transition::AnotherWorkMode},
        {"screen button", Transition::ScreenButton},
        {"closing the window", Transition::CloseWindow},
        {"workspace exit", Transition::WorkspaceExit},
        {"Exit Program", Transition::ExitProgram},
    };
    for (const auto &[name, transition] : transitions) {
        QTest::addRow("%s, Yes", name) << transition << SaveAnswer::Yes;
        QTest::addRow("%s, No", name) << transition << SaveAnswer::No;
        QTest::addRow("%s, Cancel", name) << transition << SaveAnswer::Cancel;
        QTest::addRow("%s, Yes but the save fails", name) << transition << SaveAnswer::YesButTheSaveFails;
    }
}

void TestWorkspace::saveQuestionOnGuardedTransitions()
{
    QFETCH(Transition, transition);
    QFETCH(SaveAnswer, answer);
    ActionAreaFixture f;
    std::shared_ptr<ScriptedChoicePrompt> choices;
    if (answer == SaveAnswer::YesButTheSaveFails)
        choices = keepMineOverChanges(f);
    f.open();
    f.clickNavigation(WorkMode::Physical);
    f.chooseView(View::CommentsNotesOption);
    f.type(QStringLiteral("Badge readers on both doors"));
    if (answer == SaveAnswer::YesButTheSaveFails)
        QVERIFY(f.workbook.dir().mkdir(QStringLiteral("Comment23.Fil")));

    const bool goesOn = answer == SaveAnswer::Yes || answer == SaveAnswer::No;
    switch (answer) {
    case SaveAnswer::Yes: f.test.prompt->enqueue(Answer::Yes); break;
    case SaveAnswer::No: f.test.prompt->enqueue(Answer::No); break;
    case SaveAnswer::Cancel: f.test.prompt->enqueue(Answer::Cancel); break;
    case SaveAnswer::YesButTheSaveFails: f.test.prompt->enqueue({Answer::Yes, Answer::Ok}); break;
    }
    if (transition == Transition::ExitProgram && goesOn)
        f.test.prompt->enqueue(Answer::Yes); // "Exit Sentrivo?"

    bool happened = false;
    switch (transition) {
    case Transition::AnotherSafeguard:
        QTest::mouseClick(f.window->groupPanel()->button(1, 3), Qt::LeftButton);
        happened = f.workspace()->currentSafeguardNo() == 26;
        break;
    case Transition::AnotherView:
        f.chooseView(View::ActionTakenOption);
        happened = f.workspace()->viewOption(View::ActionTakenOption)->isChecked();
        break;
    case Transition::AnotherWorkMode:
        f.clickNavigation(WorkMode::Technical);
        happened = f.window->workMode() == WorkMode::Technical;
        break;
    case Transition::ScreenButton:
        QTest::mouseClick(f.window->screenButton(ScreenIndex::SecurityRule), Qt::LeftButton);
        happened = shownScreen(ScreenIndex::SecurityRule) != nullptr;
        QCOMPARE(f.window->isVisible(), !happened);
        break;
    case Transition::CloseWindow:
        happened = f.window->close();
        QCOMPARE(f.endProgramCalls, happened ? 1 : 0);
        break;
    case Transition::WorkspaceExit:
        QTest::mouseClick(f.workspace()->exitButton(), Qt::LeftButton);
        happened = f.window->workMode() == WorkMode::Standards;
        break;
    case Transition::ExitProgram:
        QTest::mouseClick(f.window->screenButton(ScreenIndex::ExitProgram), Qt::LeftButton);
        happened = f.endProgramCalls == 1;
        break;
    }
    QCOMPARE(happened, goesOn);

    const ScriptedPrompt::Question question = f.test.prompt->questions.first();
    QCOMPARE(question.title, QStringLiteral("Save Changes?"));
    QCOMPARE(question.text, QStringLiteral("Save changes/entries before next action?"));
    QCOMPARE(question.buttons, Prompt::Buttons::YesNoCancel);
    QCOMPARE(question.icon, Prompt::Icon::Question);
    QCOMPARE(f.test.prompt->pendingAnswers(), 0);
    if (answer == SaveAnswer::YesButTheSaveFails) {
        QCOMPARE(choices->pendingChoices(), 0);
        QCOMPARE(f.test.prompt->questions.last().title, SafeguardWorkspace::kSaveFailedTitle);
    }

    // Whatever did not go on left the text, and its flag, where they were.
    QCOMPARE(f.unsaved(), !goesOn);
    if (!goesOn) {
        QCOMPARE(f.editor()->text(), QStringLiteral("Badge readers on both doors"));
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.environment.pendingSwitch, 0);
        QVERIFY(isDrawnAsChosen(f.window->screenButton(ScreenIndex::ActionArea)));
        QVERIFY(f.workspace()->viewOption(View::CommentsNotesOption)->isChecked());
    }
    // Physical button 0 is SafeguardNo 23; Yes saves that safeguard's file.
    QCOMPARE(QFileInfo(f.workbook.filePath(QStringLiteral("Comment23.Fil"))).isFile(), answer == SaveAnswer::Yes);
    if (answer == SaveAnswer::Yes)
        QVERIFY(f.workbook.readFile(QStringLiteral("Comment23.Fil")).contains("Badge readers on both doors"));
    const QStringList written = f.workbook.dir().entryList({QStringLiteral("*.Fil")}, QDir::Files);
    QCOMPARE(written.filter(QRegularExpression(QStringLiteral("^(Action|Comment|Policy)"))).size(),
             answer == SaveAnswer::Yes ? 1 : 0);
}

void TestWorkspace::saveInReferenceViewWritesNothing()
{
    ActionAreaFixture f;
    f.open();
    f.clickNavigation(WorkMode::Administrative);
    f.chooseView(View::ImplementationSpecificationOption);
    QVERIFY(f.editor()->isReadOnly());
    QVERIFY(f.editor()->text().contains(QStringLiteral("Implementation Specification:")));
    // The reference views leave nothing to save.
    QVERIFY(!f.workspace()->commandButton(SafeguardWorkspace::Command::Save)->isEnabled());
    QVERIFY(f.workspace()->save());
    const QStringList entries = f.workbook.dir().entryList({QStringLiteral("Action*"), QStringLiteral("Comment*"),
                                                            QStringLiteral("Policy*")});
    QVERIFY2(entries.isEmpty(), qPrintable(entries.join(QLatin1Char(','))));
    QCOMPARE(f.test.prompt->questions.size(), 0);
}

void TestWorkspace::failedSaveKeepsTextAndFlag_data()
{
    QTest::addColumn<bool>("throughSaveQuestion");
    QTest::newRow("Save button") << false;
    QTest::newRow("Yes to the save question") << true;
}

void TestWorkspace::failedSaveKeepsTextAndFlag()
{
    QFETCH(bool, throughSaveQuestion);
    ActionAreaFixture f;
    const std::shared_ptr<ScriptedChoicePrompt> choices = keepMineOverChanges(f);
    f.open();
    f.clickNavigation(WorkMode::Administrative);
    f.chooseView(View::ActionTakenOption);
    // The entry's file name is then taken by a folder: no file can be
    // written there.
    QVERIFY(f.workbook.dir().mkdir(QStringLiteral("Action0.Fil")));
    f.type(QStringLiteral("Text that must survive"));

    if (throughSaveQuestion) {
        f.test.prompt->enqueue({Answer::Yes, Answer::Ok});
        QTest::mouseClick(f.window->groupPanel()->button(0, 4), Qt::LeftButton);
    } else {
        f.test.prompt->enqueue(Answer::Ok);
        f.clickSave();
    }

    QCOMPARE(choices->pendingChoices(), 0);
    QVERIFY(!f.test.prompt->questions.isEmpty());
    const ScriptedPrompt::Question error = f.test.prompt->questions.last();
    QCOMPARE(error.icon, Prompt::Icon::Critical);
    QCOMPARE(error.title, SafeguardWorkspace::kSaveFailedTitle);
    QVERIFY2(error.text.contains(QDir::toNativeSeparators(f.workbook.filePath(QStringLiteral("Action0.Fil")))),
             qPrintable(error.text));
    QCOMPARE(f.editor()->text(), QStringLiteral("Text that must survive"));
    QVERIFY(f.unsaved());
    // The selection the question guarded did not happen.
    QCOMPARE(f.workspace()->currentSafeguardNo(), 0);
    QVERIFY(isDrawnAsChosen(f.window->groupPanel()->button(0, 0)));
    QVERIFY(!isDrawnAsChosen(f.window->groupPanel()->button(0, 4)));
    QVERIFY(f.workspace()->viewOption(View::ActionTakenOption)->isChecked());
}

void TestWorkspace::insertTemplate_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("button");
    QTest::addColumn<QByteArray>("existingPolicy");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("templateLoaded");

    QTest::newRow("no policy yet: loaded at once") << 2 << 0 << QByteArray() << Answer::Ok << false << true;
    QTest::newRow("blank policy: loaded at once") << 3 << 1 << QByteArray("{\\rtf1 \\par  }") << Answer::Ok << false << true;
    QTest::newRow("existing policy, No") << 2 << 0 << QByteArray("{\\rtf1 Our own policy}") << Answer::No << true << false;
    QTest::newRow("existing policy, Cancel") << 4 << 2 << QByteArray("{\\rtf1 Our own policy}") << Answer::Cancel << true << false;
    QTest::newRow("existing policy, Yes") << 5 << 1 << QByteArray("{\\rtf1 Our own policy}") << Answer::Yes << true << true;
}

void TestWorkspace::insertTemplate()
{
    QFETCH(int, mode);
    QFETCH(int, button);
    QFETCH(QByteArray, existingPolicy);
    QFETCH(Answer, answer);
    QFETCH(bool, asked);
    QFETCH(bool, templateLoaded);

    ActionAreaFixture f;
    f.open();
    f.clickNavigation(mode);
    QTest::mouseClick(f.window->groupPanel()->button(mode - 2, button), Qt::LeftButton);
    const int safeguardNo = f.workspace()->currentSafeguardNo();
    const QString policyFile = QStringLiteral("Policy%1.Fil").arg(safeguardNo);
    if (!existingPolicy.isEmpty())
        QVERIFY(f.workbook.writeFile(policyFile, existingPolicy));
    f.chooseView(View::PoliciesOption);
    QVERIFY(f.workspace()->templateButton()->isEnabled());
    const QString before = f.editor()->text();

    if (asked)
        f.test.prompt->enqueue(answer);
    QTest::mouseClick(f.workspace()->templateButton(), Qt::LeftButton);

    QCOMPARE(f.test.prompt->questions.size(), asked ? 1 : 0);
    if (asked) {
        const ScriptedPrompt::Question question = f.test.prompt->questions.first();
        QCOMPARE(question.title, QStringLiteral("Insert Template"));
        QCOMPARE(question.icon, Prompt::Icon::Exclamation);
        QCOMPARE(question.buttons, Prompt::Buttons::YesNoCancel);
        QCOMPARE(question.defaultAnswer, std::optional<Answer>(Answer::No));
        QCOMPARE(question.text, QStringLiteral("The program has detected an existing Policy and Procedure/Plan.\n\n"
                                               "If you insert template and save file the existing file will be "
                                               "overwritten!\n\nInsert new Template?"));
    }
    QTextDocument templateDocument;
    const QString templatePath = Reference::findContentFile(
        f.context.workbook.contentFolder(), QStringLiteral("Misc%1.Fl1").arg(*EntryTemplates::templateNumber(workModeFromInt(mode), safeguardNo)));
    QVERIFY2(!templatePath.isEmpty(), "the shipped template is missing");
    QVERIFY(Rtf::loadFile(templatePath, &templateDocument));
    if (templateLoaded) {
        QCOMPARE(f.editor()->text(), templateDocument.toPlainText());
        QVERIFY(f.unsaved());
    } else {
        QCOMPARE(f.editor()->text(), before);
        QVERIFY(!f.unsaved());
    }
    // The template is written only when the user saves.
    QCOMPARE(f.workbook.readFile(policyFile), existingPolicy);
}

void TestWorkspace::overviewRowsHaveNoSpecificationOrTemplate_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("overview");
    QTest::newRow("Organizational overview (42)") << 5 << 0 << true;
    QTest::newRow("Business associate contracts (43)") << 5 << 1 << false;
    QTest::newRow("Documentation overview (45)") << 6 << 0 << true;
    QTest::newRow("Documentation (46)") << 6 << 1 << false;
}

void TestWorkspace::overviewRowsHaveNoSpecificationOrTemplate()
{
    QFETCH(int, mode);
    QFETCH(int, button);
    QFETCH(bool, overview);
    ActionAreaFixture f;
    f.open();
    f.clickNavigation(mode);
    QRadioButton *specification = f.workspace()->viewOption(View::ImplementationSpecificationOption);
    QVERIFY(!specification->isChecked());
    QTest::mouseClick(f.window->groupPanel()->button(mode - 2, button), Qt::LeftButton);
    f.chooseView(View::PoliciesOption);
    QCOMPARE(specification->isEnabled(), !overview);
    QCOMPARE(f.workspace()->templateButton()->isEnabled(), !overview);
}

void TestWorkspace::sampleNeverWrites()
{
    ActionAreaFixture f;
    f.open();
    f.test.prompt->enqueue(Answer::Ok); // the sample notice
    f.clickNavigation(WorkMode::Sample);
    QCOMPARE(f.questionTitles(), QStringLiteral("Sample Safeguard Entry"));
    QCOMPARE(f.workspace()->statusBox()->statusText(), QStringLiteral("Completed"));
    QCOMPARE(f.workspace()->checkedViewOption(), -1);
    QCOMPARE(f.workspace()->headingLine(0)->text(), QStringLiteral(" Standard: Security Awareness and Training"));
    QCOMPARE(f.window->groupPanel()->title(), QStringLiteral("Sample entries for the Password Management Safeguard"));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Action Area - Sample Safeguard Entry"));

    // The sample's reference texts are Password Management's.
    f.chooseView(View::ImplementationSpecificationOption);
    QVERIFY(f.editor()->text().contains(QStringLiteral("Password management"), Qt::CaseInsensitive));

    f.chooseView(View::ActionTakenOption);
    QVERIFY(f.editor()->isReadOnly());
    QVERIFY(!f.editor()->text().trimmed().isEmpty());

    f.test.prompt->enqueue(Answer::Ok); // the policy notice
    f.chooseView(View::PoliciesOption);
    QVERIFY(!f.editor()->isReadOnly());
    f.type(QStringLiteral("changed"));
    QVERIFY(f.unsaved());

    f.test.prompt->enqueue(Answer::Ok);
    f.clickSave();
    const ScriptedPrompt::Question refusal = f.test.prompt->questions.last();
    QCOMPARE(refusal.title, QStringLiteral("Save Command"));
    QCOMPARE(refusal.text, QStringLiteral("Unable to save changes to sample."));

    // Choosing a status in the sample stores nothing and warns about nothing.
    QComboBox *status = f.workspace()->statusBox()->comboBox();
    const int notImplemented = status->findText(QStringLiteral("Not Implemented"));
    status->setCurrentIndex(notImplemented);
    Q_EMIT status->activated(notImplemented);

    // Leaving asks nothing; coming back shows the notice no more.
    f.clickNavigation(WorkMode::Standards);
    f.clickNavigation(WorkMode::Sample);
    QCOMPARE(f.questionTitles(),
             QStringLiteral("Sample Safeguard Entry|Policies and Procedures/Plan|Save Command"));
    QVERIFY(f.workbook.dir().entryList({QStringLiteral("Sample*"), QStringLiteral("Policy*"),
                                        QStringLiteral("Action*"), QStringLiteral("Comment*")}).isEmpty());
    for (int record = 1; record <= 68; ++record)
        QCOMPARE(readTextRecord(f.workbook.filePath(QStringLiteral("Stat1.Fil")), 20, record), QString());
}

void TestWorkspace::noticesInFullAndPolicyNoticeOncePerWindow()
{
    const QString sampleNotice = QStringLiteral("This sample was created so you can see\n"
                                                "how program works and can be used.\n"
                                                "\n"
                                                "You can make changes etc. but cannot save\n"
                                                "changes so Sample will remain in program.");
    const QString policyNotice = QStringLiteral("This Policy was first written using a full function word processing\n"
                                                "program and then copied and pasted into the program.\n"
                                                "\n"
                                                "You can use the program to enter in this information, but the program\n"
                                                "doesn't give you all of the capabilities of a commercial word processor!");
    const QString recoveryNotice = QStringLiteral(
        "In response to a request from a user, we have included a copy of a sample Disaster Recovery Plan. \n"
        "\n"
        "This plan is for a larger organization and may or may not be applicable to your organization.\n"
        "\n"
        "Hopefully, it will give you some ideas on how to address disaster recovery in your situation.\n"
        "\n"
        "If you are a small provider then much of this plan can be cut down or covered in a few \n"
        "sentences instead of the lists and so forth as contained in this plan.\n"
        "\n"
        "You can use this template to make changes in this program and save your changes, etc. \n"
        "or you can copy and paste this document into your word processor and work on it there.");

    ActionAreaFixture f;
    f.open();
    f.test.prompt->enqueue({Answer::Ok, Answer::Ok, Answer::Ok});
    f.clickNavigation(WorkMode::Sample);
    f.chooseView(View::PoliciesOption);
    // Away and back, within the sample and through another WorkMode: the
    // policy notice is not shown again in this window.
    f.chooseView(View::ActionTakenOption);
    f.chooseView(View::PoliciesOption);
    f.clickNavigation(WorkMode::Standards);
    f.clickNavigation(WorkMode::Sample);
    f.chooseView(View::ActionTakenOption);
    f.chooseView(View::PoliciesOption);
    f.clickNavigation(WorkMode::RecoveryPlan);

    const QList<ScriptedPrompt::Question> &asked = f.test.prompt->questions;
    QCOMPARE(f.questionTitles(), QStringLiteral("Sample Safeguard Entry|Policies and Procedures/Plan|"
                                                "Disaster Recovery Plan Information"));
    QCOMPARE(asked[0].text, sampleNotice);
    QCOMPARE(asked[1].text, policyNotice);
    QCOMPARE(asked[2].text, recoveryNotice);
    for (const ScriptedPrompt::Question &notice : asked) {
        QCOMPARE(notice.icon, Prompt::Icon::Information);
        QCOMPARE(notice.buttons, Prompt::Buttons::Ok);
    }
    QVERIFY(f.workspace()->policyNoticeShown());
}

void TestWorkspace::recoveryPlan()
{
    ActionAreaFixture f;
    f.open();
    f.test.prompt->enqueue(Answer::Ok);
    f.clickNavigation(WorkMode::RecoveryPlan);
    QCOMPARE(f.questionTitles(), QStringLiteral("Disaster Recovery Plan Information"));
    QVERIFY(!f.editor()->text().trimmed().isEmpty());
    QVERIFY(!f.unsaved());
    QVERIFY(!f.workspace()->headingLine(0)->isVisible());
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Action Area - Disaster Recovery Plan"));

    f.type(QStringLiteral("Call the practice owner first. "));
    QVERIFY(f.unsaved());
    f.test.prompt->enqueue(Answer::Yes);
    QTest::mouseClick(f.workspace()->exitButton(), Qt::LeftButton);
    QCOMPARE(int(f.window->workMode()), int(WorkMode::Standards));
    QCOMPARE(f.workbook.dir().entryList({QStringLiteral("*.Fil")}, QDir::Files).filter(QStringLiteral("DRPln1")),
             QStringList{QStringLiteral("DRPln1.Fil")});
    QVERIFY(f.workbook.dir().entryList({QStringLiteral("Action*"), QStringLiteral("Policy*")}).isEmpty());

    // The user's own plan comes back without the notice.
    f.clickNavigation(WorkMode::RecoveryPlan);
    QVERIFY(f.editor()->text().startsWith(QStringLiteral("Call the practice owner first. ")));
    QCOMPARE(f.test.prompt->questions.size(), 2);

    // Over an existing plan the template asks first, No being the default.
    f.test.prompt->enqueue(Answer::No);
    QTest::mouseClick(f.workspace()->templateButton(), Qt::LeftButton);
    const ScriptedPrompt::Question question = f.test.prompt->questions.last();
    QVERIFY(question.text.startsWith(QStringLiteral("The program has detected an existing Disaster Recovery Plan.\n\n")));
    QCOMPARE(question.defaultAnswer, std::optional<Answer>(Answer::No));
    QVERIFY(f.editor()->text().startsWith(QStringLiteral("Call the practice owner first. ")));
    QVERIFY(!f.unsaved());
}

void TestWorkspace::copyToClipboardPlacesRtfOnly()
{
    ActionAreaFixture f;
    f.open();
    f.clickNavigation(WorkMode::Technical);
    f.chooseView(View::AdditionalInformationOption);
    f.test.prompt->enqueue(Answer::Ok);
    f.workspace()->copyToClipboard();
    QVERIFY(f.test.clipboard->rtf.startsWith("{\\rtf"));
    QVERIFY(f.test.clipboard->plainText.isEmpty());
    QCOMPARE(f.test.prompt->questions.last().text, QStringLiteral("A copy has been copied to the Windows Clipboard."));

    // A clipboard in use is reported, never passed off as a copy.
    f.test.clipboard->refuse = true;
    f.test.prompt->enqueue(Answer::Ok);
    f.workspace()->copyToClipboard();
    QCOMPARE(f.test.prompt->questions.last().icon, Prompt::Icon::Exclamation);
}

void TestWorkspace::viewStaysChosenAcrossSafeguards()
{
    ActionAreaFixture f;
    f.open();
    QVERIFY(f.workbook.writeFile(QStringLiteral("Comment35.Fil"), "{\\rtf1 Logoff after ten minutes}"));
    f.clickNavigation(WorkMode::Technical);
    f.chooseView(View::CommentsNotesOption);
    QTest::mouseClick(f.window->groupPanel()->button(2, 2), Qt::LeftButton);
    QVERIFY(f.workspace()->viewOption(View::CommentsNotesOption)->isChecked());
    QCOMPARE(f.editor()->text(), QStringLiteral("Logoff after ten minutes"));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Action Area - Technical Safeguards - Automatic Logoff"));
    QVERIFY(!f.unsaved());
}

void TestWorkspace::statusChoiceGoesToTheSafeguardsRecord_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("record");
    QTest::addColumn<bool>("warned");
    QTest::newRow("Physical button 0") << 3 << 0 << "Working" << 24 << false;
    QTest::newRow("Automatic Logoff") << 4 << 2 << "Not Implemented" << 36 << true;
    QTest::newRow("Documentation") << 6 << 1 << "Review" << 47 << false;
    QTest::newRow("blank entry") << 2 << 5 << " " << 6 << false;
}

void TestWorkspace::statusChoiceGoesToTheSafeguardsRecord()
{
    QFETCH(int, mode);
    QFETCH(int, button);
    QFETCH(QString, status);
    QFETCH(int, record);
    QFETCH(bool, warned);
    ActionAreaFixture f;
    f.open();
    f.clickNavigation(mode);
    QTest::mouseClick(f.window->groupPanel()->button(mode - 2, button), Qt::LeftButton);
    if (warned)
        f.test.prompt->enqueue(Answer::Ok);
    QComboBox *box = f.workspace()->statusBox()->comboBox();
    const int index = box->findText(status);
    box->setCurrentIndex(index);
    Q_EMIT box->activated(index);
    QCOMPARE(readTextRecord(f.workbook.filePath(QStringLiteral("Stat1.Fil")), 20, record), status);
    QCOMPARE(f.questionTitles(), warned ? QStringLiteral("Safeguard Not Being Implemented") : QString());

    // Coming back to the safeguard shows the stored status.
    f.clickNavigation(WorkMode::Standards);
    f.clickNavigation(mode);
    QTest::mouseClick(f.window->groupPanel()->button(mode - 2, button), Qt::LeftButton);
    QCOMPARE(f.workspace()->statusBox()->statusText(), status);
}

void TestWorkspace::tabTypesIntoTheEntry()
{
    ActionAreaFixture f;
    f.open();
    f.clickNavigation(WorkMode::Administrative);
    f.chooseView(View::PoliciesOption);
    f.editor()->setFocus();
    QTest::keyClick(f.editor(), Qt::Key_Tab);
    QTest::keyClicks(f.editor(), QStringLiteral("Purpose"));
    QCOMPARE(f.editor()->text(), QStringLiteral("\tPurpose"));
    QVERIFY(f.editor()->hasFocus());
}

QTEST_MAIN(TestWorkspace)
#include "tst_workspace.moc"
