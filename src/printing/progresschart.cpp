#include "printing/progresschart.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <numeric>

QString ProgressFigures::statusName(int status)
{
    switch (status) {
    case Completed: return QStringLiteral("Completed");
    case Working: return QStringLiteral("Working");
    case Review: return QStringLiteral("Review");
    case Pending: return QStringLiteral("Pending");
    case NotImplemented: return QStringLiteral("Not Implemented");
    default: return QStringLiteral("No status");
    }
}

ProgressFigures::Status ProgressFigures::statusOf(const QString &text)
{
    const QString status = text.trimmed();
    for (int i = 0; i < NotSet; ++i) {
        if (status.compare(statusName(i), Qt::CaseInsensitive) == 0)
            return Status(i);
    }
    return NotSet;
}

int ProgressFigures::Group::total() const
{
    return std::accumulate(counts.begin(), counts.end(), 0);
}

QString ProgressFigures::completedLine() const
{
    return QStringLiteral("%1 of %2 completed").arg(completed).arg(safeguards);
}

QString ProgressFigures::toDoLine() const
{
    return QStringLiteral("%1 to-do %2 overdue, %3 due in the next 30 days")
        .arg(overdue)
        .arg(overdue == 1 ? QStringLiteral("item") : QStringLiteral("items"))
        .arg(dueSoon);
}

ProgressChart::ProgressChart(ProgressFigures figures)
    : m_figures(std::move(figures))
{
}

QColor ProgressChart::statusColour(int status)
{
    switch (status) {
    case ProgressFigures::Completed: return QColor(0x2e, 0x7d, 0x32);
    case ProgressFigures::Working: return QColor(0x15, 0x65, 0xc0);
    case ProgressFigures::Review: return QColor(0xf9, 0xa8, 0x25);
    case ProgressFigures::Pending: return QColor(0xef, 0x6c, 0x00);
    case ProgressFigures::NotImplemented: return QColor(0xc6, 0x28, 0x28);
    default: return QColor(0xbd, 0xbd, 0xbd);
    }
}

namespace {

// A hatching per status, so the bars read on a black-and-white page too.
Qt::BrushStyle statusHatch(int status)
{
    switch (status) {
    case ProgressFigures::Working: return Qt::BDiagPattern;
    case ProgressFigures::Review: return Qt::Dense6Pattern;
    case ProgressFigures::Pending: return Qt::FDiagPattern;
    case ProgressFigures::NotImplemented: return Qt::DiagCrossPattern;
    default: return Qt::NoBrush;
    }
}

QFont chartFont(qreal points, qreal unitsPerPoint, bool bold = false)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(std::max(1, qRound(points * unitsPerPoint)));
    font.setBold(bold);
    return font;
}

struct Layout
{
    qreal line;       // one line of 10-point text
    qreal barHeight;
    qreal labelWidth; // the groups' names
    qreal legendRows;
};

Layout layoutFor(const ProgressFigures &figures, qreal width, qreal unitsPerPoint, bool compact)
{
    Layout layout{};
    const QFontMetricsF metrics(chartFont(10, unitsPerPoint));
    layout.line = metrics.lineSpacing();
    layout.barHeight = layout.line * (compact ? 1.05 : 1.4);
    for (const ProgressFigures::Group &group : figures.groups)
        layout.labelWidth = std::max(layout.labelWidth, metrics.horizontalAdvance(group.name));
    layout.labelWidth += layout.line;
    qreal x = 0;
    layout.legendRows = 1;
    for (int status = 0; status < ProgressFigures::StatusCount; ++status) {
        const qreal item = layout.line * 2 + metrics.horizontalAdvance(ProgressFigures::statusName(status));
        if (x > 0 && x + item > width) {
            layout.legendRows += 1;
            x = 0;
        }
        x += item;
    }
    return layout;
}

} // namespace

QStringList ProgressChart::headlines() const
{
    QStringList lines{m_figures.toDoLine()};
    if (m_figures.risksByLevel) {
        const auto &risks = *m_figures.risksByLevel;
        lines << QStringLiteral("Risks: %1 high, %2 medium, %3 low").arg(risks[0]).arg(risks[1]).arg(risks[2]);
    }
    if (m_figures.reviewsDue)
        lines << QStringLiteral("%1 reviews due").arg(*m_figures.reviewsDue);
    if (m_compact)
        return {lines.join(QStringLiteral(";  "))};
    return lines;
}

