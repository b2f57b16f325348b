// Backup generations: dated sets beside each other, the newest restored
// unless one is named, pruning only after a complete and verified set, and
// manifests that sha256sum checks.
#include "backup/backupset.h"
#include "backup/generations.h"
#include "backuprig.h"

#include <QProcess>
#include <QtTest>

namespace {

using Outcome = ProcedureResult::Outcome;

void fillWorkbook(const BackupRig &rig, char mark)
{
    for (int number = 1; number <= BackupSet::kFixedCount; ++number)
        rig.writeWorkbook(BackupSet::fixedFile(number).sourceName, QByteArray(90 + number, mark));
    for (int k : {0, 9, 48, 120, 162})
        rig.writeWorkbook(BackupSet::numberedFile(k).sourceName, QByteArray::number(k) + QByteArray(700, mark));
}

QMap<QString, QByteArray> userFiles(const QString &folder)
{
    QMap<QString, QByteArray> files = BackupRig::topFiles(folder);
    files.removeIf([](const auto &it) { return !BackupSet::isUserFileName(it.key()); });
    return files;
}

QDateTime at(int day, int hour = 9)
{
    return QDateTime(QDate(2026, 12, day), QTime(hour, 30, 5));
}

ProcedureResult backUpAt(BackupRig &rig, const QDateTime &when, int keep = BackupGenerations::kDefaultKeep)
{
    ProcedureEnvironment env = rig.environment(false);
    env.now = [when] { return when; };
    return BackupGenerations::backUp(env, keep);
}

ProcedureResult restoreSet(BackupRig &rig, const QString &name, const QDateTime &when)
{
    const BackupGenerations::Source source = BackupGenerations::restoreSource(rig.drive(), name, rig.files);
    if (!source.error.isEmpty()) {
        ProcedureResult refused;
        refused.reason = source.error;
        return refused;
    }
    ProcedureEnvironment env = rig.environment(false);
    env.targetDir = source.folder;
    env.now = [when] { return when; };
    return RestoreProcedure(env).run();
}

QStringList namesOfSets(const QString &folder, FileOperations &files)
{
    QStringList names;
    for (const BackupGenerations::SetInfo &set : BackupGenerations::listSets(folder, files))
        names << set.name;
    return names;
}

} // namespace

class TestBackupGenerations : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void setNames_data();
    void setNames();
    void backupTwiceRestoreOlderThenNewer();
    void pruneKeepsTheLastSets();
    void failedBackupLeavesEverySet();
    void restoreTakesTheNewestSetThatVerifies();
    void sha256sumChecksASet();
};

void TestBackupGenerations::setNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isSet");
    QTest::newRow("a set") << "Sentrivo backup 2026-12-10 093005" << true;
    QTest::newRow("no seconds") << "Sentrivo backup 2026-12-10 0930" << false;
    QTest::newRow("not a date") << "Sentrivo backup 2026-13-40 093005" << false;
    QTest::newRow("a set being written") << ".Sentrivo backup 2026-12-10 093005.incomplete" << false;
    QTest::newRow("something after") << "Sentrivo backup 2026-12-10 093005 copy" << false;
    QTest::newRow("a safety folder") << "Before restore 2026-12-10 09-30-05" << false;
}

void TestBackupGenerations::setNames()
{
    QFETCH(QString, name);
    QFETCH(bool, isSet);
    QCOMPARE(BackupGenerations::dateOfSetName(name).has_value(), isSet);
    if (isSet)
        QCOMPARE(BackupGenerations::setName(*BackupGenerations::dateOfSetName(name)), name);
}

