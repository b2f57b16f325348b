// The writing aids as the Action Area offers them: the workspace buttons and
// Options entries, their enabling rules, and the underline in the editor.
#include "actionarea/actionareafixture.h"
#include "platform/writingaids/spellchecker.h"
#include "platform/writingaids/spellinghighlighter.h"
#include "worksheets/worksheetspanel.h"

#include <QTextBlock>
#include <QTextLayout>

using Answer = Prompt::Answer;
using Command = SafeguardWorkspace::Command;
using OptionsTable::Entry;

class TestWorkspaceWritingAids : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aidsFollowTheEnablingRules_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("view");     // view option chosen, or -1
        QTest::addColumn<int>("worksheet"); // worksheet opened, or -1
        QTest::addColumn<bool>("enabled");
        QTest::newRow("safeguard, no view") << 2 << -1 << -1 << false;
        QTest::newRow("safeguard, reference") << 2 << int(SafeguardWorkspace::ReferencesInRuleOption) << -1 << false;
        QTest::newRow("safeguard, entry") << 3 << int(SafeguardWorkspace::CommentsNotesOption) << -1 << true;
        QTest::newRow("worksheets, none open") << 7 << -1 << -1 << false;
        QTest::newRow("worksheets, one open") << 7 << -1 << 4 << true;
        QTest::newRow("recovery plan") << 8 << -1 << -1 << true;
    }
    void aidsFollowTheEnablingRules()
    {
        QFETCH(int, mode);
        QFETCH(int, view);
        QFETCH(int, worksheet);
        QFETCH(bool, enabled);
        ActionAreaFixture f;
        f.test.prompt->answerUnscriptedWith(Answer::Ok);
        f.open();
        f.clickNavigation(mode);
        if (view >= 0)
            f.chooseView(SafeguardWorkspace::ViewOption(view));
        if (worksheet >= 0)
            QTest::mouseClick(f.window->worksheetsPanel()->button(worksheet), Qt::LeftButton);
        for (Command command : {Command::FontSelect, Command::Thesaurus, Command::SpellCheck})
            QCOMPARE(f.workspace()->commandButton(command)->isEnabled(), enabled);
        for (Entry entry : {Entry::FontSelect, Entry::Thesaurus, Entry::SpellCheck}) {
            QVERIFY(f.window->optionsEntry(entry)->isVisible());
            QCOMPARE(f.window->optionsEntry(entry)->isEnabled(), enabled);
        }
    }

    void spellCheckCorrectsTheEntry()
    {
        ActionAreaFixture f;
        f.open();
        f.clickNavigation(WorkMode::Administrative);
        f.chooseView(SafeguardWorkspace::ActionTakenOption);
        f.type(QStringLiteral("teh backup plna is ready"));
        QVERIFY(f.unsaved());
        f.clickSave();
        // "teh" is one of the listed misspellings: it is asked about like any
        // other, with its listed correction offered first.
        f.test.spellDialog->enqueue(SpellAnswer::Action::Change, QStringLiteral("the"));
        f.test.spellDialog->enqueue(SpellAnswer::Action::Change, QStringLiteral("plan"));
        f.test.prompt->enqueue(Answer::Ok);
        QTest::mouseClick(f.workspace()->commandButton(Command::SpellCheck), Qt::LeftButton);
        QCOMPARE(f.editor()->text(), QStringLiteral("the backup plan is ready"));
        QCOMPARE(f.test.spellDialog->questions.size(), 2);
        QCOMPARE(f.test.spellDialog->questions.first().word, QStringLiteral("teh"));
        QCOMPARE(f.test.spellDialog->questions.first().suggestions.value(0), QStringLiteral("the"));
        QCOMPARE(f.test.spellDialog->questions.last().word, QStringLiteral("plna"));
        QCOMPARE(f.questionTitles(), QStringLiteral("Spell Check"));
        // Corrections are edits to save.
        QVERIFY(f.unsaved());

        // The Options entry runs the same check; Cancel changes nothing.
        f.editor()->setText(QStringLiteral("Anothr entry"));
        f.test.spellDialog->enqueue(SpellAnswer::Action::Cancel);
        f.test.prompt->enqueue(Answer::Ok);
        f.window->optionsEntry(Entry::SpellCheck)->trigger();
        QCOMPARE(f.editor()->text(), QStringLiteral("Anothr entry"));
        QCOMPARE(f.test.spellDialog->questions.size(), 3);
    }

    void thesaurusAndFontReachTheWorksheet()
    {
        ActionAreaFixture f;
        f.open();
        f.clickNavigation(WorkMode::Worksheets);
        QTest::mouseClick(f.window->worksheetsPanel()->button(0), Qt::LeftButton);
        f.type(QStringLiteral("Review the risk today."));
        f.editor()->select(11, 5); // "risk "
        f.test.thesaurusDialog->enqueue(QStringLiteral("hazard"));
        QTest::mouseClick(f.workspace()->commandButton(Command::Thesaurus), Qt::LeftButton);
        QCOMPARE(f.test.thesaurusDialog->words, QStringList{QStringLiteral("risk")});
        QCOMPARE(f.editor()->text(), QStringLiteral("Review the hazard today."));

        f.editor()->select(0, 6);
        QFont font(QStringLiteral("Liberation Sans"), 14);
        font.setBold(true);
        f.test.fontDialog->enqueue(font);
        f.window->optionsEntry(Entry::FontSelect)->trigger();
        QVERIFY(f.editor()->selBold());
        QCOMPARE(f.editor()->selFontSize(), 14.0);
        f.editor()->select(7, 3);
        QVERIFY(!f.editor()->selBold());
    }

    void underlineIsOffInReferenceTexts()
    {
        ActionAreaFixture f;
        f.open();
        f.clickNavigation(WorkMode::Administrative);
        f.chooseView(SafeguardWorkspace::ActionTakenOption);
        f.type(QStringLiteral("A wrod"));
        QVERIFY(f.window->spellingHighlighter()->isActive());
        auto underlines = [&f] {
            int count = 0;
            for (QTextBlock block = f.editor()->document()->begin(); block.isValid(); block = block.next()) {
                for (const QTextLayout::FormatRange &range : block.layout()->formats())
                    count += range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline;
            }
            return count;
        };
        QCOMPARE(underlines(), 1);
        f.test.prompt->enqueue(Answer::No);
        f.chooseView(SafeguardWorkspace::ReferencesInRuleOption);
        QVERIFY(!f.editor()->toPlainText().isEmpty());
        QVERIFY(!f.window->spellingHighlighter()->isActive());
        QCOMPARE(underlines(), 0);
    }
};

QTEST_MAIN(TestWorkspaceWritingAids)
#include "tst_workspacewritingaids.moc"
