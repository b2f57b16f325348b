#include "platform/database/schema.h"
#include "platform/database/workbookdatabase.h"
#include "platform/database/workbooksettings.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QStringList tablesOf(const WorkbookDatabase &database)
{
    QStringList names;
    QSqlQuery query(database.connection());
    query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    while (query.next())
        names << query.value(0).toString();
    return names;
}

QString pragma(const WorkbookDatabase &database, const QString &name)
{
    QSqlQuery query(database.connection());
    if (!query.exec(QStringLiteral("PRAGMA ") + name) || !query.next())
        return QString();
    return query.value(0).toString();
}

// Builds a database file at exactly the given version with the steps up to it.
void makeDatabaseAt(const QString &path, int version)
{
    const QString name = QStringLiteral("maker");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        for (const WorkbookSchema::Step &step : WorkbookSchema::steps()) {
            if (step.version > version)
                break;
            for (const QString &statement : step.statements)
                QVERIFY2(query.exec(statement), qPrintable(query.lastError().text()));
        }
        QVERIFY(query.exec(QStringLiteral("PRAGMA user_version = %1").arg(version)));
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// Files in the folder whose names start with the database's name.
QStringList databaseFiles(const QDir &dir)
{
    return dir.entryList({QStringLiteral("Workbook.sqlite*")}, QDir::Files, QDir::Name);
}

} // namespace

