#include "platform/records/recordfile.h"
#include "support/tempworkbook.h"

#include <QFile>
#include <QTest>

#include <sys/fsuid.h>
#include <unistd.h>

Q_DECLARE_METATYPE(TaggedValue)

namespace {

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

// Concatenates byte runs (keeps each row's expected bytes a plain QByteArray).
template<typename... Parts>
QByteArray join(const Parts &...parts)
{
    QByteArray bytes;
    (bytes.append(parts), ...);
    return bytes;
}

// File permissions do not bind the superuser, and the suite runs as root in
// CI: there this thread takes an ordinary user's file-system identity (the
// other-users permission bits then apply) until the object goes.
class OrdinaryUserFileAccess
{
public:
    OrdinaryUserFileAccess()
        : m_root(::geteuid() == 0)
    {
        if (m_root)
            ::setfsuid(kNobody);
    }
    ~OrdinaryUserFileAccess()
    {
        if (m_root)
            ::setfsuid(0);
    }
    OrdinaryUserFileAccess(const OrdinaryUserFileAccess &) = delete;
    OrdinaryUserFileAccess &operator=(const OrdinaryUserFileAccess &) = delete;

private:
    static constexpr uid_t kNobody = 65534;
    bool m_root;
};

QByteArray zeros(int count)
{
    return QByteArray(count, '\0');
}

// A text record as a damaged or foreign file might hold it: any length word.
QByteArray rawTextRecord(int recordLength, quint16 storedLength, const QByteArray &bytes)
{
    QByteArray record(recordLength, '\0');
    record[0] = char(storedLength & 0xFF);
    record[1] = char(storedLength >> 8);
    record.replace(2, bytes.size(), bytes);
    return record.left(recordLength);
}

} // namespace

class TestRecordFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textRecordBytes_data();
    void textRecordBytes();
    void growingFillsSkippedRecordsWithZeros();
    void recordsBeyondTheEndReadEmpty();
    void tooLongTextIsRefusedAndRecordKept_data();
    void tooLongTextIsRefusedAndRecordKept();
    void damagedTextLengthReadsEmpty_data();
    void damagedTextLengthReadsEmpty();
    void taggedRecordBytes_data();
    void taggedRecordBytes();
    void taggedTextTooLongIsRefused();
    void damagedTaggedRecordsReadEmpty_data();
    void damagedTaggedRecordsReadEmpty();
    void openCreatesMissingFileAndFindsAnyCase();
    void failedOpenReadsEmptyAndRefusesWrites_data();
    void failedOpenReadsEmptyAndRefusesWrites();
    void readOnlyFileStillReads();
    void badRecordNumbers();
    void closeAllRecordFilesClosesEveryOpenFile();
    void oneShotAccessesSeeEachOther();
};

void TestRecordFile::textRecordBytes_data()
{
    QTest::addColumn<int>("recordLength");
    QTest::addColumn<int>("recordNo");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expectedFile");

    QTest::newRow("number text") << 20 << 1 << QStringLiteral("1")
                                 << join(hex("010031"), zeros(17));
    QTest::newRow("empty text") << 20 << 1 << QString() << zeros(20);
    QTest::newRow("second record") << 20 << 2 << QStringLiteral("No")
                                   << join(zeros(20), hex("0200"), "No", zeros(16));
    QTest::newRow("full record, 18 characters")
        << 20 << 1 << QStringLiteral("Not Yet Determined") << join(hex("1200"), "Not Yet Determined");
    QTest::newRow("Windows-1252 characters")
        << 10 << 1 << QStringLiteral("caf\u00e9 \u20ac") << join(hex("0600636166e92080"), zeros(2));
    QTest::newRow("outside the code page") << 10 << 1 << QStringLiteral("\u4e2d") << join(hex("01003f"), zeros(7));
}

void TestRecordFile::textRecordBytes()
{
    QFETCH(int, recordLength);
    QFETCH(int, recordNo);
    QFETCH(QString, text);
    QFETCH(QByteArray, expectedFile);

    TempWorkbook workbook;
    QVERIFY(workbook.isValid());
    {
        RecordFile file(workbook.filePath(QStringLiteral("Test.Fil")), recordLength);
        QVERIFY(file.writeText(recordNo, text));
    }
    QCOMPARE(workbook.readFile(QStringLiteral("Test.Fil")).toHex(' '), expectedFile.toHex(' '));

    RecordFile file(workbook.filePath(QStringLiteral("Test.Fil")), recordLength);
    const QString readable = QString(text).replace(QChar(0x4e2d), QLatin1Char('?'));
    QCOMPARE(file.readText(recordNo), readable);
}

