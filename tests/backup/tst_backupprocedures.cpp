// Backup and restore through the injectable file operations: single and
// multi-disk flows, every prompt cancelled, every step failing, damaged
// backups; the workbook and the previous backup always survive.
#include "backup/backupset.h"
#include "backup/diskinfo.h"
#include "backup/restoreswap.h"
#include "backuprig.h"
#include "platform/database/workbookdatabase.h"

#include <QtTest>

namespace {

using Answer = Prompt::Answer;
using Outcome = ProcedureResult::Outcome;

// The fixed files (100 bytes each; Location.Fil shorter), numbered files at
// the given indexes (`size` bytes each, contents telling them apart).
void fillWorkbook(const BackupRig &rig, const QList<int> &indexes, int size = 300, char mark = 'a')
{
    for (int number = 1; number <= BackupSet::kFixedCount; ++number)
        rig.writeWorkbook(BackupSet::fixedFile(number).sourceName, QByteArray(100, char(mark + number)));
    for (int k : indexes) {
        QByteArray bytes = QByteArray::number(k) + ':' + mark;
        bytes += QByteArray(size - bytes.size(), char('A' + k % 26));
        rig.writeWorkbook(BackupSet::numberedFile(k).sourceName, bytes);
    }
    rig.writeWorkbook(QStringLiteral("Location.Fil"), "location " + QByteArray(1, mark));
}

QList<int> evenIndexes(int upTo)
{
    QList<int> list;
    for (int k = 0; k <= upTo; k += 2)
        list << k;
    return list;
}

// The backup's own files on a medium (no temporary or test files).
QMap<QString, QByteArray> backupFiles(const QString &folder)
{
    QMap<QString, QByteArray> files = BackupRig::topFiles(folder);
    files.removeIf([](const auto &it) {
        const QString &name = it.key();
        return !(name.endsWith(QStringLiteral(".hb1")) || name.endsWith(QStringLiteral(".bk1")))
            || name == QStringLiteral("Test1.hb1");
    });
    return files;
}

QMap<QString, QByteArray> userFiles(const QString &folder)
{
    QMap<QString, QByteArray> files = BackupRig::topFiles(folder);
    files.removeIf([](const auto &it) { return !BackupSet::isUserFileName(it.key()); });
    return files;
}

DiskInfo diskInfoIn(const QString &folder)
{
    QFile file(QDir(folder).filePath(DiskInfo::kFileName));
    file.open(QIODevice::ReadOnly);
    return DiskInfo::fromBytes(file.readAll());
}

const QString kSafety = QStringLiteral("Before restore 2026-12-10 09-30-05");

// The evidence folder of a workbook (or of a safety folder).
QString evidenceOf(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("Evidence"));
}

// Evidence files as the register names them, with contents a byte change
// would show; the last, without an extension, a megabyte long unless said.
QMap<QString, QByteArray> writeEvidence(const BackupRig &rig, char mark, int scanBytes = 1 << 20)
{
    QDir().mkpath(evidenceOf(rig.workbook()));
    QByteArray scan;
    for (int i = 0; i < scanBytes; ++i)
        scan += char((i * 7 + mark) & 0xff);
    const QMap<QString, QByteArray> files{{QStringLiteral("000001.pdf"), QByteArray("%PDF-1.4 ") + mark},
                                          {QStringLiteral("000002.png"), QByteArray("\x89PNG ") + mark},
                                          {QStringLiteral("000010"), scan}};
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        rig.write(evidenceOf(rig.workbook()), it.key(), it.value());
    return files;
}

} // namespace

class TestBackupProcedures : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void singleDiskRoundTrip();
    void restoreKeepsPreviousFilesAside();
    void multiDiskBackupAndRestore();
    void marksThatDoNotFitMoveTheLastFileOn();
    void targetIsTheWorkbook();
    void cancelAtEveryPrompt_data();
    void cancelAtEveryPrompt();
    void backupFailingAtEveryStep();
    void restoreFailingAtEveryStep();
    void damagedBackupRefused_data();
    void damagedBackupRefused();
    void olderBackupWithoutManifest();
    void restoreWithoutDiskOne();
    void unreadableWorkbookFileStopsBackup();
    void backupHoldsEveryFileTheProgramWrites();
    void olderBackupLeavesTheFilesItNeverHeld();
    void databaseTravelsAsASnapshot();
    void evidenceTravelsWithTheBackup();
    void evidenceGoesOnFurtherDisks();
};

void TestBackupProcedures::singleDiskRoundTrip()
{
    BackupRig rig;
    fillWorkbook(rig, {0, 5, 47, 100, 150, 162});
    rig.prompt.enqueue(Answer::Yes);
    const ProcedureResult result = rig.backup();
    QCOMPARE(result.outcome, Outcome::Completed);

    const ScriptedPrompt::Question &question = rig.prompt.questions.at(0);
    QCOMPARE(question.title, QStringLiteral("Delete Files"));
    QCOMPARE(question.text, QStringLiteral("This utility will first Delete all existing User Created Files\n"
                                           "located in Path: %1\n\nProceed?")
                                .arg(QDir::toNativeSeparators(rig.drive())));
    QCOMPARE(question.buttons, Prompt::Buttons::YesNoCancel);
    QCOMPARE(question.defaultAnswer, std::optional<Answer>(Answer::No));
    QCOMPARE(rig.prompt.questions.size(), 1);
    QCOMPARE(rig.feedback.statuses, QStringList({QStringLiteral("Deleting Old Files"),
                                                 QStringLiteral("Making User Created Files Backup Disk #1"),
                                                 QStringLiteral("Backup Complete")}));
    QCOMPARE(rig.feedback.pauses, 1);
    QCOMPARE(rig.feedback.progressMaximum, 166);
    QList<int> progress{1, 2, 3, 4, 5, 6, 7, 8};
    for (int k = 0; k <= 162; ++k)
        progress << qMin(k + 5, 166);
    QCOMPARE(rig.feedback.progress, progress);

    // Exactly the files present, under their backup names, and the marks.
    QStringList expected{QStringLiteral("Action0.hb1"), QStringLiteral("Action5.hb1"), QStringLiteral("Comment0.hb1"),
                         QStringLiteral("DRPln1.hb1"),  QStringLiteral("DiskInfo.bk1"), QStringLiteral("Gcolor3.hb1"),
                         QStringLiteral("Hinv3.hb1"),   QStringLiteral("Manifest.bk1"), QStringLiteral("Policy6.hb1"),
                         QStringLiteral("RAList.hb1"),  QStringLiteral("Stat1.hb1"),  QStringLiteral("ToDoActv.hb1"),
                         QStringLiteral("ToDoName.hb1"), QStringLiteral("Wksht9.hb1"), QStringLiteral("Location.hb1"),
                         QStringLiteral("UserWords.hb1")};
    expected.sort();
    QCOMPARE(QDir(rig.drive()).entryList(QDir::Files, QDir::Name), expected);
    const DiskInfo info = diskInfoIn(rig.drive());
    QCOMPARE(info.diskNumber, 1);
    QCOMPARE(info.record3, std::optional<int>());
    QCOMPARE(info.lastIndex, 162);
    QCOMPARE(BackupRig::topFiles(rig.drive()).value(QStringLiteral("Stat1.hb1")),
             BackupRig::topFiles(rig.workbook()).value(QStringLiteral("Stat1.Fil")));
}

