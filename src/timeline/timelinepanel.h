#pragma once

#include "platform/records/workbook.h"
#include "platform/services/services.h"
#include "timeline/itemnamelist.h"
#include "timeline/todolist.h"

#include <QDate>
#include <QFrame>
#include <QPageLayout>
#include <QPointer>

#include <functional>
#include <memory>

class PrintPanel;
class SpellChecker;
class QAction;
class QCalendarWidget;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The project timeline panel: the item box with the drop-down of names used
// before, the to-do grid of 500 rows, the month calendar for the dates and
// the panel's buttons. The grid is the list being edited; TODOActv.FIL and
// TODONAME.Fil are read when the panel is entered and written on "&Save"
// and whenever a name is added or deleted.
class TimelinePanel : public QFrame
{
    Q_OBJECT
public:
    enum Button { Exit, DeleteItemFromFile, AddToGrid, DeleteItemFromGrid, Print, Save, ClearGrid, SpellCheck,
                  ExportCalendar, ButtonCount };
    // Edit modes of the grid: none, keyboard editing of the current cell,
    // keyboard and mouse editing.
    enum EditMode { NoEditing = 0, KeyboardEditing = 1, KeyboardAndMouseEditing = 2 };
    // The selected row's values besides a grid row number (1-500).
    static constexpr int kNoRow = 0;
    static constexpr int kRowJustMoved = 999;
    static constexpr int kItemBoxMaxLength = 45;
    static inline const QColor kHighlight = QColor(255, 255, 192);
    static inline const QString kItemFirstTitle = QStringLiteral("Item Grid");
    static inline const QString kItemFirstText = QStringLiteral("Please, enter an Item before any dates.");
    static inline const QString kSaveFailedTitle = QStringLiteral("Save Failed");

    // The shared unsaved-changes flag of the window the panel sits in.
    struct UnsavedFlag
    {
        std::function<bool()> get;
        std::function<void(bool)> set;
    };

    TimelinePanel(const Workbook &workbook, const PlatformServices &services, UnsavedFlag flag,
                  QWidget *parent = nullptr);
    ~TimelinePanel() override;

    // The Options menu's "&Delete Item from Grid", "&Clear Grid" and
    // "&Insert Row": the panel runs them and keeps them enabled as the
    // grid's state allows.
    void attachMenuEntries(QAction *deleteRow, QAction *clearGrid, QAction *insertRow);
    // Today's date (the calendar's start, the date line, the printout).
    void setToday(std::function<QDate()> today)
    {
        today_ = std::move(today);
        updateDateLine();
    }
    QDate today() const { return today_(); }
    // Whether the print preview covers the work area (no clearing then).
    void setPrintPreviewShown(std::function<bool()> shown) { printPreviewShown_ = std::move(shown); }
    // Asks where to write the calendar file; empty when the user cancels.
    void setExportFileChooser(std::function<QString(QWidget *, const QString &)> chooser)
    {
        chooseExportFile_ = std::move(chooser);
    }

    // The spell checker "Spell Chec&k" uses (with the services' spell-check
    // dialog); the button is enabled once there is one.
    void setSpellChecker(std::shared_ptr<SpellChecker> checker);
    // "Spell Chec&k": checks every item, writes the corrections into the
    // grid and the item names, and says how the check ended. Only beeps
    // while the print preview is shown.
    void spellCheckItems();

    // The print preview panel the to-do printout is shown in.
    void setPrintPanel(PrintPanel *panel);
    // "&Print": the to-do printout in the print preview panel, or, when the
    // panel is already shown, its "&Print". Says so when no row holds an item.
    void openToDoPrint();

    // Entering the panel: reloads the names and the list, hides the calendar,
    // disables "&Save" and clears the unsaved-changes flag.
    void enter();
    // Writes the list when it has unsaved changes. False when the write
    // failed: the user has been told the file and the reason, and the
    // edits and the flag stay. disableSave also disables "&Save".
    bool save(bool disableSave = false);
    // "Date: " and today's date.
    void updateDateLine();

