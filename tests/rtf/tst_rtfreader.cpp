#include "platform/rtf/rtf.h"
#include "rtftesthelpers.h"

#include <QTest>
#include <QTextTable>
#include <QTextList>
#include <QTextDocumentFragment>
#include <QTextBlock>

using namespace RtfTest;

// RTF as WordPad, Word and LibreOffice Writer write it, and the individual
// constructs the reader must understand.
class TestRtfReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fixtureText_data();
    void fixtureText();
    void wordPadFormatting();
    void wordFormatting();
    void libreOfficeListsAndTable();
    void fixturesRewriteStably_data();
    void fixturesRewriteStably();
    void constructs_data();
    void constructs();
    void plainTextInput_data();
    void plainTextInput();
    void listContinuesAcrossInterruption();
    void longTableKeepsEveryCellInPlace();
    void longBulletedListKeepsEveryItem();
};

void TestRtfReader::fixtureText_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("paragraphs");
    QTest::newRow("WordPad") << QStringLiteral("wordpad.rtf")
                             << QStringList{QStringLiteral("Risk Analysis"),
                                            QStringLiteral("We reviewed every system on 3 March; café “quoted” € 100."),
                                            QStringLiteral("Servers"), QStringLiteral("Workstations"),
                                            QStringLiteral("Inventory"), QStringLiteral("Review"),
                                            QStringLiteral("Underlined and struck\ttabbed\u2028next line")};
    QTest::newRow("Word") << QStringLiteral("word.rtf")
                          << QStringList{QStringLiteral("Access Control"),
                                         QStringLiteral("Users get unique IDs; see the guide. Review yearly. “Quoted”"),
                                         QStringLiteral("Passwords"), QStringLiteral("Length"), QStringLiteral("Tokens"),
                                         QStringLiteral("Badges"), QStringLiteral("End.")};
    QTest::newRow("LibreOffice") << QStringLiteral("libreoffice.rtf")
                                 << QStringList{QStringLiteral("Contingency Plan"),
                                                QStringLiteral("Backups run nightly and the plan’s tests run quarterly."),
                                                QStringLiteral("Centred red"), QStringLiteral("Offsite copy"),
                                                QStringLiteral("Encrypted"), QStringLiteral("First step"),
                                                QStringLiteral("System"), QStringLiteral("Owner"), QStringLiteral("Server"),
                                                QStringLiteral("IT"), QStringLiteral("After the table.")};
}

void TestRtfReader::fixtureText()
{
    QFETCH(QString, file);
    QFETCH(QStringList, paragraphs);
    QTextDocument document;
    Rtf::read(fixture(file), &document);
    QCOMPARE(blockTexts(document), paragraphs);
}

