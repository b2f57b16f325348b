#include "actionarea/standards/standardsgridpanel.h"

#include "actionarea/standards/dashboardwidget.h"
#include "actionarea/standards/standardstable.h"
#include "actionarea/standards/workbookprogress.h"
#include "actionarea/status/statustable.h"
#include "screens/mainscreen.h"
#include "timeline/todolist.h"
#include "timeline/todostore.h"

#include <QDate>
#include <QFileInfo>

#include <QContextMenuEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QLocale>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

const QChar kSectionSign(0x00A7);
constexpr int kCellPadding = 10;

QFont gridFont()
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Normal);
    return font;
}

QTableWidgetItem *cell(const QString &text, Qt::Alignment horizontal = Qt::AlignLeft)
{
    auto *item = new QTableWidgetItem(text);
    // Top-aligned, so the specification, R/A and status lines of a row stay level.
    item->setTextAlignment(Qt::AlignTop | horizontal);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

QString joinedLines(const QStringList &lines)
{
    return lines.join(QLatin1Char('\n'));
}

} // namespace

const QStringList &StandardsGridPanel::headerTexts()
{
    static const QStringList texts = {
        QStringLiteral("Standards"), QStringLiteral("Section"), QStringLiteral("Implementation Specifications"),
        QStringLiteral("*"), QStringLiteral("Current Status"),
    };
    return texts;
}

int StandardsGridPanel::factorHeight(double factor, int gridHeight)
{
    if (factor <= 0.0)
        return -1;
    return int(std::lround(factor * gridHeight));
}

StandardsGridPanel::StandardsGridPanel(StatusTable &table, QWidget *parent)
    : QWidget(parent)
    , table_(table)
{
    heading_ = new QLabel(QStringLiteral("HIPAA Security Standards"), this);
    QFont headingFont = heading_->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.5);
    headingFont.setBold(true);
    heading_->setFont(headingFont);
    heading_->setAlignment(Qt::AlignCenter);

    groupFrame_ = new QGroupBox(QStringLiteral("Security Standard Safeguards"), this);
    auto *frameLayout = new QHBoxLayout(groupFrame_);
    frameLayout->setContentsMargins(6, 4, 6, 6);
    for (int group = 0; group < Standards::kGroupCount; ++group) {
        auto *button = new QPushButton(Standards::group(group).name, groupFrame_);
        button->setCheckable(true);
        button->setAutoDefault(false);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        connect(button, &QPushButton::clicked, this, [this, group] { selectGroup(group); });
        frameLayout->addWidget(button);
        groupButtons_[group] = button;
    }

    titleLine_ = new QLabel(this);
    titleLine_->setObjectName(QStringLiteral("standardsTitleLine"));
    QFont titleFont = titleLine_->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.15);
    titleLine_->setFont(titleFont);
    legend_ = new QLabel(QStringLiteral("*  R = Required;  A = Addressable"), this);
    legend_->setTextFormat(Qt::PlainText);
    titleLine_->setTextFormat(Qt::PlainText);

    printButton_ = new QPushButton(QStringLiteral("&Print"), this);
    printButton_->setAutoDefault(false);
    printButton_->setEnabled(false);
    connect(printButton_, &QPushButton::clicked, this, &StandardsGridPanel::printRequested);

    buildGrid();

    // The progress dashboard above the selectors, redrawn whenever a status
    // changes; the to-do figures come from the timeline as last saved.
    dashboard_ = new DashboardWidget(this);
    dashboard_->setSource([this] {
        ToDoList toDo;
        ToDoStore::loadList(toDo, table_.workbook());
        return WorkbookProgress::figures([this](int record) { return table_.slot(record); }, toDo,
                                         QDate::currentDate());
    });
    table_.addChangeListener([dashboard = QPointer<DashboardWidget>(dashboard_)](int) {
        if (dashboard)
            dashboard->refresh();
    });

    // The legend explains the grid's "*" column, so it sits under the grid as
    // a footnote, beside the print button; that keeps the panel narrow enough
    // for the 800 x 600 window.
    auto *footRow = new QHBoxLayout;
    footRow->addWidget(legend_);
    footRow->addStretch();
    footRow->addWidget(printButton_);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(heading_);
    layout->addWidget(dashboard_);
    layout->addWidget(groupFrame_);
    layout->addWidget(titleLine_);
    layout->addWidget(grid_, 1);
    layout->addLayout(footRow);
}

