// The timeline panel's controls, their layout and the events it watches.
#include "timeline/timelinepanel.h"
#include "timeline/timelinepanel_p.h"

#include "platform/records/safefile.h"
#include "platform/services/busycursor.h"
#include "timeline/icalendarexport.h"
#include "timeline/quotedlines.h"
#include "timeline/tododate.h"
#include "timeline/todostore.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>

using namespace TimelineGrid;

namespace {

// Cells hold the file's text. Date cells show it with a four-digit year
// and take a date typed in any common form, stored in the file's form.
class CellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *line = qobject_cast<QLineEdit *>(editor)) {
            line->setValidator(noQuotesValidator(line));
            if (isDateColumn(index.column()))
                line->setToolTip(QStringLiteral("Type a date such as 3/6/2027 or March 6, 2027, or pick it on the "
                                                "calendar. Clear the cell to remove the date."));
        }
        return editor;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *line = qobject_cast<QLineEdit *>(editor);
        const QDate date = ToDoDate::parse(index.data().toString());
        if (line && isDateColumn(index.column()) && date.isValid()) {
            line->setText(ToDoDate::gridFormat(date));
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        auto *line = qobject_cast<QLineEdit *>(editor);
        if (!line || !isDateColumn(index.column())) {
            QStyledItemDelegate::setModelData(editor, model, index);
            return;
        }
        const QString typed = line->text().trimmed();
        const QDate date = ToDoDate::parseTyped(typed);
        if (typed.isEmpty())
            model->setData(index, QString());
        else if (date.isValid())
            model->setData(index, ToDoDate::format(date));
        else
            QApplication::beep(); // not a date: the cell keeps what it held
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->text = shownText(index.column(), index.data().toString());
    }
};

// The drop-down reports its list opening, which hides the calendar.
class NameDropDown : public QComboBox
{
public:
    using QComboBox::QComboBox;
    std::function<void()> aboutToOpen;
    void showPopup() override
    {
        if (aboutToOpen)
            aboutToOpen();
        QComboBox::showPopup();
    }
};

} // namespace

QString TimelineGrid::shownText(int column, const QString &text)
{
    if (!isDateColumn(column))
        return text;
    const QDate date = ToDoDate::parse(text);
    return date.isValid() ? ToDoDate::gridFormat(date) : text;
}

QString TimelinePanel::shownCellText(int row, int column) const
{
    return TimelineGrid::shownText(column, cellText(row, column));
}

TimelinePanel::TimelinePanel(const Workbook &workbook, const PlatformServices &services, UnsavedFlag flag,
                             QWidget *parent)
    : QFrame(parent)
    , workbook_(workbook)
    , services_(services)
    , flag_(std::move(flag))
    , today_([] { return QDate::currentDate(); })
    , printPreviewShown_([] { return false; })
    , chooseExportFile_([](QWidget *parent, const QString &suggested) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Export to Calendar"), suggested,
                                            QStringLiteral("iCalendar files (*.ics)"));
    })
{
    if (!flag_.get || !flag_.set) {
        auto own = std::make_shared<bool>(false);
        flag_.get = [own] { return *own; };
        flag_.set = [own](bool value) { *own = value; };
    }
    setObjectName(QStringLiteral("timelinePanel"));
    setFrameShape(QFrame::StyledPanel);
    buildControls();
    setList(ToDoList());
    updateDateLine();
}

TimelinePanel::~TimelinePanel() = default;