void TestRtfReader::wordPadFormatting()
{
    QTextDocument document;
    Rtf::read(fixture(QStringLiteral("wordpad.rtf")), &document);

    const QTextCharFormat title = formatAt(document, QStringLiteral("Risk"));
    QCOMPARE(title.fontFamilies().toStringList(), QStringList{QStringLiteral("Calibri")});
    QCOMPARE(title.fontPointSize(), 16.0);
    QCOMPARE(title.fontWeight(), int(QFont::Bold));
    QVERIFY(blockWith(document, QStringLiteral("Risk")).blockFormat().alignment() & Qt::AlignHCenter);

    QCOMPARE(formatAt(document, QStringLiteral("every")).foreground().color(), QColor(255, 0, 0));
    QCOMPARE(formatAt(document, QStringLiteral("system")).foreground().style(), Qt::NoBrush);
    QVERIFY(formatAt(document, QStringLiteral("March")).fontItalic());
    QCOMPARE(formatAt(document, QStringLiteral("100")).fontPointSize(), 11.0);
    QVERIFY(formatAt(document, QStringLiteral("Underlined")).fontUnderline());
    QVERIFY(formatAt(document, QStringLiteral("struck")).fontStrikeOut());
    QVERIFY(!formatAt(document, QStringLiteral("tabbed")).fontStrikeOut());

    const QTextBlock body = blockWith(document, QStringLiteral("We reviewed"));
    QCOMPARE(body.blockFormat().bottomMargin(), 200 / 15.0);
    QCOMPARE(body.blockFormat().lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    QCOMPARE(body.blockFormat().lineHeight(), 115.0);

    const QTextBlock servers = blockWith(document, QStringLiteral("Servers"));
    const QTextBlock workstations = blockWith(document, QStringLiteral("Workstations"));
    QVERIFY(servers.textList());
    QCOMPARE(servers.textList()->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(workstations.textList(), servers.textList());
    const QTextBlock review = blockWith(document, QStringLiteral("Review"));
    QVERIFY(review.textList());
    QCOMPARE(review.textList()->format().style(), QTextListFormat::ListDecimal);
    QCOMPARE(review.textList()->itemText(review), QStringLiteral("2."));
    QVERIFY(!blockWith(document, QStringLiteral("Underlined")).textList());
}

void TestRtfReader::wordFormatting()
{
    QTextDocument document;
    Rtf::read(fixture(QStringLiteral("word.rtf")), &document);

    const QString text = document.toPlainText();
    for (const char *absent : {"Header text", "Footnote", "HYPERLINK", "hidden", "Access Control Policy", "\u00B7", "1.\t"})
        QVERIFY2(!text.contains(QString::fromUtf8(absent)), absent);

    const QTextCharFormat heading = formatAt(document, QStringLiteral("Access"));
    QCOMPARE(heading.fontFamilies().toStringList(), QStringList{QStringLiteral("Calibri")});
    QCOMPARE(heading.fontPointSize(), 16.0);
    QCOMPARE(heading.fontWeight(), int(QFont::Bold));
    QCOMPARE(formatAt(document, QStringLiteral("Users")).fontFamilies().toStringList(),
             QStringList{QStringLiteral("Times New Roman")});
    QCOMPARE(formatAt(document, QStringLiteral("unique")).fontWeight(), int(QFont::Bold));
    const QTextCharFormat link = formatAt(document, QStringLiteral("guide"));
    QVERIFY(link.fontUnderline());
    QCOMPARE(link.foreground().color(), QColor(0, 0, 255));
    QCOMPARE(formatAt(document, QStringLiteral("Review")).background().color(), QColor(255, 255, 0));

    const QTextBlock passwords = blockWith(document, QStringLiteral("Passwords"));
    const QTextBlock length = blockWith(document, QStringLiteral("Length"));
    QCOMPARE(passwords.textList()->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(passwords.textList()->format().indent(), 1);
    QCOMPARE(length.textList()->format().style(), QTextListFormat::ListCircle);
    QCOMPARE(length.textList()->format().indent(), 2);
    const QTextBlock badges = blockWith(document, QStringLiteral("Badges"));
    QCOMPARE(badges.textList()->format().style(), QTextListFormat::ListDecimal);
    QCOMPARE(badges.textList()->itemText(badges), QStringLiteral("2."));
    // \li720 with a 40-pixel list indent: the rest stays as margin.
    QCOMPARE(passwords.blockFormat().leftMargin(), 720 / 15.0 - document.indentWidth());
}

void TestRtfReader::libreOfficeListsAndTable()
{
    QTextDocument document;
    Rtf::read(fixture(QStringLiteral("libreoffice.rtf")), &document);

    QCOMPARE(formatAt(document, QStringLiteral("Contingency")).fontFamilies().toStringList(),
             QStringList{QStringLiteral("Liberation Sans")});
    QCOMPARE(formatAt(document, QStringLiteral("Contingency")).fontPointSize(), 14.0);
    QCOMPARE(formatAt(document, QStringLiteral("nightly")).fontWeight(), int(QFont::Bold));
    QCOMPARE(formatAt(document, QStringLiteral("Centred")).foreground().color(), QColor(255, 0, 0));
    QVERIFY(blockWith(document, QStringLiteral("Centred")).blockFormat().alignment() & Qt::AlignHCenter);

    QCOMPARE(blockWith(document, QStringLiteral("Offsite")).textList()->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(blockWith(document, QStringLiteral("Encrypted")).textList()->format().style(), QTextListFormat::ListCircle);
    const QTextBlock step = blockWith(document, QStringLiteral("First step"));
    QCOMPARE(step.textList()->format().style(), QTextListFormat::ListLowerAlpha);
    QCOMPARE(step.textList()->itemText(step), QStringLiteral("a)"));

    const QTextTable *table = QTextCursor(blockWith(document, QStringLiteral("System"))).currentTable();
    QVERIFY(table);
    QCOMPARE(table->rows(), 2);
    QCOMPARE(table->columns(), 2);
    const auto cellText = [&](int row, int column) {
        QTextCursor cursor = table->cellAt(row, column).firstCursorPosition();
        cursor.setPosition(table->cellAt(row, column).lastCursorPosition().position(), QTextCursor::KeepAnchor);
        return cursor.selectedText();
    };
    QCOMPARE(cellText(0, 1), QStringLiteral("Owner"));
    QCOMPARE(cellText(1, 0), QStringLiteral("Server"));
    QCOMPARE(cellText(1, 1), QStringLiteral("IT"));
    QCOMPARE(table->format().columnWidthConstraints().value(1).rawValue(), (9972 - 4986) / 15.0);
    QVERIFY(!QTextCursor(blockWith(document, QStringLiteral("After the table"))).currentTable());
}

void TestRtfReader::fixturesRewriteStably_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("WordPad") << QStringLiteral("wordpad.rtf");
    QTest::newRow("Word") << QStringLiteral("word.rtf");
    QTest::newRow("LibreOffice") << QStringLiteral("libreoffice.rtf");
}

void TestRtfReader::fixturesRewriteStably()
{
    // A file from another word processor, once saved by us, keeps what it showed.
    QFETCH(QString, file);
    QTextDocument document;
    Rtf::read(fixture(file), &document);
    const QByteArray saved = Rtf::write(document);
    QTextDocument reopened;
    Rtf::read(saved, &reopened);
    QCOMPARE(describe(reopened), describe(document));
    QCOMPARE(Rtf::write(reopened), saved);
}

void TestRtfReader::constructs_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("unicode with one fallback") << QByteArray("{\\rtf1 a\\u8364?b}") << QStringLiteral("a€b");
    QTest::newRow("unicode with two fallbacks") << QByteArray("{\\rtf1\\uc2 a\\u8364\\'80\\'80b}") << QStringLiteral("a€b");
    QTest::newRow("uc0") << QByteArray("{\\rtf1\\uc0 a\\u8364 b}") << QStringLiteral("a€b");
    QTest::newRow("uc scoped to group") << QByteArray("{\\rtf1{\\uc3 x}\\u233?y}") << QStringLiteral("xéy");
    QTest::newRow("negative unicode") << QByteArray("{\\rtf1\\u-3913?}") << QStringLiteral("\uF0B7");
    QTest::newRow("surrogate pair") << QByteArray("{\\rtf1\\u-10179?\\u-8704?}") << QStringLiteral("😀");
    QTest::newRow("hex escapes") << QByteArray("{\\rtf1 \\'93x\\'94 \\'e9\\'E9}") << QStringLiteral("“x” éé");
    QTest::newRow("raw 8-bit text") << QByteArray("{\\rtf1 caf\xe9}") << QStringLiteral("café");
    QTest::newRow("control symbols") << QByteArray("{\\rtf1 a\\~b\\-c\\_d\\{\\}\\\\}")
                                     << QStringLiteral("a\u00A0b\u00ADc\u2011d{}\\");
    QTest::newRow("symbol words") << QByteArray("{\\rtf1\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}")
                                  << QStringLiteral("—–•‘’“”");
    QTest::newRow("delimiting space") << QByteArray("{\\rtf1\\b  two}") << QStringLiteral(" two");
    QTest::newRow("line ends ignored") << QByteArray("{\\rtf1 a\r\nb\nc}") << QStringLiteral("abc");
    QTest::newRow("field result only") << QByteArray("{\\rtf1 see {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt here}}.}")
                                       << QStringLiteral("see here.");
    QTest::newRow("field instruction without star")
        << QByteArray("{\\rtf1 p{\\field{\\fldinst PAGE}{\\fldrslt 3}}}") << QStringLiteral("p3");
    QTest::newRow("object result") << QByteArray("{\\rtf1 a{\\object\\objemb{\\*\\objclass Paint}{\\*\\objdata 0102}"
                                                 "{\\result shown}}b}")
                                   << QStringLiteral("ashownb");
    QTest::newRow("picture skipped") << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e47}b}") << QStringLiteral("ab");
    QTest::newRow("binary skipped") << QByteArray("{\\rtf1 a{\\pict\\bin4 }{\\x}b}") << QStringLiteral("ab");
    QTest::newRow("shape result") << QByteArray("{\\rtf1 a{\\shp{\\*\\shpinst{\\sp{\\sn x}{\\sv 1}}}{\\shprslt r}}b}")
                                  << QStringLiteral("arb");
    QTest::newRow("unknown starred destination") << QByteArray("{\\rtf1 a{\\*\\unknownthing text}b}") << QStringLiteral("ab");
    QTest::newRow("unknown word ignored") << QByteArray("{\\rtf1 a\\frobnicate42 b}") << QStringLiteral("ab");
    QTest::newRow("unicode pair") << QByteArray("{\\rtf1{\\upr{ansi}{\\*\\ud{uni\\u233?}}}}") << QStringLiteral("unié");
    QTest::newRow("hidden text") << QByteArray("{\\rtf1 a{\\v secret}b\\v c\\v0 d}") << QStringLiteral("abd");
    QTest::newRow("old paragraph word") << QByteArray("{\\rtf1 a\\\nb}") << QStringLiteral("a\nb");
    QTest::newRow("paragraph separator") << QByteArray("{\\rtf1 a\\u8233?b}") << QStringLiteral("a\u2028b");
    QTest::newRow("page and section") << QByteArray("{\\rtf1 a\\page b\\sect c}") << QStringLiteral("a\nb\nc");
    QTest::newRow("page after paragraph mark") << QByteArray("{\\rtf1 a\\par\\page b}") << QStringLiteral("a\nb");
    QTest::newRow("cell outside table") << QByteArray("{\\rtf1 a\\cell b}") << QStringLiteral("a\tb");
    QTest::newRow("after the document") << QByteArray("{\\rtf1 a}trailing}") << QStringLiteral("a");
    QTest::newRow("final paragraph mark") << QByteArray("{\\rtf1 a\\par}") << QStringLiteral("a");
    QTest::newRow("empty last paragraph kept") << QByteArray("{\\rtf1 a\\par\\par}") << QStringLiteral("a\n");
    QTest::newRow("leading white space") << QByteArray("\r\n  {\\rtf1 a}") << QStringLiteral("a");
}

