#pragma once

#include "backup/procedure.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

class FileOperations;

// Backup generations: a backup into a folder writes a dated set
// "Sentrivo backup YYYY-MM-DD HHMMSS" in it and never changes an earlier set.
// The set is written under a hidden name (".Sentrivo backup ... .incomplete"),
// checked against its manifest, and only then given its name, so a folder
// never holds a set by that name that is not complete; the oldest sets beyond
// the number to keep are removed only after that. A folder holding a backup
// of the older kind (DiskInfo.bk1 at its top) still restores as before.
namespace BackupGenerations {

inline const QString kSetPrefix = QStringLiteral("Sentrivo backup ");
inline const QString kIncompleteSuffix = QStringLiteral(".incomplete");
constexpr int kDefaultKeep = 10;

// "Sentrivo backup 2026-12-10 093005".
QString setName(const QDateTime &when);
// The date a set's name gives; nothing for any other name.
std::optional<QDateTime> dateOfSetName(const QString &name);

struct SetInfo
{
    QString name;
    QString path;
    QDateTime made;
    int fileCount = 0; // the backup's files (DiskInfo.bk1 and the manifest left out)
    qint64 size = 0;   // bytes of all its files
    bool verifies = false;
    QString problem;   // why it does not verify
};

// One set, checked file by file against its manifest.
SetInfo inspectSet(const QString &path, FileOperations &files);
// The sets in a folder, newest first.
QList<SetInfo> listSets(const QString &folder, FileOperations &files);

// Removes the oldest sets beyond `keep` (at least one is always kept, and
// never `newest`). Returns the names removed.
QStringList prune(const QString &folder, int keep, const QString &newest, FileOperations &files);

// A backup into `env.targetDir` as a new set; `keep` sets are kept. Calls
// `completed` with the set's name once it is in place.
ProcedureResult backUp(ProcedureEnvironment env, int keep);

// Where a restore from `folder` reads: the set named `setName`, or without
// a name the newest set that verifies, or (no sets there) the folder itself.
struct Source
{
    QString folder;     // what the restore reads
    QString setName;    // empty: the folder itself
    QString error;      // set when nothing can be restored from there
};
Source restoreSource(const QString &folder, const QString &setName, FileOperations &files);

} // namespace BackupGenerations