qreal ProgressChart::heightFor(qreal width, qreal unitsPerPoint) const
{
    const Layout layout = layoutFor(m_figures, width, unitsPerPoint, m_compact);
    const QFontMetricsF big(chartFont(m_compact ? 11 : 14, unitsPerPoint, true));
    const qreal gap = layout.line * (m_compact ? 0.2 : 0.5);
    return big.lineSpacing() + layout.line * headlines().size() + layout.line * (m_compact ? 0.3 : 0.8)
        + m_figures.groups.size() * (layout.barHeight + gap) + gap + layout.legendRows * layout.line * 1.3;
}

void ProgressChart::paint(QPainter &painter, const QRectF &area, qreal unitsPerPoint) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const Layout layout = layoutFor(m_figures, area.width(), unitsPerPoint, m_compact);
    const qreal gap = layout.line * (m_compact ? 0.2 : 0.5);
    qreal y = area.top();

    const QFont big = chartFont(m_compact ? 11 : 14, unitsPerPoint, true);
    const QFont body = chartFont(10, unitsPerPoint);
    painter.setPen(Qt::black);
    painter.setFont(big);
    const QFontMetricsF bigMetrics(big);
    painter.drawText(QPointF(area.left(), y + bigMetrics.ascent()), m_figures.completedLine());
    y += bigMetrics.lineSpacing();
    painter.setFont(body);
    const QFontMetricsF metrics(body);
    for (const QString &line : headlines()) {
        painter.drawText(QPointF(area.left(), y + metrics.ascent()), line);
        y += layout.line;
    }
    y += layout.line * (m_compact ? 0.3 : 0.8);

    // The bars share one scale: the largest group fills the width.
    int largest = 1;
    for (const ProgressFigures::Group &group : m_figures.groups)
        largest = std::max(largest, group.total());
    const qreal barLeft = area.left() + layout.labelWidth;
    const qreal barWidth = std::max<qreal>(1, area.right() - barLeft - metrics.horizontalAdvance(QStringLiteral("00/00")) - layout.line);
    const QPen outline(Qt::black, std::max<qreal>(1, unitsPerPoint * 0.5));
    for (const ProgressFigures::Group &group : m_figures.groups) {
        painter.setPen(Qt::black);
        painter.drawText(QRectF(area.left(), y, layout.labelWidth, layout.barHeight), Qt::AlignVCenter | Qt::AlignLeft,
                         group.name);
        qreal x = barLeft;
        for (int status = 0; status < ProgressFigures::StatusCount; ++status) {
            const int count = group.counts[size_t(status)];
            if (count == 0)
                continue;
            const QRectF segment(x, y, barWidth * count / largest, layout.barHeight);
            painter.fillRect(segment, statusColour(status));
            if (statusHatch(status) != Qt::NoBrush)
                painter.fillRect(segment, QBrush(QColor(255, 255, 255, 110), statusHatch(status)));
            painter.setPen(outline);
            painter.drawRect(segment);
            const QString number = QString::number(count);
            if (metrics.horizontalAdvance(number) + layout.line * 0.4 < segment.width()) {
                const QRectF label(segment.center().x() - metrics.horizontalAdvance(number) / 2 - layout.line * 0.15,
                                   segment.center().y() - metrics.height() / 2,
                                   metrics.horizontalAdvance(number) + layout.line * 0.3, metrics.height());
                painter.fillRect(label, Qt::white);
                painter.setPen(Qt::black);
                painter.drawText(label, Qt::AlignCenter, number);
            }
            x = segment.right();
        }
        painter.setPen(Qt::black);
        const QString share = QStringLiteral("%1/%2").arg(group.counts[ProgressFigures::Completed]).arg(group.total());
        painter.drawText(QPointF(x + layout.line * 0.5, y + (layout.barHeight + metrics.ascent() - metrics.descent()) / 2),
                         share);
        y += layout.barHeight + gap;
    }
    y += gap;

    // The legend names every status beside its swatch.
    qreal x = area.left();
    for (int status = 0; status < ProgressFigures::StatusCount; ++status) {
        const QString name = ProgressFigures::statusName(status);
        const qreal item = layout.line * 2 + metrics.horizontalAdvance(name);
        if (x > area.left() && x + item > area.right()) {
            x = area.left();
            y += layout.line * 1.3;
        }
        const QRectF swatch(x, y + layout.line * 0.15, layout.line * 0.9, layout.line * 0.8);
        painter.fillRect(swatch, statusColour(status));
        if (statusHatch(status) != Qt::NoBrush)
            painter.fillRect(swatch, QBrush(QColor(255, 255, 255, 110), statusHatch(status)));
        painter.setPen(outline);
        painter.drawRect(swatch);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(x + layout.line * 1.2, y + metrics.ascent()), name);
        x += item;
    }
    painter.restore();
}
