// The rich-text editor as the user meets it: typing, limits, read-only,
// clipboard, mouse, focus and the context menu.
#include "platform/editor/richtexteditor.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QAbstractTextDocumentLayout>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

// A window holding the editor and a second control to move the focus to.
struct EditorWindow
{
    QWidget window;
    RichTextEditor *editor = nullptr;
    QLineEdit *other = nullptr;

    EditorWindow()
    {
        auto *layout = new QVBoxLayout(&window);
        editor = new RichTextEditor(&window);
        other = new QLineEdit(&window);
        layout->addWidget(editor);
        layout->addWidget(other);
        window.resize(400, 300);
        window.show();
        window.activateWindow();
    }

    bool focusEditor()
    {
        editor->setFocus();
        return QTest::qWaitForWindowActive(&window) && QTest::qWaitFor([this] { return editor->hasFocus(); });
    }
};

QByteArray boldRtfFromEditor(const QString &text)
{
    RichTextEditor source;
    source.setText(text);
    source.select(0, int(text.size()));
    source.setSelBold(true);
    return source.rtf();
}

int objectCharacters(const QTextDocument *document)
{
    int count = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat() || format.objectType() != QTextFormat::NoObject)
                ++count;
        }
    }
    return count;
}

} // namespace

class RichTextEditorInputTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void typingChangesContentAndSignals();
    void loadingIntoVisibleEditorShowsTextFromTop();
    void tabKeyTypesTab();
    void maxLengthRefusesTyping();
    void maxLengthRefusesPasting_data();
    void maxLengthRefusesPasting();
    void readOnlyRefusesEdits();
    void copyPutsRtfUnderBothTypesAndPlainText();
    void cutRemovesAndCopies();
    void pasteRtfKeepsFormatting_data();
    void pasteRtfKeepsFormatting();
    void pasteHtmlDropsPictures();
    void pastePlainTextTakesCaretFormat();
    void imagesAreNotAccepted();
    void mouseEventsAreReported();
    void rightClickWithoutMenuShowsNone();
    void rightClickWithMenuShowsEditingMenu();
    void focusEventsAreReported();
    void selectionHiddenWhenUnfocusedUnlessKept();
};

void RichTextEditorInputTest::init()
{
    QGuiApplication::clipboard()->clear();
}

void RichTextEditorInputTest::typingChangesContentAndSignals()
{
    EditorWindow w;
    QVERIFY(w.focusEditor());
    QSignalSpy changed(w.editor, &RichTextEditor::contentChanged);
    QSignalSpy keys(w.editor, &RichTextEditor::keyDown);
    QTest::keyClicks(w.editor, QStringLiteral("abc"));
    QTest::keyClick(w.editor, Qt::Key_Return);
    QTest::keyClicks(w.editor, QStringLiteral("d"));
    QCOMPARE(w.editor->text(), QStringLiteral("abc\nd"));
    QCOMPARE(changed.count(), 5);
    QCOMPARE(keys.count(), 5);
    QCOMPARE(keys.at(3).at(0).toInt(), int(Qt::Key_Return));

    // Typed text uses the default font.
    w.editor->select(0, 3);
    QCOMPARE(w.editor->selFontName(), QStringLiteral("Times New Roman"));
    QCOMPARE(w.editor->selFontSize(), 12.0);

    // Keys that only move the caret change nothing.
    QTest::keyClick(w.editor, Qt::Key_Left);
    QCOMPARE(changed.count(), 5);
}

void RichTextEditorInputTest::loadingIntoVisibleEditorShowsTextFromTop()
{
    EditorWindow w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    const QImage empty = w.editor->viewport()->grab().toImage();

    QStringList lines;
    for (int line = 0; line < 400; ++line)
        lines << QStringLiteral("Paragraph %1 of a long policy that needs scrolling.").arg(line);
    RichTextEditor source;
    source.setText(lines.join(u'\n'));
    w.editor->setText(QStringLiteral("old"));
    w.editor->setSelStart(3);
    w.editor->setRtf(source.rtf());

    QVERIFY(w.editor->document()->pageSize().width() > 0);
    QCOMPARE(w.editor->selStart(), 0);
    QTRY_VERIFY(w.editor->verticalScrollBar()->maximum() > w.editor->viewport()->height());
    QCOMPARE(w.editor->verticalScrollBar()->value(), 0);
    QVERIFY(w.editor->viewport()->grab().toImage() != empty);
    // The last paragraph is laid out where the scroll range ends.
    const QTextBlock last = w.editor->document()->lastBlock();
    QTRY_VERIFY(w.editor->document()->documentLayout()->blockBoundingRect(last).bottom()
                > w.editor->viewport()->height() * 10);
}