void TimelinePanel::buildControls()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    title_ = new QLabel(QStringLiteral("Project Timeline/To Do List"), this);
    title_->setAlignment(Qt::AlignCenter);
    title_->setFrameShape(QFrame::Panel);
    title_->setFrameShadow(QFrame::Raised);
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() + 2);
    title_->setFont(titleFont);
    layout->addWidget(title_);

    auto *itemRow = new QHBoxLayout;
    itemRow->addWidget(new QLabel(QStringLiteral("Item:"), this));
    itemBox_ = new QLineEdit(this);
    itemBox_->setObjectName(QStringLiteral("itemBox"));
    itemBox_->setMaxLength(kItemBoxMaxLength);
    itemBox_->setValidator(noQuotesValidator(itemBox_));
    itemBox_->setToolTip(QStringLiteral("Type an item, then press \"Add to To Do Grid\" or click its row in the grid"));
    itemBox_->installEventFilter(this);
    itemRow->addWidget(itemBox_, 3);
    auto *dropDown = new NameDropDown(this);
    dropDown_ = dropDown;
    dropDown_->setObjectName(QStringLiteral("itemDropDown"));
    dropDown_->setEditable(true);
    dropDown_->setInsertPolicy(QComboBox::NoInsert);
    dropDown_->lineEdit()->setMaxLength(kItemBoxMaxLength);
    dropDown_->lineEdit()->setValidator(noQuotesValidator(dropDown_));
    dropDown_->setToolTip(QStringLiteral("Items used before"));
    dropDown_->installEventFilter(this);
    dropDown->aboutToOpen = [this] {
        hideCalendar();
        buttons_[DeleteItemFromFile]->setEnabled(false);
    };
    itemRow->addWidget(dropDown_, 3);
    dateLine_ = new QLabel(this);
    dateLine_->setObjectName(QStringLiteral("dateLine"));
    itemRow->addWidget(dateLine_, 2, Qt::AlignRight);
    layout->addLayout(itemRow);

    grid_ = new QTableWidget(ToDoList::kRowCount, kColumnCount, this);
    grid_->setObjectName(QStringLiteral("toDoGrid"));
    grid_->setHorizontalHeaderLabels({QString(), QStringLiteral("To Do Item"), QStringLiteral("To Do Date"),
                                      QStringLiteral("Actual Date"), QString(), QStringLiteral("Next Review Date")});
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->horizontalHeader()->setSectionsClickable(true);
    grid_->horizontalHeader()->setHighlightSections(false);
    // The row-header and spacer columns are a few pixels wide.
    grid_->horizontalHeader()->setMinimumSectionSize(1);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->setItemDelegate(new CellDelegate(grid_));
    // The columns always fit the width (layoutColumns); making a cell
    // current must never scroll the items out of view sideways.
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, grid_->horizontalScrollBar(), [this](int value) {
        if (value != 0)
            grid_->horizontalScrollBar()->setValue(0);
    });
    grid_->setWordWrap(false);
    grid_->setFont(QFont(QStringLiteral("Times New Roman"), 9));
    for (int row = 0; row < ToDoList::kRowCount; ++row) {
        for (int column = 0; column < kColumnCount; ++column) {
            auto *cell = new QTableWidgetItem;
            if (column == 0 || column == kSpacerColumn)
                cell->setFlags(Qt::ItemIsEnabled);
            if (isDateColumn(column))
                cell->setTextAlignment(Qt::AlignCenter);
            grid_->setItem(row, column, cell);
        }
    }
    grid_->viewport()->installEventFilter(this);
    grid_->installEventFilter(this);
    layout->addWidget(grid_, 1);

    connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int column) { clickCell(row + 1, column); });
    connect(grid_, &QTableWidget::cellChanged, this, &TimelinePanel::onCellChanged);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, &TimelinePanel::sortByColumn);
    // The calendar belongs to its cell: it follows the cell while the grid
    // scrolls, and closes when the cell leaves the view.
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { followCalendarCell(); });
    connect(grid_->verticalScrollBar(), &QScrollBar::sliderMoved, this, [this](int value) {
        const int row = grid_->rowAt(0) >= 0 ? grid_->rowAt(0) : value;
        QToolTip::showText(QCursor::pos(),
                           QStringLiteral(" Row %1: %2 ").arg(row + 1).arg(cellText(row + 1, kItemColumn)), grid_);
    });

    calendar_ = new QCalendarWidget(this);
    calendar_->setObjectName(QStringLiteral("toDoCalendar"));
    calendar_->setGridVisible(true);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar_->setAutoFillBackground(true);
    calendar_->hide();
    calendar_->installEventFilter(this);
    connect(calendar_, &QCalendarWidget::clicked, this, &TimelinePanel::pickDate);
    connect(calendar_, &QCalendarWidget::activated, this, &TimelinePanel::pickDate);

    struct Spec { Button which; const char *caption; };
    const Spec specs[] = {
        {Exit, "E&xit"}, {DeleteItemFromFile, "&Delete Item fm File"}, {AddToGrid, "&Add to To Do Grid"},
        {DeleteItemFromGrid, "&Delete Item from Grid"}, {Print, "&Print"}, {Save, "&Save"},
        {ClearGrid, "&Clear Grid"}, {SpellCheck, "Spell Chec&k"}, {ExportCalendar, "Export to &Calendar\u2026"},
    };
    auto *buttonGrid = new QGridLayout;
    buttonGrid->setSpacing(3);
    int index = 0;
    for (const Spec &spec : specs) {
        auto *button = new QPushButton(QString::fromUtf8(spec.caption), this);
        button->setAutoDefault(false);
        button->installEventFilter(this);
        buttons_[spec.which] = button;
        buttonGrid->addWidget(button, index / 5, index % 5);
        connect(button, &QPushButton::clicked, this, &TimelinePanel::hideCalendar);
        ++index;
    }
    layout->addLayout(buttonGrid);

    connect(buttons_[Exit], &QPushButton::clicked, this, &TimelinePanel::exitRequested);
    connect(buttons_[DeleteItemFromFile], &QPushButton::clicked, this, &TimelinePanel::deleteItemName);
    connect(buttons_[AddToGrid], &QPushButton::clicked, this, &TimelinePanel::addToGrid);
    connect(buttons_[DeleteItemFromGrid], &QPushButton::clicked, this, &TimelinePanel::deleteRow);
    connect(buttons_[Print], &QPushButton::clicked, this, &TimelinePanel::openToDoPrint);
    // Printing needs the print preview panel (setPrintPanel).
    buttons_[Print]->setEnabled(false);
    connect(buttons_[Save], &QPushButton::clicked, this, [this] { save(false); });
    connect(buttons_[ClearGrid], &QPushButton::clicked, this, &TimelinePanel::clearGrid);
    connect(buttons_[ExportCalendar], &QPushButton::clicked, this, &TimelinePanel::exportCalendar);
    connect(buttons_[SpellCheck], &QPushButton::clicked, this, &TimelinePanel::spellCheckItems);
    // Enabled once the window hands over its spell checker.
    buttons_[SpellCheck]->setEnabled(false);
    setNameButtonsEnabled(false);
    setRowOperationsEnabled(false);
    buttons_[Save]->setEnabled(false);

    connect(itemBox_, &QLineEdit::textChanged, this, [this](const QString &text) {
        buttons_[AddToGrid]->setEnabled(!withoutLeadingBlanks(text).isEmpty());
        updateSuggestion();
    });
    connect(dropDown_, &QComboBox::activated, this, [this](int index) { pickName(dropDown_->itemText(index)); });
    connect(dropDown_->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        const QString text = dropDown_->currentText();
        itemBox_->setText(text);
        rememberItemName(text);
    });
}