void TestRecordFile::growingFillsSkippedRecordsWithZeros()
{
    TempWorkbook workbook;
    // Whatever the file system would leave in a hole, the gap must be zeros.
    QVERIFY(workbook.writeFile(QStringLiteral("GColor3.Fil"), QByteArray()));
    auto file = openRecordFile(workbook.filePath(QStringLiteral("GColor3.Fil")), 20);
    QVERIFY(file.writeText(35, QStringLiteral("Yes")));
    QCOMPARE(file.recordCount(), 35);
    for (int n = 1; n <= 34; ++n)
        QCOMPARE(file.readText(n), QString());
    QCOMPARE(file.readText(35), QStringLiteral("Yes"));
    file.close();

    const QByteArray bytes = workbook.readFile(QStringLiteral("GColor3.Fil"));
    QCOMPARE(bytes.size(), 35 * 20);
    QCOMPARE(bytes.left(34 * 20), zeros(34 * 20));

    // Writing inside the file changes only that record.
    RecordFile again(workbook.filePath(QStringLiteral("GColor3.Fil")), 20);
    QVERIFY(again.writeText(11, QStringLiteral("1")));
    again.close();
    const QByteArray after = workbook.readFile(QStringLiteral("GColor3.Fil"));
    QCOMPARE(after.size(), 35 * 20);
    QCOMPARE(after.mid(200, 20), join(hex("010031"), zeros(17)));
    QCOMPARE(after.mid(680), bytes.mid(680));
}

void TestRecordFile::recordsBeyondTheEndReadEmpty()
{
    TempWorkbook workbook;
    // One whole record, then half of a second one that claims the text "5".
    QVERIFY(workbook.writeFile(QStringLiteral("Short.Fil"),
                               join(rawTextRecord(20, 2, "Hi"), hex("010035"), zeros(7))));
    RecordFile file(workbook.filePath(QStringLiteral("Short.Fil")), 20);
    QCOMPARE(file.readText(1), QStringLiteral("Hi"));
    QCOMPARE(file.readText(2), QString());
    QCOMPARE(file.readText(3), QString());
    QCOMPARE(file.readText(1000000), QString());
    QVERIFY(file.readTagged(2).isEmpty());
    QCOMPARE(file.recordCount(), 1);
}

void TestRecordFile::tooLongTextIsRefusedAndRecordKept_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("stored");

    QTest::newRow("18 characters fit") << QStringLiteral("123456789012345678") << true;
    QTest::newRow("19 characters") << QStringLiteral("1234567890123456789") << false;
    QTest::newRow("far too long") << QString(300, QLatin1Char('x')) << false;
    // The limit is in bytes of the file's code page, which here is one per character.
    QTest::newRow("18 euro signs") << QString(18, QChar(0x20ac)) << true;
}

void TestRecordFile::tooLongTextIsRefusedAndRecordKept()
{
    QFETCH(QString, text);
    QFETCH(bool, stored);

    TempWorkbook workbook;
    RecordFile file(workbook.filePath(QStringLiteral("Stat1.Fil")), 20);
    QVERIFY(file.writeText(1, QStringLiteral("Completed")));
    const QByteArray before = workbook.readFile(QStringLiteral("Stat1.Fil"));

    QCOMPARE(file.writeText(1, text), stored);
    QCOMPARE(file.readText(1), stored ? text : QStringLiteral("Completed"));
    if (!stored)
        QCOMPARE(workbook.readFile(QStringLiteral("Stat1.Fil")), before);

    // A refused write beyond the end does not grow the file either.
    if (!stored) {
        QVERIFY(!file.writeText(5, text));
        QCOMPARE(workbook.readFile(QStringLiteral("Stat1.Fil")).size(), 20);
    }
}