void RichTextEditorInputTest::tabKeyTypesTab()
{
    EditorWindow w;
    QVERIFY(w.focusEditor());
    QTest::keyClicks(w.editor, QStringLiteral("a"));
    QTest::keyClick(w.editor, Qt::Key_Tab);
    QTest::keyClicks(w.editor, QStringLiteral("b"));
    QCOMPARE(w.editor->text(), QStringLiteral("a\tb"));
    QVERIFY(w.editor->hasFocus());
}

void RichTextEditorInputTest::maxLengthRefusesTyping()
{
    EditorWindow w;
    QVERIFY(w.focusEditor());
    w.editor->setMaxLength(5);
    QTest::keyClicks(w.editor, QStringLiteral("abcdefgh"));
    QCOMPARE(w.editor->text(), QStringLiteral("abcde"));
    QTest::keyClick(w.editor, Qt::Key_Return);
    QCOMPARE(w.editor->text(), QStringLiteral("abcde"));

    // Typing over a selection replaces it, so the first key fits.
    w.editor->select(1, 2);
    QTest::keyClicks(w.editor, QStringLiteral("XYZ"));
    QCOMPARE(w.editor->text(), QStringLiteral("aXYde"));
    // Deleting still works at the limit, and frees room for one key.
    QTest::keyClick(w.editor, Qt::Key_Backspace);
    QTest::keyClicks(w.editor, QStringLiteral("12"));
    QCOMPARE(w.editor->text(), QStringLiteral("aX1de"));

    // The program itself is not limited; zero lifts the limit.
    w.editor->setText(QStringLiteral("longer than five"));
    QCOMPARE(w.editor->text(), QStringLiteral("longer than five"));
    w.editor->setMaxLength(0);
    w.editor->setSelStart(16);
    QTest::keyClicks(w.editor, QStringLiteral("!"));
    QCOMPARE(w.editor->text(), QStringLiteral("longer than five!"));
}

void RichTextEditorInputTest::maxLengthRefusesPasting_data()
{
    QTest::addColumn<QString>("mimeType");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain fits") << "text/plain" << "1234" << "ab1234cd";
    QTest::newRow("plain too long") << "text/plain" << "12345" << "abcd";
    QTest::newRow("rtf fits") << "text/rtf" << "1234" << "ab1234cd";
    QTest::newRow("rtf too long") << "text/rtf" << "12345" << "abcd";
    QTest::newRow("html too long") << "text/html" << "12345" << "abcd";
}

void RichTextEditorInputTest::maxLengthRefusesPasting()
{
    QFETCH(QString, mimeType);
    QFETCH(QString, pasted);
    QFETCH(QString, expected);

    EditorWindow w;
    w.editor->setText(QStringLiteral("abcd"));
    w.editor->setMaxLength(8);
    w.editor->setSelStart(2);

    auto *data = new QMimeData;
    if (mimeType == u"text/plain")
        data->setText(pasted);
    else if (mimeType == u"text/html")
        data->setHtml(QStringLiteral("<p>%1</p>").arg(pasted));
    else
        data->setData(mimeType, boldRtfFromEditor(pasted));
    QGuiApplication::clipboard()->setMimeData(data);

    QVERIFY(w.focusEditor());
    QTest::keySequence(w.editor, QKeySequence::Paste);
    QCOMPARE(w.editor->text(), expected);
}

void RichTextEditorInputTest::readOnlyRefusesEdits()
{
    EditorWindow w;
    w.editor->setText(QStringLiteral("reference text"));
    w.editor->setReadOnly(true);
    QVERIFY(w.focusEditor());
    QSignalSpy changed(w.editor, &RichTextEditor::contentChanged);

    QTest::keyClicks(w.editor, QStringLiteral("xyz"));
    QTest::keyClick(w.editor, Qt::Key_Delete);
    QTest::keyClick(w.editor, Qt::Key_Return);
    QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
    QTest::keySequence(w.editor, QKeySequence::Paste);
    w.editor->paste();
    w.editor->select(0, 9);
    QTest::keySequence(w.editor, QKeySequence::Cut);
    QCOMPARE(w.editor->text(), QStringLiteral("reference text"));
    QCOMPARE(changed.count(), 0);

    // Reading and copying still work, and the program may still set content.
    w.editor->copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("reference"));
    w.editor->setText(QStringLiteral("next section"));
    QCOMPARE(w.editor->text(), QStringLiteral("next section"));
}

