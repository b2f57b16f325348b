// A restore killed (SIGKILL) at several points, from copying the backup to
// the middle of putting it in place: the workbook is whole afterwards, with
// either every previous file or every restored one. A backup killed while it
// replaces the one on a medium, or writes a new set, leaves the previous
// backup restorable.
#include "backup/backupset.h"
#include "backup/restoreswap.h"
#include "backuprig.h"

#include "backup/generations.h"

#include <QProcess>
#include <QtTest>

namespace {

QMap<QString, QByteArray> userFiles(const QString &folder)
{
    QMap<QString, QByteArray> files = BackupRig::topFiles(folder);
    files.removeIf([](const auto &it) { return !BackupSet::isUserFileName(it.key()); });
    return files;
}

void fill(const BackupRig &rig, char mark)
{
    for (int number = 1; number <= BackupSet::kFixedCount; ++number)
        rig.writeWorkbook(BackupSet::fixedFile(number).sourceName, QByteArray(64, char(mark + number)));
    for (int k = 0; k <= BackupSet::kLastIndex; k += 7)
        rig.writeWorkbook(BackupSet::numberedFile(k).sourceName, QByteArray::number(k) + QByteArray(500, mark));
    rig.writeWorkbook(QStringLiteral("Location.Fil"), QByteArray(1, mark));
    rig.writeWorkbook(QStringLiteral("Evidence/000001.pdf"), QByteArray(700, mark));
    rig.writeWorkbook(QStringLiteral("Evidence/000002.png"), QByteArray(1, mark));
}

QMap<QString, QByteArray> evidenceIn(const QString &folder)
{
    return BackupRig::snapshot(QDir(folder).filePath(QStringLiteral("Evidence")));
}

} // namespace

class TestBackupKill : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void killedRestoreLeavesWorkbookWhole_data();
    void killedRestoreLeavesWorkbookWhole();
    void killedBackupLeavesABackup_data();
    void killedBackupLeavesABackup();

private:
    // The operations of an undisturbed restore, in order.
    QList<QPair<FaultyFileOperations::Op, QString>> operationsOfRestore();
};

QList<QPair<FaultyFileOperations::Op, QString>> TestBackupKill::operationsOfRestore()
{
    BackupRig rig;
    fill(rig, 'b');
    [&] { QVERIFY(rig.backup(false).completed()); }();
    fill(rig, 'w');
    QList<QPair<FaultyFileOperations::Op, QString>> operations;
    rig.files.beforeOperation = [&](FaultyFileOperations::Op op, const QString &path) {
        operations.append({op, QDir(rig.root.path()).relativeFilePath(path)});
    };
    [&] { QVERIFY(rig.restore(false).completed()); }();
    return operations;
}

void TestBackupKill::killedRestoreLeavesWorkbookWhole_data()
{
    using Op = FaultyFileOperations::Op;
    const auto operations = operationsOfRestore();
    const auto find = [&](Op op, const QString &pathPart, int skip) {
        for (int i = 0; i < operations.size(); ++i) {
            if (operations.at(i).first == op && operations.at(i).second.contains(pathPart) && skip-- == 0)
                return i + 1; // operations are counted from 1
        }
        return -1;
    };
    const QString staging = RestoreSwap::kStagingFolder;
    QTest::addColumn<int>("stopAt");
    QTest::addColumn<bool>("replaced"); // the restore had passed the point of no return
    QTest::newRow("copying the backup") << find(Op::Write, staging + QStringLiteral("/Action"), 5) << false;
    QTest::newRow("checks done, nothing moved") << find(Op::MakeFolder, QStringLiteral("Before restore"), 0) << false;
    QTest::newRow("previous files half set aside") << find(Op::Rename, QStringLiteral("workbook/"), 8) << true;
    QTest::newRow("the evidence folder next to go aside") << find(Op::Rename, QStringLiteral("workbook/Evidence"), 0) << true;
    QTest::newRow("restored files half in place") << find(Op::Rename, staging, 10) << true;
    QTest::newRow("the restored evidence next to come in") << find(Op::Rename, staging + QStringLiteral("/Evidence"), 0)
                                                           << true;
    QTest::newRow("tidying up") << find(Op::RemoveFolder, staging, 1) << true;
}