void TestRecordFile::damagedTextLengthReadsEmpty_data()
{
    QTest::addColumn<QByteArray>("fileBytes");
    QTest::addColumn<QString>("expected");

    const QByteArray next = rawTextRecord(20, 4, "Next");
    QTest::newRow("length L-2 is the limit")
        << join(rawTextRecord(20, 18, "ABCDEFGHIJKLMNOPQR"), next) << QStringLiteral("ABCDEFGHIJKLMNOPQR");
    QTest::newRow("length L-1 would read into the next record")
        << join(rawTextRecord(20, 19, "ABCDEFGHIJKLMNOPQR"), next) << QString();
    QTest::newRow("length 0xFFFF") << join(rawTextRecord(20, 0xFFFF, "A"), next) << QString();
    QTest::newRow("length beyond the file") << rawTextRecord(20, 40, "A") << QString();
    QTest::newRow("zero bytes inside the text")
        << rawTextRecord(20, 3, QByteArray("A\0B", 3)) << QStringLiteral("A%1B").arg(QChar(0));
}

void TestRecordFile::damagedTextLengthReadsEmpty()
{
    QFETCH(QByteArray, fileBytes);
    QFETCH(QString, expected);

    TempWorkbook workbook;
    QVERIFY(workbook.writeFile(QStringLiteral("Damaged.Fil"), fileBytes));
    RecordFile file(workbook.filePath(QStringLiteral("Damaged.Fil")), 20);
    QCOMPARE(file.readText(1), expected);
}

void TestRecordFile::taggedRecordBytes_data()
{
    QTest::addColumn<TaggedValue>("value");
    QTest::addColumn<QByteArray>("expectedRecord");

    QTest::newRow("empty") << TaggedValue() << zeros(10);
    QTest::newRow("red") << TaggedValue(0x0000FF) << join(hex("0300ff000000"), zeros(4));
    QTest::newRow("blue") << TaggedValue(0xFF0000) << join(hex("03000000ff00"), zeros(4));
    QTest::newRow("negative") << TaggedValue(-2) << join(hex("0300feffffff"), zeros(4));
    QTest::newRow("Def") << TaggedValue(QStringLiteral("Def")) << join(hex("08000300"), "Def", zeros(3));
    QTest::newRow("empty text") << TaggedValue(QString()) << join(hex("08000000"), zeros(6));
    QTest::newRow("six characters fill it") << TaggedValue(QStringLiteral("abcdef"))
                                            << join(hex("08000600"), "abcdef");
}

void TestRecordFile::taggedRecordBytes()
{
    QFETCH(TaggedValue, value);
    QFETCH(QByteArray, expectedRecord);

    TempWorkbook workbook;
    {
        RecordFile file(workbook.filePath(QStringLiteral("HINV3.Fil")), 10);
        QVERIFY(file.writeTagged(3, value));
    }
    const QByteArray bytes = workbook.readFile(QStringLiteral("HINV3.Fil"));
    QCOMPARE(bytes.size(), 30);
    QCOMPARE(bytes.left(20), zeros(20));
    QCOMPARE(bytes.mid(20).toHex(' '), expectedRecord.toHex(' '));

    RecordFile file(workbook.filePath(QStringLiteral("HINV3.Fil")), 10);
    QCOMPARE(file.readTagged(3), value);
}

void TestRecordFile::taggedTextTooLongIsRefused()
{
    TempWorkbook workbook;
    RecordFile file(workbook.filePath(QStringLiteral("HINV3.Fil")), 10);
    QVERIFY(file.writeTagged(1, TaggedValue(7)));
    QVERIFY(!file.writeTagged(1, TaggedValue(QStringLiteral("abcdefg"))));
    QCOMPARE(file.readTagged(1), TaggedValue(7));

    // A record too short for an integer refuses one, too.
    RecordFile tiny(workbook.filePath(QStringLiteral("Tiny.Fil")), 4);
    QVERIFY(!tiny.writeTagged(1, TaggedValue(1)));
    QVERIFY(tiny.writeTagged(1, TaggedValue(QString())));
    QCOMPARE(workbook.readFile(QStringLiteral("Tiny.Fil")), hex("08000000"));
}

