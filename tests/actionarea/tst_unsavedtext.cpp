// Unsaved text when the program ends without the user's word: the copy kept
// beside the workbook's files, its recovery at the next start, and the
// requests to end that come from the desktop or a signal.
#include "actionareafixture.h"

#include "actionarea/autosave.h"
#include "shell/endrequests.h"
#include "worksheets/worksheetspanel.h"

#include <QFileInfo>
#include <QSignalSpy>

#include <csignal>

using Answer = Prompt::Answer;
using View = SafeguardWorkspace::ViewOption;

namespace {

QByteArray rtfOf(const QByteArray &text)
{
    return "{\\rtf1\\ansi " + text + "\\par}";
}

} // namespace

class TestUnsavedText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void copyIsKeptAfterAMinuteOfEditingAndGoesOnSave();
    void copyGoesWhenTheUserDiscards();
    void copyFollowsTheDocumentBeingEdited_data();
    void copyFollowsTheDocumentBeingEdited();
    void recoveryNamesTheDocumentTheTimeAndWhatDiffers_data();
    void recoveryNamesTheDocumentTheTimeAndWhatDiffers();
    void recoveryNeverWritesOverAnUnreadableDocument();
    void endRequestKeepsTheCopyThenAsksAsTheCloseBoxDoes_data();
    void endRequestKeepsTheCopyThenAsksAsTheCloseBoxDoes();
    void sigtermIsHandledInTheEventLoop();
    void differencesAreListedInOrder();
};

void TestUnsavedText::copyIsKeptAfterAMinuteOfEditingAndGoesOnSave()
{
    ActionAreaFixture f;
    f.open();
    f.clickNavigation(WorkMode::Administrative);
    f.chooseView(View::ActionTakenOption);
    Autosave::Keeper &keeper = f.window->unsavedTextKeeper();
    QVERIFY(!keeper.isScheduled());
    f.type(QStringLiteral("Inventory of laptops"));
    QVERIFY(keeper.isScheduled());
    QCOMPARE(keeper.interval(), 60 * 1000);

    // What the timer does when the minute is up.
    QVERIFY(keeper.writeNow());
    const QString copy = QStringLiteral("Action0.Fil.autosave");
    QVERIFY(f.workbook.exists(copy));
    QCOMPARE(Autosave::textLines(QStringLiteral("Action0.Fil"), f.workbook.readFile(copy)),
             QStringList{QStringLiteral("Inventory of laptops")});
    QVERIFY(!f.workbook.exists(QStringLiteral("Action0.Fil")));
    QVERIFY(!keeper.isScheduled());
    // The next edit starts the next minute.
    f.type(QStringLiteral(" and phones"));
    QVERIFY(keeper.isScheduled());

    f.clickSave();
    QVERIFY(!f.workbook.exists(copy));
    QVERIFY(f.workbook.readFile(QStringLiteral("Action0.Fil")).contains("Inventory of laptops and phones"));
    QVERIFY(!keeper.isScheduled());
}

void TestUnsavedText::copyGoesWhenTheUserDiscards()
{
    ActionAreaFixture f;
    f.open();
    f.clickNavigation(WorkMode::Administrative);
    f.chooseView(View::ActionTakenOption);
    f.type(QStringLiteral("Draft"));
    QVERIFY(f.window->unsavedTextKeeper().writeNow());
    QVERIFY(f.workbook.exists(QStringLiteral("Action0.Fil.autosave")));
    f.test.prompt->enqueue(Answer::No);
    f.chooseView(View::CommentsNotesOption);
    QVERIFY(!f.workbook.exists(QStringLiteral("Action0.Fil.autosave")));
    QVERIFY(!f.workbook.exists(QStringLiteral("Action0.Fil")));
}

void TestUnsavedText::copyFollowsTheDocumentBeingEdited_data()
{
    QTest::addColumn<int>("modeNumber");
    QTest::addColumn<QString>("document");
    QTest::newRow("Comments/Notes") << int(WorkMode::Technical) << "Comment33.Fil";
    QTest::newRow("worksheet") << int(WorkMode::Worksheets) << "Wksht0.Fil";
    QTest::newRow("plan") << int(WorkMode::RecoveryPlan) << "DRPln1.Fil";
}

