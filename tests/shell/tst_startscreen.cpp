// The start screen: display choice, colour, splash, and the hand-over to the
// Action Area, driven as a user would with the dialogs answered by doubles.
#include "platform/records/colourref.h"
#include "platform/records/recordfile.h"
#include "platform/records/settingsstore.h"
#include "screens/programcontext.h"
#include "shell/apppaths.h"
#include "shell/splashwindow.h"
#include "shell/startscreen.h"
#include "support/tempworkbook.h"
#include "support/testservices.h"

#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

namespace {

const QSize kScreen(1920, 1080);

QString displayRecord(const TempWorkbook &workbook)
{
    return readTextRecord(workbook.filePath(QStringLiteral("GColor3.Fil")), 20, 35);
}

} // namespace

class StartScreenTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        workbook_ = std::make_unique<TempWorkbook>();
        QVERIFY(workbook_->isValid());
        test_ = makeTestServices();
        context_ = ProgramContext{};
        context_.workbook = workbook_->workbook();
        screen_ = kScreen;
        begun_ = 0;
    }
    void cleanup()
    {
        screen_ = kScreen;
        workbook_.reset();
    }

    void firstRunIsMaximisedAndBlueWithTheSplash()
    {
        auto screen = makeStartScreen();
        screen->load();
        QVERIFY(screen->windowState() & Qt::WindowMaximized);
        QCOMPARE(screen->backgroundColour(), QColor(0, 0, 255));
        QVERIFY(!screen->smallerScreenButton()->isHidden());
        QVERIFY(screen->fullScreenButton()->isHidden());
        QCOMPARE(screen->windowTitle(), QStringLiteral("Sentrivo"));
        QVERIFY(context_.splashShown);
        QVERIFY(test_.clock->calls > 0);
        QVERIFY(test_.prompt->questions.isEmpty());
        // Reading the settings creates nothing the user did not choose.
        QCOMPARE(displayRecord(*workbook_), QString());
    }

    void smallerDisplayIsStoredAndCentredWithoutASecondSplash()
    {
        auto screen = makeStartScreen();
        screen->load();
        const int clockReadsAfterSplash = test_.clock->calls;

        screen->smallerScreenButton()->click();

        QCOMPARE(displayRecord(*workbook_), QStringLiteral("Yes"));
        QCOMPARE(workbook_->readFile(QStringLiteral("GColor3.Fil")).size(), 35 * 20);
        QVERIFY(!(screen->windowState() & Qt::WindowMaximized));
        // The inside is 800 x 600 once the frame is known, as at first start;
        // the window as framed is centred.
        QCOMPARE(screen->geometry().size(), QSize(800, 600));
        const QSize outer = screen->frameGeometry().size();
        QCOMPARE(screen->pos(), QPoint((kScreen.width() - outer.width()) / 2, (kScreen.height() - outer.height()) / 2));
        QVERIFY(!screen->fullScreenButton()->isHidden());
        QVERIFY(screen->smallerScreenButton()->isHidden());
        QCOMPARE(test_.clock->calls, clockReadsAfterSplash);

        screen->fullScreenButton()->click();
        QCOMPARE(displayRecord(*workbook_), QStringLiteral("No"));
        QVERIFY(screen->windowState() & Qt::WindowMaximized);
    }

    void storedDisplayChoiceIsRestored_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("smaller");
        QTest::newRow("Yes") << QStringLiteral("Yes") << true;
        QTest::newRow("leading space") << QStringLiteral(" Yes") << true;
        QTest::newRow("lower case") << QStringLiteral("yes") << false;
        QTest::newRow("No") << QStringLiteral("No") << false;
        QTest::newRow("Yesterday") << QStringLiteral("Yesterday") << true;
    }
    void storedDisplayChoiceIsRestored()
    {
        QFETCH(QString, stored);
        QFETCH(bool, smaller);
        QVERIFY(writeTextRecord(workbook_->filePath(QStringLiteral("GColor3.Fil")), 20, 35, stored));
        auto screen = makeStartScreen();
        screen->load();
        QCOMPARE(context_.smallerDisplay, smaller);
        QCOMPARE(bool(screen->windowState() & Qt::WindowMaximized), !smaller);
        if (smaller) {
            QCOMPARE(screen->geometry().size(), QSize(800, 600));
            // Shown, the frame comes around the same inside.
            screen->show();
            QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
            QCOMPARE(screen->geometry().size(), QSize(800, 600));
        }
        // Restoring the choice writes nothing back.
        QCOMPARE(displayRecord(*workbook_), stored);
    }

    void smallScreenWarnsOnceAndFallsBackToFullScreen()
    {
        QVERIFY(writeTextRecord(workbook_->filePath(QStringLiteral("GColor3.Fil")), 20, 35, QStringLiteral("Yes")));
        screen_ = QSize(640, 480);
        test_.prompt->enqueue(Prompt::Answer::Ok);
        auto screen = makeStartScreen();
        screen->load();

        QCOMPARE(test_.prompt->questions.size(), 1);
        const ScriptedPrompt::Question &q = test_.prompt->questions.first();
        QCOMPARE(q.title, QStringLiteral("Program Display Option"));
        QCOMPARE(q.icon, Prompt::Icon::Information);
        QCOMPARE(q.buttons, Prompt::Buttons::Ok);
        QVERIFY(q.text.startsWith(QStringLiteral("Monitor Resolution Settings (Screen Area)")));
        QVERIFY(q.text.contains(QStringLiteral("\nIf you do not set your screen resolution")));
        QVERIFY(screen->windowState() & Qt::WindowMaximized);
        QCOMPARE(displayRecord(*workbook_), QStringLiteral("No"));
    }

    void restoringTheMaximisedWindowChoosesTheSmallerDisplay()
    {
        auto screen = makeStartScreen();
        screen->load();
        screen->show();
        screen->setWindowState(Qt::WindowNoState);
        QCOMPARE(displayRecord(*workbook_), QStringLiteral("Yes"));
        QVERIFY(context_.smallerDisplay);
        screen->setWindowState(Qt::WindowMaximized);
        QCOMPARE(displayRecord(*workbook_), QStringLiteral("No"));
        QVERIFY(!context_.smallerDisplay);
    }

    void backgroundColourQuestion_data()
    {
        QTest::addColumn<Prompt::Answer>("answer");
        QTest::addColumn<std::optional<QColor>>("dialogResult");
        QTest::addColumn<bool>("dialogOpened");
        QTest::addColumn<QByteArray>("storedBytes"); // record 3 of HINV3.Fil; empty: not written
        QTest::newRow("No stores Def") << Prompt::Answer::No << std::optional<QColor>() << false
                                       << QByteArray::fromHex("08000300446566000000");
        QTest::newRow("Yes stores the colour") << Prompt::Answer::Yes << std::optional<QColor>(QColor(0x11, 0x22, 0x33))
                                               << true << QByteArray::fromHex("03001122330000000000");
        QTest::newRow("Yes then cancel") << Prompt::Answer::Yes << std::optional<QColor>() << true << QByteArray();
        QTest::newRow("Cancel") << Prompt::Answer::Cancel << std::optional<QColor>() << false << QByteArray();
    }
    void backgroundColourQuestion()
    {
        QFETCH(Prompt::Answer, answer);
        QFETCH(std::optional<QColor>, dialogResult);
        QFETCH(bool, dialogOpened);
        QFETCH(QByteArray, storedBytes);

        auto screen = makeStartScreen();
        screen->load();
        test_.prompt->enqueue(answer);
        if (dialogOpened)
            test_.colourDialog->enqueue(dialogResult);
        screen->chooseBackgroundColour();

        const ScriptedPrompt::Question &q = test_.prompt->questions.last();
        QCOMPARE(q.title, QStringLiteral("Background Color"));
        QCOMPARE(q.buttons, Prompt::Buttons::YesNoCancel);
        QCOMPARE(q.text, QStringLiteral("Select New Color or Use System Default Color?\n\n"
                                        "Yes = Color Selection Panel will appear.\n"
                                        "No = Current System Default Color will be selected."));
        QCOMPARE(test_.colourDialog->initialColours.size(), dialogOpened ? 1 : 0);
        if (dialogOpened)
            QCOMPARE(test_.colourDialog->initialColours.first(), QColor(0, 0, 255));

        const QByteArray file = workbook_->readFile(QStringLiteral("HINV3.Fil"));
        if (storedBytes.isEmpty()) {
            QVERIFY(file.size() < 30 || file.mid(20, 2) == QByteArray(2, '\0'));
            QCOMPARE(screen->backgroundColour(), QColor(0, 0, 255));
        } else {
            QCOMPARE(file.mid(20, 10), storedBytes);
            QCOMPARE(screen->backgroundColour(),
                     dialogResult ? *dialogResult : QApplication::palette().color(QPalette::Window));
        }
    }

    void systemDefaultColourIsThePalettesAfterAnyColour()
    {
        // A custom colour first: the default must not be taken from the
        // window it was painted on.
        QVERIFY(SettingsStore(workbook_->workbook()).setStartScreenColour(bgrFromColour(QColor(0x11, 0x22, 0x33))));
        auto screen = makeStartScreen();
        screen->load();
        screen->show();
        QCOMPARE(screen->backgroundColour(), QColor(0x11, 0x22, 0x33));
        test_.prompt->enqueue(Prompt::Answer::No);
        screen->chooseBackgroundColour();
        QCOMPARE(screen->backgroundColour(), QApplication::palette().color(QPalette::Window));
        QCOMPARE(screen->systemDefaultColour(), QApplication::palette().color(QPalette::Window));
    }

    void resizingRecordsTheSizeTheAboutBoxCentresOn()
    {
        QVERIFY(writeTextRecord(workbook_->filePath(QStringLiteral("GColor3.Fil")), 20, 35, QStringLiteral("Yes")));
        auto screen = makeStartScreen();
        screen->load();
        screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
        screen->resize(1000, 700);
        const QSize outer = screen->frameGeometry().size();
        QCOMPARE(context_.startScreenWidthTwips, outer.width() * 15);
        QCOMPARE(context_.startScreenHeightTwips, outer.height() * 15);
    }

    void defaultWorkbookIsTheProgramsDataFolder()
    {
        // Set as the program sets them: both names would appear twice in an
        // application-data location.
        QCoreApplication::setOrganizationName(QStringLiteral("Sentrivo"));
        QCoreApplication::setApplicationName(QStringLiteral("Sentrivo"));
        const QString expected =
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Sentrivo");
        QCOMPARE(AppPaths::defaultWorkbookFolder(), expected);
    }

    void storedSystemDefaultColourIsShownAtTheNextStart()
    {
        QVERIFY(SettingsStore(workbook_->workbook()).setStartScreenColourDefault());
        auto screen = makeStartScreen();
        screen->load();
        QCOMPARE(screen->backgroundColour(), QApplication::palette().color(QPalette::Window));
        QVERIFY(screen->backgroundColour() != QColor(0, 0, 255));
    }

    void helpEntriesOpenTheirPages()
    {
        auto screen = makeStartScreen();
        screen->load();
        screen->showProgramOverview();
        QCOMPARE(test_.helpViewer->topics, QList<int>{1000});
        // F1 opens the start screen's own page, not the overview.
        screen->show();
        screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        QTest::keyClick(screen.get(), Qt::Key_F1);
        QCOMPARE(test_.helpViewer->topics, (QList<int>{1000, 1100}));
    }

    void beginningTheProgramHandsOverAndHides()
    {
        auto screen = makeStartScreen();
        screen->load();
        screen->show();
        screen->beginButton()->click();
        QCOMPARE(begun_, 1);
        QVERIFY(screen->isHidden());
        // Once begun, the hidden start screen no longer changes the display.
        screen->chooseSmallerScreenDisplay();
        QCOMPARE(displayRecord(*workbook_), QString());
        screen->beginProgram();
        QCOMPARE(begun_, 1);
    }

    void twoSecondWaitCountsAcrossTheMinute_data()
    {
        QTest::addColumn<QList<QTime>>("times");
        QTest::addColumn<int>("reads");
        QTest::newRow("plain") << QList<QTime>{QTime(9, 0, 10), QTime(9, 0, 11), QTime(9, 0, 12)} << 3;
        QTest::newRow("58 to 0") << QList<QTime>{QTime(9, 0, 58), QTime(9, 0, 59), QTime(9, 1, 0)} << 3;
        QTest::newRow("59 to 1") << QList<QTime>{QTime(9, 0, 59), QTime(9, 1, 0), QTime(9, 1, 1)} << 3;
        QTest::newRow("jump") << QList<QTime>{QTime(9, 0, 30), QTime(9, 0, 35)} << 2;
        QTest::newRow("same second") << QList<QTime>{QTime(9, 0, 5), QTime(9, 0, 5, 500), QTime(9, 0, 6),
                                                     QTime(9, 0, 7)} << 4;
    }
    void twoSecondWaitCountsAcrossTheMinute()
    {
        QFETCH(QList<QTime>, times);
        QFETCH(int, reads);
        FakeClock clock;
        clock.script(times);
        waitTwoSeconds(clock);
        QCOMPARE(clock.calls, reads);
    }

private:
    std::unique_ptr<StartScreen> makeStartScreen()
    {
        StartScreen::Hooks hooks;
        hooks.beginProgram = [this](StartScreen *) { ++begun_; };
        hooks.screenSize = [this] { return screen_; };
        return std::make_unique<StartScreen>(context_, test_.services, hooks);
    }

    std::unique_ptr<TempWorkbook> workbook_;
    TestServices test_;
    ProgramContext context_;
    QSize screen_ = kScreen;
    int begun_ = 0;
};

QTEST_MAIN(StartScreenTest)
#include "tst_startscreen.moc"
