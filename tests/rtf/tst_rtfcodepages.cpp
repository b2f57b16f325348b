#include "platform/rtf/rtf.h"
#include "rtftesthelpers.h"

#include <QTest>

using namespace RtfTest;

// RTF in other code pages, as word processors write it: the document's
// \ansicpg and each font's \fcharset say how its \'hh bytes read, and
// double-byte pages split a character over two of them.
class TestRtfCodePages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsTextInItsCodePage_data();
    void readsTextInItsCodePage();
    void fontNamesReadInTheirCharset_data();
    void fontNamesReadInTheirCharset();
};

namespace {

QByteArray codePageFixture(const char *name)
{
    return fixture(QStringLiteral("codepages/") + QLatin1String(name));
}

} // namespace

void TestRtfCodePages::readsTextInItsCodePage_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("Polish, 1250") << codePageFixture("polish-1250.rtf")
                                  << QStringLiteral("Proszę o podpis: świętokrzyski urząd, łódź.");
    QTest::newRow("Russian, 1251") << codePageFixture("russian-1251.rtf") << QStringLiteral("План защиты № 1");
    // A lead byte with a literal trail byte, and \u whose two-byte fallback
    // is skipped whole.
    QTest::newRow("Chinese, 936 double-byte") << codePageFixture("chinese-936.rtf")
                                              << QStringLiteral("中文 text 丂 文 end");
    // The trail byte 0x5C written as the escaped backslash.
    QTest::newRow("Japanese, 932 double-byte") << codePageFixture("japanese-932.rtf") << QStringLiteral("ソフト ソ");
    QTest::newRow("Thai font in a Western document") << codePageFixture("thai-charset222.rtf")
                                                     << QStringLiteral("café สวัสดี été");

    QTest::newRow("font without a charset takes the document's page")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\\f0 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}")
        << QStringLiteral("Привет");
    QTest::newRow("text before any font takes the default font's page")
        << QByteArray("{\\rtf1\\ansi\\deff1{\\fonttbl{\\f1\\fcharset238 Arial;}}\\'9c\\'e6}") << QStringLiteral("ść");
    QTest::newRow("an ANSI font stays Western in a Cyrillic document")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset0 Arial;}}\\f0 caf\\'e9}") << QStringLiteral("café");
    QTest::newRow("\\cpg names the font's page")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\cpg1253 Arial;}}\\f0 \\'e1\\'e2}") << QStringLiteral("αβ");
    QTest::newRow("Mac Roman document") << QByteArray("{\\rtf1\\mac\\deff0{\\fonttbl{\\f0 Times;}}caf\\'8e}")
                                        << QStringLiteral("café");
    QTest::newRow("a code page the system lacks reads as Western")
        << QByteArray("{\\rtf1\\ansi\\ansicpg99999 caf\\'e9}") << QStringLiteral("café");
    // A lead byte cut off by a control word neither joins the next byte nor
    // leaves a stray character.
    QTest::newRow("lone lead byte")
        << QByteArray("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0 a\\'d6\\b b\\'d6\\'d0}")
        << QStringLiteral("ab中");
    QTest::newRow("a group ends the run of bytes")
        << QByteArray("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0 {\\'d6}{\\'d0}\\'d6\\'d0}")
        << QStringLiteral("中");
    QTest::newRow("Unicode escapes are kept")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fcharset238 Arial;}}\\f0\\uc1\\u281?\\u-10179?\\u-8704?}")
        << QStringLiteral("ę\U0001F600");
}

void TestRtfCodePages::readsTextInItsCodePage()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QTextDocument document;
    Rtf::read(rtf, &document);
    QCOMPARE(document.toPlainText(), text);

    // The writer keeps to Windows-1252 with \uN for the rest, and what it
    // writes reads back the same.
    const QByteArray written = Rtf::write(document);
    QVERIFY(written.contains("\\ansicpg1252"));
    QVERIFY(std::all_of(written.cbegin(), written.cend(), [](char byte) { return byte > 0 && byte < 0x7F; }));
    QTextDocument again;
    Rtf::read(written, &again);
    QCOMPARE(again.toPlainText(), text);
}

void TestRtfCodePages::fontNamesReadInTheirCharset_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("family");
    QTest::newRow("Chinese name") << codePageFixture("chinese-936.rtf") << QStringLiteral("text")
                                  << QStringLiteral("宋体");
    QTest::newRow("Cyrillic name") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 \\'c0\\'f0\\'e8\\'e0\\'eb;}}\\f0 x}")
                                   << QStringLiteral("x") << QStringLiteral("Ариал");
}

void TestRtfCodePages::fontNamesReadInTheirCharset()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QFETCH(QString, family);
    QTextDocument document;
    Rtf::read(rtf, &document);
    QCOMPARE(formatAt(document, text).fontFamilies().toStringList().value(0), family);
}

QTEST_MAIN(TestRtfCodePages)
#include "tst_rtfcodepages.moc"
