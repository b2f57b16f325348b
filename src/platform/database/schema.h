#pragma once

#include <QStringList>

// The workbook database's schema, one step per version. Step n takes a
// database from version n-1 to version n; its statements run in one
// transaction, after which user_version is n. Steps are never edited once
// shipped: a change is a new step.
//
// Versions: 1 workbook settings; 2 risk register; 3-4 the evidence trail.
namespace WorkbookSchema {

struct Step
{
    int version;
    QStringList statements;
};

// Every step, in version order, with no gaps.
const QList<Step> &steps();

// The steps of each version, each in its own file.
QStringList settingsStep();     // version 1

} // namespace WorkbookSchema
