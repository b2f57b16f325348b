#pragma once

#include "backup/backupset.h"
#include "backup/manifest.h"
#include "backup/procedure.h"

#include <QStringList>

#include <optional>

// Copies the user's files from the workbook to the backup medium, across
// further media when one fills up. On every medium the new files are written
// under temporary names ("<name>.new") and replace the previous backup only
// once that medium's part is complete, with its DiskInfo.bk1 and
// Manifest.bk1; a backup that fails or is cancelled leaves the previous
// backup of a medium it had not completed as it was.
class BackupProcedure
{
public:
    static inline const QString kTemporarySuffix = QStringLiteral(".new");
    // The previous backup's files while the new ones take their place.
    static inline const QString kOldSuffix = QStringLiteral(".old");

    explicit BackupProcedure(ProcedureEnvironment environment);
    // Puts a medium whose backup was cut short mid-swap back to the backup it
    // held before (what a restore does before it reads the medium).
    static void settleInterruptedSwap(const QString &folder, FileOperations &files);
    ProcedureResult run();

private:
    struct Part
    {
        int diskNumber = 1;
        int firstIndex = 0;     // the first turn on this medium
        QStringList written;    // backup names written under temporary names
        QList<int> numbered;    // the turns among them (numbered files, then evidence)
        Manifest manifest;
    };
    enum class Commit { Done, NoRoom, Broken };
    enum class Read { Missing, Ok, Failed };
    enum class Phase { Written, Cancelled, Failed };

    bool attended() const { return env_.prompt != nullptr; }
    // A full medium asks for the next disk only in the window, on a drive.
    bool multiDisk() const { return attended() && !env_.singleMedium; }
    Prompt::Answer ask(Prompt::Icon icon, const QString &title, const QString &text, Prompt::Buttons buttons,
                       std::optional<Prompt::Answer> defaultAnswer = std::nullopt);
    QString target(const QString &name) const;

    Read readSource(const QString &sourceName, QByteArray *bytes);
    // Turns 0 to 162 are the numbered files; the evidence files follow.
    int turnCount() const { return BackupSet::kLastIndex + 1 + int(evidenceNames_.size()); }
    BackupSet::Member memberOfTurn(int k) const;
    Read readTurn(int k, QByteArray *bytes);
    // The evidence files of the workbook, as the folder holds them now.
    void listEvidence();
    // The database's snapshot, taken once per backup.
    Read readDatabase(QByteArray *bytes);
    bool writeTemporary(Part &part, const QString &name, const QByteArray &plain, QString *error, bool sealed = true);
    void discard(Part &part);
    void removeLeftovers();
    bool testTarget(QString *error);
    // Phase 1 on the first disk, with its prompt.
    Phase writeFirstDisk(Part &part);
    // Completes a medium: its DiskInfo.bk1 and Manifest.bk1, then the swap of
    // the new files for the old. When the marks do not fit, the last file
    // written goes back to the queue (*k) and the medium is tried without it.
    Commit commit(Part &part, int *k, bool lastDisk);
    bool swapIn(const Part &part, QString *error);
    // The disk prompt after a full medium; false when the user cancelled.
    bool askForDisk(int diskNumber);

    QString stateOfMedia() const;
    ProcedureResult cancelled(bool withMessage);
    ProcedureResult failed(const QString &reason);

    ProcedureEnvironment env_;
    QStringList workbookNames_;
    QStringList evidenceNames_;
    QString lastWriteError_;
    std::optional<QByteArray> databaseSnapshot_;
    Part part_;
    int committedDisks_ = 0;
    int lastDiskFilled_ = 1;
};
