// `sentrivo --backup` and `--restore` as a scheduler runs them: no display,
// no questions, exit status and reason, the workbook untouched on failure.
#include "backup/backupset.h"
#include "backup/restoreswap.h"
#include "history/documenthistory.h"
#include "platform/database/workbookdatabase.h"
#include "platform/records/workbook.h"
#include "risk/evidencestore.h"
#include "support/fullfilesystem.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run sentrivo(const QStringList &arguments)
{
    QProcess process;
    // Nothing to draw on: the command must not need a display.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/sentrivo"), arguments);
    Run run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QMap<QString, QByteArray> filesIn(const QString &folder)
{
    QMap<QString, QByteArray> files;
    for (const QFileInfo &info : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden)) {
        QFile file(info.absoluteFilePath());
        file.open(QIODevice::ReadOnly);
        files.insert(info.fileName(), file.readAll());
    }
    return files;
}

// A workbook of small files, as a week of work leaves it: every one of them
// fits in the write buffer of a save.
void writeSmallWorkbook(const QString &folder, char mark)
{
    QDir().mkpath(folder);
    for (const BackupSet::Member &member : BackupSet::allMembers()) {
        if (member.sourceName.startsWith(QStringLiteral("Comment")))
            continue;
        const int size = 100 + int(qHash(member.sourceName) % 8000);
        write(folder + QLatin1Char('/') + member.sourceName, QByteArray(size, mark));
    }
}

// Every file below a folder with its contents, the filler of a full file
// system left out.
QMap<QString, QByteArray> treeOf(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (it.fileName() == QStringLiteral(".filler"))
            continue;
        file.open(QIODevice::ReadOnly);
        files.insert(QDir(folder).relativeFilePath(file.fileName()), file.readAll());
    }
    return files;
}

} // namespace

class TestBackupCommand : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void backupThenRestore();
    void riskRegisterComesBackFromABackup();
    void restoreKeepsTheVersionsMadeSince();
    void failuresLeaveTheWorkbook_data();
    void failuresLeaveTheWorkbook();
    void backupToAFullMediumKeepsThePreviousBackup();
    void restoreOntoAFullDiskKeepsTheWorkbook();
};

void TestBackupCommand::backupThenRestore()
{
    QTemporaryDir root;
    const QString workbook = root.filePath(QStringLiteral("workbook"));
    const QString target = root.filePath(QStringLiteral("usb/nightly")); // created when missing
    QDir().mkpath(workbook);
    write(workbook + QStringLiteral("/Stat1.Fil"), "statuses");
    write(workbook + QStringLiteral("/Policy3.Fil"), "{\\rtf1 policy}");

    Run run = sentrivo({QStringLiteral("--workbook"), workbook, QStringLiteral("--backup"), target});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    // A dated set in the folder; the date is kept in the workbook.
    const QStringList sets = QDir(target).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(sets.size(), 1);
    QVERIFY(sets.first().startsWith(QStringLiteral("Sentrivo backup ")));
    const QString set = target + QLatin1Char('/') + sets.first();
    QVERIFY(run.out.contains(set));
    QVERIFY(QFile::exists(set + QStringLiteral("/DiskInfo.bk1")));
    QVERIFY(QFile::exists(set + QStringLiteral("/Policy3.hb1")));
    QVERIFY(QFile::exists(workbook + QStringLiteral("/Workbook.sqlite")));
    const QMap<QString, QByteArray> saved = filesIn(workbook);

    write(workbook + QStringLiteral("/Stat1.Fil"), "changed later");
    run = sentrivo({QStringLiteral("--workbook"), workbook, QStringLiteral("--restore"), target});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.contains(QStringLiteral("Before restore ")));
    QCOMPARE(filesIn(workbook), saved);
    QCOMPARE(QDir(workbook).entryList({QStringLiteral("Before restore *")}, QDir::Dirs).size(), 1);
}