void TestUnsavedText::copyFollowsTheDocumentBeingEdited()
{
    QFETCH(int, modeNumber);
    const WorkMode mode = workModeFromInt(modeNumber);
    QFETCH(QString, document);
    ActionAreaFixture f;
    QVERIFY(f.workbook.writeFile(document, rtfOf("Saved before")));
    f.open();
    f.clickNavigation(mode);
    if (mode == WorkMode::Technical)
        f.chooseView(View::CommentsNotesOption);
    else if (mode == WorkMode::Worksheets)
        QTest::mouseClick(f.window->worksheetsPanel()->button(0), Qt::LeftButton);
    f.editor()->setFocus();
    QTest::keyClick(f.editor(), Qt::Key_End, Qt::ControlModifier);
    f.type(QStringLiteral(" and typed since"));
    QVERIFY(f.window->unsavedTextKeeper().writeNow());
    QCOMPARE(Autosave::pendingDocuments(f.workbook.dir()), QStringList{document});
    QVERIFY(Autosave::textLines(document, f.workbook.readFile(document + Autosave::kSuffix))
                .join(QLatin1Char(' '))
                .contains(QStringLiteral("Saved before and typed since")));
    QCOMPARE(f.workbook.readFile(document), rtfOf("Saved before"));
}

void TestUnsavedText::recoveryNamesTheDocumentTheTimeAndWhatDiffers_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("recovered");
    QTest::addColumn<bool>("copyStays");
    QTest::newRow("Yes recovers") << Answer::Yes << true << false;
    QTest::newRow("No discards the copy") << Answer::No << false << false;
    QTest::newRow("Cancel asks again next time") << Answer::Cancel << false << true;
}

void TestUnsavedText::recoveryNamesTheDocumentTheTimeAndWhatDiffers()
{
    QFETCH(Answer, answer);
    QFETCH(bool, recovered);
    QFETCH(bool, copyStays);
    TempWorkbook workbook;
    TestServices test = makeTestServices();
    const QByteArray saved = "{\\rtf1\\ansi Laptops listed\\par Phones listed\\par}";
    const QByteArray kept = "{\\rtf1\\ansi Laptops listed\\par Tablets listed\\par}";
    QVERIFY(workbook.writeFile(QStringLiteral("Action0.Fil"), saved));
    QVERIFY(workbook.writeFile(QStringLiteral("Action0.Fil.autosave"), kept));
    const QDateTime when(QDate(2026, 3, 4), QTime(9, 30));
    QFile copy(workbook.filePath(QStringLiteral("Action0.Fil.autosave")));
    QVERIFY(copy.open(QIODevice::ReadWrite));
    QVERIFY(copy.setFileTime(when, QFileDevice::FileModificationTime));
    copy.close();

    test.prompt->enqueue(answer);
    const QStringList done = Autosave::offerRecovery(workbook.dir(), *test.prompt);
    QCOMPARE(test.prompt->questions.size(), 1);
    const QString text = test.prompt->questions.first().text;
    QVERIFY2(text.contains(QStringLiteral("Action Taken for Risk Analysis")), qPrintable(text));
    QVERIFY2(text.contains(QLocale().toString(when, QLocale::LongFormat)), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("- Phones listed\n+ Tablets listed")), qPrintable(text));
    QVERIFY2(!text.contains(QStringLiteral("Laptops listed")), qPrintable(text));

    QCOMPARE(done, recovered ? QStringList{QStringLiteral("Action0.Fil")} : QStringList());
    QCOMPARE(workbook.readFile(QStringLiteral("Action0.Fil")), recovered ? kept : saved);
    QCOMPARE(workbook.exists(QStringLiteral("Action0.Fil.autosave")), copyStays);
}

