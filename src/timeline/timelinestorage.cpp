// The timeline panel's files: entering, saving, the item names and the
// calendar export; and the grid's contents as a list.
#include "timeline/timelinepanel.h"
#include "timeline/timelinepanel_p.h"

#include "platform/records/filenames.h"
#include "platform/records/safefile.h"
#include "platform/records/filenames.h"
#include "platform/services/busycursor.h"
#include "platform/services/documentrecorder.h"
#include "timeline/icalendarexport.h"
#include "timeline/quotedlines.h"
#include "timeline/tododate.h"
#include "timeline/todostore.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace TimelineGrid;

// Loading and saving ---------------------------------------------------------

void TimelinePanel::enter()
{
    BusyCursor busy;
    dropDown_->clear();
    clearItemBox();
    const ToDoStore::LoadResult namesLoaded = ToDoStore::loadNames(names_, workbook_);
    m_namesUnreadable = namesLoaded.isUnreadable();
    if (namesLoaded.loaded())
        recordShown(ItemNameList::kFileName);
    dropDown_->addItems(names_.names());
    dropDown_->setCurrentIndex(-1);
    dropDown_->setEditText(QString());

    // The file is the plan: without one the grid starts empty, so edits the
    // user chose not to save never come back looking saved.
    ToDoList list;
    const ToDoStore::LoadResult listLoaded = ToDoStore::loadList(list, workbook_);
    m_listUnreadable = listLoaded.isUnreadable();
    setList(list);
    if (listLoaded.loaded())
        recordShown(ToDoList::kFileName);
    if (listLoaded.loaded()) {
        buttons_[ClearGrid]->setEnabled(true);
        if (clearGridEntry_)
            clearGridEntry_->setEnabled(true);
    }
    grid_->setCurrentCell(-1, -1);
    grid_->scrollToTop();
    hideCalendar();
    setEditMode(NoEditing);
    selectedRow_ = kNoRow;
    sortColumn_ = -1;
    buttons_[Save]->setEnabled(false);
    flag_.set(false);
    if (m_listUnreadable)
        reportUnreadable(QStringLiteral("project timeline"), listLoaded.path, listLoaded.error);
    if (m_namesUnreadable)
        reportUnreadable(QStringLiteral("list of item names"), namesLoaded.path, namesLoaded.error);
}

void TimelinePanel::revertToSaved()
{
    ToDoList list;
    const ToDoStore::LoadResult loaded = ToDoStore::loadList(list, workbook_);
    m_listUnreadable = loaded.isUnreadable();
    setList(list);
    hideCalendar();
    setEditMode(NoEditing);
    buttons_[Save]->setEnabled(false);
    flag_.set(false);
}

void TimelinePanel::recordShown(const QString &fileName)
{
    // A list from before the workbook kept a history gets its first version.
    DocumentRecording::recordShownFile(services_.recorder.get(), services_.prompt.get(), this,
                                       workbook_.filePath(fileName));
}

bool TimelinePanel::save(bool disableSave)
{
    if (!flag_.get())
        return true;
    if (m_listUnreadable) {
        reportSaveFailure(QStringLiteral("project timeline"), workbook_.filePath(ToDoList::kFileName),
                          QStringLiteral("The file could not be read when the timeline was opened, so nothing is "
                                         "written over it. Open the timeline again once the file can be read."));
        return false;
    }
    ToDoStore::SaveResult result;
    {
        BusyCursor busy;
        result = ToDoStore::saveList(list(), workbook_);
    }
    if (!result.ok) {
        reportSaveFailure(QStringLiteral("project timeline"), result.path, result.error);
        return false;
    }
    flag_.set(false);
    DocumentRecording::recordSavedFile(services_.recorder.get(), services_.prompt.get(), this, result.path);
    if (disableSave)
        buttons_[Save]->setEnabled(false);
    return true;
}

void TimelinePanel::reportSaveFailure(const QString &what, const QString &path, const QString &error)
{
    services_.prompt->ask(this, Prompt::Icon::Critical, kSaveFailedTitle,
                          QStringLiteral("The %1 could not be saved to the file\n%2\n\n%3\n\n"
                                         "Your changes are still on the screen and have not been saved.")
                              .arg(what, QDir::toNativeSeparators(path), error),
                          Prompt::Buttons::Ok);
}

void TimelinePanel::reportUnreadable(const QString &what, const QString &path, const QString &error)
{
    services_.prompt->ask(this, Prompt::Icon::Critical, QStringLiteral("File Not Read"),
                          QStringLiteral("The %1 could not be read from the file\n%2\n\n%3\n\n"
                                         "The file is left as it is: nothing is saved over it until it can be "
                                         "read and the timeline is opened again.")
                              .arg(what, QDir::toNativeSeparators(path), error),
                          Prompt::Buttons::Ok);
}