void TestBackupProcedures::restoreKeepsPreviousFilesAside()
{
    BackupRig rig;
    fillWorkbook(rig, {1, 60, 162});
    rig.prompt.enqueue(Answer::Yes);
    QVERIFY(rig.backup().completed());
    const QMap<QString, QByteArray> backedUp = userFiles(rig.workbook());

    // Work goes on after the backup: a changed status file, a new entry.
    rig.writeWorkbook(QStringLiteral("Stat1.Fil"), "changed");
    rig.writeWorkbook(QStringLiteral("Action7.Fil"), "new entry");
    rig.writeWorkbook(QStringLiteral("notes.txt"), "not a user file");
    const QMap<QString, QByteArray> before = userFiles(rig.workbook());

    rig.prompt.enqueue({Answer::Yes, Answer::Ok});
    rig.prompt.questions.clear();
    rig.feedback.statuses.clear();
    const ProcedureResult result = rig.restore();
    QCOMPARE(result.outcome, Outcome::Completed);
    QVERIFY(result.workbookChanged);
    QCOMPARE(result.safetyFolder, kSafety);
    QCOMPARE(rig.prompt.titles(), QStringList({QStringLiteral("Restore Files"), QStringLiteral("Restore Complete")}));
    // Nothing said about erasing: the question names the folder that keeps
    // the replaced files, the closing message says where it is.
    const QString question = rig.prompt.questions.first().text;
    QVERIFY2(question.startsWith(QStringLiteral("Restore the backup made ")), qPrintable(question));
    QVERIFY2(question.contains(QStringLiteral("(11 files) from")), qPrintable(question));
    QVERIFY2(question.contains(QStringLiteral("kept in the folder \"%1\"").arg(kSafety)), qPrintable(question));
    QVERIFY(!question.contains(QStringLiteral("Delete"), Qt::CaseInsensitive));
    QVERIFY(rig.prompt.questions.last().text.contains(
        QDir::toNativeSeparators(QDir(rig.workbook()).filePath(kSafety))));
    QCOMPARE(rig.feedback.statuses, QStringList({QStringLiteral("Restoring User Created Files"),
                                                 QStringLiteral("Restoration Completed")}));

    // The backup's files are back; the new entry, which the backup does not
    // hold, has left the workbook but is kept, with every other previous
    // file, in the safety folder.
    QMap<QString, QByteArray> restored = backedUp;
    QCOMPARE(userFiles(rig.workbook()), restored);
    QCOMPARE(BackupRig::topFiles(QDir(rig.workbook()).filePath(kSafety)), before);
    QVERIFY(QFile::exists(QDir(rig.workbook()).filePath(QStringLiteral("notes.txt"))));
    QVERIFY(!QFile::exists(QDir(rig.workbook()).filePath(RestoreSwap::kStagingFolder)));
}

void TestBackupProcedures::multiDiskBackupAndRestore()
{
    BackupRig rig;
    // Fixed files 600 bytes, numbered files 3000 bytes at even indexes: disk 1
    // takes the fixed files, files 0-8 and its marks, but not file 10.
    fillWorkbook(rig, evenIndexes(40), 3000);
    const QMap<QString, QByteArray> original = userFiles(rig.workbook());
    rig.files.setCapacity(rig.drive(), 600 + 5 * 3000 + 2000);

    // At the disk prompt the user first clicks OK with the full disk still
    // in the drive, then inserts disk 2.
    rig.prompt.enqueue({Answer::Yes, Answer::Ok, Answer::Ok});
    int diskPrompts = 0;
    rig.prompt.onQuestion = [&](const QString &title, const QString &) {
        if (title == QStringLiteral("Backup Disk") && ++diskPrompts == 2) {
            rig.insertDisk(2);
            rig.files.setCapacity(rig.drive(), -1); // a larger disk
        }
    };
    const ProcedureResult result = rig.backup();
    QCOMPARE(result.outcome, Outcome::Completed);
    QCOMPARE(result.disksWritten, 2);
    QCOMPARE(rig.prompt.titles(),
             QStringList({QStringLiteral("Delete Files"), QStringLiteral("Backup Disk"), QStringLiteral("Backup Disk")}));
    QCOMPARE(rig.prompt.questions.at(1).text,
             QStringLiteral("Disk is Full.\nPlease Insert Backup Disk # 2\nCAUTION: Wait till Disk Drive light goes "
                            "out and Be sure New Disk is inserted before Clicking OK"));
    QCOMPARE(rig.prompt.questions.at(2).text, rig.prompt.questions.at(1).text);
    QVERIFY(rig.feedback.statuses.contains(QStringLiteral("Making User Created Files Backup Disk # 2")));
    QCOMPARE(rig.feedback.statuses.last(), QStringLiteral("Backup Complete"));

    const QString disk1 = rig.shelf(1);
    const DiskInfo first = diskInfoIn(disk1);
    QCOMPARE(first.diskNumber, 1);
    QCOMPARE(first.record3, std::optional<int>(2));
    QCOMPARE(first.lastIndex, 9); // file 10 did not fit
    QVERIFY(QFile::exists(QDir(disk1).filePath(QStringLiteral("Action8.hb1"))));
    QVERIFY(!QFile::exists(QDir(disk1).filePath(QStringLiteral("Action10.hb1"))));
    const DiskInfo second = diskInfoIn(rig.drive());
    QCOMPARE(second.diskNumber, 2);
    QCOMPARE(second.record3, std::optional<int>(2));
    QCOMPARE(second.lastIndex, 162);
    QVERIFY(QFile::exists(QDir(rig.drive()).filePath(QStringLiteral("Action10.hb1"))));

    // Restore: disk 1 first; a wrong disk at the prompt is asked for again.
    rig.insertDisk(1);
    rig.writeWorkbook(QStringLiteral("Action0.Fil"), "edited after the backup");
    rig.feedback.progress.clear();
    rig.prompt.questions.clear();
    rig.prompt.enqueue({Answer::Yes, Answer::Ok, Answer::Ok, Answer::Ok});
    int restorePrompts = 0;
    int progressAtPrompt = -1;
    rig.prompt.onQuestion = [&](const QString &title, const QString &) {
        if (title != QStringLiteral("Restore Function"))
            return;
        if (++restorePrompts == 1) {
            progressAtPrompt = rig.feedback.progress.last();
            rig.insertDisk(1); // the same disk again
        } else {
            rig.insertDisk(2);
        }
    };
    QCOMPARE(rig.restore().outcome, Outcome::Completed);
    QCOMPARE(rig.prompt.questions.at(1).text, QStringLiteral("Please insert Backup Disk # 2"));
    QCOMPARE(rig.prompt.questions.at(1).buttons, Prompt::Buttons::OkCancel);
    QCOMPARE(rig.prompt.questions.at(2).text, QStringLiteral("Please insert Backup Disk # 2"));
    // Asked after index 9 (progress 14), though there is no file 9.
    QCOMPARE(progressAtPrompt, 9 + 5);
    QMap<QString, QByteArray> expected = original;
    QCOMPARE(userFiles(rig.workbook()), expected);
}

