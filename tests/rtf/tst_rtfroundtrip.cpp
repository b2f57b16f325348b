#include "platform/rtf/rtf.h"
#include "rtftesthelpers.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>

// Writing a document and reading it back must give the same text and the
// same formatting; writing again must give the same bytes.
class TestRtfRoundTrip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void escapes_data();
    void escapes();
    void writerOutputIsPlainRtf();
    void paragraphMarkFormatsStayOutOfTheTables();
    void relativeHeadingSizesBecomeAbsolute();
    void listsAreWrittenForEveryReader();
    void listMarkerAfterHeadingTakesTheItemFormat();
    void fragmentIsWrittenAlone();
    void insertReplacesSelection();
    void fileHelpers();
};

namespace {

QTextCharFormat charFormat(const std::function<void(QTextCharFormat &)> &set)
{
    QTextCharFormat format;
    set(format);
    return format;
}

void insertList(QTextCursor &cursor, QTextListFormat::Style style, const QStringList &items, int indent = 1)
{
    QTextListFormat format;
    format.setStyle(style);
    format.setIndent(indent);
    cursor.insertBlock();
    QTextList *list = cursor.createList(format);
    for (int i = 0; i < items.size(); ++i) {
        if (i > 0) {
            cursor.insertBlock();
            list->add(cursor.block());
        }
        cursor.insertText(items.at(i));
    }
}

void insertParagraph(QTextCursor &cursor, const QString &text, const std::function<void(QTextBlockFormat &)> &set)
{
    QTextBlockFormat format;
    set(format);
    cursor.insertBlock(format);
    cursor.insertText(text);
}

// Builds the content the editor can produce, one feature at a time, or all
// of them in one document.
void build(const QString &feature, QTextCursor &cursor)
{
    const bool all = feature == QLatin1String("everything");
    const auto want = [&](const char *name) { return all || feature == QLatin1String(name); };

    if (want("font name"))
        cursor.insertText(QStringLiteral("Arial words "), charFormat([](auto &f) { f.setFontFamilies({QStringLiteral("Arial")}); }));
    if (want("font size")) {
        cursor.insertText(QStringLiteral("big "), charFormat([](auto &f) { f.setFontPointSize(18); }));
        cursor.insertText(QStringLiteral("half "), charFormat([](auto &f) { f.setFontPointSize(10.5); }));
    }
    if (want("bold"))
        cursor.insertText(QStringLiteral("bold "), charFormat([](auto &f) { f.setFontWeight(QFont::Bold); }));
    if (want("italic"))
        cursor.insertText(QStringLiteral("italic "), charFormat([](auto &f) { f.setFontItalic(true); }));
    if (want("underline"))
        cursor.insertText(QStringLiteral("underlined "), charFormat([](auto &f) { f.setFontUnderline(true); }));
    if (want("strikethrough"))
        cursor.insertText(QStringLiteral("struck "), charFormat([](auto &f) { f.setFontStrikeOut(true); }));
    if (want("text colour"))
        cursor.insertText(QStringLiteral("red "), charFormat([](auto &f) { f.setForeground(QColor(200, 0, 0)); }));
    if (want("highlight"))
        cursor.insertText(QStringLiteral("marked "), charFormat([](auto &f) { f.setBackground(QColor(Qt::yellow)); }));
    if (want("combined"))
        cursor.insertText(QStringLiteral("all at once"), charFormat([](auto &f) {
                              f.setFontFamilies({QStringLiteral("Courier New")});
                              f.setFontPointSize(9);
                              f.setFontWeight(QFont::Bold);
                              f.setFontItalic(true);
                              f.setFontUnderline(true);
                              f.setFontStrikeOut(true);
                              f.setForeground(QColor(0, 0, 255));
                              f.setBackground(QColor(0, 255, 0));
                          }));
    if (want("tab and line break"))
        cursor.insertText(QStringLiteral("a\tb\u2028c"), QTextCharFormat());
    if (want("western characters"))
        cursor.insertText(QStringLiteral(" é ü € “quoted” — ñ ß ©"), QTextCharFormat());
    if (want("beyond the code page"))
        cursor.insertText(QStringLiteral(" ✓ 中文 Ω 😀"), QTextCharFormat());
    if (want("escapes"))
        cursor.insertText(QStringLiteral(" {braces} back\\slash \\par not a word"), QTextCharFormat());
    if (want("non-breaking"))
        cursor.insertText(QStringLiteral(" no\u00A0break soft\u00ADhyphen"), QTextCharFormat());
    if (want("align right"))
        insertParagraph(cursor, QStringLiteral("right"), [](auto &f) { f.setAlignment(Qt::AlignRight); });
    if (want("align centre"))
        insertParagraph(cursor, QStringLiteral("centre"), [](auto &f) { f.setAlignment(Qt::AlignHCenter); });
    if (want("align justify"))
        insertParagraph(cursor, QStringLiteral("justified"), [](auto &f) { f.setAlignment(Qt::AlignJustify); });
    if (want("indents"))
        insertParagraph(cursor, QStringLiteral("indented"), [](auto &f) {
            f.setLeftMargin(48);
            f.setRightMargin(24);
            f.setTextIndent(-16);
        });
    if (want("spacing"))
        insertParagraph(cursor, QStringLiteral("spaced"), [](auto &f) {
            f.setTopMargin(10);
            f.setBottomMargin(20);
            f.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
        });
    if (want("bullet list"))
        insertList(cursor, QTextListFormat::ListDisc, {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
    if (want("numbered list"))
        insertList(cursor, QTextListFormat::ListDecimal, {QStringLiteral("first"), QStringLiteral("second")});
    if (want("lettered and roman lists")) {
        insertList(cursor, QTextListFormat::ListLowerAlpha, {QStringLiteral("alpha"), QStringLiteral("beta")});
        insertList(cursor, QTextListFormat::ListUpperRoman, {QStringLiteral("I"), QStringLiteral("II")});
    }
    if (want("nested lists")) {
        insertList(cursor, QTextListFormat::ListDecimal, {QStringLiteral("outer")});
        insertList(cursor, QTextListFormat::ListCircle, {QStringLiteral("inner a"), QStringLiteral("inner b")}, 2);
        insertList(cursor, QTextListFormat::ListSquare, {QStringLiteral("deeper")}, 3);
    }
    if (want("indented list")) {
        insertList(cursor, QTextListFormat::ListDisc, {QStringLiteral("moved")});
        QTextBlockFormat format = cursor.blockFormat();
        format.setLeftMargin(30);
        cursor.setBlockFormat(format);
    }
    if (want("empty paragraphs")) {
        insertParagraph(cursor, QString(), [](auto &) {});
        insertParagraph(cursor, QStringLiteral("between"), [](auto &) {});
        insertParagraph(cursor, QString(), [](auto &) {});
    }
    if (want("table")) {
        cursor.insertBlock(QTextBlockFormat());
        cursor.insertText(QStringLiteral("before"));
        QTextTableFormat format;
        format.setBorder(1);
        QTextTable *table = cursor.insertTable(2, 2, format);
        table->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("System"));
        table->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("Owner"),
                                                             charFormat([](auto &f) { f.setFontWeight(QFont::Bold); }));
        table->cellAt(1, 0).firstCursorPosition().insertText(QStringLiteral("Server"));
        QTextCursor cell = table->cellAt(1, 1).firstCursorPosition();
        cell.insertText(QStringLiteral("IT"));
        cell.insertBlock();
        cell.insertText(QStringLiteral("second line"));
        cursor.setPosition(table->lastPosition() + 1);
        cursor.insertText(QStringLiteral("after"));
    }
    if (want("long paragraph")) {
        QString words;
        for (int i = 0; i < 300; ++i)
            words += QStringLiteral("word%1 ").arg(i);
        insertParagraph(cursor, words + QString(600, QLatin1Char('x')) + QStringLiteral("é"), [](auto &) {});
    }
}

} // namespace

