#pragma once

#include <QString>

#include <vector>

// The user's own files that a backup carries, in the order they are
// processed, and the names they take on the backup medium: every file the
// program writes in a workbook (the README lists them). Shipped content and
// files of other programs in the folder are not part of the set.
namespace BackupSet {

struct Member
{
    QString sourceName; // in the workbook, matched ignoring case
    QString backupName; // on the medium ("<stem>.hb1")
};

// Settings, statuses, to-do list, worksheet titles, then the item locations
// and the user's dictionary, which backups carry since this version.
constexpr int kFixedCount = 8;
constexpr int kLastIndex = 162;      // numbered files run from 0 to 162
constexpr int kProgressMaximum = 166;

// Fixed file `number` (1-8).
Member fixedFile(int number);
// Numbered file `index` (0-162): Action, Comment, Policy, Wksht, DRPln1.
Member numberedFile(int index);

// Every member: the fixed files, then the numbered ones by index.
std::vector<Member> allMembers();

// True for the files older backups never carried (Location.Fil,
// UserWords.Fil, Workbook.sqlite): a restore of a backup without one leaves
// the workbook's copy where it is instead of setting it aside with nothing in
// its place.
bool isKeptWhenNotRestored(const QString &name);

// Progress value while numbered file `index` is worked on.
inline int progressOfIndex(int index) { return index + 5 < kProgressMaximum ? index + 5 : kProgressMaximum; }

// The workbook's database: never copied live, always as a consistent
// snapshot, after the fixed files on the first disk.
Member database();
// Its rollback journal and the other files SQLite may keep beside it: they
// leave with the database a restore replaces, and stay with one it keeps.
bool isDatabaseCompanion(const QString &name);

// True for a name the restore may place in the workbook or set aside:
// "*.fil" (any case), the database and its companions.
bool isUserFileName(const QString &name);

// The evidence files attached to the register live in this folder of the
// workbook under names the program chose: six or more digits and an
// optional short lower-case extension ("000012.pdf"). Each one travels as
// "Evidence-<name>.hb1", after the numbered files (on the last disk, or on
// further disks when the last one fills). Anything else in the folder is
// not the program's and stays out of the set.
QString evidenceFolder();
bool isEvidenceFileName(const QString &name);
// The member for an evidence file: its path relative to the workbook
// ("Evidence/000012.pdf") and its name on the medium.
Member evidenceFile(const QString &storedName);
// The evidence file a name on the medium stands for; empty when it is none.
QString evidenceNameOfBackup(const QString &backupName);

} // namespace BackupSet