void TestBackupProcedures::marksThatDoNotFitMoveTheLastFileOn()
{
    // File 10 does not fit, and then neither do DiskInfo.bk1 and
    // Manifest.bk1: file 8 makes room for them and goes on to disk 2.
    BackupRig rig;
    fillWorkbook(rig, evenIndexes(20), 3000);
    const QMap<QString, QByteArray> original = userFiles(rig.workbook());
    rig.files.setCapacity(rig.drive(), 600 + 5 * 3000 + 500);
    rig.prompt.enqueue({Answer::Yes, Answer::Ok});
    rig.prompt.onQuestion = [&](const QString &title, const QString &) {
        if (title == QStringLiteral("Backup Disk")) {
            rig.insertDisk(2);
            rig.files.setCapacity(rig.drive(), -1);
        }
    };
    QVERIFY(rig.backup().completed());
    QCOMPARE(diskInfoIn(rig.shelf(1)).lastIndex, 7);
    QVERIFY(!QFile::exists(QDir(rig.shelf(1)).filePath(QStringLiteral("Action8.hb1"))));
    QVERIFY(QFile::exists(QDir(rig.drive()).filePath(QStringLiteral("Action8.hb1"))));

    rig.insertDisk(1);
    rig.prompt.enqueue({Answer::Yes, Answer::Ok, Answer::Ok});
    rig.prompt.onQuestion = [&](const QString &title, const QString &) {
        if (title == QStringLiteral("Restore Function"))
            rig.insertDisk(2);
    };
    QVERIFY(rig.restore().completed());
    QMap<QString, QByteArray> expected = original;
    QCOMPARE(userFiles(rig.workbook()), expected);
}

void TestBackupProcedures::targetIsTheWorkbook()
{
    BackupRig rig;
    fillWorkbook(rig, {1});
    const QMap<QString, QByteArray> before = BackupRig::snapshot(rig.workbook());
    ProcedureEnvironment env = rig.environment();
    env.targetDir = rig.workbook() + QStringLiteral("/.");
    QCOMPARE(BackupProcedure(env).run().outcome, Outcome::NotStarted);
    QCOMPARE(RestoreProcedure(env).run().outcome, Outcome::NotStarted);
    QVERIFY(rig.prompt.questions.isEmpty());
    QCOMPARE(BackupRig::snapshot(rig.workbook()), before);
}

enum class Scenario {
    BackupQuestionNo,
    BackupQuestionCancel,
    DiskErrorCancel,
    DiskErrorOk,
    FirstDiskCancel,
    FullDiskCancel,
    RestoreQuestionNo,
    NextDiskCancel,
};
Q_DECLARE_METATYPE(Scenario)

void TestBackupProcedures::cancelAtEveryPrompt_data()
{
    QTest::addColumn<Scenario>("scenario");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("lastStatus");
    const QString terminated = QStringLiteral("Backup Terminated by User");
    const QString cancelation = QStringLiteral("Backup Proceedure Cancelation");
    QTest::newRow("backup: No to Delete Files") << Scenario::BackupQuestionNo << QStringList{"Delete Files"} << QString();
    QTest::newRow("backup: Cancel to Delete Files")
        << Scenario::BackupQuestionCancel << QStringList{"Delete Files"} << QString();
    QTest::newRow("backup: Cancel to Disk Error")
        << Scenario::DiskErrorCancel << QStringList{"Delete Files", "Disk Error"} << terminated;
    QTest::newRow("backup: OK to Disk Error")
        << Scenario::DiskErrorOk << QStringList{"Delete Files", "Disk Error"} << QStringLiteral("<hidden>");
    QTest::newRow("backup: Cancel to the first disk's prompt")
        << Scenario::FirstDiskCancel << QStringList{"Delete Files", "Backup Disk", cancelation} << terminated;
    QTest::newRow("backup: Cancel to Insert Backup Disk # 2")
        << Scenario::FullDiskCancel << QStringList{"Delete Files", "Backup Disk", cancelation} << terminated;
    QTest::newRow("restore: No to Restore Files") << Scenario::RestoreQuestionNo << QStringList{"Restore Files"} << QString();
    QTest::newRow("restore: Cancel to Insert Backup Disk # 2")
        << Scenario::NextDiskCancel << QStringList{"Restore Files", "Restore Function", "Restore Function"}
        << QStringLiteral("Restore Terminated by User");
}