void TestRtfRoundTrip::roundTrip_data()
{
    QTest::addColumn<QString>("feature");
    for (const char *feature : {"font name", "font size", "bold", "italic", "underline", "strikethrough", "text colour",
                                "highlight", "combined", "tab and line break", "western characters",
                                "beyond the code page", "escapes", "non-breaking", "align right", "align centre",
                                "align justify", "indents", "spacing", "bullet list", "numbered list",
                                "lettered and roman lists", "nested lists", "indented list", "empty paragraphs",
                                "table", "long paragraph", "everything"})
        QTest::newRow(feature) << QString::fromLatin1(feature);
}

void TestRtfRoundTrip::roundTrip()
{
    QFETCH(QString, feature);
    QTextDocument original;
    original.setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
    QTextCursor cursor(&original);
    build(feature, cursor);

    const QByteArray written = Rtf::write(original);
    QTextDocument readBack;
    readBack.setDefaultFont(original.defaultFont());
    Rtf::read(written, &readBack);

    QCOMPARE(readBack.toPlainText(), original.toPlainText());
    QCOMPARE(RtfTest::describe(readBack), RtfTest::describe(original));
    QCOMPARE(Rtf::write(readBack), written);
}

void TestRtfRoundTrip::escapes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("backslash") << QStringLiteral("a\\b") << QByteArray("a\\\\b");
    QTest::newRow("braces") << QStringLiteral("{x}") << QByteArray("\\{x\\}");
    QTest::newRow("e acute") << QStringLiteral("café") << QByteArray("caf\\'e9");
    QTest::newRow("euro") << QStringLiteral("€5") << QByteArray("\\'805");
    QTest::newRow("curly quotes") << QStringLiteral("“q”") << QByteArray("\\'93q\\'94");
    QTest::newRow("check mark") << QStringLiteral("✓ok") << QByteArray("\\u10003?ok");
    QTest::newRow("CJK") << QStringLiteral("中") << QByteArray("\\u20013?");
    QTest::newRow("above 32767") << QStringLiteral("\uFB01") << QByteArray("\\u-1279?");
    QTest::newRow("surrogate pair") << QStringLiteral("😀") << QByteArray("\\u-10179?\\u-8704?");
    QTest::newRow("tab") << QStringLiteral("a\tb") << QByteArray("a\\tab b");
    QTest::newRow("line break") << QStringLiteral("a\u2028b") << QByteArray("a\\line b");
    QTest::newRow("space after word") << QStringLiteral("a\t b") << QByteArray("a\\tab  b");
    QTest::newRow("no-break space") << QStringLiteral("a\u00A0b") << QByteArray("a\\~b");
    // Noncharacters a user may paste survive a save and a load.
    QTest::newRow("U+FFFE") << QStringLiteral("a\uFFFEb") << QByteArray("a\\u-2?b");
    QTest::newRow("U+FFFF") << QStringLiteral("a\uFFFFb") << QByteArray("a\\u-1?b");
}

