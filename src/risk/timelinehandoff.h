#pragma once

#include "platform/records/workbook.h"
#include "risk/riskrecords.h"

#include <QDir>
#include <QString>

// "Add to Timeline": a risk's planned measure becomes a to-do item of the
// project timeline, with the treatment's due date as its To Do Date, written
// through the timeline's own files (TODOActv.FIL). The timeline's limits
// hold: an item is at most kItemLength characters (a longer measure is
// shortened, and the caller says so) and the list has 500 rows.
namespace TimelineHandoff {

inline constexpr int kItemLength = 45;

struct Result
{
    bool ok = false;
    QString item;       // the text as added
    bool shortened = false;
    int row = -1;       // 0-based grid row
    QString message;    // for the user: what was done, or why not
};

// The to-do text of a risk: its planned measures, else its threat.
QString itemText(const Risk &risk);

Result add(const Workbook &workbook, const Risk &risk);

} // namespace TimelineHandoff
