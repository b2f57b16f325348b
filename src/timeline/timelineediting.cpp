// The timeline panel's editing: cell clicks, the calendar, names picked
// and typed, and the row operations.
#include "timeline/timelinepanel.h"
#include "timeline/timelinepanel_p.h"

#include "platform/records/safefile.h"
#include "platform/services/busycursor.h"
#include "timeline/icalendarexport.h"
#include "timeline/quotedlines.h"
#include "timeline/tododate.h"
#include "timeline/todostore.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace TimelineGrid;

// Editing ----------------------------------------------------------------------

void TimelinePanel::markUnsaved()
{
    flag_.set(true);
    buttons_[Save]->setEnabled(true);
    buttons_[ClearGrid]->setEnabled(true);
    if (clearGridEntry_)
        clearGridEntry_->setEnabled(true);
}

void TimelinePanel::setEditMode(int mode)
{
    editMode_ = mode;
    switch (mode) {
    case KeyboardEditing:
        grid_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
        break;
    case KeyboardAndMouseEditing:
        grid_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
                               | QAbstractItemView::DoubleClicked);
        break;
    default:
        grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        break;
    }
}

void TimelinePanel::setRowOperationsEnabled(bool enabled)
{
    buttons_[DeleteItemFromGrid]->setEnabled(enabled);
    if (deleteRowEntry_)
        deleteRowEntry_->setEnabled(enabled);
    if (insertRowEntry_)
        insertRowEntry_->setEnabled(hasCurrentRow());
}

void TimelinePanel::setNameButtonsEnabled(bool enabled)
{
    buttons_[DeleteItemFromFile]->setEnabled(enabled);
    buttons_[AddToGrid]->setEnabled(enabled);
}

void TimelinePanel::setItemBoxHighlighted(bool highlighted)
{
    highlighted_ = highlighted;
    QPalette palette = itemBox_->palette();
    palette.setColor(QPalette::Base, highlighted ? kHighlight : this->palette().color(QPalette::Base));
    itemBox_->setPalette(palette);
}

void TimelinePanel::clearItemBox()
{
    itemBox_->clear();
    setItemBoxHighlighted(itemBox_->hasFocus());
}

void TimelinePanel::updateSuggestion()
{
    const QString typed = itemBox_->text();
    const QString suggestion = names_.suggestionFor(typed);
    dropDown_->setEditText(suggestion.isEmpty() ? typed : suggestion);
}

void TimelinePanel::addToGrid()
{
    const QString text = itemBox_->text();
    const QString trimmedStart = withoutLeadingBlanks(text);
    if (trimmedStart.isEmpty() || text == QLatin1String(" "))
        return;
    const int row = list().firstRowWithoutItem();
    if (row >= 0) {
        setCellText(row + 1, kItemColumn, text);
        markUnsaved();
        rememberItemName(text);
        clearItemBox();
        setItemBoxHighlighted(false);
    }
    setEditMode(NoEditing);
    buttons_[Exit]->setFocus();
}

void TimelinePanel::pickName(const QString &name)
{
    if (name.isEmpty())
        return;
    if (editMode_ == KeyboardEditing && grid_->currentRow() >= 0 && grid_->currentColumn() >= kItemColumn) {
        setCellText(grid_->currentRow() + 1, grid_->currentColumn(), name);
        setEditMode(NoEditing);
        buttons_[Exit]->setFocus();
        markUnsaved();
        return;
    }
    itemBox_->setText(name);
    setItemBoxHighlighted(true);
    dropDown_->setCurrentIndex(-1);
    dropDown_->setEditText(QString());
    setNameButtonsEnabled(true);
}

