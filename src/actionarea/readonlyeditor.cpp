#include "actionarea/readonlyeditor.h"

#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QTextEdit>

namespace {

bool isReadingKey(const QKeyEvent *key)
{
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll))
        return true;
    switch (key->key()) {
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
    case Qt::Key_Home: case Qt::Key_End: case Qt::Key_PageUp: case Qt::Key_PageDown:
    case Qt::Key_Tab: case Qt::Key_Backtab: case Qt::Key_Escape: case Qt::Key_F1:
    case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Alt: case Qt::Key_Meta:
        return true;
    default:
        return false;
    }
}

} // namespace

ReadOnlyEditorGuard::ReadOnlyEditorGuard(QTextEdit *editor)
    : QObject(editor)
    , m_editor(editor)
{
}

void ReadOnlyEditorGuard::install(QTextEdit *editor)
{
    auto *guard = new ReadOnlyEditorGuard(editor);
    editor->installEventFilter(guard);
    editor->viewport()->installEventFilter(guard);
    editor->setAcceptDrops(false);
    editor->setUndoRedoEnabled(false);
}

bool ReadOnlyEditorGuard::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
        if (!isReadingKey(static_cast<QKeyEvent *>(event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::InputMethod:
    case QEvent::Drop:
    case QEvent::DragEnter:
    case QEvent::DragMove:
        return true;
    case QEvent::MouseButtonRelease:
        // The middle button pastes the selection on X11.
        if (static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton)
            return true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
