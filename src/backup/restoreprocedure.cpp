#include "backup/restoreprocedure.h"

#include "backup/backupprocedure.h"
#include "backup/backupset.h"
#include "backup/fileoperations.h"
#include "backup/generations.h"
#include "backup/restoreswap.h"
#include "backup/setencryption.h"

#include <QDir>

namespace {

const QString kRestoreTitle = QStringLiteral("Restore Function");
const QString kUnchanged = QStringLiteral("The User Created Files in the program have not been changed.");
// DiskInfo.bk1 is 180 bytes; a manifest a line or two per file.
constexpr qint64 kLargestMark = 4096;
constexpr qint64 kLargestManifest = 1 << 20;

} // namespace

RestoreProcedure::RestoreProcedure(ProcedureEnvironment environment)
    : env_(std::move(environment))
{
    static ProcedureFeedback silent;
    if (!env_.feedback)
        env_.feedback = &silent;
    if (!env_.now)
        env_.now = [] { return QDateTime::currentDateTime(); };
    staging_ = pathIn(env_.workbookDir, RestoreSwap::kStagingFolder);
}

Prompt::Answer RestoreProcedure::ask(Prompt::Icon icon, const QString &title, const QString &text,
                                     Prompt::Buttons buttons, std::optional<Prompt::Answer> defaultAnswer)
{
    return env_.prompt->ask(env_.parent, icon, title, text, buttons, defaultAnswer);
}

void RestoreProcedure::readMedium()
{
    mediumNames_ = env_.files->fileNames(env_.targetDir);
    infoBytes_.clear();
    const QString infoName = findIgnoringCase(mediumNames_, DiskInfo::kFileName);
    if (!infoName.isEmpty())
        env_.files->readFile(pathIn(env_.targetDir, infoName), &infoBytes_, nullptr, kLargestMark);
    info_ = DiskInfo::fromBytes(infoBytes_);
}

bool RestoreProcedure::loadManifest()
{
    manifest_.reset();
    restoredFromMedium_.clear();
    const QString name = findIgnoringCase(mediumNames_, Manifest::kFileName);
    if (name.isEmpty())
        return true; // an older backup: DiskInfo.bk1 and presence alone
    QByteArray bytes;
    if (!env_.files->readFile(pathIn(env_.targetDir, name), &bytes, &error_, kLargestManifest)) {
        error_ = QStringLiteral("Unable to read %1 on Backup Disk # %2: %3").arg(name).arg(expectedDisk_).arg(error_);
        return false;
    }
    manifest_ = Manifest::fromBytes(bytes);
    const Manifest::Entry *infoEntry = manifest_ ? manifest_->find(DiskInfo::kFileName) : nullptr;
    if (!manifest_ || !infoEntry || !Manifest::matches(*infoEntry, infoBytes_)) {
        error_ = QStringLiteral("The backup on Backup Disk # %1 is damaged (its %2 does not match the disk).")
                     .arg(expectedDisk_)
                     .arg(manifest_ ? DiskInfo::kFileName : Manifest::kFileName);
        return false;
    }
    return true;
}