class TestWorkbookDatabase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void schemaStepsAreContiguous()
    {
        int expected = 1;
        for (const WorkbookSchema::Step &step : WorkbookSchema::steps())
            QCOMPARE(step.version, expected++);
        QCOMPARE(WorkbookDatabase::latestSchemaVersion(), expected - 1);
    }

    void missingFileIsCreatedWithTheSettingsInForce()
    {
        QTemporaryDir folder;
        WorkbookDatabase database(Workbook(folder.path()));
        const auto report = database.open();
        QCOMPARE(report.outcome, WorkbookDatabase::OpenOutcome::Created);
        QVERIFY(report.message.isEmpty());
        QVERIFY(database.isOpen());
        QVERIFY(!database.isReadOnly());
        QCOMPARE(database.schemaVersion(), WorkbookDatabase::latestSchemaVersion());
        QCOMPARE(pragma(database, QStringLiteral("foreign_keys")), QStringLiteral("1"));
        QCOMPARE(pragma(database, QStringLiteral("journal_mode")), QStringLiteral("delete"));
        QCOMPARE(pragma(database, QStringLiteral("synchronous")), QStringLiteral("2")); // FULL
        QVERIFY(QFileInfo::exists(folder.filePath(QStringLiteral("Workbook.sqlite"))));
    }

    // Every earlier version, the empty file among them, is brought up to date
    // and keeps what it held.
    void everyEarlierVersionMigrates_data()
    {
        QTest::addColumn<int>("version");
        for (int v = 0; v < WorkbookDatabase::latestSchemaVersion(); ++v)
            QTest::addRow("from version %d", v) << v;
        QTest::addRow("empty file") << -1;
    }
    void everyEarlierVersionMigrates()
    {
        QFETCH(int, version);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Workbook.sqlite"));
        if (version < 0)
            QVERIFY(writeAll(path, QByteArray()));
        else
            makeDatabaseAt(path, version);
        if (version >= 1) {
            // Write a setting with the older schema, straight through SQL.
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("older"));
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery(db).exec(QStringLiteral("INSERT INTO workbook_settings VALUES ('kept', 'yes')"));
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("older"));
        }

        WorkbookDatabase database(Workbook(folder.path()));
        const auto report = database.open();
        QCOMPARE(report.outcome, WorkbookDatabase::OpenOutcome::Opened);
        QCOMPARE(database.schemaVersion(), WorkbookDatabase::latestSchemaVersion());
        QVERIFY(tablesOf(database).contains(QStringLiteral("workbook_settings")));
        if (version >= 1)
            QCOMPARE(database.setting(QStringLiteral("kept")), QStringLiteral("yes"));
    }

    // A file SQLite rejects is moved aside untouched and a new one is made;
    // the rest of the workbook is not touched.
    void damagedFileIsMovedAsideAndNeverWritten_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addRow("not a database") << QByteArray("This is a letter, not a database.\n").repeated(200);
        QByteArray header("SQLite format 3");
        header.append('\0');
        QTest::addRow("database header, garbage pages") << header + QByteArray(8192, '\x5a');
    }
    void damagedFileIsMovedAsideAndNeverWritten()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Workbook.sqlite"));
        QVERIFY(writeAll(path, content));
        QVERIFY(writeAll(folder.filePath(QStringLiteral("Stat1.Fil")), "status"));

        WorkbookDatabase database(Workbook(folder.path()));
        const auto report = database.open();
        QCOMPARE(report.outcome, WorkbookDatabase::OpenOutcome::ReplacedDamaged);
        QVERIFY(report.message.contains(QStringLiteral("damaged")));
        QVERIFY(report.message.contains(QFileInfo(report.movedAsideTo).fileName()));
        QVERIFY(QFileInfo(report.movedAsideTo).fileName().startsWith(QStringLiteral("Workbook.sqlite.damaged-")));
        QCOMPARE(readAll(report.movedAsideTo), content);
        QCOMPARE(readAll(folder.filePath(QStringLiteral("Stat1.Fil"))), QByteArray("status"));
        QVERIFY(database.isOpen());
        QCOMPARE(database.schemaVersion(), WorkbookDatabase::latestSchemaVersion());
        QVERIFY(database.setSetting(QStringLiteral("k"), QStringLiteral("v")));
        QCOMPARE(readAll(report.movedAsideTo), content);
    }

    void newerVersionOpensReadOnlyAndStaysAsItWas()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Workbook.sqlite"));
        makeDatabaseAt(path, WorkbookDatabase::latestSchemaVersion() + 5);
        const QByteArray before = readAll(path);

        WorkbookDatabase database(Workbook(folder.path()));
        const auto report = database.open();
        QCOMPARE(report.outcome, WorkbookDatabase::OpenOutcome::ReadOnlyNewer);
        QVERIFY(report.message.contains(QStringLiteral("newer version")));
        QVERIFY(database.isReadOnly());
        QString error;
        QVERIFY(!database.setSetting(QStringLiteral("k"), QStringLiteral("v"), &error));
        QVERIFY(error.contains(QStringLiteral("read-only")));
        QVERIFY(error.startsWith(QDir::toNativeSeparators(path)));
        QCOMPARE(readAll(path), before);
        QCOMPARE(databaseFiles(folder.path()), QStringList{QStringLiteral("Workbook.sqlite")});
    }

    void aFolderInPlaceOfTheFileFailsAndIsLeftAlone()
    {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("Workbook.sqlite")));
        WorkbookDatabase database(Workbook(folder.path()));
        const auto report = database.open();
        QCOMPARE(report.outcome, WorkbookDatabase::OpenOutcome::Failed);
        QVERIFY(!report.message.isEmpty());
        QVERIFY(!database.isOpen());
        QVERIFY(QFileInfo(folder.filePath(QStringLiteral("Workbook.sqlite"))).isDir());
    }

    // A failed action leaves nothing of itself behind and says file and reason.
    void failedActionRollsBackWhole()
    {
        QTemporaryDir folder;
        WorkbookDatabase database(Workbook(folder.path()));
        database.open();
        QVERIFY(database.setSetting(QStringLiteral("a"), QStringLiteral("1")));
        QString error;
        const bool ok = database.transact(
            [](QSqlDatabase &db, QString *reason) {
                QSqlQuery query(db);
                query.exec(QStringLiteral("UPDATE workbook_settings SET value = '2' WHERE key = 'a'"));
                query.exec(QStringLiteral("INSERT INTO workbook_settings VALUES ('b', '1')"));
                *reason = QStringLiteral("the second step was refused");
                return false;
            },
            &error);
        QVERIFY(!ok);
        QVERIFY(error.contains(QStringLiteral("the second step was refused")));
        QVERIFY(error.startsWith(QDir::toNativeSeparators(database.filePath())));
        QCOMPARE(database.setting(QStringLiteral("a")), QStringLiteral("1"));
        QCOMPARE(database.setting(QStringLiteral("b"), QStringLiteral("none")), QStringLiteral("none"));
        // A constraint the schema holds fails the same way.
        QVERIFY(!database.setSetting(QString(), QStringLiteral("x"), &error));
    }

    // A write the file system refuses (a file-size limit stops root as a full
    // disk does) rolls back, is reported, and the committed data stays.
    void fullDiskRollsBackAndIsReported()
    {
        QTemporaryDir folder;
        WorkbookDatabase database(Workbook(folder.path()));
        database.open();
        QVERIFY(database.setSetting(QStringLiteral("kept"), QStringLiteral("yes")));
        const qint64 size = QFileInfo(database.filePath()).size();

        struct rlimit old {};
        getrlimit(RLIMIT_FSIZE, &old);
        auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = old;
        small.rlim_cur = rlim_t(size + 4096);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        QString error;
        const bool ok = database.setSetting(QStringLiteral("big"), QString(200000, QLatin1Char('x')), &error);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previousHandler);

        QVERIFY(!ok);
        QVERIFY(!error.isEmpty());
        QCOMPARE(database.setting(QStringLiteral("kept")), QStringLiteral("yes"));
        QCOMPARE(database.setting(QStringLiteral("big"), QStringLiteral("none")), QStringLiteral("none"));
        QVERIFY(database.setSetting(QStringLiteral("after"), QStringLiteral("works")));
    }

    void snapshotIsACompleteDatabase()
    {
        QTemporaryDir folder;
        WorkbookDatabase database(Workbook(folder.path()));
        database.open();
        QVERIFY(database.setSetting(QStringLiteral("committed"), QStringLiteral("yes")));
        QTemporaryDir target;
        const QString copy = target.filePath(QStringLiteral("Workbook.sqlite"));
        QString error;
        QVERIFY2(database.snapshotTo(copy, &error), qPrintable(error));
        QVERIFY(!database.snapshotTo(copy, &error));   // never over an existing file

        WorkbookDatabase restored(Workbook(target.path()));
        QCOMPARE(restored.open().outcome, WorkbookDatabase::OpenOutcome::Opened);
        QCOMPARE(restored.setting(QStringLiteral("committed")), QStringLiteral("yes"));
    }

    // A restore moves the open file aside and puts the backup's copy in its
    // place; the open connection keeps reading and writing the file it
    // opened. After reopen() both go to the file now in the workbook.
    void reopenFollowsAReplacedFile()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QLatin1String(WorkbookDatabase::kFileName));
        QTemporaryDir other;
        {
            WorkbookDatabase backup(Workbook(other.path()));
            backup.open();
            QVERIFY(backup.setSetting(QStringLiteral("state"), QStringLiteral("from the backup")));
        }
        WorkbookDatabase database(Workbook(folder.path()));
        database.open();
        QVERIFY(database.setSetting(QStringLiteral("state"), QStringLiteral("before the restore")));
        const QString asideFolder = folder.filePath(QStringLiteral("Before restore"));
        QVERIFY(QDir().mkpath(asideFolder));
        QVERIFY(QFile::rename(path, asideFolder + QStringLiteral("/Workbook.sqlite")));
        QVERIFY(QFile::copy(other.filePath(QLatin1String(WorkbookDatabase::kFileName)), path));

        // Without reopening, the run still sees the moved file.
        QCOMPARE(database.setting(QStringLiteral("state")), QStringLiteral("before the restore"));
        QCOMPARE(database.reopen().outcome, WorkbookDatabase::OpenOutcome::Opened);
        QCOMPARE(database.setting(QStringLiteral("state")), QStringLiteral("from the backup"));
        QVERIFY(database.setSetting(QStringLiteral("after"), QStringLiteral("saved")));
        WorkbookDatabase reader(Workbook(folder.path()));
        reader.open();
        QCOMPARE(reader.setting(QStringLiteral("after")), QStringLiteral("saved"));
    }

    void organizationProfileRoundTrips()
    {
        QTemporaryDir folder;
        OrganizationProfile profile;
        profile.organizationName = QStringLiteral("Riverside Family Clinic");
        profile.securityOfficial = QStringLiteral("Dana O'Neil");
        profile.privacyOfficial = QStringLiteral("Sam Patel");
        profile.address = QStringLiteral("12 Main Street\nSpringfield");
        profile.policiesEffective = QDate(2026, 7, 1);
        {
            WorkbookDatabase database(Workbook(folder.path()));
            database.open();
            QVERIFY(OrganizationProfile::load(database).isEmpty());
            QVERIFY(profile.save(database));
        }
        WorkbookDatabase database(Workbook(folder.path()));
        database.open();
        QCOMPARE(OrganizationProfile::load(database), profile);
    }
};

QTEST_GUILESS_MAIN(TestWorkbookDatabase)
#include "tst_workbookdatabase.moc"