void TestUnsavedText::recoveryNeverWritesOverAnUnreadableDocument()
{
    TempWorkbook workbook;
    TestServices test = makeTestServices();
    QVERIFY(workbook.dir().mkdir(QStringLiteral("Wksht2.Fil")));
    QVERIFY(workbook.writeFile(QStringLiteral("Wksht2.Fil.autosave"), rtfOf("Kept")));
    test.prompt->enqueue({Answer::Yes, Answer::Ok});
    QVERIFY(Autosave::offerRecovery(workbook.dir(), *test.prompt).isEmpty());
    QVERIFY(test.prompt->questions.first().text.contains(QStringLiteral("Risk Analysis Worksheet \"Risk Analysis # 3\"")));
    QVERIFY(test.prompt->questions.last().text.contains(QStringLiteral("could not be read")));
    QVERIFY(QFileInfo(workbook.filePath(QStringLiteral("Wksht2.Fil"))).isDir());
    QVERIFY(workbook.exists(QStringLiteral("Wksht2.Fil.autosave")));
}

void TestUnsavedText::endRequestKeepsTheCopyThenAsksAsTheCloseBoxDoes_data()
{
    QTest::addColumn<bool>("mayAsk");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("ends");
    QTest::addColumn<bool>("copyStays");
    QTest::newRow("nobody may be asked") << false << Answer::Ok << true << true;
    QTest::newRow("Yes saves") << true << Answer::Yes << true << false;
    QTest::newRow("No discards") << true << Answer::No << true << false;
    QTest::newRow("Cancel stays") << true << Answer::Cancel << false << true;
}

void TestUnsavedText::endRequestKeepsTheCopyThenAsksAsTheCloseBoxDoes()
{
    QFETCH(bool, mayAsk);
    QFETCH(Answer, answer);
    QFETCH(bool, ends);
    QFETCH(bool, copyStays);
    ActionAreaFixture f;
    f.open();
    f.clickNavigation(WorkMode::Physical);
    f.chooseView(View::ActionTakenOption);
    f.type(QStringLiteral("Visitor log at the front desk"));
    if (mayAsk)
        f.test.prompt->enqueue(answer);
    int endings = 0;
    EndRequests requests(f.environment.settleBeforeEnd, [&endings] { ++endings; });
    QCOMPARE(requests.handleCommitData(mayAsk), ends);
    QCOMPARE(f.questionTitles(), mayAsk ? EditSession::kSaveQuestionTitle : QString());
    const QString document = Autosave::pendingDocuments(f.workbook.dir()).value(0);
    QCOMPARE(!document.isEmpty(), copyStays);
    if (copyStays)
        QVERIFY(f.workbook.readFile(document + Autosave::kSuffix).contains("Visitor log at the front desk"));
    QCOMPARE(f.unsaved(), !ends || !mayAsk);
    QCOMPARE(endings, 0);
}

void TestUnsavedText::sigtermIsHandledInTheEventLoop()
{
    int settles = 0;
    int endings = 0;
    EndRequests requests([&settles](bool mayAsk) { ++settles; return mayAsk; }, [&endings] { ++endings; });
    QVERIFY(requests.watchTerminationSignals());
    QCOMPARE(::raise(SIGTERM), 0);
    // The handler did nothing but note it: the work waits for the loop.
    QCOMPARE(settles, 0);
    QTRY_COMPARE(endings, 1);
    QCOMPARE(settles, 1);
}

void TestUnsavedText::differencesAreListedInOrder()
{
    QCOMPARE(Autosave::differences({"a", "b", "c"}, {"a", "c", "d"}), (QStringList{"- b", "+ d"}));
    QCOMPARE(Autosave::differences({}, {"new"}), QStringList{"+ new"});
    QCOMPARE(Autosave::differences({"same"}, {"same"}), QStringList());
    const QStringList many{"1", "2", "3", "4"};
    QCOMPARE(Autosave::differences({}, many, 2), (QStringList{"+ 1", "+ 2", "... and 2 more changed lines"}));
}

QTEST_MAIN(TestUnsavedText)
#include "tst_unsavedtext.moc"
