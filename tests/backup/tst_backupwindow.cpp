// The backup window in both modes: its texts, drives and folders, the rules
// that enable the action, the Options menu, and a backup and a restore run
// from it.
#include "backup/backupwindow.h"
#include "backup/fileoperations.h"
#include "support/testservices.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

Q_DECLARE_METATYPE(BackupWindow::Mode)

namespace {

using Mode = BackupWindow::Mode;
using Answer = Prompt::Answer;

struct WindowRig
{
    QTemporaryDir root;
    TestServices test = makeTestServices();

    WindowRig()
    {
        QDir(root.path()).mkpath(QStringLiteral("home/workbook"));
        QDir(root.path()).mkpath(QStringLiteral("home/backups"));
        QDir(root.path()).mkpath(QStringLiteral("stick"));
    }
    QString path(const QString &relative) const { return root.filePath(relative); }

    std::unique_ptr<BackupWindow> open(Mode mode)
    {
        BackupWindow::Setup setup;
        setup.workbookDir = path(QStringLiteral("home/workbook"));
        setup.smallerDisplay = true;
        setup.services = test.services;
        setup.drives = [this] {
            return QList<BackupDrive>{{QStringLiteral("USB stick"), path(QStringLiteral("stick")), true},
                                      {QStringLiteral("Home folder"), path(QStringLiteral("home")), false},
                                      {QStringLiteral("Gone"), path(QStringLiteral("unplugged")), true}};
        };
        setup.now = [] { return QDateTime(QDate(2026, 12, 10), QTime(8, 0, 0)); };
        auto window = std::make_unique<BackupWindow>(mode, setup);
        window->show();
        return window;
    }
};

QStringList captions(const QMenu *menu)
{
    QStringList list;
    for (const QAction *action : menu->actions())
        list << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return list;
}

} // namespace

class TestBackupWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void contentsOfEachMode_data();
    void contentsOfEachMode();
    void actionFollowsTheChosenFolder();
    void unavailableDrive();
    void backupFromTheWindow();
    void restoreFromTheWindow();
    void rightClickPopsUpOptions();
    void f1OpensThePageOfEachMode_data();
    void f1OpensThePageOfEachMode();
};

void TestBackupWindow::f1OpensThePageOfEachMode_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<int>("topic");
    QTest::newRow("backup") << Mode::Backup << 1110;
    QTest::newRow("restore") << Mode::Restore << 1120;
}

// Each window has a help page of its own, opened over the window.
void TestBackupWindow::f1OpensThePageOfEachMode()
{
    QFETCH(Mode, mode);
    QFETCH(int, topic);
    WindowRig rig;
    auto window = rig.open(mode);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F1);
    QCOMPARE(rig.test.helpViewer->topics, QList<int>{topic});
    QVERIFY(rig.test.prompt->questions.isEmpty());
}

void TestBackupWindow::contentsOfEachMode_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("instructionsStart");
    QTest::addColumn<bool>("noteShown");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("options");
    QTest::newRow("backup") << Mode::Backup << "Backup User Created Files"
                            << "This utility allows you to make a backup disk(s) of the User Created Files contained "
                               "within this program.  To make"
                            << true << "&Make Backup" << QStringList{"&Make Backup Disk", "-", "E&xit"};
    QTest::newRow("restore") << Mode::Restore << "Restore User Created Files from Backup Media"
                             << "Restore User Created Files from backup media to Sentrivo.\nCAUTION: RESTORE FUNCTION "
                                "WILL FIRST ERASE ALL EXISTING USER CREATED FILES IN THE PROGRAM AND THEN RESTORE "
                                "FILES.\nTo restore"
                             << false << "&Restore User Created Files"
                             << QStringList{"&Restore Files from Disk", "-", "E&xit"};
}

void TestBackupWindow::contentsOfEachMode()
{
    QFETCH(Mode, mode);
    QFETCH(QString, title);
    QFETCH(QString, instructionsStart);
    QFETCH(bool, noteShown);
    QFETCH(QString, action);
    QFETCH(QStringList, options);
    WindowRig rig;
    auto window = rig.open(mode);
    QVERIFY(window->isModal());
    QCOMPARE(window->windowTitle(), title);
    QVERIFY(window->instructions()->text().startsWith(instructionsStart));
    QCOMPARE(window->note()->isVisible(), noteShown);
    QVERIFY(window->note()->text().endsWith(QStringLiteral("several minutes to complete!\"")));
    QCOMPARE(window->actionButton()->text(), action);
    QCOMPARE(captions(window->optionsMenu()), options);
    QVERIFY(!window->statusPanel()->isVisible());
    QVERIFY(!window->progressBar()->isVisible());
    QCOMPARE(window->progressBar()->maximum(), 166);
    // At first: the drive of the workbook, its path, the action off.
    QCOMPARE(window->driveList()->currentText(), QStringLiteral("Home folder"));
    QCOMPARE(window->pathLabel()->text(), QDir::toNativeSeparators(rig.path(QStringLiteral("home"))));
    QVERIFY(!window->actionButton()->isEnabled());
    QVERIFY(!window->actionEntry()->isEnabled());
    QCOMPARE(window->size(), QSize(640, 540));
}

