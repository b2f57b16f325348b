// Content, selection, formatting and search of the rich-text editor.
#include "platform/editor/richtexteditor.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// One formatted paragraph per line so that round trips can be checked
// run by run: "Plain bold red big" / a centred second paragraph.
void writeFormattedSample(RichTextEditor &editor)
{
    editor.setText(QStringLiteral("Plain bold red big\nCentred line"));
    editor.select(6, 4);
    editor.setSelBold(true);
    editor.select(11, 3);
    editor.setSelColor(0x0000FF);
    editor.select(15, 3);
    editor.setSelFontName(QStringLiteral("Liberation Sans"));
    editor.setSelFontSize(18);
    editor.setSelItalic(true);
    editor.setSelUnderline(true);
    editor.setSelStrikeThru(true);
    editor.setSelStart(20);
    editor.setSelAlignment(RichTextEditor::AlignCentre);
}

void verifyFormattedSample(RichTextEditor &editor)
{
    QCOMPARE(editor.text(), QStringLiteral("Plain bold red big\nCentred line"));
    editor.select(0, 5);
    QVERIFY(!editor.selBold());
    QCOMPARE(editor.selFontName(), QStringLiteral("Times New Roman"));
    QCOMPARE(editor.selFontSize(), 12.0);
    QCOMPARE(editor.selColor(), 0u);
    editor.select(6, 4);
    QVERIFY(editor.selBold());
    editor.select(11, 3);
    QCOMPARE(editor.selColor(), 0x0000FFu);
    QVERIFY(!editor.selBold());
    editor.select(15, 3);
    QCOMPARE(editor.selFontName(), QStringLiteral("Liberation Sans"));
    QCOMPARE(editor.selFontSize(), 18.0);
    QVERIFY(editor.selItalic());
    QVERIFY(editor.selUnderline());
    QVERIFY(editor.selStrikeThru());
    editor.setSelStart(2);
    QCOMPARE(editor.selAlignment(), int(RichTextEditor::AlignLeft));
    editor.setSelStart(22);
    QCOMPARE(editor.selAlignment(), int(RichTextEditor::AlignCentre));
}

} // namespace

class RichTextEditorContentTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultFontIsTimesNewRoman12();
    void saveAndLoadKeepFormatting();
    void rtfPropertyRoundTripKeepsFormatting();
    void failedSaveReportsAndKeepsContent();
    void failedLoadReportsAndKeepsContent();
    void settingEmptyRtfClears();
    void newContentDoesNotInheritCaretFormat();
    void contentChangedOncePerProgramCall();
    void selectionOffsets();
    void selectionOffsetsCountParagraphBreaksOnce();
    void setSelTextReplacesSelection();
    void selRtfRoundTrip();
    void selRtfKeepsTheDefaultFontOfUnformattedText();
    void selectionFormatting_data();
    void selectionFormatting();
    void colourIsStoredRedInLowByte();
    void mixedSelectionReportsFirstCharacter();
    void formattingWithoutSelectionAppliesToTyping();
    void find_data();
    void find();
    void backColorIsBgr();
};

void RichTextEditorContentTest::defaultFontIsTimesNewRoman12()
{
    RichTextEditor editor;
    QCOMPARE(editor.defaultFont().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(editor.defaultFont().pointSizeF(), 12.0);
    QCOMPARE(editor.selFontName(), QStringLiteral("Times New Roman"));
    QCOMPARE(editor.selFontSize(), 12.0);

    QFont reader(QStringLiteral("Liberation Sans"));
    reader.setPointSizeF(11.25);
    reader.setBold(true);
    editor.setDefaultFont(reader);
    editor.setText(QStringLiteral("abc"));
    editor.select(0, 3);
    QCOMPARE(editor.selFontName(), QStringLiteral("Liberation Sans"));
    QCOMPARE(editor.selFontSize(), 11.25);
    QVERIFY(editor.selBold());
}

void RichTextEditorContentTest::saveAndLoadKeepFormatting()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString file = folder.filePath(QStringLiteral("Action0.Fil"));

    RichTextEditor writer;
    writeFormattedSample(writer);
    QString error;
    QVERIFY2(writer.saveFile(file, &error), qPrintable(error));

    RichTextEditor reader;
    reader.setText(QStringLiteral("previous entry"));
    QSignalSpy changed(&reader, &RichTextEditor::contentChanged);
    QVERIFY2(reader.loadFile(file, &error), qPrintable(error));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(reader.selStart(), 0);
    QCOMPARE(reader.selLength(), 0);
    verifyFormattedSample(reader);

    // Saving over an existing file replaces it.
    reader.setText(QStringLiteral("short"));
    QVERIFY(reader.saveFile(file));
    RichTextEditor again;
    QVERIFY(again.loadFile(file));
    QCOMPARE(again.text(), QStringLiteral("short"));
}

