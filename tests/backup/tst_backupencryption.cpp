// Encrypted backup sets: nothing of the workbook readable in the set, a
// round trip with the passphrase, and a wrong passphrase or a changed file
// refused before anything in the workbook changes.
#include "backup/backupset.h"
#include "backup/generations.h"
#include "backup/manifest.h"
#include "backup/setencryption.h"
#include "backuprig.h"

#include <QtTest>

namespace {

using Outcome = ProcedureResult::Outcome;

const QByteArray kPassphrase = "correct horse battery staple";
const QList<QByteArray> kPhrases{"Northside Clinic", "server room door was found unlocked",
                                 "Dr. Alvarez reviewed the audit logs", "Security Official"};

void fillWorkbook(const BackupRig &rig)
{
    rig.writeWorkbook(QStringLiteral("Stat1.Fil"), "Security Official: Dana Reyes");
    rig.writeWorkbook(QStringLiteral("Action0.Fil"), "{\\rtf1 Northside Clinic: the server room door was found unlocked.}");
    rig.writeWorkbook(QStringLiteral("Comment3.Fil"), "{\\rtf1 Dr. Alvarez reviewed the audit logs.}");
    // Larger than one sealed chunk.
    QByteArray big;
    while (big.size() < 200 * 1024)
        big += "Northside Clinic contingency plan, section " + QByteArray::number(big.size()) + ".\n";
    rig.writeWorkbook(QStringLiteral("DRPln1.Fil"), big);
    rig.writeWorkbook(QStringLiteral("Evidence/000001.txt"), "Business associate agreement, Northside Clinic, signed.");
}

QMap<QString, QByteArray> userFiles(const QString &folder)
{
    QMap<QString, QByteArray> files = BackupRig::topFiles(folder);
    files.removeIf([](const auto &it) { return !BackupSet::isUserFileName(it.key()); });
    return files;
}

QString encryptedBackup(BackupRig &rig)
{
    std::optional<SetEncryption::NewSet> set = SetEncryption::newSet(kPassphrase, true);
    if (!set)
        return QString();
    ProcedureEnvironment env = rig.environment(false);
    env.encryption = std::make_shared<const SetEncryption::NewSet>(std::move(*set));
    const ProcedureResult result = BackupGenerations::backUp(env, 10);
    return result.completed() ? QDir(rig.drive()).filePath(result.setName) : QString();
}

ProcedureResult restoreWith(BackupRig &rig, const QString &set, std::optional<QByteArray> passphrase)
{
    ProcedureEnvironment env = rig.environment(false);
    env.targetDir = set;
    env.passphrase = [passphrase] { return passphrase; };
    return RestoreProcedure(env).run();
}

} // namespace

class TestBackupEncryption : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sealOpensOnlyWhole();
    void roundTripRevealsNothing();
    void refusedBeforeTheWorkbookChanges_data();
    void refusedBeforeTheWorkbookChanges();
};

void TestBackupEncryption::sealOpensOnlyWhole()
{
    std::optional<SetEncryption::NewSet> set = SetEncryption::newSet(kPassphrase, true);
    QVERIFY(set);
    const QByteArray plain(150 * 1024, 'p');
    const QByteArray sealed = SetEncryption::seal(set->key, plain);
    QCOMPARE(SetEncryption::open(set->key, sealed), std::optional<QByteArray>(plain));
    QCOMPARE(SetEncryption::open(set->key, SetEncryption::seal(set->key, QByteArray())), std::optional<QByteArray>(QByteArray()));
    // Cut at a chunk's end, cut anywhere, a byte more, a byte changed.
    QVERIFY(!SetEncryption::open(set->key, sealed.left(24 + 64 * 1024 + 17)));
    QVERIFY(!SetEncryption::open(set->key, sealed.chopped(1)));
    QVERIFY(!SetEncryption::open(set->key, sealed + 'x'));
    QByteArray changed = sealed;
    changed[1000] = char(changed.at(1000) ^ 1);
    QVERIFY(!SetEncryption::open(set->key, changed));
    // The header reads back, and only the right passphrase opens it.
    const std::optional<SetEncryption::Header> header =
        SetEncryption::parseHeader(SetEncryption::headerBytes(set->header));
    QVERIFY(header);
    QVERIFY(SetEncryption::deriveKey(kPassphrase, *header));
    QVERIFY(!SetEncryption::deriveKey("correct horse battery stapler", *header));
}