// The register's rows live in the workbook's database and its evidence
// files in the workbook's Evidence folder: a restore brings back exactly the
// rows the backup saw (read back through the register's own export) and
// every evidence file as its row describes it.
void TestBackupCommand::riskRegisterComesBackFromABackup()
{
    QTemporaryDir root;
    const QString workbook = root.filePath(QStringLiteral("workbook"));
    const QString target = root.filePath(QStringLiteral("stick"));
    QDir().mkpath(workbook);
    const auto import = [&](const QByteArray &lines) {
        const QString csv = root.filePath(QStringLiteral("assets.csv"));
        write(csv, "Name,Kind,Location,Owner\r\n" + lines);
        const Run run = sentrivo({QStringLiteral("--workbook"), workbook, QStringLiteral("--import"),
                                  QStringLiteral("assets"), csv});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    };
    const auto exported = [&]() -> QByteArray {
        const QString out = root.filePath(QStringLiteral("register.csv"));
        const Run run = sentrivo({QStringLiteral("--workbook"), workbook, QStringLiteral("--export"),
                                  QStringLiteral("risk-register"), out});
        if (run.exitCode != 0)
            return QByteArray("export failed: ") + run.err.toUtf8();
        // One file per table, named from OUT.
        QByteArray tables;
        for (const QFileInfo &info : QDir(root.path()).entryInfoList({QStringLiteral("register*.csv")}, QDir::Files,
                                                                      QDir::Name)) {
            QFile file(info.filePath());
            if (file.open(QIODevice::ReadOnly))
                tables += info.fileName().toUtf8() + '\n' + file.readAll();
        }
        return tables;
    };
    // Evidence attached as the register attaches it; the list of it with
    // the hash of each file as it is on disk now.
    const auto attach = [&](int safeguard, const QString &name, const QByteArray &bytes) {
        const QString source = root.filePath(name);
        write(source, bytes);
        WorkbookDatabase database{Workbook(workbook)};
        database.open();
        QString error;
        QVERIFY2(EvidenceStore(database).attach(EvidenceOwner::Safeguard, safeguard, source, QString(), nullptr, &error),
                 qPrintable(error));
    };
    const auto evidence = [&]() -> QStringList {
        WorkbookDatabase database{Workbook(workbook)};
        database.open();
        const EvidenceStore store(database);
        QStringList lines;
        for (const EvidenceItem &item : store.all()) {
            QFile file(store.filePath(item));
            const QByteArray onDisk = file.open(QIODevice::ReadOnly)
                                        ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex()
                                        : QByteArray("missing");
            lines << QStringLiteral("%1 %2 %3 %4").arg(item.storedName, item.originalName, item.sha256,
                                                       QString::fromLatin1(onDisk));
        }
        return lines;
    };
    import("EHR system,EHR or practice system,Cloud,Dr. Patel\r\n"
           "Billing laptop,Laptop,Office,Billing clerk\r\n");
    attach(4, QStringLiteral("Signed BAA.pdf"), "%PDF-1.4 business associate agreement");
    attach(12, QStringLiteral("training log.xlsx"), QByteArray(300000, 't'));
    const QByteArray before = exported();
    QVERIFY2(before.contains("Billing laptop"), before.constData());
    const QStringList attached = evidence();
    QCOMPARE(attached.size(), 2);
    for (const QString &line : attached)
        QCOMPARE(line.section(QLatin1Char(' '), -2, -2), line.section(QLatin1Char(' '), -1));

    Run run = sentrivo({QStringLiteral("--workbook"), workbook, QStringLiteral("--backup"), target});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    import("Front desk PC,Workstation,Reception,Office manager\r\n");
    QVERIFY(exported().contains("Front desk PC"));
    attach(4, QStringLiteral("Renewed BAA.pdf"), "%PDF-1.4 renewed");
    QFile::remove(QDir(workbook).filePath(QStringLiteral("Evidence/000001.pdf")));

    run = sentrivo({QStringLiteral("--workbook"), workbook, QStringLiteral("--restore"), target});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(exported(), before);
    QCOMPARE(evidence(), attached);
}

