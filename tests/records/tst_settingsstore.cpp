#include "platform/records/restoringguard.h"
#include "platform/records/settingsstore.h"
#include "support/tempworkbook.h"

#include <QTest>

Q_DECLARE_METATYPE(StartScreenColour)

namespace {

QByteArray zeros(int count)
{
    return QByteArray(count, '\0');
}

// GColor3.Fil with one text record written by hand.
QByteArray colourFileWith(int recordNo, const QByteArray &text)
{
    QByteArray bytes = zeros(recordNo * 20);
    QByteArray record = zeros(20);
    record[0] = char(text.size());
    record.replace(2, text.size(), text);
    bytes.replace((recordNo - 1) * 20, 20, record);
    return bytes;
}

// HINV3.Fil whose record 3 is the given ten bytes.
QByteArray startColourFileWith(const QByteArray &record)
{
    return QByteArray(zeros(20) + record.leftJustified(10, '\0', true));
}

} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultsWithoutFiles();
    void guideLinesRecordBytes();
    void smallerDisplayGrowsTheFileToRecord35();
    void smallerDisplayReading_data();
    void smallerDisplayReading();
    void gridBackgroundReading_data();
    void gridBackgroundReading();
    void outOfRangeSettingsAreNotStored();
    void startScreenColourReading_data();
    void startScreenColourReading();
    void startScreenColourWriting();
    void settingsShareOneFileAndAreNotCached();
    void folderGivenToTheStore();
    void restoringGuardMarksAndRestores();
};

void TestSettingsStore::defaultsWithoutFiles()
{
    TempWorkbook workbook;
    SettingsStore store(workbook.workbook());
    QCOMPARE(store.gridBackground(), 0);
    QCOMPARE(store.guideLinesShown(), 0);
    QVERIFY(!store.smallerDisplay());
    QCOMPARE(store.startScreenColour(), StartScreenColour::colour(0xFF0000));
    // Reading creates the files, empty: the backup's write test relies on HINV3.Fil.
    QCOMPARE(workbook.readFile(QStringLiteral("HINV3.Fil")), QByteArray());
    QCOMPARE(workbook.readFile(QStringLiteral("GColor3.Fil")), QByteArray());
    QVERIFY(workbook.exists(QStringLiteral("HINV3.Fil")));
}

void TestSettingsStore::guideLinesRecordBytes()
{
    TempWorkbook workbook;
    SettingsStore store(workbook.workbook());
    QVERIFY(store.setGuideLinesShown(1));
    const QByteArray bytes = workbook.readFile(QStringLiteral("GColor3.Fil"));
    QCOMPARE(bytes.size(), 11 * 20);
    QCOMPARE(bytes.left(200), zeros(200));
    QCOMPARE(bytes.mid(200).toHex(' '), QByteArray("01 00 31 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
    QCOMPARE(store.guideLinesShown(), 1);

    QVERIFY(store.setGuideLinesShown(0));
    QCOMPARE(workbook.readFile(QStringLiteral("GColor3.Fil")).mid(200, 3).toHex(), QByteArray("010030"));
    QCOMPARE(store.guideLinesShown(), 0);
}

void TestSettingsStore::smallerDisplayGrowsTheFileToRecord35()
{
    TempWorkbook workbook;
    QVERIFY(workbook.writeFile(QStringLiteral("GColor3.Fil"), QByteArray()));
    SettingsStore store(workbook.workbook());
    QVERIFY(store.setSmallerDisplay(true));
    QByteArray bytes = workbook.readFile(QStringLiteral("GColor3.Fil"));
    QCOMPARE(bytes.size(), 35 * 20);
    QCOMPARE(bytes.left(34 * 20), zeros(34 * 20));
    QCOMPARE(bytes.mid(34 * 20), QByteArray(QByteArray::fromHex("0300596573") + zeros(15)));
    QVERIFY(store.smallerDisplay());
    // Records 1-34 read empty, so the other settings keep their defaults.
    QCOMPARE(store.gridBackground(), 0);
    QCOMPARE(store.guideLinesShown(), 0);

    QVERIFY(store.setSmallerDisplay(false));
    bytes = workbook.readFile(QStringLiteral("GColor3.Fil"));
    QCOMPARE(bytes.mid(34 * 20), QByteArray(QByteArray::fromHex("02004e6f") + zeros(16)));
    QVERIFY(!store.smallerDisplay());
}

void TestSettingsStore::smallerDisplayReading_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("smaller");

    QTest::newRow("Yes") << QByteArray("Yes") << true;
    QTest::newRow(" Yes") << QByteArray(" Yes") << true;
    QTest::newRow("Yes ") << QByteArray("Yes ") << true;
    QTest::newRow("  Yes  ") << QByteArray("  Yes  ") << true;
    QTest::newRow("first three characters count") << QByteArray("Yesterday") << true;
    QTest::newRow("yes") << QByteArray("yes") << false;
    QTest::newRow("YES") << QByteArray("YES") << false;
    QTest::newRow("No") << QByteArray("No") << false;
    QTest::newRow("Ye") << QByteArray("Ye") << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("tab before") << QByteArray("\tYes") << false;
    QTest::newRow("Y es") << QByteArray("Y es") << false;
}

void TestSettingsStore::smallerDisplayReading()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, smaller);

    TempWorkbook workbook;
    QVERIFY(workbook.writeFile(QStringLiteral("GColor3.Fil"), colourFileWith(35, stored)));
    QCOMPARE(SettingsStore(workbook.workbook()).smallerDisplay(), smaller);
}