void StandardsGridPanel::buildGrid()
{
    grid_ = new QTableWidget(0, kColumnCount, this);
    grid_->setObjectName(QStringLiteral("standardsGrid"));
    grid_->setFont(gridFont());
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setWordWrap(true);
    grid_->setTextElideMode(Qt::ElideNone);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setHighlightSections(false);
    QFont headerFont = gridFont();
    headerFont.setBold(true);
    grid_->horizontalHeader()->setFont(headerFont);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    grid_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    grid_->installEventFilter(this);
    grid_->viewport()->installEventFilter(this);
}

QPushButton *StandardsGridPanel::groupButton(int group) const
{
    return Standards::isValidGroup(group) ? groupButtons_[group] : nullptr;
}

void StandardsGridPanel::markSelector(int group)
{
    for (int n = 0; n < Standards::kGroupCount; ++n) {
        drawButtonAsChosen(groupButtons_[n], n == group, true);
        groupButtons_[n]->setChecked(n == group);
    }
}

void StandardsGridPanel::selectGroup(int group)
{
    if (!Standards::isValidGroup(group))
        return;
    currentGroup_ = group;
    markSelector(group);
    Q_EMIT captionChanged(kCaptionBase + groupButtons_[group]->text());
    grid_->setRowCount(0);
    writeHeaderIfBlank();
    titleLine_->show();
    legend_->show();
    grid_->show();
    fillStandardsGrid(group);
}

void StandardsGridPanel::writeHeaderIfBlank()
{
    const QTableWidgetItem *first = grid_->horizontalHeaderItem(0);
    if (first && !first->text().trimmed().isEmpty())
        return;
    const QStringList &texts = headerTexts();
    for (int column = 0; column < kColumnCount; ++column) {
        auto *item = new QTableWidgetItem(texts[column]);
        item->setTextAlignment(column == DesignationColumn ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        grid_->setHorizontalHeaderItem(column, item);
    }
}

void StandardsGridPanel::fillStandardsGrid(int group)
{
    if (!Standards::isValidGroup(group))
        return;
    const Standards::Group &standards = Standards::group(group);
    titleLine_->setText(standards.name + kSectionSign + standards.part);
    writeHeaderIfBlank();

    grid_->setRowCount(0);
    grid_->setRowCount(int(standards.standards.size()));
    rowFactors_.clear();
    const QHash<int, QDateTime> since = table_.statusChangeTimes();
    int row = 0;
    for (const Standards::Standard &standard : standards.standards) {
        QStringList specifications, designations, statuses, sinceLines;
        for (const Standards::Specification &specification : standard.specifications) {
            specifications << specification.name;
            designations << Standards::designationLetter(specification.designation);
            statuses << table_.slot(specification.statusRecord);
            if (const auto changed = since.constFind(specification.statusRecord); changed != since.cend())
                sinceLines << QStringLiteral("%1: %2 since %3")
                                  .arg(specification.name.trimmed(), table_.slot(specification.statusRecord).trimmed(),
                                       QLocale().toString(changed->toLocalTime().date(), QLocale::ShortFormat));
        }
        for (int n = 0; n < standard.trailingDesignationLines; ++n)
            designations << QString();
        grid_->setItem(row, StandardColumn, cell(joinedLines(standard.standardLines)));
        grid_->setItem(row, SectionColumn, cell(standard.section));
        grid_->setItem(row, SpecificationColumn, cell(joinedLines(specifications)));
        grid_->setItem(row, DesignationColumn, cell(joinedLines(designations), Qt::AlignHCenter));
        grid_->setItem(row, StatusColumn, cell(joinedLines(statuses)));
        if (!sinceLines.isEmpty())
            grid_->item(row, StatusColumn)->setToolTip(sinceLines.join(QLatin1Char('\n')));
        rowFactors_ << standard.heightFactor;
        ++row;
    }
    layOutColumns();
    layOutRows();
}

void StandardsGridPanel::layOutColumns()
{
    const QFontMetrics metrics(grid_->font());
    const QFontMetrics headerMetrics(grid_->horizontalHeader()->font());
    auto widest = [&metrics](const QStringList &texts) {
        int width = 0;
        for (const QString &text : texts)
            width = std::max(width, metrics.horizontalAdvance(text));
        return width + kCellPadding;
    };
    const QStringList &header = headerTexts();
    auto fitting = [&](int column, const QStringList &texts) {
        return std::max(widest(texts), headerMetrics.horizontalAdvance(header[column]) + kCellPadding);
    };
    QStringList sections, specifications, standards;
    for (int group = 0; group < Standards::kGroupCount; ++group) {
        for (const Standards::Standard &standard : Standards::group(group).standards) {
            sections << standard.section;
            standards << standard.standardLines;
            for (const Standards::Specification &specification : standard.specifications)
                specifications << specification.name;
        }
    }
    const int section = fitting(SectionColumn, sections);
    const int designation = fitting(DesignationColumn, {QStringLiteral("R")}) + kCellPadding / 2;
    const int status = fitting(StatusColumn, {QStringLiteral("Not Implemented")});
    const int specification = fitting(SpecificationColumn, specifications);
    const int standardNeeded = fitting(StandardColumn, standards);
    // The standard's name may wrap, down to its longest word; the other
    // columns never wrap, so their lines stay level.
    QStringList words;
    for (const QString &name : std::as_const(standards))
        words << name.split(QLatin1Char(' '));
    const int standardMinimum = fitting(StandardColumn, words);

    // Room is kept for the vertical scroll bar, so its arrival never pushes
    // the status column out of sight.
    const int available = grid_->width() - 2 * grid_->frameWidth()
        - grid_->verticalScrollBar()->sizeHint().width();
    const int fixed = section + designation + status + specification;
    int standard = std::max(standardMinimum, available - fixed);
    int spare = 0;
    if (standard > standardNeeded) {
        spare = standard - standardNeeded;
        standard = standardNeeded;
    }
    // Extra room goes to the text columns, so the grid fills its width.
    const int extraStandard = spare * 2 / 5;
    const int extraSpecification = spare * 2 / 5;
    const int extraStatus = spare - extraStandard - extraSpecification;
    grid_->setColumnWidth(StandardColumn, standard + extraStandard);
    grid_->setColumnWidth(SectionColumn, section);
    grid_->setColumnWidth(SpecificationColumn, specification + extraSpecification);
    grid_->setColumnWidth(DesignationColumn, designation);
    grid_->setColumnWidth(StatusColumn, status + extraStatus);
}

int StandardsGridPanel::neededRowHeight(int row) const
{
    const QFontMetrics metrics(grid_->font());
    int needed = 0;
    for (int column = 0; column < kColumnCount; ++column) {
        const QTableWidgetItem *item = grid_->item(row, column);
        if (!item)
            continue;
        const int width = std::max(1, grid_->columnWidth(column) - kCellPadding / 2);
        const QRect bounds = metrics.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, item->text());
        // Trailing empty lines count too: they keep the R/A and status lines level.
        const int lines = int(item->text().count(QLatin1Char('\n'))) + 1;
        needed = std::max({needed, bounds.height(), lines * metrics.lineSpacing()});
    }
    return needed + kCellPadding / 2;
}

