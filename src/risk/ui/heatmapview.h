#pragma once

#include <QList>
#include <QWidget>

class HeatMapModel;
class QGridLayout;
class QTableView;

// A table view of a heat map whose cells share the width: the model shows
// the levels' short names whenever a column is narrower than longestLine
// (the longest line a cell holds), and the whole names again once there is
// room, so no cell is ever cut.
QTableView *makeHeatMapView(HeatMapModel *model, const QString &longestLine, QWidget *parent);

// The overview's maps side by side where the page is wide enough for all of
// them, otherwise as many to a row as fit, the rest below.
class HeatMapRow : public QWidget
{
    Q_OBJECT

public:
    // The narrowest a map is laid out at before it moves to the next row.
    static constexpr int kMapMinimumWidth = 250;

    explicit HeatMapRow(QWidget *parent = nullptr);
    void addMap(QWidget *map);
    int columns() const { return m_columns; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void arrange(int columns);

    QGridLayout *m_grid = nullptr;
    QList<QWidget *> m_maps;
    int m_columns = 0;
};
