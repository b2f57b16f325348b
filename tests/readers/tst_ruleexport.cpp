// "--export rule:N OUT.pdf": section N printed as the reader's Print does
// with nothing selected.
#include "printing/pdftext.h"
#include "readers/ruleexport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestRuleExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exportNames_data();
    void exportNames();
    void exportsWholeSection();
    void failuresAreReported();
};

void TestRuleExport::exportNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("section");
    QTest::newRow("first") << "rule:0" << 0;
    QTest::newRow("last") << "rule:24" << 24;
    QTest::newRow("beyond") << "rule:25" << -1;
    QTest::newRow("negative") << "rule:-1" << -1;
    QTest::newRow("not a number") << "rule:x" << -1;
    QTest::newRow("another document") << "summary" << -1;
}

void TestRuleExport::exportNames()
{
    QFETCH(QString, name);
    QFETCH(int, section);
    QCOMPARE(ruleSectionOfExportName(name), section);
}

void TestRuleExport::exportsWholeSection()
{
    QTemporaryDir content;
    QFile section(content.filePath(QStringLiteral("PR21.Fl1")));
    QVERIFY(section.open(QIODevice::WriteOnly));
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs22 {\\b V. Federalism}\\par\n";
    for (int paragraph = 1; paragraph <= 120; ++paragraph)
        rtf += "Paragraph " + QByteArray::number(paragraph)
               + " of the federalism section, long enough to fill a line or two of the printed page.\\par\n";
    section.write(rtf + "}");
    section.close();

    const QString pdf = content.filePath(QStringLiteral("out.pdf"));
    QString error;
    QVERIFY2(exportRuleSection(content.path(), 21, pdf, &error), qPrintable(error));
    const QStringList pages = pdfPageTexts(pdf);
    if (pages.isEmpty())
        QSKIP("pdftotext is not installed");
    QVERIFY(pages.size() >= 2);
    QVERIFY(collapsed(pages.first()).contains(QStringLiteral("V. Federalism")));
    QVERIFY(collapsed(pages.join(QChar(u' '))).contains(QStringLiteral("Paragraph 120 of the federalism section")));
    QCOMPARE(pdfInfoField(pdf, QStringLiteral("Title")), QStringLiteral("Security Rule - Federalism"));
    QVERIFY(pdfInfoField(pdf, QStringLiteral("Page size")).contains(QStringLiteral("612 x 792")));
}

void TestRuleExport::failuresAreReported()
{
    QTemporaryDir content;
    const QString pdf = content.filePath(QStringLiteral("out.pdf"));
    QString error;
    QVERIFY(!exportRuleSection(content.path(), 3, pdf, &error));
    QVERIFY(error.contains(QStringLiteral("PR3.Fl1")));
    QVERIFY(!QFile::exists(pdf));
    QVERIFY(!exportRuleSection(content.path(), 25, pdf, &error));
    QVERIFY(error.contains(QStringLiteral("0 to 24")));
}

QTEST_MAIN(TestRuleExport)
#include "tst_ruleexport.moc"
