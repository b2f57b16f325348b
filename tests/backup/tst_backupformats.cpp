// The medium's own files byte by byte, and the names of the backup set.
#include "backup/backupset.h"
#include "backup/diskinfo.h"
#include "backup/manifest.h"

#include <QtTest>

Q_DECLARE_METATYPE(BackupSet::Member)
Q_DECLARE_METATYPE(std::optional<int>)

namespace {

// A 30-byte text record as the record file format lays it out.
QByteArray record(const QByteArray &text)
{
    QByteArray bytes(30, '\0');
    bytes[0] = char(text.size());
    bytes.replace(2, text.size(), text);
    return bytes;
}

const QByteArray kEmptyRecord(30, '\0');

} // namespace

class TestBackupFormats : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void diskInfoBytes_data();
    void diskInfoBytes();
    void diskInfoReadsLeniently();
    void backupSetNames_data();
    void backupSetNames();
    void manifestRoundTrip();
    void olderManifestStillReads();
    void manifestRefusesDamage_data();
    void manifestRefusesDamage();
};

void TestBackupFormats::diskInfoBytes_data()
{
    QTest::addColumn<int>("disk");
    QTest::addColumn<std::optional<int>>("record3");
    QTest::addColumn<int>("lastIndex");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("single disk") << 1 << std::optional<int>() << 162
                                 << record("HIPAA") + record("1") + kEmptyRecord + record("162") + kEmptyRecord
                                        + record("T1");
    QTest::newRow("first of two, file 40 did not fit")
        << 1 << std::optional<int>(2) << 39
        << record("HIPAA") + record("1") + record("2") + record("39") + kEmptyRecord + record("T1");
    QTest::newRow("last of two") << 2 << std::optional<int>(2) << 162
                                 << record("HIPAA") + record("2") + record("2") + record("162") + kEmptyRecord
                                        + record("T1");
    QTest::newRow("first of two, Action0 did not fit")
        << 1 << std::optional<int>(2) << -1
        << record("HIPAA") + record("1") + record("2") + record("-1") + kEmptyRecord + record("T1");
}

void TestBackupFormats::diskInfoBytes()
{
    QFETCH(int, disk);
    QFETCH(std::optional<int>, record3);
    QFETCH(int, lastIndex);
    QFETCH(QByteArray, expected);
    DiskInfo info;
    info.diskNumber = disk;
    info.record3 = record3;
    info.lastIndex = lastIndex;
    QCOMPARE(info.toBytes(), expected);
    const DiskInfo back = DiskInfo::fromBytes(expected);
    QVERIFY(back.isBackupDisk());
    QCOMPARE(back.diskNumber, disk);
    QCOMPARE(back.record3, record3);
    QCOMPARE(back.lastIndex, lastIndex);
}

void TestBackupFormats::diskInfoReadsLeniently()
{
    // Written by hand or by an older program: leading blanks, record 5, a
    // file cut short after record 4.
    const QByteArray bytes = record("  HIPAA") + record(" 2") + record(" 3") + record("57");
    const DiskInfo info = DiskInfo::fromBytes(bytes);
    QVERIFY(info.isBackupDisk());
    QCOMPARE(info.diskNumber, 2);
    QCOMPARE(info.record3, std::optional<int>(3));
    QCOMPARE(info.lastIndex, 57);

    QVERIFY(!DiskInfo::fromBytes(QByteArray()).isBackupDisk());
    QVERIFY(!DiskInfo::fromBytes(record("hipaa")).isBackupDisk());
    // A length that runs past the record is a damaged record, read as empty.
    QByteArray damaged = record("HIPAA");
    damaged[0] = char(40);
    QVERIFY(!DiskInfo::fromBytes(damaged).isBackupDisk());
}

void TestBackupFormats::backupSetNames_data()
{
    QTest::addColumn<BackupSet::Member>("member");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("backup");
    QTest::newRow("fixed 1") << BackupSet::fixedFile(1) << "TODONAME.Fil" << "ToDoName.hb1";
    QTest::newRow("fixed 2") << BackupSet::fixedFile(2) << "GColor3.Fil" << "Gcolor3.hb1";
    QTest::newRow("fixed 3") << BackupSet::fixedFile(3) << "TODOActv.FIL" << "ToDoActv.hb1";
    QTest::newRow("fixed 4") << BackupSet::fixedFile(4) << "HINV3.Fil" << "Hinv3.hb1";
    QTest::newRow("fixed 5") << BackupSet::fixedFile(5) << "Stat1.Fil" << "Stat1.hb1";
    QTest::newRow("fixed 6") << BackupSet::fixedFile(6) << "RAList.Fil" << "RAList.hb1";
    QTest::newRow("fixed 7") << BackupSet::fixedFile(7) << "Location.Fil" << "Location.hb1";
    QTest::newRow("fixed 8") << BackupSet::fixedFile(8) << "UserWords.Fil" << "UserWords.hb1";
    QTest::newRow("k 0") << BackupSet::numberedFile(0) << "Action0.Fil" << "Action0.hb1";
    QTest::newRow("k 46") << BackupSet::numberedFile(46) << "Action46.Fil" << "Action46.hb1";
    QTest::newRow("k 47") << BackupSet::numberedFile(47) << "Comment0.Fil" << "Comment0.hb1";
    QTest::newRow("k 93") << BackupSet::numberedFile(93) << "Comment46.Fil" << "Comment46.hb1";
    QTest::newRow("k 94") << BackupSet::numberedFile(94) << "Policy0.Fil" << "Policy0.hb1";
    QTest::newRow("k 140") << BackupSet::numberedFile(140) << "Policy46.Fil" << "Policy46.hb1";
    QTest::newRow("k 141") << BackupSet::numberedFile(141) << "Wksht0.Fil" << "Wksht0.hb1";
    QTest::newRow("k 161") << BackupSet::numberedFile(161) << "Wksht20.Fil" << "Wksht20.hb1";
    QTest::newRow("k 162") << BackupSet::numberedFile(162) << "DRPln1.Fil" << "DRPln1.hb1";
}

