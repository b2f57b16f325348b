// The spell check of the to-do items: the run over the rows, change all in
// later items, the closing messages and the item-name list.
#include "platform/writingaids/spellcheckrun.h"
#include "platform/writingaids/spellchecker.h"
#include "platform/writingaids/todospellcheck.h"
#include "support/testservices.h"

#include <QTest>

class TestTodoSpellCheck : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<SpellChecker> checker;

private Q_SLOTS:
    void initTestCase()
    {
        checker = std::make_shared<SpellChecker>();
        QVERIFY2(checker->isAvailable(), "the en-US dictionary (hunspell-en-us) is needed");
        checker->replacements().registerAutoCorrect();
    }

    void changeAllReachesLaterItemsKeepingTheirCapital()
    {
        TestServices test = makeTestServices();
        const QStringList items = {QStringLiteral("Write the polcy"), QStringLiteral(""),
                                   QStringLiteral("Polcy review"), QStringLiteral("Sign the polcy and teh form"),
                                   QStringLiteral("Nothing wrong")};
        test.spellDialog->enqueue(SpellAnswer::Action::ChangeAll, QStringLiteral("policy"));
        SpellCheckRun run(*checker, *test.spellDialog);
        const TodoSpellCheck::Outcome outcome = TodoSpellCheck::spellCheckItems(items, run, *checker);

        QCOMPARE(outcome.items,
                 (QStringList{QStringLiteral("Write the policy"), QStringLiteral(""), QStringLiteral("Policy review"),
                              QStringLiteral("Sign the policy and the form"), QStringLiteral("Nothing wrong")}));
        QCOMPARE(test.spellDialog->questions.size(), 1);
        QCOMPARE(outcome.misspellingsReported, 1);
        QVERIFY(!outcome.cancelled);
        QCOMPARE(outcome.message, TodoSpellCheck::kReachedEnd);
        QCOMPARE(outcome.corrections.size(), 3);
        QCOMPARE(outcome.corrections.at(1).row, 3);
        QCOMPARE(outcome.corrections.at(1).before, QStringLiteral("Polcy review"));
        // The end marker closes the registered pairs, once.
        QCOMPARE(checker->replacements().count(), 244);
        QCOMPARE(checker->replacements().entry(243).misspelling, QStringLiteral("TheEnd1"));
    }

    void cancelStopsTheRunAndNothingFoundSaysSo()
    {
        TestServices test = makeTestServices();
        test.spellDialog->enqueue(SpellAnswer::Action::Cancel);
        SpellCheckRun run(*checker, *test.spellDialog);
        const QStringList items = {QStringLiteral("Fisrt item"), QStringLiteral("Secnod item")};
        const TodoSpellCheck::Outcome cancelled = TodoSpellCheck::spellCheckItems(items, run, *checker);
        QVERIFY(cancelled.cancelled);
        QCOMPARE(cancelled.items, items);
        QCOMPARE(test.spellDialog->questions.size(), 1);
        QCOMPARE(cancelled.message, TodoSpellCheck::kReachedEnd);

        SpellCheckRun clean(*checker, *test.spellDialog);
        const TodoSpellCheck::Outcome nothing =
            TodoSpellCheck::spellCheckItems({QStringLiteral("Review the plan")}, clean, *checker);
        QCOMPARE(nothing.message,
                 QStringLiteral("Spell Check did not change or did not find any misspelled words!"));
        QVERIFY(nothing.corrections.isEmpty());
    }

    void correctedItemsAreCutToTheItemLength()
    {
        TestServices test = makeTestServices();
        SpellCheckRun run(*checker, *test.spellDialog);
        // 45 characters, and one longer after "alot" becomes "a lot".
        const QString item = QStringLiteral("Buy alot of backup tapes for the server rooms");
        QCOMPARE(item.size(), 45);
        test.spellDialog->enqueue(SpellAnswer::Action::Change, QStringLiteral("a lot"));
        const TodoSpellCheck::Outcome outcome = TodoSpellCheck::spellCheckItems({item}, run, *checker);
        QCOMPARE(test.spellDialog->questions.size(), 1);
        QCOMPARE(test.spellDialog->questions.first().suggestions.value(0), QStringLiteral("a lot"));
        QCOMPARE(outcome.items.first(), QStringLiteral("Buy a lot of backup tapes for the server room"));
        QCOMPARE(outcome.items.first().size(), 45);
    }

    void applyChangeAll_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("currentRow");
        QTest::addColumn<QString>("misspelling");
        QTest::addColumn<QString>("correction");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("only later rows") << QStringList{"wrod", "wrod", "a wrod"} << 1 << "wrod" << "word"
                                         << QStringList{"wrod", "word", "a word"};
        QTest::newRow("case of the found word") << QStringList{"", "Wrod and WROD and wrod"} << 1 << "wrod"
                                                << "Word" << QStringList{"", "Word and Word and word"};
        QTest::newRow("neighbours share a blank") << QStringList{"", "wrod wrod wrod"} << 1 << "wrod" << "word"
                                                  << QStringList{"", "word word word"};
        QTest::newRow("whole words only") << QStringList{"", "wrods, wrod."} << 1 << "wrod" << "word"
                                          << QStringList{"", "wrods, wrod."};
        QTest::newRow("correction holding the word")
            << QStringList{"", "a plan a day"} << 1 << "a" << "a good" << QStringList{"", "a good plan a good day"};
        QTest::newRow("cut to 45") << QStringList{"", QString(40, QLatin1Char('x')) + " wrod"} << 1 << "wrod"
                                   << "words" << QStringList{"", QString(40, QLatin1Char('x')) + " word"};
    }
    void applyChangeAll()
    {
        QFETCH(QStringList, items);
        QFETCH(int, currentRow);
        QFETCH(QString, misspelling);
        QFETCH(QString, correction);
        QFETCH(QStringList, expected);
        TodoSpellCheck::applyChangeAll(items, currentRow, {{misspelling, correction}});
        QCOMPARE(items, expected);
    }

    void updateItemNames_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("replaced") << QStringList{"Buy tapes", "Reveiw plan", "Train staff"}
                                  << QStringList{"Buy tapes", "Train staff", "Review plan"};
        QTest::newRow("case and trailing blanks") << QStringList{"REVEIW PLAN  ", "Train staff"}
                                                  << QStringList{"Train staff", "Review plan"};
        QTest::newRow("already there") << QStringList{"Review plan", "Reveiw plan"} << QStringList{"Review plan"};
        QTest::newRow("old name unknown") << QStringList{"Train staff"} << QStringList{"Train staff", "Review plan"};
    }
    void updateItemNames()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, expected);
        QCOMPARE(TodoSpellCheck::updateItemNames(names, QStringLiteral("Reveiw plan"), QStringLiteral("Review plan")),
                 expected);
    }
};

QTEST_MAIN(TestTodoSpellCheck)
#include "tst_todospellcheck.moc"
