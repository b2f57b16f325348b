#include "actionarea/standards/dashboardwidget.h"

#include <QPainter>
#include <QtMath>

DashboardWidget::DashboardWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("progressDashboard"));
    setAccessibleName(QStringLiteral("Progress dashboard"));
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    m_chart.setCompact(true);
}

void DashboardWidget::setSource(Source source)
{
    m_source = std::move(source);
    refresh();
}

void DashboardWidget::refresh()
{
    if (m_source)
        setFigures(m_source());
}

void DashboardWidget::setFigures(const ProgressFigures &figures)
{
    if (figures == m_chart.figures())
        return;
    const bool groupsChanged = figures.groups.size() != m_chart.figures().groups.size();
    m_chart.setFigures(figures);
    setToolTip(figures.completedLine() + QLatin1Char('\n') + figures.toDoLine());
    if (groupsChanged)
        updateGeometry();
    update();
}

qreal DashboardWidget::unitsPerPoint() const
{
    return logicalDpiY() / 72.0 * 0.85;
}

int DashboardWidget::heightForWidth(int width) const
{
    return qCeil(m_chart.heightFor(std::max(1, width - 2 * kPadding), unitsPerPoint())) + 2 * kPadding;
}

QSize DashboardWidget::sizeHint() const
{
    return QSize(400, heightForWidth(400));
}

QSize DashboardWidget::minimumSizeHint() const
{
    return QSize(200, heightForWidth(400));
}

void DashboardWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    m_chart.paint(painter, QRectF(rect()).adjusted(kPadding, kPadding, -kPadding, -kPadding), unitsPerPoint());
}

void DashboardWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
}