// The history travels in the database: a restore brings back the versions
// the backup held, and the versions saved since stay in the database kept in
// the "Before restore" folder.
void TestBackupCommand::restoreKeepsTheVersionsMadeSince()
{
    QTemporaryDir root;
    const QString workbook = root.filePath(QStringLiteral("workbook"));
    const QString target = root.filePath(QStringLiteral("stick"));
    QDir().mkpath(workbook);
    const auto save = [](const QString &folder, const QByteArray &text) {
        auto database = std::make_shared<WorkbookDatabase>(Workbook(folder));
        database->open();
        DocumentHistory history(database);
        const QByteArray bytes = "{\\rtf1 " + text + "}";
        write(folder + QStringLiteral("/Policy3.Fil"), bytes);
        QString error;
        QVERIFY2(history.documentSaved(QStringLiteral("Policy3.Fil"), bytes, &error), qPrintable(error));
    };
    const auto versions = [](const QString &folder) {
        auto database = std::make_shared<WorkbookDatabase>(Workbook(folder));
        database->open();
        return DocumentHistory(database).versions(QStringLiteral("Policy3.Fil")).size();
    };
    save(workbook, "first");
    save(workbook, "second");
    Run run = sentrivo({QStringLiteral("--workbook"), workbook, QStringLiteral("--backup"), target});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    save(workbook, "third");
    save(workbook, "fourth");
    QCOMPARE(versions(workbook), 4);

    run = sentrivo({QStringLiteral("--workbook"), workbook, QStringLiteral("--restore"), target});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(versions(workbook), 2);
    const QStringList safety = QDir(workbook).entryList({QStringLiteral("Before restore *")}, QDir::Dirs);
    QCOMPARE(safety.size(), 1);
    QCOMPARE(versions(QDir(workbook).filePath(safety.first())), 4);
}

void TestBackupCommand::failuresLeaveTheWorkbook_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("medium");     // relative to the temporary folder
    QTest::addColumn<QString>("reasonPart");
    QTest::newRow("restore from a folder without a backup") << "--restore" << "empty" << "holds no backup disk #1";
    QTest::newRow("restore from a missing folder") << "--restore" << "nowhere" << "there is no folder";
    QTest::newRow("restore of a damaged backup") << "--restore" << "damaged" << "No backup set in";
    QTest::newRow("restore of a set not there") << "--restore --set" << "damaged" << "holds no backup set";
    QTest::newRow("restore of a two-disk backup") << "--restore" << "twodisks" << "continues on Backup Disk # 2";
    QTest::newRow("backup into the workbook") << "--backup" << "workbook" << "workbook folder itself";
    QTest::newRow("backup to an unwritable place") << "--backup" << "readonly" << "Unable to write to";
    QTest::newRow("backup below a file") << "--backup" << "plainfile/backup" << "cannot be created";
}

