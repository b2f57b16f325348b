#include "platform/rtf/rtf.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

// Damaged or hostile input loads without crashing, in bounded time, and
// keeps whatever readable text it has. (How fast is measured in bench/.)
class TestRtfMalformed : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keepsReadableText_data();
    void keepsReadableText();
    void deepNesting_data();
    void deepNesting();
    void hugeValuesAreClamped();
    void tooManyCellsShareTheLastColumn();
    void binaryGarbage();
};

namespace {

QString readText(const QByteArray &rtf)
{
    QTextDocument document;
    Rtf::read(rtf, &document);
    return document.toPlainText();
}

} // namespace

void TestRtfMalformed::keepsReadableText_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("truncated in text") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 Hello wor")
                                       << QStringLiteral("Hello wor");
    QTest::newRow("truncated in a control word") << QByteArray("{\\rtf1 Hello\\par World\\b") << QStringLiteral("Hello\nWorld");
    QTest::newRow("truncated in a hex escape") << QByteArray("{\\rtf1 Hello\\'e") << QStringLiteral("Hello");
    QTest::newRow("truncated after backslash") << QByteArray("{\\rtf1 Hello\\") << QStringLiteral("Hello");
    QTest::newRow("truncated in the font table") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Ari") << QString();
    QTest::newRow("truncated in a table row") << QByteArray("{\\rtf1\\trowd\\cellx1000\\pard\\intbl cell one\\cell\\pard\\intbl two")
                                              << QStringLiteral("\ncell one\ntwo\n");
    QTest::newRow("missing closing braces") << QByteArray("{\\rtf1{\\b{\\i deep text") << QStringLiteral("deep text");
    QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 before}}}} after") << QStringLiteral("before");
    QTest::newRow("closing brace first") << QByteArray("{\\rtf1 }}") << QString();
    QTest::newRow("bin past the end") << QByteArray("{\\rtf1 kept\\bin999999 abc") << QStringLiteral("kept");
    QTest::newRow("negative bin") << QByteArray("{\\rtf1 a\\bin-5 b}") << QStringLiteral("ab");
    QTest::newRow("huge unicode") << QByteArray("{\\rtf1 a\\u99999999999?b}") << QStringLiteral("ab");
    QTest::newRow("lone low surrogate") << QByteArray("{\\rtf1 a\\u-9000?b}") << QStringLiteral("a\uFFFDb");
    QTest::newRow("lone high surrogate") << QByteArray("{\\rtf1 a\\u-10179?b}") << QStringLiteral("a\uFFFDb");
    QTest::newRow("unicode zero and controls") << QByteArray("{\\rtf1 a\\u0?\\u13?\\u7?b}") << QStringLiteral("ab");
    QTest::newRow("frame markers") << QByteArray("{\\rtf1 a\\u-560?\\u-559?\\u-4?b}") << QStringLiteral("ab");
    QTest::newRow("huge uc skips within group only") << QByteArray("{\\rtf1{\\uc99999999 \\u233 abc}visible}")
                                                     << QStringLiteral("évisible");
    QTest::newRow("star before text") << QByteArray("{\\rtf1{\\* junk}ok}") << QStringLiteral("ok");
    QTest::newRow("list level out of range") << QByteArray("{\\rtf1\\pard\\ls99999\\ilvl99999 item\\par}")
                                             << QStringLiteral("item");
    QTest::newRow("list table garbage")
        << QByteArray("{\\rtf1{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'ff;}}\\listid1}}"
                      "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}\\pard\\ls1 item\\par}")
        << QStringLiteral("item");
    QTest::newRow("row without cells") << QByteArray("{\\rtf1\\trowd\\row\\row text}") << QStringLiteral("\n\ntext");
    QTest::newRow("stray null bytes") << QByteArray("{\\rtf1 a\0b}", 11) << QStringLiteral("ab");
}

void TestRtfMalformed::keepsReadableText()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(readText(rtf), text);
}

void TestRtfMalformed::deepNesting_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<bool>("closed");
    QTest::newRow("at the limit") << 250 << true;
    QTest::newRow("100000 closed") << 100000 << true;
    QTest::newRow("100000 unclosed") << 100000 << false;
}

void TestRtfMalformed::deepNesting()
{
    QFETCH(int, depth);
    QFETCH(bool, closed);
    QByteArray rtf = "{\\rtf1 start ";
    rtf += QByteArray("{\\b ").repeated(depth) + "middle";
    if (closed)
        rtf += QByteArray("}").repeated(depth) + " end}";
    const QString text = readText(rtf);
    QVERIFY(text.startsWith(QStringLiteral("start middle")));
    if (closed)
        QVERIFY(text.endsWith(QStringLiteral("middle end")));
}

void TestRtfMalformed::hugeValuesAreClamped()
{
    QTextDocument document;
    Rtf::read("{\\rtf1{\\colortbl;\\red99999\\green-5\\blue1e9;}\\fs99999999999\\cf99999999999\\f-99999999999"
              "\\li99999999999\\fi-99999999999\\sb99999999999\\sl-99999999999 text\\par}",
              &document);
    QCOMPARE(document.toPlainText(), QStringLiteral("text"));
    const QTextBlockFormat block = document.begin().blockFormat();
    QVERIFY(block.leftMargin() <= 22 * 96);
    QVERIFY(block.topMargin() <= 22 * 96);
    QTextCursor cursor(document.begin());
    cursor.movePosition(QTextCursor::NextCharacter);
    QVERIFY(cursor.charFormat().fontPointSize() <= 1638);

    // The result is still a document the writer handles.
    QTextDocument again;
    Rtf::read(Rtf::write(document), &again);
    QCOMPARE(again.toPlainText(), QStringLiteral("text"));
}

void TestRtfMalformed::tooManyCellsShareTheLastColumn()
{
    QTextDocument document;
    const QByteArray rtf = "{\\rtf1\\pard\\intbl " + QByteArray("x\\cell ").repeated(200) + "\\row}";
    Rtf::read(rtf, &document);
    const QTextTable *table = QTextCursor(document.begin().next()).currentTable();
    QVERIFY(table);
    QCOMPARE(table->columns(), 63);
    QCOMPARE(document.toPlainText().count(QLatin1Char('x')), 200);
}

void TestRtfMalformed::binaryGarbage()
{
    QRandomGenerator random(20240304);
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes = "{\\rtf1 ";
        const int size = int(random.bounded(4000));
        for (int i = 0; i < size; ++i) {
            // Mostly RTF's own special characters, so the reader's paths get exercised.
            static const char alphabet[] = "{}\\\\'*0123456789abcdefuclsintbrowpardfx -;\x80\xff\0";
            bytes += random.bounded(4) == 0 ? char(random.bounded(256)) : alphabet[random.bounded(int(sizeof alphabet - 1))];
        }
        QTextDocument document;
        Rtf::read(bytes, &document);
        const QByteArray written = Rtf::write(document);
        QTextDocument again;
        Rtf::read(written, &again);
        QCOMPARE(again.toPlainText(), document.toPlainText());
        QCOMPARE(Rtf::write(again), written);
    }
}

QTEST_MAIN(TestRtfMalformed)
#include "tst_rtfmalformed.moc"