    void hideCalendar();
    void addToGrid();
    void deleteRow();
    void insertRow();
    void clearGrid();
    void deleteItemName();
    void exportCalendar();
    // A click on grid cell (row 1-500, column 0-5) as the user makes it.
    void clickCell(int row, int column);
    // A date picked on the calendar.
    void pickDate(const QDate &date);
    // A click on a column header: sorts the grid by that column, ascending
    // on the first click and turning the order on each click after.
    void sortByColumn(int column);
    // A name picked from the drop-down.
    void pickName(const QString &name);

    // The grid filled again from TODOActv.FIL (empty without one), after a
    // No to the save question.
    void revertToSaved();

    ToDoList list() const;
    // Cell (row 1-500, column 0-5) as the grid shows it (dates with their
    // four-digit year); the list and the file keep the stored text.
    QString shownCellText(int row, int column) const;
    const ItemNameList &itemNames() const { return names_; }
    bool hasUnsavedChanges() const { return flag_.get(); }
    bool hasCurrentRow() const;
    int editMode() const { return editMode_; }
    int selectedRow() const { return selectedRow_; }

    QTableWidget *grid() const { return grid_; }
    QLineEdit *itemBox() const { return itemBox_; }
    QComboBox *nameDropDown() const { return dropDown_; }
    QCalendarWidget *calendar() const { return calendar_; }
    QLabel *dateLine() const { return dateLine_; }
    QPushButton *button(Button which) const { return buttons_[which]; }

Q_SIGNALS:
    // "E&xit": back to the standards grid.
    void exitRequested();
    // A right click over the grid or the calendar.
    void optionsMenuRequested(const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildControls();
    void setList(const ToDoList &list);
    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString &text);
    void setEditMode(int mode);
    void markUnsaved();
    void setRowOperationsEnabled(bool enabled);
    void setNameButtonsEnabled(bool enabled);
    void setItemBoxHighlighted(bool highlighted);
    void clearItemBox();
    void rememberItemName(const QString &text, bool fromEditedCell = false);
    void writeItemNames();
    void askForItemFirst();
    void showCalendarFor(int row, int column);
    void followCalendarCell();
    void updateSuggestion();
    void onItemBoxKey(QKeyEvent *event);
    void onCellChanged(int row, int column);
    void onButtonFocus();
    void layoutColumns();
    void reportSaveFailure(const QString &what, const QString &path, const QString &error);
    void reportUnreadable(const QString &what, const QString &path, const QString &error);
    void recordShown(const QString &fileName);
    bool ask(const QString &title, const QString &text, bool information = false);

    Workbook workbook_;
    PlatformServices services_;
    UnsavedFlag flag_;
    // TODOActv.FIL or TODONAME.Fil was there but could not be read when the
    // panel was entered: the grid or the names do not hold what the file
    // does, so nothing is written over it until the panel is entered again.
    bool m_listUnreadable = false;
    bool m_namesUnreadable = false;
    std::function<QDate()> today_;
    std::function<bool()> printPreviewShown_;
    std::function<QString(QWidget *, const QString &)> chooseExportFile_;

    QLabel *title_ = nullptr;
    QLabel *dateLine_ = nullptr;
    QLineEdit *itemBox_ = nullptr;
    QComboBox *dropDown_ = nullptr;
    QTableWidget *grid_ = nullptr;
    QCalendarWidget *calendar_ = nullptr;
    std::array<QPushButton *, ButtonCount> buttons_{};
    QPointer<QAction> deleteRowEntry_;
    QPointer<QAction> clearGridEntry_;
    QPointer<QAction> insertRowEntry_;
    QPointer<PrintPanel> printPanel_;
    std::shared_ptr<SpellChecker> spellChecker_;
    bool printOptionsSet_ = false;
    // The orientation the timeline was last printed in (Page Setup's), kept
    // while other printouts use their own.
    QPageLayout::Orientation m_printOrientation = QPageLayout::Portrait;

    ItemNameList names_;
    int clickRow_ = 0;
    int clickColumn_ = 0;
    int selectedRow_ = kNoRow;
    int editMode_ = NoEditing;
    int sortColumn_ = -1;
    bool sortAscending_ = true;
    bool loading_ = false;
    bool highlighted_ = false;
};
