#pragma once

#include <QColor>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include "printing/printsurface.h"

#include <functional>

class PrintSurface;

// The summary of the Security Rule's standards: one ruled table per
// safeguard group with each standard, its section, its implementation
// specifications with R or A, and the status the user recorded for each;
// then the legend and the date printed.
namespace StandardsSummary {

// Which tables: "All Safeguards" (every group, with the Organizational
// Requirements and Policies tables), or any of the three groups.
struct Selection
{
    bool all = false;
    bool administrative = false;
    bool physical = false;
    bool technical = false;
    // With "All Safeguards": the worksheets' titles, for a last table of
    // their compliance statuses (none when empty).
    QStringList worksheetTitles;

    bool any() const { return all || administrative || physical || technical; }
};

// The current status text of a StatusRecordNo (1-47).
using StatusLookup = std::function<QString(int statusRecordNo)>;

inline const QString kTitle = QStringLiteral("HIPAA Security Standards");
inline const QString kLegend = QStringLiteral("      Legend:  R = Required    A = Addressable");

// Half an inch all round, inside what any printer can print.
inline constexpr PrintMargins kMargins{720, 720, 720, 720};

// One row of the summary as data: the standard and section carried down to
// every implementation specification, a two-line name joined.
struct SummaryRow
{
    QString group;
    QString standard;
    QString section;
    QString specification;
    QString designation; // "R", "A" or empty
    int statusRecordNo = 0;
};
// Every row of the five tables, in order.
QList<SummaryRow> rows();

// The tables chosen, composed from the current position between the
// surface's margins (no Clear, StartDoc or EndDoc): the binder's part.
void composeTables(PrintSurface &surface, const Selection &selection, const StatusLookup &status);

// "Printed:  " and the date, e.g. "Printed:  March 4, 2026".
QString dateStamp(const QDate &date);

// Composes the summary (Clear, StartDoc ... EndDoc). Nothing checked gives
// an empty document. A table that would not fit in the rest of a page
// starts on the next page, so no table is torn across a page break.
void compose(PrintSurface &surface, const Selection &selection, const StatusLookup &status,
             const QColor &textColour, const QDate &today, const QString &organization = QString());

// "Standards Summary" and the tables chosen, the document's name.
QString documentName(const Selection &selection);

} // namespace StandardsSummary
