#include "support/tempworkbook.h"
#include "support/testservices.h"

#include <QTest>

using Icon = Prompt::Icon;
using Buttons = Prompt::Buttons;
using Answer = Prompt::Answer;

// The doubles other tests rely on behave as their header promises.
class TestTestDoubles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void promptAnswersInOrderAndRecords();
    void unscriptedQuestionFailsTheTest();
    void answerNotOnTheBoxFailsTheTest();
    void unscriptedQuestionsMayBeAllowed();
    void dialogsAnswerFromTheirScripts();
    void fakeClockEndsAClockWait();
    void recordersAndClipboard();
    void bundleHoldsTheDoubles();
    void tempWorkbookLeavesTheCurrentDirectoryAlone();
};

void TestTestDoubles::promptAnswersInOrderAndRecords()
{
    ScriptedPrompt prompt;
    QWidget parent;
    prompt.enqueue({Answer::No, Answer::Cancel});
    QCOMPARE(prompt.ask(&parent, Icon::Question, QStringLiteral("Exit"),
                        QStringLiteral("Exit Sentrivo?"), Buttons::YesNoCancel),
             Answer::No);
    QCOMPARE(prompt.ask(nullptr, Icon::Information, QStringLiteral("Background Color"),
                        QStringLiteral("line 1\nline 2"), Buttons::YesNoCancel, Answer::Cancel),
             Answer::Cancel);
    QCOMPARE(prompt.pendingAnswers(), 0);

    QCOMPARE(prompt.questions.size(), 2);
    const ScriptedPrompt::Question &first = prompt.questions.at(0);
    QCOMPARE(first.icon, Icon::Question);
    QCOMPARE(first.title, QStringLiteral("Exit"));
    QCOMPARE(first.text, QStringLiteral("Exit Sentrivo?"));
    QCOMPARE(first.buttons, Buttons::YesNoCancel);
    QCOMPARE(first.defaultAnswer, std::optional<Answer>());
    QCOMPARE(first.parent, &parent);
    QCOMPARE(prompt.questions.at(1).defaultAnswer, std::optional<Answer>(Answer::Cancel));
}

void TestTestDoubles::unscriptedQuestionFailsTheTest()
{
    ScriptedPrompt prompt;
    QEXPECT_FAIL("", "a question nobody scripted must fail the test", Continue);
    const Answer answer = prompt.ask(nullptr, Icon::Question, QStringLiteral("Exit"),
                                     QStringLiteral("Exit Sentrivo?"), Buttons::YesNo);
    QCOMPARE(answer, Answer::No);
    QCOMPARE(prompt.questions.size(), 1);
}

void TestTestDoubles::answerNotOnTheBoxFailsTheTest()
{
    ScriptedPrompt prompt;
    prompt.enqueue(Answer::Yes);
    QEXPECT_FAIL("", "Yes is not a button of an Ok box", Continue);
    const Answer answer = prompt.ask(nullptr, Icon::Information, QStringLiteral("Note"),
                                     QStringLiteral("Done."), Buttons::Ok);
    QCOMPARE(answer, Answer::Ok);
}

void TestTestDoubles::unscriptedQuestionsMayBeAllowed()
{
    ScriptedPrompt prompt;
    prompt.answerUnscriptedWith(Answer::Ok);
    QCOMPARE(prompt.ask(nullptr, Icon::Information, QStringLiteral("Program Display Option"),
                        QStringLiteral("Monitor Resolution Settings"), Buttons::Ok),
             Answer::Ok);
    // The fallback is no button of a Yes/No box: it is closed instead.
    QCOMPARE(prompt.ask(nullptr, Icon::Question, QStringLiteral("Exit"),
                        QStringLiteral("Exit Sentrivo?"), Buttons::YesNo),
             Answer::No);
    // Scripted answers still come first.
    prompt.enqueue(Answer::Yes);
    QCOMPARE(prompt.ask(nullptr, Icon::Question, QStringLiteral("Exit"),
                        QStringLiteral("Exit Sentrivo?"), Buttons::YesNo),
             Answer::Yes);
    QCOMPARE(prompt.questions.size(), 3);
}

