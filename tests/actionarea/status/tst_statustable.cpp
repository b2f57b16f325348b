// The status table against Stat1.Fil: which records are read when, what a
// write leaves in the file byte by byte, and which record each panel's item
// stores its status in.
#include "actionarea/status/statustable.h"
#include "actionarea/status/statusvalues.h"
#include "platform/records/recordfile.h"
#include "support/tempworkbook.h"

#include <QtTest>

namespace {

const QString kStat = QStringLiteral("Stat1.Fil");

QString record(const TempWorkbook &workbook, int n)
{
    return readTextRecord(workbook.filePath(kStat), 20, n);
}

void writeRecord(const TempWorkbook &workbook, int n, const QString &text)
{
    QVERIFY(writeTextRecord(workbook.filePath(kStat), 20, n, text));
}

// The 20 bytes a text record of length-prefixed ANSI text with zero padding holds.
QByteArray textRecordBytes(const QByteArray &text)
{
    QByteArray bytes(20, '\0');
    bytes[0] = char(text.size());
    bytes.replace(2, text.size(), text);
    return bytes;
}

} // namespace

class StatusTableTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        workbook_ = std::make_unique<TempWorkbook>();
        QVERIFY(workbook_->isValid());
    }
    void cleanup() { workbook_.reset(); }

    void recordOfEachPanelItem_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("expected"); // -1: nothing is stored

        QTest::newRow("administrative first") << 2 << 0 << 1;
        QTest::newRow("administrative last") << 2 << 22 << 23;
        QTest::newRow("administrative past the group") << 2 << 23 << -1;
        QTest::newRow("physical first") << 3 << 0 << 24;
        QTest::newRow("physical last") << 3 << 9 << 33;
        QTest::newRow("technical first") << 4 << 0 << 34;
        QTest::newRow("technical last") << 4 << 8 << 42;
        QTest::newRow("organizational") << 5 << 2 << 45;
        QTest::newRow("organizational past the group") << 5 << 3 << -1;
        QTest::newRow("documentation") << 6 << 1 << 47;
        QTest::newRow("worksheet first") << 7 << 0 << 48;
        QTest::newRow("worksheet last") << 7 << 20 << 68;
        QTest::newRow("worksheet past the list") << 7 << 21 << -1;
        QTest::newRow("negative index") << 2 << -1 << -1;
        QTest::newRow("standards view") << 0 << 0 << -1;
        QTest::newRow("timeline") << 1 << 0 << -1;
        QTest::newRow("disaster recovery plan") << 8 << 0 << -1;
        QTest::newRow("sample") << 9 << 0 << -1;
    }
    void recordOfEachPanelItem()
    {
        QFETCH(int, mode);
        QFETCH(int, index);
        QFETCH(int, expected);
        QCOMPARE(StatusValues::statusRecordFor(workModeFromInt(mode), index).value_or(-1), expected);
    }

    void firstRunEveryStatusIsEmpty()
    {
        StatusTable table(workbook_->workbook());
        table.loadStatusTable();
        for (int slot = 0; slot < StatusTable::kSlotCount; ++slot)
            QCOMPARE(table.slot(slot), QString());
        // Reading created the file, and wrote nothing into it.
        QVERIFY(workbook_->exists(kStat));
        QCOMPARE(workbook_->readFile(kStat), QByteArray());
    }

    void loadReadsRecordsOneToSixtyEight()
    {
        for (int n = 1; n <= 70; ++n)
            writeRecord(*workbook_, n, QStringLiteral("r%1").arg(n));
        StatusTable table(workbook_->workbook());
        table.loadStatusTable();
        QCOMPARE(table.slot(0), QString());
        QCOMPARE(table.slot(1), QStringLiteral("r1"));
        QCOMPARE(table.slot(42), QStringLiteral("r42"));
        QCOMPARE(table.slot(48), QStringLiteral("r48"));
        QCOMPARE(table.slot(68), QStringLiteral("r68"));
        QCOMPARE(table.slot(69), QString());
        QCOMPARE(table.slot(70), QString());
    }

    void reloadRereadsOnlyTheStandards()
    {
        for (int n = 1; n <= 68; ++n)
            writeRecord(*workbook_, n, QStringLiteral("old"));
        StatusTable table(workbook_->workbook());
        table.loadStatusTable();
        for (int n : {1, 42, 43, 47, 48, 68})
            writeRecord(*workbook_, n, QStringLiteral("new"));

        table.reloadStandardStatuses();
        QCOMPARE(table.slot(1), QStringLiteral("new"));
        QCOMPARE(table.slot(42), QStringLiteral("new"));
        QCOMPARE(table.slot(43), QStringLiteral("old"));
        QCOMPARE(table.slot(47), QStringLiteral("old"));
        QCOMPARE(table.slot(48), QStringLiteral("old"));
        QCOMPARE(table.slot(68), QStringLiteral("old"));
    }

    void slotsBeyondSeventyAreRejected()
    {
        StatusTable table(workbook_->workbook());
        QVERIFY(table.setSlot(0, QStringLiteral("x")));
        QVERIFY(table.setSlot(70, QStringLiteral("y")));
        QCOMPARE(table.slot(70), QStringLiteral("y"));
        QVERIFY(!table.setSlot(71, QStringLiteral("z")));
        QVERIFY(!table.setSlot(-1, QStringLiteral("z")));
        QCOMPARE(table.slot(71), QString());
        QCOMPARE(table.slot(-1), QString());
        // Only records 1-68 are status records.
        QVERIFY(!table.writeStatus(69, QStringLiteral("Pending")));
        QVERIFY(!table.writeStatus(0, QStringLiteral("Pending")));
        QCOMPARE(table.slot(69), QString());
        QCOMPARE(workbook_->readFile(kStat), QByteArray());
    }

    void writeGoesToTheRecordAndTheSlot_data()
    {
        QTest::addColumn<int>("record");
        QTest::addColumn<QString>("text");
        QTest::newRow("blank choice") << 1 << QStringLiteral(" ");
        QTest::newRow("completed") << 23 << QStringLiteral("Completed");
        QTest::newRow("not implemented") << 47 << QStringLiteral("Not Implemented");
        QTest::newRow("not applicable") << 12 << QStringLiteral("Not Applicable");
        QTest::newRow("worksheet") << 68 << QStringLiteral("Partial");
    }
    void writeGoesToTheRecordAndTheSlot()
    {
        QFETCH(int, record);
        QFETCH(QString, text);
        StatusTable table(workbook_->workbook());
        QVERIFY(table.writeStatus(record, text));
        QCOMPARE(table.slot(record), text);

        const QByteArray file = workbook_->readFile(kStat);
        QCOMPARE(file.size(), record * 20);
        QCOMPARE(file.mid((record - 1) * 20, 20), textRecordBytes(text.toLatin1()));
        // The records skipped over read as never chosen.
        QCOMPARE(file.left((record - 1) * 20), QByteArray((record - 1) * 20, '\0'));
    }

    void failedWriteKeepsTheStoredSlot()
    {
        // A folder in the file's place: the open fails, the program goes on,
        // and the slot still says what is stored (nothing).
        QVERIFY(workbook_->dir().mkdir(kStat));
        StatusTable table(workbook_->workbook());
        QVERIFY(!table.writeStatus(5, QStringLiteral("Working")));
        QCOMPARE(table.slot(5), QString());
    }

    void textTooLongForTheRecordKeepsTheRecord()
    {
        writeRecord(*workbook_, 3, QStringLiteral("Pending"));
        StatusTable table(workbook_->workbook());
        table.loadStatusTable();
        const QString longText = QStringLiteral("Nineteen characters");
        QCOMPARE(longText.size(), 19);
        QVERIFY(!table.writeStatus(3, longText));
        QCOMPARE(record(*workbook_, 3), QStringLiteral("Pending"));
        QCOMPARE(table.slot(3), QStringLiteral("Pending"));
    }

    void clearingAWorksheetStatus_data()
    {
        QTest::addColumn<int>("worksheet");
        QTest::newRow("first") << 0;
        QTest::newRow("middle") << 10;
        QTest::newRow("last") << 20;
    }
    void clearingAWorksheetStatus()
    {
        QFETCH(int, worksheet);
        for (int n = 46; n <= 68; ++n)
            writeRecord(*workbook_, n, QStringLiteral("Yes"));
        StatusTable table(workbook_->workbook());
        table.loadStatusTable();

        QVERIFY(table.clearWorksheetStatus(worksheet));
        const int cleared = 48 + worksheet;
        for (int n = 46; n <= 68; ++n) {
            const QString expected = n == cleared ? QString() : QStringLiteral("Yes");
            QCOMPARE(record(*workbook_, n), expected);
            QCOMPARE(table.slot(n), expected);
        }
    }

    void clearingAWorksheetOutsideTheListChangesNothing()
    {
        writeRecord(*workbook_, 68, QStringLiteral("No"));
        StatusTable table(workbook_->workbook());
        table.loadStatusTable();
        const QByteArray before = workbook_->readFile(kStat);
        QVERIFY(!table.clearWorksheetStatus(21));
        QVERIFY(!table.clearWorksheetStatus(-1));
        QCOMPARE(workbook_->readFile(kStat), before);
        QCOMPARE(table.slot(68), QStringLiteral("No"));
    }

private:
    std::unique_ptr<TempWorkbook> workbook_;
};

QTEST_GUILESS_MAIN(StatusTableTest)
#include "tst_statustable.moc"