void TestRtfRoundTrip::escapes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    QTextDocument document;
    QTextCursor(&document).insertText(text);
    const QByteArray rtf = Rtf::write(document);
    QVERIFY2(rtf.contains(expected), rtf.constData());

    QTextDocument readBack;
    Rtf::read(rtf, &readBack);
    QCOMPARE(readBack.toRawText(), document.toRawText());
}

void TestRtfRoundTrip::paragraphMarkFormatsStayOutOfTheTables()
{
    // The format of a paragraph's mark is not written when the paragraph has
    // text, so it must not add a font or colour to the tables either: read
    // back, the file would not have it, and writing again would number the
    // tables, and every \f and \cf after, differently.
    QTextDocument original;
    original.setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
    QTextCursor cursor(&original);
    cursor.insertText(QStringLiteral("first"));
    cursor.setBlockCharFormat(charFormat([](auto &f) {
        f.setFontFamilies({QStringLiteral("Courier New")});
        f.setForeground(QColor(Qt::red));
    }));
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("second"), charFormat([](auto &f) {
        f.setFontFamilies({QStringLiteral("Arial")});
        f.setForeground(QColor(Qt::blue));
    }));
    cursor.insertBlock(QTextBlockFormat(), charFormat([](auto &f) { f.setFontFamilies({QStringLiteral("Verdana")}); }));

    const QByteArray written = Rtf::write(original);
    QVERIFY2(!written.contains("Courier New") && !written.contains("\\red255\\green0\\blue0"), written.constData());
    // An empty paragraph's mark is all it shows, and is written.
    QVERIFY2(written.contains("Verdana"), written.constData());
    QTextDocument readBack;
    readBack.setDefaultFont(original.defaultFont());
    Rtf::read(written, &readBack);
    QCOMPARE(readBack.toPlainText(), original.toPlainText());
    QCOMPARE(Rtf::write(readBack), written);
}

void TestRtfRoundTrip::writerOutputIsPlainRtf()
{
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
    QTextCursor cursor(&document);
    build(QStringLiteral("everything"), cursor);
    const QByteArray rtf = Rtf::write(document);

    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
    QVERIFY(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Times New Roman;}"));
    QVERIFY(rtf.contains("{\\colortbl ;\\red"));
    QVERIFY(rtf.contains("\\viewkind4\\uc1"));
    QVERIFY(rtf.trimmed().endsWith('}'));
    QCOMPARE(rtf.count('{'), rtf.count('}') - rtf.count("\\}") + rtf.count("\\{"));
    for (const char byte : rtf)
        QVERIFY2(static_cast<unsigned char>(byte) < 0x80, "the writer escapes every 8-bit character");
    for (const QByteArray &line : rtf.split('\n'))
        QVERIFY2(line.size() <= 260, line.constData());
}

