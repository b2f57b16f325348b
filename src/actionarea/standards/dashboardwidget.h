#pragma once

#include "printing/progresschart.h"

#include <QWidget>

#include <functional>

// The progress dashboard on screen: the ProgressChart the audit binder
// prints, drawn in the widget's own font size. It asks its source for the
// figures when refresh() is called (a status changed, the view was shown) and
// repaints; its height follows its width.
class DashboardWidget : public QWidget
{
    Q_OBJECT

public:
    using Source = std::function<ProgressFigures()>;

    explicit DashboardWidget(QWidget *parent = nullptr);

    void setSource(Source source);
    // Reads the figures again and repaints (when they changed).
    void refresh();
    void setFigures(const ProgressFigures &figures);
    const ProgressFigures &figures() const { return m_chart.figures(); }
    // Painter units per point: the chart's type is a little smaller than
    // print's, so it leaves the grid its room.
    qreal unitsPerPoint() const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    static constexpr int kPadding = 6;
    Source m_source;
    ProgressChart m_chart;
};