void TestBackupFormats::backupSetNames()
{
    QFETCH(BackupSet::Member, member);
    QFETCH(QString, source);
    QFETCH(QString, backup);
    QCOMPARE(member.sourceName, source);
    QCOMPARE(member.backupName, backup);
}

void TestBackupFormats::manifestRoundTrip()
{
    Manifest manifest;
    manifest.add(QStringLiteral("Stat1.hb1"), QByteArrayLiteral("abc"));
    manifest.add(QStringLiteral("Action0.hb1"), QByteArray());
    const QByteArray bytes = manifest.toBytes();
    // What sha256sum -c reads: the sizes in comment lines it skips.
    QCOMPARE(bytes,
             QByteArrayLiteral("# Sentrivo backup manifest 2\n"
                               "# size 3 Stat1.hb1\n"
                               "# size 0 Action0.hb1\n"
                               "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad  Stat1.hb1\n"
                               "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855  Action0.hb1\n"));
    const std::optional<Manifest> back = Manifest::fromBytes(bytes);
    QVERIFY(back);
    QCOMPARE(back->entries().size(), 2);
    const Manifest::Entry *entry = back->find(QStringLiteral("STAT1.HB1"));
    QVERIFY(entry);
    QCOMPARE(entry->size, 3);
    QVERIFY(Manifest::matches(*entry, QByteArrayLiteral("abc")));
    QVERIFY(!Manifest::matches(*entry, QByteArrayLiteral("abd")));
    QVERIFY(!Manifest::matches(*entry, QByteArrayLiteral("abcd")));
}

void TestBackupFormats::olderManifestStillReads()
{
    const std::optional<Manifest> old = Manifest::fromBytes(
        QByteArrayLiteral("Sentrivo backup manifest 1\r\n"
                          "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad 3 Stat1.hb1\r\n"
                          "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855 0 Action0.hb1\r\n"));
    QVERIFY(old);
    QCOMPARE(old->entries().size(), 2);
    QVERIFY(Manifest::matches(*old->find(QStringLiteral("Stat1.hb1")), QByteArrayLiteral("abc")));
    QVERIFY(Manifest::matches(*old->find(QStringLiteral("Action0.hb1")), QByteArray()));
}

void TestBackupFormats::manifestRefusesDamage_data()
{
    Manifest manifest;
    manifest.add(QStringLiteral("Stat1.hb1"), QByteArrayLiteral("abc"));
    const QByteArray good = manifest.toBytes();
    const QByteArray oldGood =
        QByteArrayLiteral("Sentrivo backup manifest 1\r\n"
                          "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad 3 Stat1.hb1\r\n");
    const auto named = [&good](const QByteArray &name) { return QByteArray(good).replace("Stat1.hb1", name); };
    const auto oldNamed = [&oldGood](const QByteArray &name) { return QByteArray(oldGood).replace("Stat1.hb1", name); };
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("cut short") << good.chopped(5);
    QTest::newRow("no header") << good.mid(good.indexOf('\n') + 1);
    QTest::newRow("bad digest") << QByteArray(good).replace("ba78", "zz78");
    QTest::newRow("upper-case digest") << QByteArray(good).replace("ba78", "BA78");
    QTest::newRow("bad size") << QByteArray(good).replace("size 3", "size x");
    QTest::newRow("negative size") << QByteArray(good).replace("size 3", "size -3");
    QTest::newRow("no size for a file") << QByteArray(good).replace("# size 3 Stat1.hb1\n", "");
    QTest::newRow("a size for no file") << QByteArray(good).replace("# size 3 Stat1.hb1\n", "# size 3 Stat1.hb1\n# size 1 x\n");
    QTest::newRow("no name") << named("");
    QTest::newRow("parent folder") << named("../x");
    QTest::newRow("the parent itself") << named("..");
    QTest::newRow("absolute path") << named("/etc/passwd");
    QTest::newRow("name with a slash") << named("sub/Stat1.hb1");
    QTest::newRow("name with a backslash") << named("sub\\Stat1.hb1");
    QTest::newRow("name with NUL") << named(QByteArray("Stat1\0.hb1", 11));
    QTest::newRow("the same name twice") << QByteArray(good).replace("# size 3 Stat1.hb1\n", "# size 3 Stat1.hb1\n# size 3 STAT1.HB1\n") + good.mid(good.lastIndexOf("ba78"));
    QTest::newRow("old: cut short") << oldGood.chopped(5);
    QTest::newRow("old: bad size") << QByteArray(oldGood).replace(" 3 ", " x ");
    QTest::newRow("old: parent folder") << oldNamed("../x");
    QTest::newRow("old: absolute path") << oldNamed("/etc/passwd");
    QTest::newRow("old: name with a slash") << oldNamed("a/b");
    QTest::newRow("old: name with NUL") << oldNamed(QByteArray("a\0b", 3));
    QTest::newRow("old: no name") << oldNamed("");
    QTest::newRow("empty") << QByteArray();
}

void TestBackupFormats::manifestRefusesDamage()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!Manifest::fromBytes(bytes));
}

QTEST_GUILESS_MAIN(TestBackupFormats)
#include "tst_backupformats.moc"
