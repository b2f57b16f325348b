// The writing aids over documents: the replacement list, words, the spell
// check with a scripted dialog, the user's word list, the thesaurus, the
// font dialog and the red underline.
#include "platform/editor/richtexteditor.h"
#include "platform/writingaids/autocorrectpairs.h"
#include "platform/writingaids/editorwritingaids.h"
#include "platform/writingaids/spellcheckrun.h"
#include "platform/writingaids/spellchecker.h"
#include "platform/writingaids/spellinghighlighter.h"
#include "platform/writingaids/thesaurus.h"
#include "support/tempworkbook.h"
#include "support/testservices.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

namespace {

QTextCharFormat formatAt(QTextDocument &document, int position)
{
    QTextCursor cursor(&document);
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

} // namespace

class TestWritingAids : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<SpellChecker> checker;
    TestServices test = makeTestServices();

private Q_SLOTS:
    void initTestCase()
    {
        checker = std::make_shared<SpellChecker>();
        QVERIFY2(checker->isAvailable(), "the en-US dictionary (hunspell-en-us) is needed");
        checker->replacements().registerAutoCorrect();
    }

    void init()
    {
        test = makeTestServices();
    }

    void replacementListHoldsEveryPairInOrder_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("misspelling");
        QTest::addColumn<QString>("correction");
        QTest::newRow("first") << 0 << "abbout" << "about";
        QTest::newRow("second") << 1 << "abotu" << "about";
        QTest::newRow("two words") << 16 << "alot" << "a lot";
        QTest::newRow("capital") << 100 << "i" << "I";
        QTest::newRow("reccomend once") << 156 << "reccomend" << "recommend";
        QTest::newRow("reccomend twice") << 158 << "reccomend" << "recommend";
        QTest::newRow("phrase") << 200 << "their are" << "there are";
        QTest::newRow("last") << 242 << "yuor" << "your";
    }
    void replacementListHoldsEveryPairInOrder()
    {
        QFETCH(int, index);
        QFETCH(QString, misspelling);
        QFETCH(QString, correction);
        ReplacementList list;
        list.registerAutoCorrect();
        list.registerAutoCorrect(); // registered once, however often asked
        QCOMPARE(list.count(), AutoCorrect::kPairCount);
        QCOMPARE(list.entry(index).misspelling, misspelling);
        QCOMPARE(list.entry(index).correction, correction);
        // Each pair is its predecessor's successor in the shipped table too.
        for (int i = 0; i < AutoCorrect::kPairCount; ++i)
            QCOMPARE(list.entry(i).misspelling, QString::fromUtf8(AutoCorrect::pairs()[i].misspelling));
    }

    void endMarkerClosesTheWalkedPart()
    {
        ReplacementList list;
        list.registerAutoCorrect();
        list.addEndMarker();
        list.addEndMarker();
        QCOMPARE(list.count(), 244);
        QCOMPARE(list.entry(243), (ReplacementPair{QStringLiteral("TheEnd1"), QStringLiteral("TheEnd1")}));
        QCOMPARE(list.entriesBeforeEndMarker().size(), 243);
        QCOMPARE(list.entriesBeforeEndMarker().last().misspelling, QStringLiteral("yuor"));
        // The marker corrects nothing, whatever its case.
        QVERIFY(!list.correctionFor(QStringLiteral("TheEnd1")));
        QVERIFY(ReplacementList::isEndMarker({QStringLiteral(" THEEND1 "), QString()}));
        QCOMPARE(list.correctionFor(QStringLiteral("Teh")).value_or(QString()), QStringLiteral("The"));
    }

    void wordsLeaveCodesAndAcronymsAlone_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("plain") << "The quick, brown fox." << QStringList{"The", "quick", "brown", "fox"};
        QTest::newRow("apostrophes") << "don't 'quoted' users'" << QStringList{"don't", "quoted", "users"};
        QTest::newRow("acronyms") << "HIPAA and ePHI, I think" << QStringList{"and", "I", "think"};
        QTest::newRow("codes") << "164.308(a)(1) e.g. x2 see" << QStringList{"a", "see"};
        QTest::newRow("addresses") << "mail a@b.org or dir/sub/file now" << QStringList{"mail", "or", "now"};
        QTest::newRow("hyphenated") << "well-known" << QStringList{"well", "known"};
    }
    void wordsLeaveCodesAndAcronymsAlone()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, words);
        QStringList found;
        for (const WordSpan &word : SpellChecker::words(text))
            found << text.mid(word.start, word.length);
        QCOMPARE(found, words);
    }

    void correctionsKeepTheFormattingAroundThem()
    {
        QTextDocument document;
        document.setHtml(QStringLiteral("<p><b>Bold</b> plain <i>mispeled</i> <u>tail</u></p>"
                                        "<p>Second <span style=\"color:#ff0000\">wrod</span> end.</p>"));
        test.spellDialog->enqueue(SpellAnswer::Action::Change, QStringLiteral("misspelled"));
        test.spellDialog->enqueue(SpellAnswer::Action::Change, QStringLiteral("word"));
        SpellCheckRun run(*checker, *test.spellDialog);
        QList<QPair<int, int>> reported;
        run.setWordReportedHandler([&](int position, int length) { reported.append({position, length}); });
        const SpellCheckRun::Totals totals = run.checkDocument(&document);

        QCOMPARE(document.toPlainText(), QStringLiteral("Bold plain misspelled tail\nSecond word end."));
        QCOMPARE(totals.wordsReported, 2);
        QCOMPARE(totals.changes, 2);
        // Reported where the words stood when asked (the first correction
        // moved the second paragraph on by two characters).
        QCOMPARE(reported, (QList<QPair<int, int>>{{11, 8}, {34, 4}}));
        QCOMPARE(test.spellDialog->questions.at(0).word, QStringLiteral("mispeled"));
        QVERIFY(test.spellDialog->questions.at(0).suggestions.contains(QStringLiteral("misspelled")));
        QCOMPARE(test.spellDialog->questions.at(1).context, QStringLiteral("Second wrod end."));

        QVERIFY(formatAt(document, 0).font().bold());
        QVERIFY(!formatAt(document, 5).font().bold());
        for (int i = 11; i < 21; ++i)
            QVERIFY2(formatAt(document, i).font().italic(), qPrintable(QString::number(i)));
        QVERIFY(!formatAt(document, 21).font().italic());
        QVERIFY(formatAt(document, 22).font().underline());
        QCOMPARE(formatAt(document, 34).foreground().color(), QColor(Qt::red));
        QVERIFY(formatAt(document, 33).foreground().color() != QColor(Qt::red));
        QVERIFY(formatAt(document, 38).foreground().color() != QColor(Qt::red));
    }

    void listedMisspellingsAreAskedWithTheirCorrectionFirst_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QStringList>("firstSuggestions");
        QTest::addColumn<QString>("changed");
        QTest::newRow("teh") << "teh plan" << QStringList{"teh"} << QStringList{"the"} << "the plan";
        QTest::newRow("capital") << "Teh plan" << QStringList{"Teh"} << QStringList{"The"} << "The plan";
        QTest::newRow("recieve") << "We recieve logs." << QStringList{"recieve"} << QStringList{"receive"}
                                 << "We receive logs.";
        QTest::newRow("phrase") << "Their are two. their is one." << QStringList{"Their are", "their is"}
                                << QStringList{"There are", "there is"} << "There are two. there is one.";
        QTest::newRow("longer correction") << "alot of work, inthe end" << QStringList{"alot", "inthe"}
                                           << QStringList{"a lot", "in the"} << "a lot of work, in the end";
        QTest::newRow("lone i") << "then i saw i.e. this" << QStringList{"i"} << QStringList{"I"}
                                << "then I saw i.e. this";
        QTest::newRow("nothing wrong") << "A clean sentence." << QStringList{} << QStringList{}
                                       << "A clean sentence.";
    }
    void listedMisspellingsAreAskedWithTheirCorrectionFirst()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, asked);
        QFETCH(QStringList, firstSuggestions);
        QFETCH(QString, changed);
        {
            // Ignored: nothing changes, though every one was shown.
            SpellCheckRun run(*checker, *test.spellDialog);
            for (qsizetype i = 0; i < asked.size(); ++i)
                test.spellDialog->enqueue(SpellAnswer::Action::Ignore);
            SpellCheckRun::Totals totals;
            QCOMPARE(run.checkText(text, &totals), text);
            QCOMPARE(totals.changes, 0);
            QCOMPARE(totals.wordsReported, int(asked.size()));
        }
        QCOMPARE(test.spellDialog->questions.size(), asked.size());
        for (qsizetype i = 0; i < asked.size(); ++i) {
            const SpellQuestion &question = test.spellDialog->questions.at(i);
            QCOMPARE(question.word, asked.at(i));
            QVERIFY(!question.suggestions.isEmpty());
            QCOMPARE(question.suggestions.first(), firstSuggestions.at(i));
        }
        test.spellDialog->questions.clear();

        // Changed to the first suggestion: the listed correction.
        SpellCheckRun run(*checker, *test.spellDialog);
        for (const QString &first : firstSuggestions)
            test.spellDialog->enqueue(SpellAnswer::Action::Change, first);
        QCOMPARE(run.checkText(text), changed);
        QCOMPARE(test.spellDialog->questions.size(), asked.size());
    }

    void changeAllIgnoreAllAndCancel()
    {
        SpellCheckRun run(*checker, *test.spellDialog);
        test.spellDialog->enqueue(SpellAnswer::Action::ChangeAll, QStringLiteral("word"));
        test.spellDialog->enqueue(SpellAnswer::Action::IgnoreAll);
        SpellCheckRun::Totals totals;
        QCOMPARE(run.checkText(QStringLiteral("wrod one wrod two Sentrivo wrod Sentrivo"), &totals),
                 QStringLiteral("word one word two Sentrivo word Sentrivo"));
        QVERIFY(totals.changeAllChosen);
        QCOMPARE(run.changeAllPairs(), (QList<ReplacementPair>{{QStringLiteral("wrod"), QStringLiteral("word")}}));
        // The run's choices hold for its next text too.
        QCOMPARE(run.checkText(QStringLiteral("wrod Sentrivo")), QStringLiteral("word Sentrivo"));
        QCOMPARE(test.spellDialog->questions.size(), 2);

        // Cancel stops at once and leaves the text as it was.
        test.spellDialog->enqueue(SpellAnswer::Action::Cancel);
        const QString text = QStringLiteral("fisrt and secnod");
        QCOMPARE(run.checkText(text), text);
        QVERIFY(run.cancelled());
        QCOMPARE(test.spellDialog->questions.size(), 3);
    }

    void userWordsAreKeptInTheWorkbook()
    {
        TempWorkbook workbook;
        SpellChecker own;
        own.setUserWordFile(workbook.filePath(SpellChecker::kUserWordFile));
        QVERIFY(!own.isCorrect(QStringLiteral("Zorblax")));
        test.spellDialog->enqueue(SpellAnswer::Action::AddToDictionary);
        SpellCheckRun run(own, *test.spellDialog);
        QCOMPARE(run.checkText(QStringLiteral("Zorblax Clinic and Zorblax")), QStringLiteral("Zorblax Clinic and Zorblax"));
        QCOMPARE(test.spellDialog->questions.size(), 1);
        QCOMPARE(workbook.readFile(SpellChecker::kUserWordFile), QByteArray("Zorblax\r\n"));
        QVERIFY(own.addUserWord(QStringLiteral("Caf\u00e9co")));
        QCOMPARE(workbook.readFile(SpellChecker::kUserWordFile), QByteArray("Zorblax\r\nCaf\xe9" "co\r\n"));

        // Another checker over the same workbook knows them.
        SpellChecker again;
        again.setUserWordFile(workbook.filePath(SpellChecker::kUserWordFile));
        QVERIFY(again.isCorrect(QStringLiteral("Zorblax")));
        QVERIFY(again.isCorrect(QStringLiteral("Caf\u00e9co")));
        // Another workbook does not.
        TempWorkbook other;
        again.setUserWordFile(other.filePath(SpellChecker::kUserWordFile));
        QVERIFY(!again.isCorrect(QStringLiteral("Zorblax")));
    }

    void missingDictionariesNameTheirPackage()
    {
        auto missing = std::make_shared<SpellChecker>(QStringLiteral("/nonexistent/en_US"));
        auto noThesaurus = std::make_shared<Thesaurus>(QStringLiteral("/nonexistent/th_en_US_v2"));
        QVERIFY(!missing->isAvailable());
        QVERIFY(!noThesaurus->isAvailable());
        QVERIFY(noThesaurus->lookUp(QStringLiteral("security")).isEmpty());

        RichTextEditor editor;
        editor.setText(QStringLiteral("wrod security"));
        EditorWritingAids aids(test.services, missing, noThesaurus);
        test.prompt->enqueue(ScriptedPrompt::Answer::Ok);
        aids.spellCheckEditor(&editor);
        QVERIFY(test.prompt->questions.last().text.contains(QStringLiteral("\"hunspell-en-us\"")));
        QCOMPARE(test.prompt->questions.last().icon, Prompt::Icon::Exclamation);
        editor.select(5, 8);
        test.prompt->enqueue(ScriptedPrompt::Answer::Ok);
        aids.lookUpThesaurus(&editor);
        QVERIFY(test.prompt->questions.last().text.contains(QStringLiteral("\"mythes-en-us\"")));
        QVERIFY(test.spellDialog->questions.isEmpty());
        QVERIFY(test.thesaurusDialog->words.isEmpty());
        QCOMPARE(editor.text(), QStringLiteral("wrod security"));
    }

    void editorCheckEndsWithItsMessage()
    {
        RichTextEditor editor;
        editor.setText(QStringLiteral("Nothing wrong here."));
        EditorWritingAids aids(test.services, checker, Thesaurus::shared());
        QSignalSpy changes(&editor, &RichTextEditor::contentChanged);
        test.prompt->enqueue(ScriptedPrompt::Answer::Ok);
        aids.spellCheckEditor(&editor);
        QCOMPARE(changes.count(), 0);
        QCOMPARE(test.prompt->questions.size(), 1);
        QCOMPARE(test.prompt->questions[0].title, QStringLiteral("Spell Check"));
        QCOMPARE(test.prompt->questions[0].text,
                 QStringLiteral("Spell Check has been canceled or has reached the end of your document"));

        // The word asked about is selected in the editor while the dialog shows.
        editor.setText(QStringLiteral("One wrod."));
        test.prompt->enqueue(ScriptedPrompt::Answer::Ok);
        test.spellDialog->enqueue(SpellAnswer::Action::Change, QStringLiteral("word"));
        QString selectedWhileAsked;
        struct Watching : SpellCheckDialog
        {
            RichTextEditor *editor;
            SpellCheckDialog *inner;
            QString *selected;
            SpellAnswer ask(QWidget *parent, const SpellQuestion &question) override
            {
                *selected = editor->selText();
                return inner->ask(parent, question);
            }
        };
        auto watching = std::make_shared<Watching>();
        watching->editor = &editor;
        watching->inner = test.spellDialog.get();
        watching->selected = &selectedWhileAsked;
        PlatformServices services = test.services;
        services.spellDialog = watching;
        EditorWritingAids watched(services, checker, Thesaurus::shared());
        watched.spellCheckEditor(&editor);
        QCOMPARE(selectedWhileAsked, QStringLiteral("wrod"));
        QCOMPARE(editor.text(), QStringLiteral("One word."));
        QCOMPARE(editor.selStart(), 0);
    }

    void thesaurusReplacesTheTrimmedSelection()
    {
        const QList<ThesaurusMeaning> meanings = Thesaurus::shared()->lookUp(QStringLiteral("Security"));
        QVERIFY(!meanings.isEmpty());
        QVERIFY(!meanings.first().partOfSpeech.isEmpty());
        bool protection = false;
        for (const ThesaurusMeaning &meaning : meanings)
            protection = protection || meaning.synonyms.contains(QStringLiteral("protection"));
        QVERIFY(protection);

        RichTextEditor editor;
        editor.setRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Our \\b security, \\b0 plan\\par}");
        EditorWritingAids aids(test.services, checker, Thesaurus::shared());
        editor.select(4, 10); // "security, "
        test.thesaurusDialog->enqueue(QStringLiteral("protection"));
        aids.lookUpThesaurus(&editor);
        QCOMPARE(test.thesaurusDialog->words, QStringList{QStringLiteral("security")});
        QVERIFY(!test.thesaurusDialog->meanings.first().isEmpty());
        QCOMPARE(editor.text(), QStringLiteral("Our protection, plan"));
        editor.select(4, 10);
        QVERIFY(editor.selBold());

        // Cancel leaves the text alone; no selection asks for one.
        test.thesaurusDialog->enqueue(std::nullopt);
        aids.lookUpThesaurus(&editor);
        QCOMPARE(editor.text(), QStringLiteral("Our protection, plan"));
        editor.select(3, 0);
        test.prompt->enqueue(ScriptedPrompt::Answer::Ok);
        aids.lookUpThesaurus(&editor);
        QCOMPARE(test.prompt->questions.last().text, QStringLiteral("Please highlight word you desire to look up!"));
        QCOMPARE(test.prompt->questions.last().icon, Prompt::Icon::Question);
        QCOMPARE(test.thesaurusDialog->words.size(), 2);
    }

    void fontSelectAppliesToTheSelectionOnly()
    {
        RichTextEditor editor;
        editor.setRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Plain \\b Bold\\b0  tail\\par}");
        editor.select(6, 4);
        // A dialog confirmed as it was preset: the selection stays bold.
        struct Echo : FontDialog
        {
            QFont seen;
            std::optional<QFont> chooseFont(QWidget *, const QFont &initial) override
            {
                seen = initial;
                return initial;
            }
        };
        auto echo = std::make_shared<Echo>();
        PlatformServices services = test.services;
        services.fontDialog = echo;
        EditorWritingAids echoing(services, checker, Thesaurus::shared());
        echoing.chooseFont(&editor);
        QVERIFY(echo->seen.bold());
        QCOMPARE(echo->seen.family(), QStringLiteral("Arial"));
        QCOMPARE(editor.selStart(), 6);
        QCOMPARE(editor.selLength(), 4);
        QVERIFY(editor.selBold());

        // A new font reaches the selection and nothing else; Cancel changes nothing.
        EditorWritingAids aids(test.services, checker, Thesaurus::shared());
        test.fontDialog->enqueue(QFont(QStringLiteral("Courier New"), 16));
        aids.chooseFont(&editor);
        QCOMPARE(editor.selFontName(), QStringLiteral("Courier New"));
        QCOMPARE(editor.selFontSize(), 16.0);
        editor.select(0, 5);
        QCOMPARE(editor.selFontName(), QStringLiteral("Arial"));
        editor.select(11, 4);
        QCOMPARE(editor.selFontName(), QStringLiteral("Arial"));
        const QByteArray before = editor.rtf();
        test.fontDialog->enqueue(std::nullopt);
        aids.chooseFont(&editor);
        QCOMPARE(editor.rtf(), before);
    }

    void dialogsAnswerWithTheUsersChoice()
    {
        auto help = std::make_shared<RecordingHelpViewer>();
        SpellCheckForm spell({QStringLiteral("wrod"), QStringLiteral("A wrod here"),
                              {QStringLiteral("word"), QStringLiteral("rod")}},
                             help);
        auto button = [&spell](const QString &caption) {
            for (QPushButton *each : spell.findChildren<QPushButton *>()) {
                if (each->text() == caption)
                    return each;
            }
            return static_cast<QPushButton *>(nullptr);
        };
        QTest::mouseClick(button(QStringLiteral("&Help")), Qt::LeftButton);
        QCOMPARE(help->topics, QList<int>{5050});
        QVERIFY(spell.isVisible() || !spell.result());
        spell.findChild<QListWidget *>(QStringLiteral("suggestions"))->setCurrentRow(1);
        QCOMPARE(spell.findChild<QLineEdit *>(QStringLiteral("changeTo"))->text(), QStringLiteral("rod"));
        spell.findChild<QLineEdit *>(QStringLiteral("changeTo"))->clear();
        QVERIFY(!button(QStringLiteral("&Change"))->isEnabled()); // never a change to nothing
        spell.findChild<QLineEdit *>(QStringLiteral("changeTo"))->setText(QStringLiteral("world"));
        QTest::mouseClick(button(QStringLiteral("Change A&ll")), Qt::LeftButton);
        QCOMPARE(spell.answer().action, SpellAnswer::Action::ChangeAll);
        QCOMPARE(spell.answer().replacement, QStringLiteral("world"));

        const QList<ThesaurusMeaning> meanings = Thesaurus::shared()->lookUp(QStringLiteral("risk"));
        QVERIFY(meanings.size() > 1);
        ThesaurusForm thesaurus(QStringLiteral("risk"), meanings, {});
        auto *meaningList = thesaurus.findChild<QListWidget *>(QStringLiteral("meanings"));
        auto *synonymList = thesaurus.findChild<QListWidget *>(QStringLiteral("synonyms"));
        QCOMPARE(meaningList->count(), meanings.size());
        meaningList->setCurrentRow(1);
        QCOMPARE(synonymList->count(), meanings.at(1).synonyms.size());
        if (synonymList->count() > 0) {
            synonymList->setCurrentRow(synonymList->count() - 1);
            QString expected = meanings.at(1).synonyms.last();
            expected = expected.section(QStringLiteral(" ("), 0, 0);
            QCOMPARE(thesaurus.replacement(), expected);
        }
    }

    void misspellingsAreUnderlinedWhileEditable()
    {
        RichTextEditor editor;
        auto *highlighter = new SpellingHighlighter(&editor, checker);
        QSignalSpy changes(&editor, &RichTextEditor::contentChanged);
        editor.setText(QStringLiteral("A wrod here"));
        QCoreApplication::processEvents();
        // Underlining is drawing, not an edit.
        QCOMPARE(changes.count(), 1);
        auto underlined = [&editor] {
            QList<QPair<int, int>> ranges;
            for (const QTextLayout::FormatRange &range : editor.document()->firstBlock().layout()->formats()) {
                if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                    ranges.append({range.start, range.length});
            }
            return ranges;
        };
        QCOMPARE(underlined(), (QList<QPair<int, int>>{{2, 4}}));
        // Stored text carries no underline.
        QVERIFY(!editor.rtf().contains("\\ul"));

        editor.setReadOnly(true);
        QCOMPARE(underlined(), (QList<QPair<int, int>>{}));
        editor.setReadOnly(false);
        QCOMPARE(underlined(), (QList<QPair<int, int>>{{2, 4}}));
        QCOMPARE(changes.count(), 1);

        // The right-click menu offers the suggestions and replaces the word.
        editor.resize(400, 200);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QTextCursor cursor(editor.document());
        cursor.setPosition(3);
        QMenu menu;
        menu.addAction(QStringLiteral("Copy"));
        highlighter->addSuggestions(&menu, editor.cursorRect(cursor).center());
        QStringList captions;
        for (QAction *action : menu.actions())
            captions << action->text();
        QVERIFY2(captions.contains(QStringLiteral("word")), qPrintable(captions.join(QLatin1Char('|'))));
        QVERIFY(captions.contains(QStringLiteral("Add to Dictionary")));
        QCOMPARE(captions.last(), QStringLiteral("Copy"));
        for (QAction *action : menu.actions()) {
            if (action->text() == QStringLiteral("word"))
                action->trigger();
        }
        QCOMPARE(editor.text(), QStringLiteral("A word here"));
        QCOMPARE(underlined(), (QList<QPair<int, int>>{}));
    }
};

QTEST_MAIN(TestWritingAids)
#include "tst_writingaids.moc"
