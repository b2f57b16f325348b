#pragma once

#include "backup/diskinfo.h"
#include "backup/manifest.h"
#include "backup/procedure.h"

#include <QSet>
#include <QStringList>

#include <memory>
#include <optional>

namespace SetEncryption {
class Key;
}

// Copies a backup back into the workbook. Nothing of the workbook changes
// until every medium has been read and checked: the files are copied into a
// staging folder, checked against each medium's Manifest.bk1 (a backup
// without one, written by an older version, by DiskInfo.bk1 and the files'
// presence alone), and only then swapped in, the previous files kept in a
// dated safety folder (see RestoreSwap).
class RestoreProcedure
{
public:
    explicit RestoreProcedure(ProcedureEnvironment environment);
    ProcedureResult run();

private:
    bool attended() const { return env_.prompt != nullptr; }
    Prompt::Answer ask(Prompt::Icon icon, const QString &title, const QString &text, Prompt::Buttons buttons,
                       std::optional<Prompt::Answer> defaultAnswer = std::nullopt);
    // Reads DiskInfo.bk1 and Manifest.bk1 of the medium now in the drive.
    void readMedium();
    bool loadManifest();
    // The question before anything changes: the backup's date and size, and
    // where the files it replaces are kept.
    bool confirm();
    bool restoreFile(const QString &backupName, const QString &sourceName);
    // Copies the medium's evidence files, then checks that every file its
    // manifest lists was taken.
    bool finishMedium();
    bool restoreEvidence();
    // The disk holding the last numbered file names a further disk: the
    // evidence files go on there.
    bool continuesOnNextDisk() const;
    // An encrypted backup's key from its header and the passphrase; true
    // (no key) for a plain backup.
    bool unlock();
    // The prompt for the next disk; false when the user gave up.
    bool askForNextDisk();
    // Completes the medium in the drive and reads the next one; the result
    // to end with when that cannot be done.
    std::optional<ProcedureResult> nextMedium();

    ProcedureResult cancelled();
    ProcedureResult failed(const QString &reason);

    ProcedureEnvironment env_;
    QString staging_;
    QStringList mediumNames_;
    DiskInfo info_;
    QByteArray infoBytes_;
    std::optional<Manifest> manifest_;
    bool manifestDamaged_ = false;
    QSet<QString> restoredFromMedium_; // backup names, lower case
    int expectedDisk_ = 1;
    QString safetyName_;
    std::shared_ptr<SetEncryption::Key> key_;
    QString error_;
};
