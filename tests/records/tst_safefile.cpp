#include "platform/records/safefile.h"
#include "support/fullfilesystem.h"
#include "support/tempworkbook.h"

#include <QDirIterator>
#include <QMap>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

// The safe save: a save that fails leaves every file as it was, byte for
// byte, and no temporary file behind. The failures are ones that bind the
// superuser too, since the suite runs as root in CI.
class TestSafeFile : public QObject
{
    Q_OBJECT

public:
    enum Failure { NoRoomLeft, ParentIsAFile, TargetIsAFolder };
    Q_ENUM(Failure)

private Q_SLOTS:
    void saveReplacesTheWholeFile();
    void failedSaveChangesNothing_data();
    void failedSaveChangesNothing();
    void saveOnAFullFileSystemChangesNothing_data();
    void saveOnAFullFileSystemChangesNothing();
    void readWholeFileReportsAMissingFile();
};

namespace {

// Every file under the folder with its bytes, and every folder by name.
QMap<QString, QByteArray> snapshot(const QDir &dir)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(dir.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        entries.insert(dir.relativeFilePath(path),
                       it.fileInfo().isDir() ? QByteArray("<folder>") : (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>")));
    }
    return entries;
}

// Makes writes beyond a small size fail as they do on a full disk (EFBIG
// instead of the signal), until the object goes.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    bool isActive() const { return m_active; }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
    bool m_active = false;
};

const QByteArray kOldBytes = QByteArrayLiteral("{\\rtf1\\ansi The entry as it was saved last week.\\par}\r\n");

} // namespace

void TestSafeFile::saveReplacesTheWholeFile()
{
    TempWorkbook workbook;
    QVERIFY(workbook.writeFile(QStringLiteral("Action1.Fil"), QByteArray(5000, 'x')));
    QString error;
    QVERIFY(writeFileSafely(workbook.filePath(QStringLiteral("Action1.Fil")), kOldBytes, &error));
    QCOMPARE(error, QString());
    // Shorter than before: nothing of the old content is left at the end.
    QCOMPARE(snapshot(workbook.dir()), (QMap<QString, QByteArray>{{QStringLiteral("Action1.Fil"), kOldBytes}}));

    // A file that did not exist is created whole.
    QVERIFY(writeFileSafely(workbook.filePath(QStringLiteral("Policy1.Fil")), QByteArray()));
    QVERIFY(workbook.exists(QStringLiteral("Policy1.Fil")));
    QCOMPARE(workbook.readFile(QStringLiteral("Policy1.Fil")), QByteArray());
}

void TestSafeFile::failedSaveChangesNothing_data()
{
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QString>("target");
    QTest::newRow("no room left for the new content") << NoRoomLeft << QStringLiteral("Action1.Fil");
    QTest::newRow("the folder is a file") << ParentIsAFile << QStringLiteral("Action1.Fil/Action1.Fil");
    QTest::newRow("the file is a folder") << TargetIsAFolder << QStringLiteral("Folder");
}

void TestSafeFile::failedSaveChangesNothing()
{
    QFETCH(Failure, failure);
    QFETCH(QString, target);

    TempWorkbook workbook;
    QVERIFY(workbook.writeFile(QStringLiteral("Action1.Fil"), kOldBytes));
    QVERIFY(workbook.dir().mkdir(QStringLiteral("Folder")));
    QVERIFY(workbook.writeFile(QStringLiteral("Folder/Inside.Fil"), kOldBytes));
    const QMap<QString, QByteArray> before = snapshot(workbook.dir());

    const QByteArray newBytes(64 * 1024, 'n');
    QString error;
    bool saved = false;
    if (failure == NoRoomLeft) {
        const FileSizeLimit limit(1024);
        QVERIFY(limit.isActive());
        saved = writeFileSafely(workbook.filePath(target), newBytes, &error);
    } else {
        saved = writeFileSafely(workbook.filePath(target), newBytes, &error);
    }

    QVERIFY(!saved);
    QVERIFY2(!error.isEmpty(), "a failed save gives its reason");
    QCOMPARE(snapshot(workbook.dir()), before);

    // Once the cause is gone the same save succeeds.
    if (failure == NoRoomLeft) {
        QVERIFY(writeFileSafely(workbook.filePath(target), newBytes, &error));
        QCOMPARE(workbook.readFile(target), newBytes);
    }
}

void TestSafeFile::saveOnAFullFileSystemChangesNothing_data()
{
    // Up to 16 KB the bytes sit in the file's buffer until the commit; the
    // failure to write them out must still stop the replacement.
    QTest::addColumn<int>("size");
    QTest::newRow("100 bytes") << 100;
    QTest::newRow("4000 bytes") << 4000;
    QTest::newRow("16000 bytes") << 16000;
    QTest::newRow("16384 bytes, one whole buffer") << 16384;
    QTest::newRow("64 KB") << 64 * 1024;
}

void TestSafeFile::saveOnAFullFileSystemChangesNothing()
{
    QFETCH(int, size);
    FullFilesystem disk;
    qInfo("on %s", qPrintable(disk.kindName()));
    const QString path = disk.filePath(QStringLiteral("Action0.Fil"));
    QVERIFY(writeFileSafely(path, kOldBytes));
    const QMap<QString, QByteArray> before = snapshot(QDir(disk.path()));
    QVERIFY(disk.fill());

    const QByteArray newBytes(size, 'n');
    QString error;
    const bool saved = writeFileSafely(path, newBytes, &error);
    disk.unfill();

    QVERIFY2(!saved, "a save that did not reach the disk is reported as failed");
    QVERIFY2(!error.isEmpty(), "a failed save gives its reason");
    QCOMPARE(snapshot(QDir(disk.path())), before);

    QVERIFY(writeFileSafely(path, newBytes, &error));
    QCOMPARE(snapshot(QDir(disk.path())).value(QStringLiteral("Action0.Fil")), newBytes);
}

void TestSafeFile::readWholeFileReportsAMissingFile()
{
    TempWorkbook workbook;
    QByteArray bytes = "untouched";
    QString error;
    QVERIFY(!readWholeFile(workbook.filePath(QStringLiteral("Missing.Fil")), &bytes, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(bytes, QByteArray("untouched"));
    QVERIFY(workbook.writeFile(QStringLiteral("Present.Fil"), kOldBytes));
    QVERIFY(readWholeFile(workbook.filePath(QStringLiteral("Present.Fil")), &bytes, &error));
    QCOMPARE(bytes, kOldBytes);
}

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
