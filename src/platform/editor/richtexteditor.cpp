#include "richtexteditor.h"
#include "richtexteditor_p.h"

#include "platform/records/colourref.h"
#include "platform/rtf/rtf.h"
#include "textsearch.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>
#include <functional>

RichTextEditor::RichTextEditor(QWidget *parent)
    : QTextEdit(parent)
{
    setAcceptRichText(true);
    setTabChangesFocus(false);
    viewport()->setMouseTracking(true);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(12);
    setDefaultFont(font);
    connect(this, &QTextEdit::textChanged, this, &RichTextEditor::relayDocumentChange);
}

RichTextEditor::~RichTextEditor() = default;

void RichTextEditor::runDrawingOnlyChange(const std::function<void()> &change)
{
    ++m_drawingOnlyDepth;
    change();
    --m_drawingOnlyDepth;
}

void RichTextEditor::relayDocumentChange()
{
    if (m_drawingOnlyDepth > 0)
        return;
    if (m_programChangeDepth > 0)
        m_changedDuringProgramChange = true;
    else
        Q_EMIT contentChanged();
}

QStringList RichTextEditor::rtfMimeTypes()
{
    return {QStringLiteral("text/rtf"), QStringLiteral("application/rtf")};
}

// ---- Whole content ---------------------------------------------------------

bool RichTextEditor::loadFile(const QString &fileName, QString *error)
{
    ProgramChange change(this, ProgramChange::Signal::Always);
    if (!replaceContent([&] { return Rtf::loadFile(fileName, document(), error); })) {
        change.cancel();
        return false;
    }
    return true;
}

bool RichTextEditor::saveFile(const QString &fileName, QString *error) const
{
    return Rtf::saveFile(fileName, *document(), error);
}

QByteArray RichTextEditor::rtf() const
{
    return Rtf::write(*document());
}

void RichTextEditor::setRtf(const QByteArray &rtf)
{
    ProgramChange change(this, ProgramChange::Signal::Always);
    replaceContent([&] {
        if (rtf.isEmpty())
            document()->clear();
        else
            Rtf::read(rtf, document());
        return true;
    });
}

QString RichTextEditor::text() const
{
    return document()->toPlainText();
}

void RichTextEditor::setText(const QString &plainText)
{
    ProgramChange change(this, ProgramChange::Signal::Always);
    replaceContent([&] {
        document()->setPlainText(plainText);
        return true;
    });
}

void RichTextEditor::clear()
{
    ProgramChange change(this, ProgramChange::Signal::Always);
    replaceContent([&] {
        document()->clear();
        return true;
    });
}

// Every content replacement goes through here. Two things keep a large
// entry loading fast in a visible editor: one edit block, so the layout sees a
// single change; and layout suspended (a null page size) while the caret
// moves back to the top, since repainting the caret's old place would lay out
// the whole text at once. With the page size back, the layout resumes lazily,
// visible part first. New content starts with the caret at the top, typing in
// the format of the text there (not whatever the caret carried before), and
// no undo history reaching back into the previous content.
bool RichTextEditor::replaceContent(const std::function<bool()> &replace)
{
    QTextDocument *document = this->document();
    const QTextCursor previous = textCursor();
    const QSizeF pageSize = document->pageSize();
    document->setPageSize(QSizeF(0, 0));

    QTextCursor batch(document);
    batch.beginEditBlock();
    const bool replaced = replace();
    batch.endEditBlock();

    if (replaced) {
        if (document->defaultFont() != m_defaultFont)
            document->setDefaultFont(m_defaultFont);
        document->clearUndoRedoStacks();
        document->setModified(false);
        setTextCursor(QTextCursor(document));
    } else {
        setTextCursor(previous);
    }
    document->setPageSize(pageSize);
    return replaced;
}

// ---- Selection -------------------------------------------------------------

namespace {

int lastOffset(const QTextDocument *document)
{
    return qMax(0, document->characterCount() - 1);
}

} // namespace

int RichTextEditor::selStart() const
{
    return textCursor().selectionStart();
}

void RichTextEditor::setSelStart(int start)
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::clamp(start, 0, lastOffset(document())));
    setTextCursor(cursor);
}