void TestRecordFile::damagedTaggedRecordsReadEmpty_data()
{
    QTest::addColumn<int>("recordLength");
    QTest::addColumn<QByteArray>("fileBytes");
    QTest::addColumn<TaggedValue>("expected");

    QTest::newRow("tag 2 is not ours") << 10 << join(hex("02000500"), zeros(6)) << TaggedValue();
    QTest::newRow("tag 5") << 10 << hex("05000000000000001440") << TaggedValue();
    QTest::newRow("tag 0xFFFF") << 10 << hex("ffffffffffffffffffff") << TaggedValue();
    QTest::newRow("text longer than the record") << 10 << join(hex("08000700"), "abcdef") << TaggedValue();
    QTest::newRow("text length 0xFFFF") << 10 << join(hex("0800ffff"), "abcdef") << TaggedValue();
    QTest::newRow("integer cut short by the end of file") << 10 << hex("0300ff00") << TaggedValue();
    QTest::newRow("integer tag in a 4-byte record") << 4 << hex("0300ff00") << TaggedValue();
    QTest::newRow("text tag in a 2-byte record") << 2 << hex("0800") << TaggedValue();
    QTest::newRow("sound integer for contrast") << 10 << join(hex("0300ff000000"), zeros(4))
                                                << TaggedValue(0xFF);
}

void TestRecordFile::damagedTaggedRecordsReadEmpty()
{
    QFETCH(int, recordLength);
    QFETCH(QByteArray, fileBytes);
    QFETCH(TaggedValue, expected);

    TempWorkbook workbook;
    QVERIFY(workbook.writeFile(QStringLiteral("Damaged.Fil"), fileBytes));
    RecordFile file(workbook.filePath(QStringLiteral("Damaged.Fil")), recordLength);
    QCOMPARE(file.readTagged(1), expected);
}

void TestRecordFile::openCreatesMissingFileAndFindsAnyCase()
{
    TempWorkbook workbook;
    {
        RecordFile file(workbook.filePath(QStringLiteral("HINV3.Fil")), 10);
        QVERIFY(file.isOpen());
    }
    QVERIFY(workbook.exists(QStringLiteral("HINV3.Fil")));
    QCOMPARE(workbook.readFile(QStringLiteral("HINV3.Fil")).size(), 0);

    // A workbook copied from a system that ignores case.
    QVERIFY(workbook.writeFile(QStringLiteral("STAT1.FIL"), rawTextRecord(20, 4, "Done")));
    {
        RecordFile file(workbook.filePath(QStringLiteral("Stat1.Fil")), 20);
        QCOMPARE(file.readText(1), QStringLiteral("Done"));
        QVERIFY(file.writeText(2, QStringLiteral("Open")));
    }
    QVERIFY(!workbook.exists(QStringLiteral("Stat1.Fil")));
    QCOMPARE(workbook.readFile(QStringLiteral("STAT1.FIL")).size(), 40);
}

void TestRecordFile::failedOpenReadsEmptyAndRefusesWrites_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("recordLength");

    QTest::newRow("missing folder") << QStringLiteral("no-such-folder/GColor3.Fil") << 20;
    QTest::newRow("a folder, not a file") << QStringLiteral("folder") << 20;
    QTest::newRow("no name") << QString() << 20;
    QTest::newRow("record length 0") << QStringLiteral("Zero.Fil") << 0;
    QTest::newRow("record length 1") << QStringLiteral("One.Fil") << 1;
    QTest::newRow("record length too large") << QStringLiteral("Huge.Fil") << 40000;
}

void TestRecordFile::failedOpenReadsEmptyAndRefusesWrites()
{
    QFETCH(QString, name);
    QFETCH(int, recordLength);

    TempWorkbook workbook;
    QVERIFY(workbook.dir().mkdir(QStringLiteral("folder")));
    RecordFile file(workbook.filePath(name), recordLength);
    QVERIFY(!file.isOpen());
    QCOMPARE(file.readText(1), QString());
    QVERIFY(file.readTagged(1).isEmpty());
    QVERIFY(!file.writeText(1, QStringLiteral("x")));
    QVERIFY(!file.writeTagged(1, TaggedValue(1)));
    QCOMPARE(file.recordCount(), 0);
    // An unusable record length creates nothing.
    QCOMPARE(workbook.dir().entryList(QDir::Files), QStringList());
}