void TestBackupProcedures::cancelAtEveryPrompt()
{
    QFETCH(Scenario, scenario);
    QFETCH(QStringList, titles);
    QFETCH(QString, lastStatus);

    BackupRig rig;
    // A previous two-disk backup: disk 2 on the shelf, disk 1 in the drive.
    fillWorkbook(rig, evenIndexes(40), 3000, 'p');
    rig.files.setCapacity(rig.drive(), 600 + 5 * 3000 + 2000);
    rig.prompt.enqueue({Answer::Yes, Answer::Ok});
    rig.prompt.onQuestion = [&](const QString &title, const QString &) {
        if (title == QStringLiteral("Backup Disk")) {
            rig.insertDisk(2);
            rig.files.setCapacity(rig.drive(), -1);
        }
    };
    QVERIFY(rig.backup().completed());
    rig.insertDisk(1);
    rig.prompt.onQuestion = nullptr;
    rig.prompt.questions.clear();
    rig.feedback.statuses.clear();
    const QMap<QString, QByteArray> disk1 = backupFiles(rig.drive());
    const QMap<QString, QByteArray> disk2 = backupFiles(rig.shelf(2));

    fillWorkbook(rig, evenIndexes(40), 3000, 'n'); // today's work, different
    // The previous backup takes room until the new one replaces it: the
    // new part is to reach file 8 again, not file 10.
    qint64 used = 0;
    for (const QByteArray &bytes : disk1)
        used += bytes.size();
    rig.files.setCapacity(rig.drive(), used + 600 + 5 * 3000 + 2000);
    const QMap<QString, QByteArray> workbook = BackupRig::snapshot(rig.workbook());

    ProcedureResult result;
    switch (scenario) {
    case Scenario::BackupQuestionNo:
        rig.prompt.enqueue(Answer::No);
        result = rig.backup();
        break;
    case Scenario::BackupQuestionCancel:
        rig.prompt.enqueue(Answer::Cancel);
        result = rig.backup();
        break;
    case Scenario::DiskErrorCancel:
    case Scenario::DiskErrorOk:
        rig.files.failAt(FaultyFileOperations::Op::Write, QStringLiteral("Test1.hb1"));
        rig.prompt.enqueue({Answer::Yes, scenario == Scenario::DiskErrorOk ? Answer::Ok : Answer::Cancel});
        result = rig.backup();
        QCOMPARE(rig.prompt.questions.at(1).text,
                 QStringLiteral("Unable to access Disk or Disk is Full!\nMake sure Disk is in Drive and Not Write Protected!"));
        QCOMPARE(rig.feedback.driveResets, scenario == Scenario::DiskErrorOk ? 1 : 0);
        break;
    case Scenario::FirstDiskCancel:
        rig.files.setCapacity(rig.drive(), used + 300);
        rig.prompt.enqueue({Answer::Yes, Answer::Cancel, Answer::Ok});
        result = rig.backup();
        QCOMPARE(rig.prompt.questions.at(1).text,
                 QStringLiteral("Disk is either Full, or there is not enough room\nremaining for the requested backup "
                                "files!\nPlease Insert a New Blank Formatted\nBackup Disk and then Click on OK.\n"
                                "CAUTION: Wait till Disk Drive light goes out and\nBe sure New Disk is inserted before "
                                "Clicking OK"));
        QCOMPARE(rig.prompt.questions.at(2).text,
                 QStringLiteral("You have cancelled the backup proceedure!\nThe backup files that were on this disk "
                                "have been left as they were!\nMay we suggest you initiate Backup for these files again!"));
        break;
    case Scenario::FullDiskCancel:
        rig.prompt.enqueue({Answer::Yes, Answer::Cancel, Answer::Ok});
        result = rig.backup();
        QCOMPARE(rig.prompt.questions.at(2).text,
                 QStringLiteral("You have cancelled the backup proceedure!\nBackup Disk #1 holds only the first part of "
                                "this backup; the backup files on any other disk have been left as they were!\n"
                                "May we suggest you initiate Backup for these files again!"));
        break;
    case Scenario::RestoreQuestionNo:
        rig.prompt.enqueue(Answer::No);
        result = rig.restore();
        break;
    case Scenario::NextDiskCancel:
        rig.prompt.enqueue({Answer::Yes, Answer::Cancel, Answer::Ok});
        result = rig.restore();
        QCOMPARE(rig.prompt.questions.at(2).text,
                 QStringLiteral("You have cancelled the restore!\nThe User Created Files in the program have not been "
                                "changed."));
        break;
    }
    QVERIFY(!result.completed());
    QCOMPARE(rig.prompt.titles(), titles);
    QCOMPARE(rig.feedback.statuses.isEmpty() ? QString() : rig.feedback.statuses.last(), lastStatus);
    QCOMPARE(BackupRig::snapshot(rig.workbook()), workbook);
    QVERIFY(!QFile::exists(QDir(rig.workbook()).filePath(RestoreSwap::kStagingFolder)));
    // The previous backup is whole, except where the cancelled backup said
    // it completed disk 1 with its own first part.
    if (scenario == Scenario::FullDiskCancel) {
        QCOMPARE(result.disksWritten, 1);
        QCOMPARE(backupFiles(rig.drive()).value(QStringLiteral("Action0.hb1")).mid(0, 3), QByteArray("0:n"));
    } else {
        QCOMPARE(backupFiles(rig.drive()), disk1);
    }
    QCOMPARE(backupFiles(rig.shelf(2)), disk2);
}

void TestBackupProcedures::backupFailingAtEveryStep()
{
    // Unattended (as from the command line), a failure anywhere ends the
    // backup; the medium then holds either the whole previous backup or the
    // whole new one, and the workbook is never touched.
    BackupRig rig;
    fillWorkbook(rig, {0, 3, 50, 162}, 200, 'p');
    writeEvidence(rig, 'p', 3000);
    QVERIFY(rig.backup(false).completed());
    const QMap<QString, QByteArray> previous = backupFiles(rig.drive());
    fillWorkbook(rig, {0, 4, 51, 160}, 200, 'n');
    writeEvidence(rig, 'n', 3000);
    const QMap<QString, QByteArray> workbook = BackupRig::snapshot(rig.workbook());

    // A successful run on a copy of the medium counts the steps.
    QMap<QString, QByteArray> fresh;
    int steps = 0;
    {
        BackupRig counting;
        for (auto it = workbook.cbegin(); it != workbook.cend(); ++it)
            counting.writeWorkbook(it.key(), it.value());
        for (auto it = previous.cbegin(); it != previous.cend(); ++it)
            counting.write(counting.drive(), it.key(), it.value());
        QVERIFY(counting.backup(false).completed());
        steps = counting.files.operations;
        fresh = backupFiles(counting.drive());
    }
    QVERIFY(steps > 20);
    for (int step = 1; step <= steps; ++step) {
        QDir(rig.drive()).removeRecursively();
        QDir().mkpath(rig.drive());
        for (auto it = previous.cbegin(); it != previous.cend(); ++it)
            rig.write(rig.drive(), it.key(), it.value());
        rig.files.operations = 0;
        rig.files.failOperation = step;
        const ProcedureResult result = rig.backup(false);
        const QMap<QString, QByteArray> medium = backupFiles(rig.drive());
        const QByteArray where = "failing step " + QByteArray::number(step);
        QVERIFY2(BackupRig::snapshot(rig.workbook()) == workbook, where);
        if (result.completed())
            QVERIFY2(medium == fresh, where);
        else
            QVERIFY2(medium == previous && !result.reason.isEmpty(), where);
    }
}