void TestBackupWindow::actionFollowsTheChosenFolder()
{
    WindowRig rig;
    auto window = rig.open(Mode::Backup);
    window->chooseDrive(0);
    QCOMPARE(window->pathLabel()->text(), QDir::toNativeSeparators(rig.path(QStringLiteral("stick"))));
    QVERIFY(window->actionButton()->isEnabled());
    QVERIFY(window->actionEntry()->isEnabled());

    window->chooseDrive(1);
    window->chooseFolder(rig.path(QStringLiteral("home/workbook")));
    QCOMPARE(window->pathLabel()->text(), QDir::toNativeSeparators(rig.path(QStringLiteral("home/workbook"))));
    QVERIFY(!window->actionButton()->isEnabled());
    QVERIFY(!window->actionEntry()->isEnabled());
    // The same folder spelled another way is still the workbook.
    window->chooseFolder(rig.path(QStringLiteral("home/backups/../workbook/")));
    QVERIFY(!window->actionButton()->isEnabled());
    window->chooseFolder(rig.path(QStringLiteral("home/backups")));
    QVERIFY(window->actionButton()->isEnabled());
    QCOMPARE(window->targetFolder(), rig.path(QStringLiteral("home/backups")));
}

void TestBackupWindow::unavailableDrive()
{
    WindowRig rig;
    auto window = rig.open(Mode::Restore);
    window->chooseDrive(0);
    rig.test.prompt->enqueue(Answer::Ok);
    window->chooseDrive(2);
    QCOMPARE(rig.test.prompt->questions.size(), 1);
    const ScriptedPrompt::Question &message = rig.test.prompt->questions.first();
    QCOMPARE(message.title, QStringLiteral("Device/Drive Error"));
    QCOMPARE(message.text, QStringLiteral("Device/Drive is Unavailable!"));
    QCOMPARE(message.icon, Prompt::Icon::Critical);
    QCOMPARE(message.buttons, Prompt::Buttons::Ok);
    QCOMPARE(window->driveList()->currentIndex(), 0);
    QVERIFY(!window->actionButton()->isEnabled());
    QVERIFY(!window->actionEntry()->isEnabled());
}

void TestBackupWindow::backupFromTheWindow()
{
    WindowRig rig;
    QFile stat(rig.path(QStringLiteral("home/workbook/Stat1.Fil")));
    QVERIFY(stat.open(QIODevice::WriteOnly));
    stat.write("statuses");
    stat.close();
    auto window = rig.open(Mode::Backup);
    window->chooseDrive(0);
    rig.test.prompt->enqueue(Answer::Yes);
    window->actionEntry()->trigger(); // the menu entry does what the button does
    QCOMPARE(window->lastResult().outcome, ProcedureResult::Outcome::Completed);
    QVERIFY(QFile::exists(rig.path(QStringLiteral("stick/Stat1.hb1"))));
    QVERIFY(window->statusPanel()->isVisible());
    QCOMPARE(window->statusPanel()->text(), QStringLiteral("Backup Complete"));
    QVERIFY(!window->progressBar()->isVisible());
    QVERIFY(!window->note()->isVisible());
    QVERIFY(!window->actionButton()->isEnabled());
    QVERIFY(!window->actionEntry()->isEnabled());
    QVERIFY(!window->workbookChanged());
    QVERIFY(rig.test.clock->calls >= 2); // the pause before writing
}

void TestBackupWindow::restoreFromTheWindow()
{
    WindowRig rig;
    QFile stat(rig.path(QStringLiteral("home/workbook/Stat1.Fil")));
    QVERIFY(stat.open(QIODevice::WriteOnly));
    stat.write("statuses");
    stat.close();
    {
        auto backup = rig.open(Mode::Backup);
        backup->chooseDrive(0);
        rig.test.prompt->enqueue(Answer::Yes);
        backup->runAction();
        QVERIFY(backup->lastResult().completed());
    }
    QVERIFY(stat.open(QIODevice::WriteOnly));
    stat.write("later");
    stat.close();

    auto window = rig.open(Mode::Restore);
    window->chooseDrive(0);
    rig.test.prompt->enqueue(Answer::Yes);
    QTest::mouseClick(window->actionButton(), Qt::LeftButton);
    QVERIFY(window->workbookChanged());
    QCOMPARE(window->statusPanel()->text(), QStringLiteral("Restoration Completed"));
    QVERIFY(!window->actionButton()->isEnabled());
    QVERIFY(!window->actionEntry()->isEnabled());
    QVERIFY(stat.open(QIODevice::ReadOnly));
    QCOMPARE(stat.readAll(), QByteArray("statuses"));
    QVERIFY(QFile::exists(rig.path(QStringLiteral("home/workbook/Before restore 2026-12-10 08-00-00/Stat1.Fil"))));
}

void TestBackupWindow::rightClickPopsUpOptions()
{
    WindowRig rig;
    auto window = rig.open(Mode::Backup);
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    for (QWidget *widget : {static_cast<QWidget *>(window->topStrip()), static_cast<QWidget *>(window->exitButton()),
                            static_cast<QWidget *>(window.get())}) {
        QTest::mouseClick(widget, Qt::RightButton, {}, QPoint(2, 2));
        QVERIFY2(window->optionsMenu()->isVisible(), qPrintable(widget->objectName()));
        window->optionsMenu()->hide();
    }
    // The folder list keeps its own right click.
    QTest::mouseClick(window->folderList()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    QVERIFY(!window->optionsMenu()->isVisible());
}

QTEST_MAIN(TestBackupWindow)
#include "tst_backupwindow.moc"