void TestRecordFile::readOnlyFileStillReads()
{
    TempWorkbook workbook;
    const QByteArray bytes = rawTextRecord(30, 1, "3");
    QVERIFY(workbook.writeFile(QStringLiteral("DiskInfo.bk1"), bytes));
    const QFile::Permissions readable = QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
    QVERIFY(QFile::setPermissions(workbook.filePath(QStringLiteral("DiskInfo.bk1")), readable));
    QVERIFY(QFile::setPermissions(workbook.path(), readable | QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup
                                                       | QFile::ExeOther | QFile::WriteOwner | QFile::WriteUser));
    {
        const OrdinaryUserFileAccess ordinaryUser;
        RecordFile file(workbook.filePath(QStringLiteral("DiskInfo.bk1")), 30);
        QVERIFY(file.isOpen());
        QVERIFY(!file.isWritable());
        QCOMPARE(file.readText(1), QStringLiteral("3"));
        QVERIFY(!file.writeText(1, QStringLiteral("4")));
    }
    QCOMPARE(workbook.readFile(QStringLiteral("DiskInfo.bk1")), bytes);
}

void TestRecordFile::badRecordNumbers()
{
    TempWorkbook workbook;
    RecordFile file(workbook.filePath(QStringLiteral("Test.Fil")), 20);
    QVERIFY(file.writeText(1, QStringLiteral("kept")));
    for (int recordNo : {0, -1, std::numeric_limits<int>::min()}) {
        QVERIFY(!file.writeText(recordNo, QStringLiteral("x")));
        QVERIFY(!file.writeTagged(recordNo, TaggedValue(1)));
        QCOMPARE(file.readText(recordNo), QString());
    }
    // A wild record number must not make a file of gigabytes.
    QVERIFY(!file.writeText(std::numeric_limits<int>::max(), QStringLiteral("x")));
    const int lastAllowed = int(RecordFile::kMaxFileSize / 20);
    QVERIFY(!file.writeText(lastAllowed + 1, QStringLiteral("x")));
    QCOMPARE(workbook.readFile(QStringLiteral("Test.Fil")), rawTextRecord(20, 4, "kept"));
}

void TestRecordFile::closeAllRecordFilesClosesEveryOpenFile()
{
    TempWorkbook workbook;
    RecordFile settings(workbook.filePath(QStringLiteral("GColor3.Fil")), 20);
    auto colours = openRecordFile(workbook.filePath(QStringLiteral("HINV3.Fil")), 10);
    QVERIFY(settings.writeText(2, QStringLiteral("5")));
    QVERIFY(colours.writeTagged(3, TaggedValue(0xFF)));

    closeAllRecordFiles();
    QVERIFY(!settings.isOpen());
    QVERIFY(!colours.isOpen());
    QCOMPARE(settings.readText(2), QString());
    QVERIFY(!colours.writeTagged(3, TaggedValue(1)));

    // What was written before the close is in the files.
    QCOMPARE(readTextRecord(workbook.filePath(QStringLiteral("GColor3.Fil")), 20, 2), QStringLiteral("5"));
    QCOMPARE(readTaggedRecord(workbook.filePath(QStringLiteral("HINV3.Fil")), 10, 3), TaggedValue(0xFF));
}

void TestRecordFile::oneShotAccessesSeeEachOther()
{
    TempWorkbook workbook;
    QVERIFY(writeTextRecord(workbook.filePath(QStringLiteral("RAList.Fil")), 20, 21, QStringLiteral("Server Room")));
    QCOMPARE(readTextRecord(workbook.filePath(QStringLiteral("RAList.Fil")), 20, 21), QStringLiteral("Server Room"));
    QVERIFY(writeTextRecord(workbook.filePath(QStringLiteral("RAList.Fil")), 20, 21, QStringLiteral("Lab")));
    QCOMPARE(readTextRecord(workbook.filePath(QStringLiteral("ralist.fil")), 20, 21), QStringLiteral("Lab"));
    QVERIFY(writeTaggedRecord(workbook.filePath(QStringLiteral("HINV3.Fil")), 10, 3, TaggedValue(QStringLiteral("Def"))));
    QCOMPARE(readTaggedRecord(workbook.filePath(QStringLiteral("HINV3.Fil")), 10, 3).toText(), QStringLiteral("Def"));
    QCOMPARE(workbook.dir().entryList(QDir::Files),
             QStringList({QStringLiteral("HINV3.Fil"), QStringLiteral("RAList.Fil")}));
}

QTEST_GUILESS_MAIN(TestRecordFile)
#include "tst_recordfile.moc"