void TestBackupKill::killedRestoreLeavesWorkbookWhole()
{
    QFETCH(int, stopAt);
    QFETCH(bool, replaced);
    QVERIFY(stopAt > 0);

    BackupRig rig;
    fill(rig, 'b');
    QVERIFY(rig.backup(false).completed());
    QMap<QString, QByteArray> restored = userFiles(rig.workbook());
    const QMap<QString, QByteArray> restoredEvidence = evidenceIn(rig.workbook());
    fill(rig, 'w');
    rig.writeWorkbook(QStringLiteral("Action1.Fil"), "only in the workbook");
    rig.writeWorkbook(QStringLiteral("Evidence/000003.txt"), "attached since");
    const QMap<QString, QByteArray> previous = userFiles(rig.workbook());
    const QMap<QString, QByteArray> previousEvidence = evidenceIn(rig.workbook());

    const QString marker = rig.root.filePath(QStringLiteral("stopped"));
    QProcess helper;
    helper.start(QCoreApplication::applicationDirPath() + QStringLiteral("/backup_restore_helper"),
                 {rig.workbook(), rig.drive(), marker, QString::number(stopAt)});
    QVERIFY(helper.waitForStarted());
    QVERIFY2(QTest::qWaitFor([&] { return QFile::exists(marker) || helper.state() == QProcess::NotRunning; }, 120000),
             "the helper never reached its stop");
    QVERIFY2(QFile::exists(marker), helper.readAllStandardError().constData());
    helper.kill(); // SIGKILL
    QVERIFY(helper.waitForFinished());
    QCOMPARE(helper.exitStatus(), QProcess::CrashExit);

    if (!replaced)
        QCOMPARE(userFiles(rig.workbook()), previous);
    // The next opening of the workbook settles what the kill left.
    RestoreSwap::completeInterrupted(rig.workbook(), rig.files);
    QVERIFY(!QFile::exists(QDir(rig.workbook()).filePath(RestoreSwap::kStagingFolder)));
    const QStringList safety = QDir(rig.workbook()).entryList({QStringLiteral("Before restore *")}, QDir::Dirs);
    if (replaced) {
        QCOMPARE(userFiles(rig.workbook()), restored);
        QCOMPARE(evidenceIn(rig.workbook()), restoredEvidence);
        QCOMPARE(safety.size(), 1);
        QCOMPARE(userFiles(QDir(rig.workbook()).filePath(safety.first())), previous);
        QCOMPARE(evidenceIn(QDir(rig.workbook()).filePath(safety.first())), previousEvidence);
    } else {
        QCOMPARE(userFiles(rig.workbook()), previous);
        QCOMPARE(evidenceIn(rig.workbook()), previousEvidence);
    }
}

void TestBackupKill::killedBackupLeavesABackup_data()
{
    using Op = FaultyFileOperations::Op;
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("pathPart");
    QTest::addColumn<int>("skip");
    // On a medium: the previous backup's DiskInfo.bk1 set aside, the new
    // files half in place, the new DiskInfo.bk1 about to go in.
    QTest::newRow("medium: DiskInfo.bk1 set aside") << "backup" << int(Op::Rename) << "Action0.hb1" << 0;
    QTest::newRow("medium: new files half in") << "backup" << int(Op::Rename) << ".hb1.new" << 3;
    QTest::newRow("medium: the new DiskInfo.bk1 next") << "backup" << int(Op::Rename) << "DiskInfo.bk1.new" << 0;
    // A set: written, about to be named.
    QTest::newRow("set: written, not yet named") << "set" << int(Op::Rename) << ".incomplete" << 0;
    QTest::newRow("set: half written") << "set" << int(Op::Write) << ".incomplete/Action" << 4;
}

void TestBackupKill::killedBackupLeavesABackup()
{
    QFETCH(QString, mode);
    QFETCH(int, op);
    QFETCH(QString, pathPart);
    QFETCH(int, skip);

    BackupRig rig;
    fill(rig, 'b');
    ProcedureEnvironment env = rig.environment(false);
    env.now = [] { return QDateTime(QDate(2026, 12, 1), QTime(8, 0, 0)); };
    QVERIFY(mode == QStringLiteral("set") ? BackupGenerations::backUp(env, 1).completed() : rig.backup(false).completed());
    const QMap<QString, QByteArray> older = userFiles(rig.workbook());
    fill(rig, 'w');
    const QMap<QString, QByteArray> newer = userFiles(rig.workbook());

    // Where the undisturbed backup would pass the step.
    int stopAt = -1;
    {
        BackupRig dry;
        fill(dry, 'b');
        ProcedureEnvironment dryEnv = dry.environment(false);
        dryEnv.now = env.now;
        QVERIFY(mode == QStringLiteral("set") ? BackupGenerations::backUp(dryEnv, 1).completed() : dry.backup(false).completed());
        int count = 0;
        int left = skip;
        dry.files.beforeOperation = [&](FaultyFileOperations::Op seen, const QString &path) {
            ++count;
            if (stopAt < 0 && int(seen) == op && path.contains(pathPart) && left-- == 0)
                stopAt = count;
        };
        dryEnv.now = [] { return QDateTime(QDate(2026, 12, 2), QTime(8, 0, 0)); };
        QVERIFY(mode == QStringLiteral("set") ? BackupGenerations::backUp(dryEnv, 1).completed() : dry.backup(false).completed());
    }
    QVERIFY(stopAt > 0);

    const QString marker = rig.root.filePath(QStringLiteral("stopped"));
    QProcess helper;
    helper.start(QCoreApplication::applicationDirPath() + QStringLiteral("/backup_restore_helper"),
                 {rig.workbook(), rig.drive(), marker, QString::number(stopAt), mode});
    QVERIFY(helper.waitForStarted());
    QVERIFY2(QTest::qWaitFor([&] { return QFile::exists(marker) || helper.state() == QProcess::NotRunning; }, 120000),
             "the helper never reached its stop");
    QVERIFY2(QFile::exists(marker), helper.readAllStandardError().constData());
    helper.kill();
    QVERIFY(helper.waitForFinished());

    // The medium still restores: the previous backup, whole.
    const BackupGenerations::Source source = BackupGenerations::restoreSource(rig.drive(), QString(), rig.files);
    QVERIFY2(source.error.isEmpty(), qPrintable(source.error));
    ProcedureEnvironment restoreEnv = rig.environment(false);
    restoreEnv.targetDir = source.folder;
    const ProcedureResult result = RestoreProcedure(restoreEnv).run();
    QVERIFY2(result.completed(), qPrintable(result.reason));
    QCOMPARE(userFiles(rig.workbook()), older);
    QCOMPARE(userFiles(QDir(rig.workbook()).filePath(result.safetyFolder)), newer);
}

QTEST_GUILESS_MAIN(TestBackupKill)
#include "tst_backupkill.moc"