void TestSettingsStore::gridBackgroundReading_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("picture");

    QTest::newRow("5") << QByteArray("5") << 5;
    QTest::newRow(" 5") << QByteArray(" 5") << 5;
    QTest::newRow("0") << QByteArray("0") << 0;
    QTest::newRow("8") << QByteArray("8") << 8;
    QTest::newRow("9 has no picture") << QByteArray("9") << 0;
    QTest::newRow("-1") << QByteArray("-1") << 0;
    QTest::newRow("3.4") << QByteArray("3.4") << 3;
    QTest::newRow("letters") << QByteArray("WP3") << 0;
    QTest::newRow("empty") << QByteArray() << 0;
}

void TestSettingsStore::gridBackgroundReading()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, picture);

    TempWorkbook workbook;
    QVERIFY(workbook.writeFile(QStringLiteral("GColor3.Fil"), colourFileWith(2, stored)));
    QCOMPARE(SettingsStore(workbook.workbook()).gridBackground(), picture);
}

void TestSettingsStore::outOfRangeSettingsAreNotStored()
{
    TempWorkbook workbook;
    SettingsStore store(workbook.workbook());
    QVERIFY(store.setGridBackground(3));
    QVERIFY(store.setGuideLinesShown(1));
    const QByteArray before = workbook.readFile(QStringLiteral("GColor3.Fil"));

    QVERIFY(!store.setGridBackground(9));
    QVERIFY(!store.setGridBackground(-1));
    QVERIFY(!store.setGuideLinesShown(2));
    QVERIFY(!store.setStartScreenColour(0x01000000));
    QCOMPARE(workbook.readFile(QStringLiteral("GColor3.Fil")), before);
    QCOMPARE(store.gridBackground(), 3);
    QCOMPARE(store.startScreenColour(), StartScreenColour::colour(0xFF0000));
}

void TestSettingsStore::startScreenColourReading_data()
{
    QTest::addColumn<QByteArray>("record3");
    QTest::addColumn<StartScreenColour>("expected");

    const auto colour = &StartScreenColour::colour;
    QTest::newRow("red") << QByteArray::fromHex("0300ff000000") << colour(0x0000FF);
    QTest::newRow("black") << QByteArray::fromHex("030000000000") << colour(0);
    QTest::newRow("Def") << QByteArray::fromHex("08000300446566") << StartScreenColour::defaultColour();
    QTest::newRow("Def with trailing spaces") << QByteArray::fromHex("080005004465662020")
                                              << StartScreenColour::defaultColour();
    QTest::newRow("def in lower case") << QByteArray::fromHex("08000300646566") << colour(0xFF0000);
    QTest::newRow("empty text") << QByteArray::fromHex("08000000") << colour(0xFF0000);
    QTest::newRow("tag 0") << QByteArray::fromHex("0000") << colour(0xFF0000);
    QTest::newRow("other text") << QByteArray::fromHex("080004004275656e") << colour(0xFF0000);
    QTest::newRow("unknown tag") << QByteArray::fromHex("0200ff00") << colour(0xFF0000);
    QTest::newRow("text length too large") << QByteArray::fromHex("08002000446566") << colour(0xFF0000);
    QTest::newRow("system colour reference") << QByteArray::fromHex("030005000080")
                                             << StartScreenColour::defaultColour();
}