void TimelinePanel::clickCell(int row, int column)
{
    if (row < 1 || row > ToDoList::kRowCount || column < 0 || column >= kColumnCount)
        return;
    clickRow_ = row;
    clickColumn_ = column;
    selectedRow_ = row;
    if (grid_->currentRow() != row - 1 || grid_->currentColumn() != column)
        grid_->setCurrentCell(row - 1, column);
    const QString boxText = itemBox_->text();
    if (!boxText.isEmpty()) {
        if (column == kItemColumn) {
            setCellText(row, kItemColumn, boxText);
            markUnsaved();
            rememberItemName(boxText);
            clearItemBox();
            setItemBoxHighlighted(false);
            buttons_[Exit]->setFocus();
            return;
        }
        clearItemBox();
        setItemBoxHighlighted(false);
    }
    if (column > kItemColumn && cellText(row, kItemColumn).trimmed().isEmpty()) {
        askForItemFirst();
        return;
    }
    setItemBoxHighlighted(false);
    if (column != 0)
        setEditMode(KeyboardEditing);
    calendar_->setSelectedDate(today());
    if (isDateColumn(column)) {
        grid_->setCurrentCell(row - 1, column);
        showCalendarFor(row, column);
        const QString text = cellText(row, column);
        if (text.trimmed().isEmpty()) {
            if (buttons_[Print]->isEnabled())
                buttons_[Print]->setFocus();
        } else {
            const QDate date = ToDoDate::parse(text);
            if (date.isValid())
                calendar_->setSelectedDate(date);
        }
    } else if (column == kItemColumn) {
        hideCalendar();
    }
    setRowOperationsEnabled(true);
}

void TimelinePanel::showCalendarFor(int row, int column)
{
    const QSize size = calendar_->sizeHint().expandedTo(QSize(240, 170));
    calendar_->resize(size);
    int x = int(width() * calendarLeftFor(column));
    x = qBound(0, x, qMax(0, width() - size.width()));
    const QRect cell = grid_->visualRect(grid_->model()->index(row - 1, column));
    QPoint below = grid_->viewport()->mapTo(this, cell.bottomLeft() + QPoint(0, 2));
    int y = below.y();
    if (y + size.height() > height())
        y = grid_->viewport()->mapTo(this, cell.topLeft()).y() - size.height() - 2;
    y = qBound(0, y, qMax(0, height() - size.height()));
    calendar_->move(x, y);
    calendar_->show();
    calendar_->raise();
}

void TimelinePanel::hideCalendar()
{
    calendar_->hide();
}

void TimelinePanel::pickDate(const QDate &date)
{
    if (!isDateColumn(clickColumn_) || clickRow_ < 1 || !date.isValid())
        return;
    setCellText(clickRow_, clickColumn_, ToDoDate::format(date));
    markUnsaved();
    if (buttons_[Print]->isEnabled())
        buttons_[Print]->setFocus();
}

void TimelinePanel::askForItemFirst()
{
    hideCalendar();
    services_.prompt->ask(this, Prompt::Icon::Information, kItemFirstTitle, kItemFirstText, Prompt::Buttons::Ok);
    const int row = list().firstRowWithoutItem();
    if (row < 0)
        return;
    grid_->setCurrentCell(row, kItemColumn);
    grid_->scrollToItem(grid_->item(row, kItemColumn), QAbstractItemView::PositionAtTop);
}