void TimelinePanel::attachMenuEntries(QAction *deleteRow, QAction *clearGrid, QAction *insertRow)
{
    deleteRowEntry_ = deleteRow;
    clearGridEntry_ = clearGrid;
    insertRowEntry_ = insertRow;
    connect(deleteRow, &QAction::triggered, this, [this] { hideCalendar(); this->deleteRow(); });
    connect(clearGrid, &QAction::triggered, this, [this] { hideCalendar(); this->clearGrid(); });
    connect(insertRow, &QAction::triggered, this, [this] { hideCalendar(); this->insertRow(); });
    deleteRow->setEnabled(buttons_[DeleteItemFromGrid]->isEnabled());
    clearGrid->setEnabled(buttons_[ClearGrid]->isEnabled());
    insertRow->setEnabled(hasCurrentRow());
}

// Layout and events --------------------------------------------------------------

void TimelinePanel::updateDateLine()
{
    dateLine_->setText(QStringLiteral("Date: ") + ToDoDate::longFormat(today()));
}

void TimelinePanel::layoutColumns()
{
    const int width = grid_->viewport()->width();
    const double fractions[kColumnCount] = {0.015, 0.34, 0.2, 0.2, 0.005, 0.24};
    // The fractions add up to exactly 1; the item column takes what rounding
    // leaves, less a little, so the columns never scroll sideways.
    int used = 0;
    for (int column = 0; column < kColumnCount; ++column) {
        if (column == kItemColumn)
            continue;
        const int w = qMax(column == kSpacerColumn ? 1 : 4, int(width * fractions[column]));
        grid_->setColumnWidth(column, w);
        used += w;
    }
    grid_->setColumnWidth(kItemColumn, qMax(20, width - used - 2));
}