void RichTextEditorInputTest::copyPutsRtfUnderBothTypesAndPlainText()
{
    EditorWindow w;
    w.editor->setText(QStringLiteral("Copy bold words\nand more"));
    w.editor->select(5, 4);
    w.editor->setSelBold(true);
    w.editor->select(5, 14);
    w.editor->copy();

    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data);
    const QByteArray rtf = data->data(QStringLiteral("text/rtf"));
    QVERIFY(rtf.startsWith("{\\rtf"));
    QCOMPARE(data->data(QStringLiteral("application/rtf")), rtf);
    QCOMPARE(data->text(), QStringLiteral("bold words\nand"));

    // What another program would get back: text and bold intact.
    RichTextEditor other;
    other.setRtf(rtf);
    QCOMPARE(other.text(), QStringLiteral("bold words\nand"));
    other.select(0, 4);
    QVERIFY(other.selBold());
    other.select(5, 5);
    QVERIFY(!other.selBold());
}

void RichTextEditorInputTest::cutRemovesAndCopies()
{
    EditorWindow w;
    w.editor->setText(QStringLiteral("keep cut keep"));
    QVERIFY(w.focusEditor());
    w.editor->select(5, 4);
    QSignalSpy changed(w.editor, &RichTextEditor::contentChanged);
    QTest::keySequence(w.editor, QKeySequence::Cut);
    QCOMPARE(w.editor->text(), QStringLiteral("keep keep"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("cut "));
    QVERIFY(QGuiApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("text/rtf")));
}

void RichTextEditorInputTest::pasteRtfKeepsFormatting_data()
{
    QTest::addColumn<QString>("mimeType");
    QTest::newRow("text/rtf") << "text/rtf";
    QTest::newRow("application/rtf") << "application/rtf";
}

void RichTextEditorInputTest::pasteRtfKeepsFormatting()
{
    QFETCH(QString, mimeType);
    EditorWindow w;
    w.editor->setText(QStringLiteral("[]"));
    w.editor->setSelStart(1);

    // Another program's clipboard: RTF only, with plain text that differs so
    // that taking the wrong format shows.
    auto *data = new QMimeData;
    data->setData(mimeType, boldRtfFromEditor(QStringLiteral("Strong")));
    data->setText(QStringLiteral("wrong"));
    QGuiApplication::clipboard()->setMimeData(data);

    QVERIFY(w.focusEditor());
    QSignalSpy changed(w.editor, &RichTextEditor::contentChanged);
    QTest::keySequence(w.editor, QKeySequence::Paste);
    QCOMPARE(w.editor->text(), QStringLiteral("[Strong]"));
    QCOMPARE(changed.count(), 1);
    w.editor->select(1, 6);
    QVERIFY(w.editor->selBold());
    w.editor->select(7, 1);
    QVERIFY(!w.editor->selBold());
}

void RichTextEditorInputTest::pasteHtmlDropsPictures()
{
    EditorWindow w;
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    w.editor->document()->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("logo.png")), picture);

    auto *data = new QMimeData;
    data->setHtml(QStringLiteral("<p>Before <b>bold</b><img src=\"logo.png\"> after</p>"));
    data->setImageData(picture);
    QGuiApplication::clipboard()->setMimeData(data);

    QVERIFY(w.focusEditor());
    QTest::keySequence(w.editor, QKeySequence::Paste);
    QCOMPARE(w.editor->text(), QStringLiteral("Before bold after"));
    QCOMPARE(objectCharacters(w.editor->document()), 0);
    w.editor->select(7, 4);
    QVERIFY(w.editor->selBold());
}

void RichTextEditorInputTest::pastePlainTextTakesCaretFormat()
{
    EditorWindow w;
    w.editor->setText(QStringLiteral("ab"));
    w.editor->select(0, 2);
    w.editor->setSelItalic(true);
    w.editor->setSelStart(1);
    QGuiApplication::clipboard()->setText(QStringLiteral("line one\r\nline two"));
    QVERIFY(w.focusEditor());
    QTest::keySequence(w.editor, QKeySequence::Paste);
    QCOMPARE(w.editor->text(), QStringLiteral("aline one\nline twob"));
    w.editor->select(1, 4);
    QVERIFY(w.editor->selItalic());
}

void RichTextEditorInputTest::imagesAreNotAccepted()
{
    EditorWindow w;
    w.editor->setText(QStringLiteral("text"));
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    auto *data = new QMimeData;
    data->setImageData(picture);
    QGuiApplication::clipboard()->setMimeData(data);
    QVERIFY(!w.editor->canPaste());
    QVERIFY(w.focusEditor());
    QTest::keySequence(w.editor, QKeySequence::Paste);
    QCOMPARE(w.editor->text(), QStringLiteral("text"));
    QCOMPARE(objectCharacters(w.editor->document()), 0);
}

