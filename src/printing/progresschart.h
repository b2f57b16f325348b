#pragma once

#include <QColor>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class QPainter;

// The figures the progress dashboard shows: per safeguard group the number of
// safeguards in each status, the completed count, and the to-do items that are
// overdue or due soon.
struct ProgressFigures
{
    // The statuses a bar is made of, in drawing order; the last gathers the
    // safeguards no status was chosen for.
    enum Status { Completed, Working, Review, Pending, NotImplemented, NotSet, StatusCount };
    static QString statusName(int status);
    // The status a stored status text counts as.
    static Status statusOf(const QString &text);

    struct Group
    {
        QString name;
        std::array<int, StatusCount> counts{};
        int total() const;
        friend bool operator==(const Group &, const Group &) = default;
    };

    QList<Group> groups;
    int completed = 0;
    int safeguards = 0;
    int overdue = 0;
    int dueSoon = 0; // within the next 30 days
    // Once a workbook records them: the figures beside the bars.
    std::optional<std::array<int, 3>> risksByLevel; // high, medium, low
    std::optional<int> reviewsDue;

    // "12 of 47 completed".
    QString completedLine() const;
    // "3 to-do items overdue, 5 due in the next 30 days".
    QString toDoLine() const;
    friend bool operator==(const ProgressFigures &, const ProgressFigures &) = default;
};

// Paints the dashboard: the headline figures, then one horizontal bar per
// group with a segment per status (each its own colour and hatching, the
// count written in the segment when it fits), then the legend naming every
// status. The same drawing serves the screen and the print surface:
// `unitsPerPoint` converts the chart's type sizes into the painter's units
// (about 1.33 for a screen, 20 on the twips of a page).
class ProgressChart
{
public:
    explicit ProgressChart(ProgressFigures figures = {});
    void setFigures(const ProgressFigures &figures) { m_figures = figures; }
    // Compact: the headline figures on one line and thinner bars, for the
    // screen, where the standards grid needs the room.
    void setCompact(bool compact) { m_compact = compact; }
    const ProgressFigures &figures() const { return m_figures; }

    static QColor statusColour(int status);
    // Height the chart needs for a width, in the painter's units.
    qreal heightFor(qreal width, qreal unitsPerPoint) const;
    void paint(QPainter &painter, const QRectF &area, qreal unitsPerPoint) const;

private:
    QStringList headlines() const;
    ProgressFigures m_figures;
    bool m_compact = false;
};