void TestBackupEncryption::roundTripRevealsNothing()
{
    BackupRig rig;
    fillWorkbook(rig);
    const QMap<QString, QByteArray> saved = userFiles(rig.workbook());
    const QString set = encryptedBackup(rig);
    QVERIFY(!set.isEmpty());

    // No phrase of the workbook, in any file of the set, in any case.
    for (const QFileInfo &info : QDir(set).entryInfoList(QDir::Files)) {
        QFile file(info.absoluteFilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll().toLower();
        for (const QByteArray &phrase : kPhrases)
            QVERIFY2(!bytes.contains(phrase.toLower()), qPrintable(info.fileName() + QStringLiteral(": ") + QString::fromUtf8(phrase)));
    }
    // The manifest names files only, and the set still verifies.
    QVERIFY(BackupGenerations::inspectSet(set, rig.files).verifies);

    rig.writeWorkbook(QStringLiteral("Stat1.Fil"), "changed later");
    const QString evidence = QDir(rig.workbook()).filePath(QStringLiteral("Evidence"));
    const QMap<QString, QByteArray> attached = BackupRig::snapshot(evidence);
    QDir(evidence).removeRecursively();
    const ProcedureResult result = restoreWith(rig, set, kPassphrase);
    QVERIFY2(result.completed(), qPrintable(result.reason));
    QCOMPARE(userFiles(rig.workbook()), saved);
    QCOMPARE(BackupRig::snapshot(evidence), attached);
}

void TestBackupEncryption::refusedBeforeTheWorkbookChanges_data()
{
    QTest::addColumn<QByteArray>("passphrase"); // empty: none given
    QTest::addColumn<QString>("tamper");       // a file whose byte is flipped ("" none)
    QTest::addColumn<bool>("manifestFollows"); // the manifest rewritten to match
    QTest::addColumn<QString>("reasonPart");
    QTest::newRow("wrong passphrase") << QByteArray("Correct horse battery staple") << QString() << false
                                      << "passphrase does not open";
    QTest::newRow("no passphrase") << QByteArray() << QString() << false << "no passphrase was given";
    QTest::newRow("a flipped byte") << kPassphrase << "Comment3.hb1" << false << "Comment3.hb1 is not the file";
    QTest::newRow("a flipped byte, the manifest rewritten to match")
        << kPassphrase << "DRPln1.hb1" << true << "DRPln1.hb1 fails authentication";
    QTest::newRow("the header changed, the manifest rewritten to match")
        << kPassphrase << "Encryption.bk1" << true << "passphrase does not open";
}

void TestBackupEncryption::refusedBeforeTheWorkbookChanges()
{
    QFETCH(QByteArray, passphrase);
    QFETCH(QString, tamper);
    QFETCH(bool, manifestFollows);
    QFETCH(QString, reasonPart);

    BackupRig rig;
    fillWorkbook(rig);
    const QString set = encryptedBackup(rig);
    QVERIFY(!set.isEmpty());
    if (!tamper.isEmpty()) {
        QFile file(QDir(set).filePath(tamper));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        // In the salt of the header (another hex digit, so the header still
        // reads whatever the random salt was), inside the sealed text of a file.
        const bool header = tamper == SetEncryption::kHeaderFileName;
        const qsizetype at = header ? bytes.indexOf("salt ") + 6 : bytes.size() - 40;
        if (header)
            bytes[at] = bytes.at(at) == '0' ? '1' : '0';
        else
            bytes[at] = char(bytes.at(at) ^ 1);
        file.seek(0);
        file.write(bytes);
        file.close();
        if (manifestFollows) {
            QFile manifestFile(QDir(set).filePath(Manifest::kFileName));
            QVERIFY(manifestFile.open(QIODevice::ReadOnly));
            std::optional<Manifest> manifest = Manifest::fromBytes(manifestFile.readAll());
            manifestFile.close();
            QVERIFY(manifest);
            manifest->add(tamper, bytes);
            rig.write(set, Manifest::kFileName, manifest->toBytes());
        }
    }
    fillWorkbook(rig);
    rig.writeWorkbook(QStringLiteral("Stat1.Fil"), "today's statuses");
    const QMap<QString, QByteArray> before = BackupRig::snapshot(rig.workbook());
    const ProcedureResult result =
        restoreWith(rig, set, passphrase.isEmpty() ? std::nullopt : std::optional<QByteArray>(passphrase));
    QCOMPARE(result.outcome, Outcome::Failed);
    QVERIFY2(result.reason.contains(reasonPart), qPrintable(result.reason));
    QCOMPARE(BackupRig::snapshot(rig.workbook()), before);
}

QTEST_GUILESS_MAIN(TestBackupEncryption)
#include "tst_backupencryption.moc"
