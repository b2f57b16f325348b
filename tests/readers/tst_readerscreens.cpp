#include "readerfixture.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using Answer = Prompt::Answer;

namespace {

QStringList captions(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

} // namespace

class TestReaderScreens : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void screens_data();
    void screens();
    void ownButtonOnlyRedraws();
    void otherScreenButtonHandsBackWithPendingSwitch();
    void exitQuestion_data();
    void exitQuestion();
    void closingByTitleBarHandsBackPosition();
};

void TestReaderScreens::screens_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("topic");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("utilities");
    QTest::addColumn<QStringList>("help");
    const QStringList helpTail = {QStringLiteral("-"), QStringLiteral("&About Sentrivo"), QStringLiteral("-"),
                                  QStringLiteral("&Training Guide"), QStringLiteral("-"),
                                  QStringLiteral("Sentrivo &Home Page")};
    QTest::newRow("Information Advisor")
        << 1 << "InfoAdv" << "Information Advisor" << HelpTopic::InformationAdvisor
        << QStringList{"&Action Area", "&Security Rule", "&Miscellaneous", "-", "&Exit Program", "-",
                       "Searc&h Everything...", "-", "&Print"}
        << "Utilities" << QStringList{"&Program Overview", "&Information Advisor", "&Print"} + helpTail;
    QTest::newRow("Security Rule")
        << 2 << "PrivRule" << "Security Rule" << HelpTopic::SecurityRule
        << QStringList{"&Action Area", "&Information Advisor", "&Miscellaneous", "-", "E&xit Program", "-",
                       "Searc&h Everything...", "-", "&Copy to Clipboard", "-", "&Font Display", "-", "&Print", "-", "&Search"} << "Utilities"
        << QStringList{"&Program Overview", "&Security Rule", "&Print"} + helpTail;
    QTest::newRow("Miscellaneous")
        << 3 << "Miscform1" << "Miscellaneous" << HelpTopic::Miscellaneous
        << QStringList{"&Action Area", "&Information Advisor", "&Security Rule", "-", "&Exit Program", "-",
                       "Searc&h Everything...", "-", "&Copy to Clipboard", "-", "&Print"} << "&Utilities"
        << QStringList{"&Program Overview", "&Miscellaneous", "&Print"} + helpTail;
}

void TestReaderScreens::screens()
{
    QFETCH(int, index);
    QFETCH(QString, objectName);
    QFETCH(QString, caption);
    QFETCH(int, topic);
    QFETCH(QStringList, options);
    QFETCH(QString, utilities);
    QFETCH(QStringList, help);

    ReaderFixture f;
    QPointer<ReaderScreen> screen = f.open<ReaderScreen>(index);
    QCOMPARE(screen->objectName(), objectName);
    QCOMPARE(screen->baseCaption(), caption);
    QVERIFY(screen->windowTitle().startsWith(caption));
    QVERIFY(!f.hub->isVisible());
    QCOMPARE(screen->geometry().size(), f.hub->geometry().size());
    for (int button = 0; button < ScreenIndex::Count; ++button)
        QCOMPARE(isDrawnAsChosen(screen->screenButton(button)), button == index);
    QCOMPARE(captions(screen->optionsMenu()), options);
    QCOMPARE(screen->utilitiesMenu()->title(), utilities);
    for (QAction *entry : screen->utilitiesMenu()->actions())
        QVERIFY(!entry->isEnabled());
    QCOMPARE(captions(screen->helpMenu()), help);

    QTest::keyClick(screen, Qt::Key_F1);
    screen->helpMenu()->actions().at(0)->trigger();
    screen->helpMenu()->actions().at(1)->trigger();
    QCOMPARE(f.test.helpViewer->topics, (QList<int>{topic, HelpTopic::ProgramOverview, topic}));
    delete screen.data();
}

void TestReaderScreens::ownButtonOnlyRedraws()
{
    ReaderFixture f;
    QPointer<ReaderScreen> screen = f.open<ReaderScreen>(ScreenIndex::SecurityRule);
    QTest::mouseClick(screen->screenButton(ScreenIndex::SecurityRule), Qt::LeftButton);
    QVERIFY(screen);
    QVERIFY(screen->isVisible());
    QCOMPARE(f.environment.pendingSwitch, 0);
    QVERIFY(f.hub->activations.isEmpty());
    delete screen.data();
}

void TestReaderScreens::otherScreenButtonHandsBackWithPendingSwitch()
{
    ReaderFixture f;
    QPointer<ReaderScreen> screen = f.open<ReaderScreen>(ScreenIndex::InformationAdvisor);
    screen->move(200, 150);
    const QPoint position = screen->pos();
    screen->switchingEntry(ScreenIndex::Miscellaneous)->trigger();
    QTRY_VERIFY(!screen); // left screens are unloaded
    QVERIFY(f.hub->isVisible());
    QCOMPARE(f.hub->pos(), position);
    QCOMPARE(f.hub->activations, QList<int>{ScreenIndex::Miscellaneous});
}

void TestReaderScreens::exitQuestion_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::newRow("Yes") << Answer::Yes;
    QTest::newRow("No") << Answer::No;
    QTest::newRow("Cancel") << Answer::Cancel;
}

void TestReaderScreens::exitQuestion()
{
    QFETCH(Answer, answer);
    ReaderFixture f;
    QPointer<ReaderScreen> screen = f.open<ReaderScreen>(ScreenIndex::Miscellaneous);
    f.test.prompt->enqueue(answer);
    QTest::keyClick(screen, Qt::Key_Escape);
    QCOMPARE(f.test.prompt->questions.size(), 1);
    QCOMPARE(f.test.prompt->questions.first().text, QStringLiteral("Exit Sentrivo?"));
    QCOMPARE(f.test.prompt->questions.first().title, QStringLiteral("Exit"));
    if (answer == Answer::Yes) {
        QCOMPARE(f.endProgramCalls, 1);
        QTRY_VERIFY(!screen);
        QVERIFY(f.hub->activations.isEmpty());
    } else {
        QCOMPARE(f.endProgramCalls, 0);
        QVERIFY(screen && screen->isVisible());
        QVERIFY(isDrawnAsChosen(screen->screenButton(ScreenIndex::Miscellaneous)));
        QVERIFY(!isDrawnAsChosen(screen->screenButton(ScreenIndex::ExitProgram)));
        delete screen.data();
    }
}

void TestReaderScreens::closingByTitleBarHandsBackPosition()
{
    ReaderFixture f;
    QPointer<ReaderScreen> screen = f.open<ReaderScreen>(ScreenIndex::SecurityRule);
    screen->move(90, 70);
    const QPoint position = screen->pos();
    screen->close();
    QTRY_VERIFY(!screen);
    QVERIFY(f.hub->isVisible());
    QCOMPARE(f.hub->pos(), position);
    QCOMPARE(f.hub->activations, QList<int>{0});
    QCOMPARE(f.endProgramCalls, 0);
}

QTEST_MAIN(TestReaderScreens)
#include "tst_readerscreens.moc"
