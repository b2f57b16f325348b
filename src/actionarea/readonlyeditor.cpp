#include "actionarea/readonlyeditor.h"

#include "actionarea/actionarea.h"
#include "actionarea/safeguardworkspace.h"
#include "actionarea/status/statusbox.h"
#include "platform/editor/richtexteditor.h"
#include "timeline/timelinepanel.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

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

// Swallows the presses that would start editing a grid cell.
class NoEditing : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::KeyPress:
            return true;
        default:
            return false;
        }
    }
};

void disableTimelineEditing(TimelinePanel *timeline)
{
    // The to-do list is shown and printed; a click on a cell, which would
    // start editing it, and every button that changes the list do nothing.
    QTableWidget *grid = timeline->grid();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->viewport()->installEventFilter(new NoEditing(grid));
    grid->installEventFilter(new NoEditing(grid));
    timeline->itemBox()->setReadOnly(true);
    timeline->nameDropDown()->setEnabled(false);
    for (TimelinePanel::Button which : {TimelinePanel::Save, TimelinePanel::DeleteItemFromFile,
                                        TimelinePanel::AddToGrid, TimelinePanel::DeleteItemFromGrid,
                                        TimelinePanel::ClearGrid}) {
        QPushButton *button = timeline->button(which);
        button->setEnabled(false);
        // Kept off whatever the panel's own rules enable later.
        button->installEventFilter(new NoEditing(button));
    }
}

} // namespace

namespace ReadOnlyView {

void apply(ActionArea *area)
{
    SafeguardWorkspace *workspace = area->workspace();
    ReadOnlyEditorGuard::install(workspace->editor());
    workspace->command(SafeguardWorkspace::Command::Save).setHandler({});
    workspace->statusBox()->setEnabled(false);
    disableTimelineEditing(area->timelinePanel());
    for (OptionsTable::Entry entry : {OptionsTable::Entry::GridBackgroundSelector,
                                      OptionsTable::Entry::ChangeWorksheetButtonTitle,
                                      OptionsTable::Entry::InsertRow, OptionsTable::Entry::DeleteItemFromGrid,
                                      OptionsTable::Entry::ClearGrid})
        if (QAction *action = area->optionsEntry(entry))
            action->setEnabled(false);
}

} // namespace ReadOnlyView

ReadOnlyEditorGuard::ReadOnlyEditorGuard(QObject *parent)
    : QObject(parent)
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
        if (!isReadingKey(static_cast<QKeyEvent *>(event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::InputMethod:
    case QEvent::ContextMenu: // its Paste and Cut would change the text
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
