#pragma once

#include "catalogue/workmode.h"

#include <QString>
#include <QStringList>

#include <optional>

// The status texts the user picks from and where each choice is stored.
// A stored status is exactly the chosen entry, so the first entry (a single
// blank) stores a blank, while an empty text means nothing was ever chosen.
namespace StatusValues {

// Safeguard panels (modes 2-6) and the sample panel (mode 9). "Not
// Applicable" is for a required specification that does not apply to the
// entity (a clinic and the clearinghouse isolation); it is stored like every
// status, a text record of Stat1.Fil.
inline const QStringList kCurrentStatusList = {
    QStringLiteral(" "),       QStringLiteral("Pending"), QStringLiteral("Working"),
    QStringLiteral("Completed"), QStringLiteral("Review"),  QStringLiteral("Not Implemented"),
    QStringLiteral("Not Applicable"),
};

// Risk analysis worksheets (mode 7).
inline const QStringList kComplianceStatusList = {
    QStringLiteral(" "),   QStringLiteral("Yes"),     QStringLiteral("No"),
    QStringLiteral("Partial"), QStringLiteral("Planned"),
};

inline const QString kCurrentStatusCaption = QStringLiteral("   Current Status:");
inline const QString kComplianceStatusCaption = QStringLiteral(" Compliance Status:");
inline const QString kNotImplemented = QStringLiteral("Not Implemented");

// The record of Stat1.Fil for the item at buttonIndex (0-based) of the
// panel shown in mode; nothing for the modes that store no status (0, 1, 8,
// 9) and for an index outside the panel's group, so a stray index can never
// overwrite the status of another group.
std::optional<int> statusRecordFor(WorkMode mode, int buttonIndex);

// The first record of each mode's block and the number of items in it.
struct RecordBlock
{
    int firstRecord;
    int count;
};
std::optional<RecordBlock> recordBlockFor(WorkMode mode);

} // namespace StatusValues