void TestRtfReader::constructs()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QTextDocument document;
    Rtf::read(rtf, &document);
    QCOMPARE(document.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n')), text);
}

void TestRtfReader::plainTextInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("Windows-1252 lines") << QByteArray("caf\xe9 \x93q\x94\r\nnext") << QStringLiteral("café “q”\nnext");
    QTest::newRow("UTF-8 with byte order mark") << QByteArray("\xEF\xBB\xBF\xE2\x9C\x93 ok") << QStringLiteral("✓ ok");
    QTest::newRow("braces but not RTF") << QByteArray("{not rtf}") << QStringLiteral("{not rtf}");
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestRtfReader::plainTextInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QTextDocument document;
    QTextCursor(&document).insertText(QStringLiteral("old content"));
    Rtf::read(bytes, &document);
    QCOMPARE(document.toPlainText(), text);
}

void TestRtfReader::listContinuesAcrossInterruption()
{
    // Word numbers a list on across a paragraph outside it; WordPad's older
    // numbering starts again.
    QTextDocument word;
    Rtf::read("{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}}\\listid7}}"
              "{\\*\\listoverridetable{\\listoverride\\listid7\\ls1}}"
              "\\pard\\ls1 one\\par\\pard between\\par\\pard\\ls1 two\\par}",
              &word);
    const QTextBlock two = blockWith(word, QStringLiteral("two"));
    QCOMPARE(two.textList()->itemText(two), QStringLiteral("2."));

    QTextDocument wordPad;
    Rtf::read("{\\rtf1{\\*\\pn\\pnlvlbody\\pndec{\\pntxta.}}one\\par\\pard between\\par"
              "{\\*\\pn\\pnlvlbody\\pndec{\\pntxta.}}again\\par}",
              &wordPad);
    const QTextBlock again = blockWith(wordPad, QStringLiteral("again"));
    QCOMPARE(again.textList()->itemText(again), QStringLiteral("1."));
}

