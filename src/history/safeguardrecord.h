#pragma once

#include <QList>
#include <QString>

#include <utility>

class WorkbookDatabase;

// What the evidence trail adds to a safeguard's printed heading: its last
// review and, for an addressable specification, the decision in force.
namespace SafeguardRecord {

// Label and value, printed as the heading's other lines ("Last Reviewed:").
using Line = std::pair<QString, QString>;

// Nothing without an open database (a workbook that never had one, or a run
// that could not open it): the heading then says only what the files hold.
QList<Line> lines(const WorkbookDatabase *database, int safeguardNo);

} // namespace SafeguardRecord