void TestBackupGenerations::backupTwiceRestoreOlderThenNewer()
{
    BackupRig rig;
    fillWorkbook(rig, 'a');
    const QMap<QString, QByteArray> older = userFiles(rig.workbook());
    ProcedureResult result = backUpAt(rig, at(1));
    QVERIFY2(result.completed(), qPrintable(result.reason));
    QCOMPARE(result.setName, QStringLiteral("Sentrivo backup 2026-12-01 093005"));

    fillWorkbook(rig, 'b');
    rig.writeWorkbook(QStringLiteral("Action30.Fil"), "a new entry");
    const QMap<QString, QByteArray> newer = userFiles(rig.workbook());
    QVERIFY(backUpAt(rig, at(2)).completed());

    // Both sets, newest first, each whole.
    const QList<BackupGenerations::SetInfo> sets = BackupGenerations::listSets(rig.drive(), rig.files);
    QCOMPARE(sets.size(), 2);
    QCOMPARE(sets.at(0).name, QStringLiteral("Sentrivo backup 2026-12-02 093005"));
    QCOMPARE(sets.at(0).made, at(2));
    QCOMPARE(sets.at(0).fileCount, newer.size());
    QCOMPARE(sets.at(1).fileCount, older.size());
    QVERIFY(sets.at(0).verifies && sets.at(1).verifies);
    qint64 bytes = 0;
    for (const QFileInfo &info : QDir(sets.at(1).path).entryInfoList(QDir::Files))
        bytes += info.size();
    QCOMPARE(sets.at(1).size, bytes);
    // Nothing else was written beside them.
    QCOMPARE(QDir(rig.drive()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2);

    result = restoreSet(rig, sets.at(1).name, at(3));
    QVERIFY2(result.completed(), qPrintable(result.reason));
    QCOMPARE(userFiles(rig.workbook()), older);
    result = restoreSet(rig, QString(), at(4)); // the newest
    QVERIFY2(result.completed(), qPrintable(result.reason));
    QCOMPARE(userFiles(rig.workbook()), newer);
    // Each restore kept what it replaced.
    QCOMPARE(userFiles(QDir(rig.workbook()).filePath(QStringLiteral("Before restore 2026-12-03 09-30-05"))), newer);
    QCOMPARE(userFiles(QDir(rig.workbook()).filePath(QStringLiteral("Before restore 2026-12-04 09-30-05"))), older);
}

void TestBackupGenerations::pruneKeepsTheLastSets()
{
    BackupRig rig;
    fillWorkbook(rig, 'a');
    for (int day = 1; day <= 5; ++day) {
        const ProcedureResult result = backUpAt(rig, at(day), 3);
        QVERIFY(result.completed());
        QCOMPARE(result.setsRemoved.size(), day > 3 ? 1 : 0);
    }
    QCOMPARE(namesOfSets(rig.drive(), rig.files),
             QStringList({QStringLiteral("Sentrivo backup 2026-12-05 093005"), QStringLiteral("Sentrivo backup 2026-12-04 093005"),
                          QStringLiteral("Sentrivo backup 2026-12-03 093005")}));
    // Other folders and files in the backup folder are never touched.
    QDir(rig.drive()).mkdir(QStringLiteral("Sentrivo backup notes"));
    rig.write(rig.drive(), QStringLiteral("readme.txt"), "mine");
    QVERIFY(backUpAt(rig, at(6), 1).completed());
    QCOMPARE(namesOfSets(rig.drive(), rig.files), QStringList({QStringLiteral("Sentrivo backup 2026-12-06 093005")}));
    QVERIFY(QDir(rig.drive()).exists(QStringLiteral("Sentrivo backup notes")));
    QVERIFY(QFile::exists(QDir(rig.drive()).filePath(QStringLiteral("readme.txt"))));
}

void TestBackupGenerations::failedBackupLeavesEverySet()
{
    BackupRig rig;
    fillWorkbook(rig, 'a');
    QVERIFY(backUpAt(rig, at(1), 1).completed());
    const QMap<QString, QByteArray> before = BackupRig::snapshot(rig.drive());

    // Failing at any single step, the new set never appears unless it is
    // complete, and the set kept so far is whole: pruning comes last.
    const QString newSet = QDir(rig.drive()).filePath(QStringLiteral("Sentrivo backup 2026-12-02 093005"));
    int failedRuns = 0;
    for (int step = 1;; ++step) {
        rig.files.operations = 0;
        rig.files.failOperation = step;
        const ProcedureResult result = backUpAt(rig, at(2), 1);
        const bool faultReached = rig.files.operations >= step;
        rig.files.clearFaults();
        const QByteArray where = "failing step " + QByteArray::number(step);
        if (result.completed()) {
            QVERIFY2(BackupGenerations::inspectSet(newSet, rig.files).verifies, where);
            if (!faultReached)
                break;
            // Back to the one set, for the next step.
            QDir(rig.drive()).removeRecursively();
            for (auto it = before.cbegin(); it != before.cend(); ++it) {
                QDir(rig.drive()).mkpath(QFileInfo(it.key()).path());
                rig.write(rig.drive(), it.key(), it.value());
            }
            continue;
        }
        ++failedRuns;
        QVERIFY2(BackupRig::snapshot(rig.drive()) == before, where);
        QVERIFY2(!result.reason.isEmpty(), where);
    }
    QVERIFY(failedRuns > 20);
    QCOMPARE(namesOfSets(rig.drive(), rig.files), QStringList({QStringLiteral("Sentrivo backup 2026-12-02 093005")}));

    // A set being written when the program was killed is no set, and goes
    // with the next backup.
    QDir(rig.drive()).mkpath(QStringLiteral(".Sentrivo backup 2026-12-02 100000.incomplete"));
    QCOMPARE(namesOfSets(rig.drive(), rig.files).size(), 1);
    QVERIFY(backUpAt(rig, at(3), 2).completed());
    QVERIFY(!QDir(rig.drive()).exists(QStringLiteral(".Sentrivo backup 2026-12-02 100000.incomplete")));
}

void TestBackupGenerations::restoreTakesTheNewestSetThatVerifies()
{
    BackupRig rig;
    // No sets: the folder itself, as a backup disk.
    BackupGenerations::Source source = BackupGenerations::restoreSource(rig.drive(), QString(), rig.files);
    QCOMPARE(source.folder, rig.drive());
    QVERIFY(source.error.isEmpty());

    fillWorkbook(rig, 'a');
    QVERIFY(backUpAt(rig, at(1)).completed());
    fillWorkbook(rig, 'b');
    QVERIFY(backUpAt(rig, at(2)).completed());
    // The newest is damaged: it is listed as not verifying, and the restore
    // takes the one before.
    const QString newest = QDir(rig.drive()).filePath(QStringLiteral("Sentrivo backup 2026-12-02 093005"));
    rig.write(newest, QStringLiteral("Stat1.hb1"), "changed");
    const QList<BackupGenerations::SetInfo> sets = BackupGenerations::listSets(rig.drive(), rig.files);
    QVERIFY(!sets.at(0).verifies);
    QVERIFY2(sets.at(0).problem.contains(QStringLiteral("Stat1.hb1")), qPrintable(sets.at(0).problem));
    source = BackupGenerations::restoreSource(rig.drive(), QString(), rig.files);
    QCOMPARE(source.setName, QStringLiteral("Sentrivo backup 2026-12-01 093005"));

    // Named: that one, damaged or not (the restore then refuses it).
    source = BackupGenerations::restoreSource(rig.drive(), QStringLiteral("Sentrivo backup 2026-12-02 093005"), rig.files);
    QCOMPARE(source.folder, newest);
    const QMap<QString, QByteArray> workbook = BackupRig::snapshot(rig.workbook());
    QCOMPARE(restoreSet(rig, QStringLiteral("Sentrivo backup 2026-12-02 093005"), at(3)).outcome, Outcome::Failed);
    QCOMPARE(BackupRig::snapshot(rig.workbook()), workbook);
    source = BackupGenerations::restoreSource(rig.drive(), QStringLiteral("Sentrivo backup 2020-01-01 000000"), rig.files);
    QVERIFY(source.error.contains(QStringLiteral("holds no backup set")));
}

void TestBackupGenerations::sha256sumChecksASet()
{
    BackupRig rig;
    fillWorkbook(rig, 'a');
    QVERIFY(backUpAt(rig, at(1)).completed());
    const QString set = QDir(rig.drive()).filePath(QStringLiteral("Sentrivo backup 2026-12-01 093005"));
    QProcess check;
    check.setWorkingDirectory(set);
    check.start(QStringLiteral("sha256sum"), {QStringLiteral("--strict"), QStringLiteral("-c"), QStringLiteral("Manifest.bk1")});
    QVERIFY(check.waitForFinished());
    QCOMPARE(check.exitCode(), 0);
    const QByteArray out = check.readAllStandardOutput();
    QVERIFY2(out.contains("Stat1.hb1: OK") && out.contains("DiskInfo.bk1: OK"), out.constData());

    rig.write(set, QStringLiteral("Action9.hb1"), "changed");
    check.start(QStringLiteral("sha256sum"), {QStringLiteral("-c"), QStringLiteral("Manifest.bk1")});
    QVERIFY(check.waitForFinished());
    QVERIFY(check.exitCode() != 0);
    QVERIFY(check.readAllStandardOutput().contains("Action9.hb1: FAILED"));
}

QTEST_GUILESS_MAIN(TestBackupGenerations)
#include "tst_backupgenerations.moc"