void StandardsGridPanel::layOutRows()
{
    const int gridHeight = grid_->height();
    const int defaultHeight = grid_->verticalHeader()->defaultSectionSize();
    for (int row = 0; row < grid_->rowCount() && row < rowFactors_.size(); ++row) {
        const int fromFactor = factorHeight(rowFactors_[row], gridHeight);
        // A row is never cut below what its lines need, whatever the window's size.
        const int needed = neededRowHeight(row);
        grid_->setRowHeight(row, std::max({fromFactor, defaultHeight, needed}));
    }
}

bool StandardsGridPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == grid_ && event->type() == QEvent::Resize) {
        layOutColumns();
        layOutRows();
    } else if (watched == grid_->viewport()) {
        if (event->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent *>(event)->button() == Qt::RightButton) {
            Q_EMIT optionsMenuRequested(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
            return true;
        }
        if (event->type() == QEvent::ContextMenu) {
            // The mouse's menu comes with the release above; the keyboard's here.
            auto *menuEvent = static_cast<QContextMenuEvent *>(event);
            if (menuEvent->reason() != QContextMenuEvent::Mouse)
                Q_EMIT optionsMenuRequested(menuEvent->globalPos());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void StandardsGridPanel::connectNotify(const QMetaMethod &signal)
{
    if (signal == QMetaMethod::fromSignal(&StandardsGridPanel::printRequested))
        updatePrintButton();
    QWidget::connectNotify(signal);
}

void StandardsGridPanel::disconnectNotify(const QMetaMethod &signal)
{
    // Called while the connection lists are locked: look again once they are free.
    if (!signal.isValid() || signal == QMetaMethod::fromSignal(&StandardsGridPanel::printRequested))
        QMetaObject::invokeMethod(this, &StandardsGridPanel::updatePrintButton, Qt::QueuedConnection);
    QWidget::disconnectNotify(signal);
}

void StandardsGridPanel::updatePrintButton()
{
    if (!printButton_)
        return;
    printButton_->setEnabled(isSignalConnected(QMetaMethod::fromSignal(&StandardsGridPanel::printRequested)));
}
