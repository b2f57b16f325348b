#include "risk/ui/heatmapview.h"

#include "risk/ui/heatmapmodel.h"

#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QTableView>

namespace {

// Switches the model between whole and short names as the view's columns
// narrow and widen. Only the cells and the impact header change; the columns
// stretch to the viewport, whose width does not depend on them, so the
// choice cannot swing back and forth.
class NameFitter : public QObject
{
public:
    NameFitter(QTableView *view, HeatMapModel *model, QString longestLine)
        : QObject(view)
        , m_view(view)
        , m_viewport(view->viewport())
        , m_model(model)
        , m_longestLine(std::move(longestLine))
    {
        m_viewport->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The type first: while the view is being destroyed its viewport
        // still sends events, and the view must not be asked anything then.
        if (event->type() == QEvent::Resize && watched == m_viewport)
            fit();
        return QObject::eventFilter(watched, event);
    }

private:
    void fit()
    {
        const int columns = qMax(1, m_model->columnCount());
        const int room = m_viewport->width() / columns - 6;
        m_model->setShortNames(room < m_view->fontMetrics().horizontalAdvance(m_longestLine));
    }

    QTableView *m_view;
    QWidget *m_viewport;
    HeatMapModel *m_model;
    QString m_longestLine;
};

} // namespace

QTableView *makeHeatMapView(HeatMapModel *model, const QString &longestLine, QWidget *parent)
{
    auto *view = new QTableView(parent);
    view->setModel(model);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    view->horizontalHeader()->setMinimumSectionSize(20);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setWordWrap(true);
    view->setTextElideMode(Qt::ElideNone);
    view->setMinimumHeight(180);
    new NameFitter(view, model, longestLine);
    return view;
}

HeatMapRow::HeatMapRow(QWidget *parent)
    : QWidget(parent)
    , m_grid(new QGridLayout(this))
{
    m_grid->setContentsMargins(0, 0, 0, 0);
}

void HeatMapRow::addMap(QWidget *map)
{
    map->setParent(this);
    m_maps << map;
    arrange(qMax(1, m_columns == 0 ? int(m_maps.size()) : m_columns));
}

void HeatMapRow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int fit = qBound(1, width() / kMapMinimumWidth, qMax(1, int(m_maps.size())));
    if (fit != m_columns)
        arrange(fit);
}

void HeatMapRow::arrange(int columns)
{
    m_columns = columns;
    for (QWidget *map : std::as_const(m_maps))
        m_grid->removeWidget(map);
    for (int column = 0; column < m_grid->columnCount(); ++column)
        m_grid->setColumnStretch(column, 0);
    for (int i = 0; i < m_maps.size(); ++i)
        m_grid->addWidget(m_maps.at(i), i / columns, i % columns);
    for (int column = 0; column < columns; ++column)
        m_grid->setColumnStretch(column, 1);
}