void TestTestDoubles::dialogsAnswerFromTheirScripts()
{
    ScriptedColourDialog colours;
    colours.enqueue(QColor(Qt::red));
    colours.enqueue(std::nullopt);
    QCOMPARE(colours.chooseColour(nullptr, QColor(0, 0, 255)), std::optional<QColor>(Qt::red));
    QCOMPARE(colours.chooseColour(nullptr, QColor(Qt::red)), std::optional<QColor>());
    QCOMPARE(colours.initialColours, (QList<QColor>{QColor(0, 0, 255), QColor(Qt::red)}));

    QEXPECT_FAIL("", "an unscripted colour dialog must fail the test", Continue);
    QCOMPARE(colours.chooseColour(nullptr, QColor(Qt::green)), std::optional<QColor>());

    ScriptedFontDialog fonts;
    const QFont times(QStringLiteral("Times New Roman"), 12);
    fonts.enqueue(times);
    QCOMPARE(fonts.chooseFont(nullptr, QFont()), std::optional<QFont>(times));
    QEXPECT_FAIL("", "an unscripted font dialog must fail the test", Continue);
    QCOMPARE(fonts.chooseFont(nullptr, times), std::optional<QFont>());
    QCOMPARE(fonts.initialFonts.size(), 2);
}

void TestTestDoubles::fakeClockEndsAClockWait()
{
    // A wait for the seconds to advance by two, across the minute boundary.
    FakeClock clock(QTime(9, 0, 0), 250);
    clock.script({QTime(10, 14, 59), QTime(10, 14, 59, 500)});
    const int start = clock.currentTime().second();
    int calls = 0;
    while ((clock.currentTime().second() - start + 60) % 60 < 2)
        QVERIFY(++calls < 100);
    QCOMPARE(clock.currentTime(), QTime(10, 15, 1, 250));
    // 59.0, 59.5 scripted; then 59.75, 0.0, 0.25, 0.5, 0.75, 1.0 ends it.
    QCOMPARE(calls, 6);
    QCOMPARE(clock.calls, 9);

    FakeClock steady(QTime(23, 59, 59, 900), 100);
    QCOMPARE(steady.currentTime(), QTime(23, 59, 59, 900));
    QCOMPARE(steady.currentTime(), QTime(0, 0, 0, 0));
}

void TestTestDoubles::recordersAndClipboard()
{
    RecordingUrlOpener opener;
    QVERIFY(opener.openUrl(QUrl(QStringLiteral("https://example.org/"))));
    opener.result = false;
    QVERIFY(!opener.openUrl(QUrl(QStringLiteral("https://example.org/train.zip"))));
    QCOMPARE(opener.urls.size(), 2);

    RecordingHelpViewer help;
    QWidget owner;
    help.showTopic(&owner, 1000);
    help.showTopic(nullptr, 3010);
    QCOMPARE(help.topics, (QList<int>{1000, 3010}));
    QCOMPARE(help.parents.first(), &owner);

    MemoryClipboard clipboard;
    QVERIFY(clipboard.setRichText("{\\rtf1 a}", QStringLiteral("a")));
    clipboard.refuse = true;
    QVERIFY(!clipboard.setRichText("{\\rtf1 b}", QStringLiteral("b")));
    QCOMPARE(clipboard.rtf, QByteArray("{\\rtf1 a}"));
    QCOMPARE(clipboard.plainText, QStringLiteral("a"));
    QCOMPARE(clipboard.setCount, 1);
}

void TestTestDoubles::bundleHoldsTheDoubles()
{
    TestServices test = makeTestServices();
    QCOMPARE(test.services.prompt.get(), test.prompt.get());
    QCOMPARE(test.services.colourDialog.get(), test.colourDialog.get());
    QCOMPARE(test.services.fontDialog.get(), test.fontDialog.get());
    QCOMPARE(test.services.urlOpener.get(), test.urlOpener.get());
    QCOMPARE(test.services.helpViewer.get(), test.helpViewer.get());
    QCOMPARE(test.services.clipboard.get(), test.clipboard.get());
    QCOMPARE(test.services.clock.get(), test.clock.get());
    test.services.helpViewer->showTopic(nullptr, 1014);
    QCOMPARE(test.helpViewer->topics, QList<int>{1014});
}

void TestTestDoubles::tempWorkbookLeavesTheCurrentDirectoryAlone()
{
    const QString before = QDir::currentPath();
    QString inside;
    {
        TempWorkbook workbook;
        QVERIFY(workbook.isValid());
        inside = workbook.path();
        QCOMPARE(QDir::currentPath(), before);
        QVERIFY(workbook.writeFile(QStringLiteral("Stat1.Fil"), "abc"));
        QVERIFY(QFile::exists(workbook.workbook().filePath(QStringLiteral("STAT1.FIL"))));
        QCOMPARE(workbook.readFile(QStringLiteral("Stat1.Fil")), QByteArray("abc"));
    }
    QCOMPARE(QDir::currentPath(), before);
    QVERIFY(!QDir(inside).exists());
}

QTEST_MAIN(TestTestDoubles)
#include "tst_testdoubles.moc"