ProcedureResult RestoreProcedure::run()
{
    ProcedureFeedback &feedback = *env_.feedback;
    ProcedureResult refused;
    if (isSameFolder(env_.workbookDir, env_.targetDir)) {
        refused.reason = QStringLiteral("The backup folder is the workbook folder itself; choose another one.");
        return refused;
    }
    RestoreSwap::completeInterrupted(env_.workbookDir, *env_.files);
    // A backup killed while it replaced the one on this medium left the
    // previous one under ".old" names: that is the backup to restore.
    BackupProcedure::settleInterruptedSwap(env_.targetDir, *env_.files);

    readMedium();
    if (!info_.isBackupDisk() || info_.diskNumber != 1) {
        const QString text = QStringLiteral("Unable to find Backup Disk #1 or Backup files!\n"
                                            "Please insert Disk #1 into selected Drive and Try again.");
        if (attended())
            ask(Prompt::Icon::Critical, QStringLiteral("Disk Error"), text, Prompt::Buttons::Ok);
        refused.reason = QStringLiteral("%1 holds no backup disk #1.").arg(QDir::toNativeSeparators(env_.targetDir));
        return refused;
    }
    safetyName_ = RestoreSwap::freeSafetyFolderName(env_.workbookDir, env_.now(), *env_.files);
    if (attended() && !confirm())
        return refused;

    feedback.setBusy(true);
    feedback.showStatus(QStringLiteral("Restoring User Created Files"));
    feedback.showProgress(BackupSet::kProgressMaximum);
    if (!env_.files->removeFolder(staging_, &error_) || !env_.files->makeFolder(staging_, &error_))
        return failed(error_);
    if (!loadManifest() || !unlock())
        return failed(error_);

    for (int number = 1; number <= BackupSet::kFixedCount; ++number) {
        const BackupSet::Member member = BackupSet::fixedFile(number);
        if (!restoreFile(member.backupName, member.sourceName))
            return failed(error_);
        feedback.setProgress(number);
    }
    if (!restoreFile(BackupSet::database().backupName, BackupSet::database().sourceName))
        return failed(error_);
    for (int k = 0; k <= BackupSet::kLastIndex; ++k) {
        // The medium's part ends after the last file whose turn it holds,
        // whether or not that file was there.
        while (k > info_.lastIndex) {
            if (std::optional<ProcedureResult> stopped = nextMedium())
                return *stopped;
        }
        feedback.setProgress(BackupSet::progressOfIndex(k));
        const BackupSet::Member member = BackupSet::numberedFile(k);
        if (!restoreFile(member.backupName, member.sourceName))
            return failed(error_);
    }
    // Evidence files that did not fit on the disk of the last numbered
    // file go on further disks.
    while (continuesOnNextDisk()) {
        if (std::optional<ProcedureResult> stopped = nextMedium())
            return *stopped;
    }
    if (!finishMedium())
        return failed(error_);

    // The name shown in the question, unless something took it meanwhile.
    const QString safety = env_.files->exists(pathIn(env_.workbookDir, safetyName_))
                             ? RestoreSwap::freeSafetyFolderName(env_.workbookDir, env_.now(), *env_.files)
                             : safetyName_;
    if (!RestoreSwap::swap(env_.workbookDir, safety, *env_.files, &error_))
        return failed(QStringLiteral("Unable to put the restored files in place: ") + error_);

    feedback.hideProgress();
    feedback.setBusy(false);
    feedback.showStatus(QStringLiteral("Restoration Completed"));
    if (attended()) {
        ask(Prompt::Icon::Information, QStringLiteral("Restore Complete"),
            QStringLiteral("The backup has been restored.\nThe files it replaced are kept in the folder \"%1\" "
                           "inside the workbook:\n%2")
                .arg(safety, QDir::toNativeSeparators(pathIn(env_.workbookDir, safety))),
            Prompt::Buttons::Ok);
    }
    ProcedureResult result;
    result.outcome = ProcedureResult::Outcome::Completed;
    result.workbookChanged = true;
    result.safetyFolder = safety;
    result.disksWritten = expectedDisk_;
    return result;
}

bool RestoreProcedure::confirm()
{
    // The backup files on the first disk (checked against its manifest
    // once the restore begins).
    int count = 0;
    for (const QString &name : std::as_const(mediumNames_))
        count += name.endsWith(QStringLiteral(".hb1"), Qt::CaseInsensitive) ? 1 : 0;
    // A backup set is dated by its name, a backup disk by its DiskInfo.bk1.
    const QDateTime made = BackupGenerations::dateOfSetName(QDir(env_.targetDir).dirName())
                               .value_or(env_.files->lastModified(
                                   pathIn(env_.targetDir, findIgnoringCase(mediumNames_, DiskInfo::kFileName))));
    const QString when = made.isValid() ? made.toString(QStringLiteral("yyyy-MM-dd HH:mm")) : QStringLiteral("an unknown date");
    const bool continues = info_.lastIndex < BackupSet::kLastIndex || continuesOnNextDisk();
    const QString what = QStringLiteral("%1 %2%3").arg(count).arg(count == 1 ? QStringLiteral("file") : QStringLiteral("files"),
                                                       continues ? QStringLiteral(" on Backup Disk #1, continued on further disks")
                                                                 : QString());
    const QString text =
        QStringLiteral("Restore the backup made %1 (%2) from\n%3?\n\n"
                       "The User Created Files now in the program are not erased: every one the restore replaces "
                       "or removes is kept in the folder \"%4\" inside the workbook.\n\nProceed?")
            .arg(when, what, QDir::toNativeSeparators(env_.targetDir), safetyName_);
    return ask(Prompt::Icon::Question, QStringLiteral("Restore Files"), text, Prompt::Buttons::YesNoCancel,
               Prompt::Answer::No)
        == Prompt::Answer::Yes;
}