void TestBackupProcedures::restoreFailingAtEveryStep()
{
    BackupRig rig;
    fillWorkbook(rig, {0, 3, 50, 162}, 200, 'b');
    const QMap<QString, QByteArray> evidence = writeEvidence(rig, 'b', 3000);
    QVERIFY(rig.backup(false).completed());
    QMap<QString, QByteArray> restored = userFiles(rig.workbook());
    QDir(rig.workbook()).removeRecursively();
    QDir().mkpath(rig.workbook());
    fillWorkbook(rig, {0, 4, 51, 160}, 200, 'w');
    writeEvidence(rig, 'w', 2000);
    rig.write(evidenceOf(rig.workbook()), QStringLiteral("000012.txt"), "attached since");
    const QMap<QString, QByteArray> workbook = BackupRig::snapshot(rig.workbook());

    int steps = 0;
    {
        BackupRig counting;
        for (auto it = workbook.cbegin(); it != workbook.cend(); ++it)
            counting.writeWorkbook(it.key(), it.value());
        const QMap<QString, QByteArray> medium = backupFiles(rig.drive());
        for (auto it = medium.cbegin(); it != medium.cend(); ++it)
            counting.write(counting.drive(), it.key(), it.value());
        QVERIFY(counting.restore(false).completed());
        steps = counting.files.operations;
    }
    QVERIFY(steps > 20);
    for (int step = 1; step <= steps; ++step) {
        QDir(rig.workbook()).removeRecursively();
        QDir().mkpath(rig.workbook());
        for (auto it = workbook.cbegin(); it != workbook.cend(); ++it)
            rig.writeWorkbook(it.key(), it.value());
        rig.files.operations = 0;
        rig.files.failOperation = step;
        const ProcedureResult result = rig.restore(false);
        rig.files.failOperation = 0;
        // Whatever a failure left behind is settled when the workbook is
        // next opened.
        RestoreSwap::completeInterrupted(rig.workbook(), rig.files);
        const QByteArray where = "failing step " + QByteArray::number(step);
        QVERIFY2(!QFile::exists(QDir(rig.workbook()).filePath(RestoreSwap::kStagingFolder)), where);
        if (result.completed()) {
            QVERIFY2(userFiles(rig.workbook()) == restored, where);
            QVERIFY2(BackupRig::snapshot(evidenceOf(rig.workbook())) == evidence, where);
            QVERIFY2(BackupRig::snapshot(QDir(rig.workbook()).filePath(kSafety)) == workbook, where);
        } else {
            QVERIFY2(BackupRig::snapshot(rig.workbook()) == workbook, where);
            QVERIFY2(!result.reason.isEmpty(), where);
        }
    }
}

void TestBackupProcedures::damagedBackupRefused_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("contents"); // empty: the file is removed
    QTest::addColumn<QString>("reason");
    QTest::newRow("a byte changed") << "Action3.hb1" << QByteArray("3:b") + QByteArray(197, 'E')
                                    << "Action3.hb1 is not the file that was backed up";
    QTest::newRow("cut short") << "Stat1.hb1" << QByteArray(50, 'f') << "Stat1.hb1 is not the file that was backed up";
    QTest::newRow("a file missing") << "DRPln1.hb1" << QByteArray() << "DRPln1.hb1 is missing";
    QTest::newRow("the manifest cut short") << "Manifest.bk1" << QByteArray("Sentrivo backup manifest 1\r\nab")
                                            << "its Manifest.bk1 does not match the disk";
    QTest::newRow("DiskInfo.bk1 rewritten") << "DiskInfo.bk1" << DiskInfo{QStringLiteral("HIPAA"), 1, {}, 50}.toBytes()
                                            << "its DiskInfo.bk1 does not match the disk";
}

void TestBackupProcedures::damagedBackupRefused()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, contents);
    QFETCH(QString, reason);
    BackupRig rig;
    fillWorkbook(rig, {3, 162}, 200, 'b');
    QVERIFY(rig.backup(false).completed());
    if (contents.isEmpty())
        QVERIFY(QFile::remove(QDir(rig.drive()).filePath(file)));
    else
        rig.write(rig.drive(), file, contents);
    fillWorkbook(rig, {4}, 200, 'w');
    const QMap<QString, QByteArray> workbook = BackupRig::snapshot(rig.workbook());

    rig.prompt.enqueue({Answer::Yes, Answer::Ok});
    const ProcedureResult result = rig.restore();
    QCOMPARE(result.outcome, Outcome::Failed);
    const ScriptedPrompt::Question &message = rig.prompt.questions.last();
    QCOMPARE(message.icon, Prompt::Icon::Critical);
    QVERIFY2(message.text.contains(reason), qPrintable(message.text));
    QVERIFY(message.text.endsWith(QStringLiteral("The User Created Files in the program have not been changed.")));
    QCOMPARE(rig.feedback.statuses.last(), QStringLiteral("Restore Not Completed"));
    QCOMPARE(BackupRig::snapshot(rig.workbook()), workbook);
}

void TestBackupProcedures::olderBackupWithoutManifest()
{
    // Written by a version without manifests, in other letter cases, with
    // files of a set that was only partly there.
    BackupRig rig;
    rig.write(rig.drive(), QStringLiteral("DISKINFO.BK1"), DiskInfo{QStringLiteral("HIPAA"), 1, {}, 162}.toBytes());
    rig.write(rig.drive(), QStringLiteral("STAT1.HB1"), "statuses");
    rig.write(rig.drive(), QStringLiteral("Policy2.hb1"), "policy");
    rig.writeWorkbook(QStringLiteral("Stat1.Fil"), "today");
    rig.prompt.enqueue({Answer::Yes, Answer::Ok});
    QVERIFY(rig.restore().completed());
    QCOMPARE(userFiles(rig.workbook()),
             (QMap<QString, QByteArray>{{QStringLiteral("Stat1.Fil"), "statuses"}, {QStringLiteral("Policy2.Fil"), "policy"}}));
}