void RichTextEditorContentTest::rtfPropertyRoundTripKeepsFormatting()
{
    RichTextEditor writer;
    writeFormattedSample(writer);
    const QByteArray rtf = writer.rtf();
    QVERIFY(rtf.startsWith("{\\rtf"));

    RichTextEditor reader;
    QSignalSpy changed(&reader, &RichTextEditor::contentChanged);
    reader.setRtf(rtf);
    QCOMPARE(changed.count(), 1);
    verifyFormattedSample(reader);
}

void RichTextEditorContentTest::failedSaveReportsAndKeepsContent()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("missing/Action0.Fil"));
    RichTextEditor editor;
    editor.setText(QStringLiteral("unsaved words"));
    QString error;
    QVERIFY(!editor.saveFile(file, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(file));
    QCOMPARE(editor.text(), QStringLiteral("unsaved words"));
}

void RichTextEditorContentTest::failedLoadReportsAndKeepsContent()
{
    QTemporaryDir folder;
    RichTextEditor editor;
    writeFormattedSample(editor);
    editor.select(6, 4);
    QSignalSpy changed(&editor, &RichTextEditor::contentChanged);
    QString error;
    QVERIFY(!editor.loadFile(folder.filePath(QStringLiteral("Comment9.Fil")), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(changed.count(), 0);
    QCOMPARE(editor.selStart(), 6);
    QCOMPARE(editor.selLength(), 4);
    verifyFormattedSample(editor);
}

void RichTextEditorContentTest::settingEmptyRtfClears()
{
    RichTextEditor editor;
    editor.setText(QStringLiteral("something"));
    editor.setRtf(QByteArray());
    QCOMPARE(editor.text(), QString());
    editor.setText(QStringLiteral("again"));
    editor.clear();
    QCOMPARE(editor.text(), QString());
    QVERIFY(!editor.document()->isUndoAvailable());
}

void RichTextEditorContentTest::newContentDoesNotInheritCaretFormat()
{
    RichTextEditor editor;
    editor.setText(QStringLiteral("heading"));
    editor.select(0, 7);
    editor.setSelBold(true);
    editor.setSelColor(0x0000FF);
    editor.setSelStart(7); // caret after bold red text types bold red

    editor.clear();
    editor.setSelText(QStringLiteral("fresh"));
    editor.select(0, 5);
    QVERIFY(!editor.selBold());
    QCOMPARE(editor.selColor(), 0u);
}

void RichTextEditorContentTest::contentChangedOncePerProgramCall()
{
    RichTextEditor editor;
    QSignalSpy changed(&editor, &RichTextEditor::contentChanged);

    editor.setText(QStringLiteral("one\ntwo\nthree"));
    QCOMPARE(changed.count(), 1);
    editor.setRtf(editor.rtf()); // same content still counts as one change
    QCOMPARE(changed.count(), 2);
    editor.clear();
    QCOMPARE(changed.count(), 3);
    editor.clear(); // clearing an empty editor too
    QCOMPARE(changed.count(), 4);
    editor.setSelText(QStringLiteral("a\nb"));
    QCOMPARE(changed.count(), 5);

    editor.select(0, 3);
    editor.setSelBold(true);
    QCOMPARE(changed.count(), 6);
    editor.setSelStart(1);
    editor.setSelItalic(true); // only the caret's format: the text is unchanged
    QCOMPARE(changed.count(), 6);
}

void RichTextEditorContentTest::selectionOffsets()
{
    RichTextEditor editor;
    editor.setText(QStringLiteral("Risk Analysis"));
    editor.select(2, 5);
    editor.setSelStart(5);
    QCOMPARE(editor.selStart(), 5);
    QCOMPARE(editor.selLength(), 0);
    editor.setSelLength(8);
    QCOMPARE(editor.selText(), QStringLiteral("Analysis"));

    // Out-of-range values are held to the text.
    editor.setSelStart(100);
    QCOMPARE(editor.selStart(), 13);
    editor.setSelStart(-4);
    QCOMPARE(editor.selStart(), 0);
    editor.setSelLength(100);
    QCOMPARE(editor.selLength(), 13);
}

void RichTextEditorContentTest::selectionOffsetsCountParagraphBreaksOnce()
{
    RichTextEditor editor;
    editor.setText(QStringLiteral("ab\ncd\nef"));
    QCOMPARE(editor.text().size(), 8);
    const int offset = editor.find(QStringLiteral("ef"));
    QCOMPARE(offset, 6);
    editor.select(offset, 2);
    QCOMPARE(editor.selText(), QStringLiteral("ef"));
    editor.select(1, 4);
    QCOMPARE(editor.selText(), QStringLiteral("b\ncd"));
}

void RichTextEditorContentTest::setSelTextReplacesSelection()
{
    RichTextEditor editor;
    editor.setText(QStringLiteral("the old word"));
    editor.select(4, 3);
    editor.setSelText(QStringLiteral("new"));
    QCOMPARE(editor.text(), QStringLiteral("the new word"));
    QCOMPARE(editor.selStart(), 7);
    QCOMPARE(editor.selLength(), 0);

    editor.setSelText(QStringLiteral("\r\nline"));
    QCOMPARE(editor.text(), QStringLiteral("the new\nline word"));
}

void RichTextEditorContentTest::selRtfRoundTrip()
{
    RichTextEditor source;
    writeFormattedSample(source);
    source.select(6, 8); // "bold red"
    const QByteArray fragment = source.selRtf();
    QVERIFY(fragment.startsWith("{\\rtf"));

    RichTextEditor target;
    target.setText(QStringLiteral("[] and [X]"));
    target.select(8, 1);
    QSignalSpy changed(&target, &RichTextEditor::contentChanged);
    target.setSelRtf(fragment);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(target.text(), QStringLiteral("[] and [bold red]"));
    QCOMPARE(target.selStart(), 16);
    target.select(8, 4);
    QVERIFY(target.selBold());
    target.select(13, 3);
    QCOMPARE(target.selColor(), 0x0000FFu);
    QVERIFY(!target.selBold());

    target.setSelStart(1);
    target.setSelRtf(fragment);
    QCOMPARE(target.text(), QStringLiteral("[bold red] and [bold red]"));
}

void RichTextEditorContentTest::selRtfKeepsTheDefaultFontOfUnformattedText()
{
    RichTextEditor viewer;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(14);
    viewer.setDefaultFont(font);
    viewer.setText(QStringLiteral("plain words"));
    viewer.select(0, 5);

    RichTextEditor target; // Times New Roman 12
    target.setSelRtf(viewer.selRtf());
    target.select(0, 5);
    QCOMPARE(target.selFontName(), QStringLiteral("Liberation Sans"));
    QCOMPARE(target.selFontSize(), 14.0);
}

void RichTextEditorContentTest::selectionFormatting_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("colour red") << "color" << QVariant(0x0000FFu);
    QTest::newRow("colour blue") << "color" << QVariant(0xFF0000u);
    QTest::newRow("colour mixed") << "color" << QVariant(0x00805020u);
    QTest::newRow("font name") << "fontName" << QVariant(QStringLiteral("Liberation Mono"));
    QTest::newRow("font size whole") << "fontSize" << QVariant(20.0);
    QTest::newRow("font size half") << "fontSize" << QVariant(10.5);
    QTest::newRow("bold") << "bold" << QVariant(true);
    QTest::newRow("italic") << "italic" << QVariant(true);
    QTest::newRow("underline") << "underline" << QVariant(true);
    QTest::newRow("strikethrough") << "strikeThru" << QVariant(true);
    QTest::newRow("align right") << "alignment" << QVariant(int(RichTextEditor::AlignRight));
    QTest::newRow("align centre") << "alignment" << QVariant(int(RichTextEditor::AlignCentre));
}

namespace {

void applyFormatting(RichTextEditor &editor, const QString &property, const QVariant &value)
{
    if (property == u"color")
        editor.setSelColor(value.toUInt());
    else if (property == u"fontName")
        editor.setSelFontName(value.toString());
    else if (property == u"fontSize")
        editor.setSelFontSize(value.toReal());
    else if (property == u"bold")
        editor.setSelBold(value.toBool());
    else if (property == u"italic")
        editor.setSelItalic(value.toBool());
    else if (property == u"underline")
        editor.setSelUnderline(value.toBool());
    else if (property == u"strikeThru")
        editor.setSelStrikeThru(value.toBool());
    else if (property == u"alignment")
        editor.setSelAlignment(value.toInt());
}

QVariant readFormatting(const RichTextEditor &editor, const QString &property)
{
    if (property == u"color")
        return editor.selColor();
    if (property == u"fontName")
        return editor.selFontName();
    if (property == u"fontSize")
        return editor.selFontSize();
    if (property == u"bold")
        return editor.selBold();
    if (property == u"italic")
        return editor.selItalic();
    if (property == u"underline")
        return editor.selUnderline();
    if (property == u"strikeThru")
        return editor.selStrikeThru();
    if (property == u"alignment")
        return editor.selAlignment();
    return {};
}

} // namespace

// Set on the middle word, read back there, unchanged on the neighbours, and
// kept through a save to RTF and a load.
void RichTextEditorContentTest::selectionFormatting()
{
    QFETCH(QString, property);
    QFETCH(QVariant, value);

    RichTextEditor editor;
    editor.setText(QStringLiteral("first middle last\nnext paragraph"));
    editor.select(0, 5);
    const QVariant untouched = readFormatting(editor, property);
    QVERIFY(untouched != value);

    editor.select(6, 6);
    applyFormatting(editor, property, value);
    QCOMPARE(editor.selStart(), 6);
    QCOMPARE(editor.selLength(), 6);
    QCOMPARE(readFormatting(editor, property), value);
    editor.select(0, 5);
    QCOMPARE(readFormatting(editor, property), property == u"alignment" ? value : untouched);
    editor.select(25, 4);
    QCOMPARE(readFormatting(editor, property), untouched);

    RichTextEditor reloaded;
    reloaded.setRtf(editor.rtf());
    reloaded.select(6, 6);
    QCOMPARE(readFormatting(reloaded, property), value);
    reloaded.select(25, 4);
    QCOMPARE(readFormatting(reloaded, property), untouched);
}

void RichTextEditorContentTest::colourIsStoredRedInLowByte()
{
    RichTextEditor editor;
    editor.setText(QStringLiteral("alarm"));
    editor.select(0, 5);
    editor.setSelColor(0x0000FF);
    QTextCursor inside(editor.document());
    inside.setPosition(2);
    QCOMPARE(inside.charFormat().foreground().color(), QColor(255, 0, 0));
    QCOMPARE(editor.selColor(), 0x0000FFu);
}

void RichTextEditorContentTest::mixedSelectionReportsFirstCharacter()
{
    RichTextEditor editor;
    editor.setText(QStringLiteral("bold plain"));
    editor.select(0, 4);
    editor.setSelBold(true);
    editor.setSelFontSize(16);

    editor.select(2, 6);
    QVERIFY(editor.selBold());
    QCOMPARE(editor.selFontSize(), 16.0);
    editor.select(4, 6);
    QVERIFY(!editor.selBold());
    QCOMPARE(editor.selFontSize(), 12.0);

    // Alignment follows the paragraph where the selection starts.
    editor.setText(QStringLiteral("one\ntwo"));
    editor.setSelStart(5);
    editor.setSelAlignment(RichTextEditor::AlignRight);
    editor.select(1, 5);
    QCOMPARE(editor.selAlignment(), int(RichTextEditor::AlignLeft));
    editor.setSelAlignment(RichTextEditor::AlignCentre); // both paragraphs
    editor.setSelStart(6);
    QCOMPARE(editor.selAlignment(), int(RichTextEditor::AlignCentre));
}

void RichTextEditorContentTest::formattingWithoutSelectionAppliesToTyping()
{
    RichTextEditor editor;
    editor.setText(QStringLiteral("ab"));
    editor.setSelStart(1);
    editor.setSelBold(true);
    editor.setSelColor(0xFF0000);
    QVERIFY(editor.selBold());
    QCOMPARE(editor.text(), QStringLiteral("ab"));
    QTest::keyClicks(&editor, QStringLiteral("XY"));
    QCOMPARE(editor.text(), QStringLiteral("aXYb"));
    editor.select(1, 2);
    QVERIFY(editor.selBold());
    QCOMPARE(editor.selColor(), 0xFF0000u);
    editor.select(3, 1);
    QVERIFY(!editor.selBold());
}

void RichTextEditorContentTest::find_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<int>("expected");

    const QString rule = QStringLiteral("Security official; the security rule. Secure securely.");
    QTest::newRow("match at start") << rule << "security" << 0 << true << 0;
    QTest::newRow("case ignored") << rule << "SECURITY RULE" << 0 << false << 23;
    QTest::newRow("from offset skips earlier") << rule << "security" << 1 << true << 23;
    QTest::newRow("start on a match finds it") << rule << "security" << 23 << true << 23;
    QTest::newRow("part of word found without whole word") << rule << "secure" << 0 << false << 38;
    QTest::newRow("whole word skips inside of word") << rule << "cure" << 0 << true << -1;
    QTest::newRow("whole word skips prefix of word") << rule << "secure" << 39 << true << -1;
    QTest::newRow("whole word finds the word") << rule << "secure" << 0 << true << 38;
    QTest::newRow("phrase as one string") << rule << "official; the" << 0 << true << 9;
    QTest::newRow("not found") << rule << "encryption" << 0 << false << -1;
    QTest::newRow("start past the end") << rule << "security" << 500 << false << -1;
    QTest::newRow("negative start from the top") << rule << "security" << -3 << false << 0;
    QTest::newRow("empty needle") << rule << "" << 0 << false << -1;
    QTest::newRow("match ends the text") << rule << "securely." << 0 << true << 45;
    QTest::newRow("across paragraph break") << "first\nsecond" << "second" << 0 << true << 6;
    QTest::newRow("word next to paragraph break") << "policy\nplan" << "policy" << 0 << true << 0;
    QTest::newRow("accented letters are word letters") << "café menu" << "caf" << 0 << true << -1;
}

void RichTextEditorContentTest::find()
{
    QFETCH(QString, text);
    QFETCH(QString, needle);
    QFETCH(int, start);
    QFETCH(bool, wholeWord);
    QFETCH(int, expected);

    RichTextEditor editor;
    editor.setText(text);
    QCOMPARE(editor.find(needle, start, wholeWord), expected);
    // Searching does not move the selection: that is the caller's choice.
    QCOMPARE(editor.selStart(), 0);
    QCOMPARE(editor.selLength(), 0);
}

void RichTextEditorContentTest::backColorIsBgr()
{
    RichTextEditor editor;
    editor.setBackColor(0x00C0FFEE);
    QCOMPARE(editor.backColor(), 0x00C0FFEEu);
    QCOMPARE(editor.palette().color(QPalette::Base), QColor(0xEE, 0xFF, 0xC0));
}

QTEST_MAIN(RichTextEditorContentTest)
#include "tst_richtexteditor_content.moc"