int RichTextEditor::selLength() const
{
    const QTextCursor cursor = textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void RichTextEditor::setSelLength(int length)
{
    select(selStart(), length);
}

void RichTextEditor::select(int start, int length)
{
    const int last = lastOffset(document());
    const int anchor = std::clamp(start, 0, last);
    QTextCursor cursor = textCursor();
    cursor.setPosition(anchor);
    cursor.setPosition(std::clamp(anchor + qMax(0, length), anchor, last), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

QString RichTextEditor::selText() const
{
    return textCursor().selection().toPlainText();
}

void RichTextEditor::setSelText(const QString &plainText)
{
    ProgramChange change(this, ProgramChange::Signal::Always);
    QString normalised = plainText;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QTextCursor cursor = textCursor();
    cursor.insertText(normalised);
    setTextCursor(cursor);
}

QByteArray RichTextEditor::selRtf() const
{
    // Written from a document with this editor's default font, so that text
    // carrying no font of its own keeps the font it is shown in.
    QTextDocument selection;
    selection.setDefaultFont(document()->defaultFont());
    QTextCursor(&selection).insertFragment(textCursor().selection());
    return Rtf::write(selection);
}

void RichTextEditor::setSelRtf(const QByteArray &rtf)
{
    ProgramChange change(this, ProgramChange::Signal::Always);
    QTextCursor cursor = textCursor();
    Rtf::insert(rtf, cursor);
    setTextCursor(cursor);
}

// ---- Selection formatting --------------------------------------------------

QTextCharFormat RichTextEditor::formatAtSelection() const
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return cursor.charFormat();
    // A caret just after the first selected character reports that character.
    QTextCursor first(document());
    first.setPosition(cursor.selectionStart() + 1);
    return first.charFormat();
}

QFont RichTextEditor::fontAtSelection() const
{
    return formatAtSelection().font().resolve(document()->defaultFont());
}

void RichTextEditor::mergeSelectionFormat(const QTextCharFormat &format)
{
    ProgramChange change(this, ProgramChange::Signal::IfChanged);
    mergeCurrentCharFormat(format);
}

quint32 RichTextEditor::selColor() const
{
    const QBrush foreground = formatAtSelection().foreground();
    if (foreground.style() == Qt::NoBrush)
        return bgrFromColour(palette().color(QPalette::Text));
    return bgrFromColour(foreground.color());
}

void RichTextEditor::setSelColor(quint32 bgr)
{
    QTextCharFormat format;
    format.setForeground(colourFromBgr(bgr));
    mergeSelectionFormat(format);
}

QString RichTextEditor::selFontName() const
{
    return fontAtSelection().family();
}

void RichTextEditor::setSelFontName(const QString &family)
{
    if (family.isEmpty())
        return;
    QTextCharFormat format;
    format.setFontFamilies({family});
    mergeSelectionFormat(format);
}

qreal RichTextEditor::selFontSize() const
{
    const QFont font = fontAtSelection();
    if (font.pointSizeF() > 0)
        return font.pointSizeF();
    // Pasted HTML may size text in pixels.
    return font.pixelSize() * 72.0 / qMax(1, logicalDpiY());
}

void RichTextEditor::setSelFontSize(qreal points)
{
    if (points <= 0)
        return;
    QTextCharFormat format;
    format.setFontPointSize(points);
    mergeSelectionFormat(format);
}

bool RichTextEditor::selBold() const
{
    return fontAtSelection().bold();
}

void RichTextEditor::setSelBold(bool bold)
{
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    mergeSelectionFormat(format);
}

bool RichTextEditor::selItalic() const
{
    return fontAtSelection().italic();
}

void RichTextEditor::setSelItalic(bool italic)
{
    QTextCharFormat format;
    format.setFontItalic(italic);
    mergeSelectionFormat(format);
}

bool RichTextEditor::selUnderline() const
{
    return fontAtSelection().underline();
}

void RichTextEditor::setSelUnderline(bool underline)
{
    QTextCharFormat format;
    format.setFontUnderline(underline);
    mergeSelectionFormat(format);
}

bool RichTextEditor::selStrikeThru() const
{
    return fontAtSelection().strikeOut();
}

void RichTextEditor::setSelStrikeThru(bool strikeThru)
{
    QTextCharFormat format;
    format.setFontStrikeOut(strikeThru);
    mergeSelectionFormat(format);
}

int RichTextEditor::selAlignment() const
{
    QTextCursor first(document());
    first.setPosition(selStart());
    const Qt::Alignment horizontal = first.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignRight)
        return AlignRight;
    if (horizontal & Qt::AlignHCenter)
        return AlignCentre;
    return AlignLeft;
}

void RichTextEditor::setSelAlignment(int alignment)
{
    QTextBlockFormat format;
    switch (alignment) {
    case AlignLeft:
        format.setAlignment(Qt::AlignLeft);
        break;
    case AlignRight:
        format.setAlignment(Qt::AlignRight);
        break;
    case AlignCentre:
        format.setAlignment(Qt::AlignHCenter);
        break;
    default:
        return;
    }
    ProgramChange change(this, ProgramChange::Signal::IfChanged);
    QTextCursor cursor = textCursor();
    cursor.mergeBlockFormat(format);
}

// ---- Search and appearance -------------------------------------------------

int RichTextEditor::find(const QString &needle, int start, bool wholeWord) const
{
    return TextSearch::find(text(), needle, start, wholeWord);
}

QFont RichTextEditor::defaultFont() const
{
    return m_defaultFont;
}

void RichTextEditor::setDefaultFont(const QFont &font)
{
    m_defaultFont = font;
    // QTextEdit copies its widget font into the document on every font
    // change, so the widget font must be the default font too.
    setFont(font);
    document()->setDefaultFont(font);
}

quint32 RichTextEditor::backColor() const
{
    return bgrFromColour(palette().color(QPalette::Base));
}

void RichTextEditor::setBackColor(quint32 bgr)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colourFromBgr(bgr));
    setPalette(colours);
}

void RichTextEditor::setKeepSelectionVisible(bool keep)
{
    m_keepSelectionVisible = keep;
    viewport()->update();
}
