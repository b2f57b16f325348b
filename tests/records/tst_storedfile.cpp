#include "platform/records/recordfile.h"
#include "platform/records/safefile.h"
#include "platform/records/storedfile.h"
#include "support/tempworkbook.h"
#include "support/unreadablefile.h"

#include <QTest>

Q_DECLARE_METATYPE(Unreadable)

// The workbook's rule for files read before they are written: one that is
// there but cannot be read is told apart from one that is missing, and no
// save goes through a link to a file outside the workbook.
class TestStoredFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void missingAndReadFilesAreToldApart();
    void unreadableFileIsNeverTakenForAMissingOne_data() { addUnreadableRows(); }
    void unreadableFileIsNeverTakenForAMissingOne();
    void saveThroughALinkIsRefused_data();
    void saveThroughALinkIsRefused();
    void recordFileNeverWritesThroughALink();
};

void TestStoredFile::missingAndReadFilesAreToldApart()
{
    TempWorkbook workbook;
    const StoredFile::ReadResult missing = StoredFile::read(workbook.filePath(QStringLiteral("RAList.Fil")));
    QCOMPARE(missing.state, StoredFile::State::Missing);
    QVERIFY(!StoredFile::isPresent(workbook.filePath(QStringLiteral("RAList.Fil"))));

    QVERIFY(workbook.writeFile(QStringLiteral("RAList.Fil"), QByteArrayLiteral("\x03\0abc")));
    const StoredFile::ReadResult read = StoredFile::read(workbook.filePath(QStringLiteral("RAList.Fil")));
    QCOMPARE(read.state, StoredFile::State::Read);
    QCOMPARE(read.bytes, QByteArrayLiteral("\x03\0abc"));
    // An empty file is a file that was read, not a missing one.
    QVERIFY(workbook.writeFile(QStringLiteral("Empty.Fil"), QByteArray()));
    QCOMPARE(StoredFile::read(workbook.filePath(QStringLiteral("Empty.Fil"))).state, StoredFile::State::Read);
}

void TestStoredFile::unreadableFileIsNeverTakenForAMissingOne()
{
    QFETCH(Unreadable, how);
    TempWorkbook workbook;
    const QString name = QStringLiteral("TODONAME.Fil");
    QVERIFY(makeUnreadable(workbook, name, how));
    StoredFile::ReadResult result;
    {
        const OrdinaryUserFileAccess ordinaryUser;
        QVERIFY(StoredFile::isPresent(workbook.filePath(name)));
        result = StoredFile::read(workbook.filePath(name));
    }
    QCOMPARE(result.state, StoredFile::State::Unreadable);
    QVERIFY(!result.error.isEmpty());
    QVERIFY(result.bytes.isEmpty());
    QVERIFY(StoredFile::notWrittenOverMessage(workbook.filePath(name), result.error).contains(result.error));
}

void TestStoredFile::saveThroughALinkIsRefused_data()
{
    QTest::addColumn<bool>("targetExists");
    QTest::newRow("a link to a file outside") << true;
    QTest::newRow("a link to a file not there yet") << false;
}

void TestStoredFile::saveThroughALinkIsRefused()
{
    QFETCH(bool, targetExists);
    TempWorkbook workbook;
    QTemporaryDir outside;
    const QString target = outside.filePath(QStringLiteral("elsewhere.rtf"));
    const QByteArray targetBytes = QByteArrayLiteral("someone else's file");
    if (targetExists) {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(targetBytes);
    }
    const QString link = workbook.filePath(QStringLiteral("Action0.Fil"));
    QVERIFY(QFile::link(target, link));

    QString error;
    QVERIFY(!writeFileSafely(link, QByteArrayLiteral("{\\rtf1 new}"), &error));
    QVERIFY2(error.contains(QStringLiteral("link")), qPrintable(error));
    QVERIFY(QFileInfo(link).isSymLink());
    QFile file(target);
    if (targetExists) {
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), targetBytes);
    } else {
        QVERIFY(!file.exists());
    }
}

void TestStoredFile::recordFileNeverWritesThroughALink()
{
    TempWorkbook workbook;
    QTemporaryDir outside;
    const QString target = outside.filePath(QStringLiteral("statuses"));
    const QByteArray targetBytes = RecordFile::encodeTextRecord(QStringLiteral("Completed"), 20).value();
    {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(targetBytes);
    }
    QVERIFY(QFile::link(target, workbook.filePath(QStringLiteral("Stat1.Fil"))));
    {
        RecordFile file(workbook.filePath(QStringLiteral("Stat1.Fil")), 20);
        QCOMPARE(file.readText(1), QStringLiteral("Completed"));
        QVERIFY(!file.writeText(1, QStringLiteral("Not Applicable")));
    }
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), targetBytes);
}

QTEST_GUILESS_MAIN(TestStoredFile)
#include "tst_storedfile.moc"
