#include "platform/records/filenames.h"
#include "platform/records/numbertext.h"
#include "support/tempworkbook.h"

#include <QTest>

#include <limits>

// The number rules of text records and the case-blind lookup of file names.
class TestNumberTextAndNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textToNumber_data();
    void textToNumber();
    void textToIntegerRoundsAndClamps_data();
    void textToIntegerRoundsAndClamps();
    void numberToTextIsPlainDigits();
    void findFileIgnoringCase_data();
    void findFileIgnoringCase();
};

void TestNumberTextAndNames::textToNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("digit") << QStringLiteral("5") << 5.0;
    QTest::newRow("leading space") << QStringLiteral(" 5") << 5.0;
    QTest::newRow("many spaces and trailing ones") << QStringLiteral("   42  ") << 42.0;
    QTest::newRow("minus") << QStringLiteral("-12") << -12.0;
    QTest::newRow("plus") << QStringLiteral("+7") << 7.0;
    QTest::newRow("space after the sign ends it") << QStringLiteral("- 5") << 0.0;
    QTest::newRow("space inside digits ends them") << QStringLiteral("1 2") << 1.0;
    QTest::newRow("digits then letters") << QStringLiteral("12abc") << 12.0;
    QTest::newRow("decimal point") << QStringLiteral("1.5") << 1.5;
    QTest::newRow("second point ends it") << QStringLiteral("1.2.3") << 1.2;
    QTest::newRow("leading point") << QStringLiteral(".5") << 0.5;
    QTest::newRow("trailing point") << QStringLiteral("5.") << 5.0;
    QTest::newRow("point alone") << QStringLiteral(".") << 0.0;
    QTest::newRow("sign alone") << QStringLiteral("-") << 0.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("letters") << QStringLiteral("Yes") << 0.0;
    QTest::newRow("tab is not a space") << QStringLiteral("\t5") << 0.0;
    QTest::newRow("exponent is not read") << QStringLiteral("1e3") << 1.0;
    QTest::newRow("leading zeros") << QStringLiteral("007") << 7.0;
    QTest::newRow("non-ASCII digits") << QStringLiteral("\u0665") << 0.0;
    QTest::newRow("too many digits for a double") << QString(400, QLatin1Char('9')) << 0.0;
}

void TestNumberTextAndNames::textToNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(::textToNumber(text), expected);
}

void TestNumberTextAndNames::textToIntegerRoundsAndClamps_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("plain") << QStringLiteral(" 8") << 8;
    QTest::newRow("half rounds to even, down") << QStringLiteral("2.5") << 2;
    QTest::newRow("half rounds to even, up") << QStringLiteral("3.5") << 4;
    QTest::newRow("below half") << QStringLiteral("3.4") << 3;
    QTest::newRow("negative") << QStringLiteral("-1") << -1;
    QTest::newRow("too large") << QStringLiteral("99999999999") << std::numeric_limits<int>::max();
    QTest::newRow("too small") << QStringLiteral("-99999999999") << std::numeric_limits<int>::min();
}

void TestNumberTextAndNames::textToIntegerRoundsAndClamps()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(textToInteger(text), expected);
}

void TestNumberTextAndNames::numberToTextIsPlainDigits()
{
    QCOMPARE(numberToText(5), QStringLiteral("5"));
    QCOMPARE(numberToText(0), QStringLiteral("0"));
    QCOMPARE(numberToText(-12), QStringLiteral("-12"));
    QCOMPARE(numberToText(162), QStringLiteral("162"));
    for (qint64 value : {0LL, 1LL, -1LL, 8LL, 2147483647LL, -2147483648LL})
        QCOMPARE(::textToNumber(numberToText(value)), double(value));
}

void TestNumberTextAndNames::findFileIgnoringCase_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<QString>("expected");

    const QStringList none;
    QTest::newRow("exact name") << QStringList{QStringLiteral("GColor3.Fil")}
                                << QStringLiteral("GColor3.Fil") << QStringLiteral("GColor3.Fil");
    QTest::newRow("other case") << QStringList{QStringLiteral("GCOLOR3.FIL")}
                                << QStringLiteral("GColor3.Fil") << QStringLiteral("GCOLOR3.FIL");
    QTest::newRow("exact spelling preferred")
        << QStringList{QStringLiteral("TODONAME.FIL"), QStringLiteral("TODONAME.Fil")}
        << QStringLiteral("TODONAME.Fil") << QStringLiteral("TODONAME.Fil");
    QTest::newRow("missing: spelling as given") << none << QStringLiteral("Addtl45.dat")
                                                << QStringLiteral("Addtl45.dat");
    QTest::newRow("only a folder of that name") << QStringList{QStringLiteral("sub/")}
                                                << QStringLiteral("SUB") << QStringLiteral("SUB");
    QTest::newRow("inside a subfolder") << QStringList{QStringLiteral("sub/diskinfo.BK1")}
                                        << QStringLiteral("sub/DiskInfo.bk1")
                                        << QStringLiteral("sub/diskinfo.BK1");
    QTest::newRow("similar but different name") << QStringList{QStringLiteral("GColor3.Fil.bak")}
                                                << QStringLiteral("GColor3.Fil")
                                                << QStringLiteral("GColor3.Fil");
}

void TestNumberTextAndNames::findFileIgnoringCase()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, wanted);
    QFETCH(QString, expected);

    TempWorkbook workbook;
    for (const QString &entry : existing) {
        if (entry.endsWith(QLatin1Char('/'))) {
            QVERIFY(workbook.dir().mkpath(entry));
            continue;
        }
        if (entry.contains(QLatin1Char('/')))
            QVERIFY(workbook.dir().mkpath(QFileInfo(entry).path()));
        QVERIFY(workbook.writeFile(entry, "x"));
    }
    QCOMPARE(::findFileIgnoringCase(workbook.dir(), wanted), workbook.filePath(expected));
    // The same for a whole path, and through the workbook.
    QCOMPARE(::findFileIgnoringCase(workbook.filePath(wanted)), workbook.filePath(expected));
    QCOMPARE(workbook.workbook().filePath(wanted), workbook.filePath(expected));
    // A name to be created keeps the caller's spelling.
    if (!QFileInfo(workbook.filePath(expected)).isFile())
        QCOMPARE(::findFileIgnoringCase(workbook.filePath(wanted)), workbook.filePath(wanted));
}

QTEST_GUILESS_MAIN(TestNumberTextAndNames)
#include "tst_numbertext.moc"