void TestBackupProcedures::restoreWithoutDiskOne()
{
    BackupRig rig;
    rig.write(rig.drive(), DiskInfo::kFileName, DiskInfo{QStringLiteral("HIPAA"), 2, 2, 162}.toBytes());
    rig.write(rig.drive(), QStringLiteral("Stat1.hb1"), "statuses");
    fillWorkbook(rig, {1});
    const QMap<QString, QByteArray> workbook = BackupRig::snapshot(rig.workbook());
    rig.prompt.enqueue(Answer::Ok);
    QCOMPARE(rig.restore().outcome, Outcome::NotStarted);
    QCOMPARE(rig.prompt.questions.size(), 1);
    QCOMPARE(rig.prompt.questions.at(0).title, QStringLiteral("Disk Error"));
    QCOMPARE(rig.prompt.questions.at(0).icon, Prompt::Icon::Critical);
    QCOMPARE(rig.prompt.questions.at(0).text, QStringLiteral("Unable to find Backup Disk #1 or Backup files!\n"
                                                             "Please insert Disk #1 into selected Drive and Try again."));
    QCOMPARE(BackupRig::snapshot(rig.workbook()), workbook);
}

void TestBackupProcedures::unreadableWorkbookFileStopsBackup()
{
    // No medium can cure a file that cannot be read: the backup stops and
    // says which, instead of asking for disk after disk.
    BackupRig rig;
    fillWorkbook(rig, {0, 9}, 200, 'p');
    QVERIFY(rig.backup(false).completed());
    const QMap<QString, QByteArray> previous = backupFiles(rig.drive());
    rig.files.failAt(FaultyFileOperations::Op::Read, QStringLiteral("Action9.Fil"));
    rig.prompt.enqueue({Answer::Yes, Answer::Ok});
    QCOMPARE(rig.backup().outcome, Outcome::Failed);
    QCOMPARE(rig.prompt.titles(), QStringList({QStringLiteral("Delete Files"), QStringLiteral("Backup Error")}));
    QVERIFY(rig.prompt.questions.last().text.contains(QStringLiteral("Unable to read Action9.Fil")));
    QCOMPARE(backupFiles(rig.drive()), previous);
}

void TestBackupProcedures::backupHoldsEveryFileTheProgramWrites()
{
    // Every file the program writes in a workbook (the README's table), with
    // its name on the medium, written here independently of the backup set.
    QMap<QString, QString> written{
        {QStringLiteral("TODONAME.Fil"), QStringLiteral("ToDoName.hb1")},
        {QStringLiteral("GColor3.Fil"), QStringLiteral("Gcolor3.hb1")},
        {QStringLiteral("TODOActv.FIL"), QStringLiteral("ToDoActv.hb1")},
        {QStringLiteral("HINV3.Fil"), QStringLiteral("Hinv3.hb1")},
        {QStringLiteral("Stat1.Fil"), QStringLiteral("Stat1.hb1")},
        {QStringLiteral("RAList.Fil"), QStringLiteral("RAList.hb1")},
        {QStringLiteral("Location.Fil"), QStringLiteral("Location.hb1")},
        {QStringLiteral("UserWords.Fil"), QStringLiteral("UserWords.hb1")},
        {QStringLiteral("DRPln1.Fil"), QStringLiteral("DRPln1.hb1")},
    };
    for (int n = 0; n <= 46; ++n) {
        for (const QString &stem : {QStringLiteral("Action"), QStringLiteral("Comment"), QStringLiteral("Policy")})
            written.insert(stem + QString::number(n) + QStringLiteral(".Fil"), stem + QString::number(n) + QStringLiteral(".hb1"));
    }
    for (int n = 0; n <= 20; ++n)
        written.insert(QStringLiteral("Wksht%1.Fil").arg(n), QStringLiteral("Wksht%1.hb1").arg(n));

    // The database has a test of its own (it travels as a snapshot).
    written.insert(QStringLiteral("Evidence/000001.pdf"), QStringLiteral("Evidence-000001.pdf.hb1"));

    BackupRig rig;
    for (auto it = written.cbegin(); it != written.cend(); ++it)
        rig.writeWorkbook(it.key(), "the content of " + it.key().toUtf8());
    const QMap<QString, QByteArray> workbook = BackupRig::snapshot(rig.workbook());
    QCOMPARE(workbook.size(), written.size());
    QVERIFY(rig.backup(false).completed());

    const QMap<QString, QByteArray> medium = BackupRig::topFiles(rig.drive());
    for (auto it = written.cbegin(); it != written.cend(); ++it)
        QVERIFY2(medium.value(it.value()) == workbook.value(it.key()), qPrintable(it.key()));
    QCOMPARE(medium.size(), written.size() + 2); // and DiskInfo.bk1, Manifest.bk1

    // Restored into an emptied workbook, every one comes back.
    QDir(rig.workbook()).removeRecursively();
    QDir().mkpath(rig.workbook());
    QVERIFY(rig.restore(false).completed());
    QCOMPARE(BackupRig::snapshot(rig.workbook()), workbook);
}

void TestBackupProcedures::olderBackupLeavesTheFilesItNeverHeld()
{
    // Backups made before Location.Fil and UserWords.Fil joined the set: a
    // restore brings their files back and leaves the dictionary and the
    // locations as they are, instead of setting them aside for nothing.
    BackupRig rig;
    rig.write(rig.drive(), DiskInfo::kFileName, DiskInfo{QStringLiteral("HIPAA"), 1, {}, 162}.toBytes());
    rig.write(rig.drive(), QStringLiteral("Stat1.hb1"), "statuses");
    rig.writeWorkbook(QStringLiteral("Stat1.Fil"), "today");
    rig.writeWorkbook(QStringLiteral("UserWords.Fil"), "Sentrivo\r\nePHI\r\n");
    rig.writeWorkbook(QStringLiteral("Location.Fil"), "\" \"\r\n");
    rig.writeWorkbook(QStringLiteral("Action3.Fil"), "written after the backup");
    QVERIFY(rig.restore(false).completed());
    QCOMPARE(userFiles(rig.workbook()), (QMap<QString, QByteArray>{{QStringLiteral("Stat1.Fil"), "statuses"},
                                                                 {QStringLiteral("UserWords.Fil"), "Sentrivo\r\nePHI\r\n"},
                                                                 {QStringLiteral("Location.Fil"), "\" \"\r\n"}}));
    QCOMPARE(userFiles(QDir(rig.workbook()).filePath(kSafety)),
             (QMap<QString, QByteArray>{{QStringLiteral("Stat1.Fil"), "today"},
                                        {QStringLiteral("Action3.Fil"), "written after the backup"}}));

    // A backup that holds them replaces them, the replaced copies kept.
    rig.writeWorkbook(QStringLiteral("UserWords.Fil"), "Sentrivo\r\n");
    QVERIFY(rig.backup(false).completed());
    rig.writeWorkbook(QStringLiteral("UserWords.Fil"), "Sentrivo\r\nHIPAA\r\n");
    ProcedureEnvironment env = rig.environment(false);
    env.now = [] { return QDateTime(QDate(2026, 12, 11), QTime(9, 0, 0)); };
    QVERIFY(RestoreProcedure(env).run().completed());
    QCOMPARE(userFiles(rig.workbook()).value(QStringLiteral("UserWords.Fil")), QByteArray("Sentrivo\r\n"));
    QCOMPARE(userFiles(QDir(rig.workbook()).filePath(QStringLiteral("Before restore 2026-12-11 09-00-00")))
                 .value(QStringLiteral("UserWords.Fil")),
             QByteArray("Sentrivo\r\nHIPAA\r\n"));
}