bool RestoreProcedure::restoreFile(const QString &backupName, const QString &sourceName)
{
    const Manifest::Entry *entry = manifest_ ? manifest_->find(backupName) : nullptr;
    // With a manifest, a file it does not list is no part of this backup.
    if (manifest_ && !entry)
        return true;
    const QString actual = findIgnoringCase(mediumNames_, backupName);
    if (actual.isEmpty()) {
        if (!entry)
            return true;
        error_ = QStringLiteral("The backup on Backup Disk # %1 is damaged (%2 is missing).").arg(expectedDisk_).arg(backupName);
        return false;
    }
    QByteArray bytes;
    QString reason;
    // Never more than the manifest says the file holds.
    if (!env_.files->readFile(pathIn(env_.targetDir, actual), &bytes, &reason,
                              entry ? entry->size : FileOperations::kLargestFile)) {
        error_ = QStringLiteral("Unable to read %1 on Backup Disk # %2: %3").arg(actual).arg(expectedDisk_).arg(reason);
        return false;
    }
    if (entry && !Manifest::matches(*entry, bytes)) {
        error_ = QStringLiteral("The backup on Backup Disk # %1 is damaged (%2 is not the file that was backed up).")
                     .arg(expectedDisk_)
                     .arg(actual);
        return false;
    }
    if (key_) {
        std::optional<QByteArray> plain = SetEncryption::open(*key_, bytes);
        if (!plain) {
            error_ = QStringLiteral("%1 fails authentication: it is not the file this encrypted backup sealed.").arg(actual);
            return false;
        }
        bytes = std::move(*plain);
    }
    if (!env_.files->writeFile(pathIn(staging_, sourceName), bytes, &reason)) {
        error_ = QStringLiteral("Unable to copy %1 into the program's folder: %2").arg(sourceName, reason);
        return false;
    }
    restoredFromMedium_.insert(backupName.toLower());
    return true;
}

bool RestoreProcedure::unlock()
{
    key_.reset();
    const QString name = findIgnoringCase(mediumNames_, SetEncryption::kHeaderFileName);
    if (name.isEmpty())
        return true;
    // An encrypted backup: only with a manifest, which covers its header.
    const Manifest::Entry *entry = manifest_ ? manifest_->find(SetEncryption::kHeaderFileName) : nullptr;
    QByteArray bytes;
    std::optional<SetEncryption::Header> header;
    if (!entry || !env_.files->readFile(pathIn(env_.targetDir, name), &bytes, &error_, 4096)
        || !Manifest::matches(*entry, bytes) || !(header = SetEncryption::parseHeader(bytes))) {
        error_ = QStringLiteral("The backup on Backup Disk # %1 is damaged (its %2 cannot be used).")
                     .arg(expectedDisk_)
                     .arg(SetEncryption::kHeaderFileName);
        return false;
    }
    restoredFromMedium_.insert(SetEncryption::kHeaderFileName.toLower());
    const std::optional<QByteArray> passphrase = env_.passphrase ? env_.passphrase() : std::nullopt;
    if (!passphrase) {
        error_ = QStringLiteral("This backup is encrypted and no passphrase was given.");
        return false;
    }
    std::optional<SetEncryption::Key> key = SetEncryption::deriveKey(*passphrase, *header);
    if (!key) {
        error_ = QStringLiteral("The passphrase does not open this encrypted backup.");
        return false;
    }
    key_ = std::make_shared<SetEncryption::Key>(std::move(*key));
    return true;
}

