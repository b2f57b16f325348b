// Crafted workbooks and backup sets: links, FIFOs, devices, sparse giants and
// forged state files. Each case is refused or ignored without a hang, and no
// file inside or outside the workbook changes.
#include "backup/backupset.h"
#include "backup/diskinfo.h"
#include "backup/manifest.h"
#include "backup/restoreswap.h"
#include "backuprig.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Attack {
    StagingLinkedElsewhere,
    StateNamingTheParent,
    StateNamingAPath,
    StagedLink,
    SetFileLinkedOutside,
    SetFileLinkedToDevZero,
    SetFileIsAFifo,
    SparseFileLargerThanDeclared,
    HugeDiskInfo,
    WorkbookFileIsAFifo,
    ManifestNamingTheParent,
    ManifestNamingAnAbsolutePath,
    ManifestLyingAboutASize,
};

enum class Run { Backup, Restore, Settle };

void fillWorkbook(const BackupRig &rig, char mark)
{
    for (int number = 1; number <= 6; ++number)
        rig.writeWorkbook(BackupSet::fixedFile(number).sourceName, QByteArray(80, char(mark + number)));
    rig.writeWorkbook(QStringLiteral("Action2.Fil"), QByteArray(300, mark));
}

QString staging(const BackupRig &rig)
{
    return QDir(rig.workbook()).filePath(RestoreSwap::kStagingFolder);
}

void makeFifo(const QString &path)
{
    QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
}

void link(const QString &target, const QString &path)
{
    QFile::remove(path);
    QVERIFY(QFile::link(target, path));
}

// The medium's manifest rewritten with one entry changed.
void rewriteManifest(const BackupRig &rig, const QByteArray &from, const QByteArray &to)
{
    QFile file(QDir(rig.drive()).filePath(Manifest::kFileName));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    QVERIFY(bytes.contains(from));
    rig.write(rig.drive(), Manifest::kFileName, bytes.replace(from, to));
}

// Everything below a folder, links and special files by their kind.
QMap<QString, QByteArray> tree(const QString &folder)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        QByteArray value;
        if (info.isSymLink())
            value = "<link to " + info.symLinkTarget().toUtf8() + '>';
        else if (info.isDir())
            value = "<folder>";
        else if (!info.isFile())
            value = "<special>";
        else if (info.size() > 1 << 20)
            value = "<large " + QByteArray::number(info.size()) + '>';
        else {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            value = file.readAll();
        }
        entries.insert(QDir(folder).relativeFilePath(path), value);
    }
    return entries;
}

} // namespace

Q_DECLARE_METATYPE(Attack)
Q_DECLARE_METATYPE(Run)

class TestBackupHostile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void attackChangesNothing_data();
    void attackChangesNothing();
};

void TestBackupHostile::attackChangesNothing_data()
{
    QTest::addColumn<Attack>("attack");
    QTest::addColumn<Run>("run");
    QTest::addColumn<QString>("reasonPart"); // empty: the run may complete
    QTest::newRow("staging folder linked elsewhere, then a backup") << Attack::StagingLinkedElsewhere << Run::Backup << QString();
    QTest::newRow("staging folder linked elsewhere, then a restore") << Attack::StagingLinkedElsewhere << Run::Restore << QString();
    QTest::newRow("staging folder linked elsewhere, then a start") << Attack::StagingLinkedElsewhere << Run::Settle << QString();
    QTest::newRow("Restore.state naming ..") << Attack::StateNamingTheParent << Run::Settle << QString();
    QTest::newRow("Restore.state naming a path") << Attack::StateNamingAPath << Run::Settle << QString();
    QTest::newRow("a link among the staged files") << Attack::StagedLink << Run::Settle << QString();
    QTest::newRow("set file linked outside") << Attack::SetFileLinkedOutside << Run::Restore << "symbolic link";
    QTest::newRow("set file linked to /dev/zero") << Attack::SetFileLinkedToDevZero << Run::Restore << "symbolic link";
    QTest::newRow("set file is a FIFO") << Attack::SetFileIsAFifo << Run::Restore << "not a regular file";
    QTest::newRow("sparse file larger than declared") << Attack::SparseFileLargerThanDeclared << Run::Restore << "more than";
    QTest::newRow("DiskInfo.bk1 of 1 GB") << Attack::HugeDiskInfo << Run::Restore << "holds no backup disk #1";
    QTest::newRow("FIFO in place of Stat1.Fil") << Attack::WorkbookFileIsAFifo << Run::Backup << "Stat1.Fil";
    QTest::newRow("manifest naming ../x") << Attack::ManifestNamingTheParent << Run::Restore << "Manifest.bk1";
    QTest::newRow("manifest naming an absolute path") << Attack::ManifestNamingAnAbsolutePath << Run::Restore << "Manifest.bk1";
    QTest::newRow("manifest lying about a size") << Attack::ManifestLyingAboutASize << Run::Restore << "Stat1.hb1";
}