void TimelinePanel::onCellChanged(int row, int column)
{
    if (loading_)
        return;
    // A quote typed or pasted into a cell would break the file.
    const QString text = cellText(row + 1, column);
    if (text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\n')))
        setCellText(row + 1, column, text);
    markUnsaved();
    setNameButtonsEnabled(false);
    if (column == kItemColumn && !text.trimmed().isEmpty()) {
        rememberItemName(cellText(row + 1, column), true);
        setEditMode(NoEditing);
        clearItemBox();
    }
}

void TimelinePanel::onButtonFocus()
{
    if (highlighted_)
        setItemBoxHighlighted(false);
    if (flag_.get() && !buttons_[ClearGrid]->isEnabled())
        markUnsaved();
    if (selectedRow_ == kRowJustMoved) {
        selectedRow_ = kNoRow;
        setEditMode(NoEditing);
    }
}

// Row operations -----------------------------------------------------------------

void TimelinePanel::deleteRow()
{
    setEditMode(NoEditing);
    if (selectedRow_ == kNoRow || selectedRow_ == kRowJustMoved) {
        selectedRow_ = grid_->currentRow() >= 0 ? grid_->currentRow() + 1 : 1;
        clickRow_ = selectedRow_;
    }
    const int row = selectedRow_;
    if (row < 1 || row > ToDoList::kRowCount)
        return;
    const bool wasLoading = std::exchange(loading_, true);
    for (int column = 1; column < kColumnCount; ++column)
        grid_->item(row - 1, column)->setBackground(QColor(255, 0, 0));
    loading_ = wasLoading;

    const ToDoItem item = list().row(row - 1);
    QString question = QStringLiteral("Delete This Row?");
    if (!item.item().isEmpty()) {
        // The row's first date tells two rows of the same item apart.
        QString date = item.fields[ToDoItem::ToDoDate].trimmed();
        if (date.isEmpty())
            date = QStringLiteral("no To Do Date");
        question = QStringLiteral("Delete Activity and Dates for - \n%1, %2?").arg(item.item().trimmed(), date);
    }
    const Prompt::Answer answer = services_.prompt->ask(this, Prompt::Icon::Question, QStringLiteral("Delete Row"),
                                                        question, Prompt::Buttons::YesNoCancel, Prompt::Answer::No);
    {
        const bool again = std::exchange(loading_, true);
        for (int column = 1; column < kColumnCount; ++column)
            grid_->item(row - 1, column)->setData(Qt::BackgroundRole, QVariant());
        loading_ = again;
    }
    if (answer == Prompt::Answer::Yes) {
        ToDoList list = this->list();
        list.removeRow(row - 1);
        setList(list);
        markUnsaved();
        grid_->setCurrentCell(row - 1, kItemColumn);
        selectedRow_ = kRowJustMoved;
    }
    setRowOperationsEnabled(false);
    buttons_[Save]->setEnabled(flag_.get() || buttons_[Save]->isEnabled());
    buttons_[Exit]->setFocus();
    setEditMode(NoEditing);
}

void TimelinePanel::insertRow()
{
    int row = selectedRow_;
    if (row == kNoRow || row == kRowJustMoved)
        row = grid_->currentRow() + 1;
    if (row < 1 || row > ToDoList::kRowCount)
        return;
    ToDoList list = this->list();
    // The last row falls off; an item there must not vanish unseen.
    if (list.row(ToDoList::kRowCount - 1).hasItem()) {
        services_.prompt->ask(this, Prompt::Icon::Exclamation, QStringLiteral("Insert Row"),
                              QStringLiteral("The last row of the grid holds an item, so no row can be inserted.\n"
                                             "Delete a row first."),
                              Prompt::Buttons::Ok);
        return;
    }
    list.insertRow(row - 1);
    setList(list);
    markUnsaved();
    grid_->setCurrentCell(row - 1, kItemColumn);
    selectedRow_ = kRowJustMoved;
    setEditMode(NoEditing);
    buttons_[Exit]->setFocus();
}

void TimelinePanel::clearGrid()
{
    if (printPreviewShown_()) {
        QApplication::beep();
        return;
    }
    const Prompt::Answer answer =
        services_.prompt->ask(this, Prompt::Icon::Question, QStringLiteral("Clear Grid"),
                              QStringLiteral("Do you really want To Clear the Grid?"), Prompt::Buttons::YesNoCancel,
                              Prompt::Answer::No);
    if (answer != Prompt::Answer::Yes)
        return;
    setList(ToDoList());
    markUnsaved();
}

void TimelinePanel::sortByColumn(int column)
{
    hideCalendar();
    if (column < 1 || column >= kColumnCount || column == kSpacerColumn)
        return;
    sortAscending_ = column == sortColumn_ ? !sortAscending_ : true;
    sortColumn_ = column;
    ToDoList list = this->list();
    const ToDoList before = list;
    {
        BusyCursor busy;
        list.sort(fieldOf(column), sortAscending_);
        setList(list);
    }
    grid_->horizontalHeader()->setSortIndicatorShown(true);
    grid_->horizontalHeader()->setSortIndicator(column, sortAscending_ ? Qt::AscendingOrder : Qt::DescendingOrder);
    if (!(list.rows() == before.rows()))
        markUnsaved();
}
