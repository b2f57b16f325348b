#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The standards of the Administrative, Physical and Technical safeguards as
// the standards grid lists them: the grid's own texts (spellings included),
// which differ from the safeguard buttons' captions on purpose.
namespace Standards {

enum class Designation { Required, Addressable };

struct Specification
{
    QString name;             // a single blank for a standard without one
    Designation designation;
    int statusRecord;         // the record of Stat1.Fil holding its status
};

struct Standard
{
    QStringList standardLines;  // one line, or two for a long name
    QString section;
    QList<Specification> specifications;
    // Empty lines after the last R/A letter (keeps the letter level with the
    // first line of a two-line standard).
    int trailingDesignationLines = 0;
    // Row height as a fraction of the grid's height; 0 keeps the default.
    double heightFactor = 0.0;
};

struct Group
{
    QString name;               // "Administrative Safeguards", ...
    QString part;               // "164.308", ...
    QList<Standard> standards;
};

inline constexpr int kGroupCount = 3;

// Group 0 Administrative, 1 Physical, 2 Technical.
const Group &group(int index);
bool isValidGroup(int index);

// "R" or "A".
QString designationLetter(Designation designation);

} // namespace Standards