std::optional<ProcedureResult> RestoreProcedure::nextMedium()
{
    if (!finishMedium())
        return failed(error_);
    if (!attended()) {
        return failed(QStringLiteral("The backup continues on Backup Disk # %1; a restore from the command "
                                     "line reads a single backup disk.")
                          .arg(expectedDisk_ + 1));
    }
    if (!askForNextDisk())
        return cancelled();
    if (!loadManifest())
        return failed(error_);
    return std::nullopt;
}

bool RestoreProcedure::continuesOnNextDisk() const
{
    return info_.lastIndex >= BackupSet::kLastIndex && info_.record3 && *info_.record3 > info_.diskNumber;
}

bool RestoreProcedure::restoreEvidence()
{
    // Evidence files travel only in backups with a manifest, which names
    // every one of them.
    bool folderMade = false;
    for (const Manifest::Entry &entry : manifest_->entries()) {
        const QString stored = BackupSet::evidenceNameOfBackup(entry.name);
        if (stored.isEmpty())
            continue;
        if (!folderMade && !env_.files->makeFolder(pathIn(staging_, BackupSet::evidenceFolder()), &error_)) {
            error_ = QStringLiteral("Unable to copy the evidence files into the program's folder: ") + error_;
            return false;
        }
        folderMade = true;
        const BackupSet::Member member = BackupSet::evidenceFile(stored);
        if (!restoreFile(entry.name, member.sourceName))
            return false;
    }
    return true;
}

bool RestoreProcedure::finishMedium()
{
    if (!manifest_)
        return true;
    if (!restoreEvidence())
        return false;
    for (const Manifest::Entry &entry : manifest_->entries()) {
        if (entry.name.compare(DiskInfo::kFileName, Qt::CaseInsensitive) == 0)
            continue;
        if (!restoredFromMedium_.contains(entry.name.toLower())) {
            error_ = QStringLiteral("The backup on Backup Disk # %1 is damaged (%2 does not belong where it is).")
                         .arg(expectedDisk_)
                         .arg(entry.name);
            return false;
        }
    }
    return true;
}

bool RestoreProcedure::askForNextDisk()
{
    const int named = info_.record3.value_or(expectedDisk_ + 1);
    ++expectedDisk_;
    QString text = QStringLiteral("Please insert Backup Disk # %1").arg(named);
    for (;;) {
        env_.feedback->setBusy(false);
        // Cancel lets a user without the next disk give up; the workbook is
        // then left as it was.
        const Prompt::Answer answer = ask(Prompt::Icon::Information, kRestoreTitle, text, Prompt::Buttons::OkCancel);
        if (answer != Prompt::Answer::Ok)
            return false;
        env_.feedback->setBusy(true);
        readMedium();
        if (info_.isBackupDisk() && info_.diskNumber == expectedDisk_)
            return true;
        text = QStringLiteral("Please insert Backup Disk # %1").arg(expectedDisk_);
    }
}

ProcedureResult RestoreProcedure::cancelled()
{
    env_.files->removeFolder(staging_, nullptr);
    ProcedureFeedback &feedback = *env_.feedback;
    feedback.setBusy(false);
    feedback.hideProgress();
    ask(Prompt::Icon::Information, kRestoreTitle, QStringLiteral("You have cancelled the restore!\n") + kUnchanged,
        Prompt::Buttons::Ok);
    feedback.showStatus(QStringLiteral("Restore Terminated by User"));
    ProcedureResult result;
    result.outcome = ProcedureResult::Outcome::Cancelled;
    result.reason = QStringLiteral("The restore was cancelled.");
    return result;
}

ProcedureResult RestoreProcedure::failed(const QString &reason)
{
    env_.files->removeFolder(staging_, nullptr);
    ProcedureFeedback &feedback = *env_.feedback;
    feedback.setBusy(false);
    feedback.hideProgress();
    if (attended()) {
        ask(Prompt::Icon::Critical, kRestoreTitle,
            QStringLiteral("The files could not be restored!\n") + reason + QLatin1Char('\n') + kUnchanged,
            Prompt::Buttons::Ok);
    }
    feedback.showStatus(QStringLiteral("Restore Not Completed"));
    ProcedureResult result;
    result.outcome = ProcedureResult::Outcome::Failed;
    result.reason = reason + QLatin1Char(' ') + kUnchanged;
    return result;
}
