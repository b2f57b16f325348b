// The editor's traffic with the user: keys, mouse, focus, the context menu,
// painting without the selection, and the clipboard and drag-and-drop.
#include "richtexteditor.h"
#include "richtexteditor_p.h"

#include "platform/rtf/rtf.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <vector>

namespace {

// Other programs name rich text differently; Qt on Windows exposes the native
// "Rich Text Format" clipboard format under this name.
const QStringList &acceptedRtfMimeTypes()
{
    static const QStringList types = [] {
        QStringList list = RichTextEditor::rtfMimeTypes();
        list << QStringLiteral("text/richtext")
             << QStringLiteral("application/x-qt-windows-mime;value=\"Rich Text Format\"");
        return list;
    }();
    return types;
}

QString rtfMimeTypeIn(const QMimeData *source)
{
    for (const QString &type : acceptedRtfMimeTypes()) {
        if (source->hasFormat(type))
            return type;
    }
    return {};
}

// Pictures and embedded objects never enter an entry: the files are text
// documents and the writer has no place for them.
void removeObjects(QTextDocument *document)
{
    std::vector<std::pair<int, int>> objectRanges;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat() || format.objectType() != QTextFormat::NoObject)
                objectRanges.emplace_back(fragment.position(), fragment.length());
        }
    }
    QTextCursor cursor(document);
    for (auto range = objectRanges.rbegin(); range != objectRanges.rend(); ++range) {
        cursor.setPosition(range->first);
        cursor.setPosition(range->first + range->second, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
}

bool isTextInsertingKey(const QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        return true;
    default:
        break;
    }
    const QString typed = event->text();
    return !typed.isEmpty() && typed.at(0).isPrint();
}

} // namespace

bool RichTextEditor::fitsMaxLength(qsizetype incomingCharacters) const
{
    if (m_maxLength <= 0)
        return true;
    const qsizetype kept = text().size() - selLength();
    return kept + incomingCharacters <= m_maxLength;
}

// ---- Clipboard and drag-and-drop -------------------------------------------

bool RichTextEditor::canInsertFromMimeData(const QMimeData *source) const
{
    return source && (!rtfMimeTypeIn(source).isEmpty() || source->hasHtml() || source->hasText());
}

QMimeData *RichTextEditor::createMimeDataFromSelection() const
{
    auto *data = new QMimeData;
    const QByteArray rtf = selRtf();
    for (const QString &type : rtfMimeTypes())
        data->setData(type, rtf);
    data->setText(selText());
    return data;
}

void RichTextEditor::insertFromMimeData(const QMimeData *source)
{
    if (!source || isReadOnly())
        return;

    QTextDocument incoming;
    incoming.setDefaultFont(document()->defaultFont());
    if (const QString rtfType = rtfMimeTypeIn(source); !rtfType.isEmpty()) {
        Rtf::read(source->data(rtfType), &incoming);
    } else if (source->hasHtml()) {
        incoming.setHtml(source->html());
    } else if (source->hasText()) {
        // Plain text takes the format at the caret, like typed text.
        QString plain = source->text();
        plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        if (plain.isEmpty() || !fitsMaxLength(plain.size())) {
            QApplication::beep();
            return;
        }
        ProgramChange change(this, ProgramChange::Signal::IfChanged);
        QTextCursor cursor = textCursor();
        cursor.insertText(plain);
        setTextCursor(cursor);
        return;
    } else {
        return;
    }

    removeObjects(&incoming);
    const int incomingLength = incoming.characterCount() - 1;
    if (incomingLength <= 0 || !fitsMaxLength(incomingLength)) {
        QApplication::beep();
        return;
    }
    ProgramChange change(this, ProgramChange::Signal::IfChanged);
    QTextCursor cursor = textCursor();
    cursor.insertFragment(QTextDocumentFragment(&incoming));
    setTextCursor(cursor);
}

// ---- Keyboard --------------------------------------------------------------

void RichTextEditor::keyPressEvent(QKeyEvent *event)
{
    Q_EMIT keyDown(event->key());
    if (!isReadOnly() && isTextInsertingKey(event) && !fitsMaxLength(1)) {
        event->accept();
        QApplication::beep();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void RichTextEditor::inputMethodEvent(QInputMethodEvent *event)
{
    if (!isReadOnly() && !event->commitString().isEmpty() && !fitsMaxLength(event->commitString().size())) {
        QInputMethodEvent refused(event->preeditString(), event->attributes());
        refused.setCommitString(QString(), event->replacementStart(), event->replacementLength());
        QTextEdit::inputMethodEvent(&refused);
        event->accept();
        QApplication::beep();
        return;
    }
    QTextEdit::inputMethodEvent(event);
}

// ---- Mouse and focus -------------------------------------------------------

void RichTextEditor::mouseReleaseEvent(QMouseEvent *event)
{
    QTextEdit::mouseReleaseEvent(event);
    const QPoint position = event->position().toPoint();
    Q_EMIT mouseUp(event->button(), position);
    if (event->button() == Qt::LeftButton && viewport()->rect().contains(position))
        Q_EMIT clicked();
}

void RichTextEditor::mouseMoveEvent(QMouseEvent *event)
{
    QTextEdit::mouseMoveEvent(event);
    Q_EMIT mouseMove(event->buttons(), event->position().toPoint());
}

void RichTextEditor::focusInEvent(QFocusEvent *event)
{
    QTextEdit::focusInEvent(event);
    viewport()->update();
    Q_EMIT gotFocus();
}

void RichTextEditor::focusOutEvent(QFocusEvent *event)
{
    QTextEdit::focusOutEvent(event);
    viewport()->update();
    Q_EMIT lostFocus();
}

void RichTextEditor::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
    if (!m_contextMenuEnabled)
        return;
    const QPoint documentPosition =
        event->pos() + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    QMenu *menu = createStandardContextMenu(documentPosition);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    Q_EMIT contextMenuAboutToShow(menu, event->pos());
    menu->popup(event->globalPos());
}

// ---- Painting --------------------------------------------------------------

void RichTextEditor::paintEvent(QPaintEvent *event)
{
    if (!m_keepSelectionVisible && !hasFocus() && textCursor().hasSelection())
        paintWithoutSelection(event);
    else
        QTextEdit::paintEvent(event);
}

// The text as QTextEdit draws it, minus the selection highlight (and the
// caret, which an unfocused editor does not show anyway).
void RichTextEditor::paintWithoutSelection(QPaintEvent *event)
{
    QPainter painter(viewport());
    const QScrollBar *horizontal = horizontalScrollBar();
    const int xOffset = isRightToLeft() ? horizontal->maximum() - horizontal->value() : horizontal->value();
    const int yOffset = verticalScrollBar()->value();
    painter.translate(-xOffset, -yOffset);
    const QRect clip = event->rect().translated(xOffset, yOffset);
    painter.setClipRect(clip, Qt::IntersectClip);

    QAbstractTextDocumentLayout::PaintContext context;
    context.cursorPosition = -1;
    context.palette = palette();
    context.clip = clip;
    const QList<ExtraSelection> extras = extraSelections();
    for (const ExtraSelection &extra : extras)
        context.selections.append({extra.cursor, extra.format});
    document()->documentLayout()->draw(&painter, context);
}