void TimelinePanel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    layoutColumns();
    if (calendar_->isVisible() && clickRow_ >= 1)
        showCalendarFor(clickRow_, clickColumn_);
}

bool TimelinePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == grid_->viewport() && event->type() == QEvent::Resize)
        layoutColumns();
    if (watched == itemBox_) {
        switch (event->type()) {
        case QEvent::FocusIn:
            hideCalendar();
            setItemBoxHighlighted(true);
            break;
        case QEvent::FocusOut:
            if (itemBox_->text().isEmpty())
                setItemBoxHighlighted(false);
            break;
        case QEvent::MouseButtonPress:
            setEditMode(NoEditing);
            if (grid_->currentRow() >= 0)
                grid_->setCurrentCell(grid_->currentRow(), kItemColumn);
            break;
        case QEvent::MouseButtonDblClick:
            if (!withoutLeadingBlanks(itemBox_->text()).isEmpty()) {
                addToGrid();
                return true;
            }
            break;
        case QEvent::KeyPress:
            onItemBoxKey(static_cast<QKeyEvent *>(event));
            return event->isAccepted();
        default:
            break;
        }
    } else if (watched == grid_ && event->type() == QEvent::KeyPress
               && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        // (While a cell is edited its editor takes the keys.) Delete clears the current date cell; an item goes only with its row.
        const int row = grid_->currentRow() + 1;
        const int column = grid_->currentColumn();
        if (isDateColumn(column) && !cellText(row, column).isEmpty()) {
            setCellText(row, column, QString());
            markUnsaved();
            return true;
        }
    } else if (watched == dropDown_ && event->type() == QEvent::FocusIn) {
        if (grid_->currentColumn() > kItemColumn) {
            setEditMode(NoEditing);
            grid_->setCurrentCell(grid_->currentRow(), kItemColumn);
        }
        buttons_[DeleteItemFromFile]->setEnabled(false);
    } else if ((watched == grid_->viewport() || watched == calendar_) && event->type() == QEvent::MouseButtonRelease
               && static_cast<QMouseEvent *>(event)->button() == Qt::RightButton) {
        Q_EMIT optionsMenuRequested(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
        return true;
    } else if (event->type() == QEvent::FocusIn) {
        for (QPushButton *button : buttons_) {
            if (watched == button) {
                onButtonFocus();
                break;
            }
        }
    }
    return QFrame::eventFilter(watched, event);
}

void TimelinePanel::onItemBoxKey(QKeyEvent *event)
{
    event->ignore();
    switch (event->key()) {
    case Qt::Key_Delete:
        if (buttons_[DeleteItemFromGrid]->isEnabled()) {
            deleteRow();
            event->accept();
        }
        return;
    case Qt::Key_Insert:
        if (buttons_[DeleteItemFromGrid]->isEnabled()) {
            insertRow();
            event->accept();
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        if (editMode_ == KeyboardEditing && !itemBox_->text().isEmpty() && grid_->currentRow() >= 0) {
            const QString text = itemBox_->text();
            setCellText(grid_->currentRow() + 1, kItemColumn, text + QStringLiteral("  "));
            markUnsaved();
            rememberItemName(text);
        }
        return;
    default:
        return;
    }
}
