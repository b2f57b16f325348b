// The backup window in both modes: its texts, drives and folders, the rules
// that enable the action, the Options menu, and a backup and a restore run
// from it.
#include "backup/backupwindow.h"
#include "backup/fileoperations.h"
#include "support/testservices.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTableView>
#include <QTreeView>
#include <QScreen>
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
    void setsInAFolder();
    void encryptedSetFromTheWindow();
    void rightClickPopsUpOptions();
    void staysOnTheScreenOverASmallerOpener();
    void f1OpensThePageOfEachMode_data();
    void f1OpensThePageOfEachMode();
};

// Opened from the start screen, which is narrower than the window, and from
// a program window in the screen's corner, the window is wholly on the screen.
void TestBackupWindow::staysOnTheScreenOverASmallerOpener()
{
    WindowRig rig;
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QRect &openerGeometry : {QRect(room.topLeft(), QSize(600, 558)),
                                        QRect(room.topLeft(), QSize(300, 200)),
                                        QRect(room.bottomRight() - QPoint(299, 199), QSize(300, 200))}) {
        QWidget opener;
        opener.setGeometry(openerGeometry);
        opener.show();
        BackupWindow::Setup setup;
        setup.workbookDir = rig.path(QStringLiteral("home/workbook"));
        setup.smallerDisplay = true;
        setup.services = rig.test.services;
        setup.drives = [&rig] { return QList<BackupDrive>{{QStringLiteral("USB stick"), rig.path(QStringLiteral("stick")), true}}; };
        BackupWindow window(Mode::Restore, setup, &opener);
        window.show();
        // Where the window put itself, at its size; the frame is the
        // window manager's to add.
        const QRect placed(window.pos(), window.size());
        QVERIFY2(room.contains(placed), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(placed.x()).arg(placed.y())
                                                       .arg(placed.width()).arg(placed.height())));
    }
}

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
                             << "Restore User Created Files from backup media to Sentrivo.\nThe User Created Files "
                                "now in the program are not erased: those the restore replaces are kept in a folder "
                                "\"Before restore DATE\" inside the workbook.\nTo restore"
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

    // The backup's files are dated by its DiskInfo.bk1.
    const QDateTime made(QDate(2026, 12, 3), QTime(18, 45));
    QFile info(rig.path(QStringLiteral("stick/DiskInfo.bk1")));
    QVERIFY(info.open(QIODevice::ReadWrite));
    QVERIFY(info.setFileTime(made, QFileDevice::FileModificationTime));
    info.close();

    auto window = rig.open(Mode::Restore);
    window->chooseDrive(0);
    rig.test.prompt->enqueue({Answer::Yes, Answer::Ok});
    rig.test.prompt->questions.clear();
    QTest::mouseClick(window->actionButton(), Qt::LeftButton);
    QCOMPARE(rig.test.prompt->questions.size(), 2);
    // Before anything changes: the backup's date and size, and what happens
    // to the files now in the workbook.
    const ScriptedPrompt::Question &question = rig.test.prompt->questions.at(0);
    QCOMPARE(question.title, QStringLiteral("Restore Files"));
    QCOMPARE(question.text,
             QStringLiteral("Restore the backup made 2026-12-03 18:45 (1 file) from\n%1?\n\n"
                            "The User Created Files now in the program are not erased: every one the restore "
                            "replaces or removes is kept in the folder \"Before restore 2026-12-10 08-00-00\" inside "
                            "the workbook.\n\nProceed?")
                 .arg(QDir::toNativeSeparators(rig.path(QStringLiteral("stick")))));
    QVERIFY(!question.text.contains(QStringLiteral("WILL FIRST ERASE")));
    // After: where the replaced files are.
    const ScriptedPrompt::Question &closing = rig.test.prompt->questions.at(1);
    QCOMPARE(closing.icon, Prompt::Icon::Information);
    QCOMPARE(closing.text,
             QStringLiteral("The backup has been restored.\nThe files it replaced are kept in the folder \"Before "
                            "restore 2026-12-10 08-00-00\" inside the workbook:\n%1")
                 .arg(QDir::toNativeSeparators(rig.path(QStringLiteral("home/workbook/Before restore 2026-12-10 08-00-00")))));
    QVERIFY(window->workbookChanged());
    QCOMPARE(window->statusPanel()->text(), QStringLiteral("Restoration Completed"));
    QVERIFY(!window->actionButton()->isEnabled());
    QVERIFY(!window->actionEntry()->isEnabled());
    QVERIFY(stat.open(QIODevice::ReadOnly));
    QCOMPARE(stat.readAll(), QByteArray("statuses"));
    QVERIFY(QFile::exists(rig.path(QStringLiteral("home/workbook/Before restore 2026-12-10 08-00-00/Stat1.Fil"))));
}