void TestBackupHostile::attackChangesNothing()
{
    QFETCH(Attack, attack);
    QFETCH(Run, run);
    QFETCH(QString, reasonPart);

    BackupRig rig;
    fillWorkbook(rig, 'a');
    QVERIFY(rig.backup(false).completed());
    fillWorkbook(rig, 'n');
    // A folder beside the workbook that nothing may touch.
    const QString elsewhere = rig.root.filePath(QStringLiteral("elsewhere"));
    QDir().mkpath(elsewhere);
    rig.write(elsewhere, QStringLiteral("Action2.Fil"), "someone else's file");
    rig.write(elsewhere, QStringLiteral("notes.txt"), "not the workbook's");
    rig.write(rig.root.path(), QStringLiteral("Stat1.Fil"), "a file in the workbook's parent");

    switch (attack) {
    case Attack::StagingLinkedElsewhere:
        link(elsewhere, staging(rig));
        break;
    case Attack::StateNamingTheParent:
    case Attack::StateNamingAPath:
        QDir().mkpath(staging(rig));
        rig.write(staging(rig), RestoreSwap::kStateFile,
                  attack == Attack::StateNamingTheParent ? "safety=..\nphase=1\n" : "safety=../elsewhere\nphase=1\n");
        rig.write(staging(rig), QStringLiteral("Action5.Fil"), "staged");
        break;
    case Attack::StagedLink:
        QDir().mkpath(staging(rig));
        rig.write(staging(rig), RestoreSwap::kStateFile, "safety=Before restore 2026-12-10 09-30-05\nphase=2\n");
        link(QDir(elsewhere).filePath(QStringLiteral("Action2.Fil")), QDir(staging(rig)).filePath(QStringLiteral("Action9.Fil")));
        rig.write(staging(rig), QStringLiteral("notes.txt"), "not a user file");
        break;
    case Attack::SetFileLinkedOutside:
        link(QDir(elsewhere).filePath(QStringLiteral("notes.txt")), QDir(rig.drive()).filePath(QStringLiteral("Stat1.hb1")));
        QFile::remove(QDir(rig.drive()).filePath(Manifest::kFileName)); // an older set, without a manifest
        break;
    case Attack::SetFileLinkedToDevZero:
        link(QStringLiteral("/dev/zero"), QDir(rig.drive()).filePath(QStringLiteral("Stat1.hb1")));
        QFile::remove(QDir(rig.drive()).filePath(Manifest::kFileName));
        break;
    case Attack::SetFileIsAFifo:
        QFile::remove(QDir(rig.drive()).filePath(QStringLiteral("Stat1.hb1")));
        makeFifo(QDir(rig.drive()).filePath(QStringLiteral("Stat1.hb1")));
        QFile::remove(QDir(rig.drive()).filePath(Manifest::kFileName));
        break;
    case Attack::SparseFileLargerThanDeclared:
        QVERIFY(::truncate(QFile::encodeName(QDir(rig.drive()).filePath(QStringLiteral("Action2.hb1"))).constData(),
                           qint64(8) << 30)
                == 0);
        break;
    case Attack::HugeDiskInfo:
        QVERIFY(::truncate(QFile::encodeName(QDir(rig.drive()).filePath(DiskInfo::kFileName)).constData(), qint64(1) << 30)
                == 0);
        break;
    case Attack::WorkbookFileIsAFifo:
        QFile::remove(QDir(rig.workbook()).filePath(QStringLiteral("Stat1.Fil")));
        makeFifo(QDir(rig.workbook()).filePath(QStringLiteral("Stat1.Fil")));
        break;
    case Attack::ManifestNamingTheParent:
        rewriteManifest(rig, "  Stat1.hb1\n", "  ../Stat1.hb1\n");
        rewriteManifest(rig, "# size 80 Stat1.hb1\n", "# size 80 ../Stat1.hb1\n");
        break;
    case Attack::ManifestNamingAnAbsolutePath:
        rewriteManifest(rig, "  Stat1.hb1\n", "  /etc/Stat1.hb1\n");
        rewriteManifest(rig, "# size 80 Stat1.hb1\n", "# size 80 /etc/Stat1.hb1\n");
        break;
    case Attack::ManifestLyingAboutASize:
        rewriteManifest(rig, "# size 80 Stat1.hb1\n", "# size 8 Stat1.hb1\n");
        break;
    }
    const QMap<QString, QByteArray> workbook = tree(rig.workbook());
    const QMap<QString, QByteArray> outside = tree(elsewhere);
    QByteArray parentFile;
    {
        QFile file(rig.root.filePath(QStringLiteral("Stat1.Fil")));
        file.open(QIODevice::ReadOnly);
        parentFile = file.readAll();
    }

    ProcedureResult result;
    switch (run) {
    case Run::Backup:
        result = rig.backup(false);
        break;
    case Run::Restore:
        result = rig.restore(false);
        break;
    case Run::Settle:
        RestoreSwap::completeInterrupted(rig.workbook(), rig.files);
        break;
    }
    if (!reasonPart.isEmpty()) {
        QVERIFY(!result.completed());
        QVERIFY2(result.reason.contains(reasonPart), qPrintable(result.reason));
    }

    // Nothing outside the workbook changed, ever.
    QCOMPARE(tree(elsewhere), outside);
    QFile file(rig.root.filePath(QStringLiteral("Stat1.Fil")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), parentFile);
    QVERIFY(!QFile::exists(rig.root.filePath(QStringLiteral("Action2.Fil"))));

    // The workbook's user files: as they were, except where a completed
    // restore brought the backup's back (kept then in its safety folder).
    QMap<QString, QByteArray> userFilesBefore = workbook;
    QMap<QString, QByteArray> userFilesAfter = tree(rig.workbook());
    const auto onlyUserFiles = [](QMap<QString, QByteArray> &entries) {
        entries.removeIf([](const auto &it) { return it.key().contains(QLatin1Char('/')) || !BackupSet::isUserFileName(it.key()); });
    };
    onlyUserFiles(userFilesBefore);
    onlyUserFiles(userFilesAfter);
    if (result.workbookChanged) {
        QCOMPARE(tree(QDir(rig.workbook()).filePath(result.safetyFolder)), userFilesBefore);
    } else {
        QCOMPARE(userFilesAfter, userFilesBefore);
    }
    // No link or special file was brought in (the FIFO planted in the
    // workbook itself stays where it was), and the staging folder is gone.
    for (const QFileInfo &info : QDir(rig.workbook()).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        QVERIFY2(attack == Attack::WorkbookFileIsAFifo || (!info.isSymLink() && (info.isFile() || info.isDir())),
                 qPrintable(info.fileName()));
    QVERIFY(!QFileInfo::exists(staging(rig)) && !QFileInfo(staging(rig)).isSymLink());
}

QTEST_GUILESS_MAIN(TestBackupHostile)
#include "tst_backuphostile.moc"