void TestBackupCommand::failuresLeaveTheWorkbook()
{
    QFETCH(QString, option);
    QFETCH(QString, medium);
    QFETCH(QString, reasonPart);
    // Folder permissions do not bind the superuser: there the unwritable
    // place is a read-only file system.
    FullFilesystem readOnlyDisk;
    const bool readOnlyMount = medium == QStringLiteral("readonly") && ::geteuid() == 0;
    if (readOnlyMount)
        QVERIFY(readOnlyDisk.makeReadOnly());

    QTemporaryDir root;
    const QString workbook = root.filePath(QStringLiteral("workbook"));
    QDir().mkpath(workbook);
    write(workbook + QStringLiteral("/Stat1.Fil"), "statuses");
    write(workbook + QStringLiteral("/Location.Fil"), "location");
    QDir().mkpath(root.filePath(QStringLiteral("empty")));
    write(root.filePath(QStringLiteral("plainfile")), "not a folder");
    QDir().mkpath(root.filePath(QStringLiteral("readonly")));
    QFile::setPermissions(root.filePath(QStringLiteral("readonly")), QFile::ReadOwner | QFile::ExeOwner);
    // A good backup, then one file of its set changed.
    QCOMPARE(sentrivo({QStringLiteral("--workbook"), workbook, QStringLiteral("--backup"),
                       root.filePath(QStringLiteral("damaged"))})
                 .exitCode,
             0);
    const QString set = QDir(root.filePath(QStringLiteral("damaged"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot).value(0);
    write(root.filePath(QStringLiteral("damaged/") + set + QStringLiteral("/Stat1.hb1")), "statusez");
    // The first disk of a two-disk backup.
    QDir().mkpath(root.filePath(QStringLiteral("twodisks")));
    QByteArray info(180, '\0');
    const auto record = [&info](int n, const QByteArray &text) {
        info[(n - 1) * 30] = char(text.size());
        info.replace((n - 1) * 30 + 2, text.size(), text);
    };
    record(1, "HIPAA");
    record(2, "1");
    record(3, "2");
    record(4, "20");
    record(6, "T1");
    write(root.filePath(QStringLiteral("twodisks/DiskInfo.bk1")), info);
    write(root.filePath(QStringLiteral("twodisks/Stat1.hb1")), "other statuses");

    const QMap<QString, QByteArray> before = filesIn(workbook);
    QStringList arguments{QStringLiteral("--workbook"), workbook, option.section(QLatin1Char(' '), 0, 0), root.filePath(medium)};
    if (option.contains(QStringLiteral("--set")))
        arguments << QStringLiteral("--set") << QStringLiteral("Sentrivo backup 2001-01-01 000000");
    if (readOnlyMount)
        arguments[3] = readOnlyDisk.path();
    const Run run = sentrivo(arguments);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(reasonPart), qPrintable(run.err));
    QCOMPARE(filesIn(workbook), before);
    QVERIFY(!QFile::exists(workbook + QLatin1Char('/') + RestoreSwap::kStagingFolder));
    QFile::setPermissions(root.filePath(QStringLiteral("readonly")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestBackupCommand::backupToAFullMediumKeepsThePreviousBackup()
{
    QTemporaryDir root;
    const QString workbook = root.filePath(QStringLiteral("workbook"));
    writeSmallWorkbook(workbook, 'a');
    FullFilesystem stick(2 * 1024 * 1024);
    qInfo("the medium is %s", qPrintable(stick.kindName()));
    const QString target = stick.filePath(QStringLiteral("nightly"));
    QCOMPARE(sentrivo({QStringLiteral("--workbook"), workbook, QStringLiteral("--backup"), target}).exitCode, 0);
    const QMap<QString, QByteArray> goodBackup = treeOf(stick.path());
    QVERIFY(goodBackup.size() > 100);

    writeSmallWorkbook(workbook, 'b');
    QVERIFY(stick.fill());
    const Run run = sentrivo({QStringLiteral("--workbook"), workbook, QStringLiteral("--backup"), target});
    stick.unfill();
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(!run.out.contains(QStringLiteral("Backed up")), qPrintable(run.out));
    QVERIFY2(!run.err.isEmpty(), "the failure gives its reason");
    QCOMPARE(treeOf(stick.path()), goodBackup);

    // The good backup still restores.
    QCOMPARE(sentrivo({QStringLiteral("--workbook"), workbook, QStringLiteral("--restore"), target}).exitCode, 0);
    QCOMPARE(filesIn(workbook).value(QStringLiteral("Stat1.Fil")).left(1), QByteArray("a"));
    QCOMPARE(QDir(target).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden).size(), 1);
}

void TestBackupCommand::restoreOntoAFullDiskKeepsTheWorkbook()
{
    QTemporaryDir root;
    const QString target = root.filePath(QStringLiteral("backup"));
    FullFilesystem disk(2 * 1024 * 1024);
    qInfo("the workbook is on %s", qPrintable(disk.kindName()));
    const QString workbook = disk.filePath(QStringLiteral("workbook"));
    writeSmallWorkbook(workbook, 'a');
    QCOMPARE(sentrivo({QStringLiteral("--workbook"), workbook, QStringLiteral("--backup"), target}).exitCode, 0);
    writeSmallWorkbook(workbook, 'b');
    const QMap<QString, QByteArray> before = treeOf(disk.path());

    QVERIFY(disk.fill());
    const Run run = sentrivo({QStringLiteral("--workbook"), workbook, QStringLiteral("--restore"), target});
    disk.unfill();
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(!run.out.contains(QStringLiteral("Restored")), qPrintable(run.out));
    QVERIFY2(!run.err.isEmpty(), "the failure gives its reason");
    QCOMPARE(treeOf(disk.path()), before);
}

QTEST_GUILESS_MAIN(TestBackupCommand)
#include "tst_backupcommand.moc"
