// The risk analysis worksheets: titles and their file, underlines, opening,
// saving, the compliance status, "New Worksheet" and the title panel.
#include "actionarea/actionareafixture.h"
#include "actionarea/actionareaprint.h"
#include "actionarea/status/statusbox.h"
#include "printing/printpanel.h"
#include "printing/printsurface.h"
#include "actionarea/status/statustable.h"
#include "platform/records/recordfile.h"
#include "support/unreadablefile.h"
#include "screens/helptopics.h"
#include "worksheets/worksheetfiles.h"
#include "worksheets/worksheetspanel.h"
#include "worksheets/worksheettitlepanel.h"

#include <QLabel>
#include <QLineEdit>

Q_DECLARE_METATYPE(Unreadable)

using Answer = Prompt::Answer;
using Command = SafeguardWorkspace::Command;

namespace {

QByteArray titleRecord(const QByteArray &text)
{
    QByteArray record(20, '\0');
    record[0] = char(text.size());
    record.replace(2, text.size(), text);
    return record;
}

const QByteArray kWorksheetRtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Door locks checked\\par}";

} // namespace

class TestWorksheets : public QObject
{
    Q_OBJECT

private:
    WorksheetsPanel *enter(ActionAreaFixture &f)
    {
        f.open();
        f.clickNavigation(WorkMode::Worksheets);
        return f.window->worksheetsPanel();
    }
    void click(WorksheetsPanel *panel, int index) { QTest::mouseClick(panel->button(index), Qt::LeftButton); }

private Q_SLOTS:
    void namesOfTitlesAndFiles_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("file");
        QTest::newRow("first") << 0 << "Risk Analysis # 1" << "Wksht0.Fil";
        QTest::newRow("ninth") << 8 << "Risk Analysis # 9" << "Wksht8.Fil";
        QTest::newRow("tenth") << 9 << "Risk Analysis #10" << "Wksht9.Fil";
        QTest::newRow("last") << 20 << "Risk Analysis #21" << "Wksht20.Fil";
    }
    void namesOfTitlesAndFiles()
    {
        QFETCH(int, index);
        QFETCH(QString, title);
        QFETCH(QString, file);
        QCOMPARE(Worksheets::defaultTitle(index), title);
        QCOMPARE(Worksheets::contentFileName(index), file);
    }

    void firstEntryShowsDefaultTitlesAndNothingOpen()
    {
        ActionAreaFixture f;
        WorksheetsPanel *panel = enter(f);
        for (int index = 0; index < Worksheets::kCount; ++index) {
            QCOMPARE(panel->button(index)->text(), Worksheets::defaultTitle(index));
            QCOMPARE(panel->button(index)->toolTip(), Worksheets::defaultTitle(index));
            QVERIFY(!panel->isUnderlined(index));
            QVERIFY(panel->button(index)->isVisible());
        }
        QVERIFY(f.workspace()->isVisible());
        QCOMPARE(f.workspace()->templateButton()->text(), QStringLiteral("New Worksheet"));
        QVERIFY(!f.workspace()->templateButton()->isEnabled());
        for (Command command : {Command::Save, Command::FontSelect, Command::Thesaurus, Command::SpellCheck})
            QVERIFY(!f.workspace()->commandButton(command)->isEnabled());
        QVERIFY(!f.workspace()->statusBox()->isVisible());
        QVERIFY(!f.workspace()->headingLine(0)->isVisible());
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Action Area - Risk Analysis Worksheets"));
        QVERIFY(!f.workbook.exists(Worksheets::kTitleFile));
        QCOMPARE(f.window->f1HelpTopic(), HelpTopic::RiskWorksheets);
    }

    void savedWorksheetUnderlinesItsButton()
    {
        ActionAreaFixture f;
        WorksheetsPanel *panel = enter(f);
        click(panel, 0);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Action Area - Risk Analysis Worksheets - Risk Analysis # 1"));
        for (Command command : {Command::Save, Command::FontSelect, Command::Thesaurus, Command::SpellCheck})
            QVERIFY(f.workspace()->commandButton(command)->isEnabled());
        QVERIFY(f.workspace()->templateButton()->isEnabled());
        QVERIFY(f.workspace()->statusBox()->isVisible());
        QVERIFY(f.workspace()->statusBox()->explanationButton()->isVisible());
        QVERIFY(isDrawnAsChosen(panel->button(0)));
        QVERIFY(panel->button(0)->font().bold());

        f.type(QStringLiteral("Server room door"));
        QVERIFY(f.unsaved());
        f.clickSave();
        QVERIFY(!f.unsaved());
        QVERIFY(f.workbook.readFile(QStringLiteral("Wksht0.Fil")).contains("Server room door"));
        // Underlines are refreshed when a worksheet is opened.
        QVERIFY(!panel->isUnderlined(0));
        click(panel, 5);
        QVERIFY(panel->isUnderlined(0));
        QVERIFY(!panel->isUnderlined(5));
        QVERIFY(!isDrawnAsChosen(panel->button(0)));
        QVERIFY(f.editor()->text().isEmpty());
        click(panel, 0);
        QCOMPARE(f.editor()->text(), QStringLiteral("Server room door"));
        QVERIFY(!f.unsaved());
        QVERIFY(f.test.prompt->questions.isEmpty());
    }

    void underlineNeedsTextOfItsOwnFile()
    {
        ActionAreaFixture f;
        f.workbook.writeFile(QStringLiteral("Wksht3.Fil"), kWorksheetRtf);
        f.workbook.writeFile(QStringLiteral("Wksht4.Fil"), "{\\rtf1\\ansi   \\par  \\par}");
        f.workbook.writeFile(QStringLiteral("Wksht5.Fil"), QByteArray());
        WorksheetsPanel *panel = enter(f);
        for (int index = 0; index < Worksheets::kCount; ++index)
            QCOMPARE(panel->isUnderlined(index), index == 3);
    }

    void leavingAnEditedWorksheetAsksFirst()
    {
        ActionAreaFixture f;
        // Coming from a reference text, which is never an edit.
        f.open();
        f.clickNavigation(WorkMode::Administrative);
        f.chooseView(SafeguardWorkspace::ReferencesInRuleOption);
        f.clickNavigation(WorkMode::Worksheets);
        WorksheetsPanel *panel = f.window->worksheetsPanel();
        QVERIFY(f.editor()->isReadOnly()); // nothing open to type into
        click(panel, 1);
        QVERIFY(!f.editor()->isReadOnly());
        f.type(QStringLiteral("Laptop encryption"));
        f.test.prompt->enqueue(Answer::Yes);
        click(panel, 2);
        QCOMPARE(f.questionTitles(), QStringLiteral("Save Changes?"));
        QVERIFY(f.workbook.readFile(QStringLiteral("Wksht1.Fil")).contains("Laptop encryption"));
        QVERIFY(!f.workbook.exists(QStringLiteral("Wksht2.Fil")));
        QCOMPARE(panel->currentIndex(), 2);

        // A save that fails keeps the user on the worksheet with the text.
        f.type(QStringLiteral("Backup tapes"));
        QVERIFY(QDir(f.workbook.path()).mkdir(QStringLiteral("Wksht2.Fil")));
        f.test.prompt->enqueue({Answer::Yes, Answer::Ok});
        click(panel, 3);
        QCOMPARE(f.test.prompt->questions.last().title, QStringLiteral("Save Failed"));
        QVERIFY(f.test.prompt->questions.last().text.contains(QStringLiteral("Wksht2.Fil")));
        QCOMPARE(panel->currentIndex(), 2);
        QVERIFY(isDrawnAsChosen(panel->button(2)));
        QVERIFY(!isDrawnAsChosen(panel->button(3)));
        QCOMPARE(f.editor()->text(), QStringLiteral("Backup tapes"));
        QVERIFY(f.unsaved());
        f.test.prompt->enqueue(Answer::Ok);
        f.clickSave();
        QVERIFY(f.unsaved());
        QCOMPARE(f.test.prompt->pendingAnswers(), 0);
    }

    void complianceStatusFollowsTheFile()
    {
        ActionAreaFixture f;
        QVERIFY(writeTextRecord(f.workbook.filePath(StatusTable::kFileName), 20, 48, QStringLiteral("Partial")));
        QVERIFY(writeTextRecord(f.workbook.filePath(StatusTable::kFileName), 20, 49, QStringLiteral("Yes")));
        f.workbook.writeFile(QStringLiteral("Wksht0.Fil"), kWorksheetRtf);
        WorksheetsPanel *panel = enter(f);
        StatusBox *status = f.workspace()->statusBox();
        click(panel, 0);
        QCOMPARE(status->statusText(), QStringLiteral("Partial"));
        QCOMPARE(status->caption()->text(), QStringLiteral(" Compliance Status:"));
        // No file: no status, whatever the record holds.
        click(panel, 1);
        QCOMPARE(status->statusText(), QString());

        // Choosing a status stores it in the worksheet's record.
        click(panel, 0);
        QComboBox *box = status->comboBox();
        const int planned = box->findText(QStringLiteral("Planned"));
        box->setCurrentIndex(planned);
        Q_EMIT box->activated(planned);
        QCOMPARE(readTextRecord(f.workbook.filePath(StatusTable::kFileName), 20, 48), QStringLiteral("Planned"));

        // Saved with blanks only: the status goes.
        f.editor()->selectAll();
        f.type(QStringLiteral("   "));
        f.clickSave();
        QCOMPARE(readTextRecord(f.workbook.filePath(StatusTable::kFileName), 20, 48), QString());
        QCOMPARE(status->statusText(), QString());
        QCOMPARE(readTextRecord(f.workbook.filePath(StatusTable::kFileName), 20, 49), QStringLiteral("Yes"));
    }

    void newWorksheetAsksOnlyOverAFile()
    {
        ActionAreaFixture f;
        f.workbook.writeFile(QStringLiteral("Wksht1.Fil"), kWorksheetRtf);
        WorksheetsPanel *panel = enter(f);
        click(panel, 0);
        QTest::mouseClick(f.workspace()->templateButton(), Qt::LeftButton);
        QVERIFY(f.test.prompt->questions.isEmpty());
        const QString templateText = f.editor()->text();
        QVERIFY(!templateText.trimmed().isEmpty());
        QVERIFY(f.unsaved());
        f.test.prompt->enqueue(Answer::No);
        click(panel, 1);
        QCOMPARE(f.questionTitles(), QStringLiteral("Save Changes?"));
        QVERIFY(!f.workbook.exists(QStringLiteral("Wksht0.Fil")));

        f.test.prompt->enqueue(Answer::No);
        QTest::mouseClick(f.workspace()->templateButton(), Qt::LeftButton);
        const ScriptedPrompt::Question &question = f.test.prompt->questions.last();
        QCOMPARE(question.title, QStringLiteral("New Worksheet"));
        QCOMPARE(question.text, QStringLiteral("The program has detected an existing Risk Analysis # 2 worksheet!\n\n"
                                               "If you insert template and save file the existing file will be "
                                               "overwritten!\n\nNew Worksheet?"));
        QCOMPARE(question.icon, Prompt::Icon::Exclamation);
        QCOMPARE(question.buttons, Prompt::Buttons::YesNoCancel);
        QCOMPARE(question.defaultAnswer, std::optional<Answer>(Answer::No));
        QCOMPARE(f.editor()->text(), QStringLiteral("Door locks checked"));
        QVERIFY(f.unsaved());

        f.test.prompt->enqueue(Answer::Yes);
        QTest::mouseClick(f.workspace()->templateButton(), Qt::LeftButton);
        QCOMPARE(f.editor()->text(), templateText);
        QCOMPARE(f.workbook.readFile(QStringLiteral("Wksht1.Fil")), kWorksheetRtf);
    }

    void titlesAreStoredByteForByte()
    {
        ActionAreaFixture f;
        // An existing file keeps the records nobody renames.
        f.workbook.writeFile(Worksheets::kTitleFile, titleRecord("Old one") + titleRecord("Old two"));
        WorksheetsPanel *panel = enter(f);
        QCOMPARE(panel->button(0)->text(), QStringLiteral("Old one"));
        QCOMPARE(panel->button(2)->text(), QStringLiteral("Risk Analysis # 3"));
        click(panel, 2);

        f.window->optionsEntry(OptionsTable::Entry::ChangeWorksheetButtonTitle)->trigger();
        WorksheetTitlePanel *titles = panel->titlePanel();
        QVERIFY(titles->isVisible());
        QCOMPARE(titles->currentTitle(1), QStringLiteral("Old two"));
        QCOMPARE(titles->currentTitle(20), QStringLiteral("Risk Analysis #21"));
        QTest::keyClicks(titles->entryBox(2), QStringLiteral(" Front Desk PCs X")); // 17 characters
        QTest::keyClicks(titles->entryBox(4), QStringLiteral("Eighteen letters!! and more"));
        QCOMPARE(titles->entryBox(4)->text(), QStringLiteral("Eighteen letters!!"));
        QTest::mouseClick(titles->saveButton(), Qt::LeftButton);
        QVERIFY(!titles->isVisible());

        QCOMPARE(f.workbook.readFile(Worksheets::kTitleFile),
                 titleRecord("Old one") + titleRecord("Old two") + titleRecord(" Front Desk PCs X")
                     + QByteArray(20, '\0') + titleRecord("Eighteen letters!!"));
        QCOMPARE(panel->button(2)->text(), QStringLiteral("Front Desk PCs X"));
        QCOMPARE(panel->button(4)->toolTip(), QStringLiteral("Eighteen letters!!"));
        QCOMPARE(f.window->windowTitle(),
                 QStringLiteral("Action Area - Risk Analysis Worksheets - Front Desk PCs X"));

        // Cleared boxes leave titles alone; typed text stays in the boxes.
        f.window->optionsEntry(OptionsTable::Entry::ChangeWorksheetButtonTitle)->trigger();
        QCOMPARE(titles->entryBox(2)->text(), QStringLiteral(" Front Desk PCs X"));
        titles->entryBox(2)->clear();
        titles->entryBox(4)->clear();
        const QByteArray before = f.workbook.readFile(Worksheets::kTitleFile);
        QTest::mouseClick(titles->saveButton(), Qt::LeftButton);
        QCOMPARE(f.workbook.readFile(Worksheets::kTitleFile), before);
        QCOMPARE(panel->button(2)->text(), QStringLiteral("Front Desk PCs X"));

        // Titles are read again on every entry.
        f.clickNavigation(WorkMode::Standards);
        f.clickNavigation(WorkMode::Worksheets);
        QCOMPARE(Worksheets::readTitles(f.workbook.workbook()).at(4), QStringLiteral("Eighteen letters!!"));
        QCOMPARE(panel->button(4)->text(), QStringLiteral("Eighteen letters!!"));
    }

    void titlePanelClosesWithoutSaving()
    {
        ActionAreaFixture f;
        WorksheetsPanel *panel = enter(f);
        QAction *entry = f.window->optionsEntry(OptionsTable::Entry::ChangeWorksheetButtonTitle);
        QVERIFY(entry->isVisible());
        QVERIFY(entry->isEnabled());
        entry->trigger();
        QTest::keyClicks(panel->titlePanel()->entryBox(0), QStringLiteral("Typed"));
        QTest::keyClick(f.window, Qt::Key_Escape);
        QVERIFY(!panel->titlePanel()->isVisible());
        QVERIFY(f.test.prompt->questions.isEmpty()); // not the exit question
        entry->trigger();
        QTest::mouseClick(panel->titlePanel()->exitButton(), Qt::LeftButton);
        QVERIFY(!panel->titlePanel()->isVisible());
        QVERIFY(!f.workbook.exists(Worksheets::kTitleFile));
        QCOMPARE(panel->button(0)->text(), QStringLiteral("Risk Analysis # 1"));
        f.clickNavigation(WorkMode::Standards);
        QVERIFY(!entry->isVisible());
    }

    void worksheetPrintsAsItsDisplayCopy()
    {
        ActionAreaFixture f;
        WorksheetsPanel *panel = enter(f);
        QVERIFY(!f.workspace()->commandButton(Command::Print)->isEnabled());
        click(panel, 0);
        f.type(QStringLiteral("Server room door"));
        QTest::mouseClick(f.workspace()->commandButton(Command::Print), Qt::LeftButton);
        QVERIFY(f.window->printPreviewShown());
        QVERIFY(f.window->printing()->panel()->surface()->pageCount() >= 1);
        // The title panel does not open over the preview.
        f.window->optionsEntry(OptionsTable::Entry::ChangeWorksheetButtonTitle)->trigger();
        QVERIFY(!panel->titlePanel()->isVisible());
        QTest::keyClick(f.window, Qt::Key_Escape);
        QVERIFY(!f.window->printPreviewShown());
        QCOMPARE(f.editor()->text(), QStringLiteral("Server room door"));
    }

    void unreadableWorksheetIsReportedAndNeverSavedOver_data() { addUnreadableRows(); }
    void unreadableWorksheetIsReportedAndNeverSavedOver()
    {
        QFETCH(Unreadable, how);
        ActionAreaFixture f;
        const QString name = QStringLiteral("Wksht0.Fil");
        QVERIFY(makeUnreadable(f.workbook, name, how, kWorksheetRtf));
        WorksheetsPanel *panel = enter(f);
        f.test.prompt->enqueue(Answer::Ok);
        {
            const OrdinaryUserFileAccess ordinaryUser;
            click(panel, 0);
        }
        QCOMPARE(f.questionTitles(), SafeguardWorkspace::kNotReadTitle);
        QVERIFY(f.test.prompt->questions.last().text.contains(QStringLiteral("could not be read")));
        QVERIFY(f.editor()->isReadOnly());
        for (Command command : {Command::Save, Command::FontSelect, Command::Thesaurus, Command::SpellCheck})
            QVERIFY(!f.workspace()->commandButton(command)->isEnabled());
        QVERIFY(!f.workspace()->templateButton()->isEnabled());

        // Neither Save (Ctrl+S reaches it even with the button off) nor the
        // template replaces what the user wrote.
        f.test.prompt->enqueue(Answer::Ok);
        QVERIFY(!panel->saveWorksheet());
        QCOMPARE(f.test.prompt->questions.last().title, SafeguardWorkspace::kSaveFailedTitle);
        panel->newWorksheet();
        QVERIFY(!f.unsaved());
        QVERIFY(stillAsMadeUnreadable(f.workbook, name, how, kWorksheetRtf));

        // Another worksheet opens and saves as usual.
        click(panel, 1);
        QVERIFY(!f.editor()->isReadOnly());
        f.type(QStringLiteral("Badge readers"));
        f.clickSave();
        QVERIFY(f.workbook.readFile(QStringLiteral("Wksht1.Fil")).contains("Badge readers"));
        QVERIFY(stillAsMadeUnreadable(f.workbook, name, how, kWorksheetRtf));
    }

    void unreadableTitleFileIsReportedAndNeverSavedOver_data() { addUnreadableRows(); }
    void unreadableTitleFileIsReportedAndNeverSavedOver()
    {
        QFETCH(Unreadable, how);
        ActionAreaFixture f;
        QByteArray titles;
        for (int index = 0; index < Worksheets::kCount; ++index)
            titles += titleRecord("Server " + QByteArray::number(index));
        QVERIFY(makeUnreadable(f.workbook, Worksheets::kTitleFile, how, titles));
        WorksheetsPanel *panel = nullptr;
        f.test.prompt->enqueue(Answer::Ok);
        {
            const OrdinaryUserFileAccess ordinaryUser;
            panel = enter(f);
        }
        QCOMPARE(f.questionTitles(), SafeguardWorkspace::kNotReadTitle);
        QCOMPARE(panel->button(0)->text(), QStringLiteral("Risk Analysis # 1"));

        // Renaming one worksheet would write the default titles over the
        // other twenty.
        f.window->optionsEntry(OptionsTable::Entry::ChangeWorksheetButtonTitle)->trigger();
        QTest::keyClicks(panel->titlePanel()->entryBox(0), QStringLiteral("Front Desk"));
        f.test.prompt->enqueue(Answer::Ok);
        QTest::mouseClick(panel->titlePanel()->saveButton(), Qt::LeftButton);
        QCOMPARE(f.test.prompt->questions.last().title, WorksheetsPanel::kSaveFailedTitle);
        QVERIFY(panel->titlePanel()->isVisible());
        QVERIFY(stillAsMadeUnreadable(f.workbook, Worksheets::kTitleFile, how, titles));

        // The store refuses on its own too.
        QString error;
        {
            const OrdinaryUserFileAccess ordinaryUser;
            QVERIFY(!Worksheets::saveTitles(f.workbook.workbook(), {QStringLiteral("Front Desk")}, &error));
        }
        QVERIFY2(error.contains(QStringLiteral("could not be read")), qPrintable(error));
        QVERIFY(stillAsMadeUnreadable(f.workbook, Worksheets::kTitleFile, how, titles));
    }

    void titlesShowAsTypedAndHoldWhatARecordHolds()
    {
        ActionAreaFixture f;
        WorksheetsPanel *panel = enter(f);
        f.window->optionsEntry(OptionsTable::Entry::ChangeWorksheetButtonTitle)->trigger();
        WorksheetTitlePanel *titles = panel->titlePanel();
        QVERIFY(titles->findChild<QLabel *>(QStringLiteral("titleLimitNote"))->text().contains(QStringLiteral("18")));
        QTest::keyClicks(titles->entryBox(0), QStringLiteral("EHR Server & Back"));
        // Only what Windows-1252 holds: the arrow cannot be stored.
        QLineEdit *box = titles->entryBox(1);
        QTest::keyClicks(box, QStringLiteral("Caf"));
        box->insert(QStringLiteral("\u00e9 "));
        box->insert(QStringLiteral("\u2192"));
        QTest::keyClicks(box, QStringLiteral(" Desk"));
        QCOMPARE(titles->entryBox(1)->text(), QStringLiteral("Caf\u00e9  Desk"));
        QTest::mouseClick(titles->saveButton(), Qt::LeftButton);
        QCOMPARE(panel->button(0)->text(), QStringLiteral("EHR Server && Back"));
        QCOMPARE(panel->title(0), QStringLiteral("EHR Server & Back"));
        QCOMPARE(panel->button(1)->toolTip(), QStringLiteral("Caf\u00e9  Desk"));
        QCOMPARE(f.workbook.readFile(Worksheets::kTitleFile).left(40),
                 titleRecord("EHR Server & Back") + titleRecord("Caf\xe9  Desk"));
        // The title panel shows the titles as typed too.
        f.window->optionsEntry(OptionsTable::Entry::ChangeWorksheetButtonTitle)->trigger();
        QCOMPARE(titles->currentTitle(0), QStringLiteral("EHR Server & Back"));
    }

    void damagedTitleRecordsGiveDefaults()
    {
        TempWorkbook workbook;
        QByteArray damaged = titleRecord("Kept");
        damaged += QByteArray("\xC8\x00", 2) + QByteArray(18, 'x'); // length 200 in a 20-byte record
        damaged += titleRecord("   ");
        damaged += QByteArray(7, 'y'); // a partial record
        workbook.writeFile(Worksheets::kTitleFile, damaged);
        const QStringList titles = Worksheets::readTitles(workbook.workbook());
        QCOMPARE(titles.size(), 21);
        QCOMPARE(titles.at(0), QStringLiteral("Kept"));
        QCOMPARE(titles.at(1), Worksheets::defaultTitle(1));
        QCOMPARE(titles.at(3), Worksheets::defaultTitle(3));
        QCOMPARE(titles.at(20), Worksheets::defaultTitle(20));

        // A title file that cannot be written renames nothing.
        QFile::remove(workbook.filePath(Worksheets::kTitleFile));
        QVERIFY(QDir(workbook.path()).mkdir(Worksheets::kTitleFile));
        QString error;
        QVERIFY(!Worksheets::saveTitles(workbook.workbook(), {QStringLiteral("New")}, &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_MAIN(TestWorksheets)
#include "tst_worksheets.moc"