void TestRtfRoundTrip::relativeHeadingSizesBecomeAbsolute()
{
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
    QTextCharFormat heading;
    heading.setProperty(QTextFormat::FontSizeAdjustment, 3);
    heading.setFontWeight(QFont::Bold);
    QTextCursor(&document).insertText(QStringLiteral("Heading"), heading);

    const QByteArray rtf = Rtf::write(document);
    QVERIFY2(rtf.contains("\\fs48\\b Heading"), rtf.constData());
}

void TestRtfRoundTrip::listsAreWrittenForEveryReader()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("intro"));
    insertList(cursor, QTextListFormat::ListDecimal, {QStringLiteral("one"), QStringLiteral("two")});
    const QByteArray rtf = Rtf::write(document);

    // The list table for current word processors, the older paragraph
    // numbering for WordPad, and the number as text for the simplest readers.
    QVERIFY(rtf.contains("{\\*\\listtable"));
    QVERIFY(rtf.contains("{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}}"));
    QVERIFY(rtf.contains("{\\pntext\\f0 2.\\tab}{\\*\\pn\\pnlvlbody"));
    QVERIFY(rtf.contains("\\ls1\\ilvl0"));

    // The numbers are not read back as text.
    QTextDocument readBack;
    Rtf::read(rtf, &readBack);
    QCOMPARE(readBack.toPlainText(), QStringLiteral("intro\none\ntwo"));
}

void TestRtfRoundTrip::listMarkerAfterHeadingTakesTheItemFormat()
{
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
    QTextCharFormat heading;
    heading.setFontPointSize(16);
    heading.setFontWeight(QFont::Bold);
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("Procedures"), heading);
    cursor.setCharFormat(QTextCharFormat());
    insertList(cursor, QTextListFormat::ListDecimal, {QStringLiteral("first")});
    const QByteArray rtf = Rtf::write(document);

    // A reader that shows the number as text must not show it in the
    // heading's size and weight.
    const qsizetype marker = rtf.indexOf("{\\pntext");
    QVERIFY(marker > 0);
    const QByteArray beforeMarker = rtf.left(marker);
    const QByteArray sinceHeading = beforeMarker.mid(beforeMarker.indexOf("Procedures"));
    QVERIFY2(sinceHeading.contains("\\fs24") && sinceHeading.contains("\\b0"), rtf.constData());
}

void TestRtfRoundTrip::fragmentIsWrittenAlone()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("keep "));
    cursor.insertText(QStringLiteral("copied"), charFormat([](auto &f) { f.setFontWeight(QFont::Bold); }));
    cursor.insertText(QStringLiteral(" rest"));
    cursor.setPosition(5);
    cursor.setPosition(11, QTextCursor::KeepAnchor);

    QTextDocument pasted;
    Rtf::read(Rtf::write(cursor.selection()), &pasted);
    QCOMPARE(pasted.toPlainText(), QStringLiteral("copied"));
    QCOMPARE(RtfTest::formatAt(pasted, QStringLiteral("copied")).fontWeight(), int(QFont::Bold));
}

void TestRtfRoundTrip::insertReplacesSelection()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("Hello there World"));
    cursor.setPosition(6);
    cursor.setPosition(11, QTextCursor::KeepAnchor);
    Rtf::insert("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\b new\\b0 }", cursor);

    QCOMPARE(document.toPlainText(), QStringLiteral("Hello new World"));
    QCOMPARE(RtfTest::formatAt(document, QStringLiteral("new")).fontWeight(), int(QFont::Bold));
    QCOMPARE(RtfTest::formatAt(document, QStringLiteral("World")).fontWeight(), int(QFont::Normal));
}

void TestRtfRoundTrip::fileHelpers()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QTextDocument document;
    QTextCursor(&document).insertText(QStringLiteral("kept text"));

    QString error;
    QVERIFY(!Rtf::loadFile(dir.filePath(QStringLiteral("missing.Fil")), &document, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(document.toPlainText(), QStringLiteral("kept text"));

    const QString path = dir.filePath(QStringLiteral("Action0.Fil"));
    QVERIFY(Rtf::saveFile(path, document, &error));
    QTextDocument loaded;
    QVERIFY(Rtf::loadFile(path, &loaded, &error));
    QCOMPARE(loaded.toPlainText(), QStringLiteral("kept text"));

    error.clear();
    QVERIFY(!Rtf::saveFile(dir.filePath(QStringLiteral("no/such/folder/Action0.Fil")), document, &error));
    QVERIFY(!error.isEmpty());
}

QTEST_MAIN(TestRtfRoundTrip)
#include "tst_rtfroundtrip.moc"