void TestSettingsStore::startScreenColourReading()
{
    QFETCH(QByteArray, record3);
    QFETCH(StartScreenColour, expected);

    TempWorkbook workbook;
    QVERIFY(workbook.writeFile(QStringLiteral("HINV3.Fil"), startColourFileWith(record3)));
    QCOMPARE(SettingsStore(workbook.workbook()).startScreenColour(), expected);

    // Cut inside record 3: the record lies partly beyond the end.
    QVERIFY(workbook.writeFile(QStringLiteral("HINV3.Fil"), startColourFileWith(record3).left(25)));
    QCOMPARE(SettingsStore(workbook.workbook()).startScreenColour(), StartScreenColour::colour(0xFF0000));
}

void TestSettingsStore::startScreenColourWriting()
{
    TempWorkbook workbook;
    SettingsStore store(workbook.workbook());
    QVERIFY(store.setStartScreenColour(0x00FF00));
    QCOMPARE(workbook.readFile(QStringLiteral("HINV3.Fil")).toHex(),
             QByteArray(QByteArray(40, '0') + "0300" "00ff0000" "00000000"));
    QCOMPARE(store.startScreenColour(), StartScreenColour::colour(0x00FF00));

    QVERIFY(store.setStartScreenColourDefault());
    QCOMPARE(workbook.readFile(QStringLiteral("HINV3.Fil")).mid(20).toHex(),
             QByteArray("08000300446566000000"));
    QCOMPARE(store.startScreenColour(), StartScreenColour::defaultColour());
}

void TestSettingsStore::settingsShareOneFileAndAreNotCached()
{
    TempWorkbook workbook;
    SettingsStore first(workbook.workbook());
    SettingsStore second(workbook.workbook());
    QVERIFY(first.setGridBackground(5));
    QVERIFY(first.setGuideLinesShown(1));
    QVERIFY(first.setSmallerDisplay(true));
    QCOMPARE(second.gridBackground(), 5);
    QCOMPARE(second.guideLinesShown(), 1);
    QVERIFY(second.smallerDisplay());
    QVERIFY(second.setGridBackground(0));
    QCOMPARE(first.gridBackground(), 0);
    // Each setting kept its own record.
    const QByteArray bytes = workbook.readFile(QStringLiteral("GColor3.Fil"));
    QCOMPARE(bytes.size(), 700);
    QCOMPARE(bytes.mid(20, 3), QByteArray::fromHex("010030"));
    QCOMPARE(bytes.mid(200, 3), QByteArray::fromHex("010031"));
    QCOMPARE(bytes.mid(680, 5), QByteArray::fromHex("0300596573"));
}

void TestSettingsStore::folderGivenToTheStore()
{
    // Another workbook beside it stays untouched.
    TempWorkbook current;
    TempWorkbook other;
    // A workbook from a system that ignores case.
    QVERIFY(other.writeFile(QStringLiteral("GCOLOR3.FIL"), colourFileWith(35, "Yes")));

    SettingsStore store(other.workbook());
    QVERIFY(store.smallerDisplay());
    QVERIFY(store.setGuideLinesShown(1));
    QCOMPARE(other.dir().entryList(QDir::Files), QStringList{QStringLiteral("GCOLOR3.FIL")});
    QCOMPARE(other.readFile(QStringLiteral("GCOLOR3.FIL")).mid(200, 3), QByteArray::fromHex("010031"));
    QCOMPARE(current.dir().entryList(QDir::Files), QStringList());
}

void TestSettingsStore::restoringGuardMarksAndRestores()
{
    // A screen restoring a stored option: the change handler sees the marker
    // and writes nothing back; a later user choice writes.
    TempWorkbook workbook;
    SettingsStore store(workbook.workbook());
    bool restoring = false;
    const auto onGuideLinesChosen = [&](int option) {
        if (!restoring)
            store.setGuideLinesShown(option);
    };
    {
        RestoringGuard guard(restoring);
        QVERIFY(restoring);
        {
            RestoringGuard nested(restoring);
            onGuideLinesChosen(1);
        }
        QVERIFY(restoring);
    }
    QVERIFY(!restoring);
    QCOMPARE(workbook.readFile(QStringLiteral("GColor3.Fil")), QByteArray());
    onGuideLinesChosen(1);
    QCOMPARE(store.guideLinesShown(), 1);
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