void TestBackupProcedures::databaseTravelsAsASnapshot()
{
    BackupRig rig;
    fillWorkbook(rig, {2});
    {
        WorkbookDatabase database{Workbook(rig.workbook())};
        QCOMPARE(database.open().outcome, WorkbookDatabase::OpenOutcome::Created);
        QVERIFY(database.setSetting(QStringLiteral("organization"), QStringLiteral("Northside Clinic")));
    }
    QVERIFY(rig.backup(false).completed());
    const QString copy = QDir(rig.drive()).filePath(QStringLiteral("Workbook.sqlite.hb1"));
    QVERIFY(QFile::exists(copy));
    QVERIFY(BackupRig::topFiles(rig.drive()).value(QStringLiteral("Manifest.bk1")).contains("Workbook.sqlite.hb1"));

    // Work goes on: the database changes, and the program left a journal.
    {
        WorkbookDatabase database{Workbook(rig.workbook())};
        QCOMPARE(database.open().outcome, WorkbookDatabase::OpenOutcome::Opened);
        QVERIFY(database.setSetting(QStringLiteral("organization"), QStringLiteral("Northside Clinic LLC")));
    }
    rig.writeWorkbook(QStringLiteral("Workbook.sqlite-journal"), QByteArray(512, 'j'));
    const QByteArray newer = BackupRig::topFiles(rig.workbook()).value(QStringLiteral("Workbook.sqlite"));

    QVERIFY(rig.restore(false).completed());
    {
        WorkbookDatabase database{Workbook(rig.workbook())};
        QCOMPARE(database.open().outcome, WorkbookDatabase::OpenOutcome::Opened);
        QCOMPARE(database.setting(QStringLiteral("organization")), QStringLiteral("Northside Clinic"));
    }
    // The newer database, with its journal, is kept whole in the safety folder.
    const QString safety = QDir(rig.workbook()).filePath(kSafety);
    QCOMPARE(BackupRig::topFiles(safety).value(QStringLiteral("Workbook.sqlite")), newer);
    QVERIFY(QFile::exists(QDir(safety).filePath(QStringLiteral("Workbook.sqlite-journal"))));
    QVERIFY(!QFile::exists(QDir(rig.workbook()).filePath(QStringLiteral("Workbook.sqlite-journal"))));

    // A damaged copy on the medium is refused before the workbook changes.
    QFile file(copy);
    QVERIFY(file.open(QIODevice::ReadWrite));
    file.seek(200);
    file.write("x");
    file.close();
    const QMap<QString, QByteArray> before = BackupRig::snapshot(rig.workbook());
    ProcedureEnvironment env = rig.environment(false);
    env.now = [] { return QDateTime(QDate(2026, 12, 11), QTime(9, 0, 0)); };
    const ProcedureResult result = RestoreProcedure(env).run();
    QCOMPARE(result.outcome, Outcome::Failed);
    QVERIFY2(result.reason.contains(QStringLiteral("Workbook.sqlite.hb1")), qPrintable(result.reason));
    QCOMPARE(BackupRig::snapshot(rig.workbook()), before);

    // A backup made before the database existed leaves it where it is.
    QDir(rig.drive()).removeRecursively();
    QDir().mkpath(rig.drive());
    rig.write(rig.drive(), DiskInfo::kFileName, DiskInfo{QStringLiteral("HIPAA"), 1, {}, 162}.toBytes());
    rig.write(rig.drive(), QStringLiteral("Stat1.hb1"), "statuses");
    const QByteArray current = BackupRig::topFiles(rig.workbook()).value(QStringLiteral("Workbook.sqlite"));
    QVERIFY(RestoreProcedure(env).run().completed());
    QCOMPARE(BackupRig::topFiles(rig.workbook()).value(QStringLiteral("Workbook.sqlite")), current);
}

