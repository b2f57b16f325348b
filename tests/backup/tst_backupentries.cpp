// The Utilities entries of the main screens and the start screen open the
// backup utility; the Action Area settles unsaved text first and reloads
// itself after a restore.
#include "actionarea/actionareafixture.h"
#include "actionarea/status/statustable.h"
#include "screens/mainscreen.h"
#include "shell/startscreen.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

class TestBackupEntries : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void entriesNeedTheUtility();
    void backupAsksTheSaveQuestionFirst();
    void restoreReloadsTheActionArea();
    void readerScreenOpensTheUtility();
    void startScreenOpensTheUtility();
};

void TestBackupEntries::entriesNeedTheUtility()
{
    ActionAreaFixture fixture;
    ActionArea *window = fixture.open();
    QVERIFY(!window->backupEntry()->isEnabled());
    QVERIFY(!window->restoreEntry()->isEnabled());
    fixture.environment.openBackupUtility = [](QWidget *, bool) { return false; };
    Q_EMIT window->utilitiesMenu()->aboutToShow();
    QVERIFY(window->backupEntry()->isEnabled());
    QVERIFY(window->restoreEntry()->isEnabled());
    QCOMPARE(window->backupEntry()->text(), QStringLiteral("&Backup User Created Files"));
    QCOMPARE(window->restoreEntry()->text(), QStringLiteral("&Restore User Created Files"));
}

void TestBackupEntries::backupAsksTheSaveQuestionFirst()
{
    ActionAreaFixture fixture;
    QList<bool> calls;
    int questionsBefore = -1;
    fixture.environment.openBackupUtility = [&](QWidget *parent, bool restore) {
        questionsBefore = int(fixture.test.prompt->questions.size());
        calls << restore;
        return parent == fixture.window;
    };
    ActionArea *window = fixture.open();
    window->editSession().setUnsavedChanges(true);
    fixture.test.prompt->enqueue(Prompt::Answer::No);
    window->backupEntry()->trigger();
    QCOMPARE(calls, QList<bool>{false});
    QCOMPARE(questionsBefore, 1);
    QCOMPARE(fixture.test.prompt->questions.first().text, EditSession::kSaveQuestion);

    // Without unsaved text nothing is asked.
    window->backupEntry()->trigger();
    QCOMPARE(calls.size(), 2);
    QCOMPARE(fixture.test.prompt->questions.size(), 1);
}

void TestBackupEntries::restoreReloadsTheActionArea()
{
    ActionAreaFixture fixture;
    fixture.environment.openBackupUtility = [&](QWidget *, bool restore) {
        // The restore brings back a status written before.
        if (!restore)
            return false;
        StatusTable restored(fixture.workbook.workbook());
        restored.writeStatus(1, QStringLiteral("Completed"));
        return true;
    };
    ActionArea *window = fixture.open();
    window->enterWorkMode(WorkMode::Administrative);
    QCOMPARE(window->statusTable().slot(1), QString());
    window->restoreEntry()->trigger();
    QCOMPARE(window->statusTable().slot(1), QStringLiteral("Completed"));
    QCOMPARE(int(window->workMode()), int(WorkMode::Standards));
    QCOMPARE(window->markedScreenButton(), ScreenIndex::ActionArea);
}

void TestBackupEntries::readerScreenOpensTheUtility()
{
    ActionAreaFixture fixture;
    QList<QWidget *> parents;
    fixture.environment.openBackupUtility = [&](QWidget *parent, bool) {
        parents << parent;
        return false;
    };
    ActionArea *window = fixture.open();
    MainScreen *reader = fixture.environment.open(ScreenIndex::SecurityRule, window);
    QVERIFY(reader);
    QVERIFY(reader->restoreEntry()->isEnabled());
    reader->restoreEntry()->trigger();
    QCOMPARE(parents, QList<QWidget *>{reader});
}

void TestBackupEntries::startScreenOpensTheUtility()
{
    TempWorkbook workbook;
    TestServices test = makeTestServices();
    ProgramContext context;
    context.workbook = workbook.workbook();
    QList<bool> calls;
    StartScreen::Hooks hooks;
    hooks.screenSize = [] { return QSize(1280, 1024); };
    hooks.openBackupUtility = [&](QWidget *, bool restore) {
        calls << restore;
        return false;
    };
    StartScreen screen(context, test.services, hooks);
    const QList<QAction *> entries = screen.utilitiesMenu()->actions();
    QCOMPARE(entries.size(), 2);
    QVERIFY(entries.at(0)->isEnabled() && entries.at(1)->isEnabled());
    entries.at(0)->trigger();
    entries.at(1)->trigger();
    QCOMPARE(calls, (QList<bool>{false, true}));

    StartScreen without(context, test.services, StartScreen::Hooks{});
    QVERIFY(!without.utilitiesMenu()->actions().at(0)->isEnabled());
}

QTEST_MAIN(TestBackupEntries)
#include "tst_backupentries.moc"
