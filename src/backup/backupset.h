#pragma once

#include <QString>

#include <vector>

// The user's own files that a backup carries, in the order they are
// processed, and the names they take on the backup medium. Shipped content,
// Location.Fil and any other file of the workbook are not part of the set.
namespace BackupSet {

struct Member
{
    QString sourceName; // in the workbook, matched ignoring case
    QString backupName; // on the medium ("<stem>.hb1")
};

constexpr int kFixedCount = 6;       // settings, statuses, to-do list, worksheet titles
constexpr int kLastIndex = 162;      // numbered files run from 0 to 162
constexpr int kProgressMaximum = 166;

// Fixed file `number` (1-6).
Member fixedFile(int number);
// Numbered file `index` (0-162): Action, Comment, Policy, Wksht, DRPln1.
Member numberedFile(int index);

// Every member: the six fixed files, then the numbered ones by index.
std::vector<Member> allMembers();

// Progress value while numbered file `index` is worked on.
inline int progressOfIndex(int index) { return index + 5 < kProgressMaximum ? index + 5 : kProgressMaximum; }

// True for a name the restore may place in the workbook ("*.fil", any case).
bool isUserFileName(const QString &name);

} // namespace BackupSet