// The register's evidence files are part of the set: only the files the
// program named, back byte for byte, the folder they replace kept whole.
void TestBackupProcedures::evidenceTravelsWithTheBackup()
{
    BackupRig rig;
    fillWorkbook(rig, {2, 162});
    const QMap<QString, QByteArray> evidence = writeEvidence(rig, 'e');
    // Not the program's: another name, a sub-folder, a link out of the folder.
    const QString folder = evidenceOf(rig.workbook());
    rig.write(folder, QStringLiteral("notes.txt"), "the user's own");
    rig.write(folder, QStringLiteral("000003.PDF"), "renamed by hand");
    QDir(folder).mkpath(QStringLiteral("000004"));
    rig.write(rig.root.path(), QStringLiteral("outside.pdf"), "outside the workbook");
    QVERIFY(QFile::link(QDir(rig.root.path()).filePath(QStringLiteral("outside.pdf")),
                        QDir(folder).filePath(QStringLiteral("000005.pdf"))));
    const QMap<QString, QByteArray> before = BackupRig::snapshot(folder);

    QVERIFY(rig.backup(false).completed());
    QStringList onMedium = QDir(rig.drive()).entryList({QStringLiteral("Evidence*")}, QDir::Files, QDir::Name);
    QCOMPARE(onMedium, QStringList({QStringLiteral("Evidence-000001.pdf.hb1"), QStringLiteral("Evidence-000002.png.hb1"),
                                    QStringLiteral("Evidence-000010.hb1")}));
    const QByteArray manifest = BackupRig::topFiles(rig.drive()).value(QStringLiteral("Manifest.bk1"));
    for (const QString &name : onMedium)
        QVERIFY2(manifest.contains(name.toUtf8()), qPrintable(name));
    QCOMPARE(diskInfoIn(rig.drive()).lastIndex, 162);

    // Work goes on: one file removed, one changed, one added.
    QFile::remove(QDir(folder).filePath(QStringLiteral("000001.pdf")));
    rig.write(folder, QStringLiteral("000002.png"), "changed");
    rig.write(folder, QStringLiteral("000011.pdf"), "added after the backup");
    const QMap<QString, QByteArray> changed = BackupRig::snapshot(folder);

    rig.prompt.enqueue({Answer::Yes, Answer::Ok});
    QVERIFY(rig.restore().completed());
    QVERIFY2(rig.prompt.questions.first().text.contains(QStringLiteral("(13 files) from")),
             qPrintable(rig.prompt.questions.first().text));
    QCOMPARE(BackupRig::snapshot(folder), evidence);
    QCOMPARE(BackupRig::snapshot(evidenceOf(QDir(rig.workbook()).filePath(kSafety))), changed);
    QVERIFY(!QFile::exists(QDir(rig.workbook()).filePath(RestoreSwap::kStagingFolder)));
    QVERIFY(before.contains(QStringLiteral("notes.txt")));

    // A damaged evidence file on the medium is refused before anything moves.
    rig.write(rig.drive(), QStringLiteral("Evidence-000010.hb1"), "no extension f");
    const QMap<QString, QByteArray> workbook = BackupRig::snapshot(rig.workbook());
    ProcedureEnvironment env = rig.environment(false);
    env.now = [] { return QDateTime(QDate(2026, 12, 11), QTime(9, 0, 0)); };
    ProcedureResult result = RestoreProcedure(env).run();
    QCOMPARE(result.outcome, Outcome::Failed);
    QVERIFY2(result.reason.contains(QStringLiteral("Evidence-000010.hb1 is not the file that was backed up")),
             qPrintable(result.reason));
    QCOMPARE(BackupRig::snapshot(rig.workbook()), workbook);
    // One the manifest does not list has no place in the backup.
    rig.write(rig.drive(), QStringLiteral("Evidence-000010.hb1"), evidence.value(QStringLiteral("000010")));
    rig.write(rig.drive(), QStringLiteral("Evidence-000099.pdf.hb1"), "slipped in");
    QVERIFY(RestoreProcedure(env).run().completed());
    QCOMPARE(BackupRig::snapshot(folder), evidence);

    // A backup without evidence files (made before they joined the set)
    // leaves the workbook's folder where it is.
    QDir(rig.drive()).removeRecursively();
    QDir().mkpath(rig.drive());
    rig.write(rig.drive(), DiskInfo::kFileName, DiskInfo{QStringLiteral("HIPAA"), 1, {}, 162}.toBytes());
    rig.write(rig.drive(), QStringLiteral("Stat1.hb1"), "statuses");
    env.now = [] { return QDateTime(QDate(2026, 12, 12), QTime(9, 0, 0)); };
    QVERIFY(RestoreProcedure(env).run().completed());
    QCOMPARE(BackupRig::snapshot(folder), evidence);
}

// Evidence files that do not fit beside the numbered files go on further
// disks, and a restore asks for each of them.
void TestBackupProcedures::evidenceGoesOnFurtherDisks()
{
    BackupRig rig;
    fillWorkbook(rig, {0, 162}, 300);
    const QMap<QString, QByteArray> evidence = writeEvidence(rig, 'm');
    const QMap<QString, QByteArray> workbook = userFiles(rig.workbook());
    // Disk 1 takes the small files, disk 2 the megabyte scan.
    rig.files.setCapacity(rig.drive(), 8 * 100 + 2 * 300 + 3000);
    rig.prompt.enqueue({Answer::Yes, Answer::Ok});
    rig.prompt.onQuestion = [&](const QString &title, const QString &) {
        if (title != QStringLiteral("Backup Disk"))
            return;
        rig.insertDisk(2);
        rig.files.setCapacity(rig.drive(), -1);
    };
    const ProcedureResult result = rig.backup();
    QVERIFY2(result.completed(), qPrintable(result.reason));
    QCOMPARE(result.disksWritten, 2);
    const DiskInfo first = diskInfoIn(rig.shelf(1));
    QCOMPARE(first.record3, std::optional<int>(2));
    QCOMPARE(first.lastIndex, 164); // the numbered files and two evidence files
    QVERIFY(QFile::exists(QDir(rig.shelf(1)).filePath(QStringLiteral("Evidence-000002.png.hb1"))));
    const DiskInfo last = diskInfoIn(rig.drive());
    QCOMPARE(last.diskNumber, 2);
    QCOMPARE(last.record3, std::optional<int>(2));
    QCOMPARE(last.lastIndex, 162);
    QCOMPARE(QDir(rig.drive()).entryList({QStringLiteral("*.hb1")}, QDir::Files),
             QStringList({QStringLiteral("Evidence-000010.hb1")}));

    QDir(rig.workbook()).removeRecursively();
    QDir().mkpath(rig.workbook());
    rig.insertDisk(1);
    rig.prompt.questions.clear();
    rig.prompt.enqueue({Answer::Yes, Answer::Ok, Answer::Ok});
    rig.prompt.onQuestion = [&](const QString &title, const QString &) {
        if (title == QStringLiteral("Restore Function"))
            rig.insertDisk(2);
    };
    QVERIFY(rig.restore().completed());
    QCOMPARE(rig.prompt.titles(), QStringList({QStringLiteral("Restore Files"), QStringLiteral("Restore Function"),
                                               QStringLiteral("Restore Complete")}));
    QVERIFY2(rig.prompt.questions.first().text.contains(QStringLiteral("continued on further disks")),
             qPrintable(rig.prompt.questions.first().text));
    QCOMPARE(userFiles(rig.workbook()), workbook);
    QCOMPARE(BackupRig::snapshot(evidenceOf(rig.workbook())), evidence);

    // From the command line only a single disk is read.
    rig.insertDisk(1);
    const ProcedureResult single = rig.restore(false);
    QCOMPARE(single.outcome, Outcome::Failed);
    QVERIFY2(single.reason.contains(QStringLiteral("continues on Backup Disk # 2")), qPrintable(single.reason));
}

QTEST_GUILESS_MAIN(TestBackupProcedures)
#include "tst_backupprocedures.moc"