// Rows are added to a table in batches and cells reached by walking the
// document: every cell still ends up where the file puts it, with rows of
// fewer cells, cells of several paragraphs and a last row without \row.
void TestRtfReader::longTableKeepsEveryCellInPlace()
{
    constexpr int kRows = 301;
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\pard before\\par\r\n";
    for (int row = 0; row < kRows; ++row) {
        const QByteArray n = QByteArray::number(row);
        rtf += "\\trowd\\cellx2000\\cellx4000\\cellx6000\\pard\\intbl a" + n + "\\cell ";
        if (row % 3 == 1)
            rtf += "b" + n + " one\\par b" + n + " two\\cell ";
        else
            rtf += "b" + n + "\\cell ";
        if (row % 5 != 2)
            rtf += "c" + n + "\\cell ";
        if (row + 1 < kRows)
            rtf += "\\row\r\n";
    }
    rtf += "}";
    QTextDocument document;
    Rtf::read(rtf, &document);
    const QTextTable *table = QTextCursor(blockWith(document, QStringLiteral("a0"))).currentTable();
    QVERIFY(table);
    QCOMPARE(table->rows(), kRows);
    QCOMPARE(table->columns(), 3);
    const auto cellText = [table](int row, int column) {
        const QTextTableCell cell = table->cellAt(row, column);
        QTextCursor cursor = cell.firstCursorPosition();
        cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
        return cursor.selection().toPlainText();
    };
    for (int row = 0; row < kRows; ++row) {
        const QString n = QString::number(row);
        QCOMPARE(cellText(row, 0), QStringLiteral("a") + n);
        QCOMPARE(cellText(row, 1), row % 3 == 1 ? QStringLiteral("b%1 one\nb%1 two").arg(n) : QStringLiteral("b") + n);
        QCOMPARE(cellText(row, 2), row % 5 != 2 ? QStringLiteral("c") + n : QString());
    }
    QVERIFY(document.toPlainText().startsWith(QStringLiteral("before\n")));
}