void TimelinePanel::writeItemNames()
{
    ToDoStore::SaveResult result;
    if (m_namesUnreadable) {
        result.ok = false;
        result.path = workbook_.filePath(ItemNameList::kFileName);
        result.error = QStringLiteral("The file could not be read when the timeline was opened, so nothing is "
                                      "written over it.");
    } else {
        result = ToDoStore::saveNames(names_, workbook_);
    }
    const QString current = dropDown_->currentText();
    dropDown_->clear();
    dropDown_->addItems(names_.names());
    dropDown_->setCurrentIndex(-1);
    dropDown_->setEditText(QString());
    Q_UNUSED(current);
    if (!result.ok)
        reportSaveFailure(QStringLiteral("list of item names"), result.path, result.error);
    else
        DocumentRecording::recordSavedFile(services_.recorder.get(), services_.prompt.get(), this, result.path);
}

void TimelinePanel::rememberItemName(const QString &text, bool fromEditedCell)
{
    setNameButtonsEnabled(false);
    if (text.isEmpty() || names_.contains(text))
        return;
    if (fromEditedCell)
        ToDoStore::touchLocationFile(workbook_);
    if (names_.remember(text))
        writeItemNames();
    clearItemBox();
}

void TimelinePanel::deleteItemName()
{
    const QString text = itemBox_->text();
    const bool removed = names_.remove(text);
    clearItemBox();
    if (removed)
        writeItemNames();
    setNameButtonsEnabled(false);
}

void TimelinePanel::exportCalendar()
{
    const std::vector<ICalendarExport::Event> events = ICalendarExport::eventsOf(list(), today());
    if (events.empty()) {
        ask(QStringLiteral("Export to Calendar"),
            QStringLiteral("There are no To Do Dates or Next Review Dates to export (dates already past and the "
                           "To Do Dates of items done are left out)."), true);
        return;
    }
    const QString path = chooseExportFile_(this, QDir::home().filePath(QStringLiteral("Project Timeline.ics")));
    if (path.isEmpty())
        return;
    QString error;
    bool ok = false;
    {
        BusyCursor busy;
        ok = writeFileSafely(path, ICalendarExport::write(events, QDateTime::currentDateTimeUtc()), &error);
    }
    if (!ok) {
        services_.prompt->ask(this, Prompt::Icon::Critical, QStringLiteral("Export to Calendar"),
                              QStringLiteral("The calendar file could not be written:\n%1\n\n%2")
                                  .arg(QDir::toNativeSeparators(path), error),
                              Prompt::Buttons::Ok);
        return;
    }
    ask(QStringLiteral("Export to Calendar"),
        QStringLiteral("%1 dates were written to\n%2\n\nOpen this file with your calendar program to add them, "
                       "each with a reminder a week before.")
            .arg(events.size())
            .arg(QDir::toNativeSeparators(path)),
        true);
}

bool TimelinePanel::ask(const QString &title, const QString &text, bool information)
{
    if (information) {
        services_.prompt->ask(this, Prompt::Icon::Information, title, text, Prompt::Buttons::Ok);
        return true;
    }
    return services_.prompt->ask(this, Prompt::Icon::Question, title, text, Prompt::Buttons::YesNoCancel,
                                 Prompt::Answer::No)
        == Prompt::Answer::Yes;
}

// The grid's contents ----------------------------------------------------------

ToDoList TimelinePanel::list() const
{
    ToDoList list;
    for (int row = 0; row < ToDoList::kRowCount; ++row) {
        ToDoItem &item = list.row(row);
        for (int field = 0; field < ToDoItem::FieldCount; ++field)
            item.fields[size_t(field)] = grid_->item(row, field + 1)->text();
    }
    return list;
}

void TimelinePanel::setList(const ToDoList &list)
{
    const bool wasLoading = std::exchange(loading_, true);
    grid_->setUpdatesEnabled(false);
    for (int row = 0; row < ToDoList::kRowCount; ++row) {
        const ToDoItem &item = list.row(row);
        for (int field = 0; field < ToDoItem::FieldCount; ++field) {
            QTableWidgetItem *cell = grid_->item(row, field + 1);
            if (cell->text() != item.fields[size_t(field)])
                cell->setText(item.fields[size_t(field)]);
        }
    }
    grid_->setUpdatesEnabled(true);
    loading_ = wasLoading;
}

QString TimelinePanel::cellText(int row, int column) const
{
    if (row < 1 || row > ToDoList::kRowCount || column < 0 || column >= kColumnCount)
        return {};
    return grid_->item(row - 1, column)->text();
}

void TimelinePanel::setCellText(int row, int column, const QString &text)
{
    if (row < 1 || row > ToDoList::kRowCount || column < 1 || column >= kColumnCount)
        return;
    const bool wasLoading = std::exchange(loading_, true);
    grid_->item(row - 1, column)->setText(QuotedLines::storable(text));
    loading_ = wasLoading;
}

bool TimelinePanel::hasCurrentRow() const
{
    return grid_->currentRow() >= 0;
}