void TestBackupWindow::setsInAFolder()
{
    // A folder that is no drive's root takes dated sets; a restore from it
    // takes the newest.
    WindowRig rig;
    QFile stat(rig.path(QStringLiteral("home/workbook/Stat1.Fil")));
    QVERIFY(stat.open(QIODevice::WriteOnly));
    stat.write("first");
    stat.close();
    QList<QDateTime> completed;
    for (int day : {3, 4}) {
        BackupWindow::Setup setup;
        setup.workbookDir = rig.path(QStringLiteral("home/workbook"));
        setup.services = rig.test.services;
        setup.drives = [&rig] { return QList<BackupDrive>{{QStringLiteral("Home folder"), rig.path(QStringLiteral("home")), false}}; };
        setup.now = [day] { return QDateTime(QDate(2026, 12, day), QTime(8, 0, 0)); };
        setup.backupCompleted = [&completed](const QDateTime &when) { completed << when; };
        BackupWindow window(Mode::Backup, setup);
        window.chooseDrive(0);
        window.chooseFolder(rig.path(QStringLiteral("home/backups")));
        rig.test.prompt->enqueue(Answer::Yes);
        rig.test.prompt->questions.clear();
        window.runAction();
        QVERIFY2(window.lastResult().completed(), qPrintable(window.lastResult().reason));
        QCOMPARE(rig.test.prompt->questions.first().title, QStringLiteral("Backup Files"));
        QVERIFY(rig.test.prompt->questions.first().text.contains(
            QStringLiteral("new backup set \"Sentrivo backup 2026-12-%1 080000\"").arg(day, 2, 10, QLatin1Char('0'))));
        QVERIFY(stat.open(QIODevice::WriteOnly));
        stat.write(day == 3 ? "second" : "later");
        stat.close();
    }
    QCOMPARE(completed.size(), 2);
    QCOMPARE(QDir(rig.path(QStringLiteral("home/backups"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList({QStringLiteral("Sentrivo backup 2026-12-03 080000"), QStringLiteral("Sentrivo backup 2026-12-04 080000")}));

    auto window = rig.open(Mode::Restore);
    window->chooseDrive(1);
    window->chooseFolder(rig.path(QStringLiteral("home/backups")));
    // The sets listed newest first, the newest chosen.
    QVERIFY(window->setList()->isVisible());
    const QAbstractItemModel *sets = window->setList()->model();
    QCOMPARE(sets->rowCount(), 2);
    QCOMPARE(sets->index(0, 0).data().toString(), QStringLiteral("2026-12-04 08:00:00"));
    QCOMPARE(sets->index(1, 0).data().toString(), QStringLiteral("2026-12-03 08:00:00"));
    QCOMPARE(sets->index(0, 1).data().toInt(), 1);
    QCOMPARE(sets->index(0, 3).data().toString(), QStringLiteral("Yes"));
    QCOMPARE(window->setList()->selectionModel()->selectedRows().value(0).row(), 0);
    rig.test.prompt->enqueue({Answer::Yes, Answer::Ok});
    rig.test.prompt->questions.clear();
    window->runAction();
    QVERIFY(window->lastResult().completed());
    QVERIFY(rig.test.prompt->questions.first().text.startsWith(QStringLiteral("Restore the backup made 2026-12-04 08:00 (1 file)")));
    QVERIFY(stat.open(QIODevice::ReadOnly));
    QCOMPARE(stat.readAll(), QByteArray("second"));
    stat.close();

    // The older one, chosen in the list.
    window = rig.open(Mode::Restore);
    window->chooseDrive(1);
    window->chooseFolder(rig.path(QStringLiteral("home/backups")));
    window->setList()->selectRow(1);
    rig.test.prompt->enqueue({Answer::Yes, Answer::Ok});
    window->runAction();
    QVERIFY(window->lastResult().completed());
    QVERIFY(stat.open(QIODevice::ReadOnly));
    QCOMPARE(stat.readAll(), QByteArray("first"));
}

void TestBackupWindow::encryptedSetFromTheWindow()
{
    WindowRig rig;
    QFile stat(rig.path(QStringLiteral("home/workbook/Stat1.Fil")));
    QVERIFY(stat.open(QIODevice::WriteOnly));
    stat.write("Security Official: Dana Reyes");
    stat.close();
    QList<bool> asked;
    const auto setupFor = [&](Mode) {
        BackupWindow::Setup setup;
        setup.workbookDir = rig.path(QStringLiteral("home/workbook"));
        setup.services = rig.test.services;
        setup.drives = [&rig] { return QList<BackupDrive>{{QStringLiteral("Home folder"), rig.path(QStringLiteral("home")), false}}; };
        setup.now = [] { return QDateTime(QDate(2026, 12, 5), QTime(8, 0, 0)); };
        setup.keepSets = 4;
        setup.askPassphrase = [&asked](QWidget *, bool confirm) -> std::optional<QByteArray> {
            asked << confirm;
            return QByteArray("window passphrase");
        };
        return setup;
    };
    int keptSets = 0;
    {
        BackupWindow::Setup setup = setupFor(Mode::Backup);
        setup.keepSetsChanged = [&keptSets](int sets) { keptSets = sets; };
        BackupWindow window(Mode::Backup, setup);
        QCOMPARE(window.keepBox()->value(), 4);
        window.keepBox()->setValue(6);
        window.encryptBox()->setChecked(true);
        window.chooseDrive(0);
        window.chooseFolder(rig.path(QStringLiteral("home/backups")));
        rig.test.prompt->enqueue(Answer::Yes);
        window.runAction();
        QVERIFY2(window.lastResult().completed(), qPrintable(window.lastResult().reason));
        QVERIFY(rig.test.prompt->questions.last().text.contains(QStringLiteral("only the last 6 are kept")));
    }
    QCOMPARE(keptSets, 6);
    QCOMPARE(asked, QList<bool>({true}));
    const QString set = rig.path(QStringLiteral("home/backups/Sentrivo backup 2026-12-05 080000"));
    QVERIFY(QFile::exists(set + QStringLiteral("/Encryption.bk1")));
    QFile sealed(set + QStringLiteral("/Stat1.hb1"));
    QVERIFY(sealed.open(QIODevice::ReadOnly));
    QVERIFY(!sealed.readAll().contains("Dana Reyes"));

    QVERIFY(stat.open(QIODevice::WriteOnly));
    stat.write("later");
    stat.close();
    BackupWindow window(Mode::Restore, setupFor(Mode::Restore));
    window.chooseDrive(0);
    window.chooseFolder(rig.path(QStringLiteral("home/backups")));
    rig.test.prompt->enqueue({Answer::Yes, Answer::Ok});
    window.runAction();
    QVERIFY2(window.lastResult().completed(), qPrintable(window.lastResult().reason));
    QCOMPARE(asked, QList<bool>({true, false}));
    QVERIFY(stat.open(QIODevice::ReadOnly));
    QCOMPARE(stat.readAll(), QByteArray("Security Official: Dana Reyes"));
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