// A list longer than one Qt list holds is split where nobody can see it:
// every item stays a bulleted item at its place, and a save reads back the same.
void TestRtfReader::longBulletedListKeepsEveryItem()
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}"
                     "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc23{\\leveltext\\'01\\u8226 ?;}"
                     "\\fi-360\\li720}\\listid1}}{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}\r\n";
    constexpr int kItems = 600;
    for (int item = 0; item < kItems; ++item)
        rtf += "\\pard\\ls1\\fi-360\\li720 Item " + QByteArray::number(item) + "\\par\r\n";
    rtf += "\\pard after\\par}";
    QTextDocument document;
    Rtf::read(rtf, &document);
    int items = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.text().startsWith(QStringLiteral("Item "))) {
            QVERIFY2(block.textList(), qPrintable(block.text()));
            QCOMPARE(block.textList()->format().style(), QTextListFormat::ListDisc);
            QCOMPARE(block.text(), QStringLiteral("Item %1").arg(items));
            ++items;
        } else {
            QVERIFY(!block.textList());
        }
    }
    QCOMPARE(items, kItems);
    QTextDocument again;
    Rtf::read(Rtf::write(document), &again);
    QCOMPARE(again.toPlainText(), document.toPlainText());
    QCOMPARE(Rtf::write(again), Rtf::write(document));
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
