#include "platform/spreadsheet/spreadsheet.h"

#include <QDate>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// One member of the XLSX zip, as text.
QString zipMember(const QByteArray &zip, const QString &member)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.xlsx"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(zip) != zip.size())
        return QString();
    file.close();
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, member});
    unzip.waitForFinished();
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

} // namespace

class TestSpreadsheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void csvQuotesWhatNeedsIt()
    {
        SpreadsheetTable table;
        table.header = {QStringLiteral("Name"), QStringLiteral("Note"), QStringLiteral("Due")};
        table.rows = {
            {QStringLiteral("Laptop, front desk"), QStringLiteral("says \"encrypted\""), QDate(2026, 3, 1)},
            {QStringLiteral("Server"), QStringLiteral("line one\nline two"), QVariant()},
            {QStringLiteral("Café"), 42, QStringLiteral("plain")},
        };
        const QByteArray expected =
            "\xEF\xBB\xBF"
            "Name,Note,Due\r\n"
            "\"Laptop, front desk\",\"says \"\"encrypted\"\"\",2026-03-01\r\n"
            "Server,\"line one\nline two\",\r\n"
            "Caf\xC3\xA9,42,plain\r\n";
        QCOMPARE(Spreadsheet::csvBytes(table), expected);
    }

    void sheetNamesAreWhatXlsxAllows_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "Assets" << "Assets";
        QTest::newRow("forbidden characters") << "Risks [open]: a/b" << "Risks  open   a b";
        QTest::newRow("too long") << QString(40, QLatin1Char('x')) << QString(31, QLatin1Char('x'));
        QTest::newRow("empty") << "" << "Sheet";
    }
    void sheetNamesAreWhatXlsxAllows()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(Spreadsheet::sheetName(name), expected);
    }

    void xlsxHoldsOneSheetPerTableWithTypedCells()
    {
        SpreadsheetTable assets{QStringLiteral("Assets"), {QStringLiteral("Name"), QStringLiteral("Records")},
                                {{QStringLiteral("EHR & billing"), 1200}}};
        SpreadsheetTable todo{QStringLiteral("Timeline"), {QStringLiteral("Item"), QStringLiteral("Due")},
                              {{QStringLiteral("Train staff"), QDate(2026, 1, 31)}}};
        QString error;
        const QByteArray bytes = Spreadsheet::xlsxBytes({assets, todo}, &error);
        QVERIFY2(!bytes.isEmpty(), qPrintable(error));
        QVERIFY(bytes.startsWith("PK"));
        const QString workbook = zipMember(bytes, QStringLiteral("xl/workbook.xml"));
        QVERIFY(workbook.contains(QStringLiteral("name=\"Assets\"")));
        QVERIFY(workbook.contains(QStringLiteral("name=\"Timeline\"")));
        const QString strings = zipMember(bytes, QStringLiteral("xl/sharedStrings.xml"));
        QVERIFY(strings.contains(QStringLiteral("EHR &amp; billing")));
        const QString sheet1 = zipMember(bytes, QStringLiteral("xl/worksheets/sheet1.xml"));
        QVERIFY(sheet1.contains(QStringLiteral("<v>1200</v>")));
        // 31 January 2026 is serial day 46053 in the 1900 date system.
        const QString sheet2 = zipMember(bytes, QStringLiteral("xl/worksheets/sheet2.xml"));
        QVERIFY2(sheet2.contains(QStringLiteral("<v>46053</v>")), qPrintable(sheet2));
    }
};

QTEST_GUILESS_MAIN(TestSpreadsheet)
#include "tst_spreadsheet.moc"