void RichTextEditorInputTest::mouseEventsAreReported()
{
    EditorWindow w;
    w.editor->setText(QStringLiteral("Left aligned first line\nsecond line"));
    w.editor->setSelStart(30);
    w.editor->setSelAlignment(RichTextEditor::AlignCentre);
    QVERIFY(w.focusEditor());

    QSignalSpy clicked(w.editor, &RichTextEditor::clicked);
    QSignalSpy up(w.editor, &RichTextEditor::mouseUp);
    QSignalSpy moved(w.editor, &RichTextEditor::mouseMove);

    // A click in the first line puts the caret there before clicked() fires,
    // so a handler can read that paragraph's alignment.
    int alignmentWhenClicked = -1;
    connect(w.editor, &RichTextEditor::clicked, w.editor,
            [&] { alignmentWhenClicked = w.editor->selAlignment(); });
    const QRect firstLine = w.editor->cursorRect(QTextCursor(w.editor->document()));
    const QPoint inFirstLine = firstLine.center() + QPoint(20, 0);
    QTest::mouseClick(w.editor->viewport(), Qt::LeftButton, {}, inFirstLine);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(alignmentWhenClicked, int(RichTextEditor::AlignLeft));
    QVERIFY(w.editor->selStart() > 0 && w.editor->selStart() < 24);
    QCOMPARE(up.count(), 1);
    QCOMPARE(up.at(0).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
    QCOMPARE(up.at(0).at(1).toPoint(), inFirstLine);

    QTest::mouseMove(w.editor->viewport(), inFirstLine + QPoint(5, 0));
    QTRY_VERIFY(moved.count() >= 1);
    QCOMPARE(moved.last().at(1).toPoint(), inFirstLine + QPoint(5, 0));

    // Other buttons report mouseUp only.
    QTest::mouseClick(w.editor->viewport(), Qt::MiddleButton, {}, inFirstLine);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(up.last().at(0).value<Qt::MouseButton>(), Qt::MiddleButton);
}

void RichTextEditorInputTest::rightClickWithoutMenuShowsNone()
{
    EditorWindow w;
    w.editor->setText(QStringLiteral("some words"));
    w.editor->setContextMenuEnabled(false);
    QVERIFY(w.focusEditor());
    QSignalSpy up(w.editor, &RichTextEditor::mouseUp);

    const QPoint position(10, 10);
    QTest::mouseClick(w.editor->viewport(), Qt::RightButton, {}, position);
    QContextMenuEvent menuRequest(QContextMenuEvent::Mouse, position, w.editor->viewport()->mapToGlobal(position));
    QApplication::sendEvent(w.editor->viewport(), &menuRequest);
    QTest::qWait(50);
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
    QCOMPARE(up.count(), 1);
    QCOMPARE(up.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
}

void RichTextEditorInputTest::rightClickWithMenuShowsEditingMenu()
{
    EditorWindow w;
    w.editor->setText(QStringLiteral("some words"));
    QVERIFY(w.editor->contextMenuEnabled());
    QVERIFY(w.focusEditor());
    const QPoint position(10, 10);
    QContextMenuEvent menuRequest(QContextMenuEvent::Mouse, position, w.editor->viewport()->mapToGlobal(position));
    QApplication::sendEvent(w.editor->viewport(), &menuRequest);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QVERIFY(menu->actions().size() > 3);
    menu->close();
}

void RichTextEditorInputTest::focusEventsAreReported()
{
    EditorWindow w;
    QSignalSpy got(w.editor, &RichTextEditor::gotFocus);
    QSignalSpy lost(w.editor, &RichTextEditor::lostFocus);
    QVERIFY(w.focusEditor());
    QCOMPARE(got.count(), 1);
    w.other->setFocus();
    QTRY_COMPARE(lost.count(), 1);
}

void RichTextEditorInputTest::selectionHiddenWhenUnfocusedUnlessKept()
{
    EditorWindow w;
    w.editor->setText(QStringLiteral("Selected words in the viewer"));
    w.other->setFocus();
    QTRY_VERIFY(w.other->hasFocus());

    w.editor->setSelStart(0);
    const QImage plain = w.editor->viewport()->grab().toImage();
    w.editor->select(0, 14);

    QVERIFY(!w.editor->keepSelectionVisible());
    QCOMPARE(w.editor->viewport()->grab().toImage(), plain);

    w.editor->setKeepSelectionVisible(true);
    QVERIFY(w.editor->viewport()->grab().toImage() != plain);

    // With the focus the selection always shows.
    w.editor->setKeepSelectionVisible(false);
    QVERIFY(w.focusEditor());
    w.editor->select(0, 14);
    QVERIFY(w.editor->viewport()->grab().toImage() != plain);
}

QTEST_MAIN(RichTextEditorInputTest)
#include "tst_richtexteditor_input.moc"
