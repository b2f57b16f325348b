#include "backup/backupprocedure.h"

#include "backup/backupset.h"
#include "backup/diskinfo.h"
#include "backup/fileoperations.h"
#include "backup/restoreswap.h"
#include "backup/setencryption.h"

#include "platform/database/workbookdatabase.h"
#include "platform/records/safefile.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

const QString kUserFiles = QStringLiteral("User Created Files");
const QString kDeletingStatus = QStringLiteral("Deleting Old Files");
const QString kTestFile = QStringLiteral("Test1.hb1");

QString makingDiskStatus(int disk)
{
    return disk == 1 ? QStringLiteral("Making User Created Files Backup Disk #1")
                     : QStringLiteral("Making User Created Files Backup Disk # %1").arg(disk);
}

bool isBackupFileName(const QString &name)
{
    return name.endsWith(QStringLiteral(".hb1"), Qt::CaseInsensitive);
}

} // namespace

BackupProcedure::BackupProcedure(ProcedureEnvironment environment)
    : env_(std::move(environment))
{
    static ProcedureFeedback silent;
    if (!env_.feedback)
        env_.feedback = &silent;
}

Prompt::Answer BackupProcedure::ask(Prompt::Icon icon, const QString &title, const QString &text,
                                    Prompt::Buttons buttons, std::optional<Prompt::Answer> defaultAnswer)
{
    return env_.prompt->ask(env_.parent, icon, title, text, buttons, defaultAnswer);
}

QString BackupProcedure::target(const QString &name) const
{
    return pathIn(env_.targetDir, name);
}

ProcedureResult BackupProcedure::run()
{
    ProcedureFeedback &feedback = *env_.feedback;
    if (isSameFolder(env_.workbookDir, env_.targetDir)) {
        ProcedureResult result;
        result.reason = QStringLiteral("The backup folder is the workbook folder itself; choose another one.");
        return result;
    }
    // A restore cut short (the program killed while it replaced the files)
    // is finished first, so the backup copies a whole workbook.
    RestoreSwap::completeInterrupted(env_.workbookDir, *env_.files);

    if (attended() && !env_.confirmed) {
        const QString question = QStringLiteral("This utility will first Delete all existing ") + kUserFiles
                               + QStringLiteral("\nlocated in Path: ") + QDir::toNativeSeparators(env_.targetDir)
                               + QStringLiteral("\n\nProceed?");
        if (ask(Prompt::Icon::Question, QStringLiteral("Delete Files"), question, Prompt::Buttons::YesNoCancel,
                Prompt::Answer::No)
            != Prompt::Answer::Yes) {
            feedback.hideProgress();
            return {};
        }
    }
    feedback.showStatus(kDeletingStatus);
    feedback.hideNote();
    feedback.pause();
    feedback.setBusy(true);
    workbookNames_ = env_.files->fileNames(env_.workbookDir);
    listEvidence();
    removeLeftovers();

    QString error;
    if (!testTarget(&error)) {
        feedback.setBusy(false);
        if (!attended())
            return failed(QStringLiteral("Unable to write to %1: %2").arg(QDir::toNativeSeparators(env_.targetDir), error));
        const Prompt::Answer answer =
            ask(Prompt::Icon::Information, QStringLiteral("Disk Error"),
                QStringLiteral("Unable to access Disk or Disk is Full!\nMake sure Disk is in Drive and Not Write Protected!"),
                Prompt::Buttons::OkCancel);
        if (answer == Prompt::Answer::Cancel)
            return cancelled(false);
        feedback.resetDrive();
        feedback.hideStatus();
        feedback.hideProgress();
        ProcedureResult result;
        result.outcome = ProcedureResult::Outcome::Failed;
        result.reason = error;
        return result;
    }

    if (const Phase phase = writeFirstDisk(part_); phase != Phase::Written)
        return phase == Phase::Failed ? failed(lastWriteError_) : cancelled(true);

    int k = 0;
    for (;;) {
        Commit outcome = Commit::Done;
        if (k >= turnCount()) {
            outcome = commit(part_, &k, true);
            // Done with every turn on it: the last disk. (Its marks may
            // have left room for fewer files, which then go on.)
            if (outcome == Commit::Done && k >= turnCount())
                break;
        } else {
            feedback.setProgress(BackupSet::progressOfIndex(std::min(k, BackupSet::kLastIndex)));
            const BackupSet::Member member = memberOfTurn(k);
            QByteArray bytes;
            const Read read = readTurn(k, &bytes);
            if (read == Read::Failed)
                return failed(lastWriteError_);
            if (read == Read::Missing) {
                ++k;
                continue;
            }
            if (writeTemporary(part_, member.backupName, bytes, &error)) {
                part_.numbered.append(k);
                ++k;
                continue;
            }
            if (!multiDisk()) {
                return failed(QStringLiteral("There is not enough room on %1 for the backup (%2).")
                                  .arg(QDir::toNativeSeparators(env_.targetDir), error));
            }
            outcome = commit(part_, &k, false);
        }
        if (outcome == Commit::Broken)
            return failed(lastWriteError_);
        if (!multiDisk()) {
            return failed(QStringLiteral("There is not enough room on %1 for the backup.")
                              .arg(QDir::toNativeSeparators(env_.targetDir)));
        }

        // The medium is full: the next one, or the same number again when
        // this one could take nothing.
        const int nextDisk = outcome == Commit::Done ? part_.diskNumber + 1 : part_.diskNumber;
        if (outcome != Commit::Done)
            discard(part_);
        feedback.hideProgress();
        if (!askForDisk(nextDisk))
            return cancelled(true);
        feedback.showStatus(kDeletingStatus);
        removeLeftovers();
        part_ = Part{nextDisk, k, {}, {}, {}};
        if (nextDisk == 1) {
            if (const Phase phase = writeFirstDisk(part_); phase != Phase::Written)
                return phase == Phase::Failed ? failed(lastWriteError_) : cancelled(true);
        } else {
            feedback.showStatus(makingDiskStatus(nextDisk));
            feedback.showProgress(BackupSet::kProgressMaximum);
        }
    }
    feedback.hideProgress();
    feedback.setBusy(false);
    feedback.showStatus(QStringLiteral("Backup Complete"));
    ProcedureResult result;
    result.outcome = ProcedureResult::Outcome::Completed;
    result.disksWritten = committedDisks_;
    return result;
}

bool BackupProcedure::askForDisk(int diskNumber)
{
    for (;;) {
        env_.feedback->setBusy(false);
        const Prompt::Answer answer =
            ask(Prompt::Icon::Information, QStringLiteral("Backup Disk"),
                QStringLiteral("Disk is Full.\nPlease Insert Backup Disk # %1\nCAUTION: Wait till Disk Drive light goes out "
                               "and Be sure New Disk is inserted before Clicking OK")
                    .arg(diskNumber),
                Prompt::Buttons::OkCancel);
        if (answer != Prompt::Answer::Ok)
            return false;
        env_.feedback->setBusy(true);
        // The disk just completed, still in the drive, is never written over.
        QByteArray bytes;
        const QString infoName = findIgnoringCase(env_.files->fileNames(env_.targetDir), DiskInfo::kFileName);
        if (committedDisks_ > 0 && !infoName.isEmpty() && env_.files->readFile(target(infoName), &bytes, nullptr, 4096)
            && DiskInfo::fromBytes(bytes).diskNumber == lastDiskFilled_)
            continue;
        if (committedDisks_ > 0 && diskNumber > lastDiskFilled_)
            lastDiskFilled_ = diskNumber;
        return true;
    }
}

BackupProcedure::Read BackupProcedure::readSource(const QString &sourceName, QByteArray *bytes)
{
    const QString actual = findIgnoringCase(workbookNames_, sourceName);
    if (actual.isEmpty())
        return Read::Missing;
    QString error;
    if (env_.files->readFile(pathIn(env_.workbookDir, actual), bytes, &error))
        return Read::Ok;
    lastWriteError_ = QStringLiteral("Unable to read %1 in the workbook: %2").arg(actual, error);
    return Read::Failed;
}

void BackupProcedure::listEvidence()
{
    // Only a real folder (never a link to one elsewhere) and only the files
    // the program named there.
    evidenceNames_.clear();
    const QString folder = BackupSet::evidenceFolder();
    if (!env_.files->folderNames(env_.workbookDir).contains(folder))
        return;
    const QString path = pathIn(env_.workbookDir, folder);
    for (const QString &name : env_.files->fileNames(path)) {
        if (BackupSet::isEvidenceFileName(name) && env_.files->isRegularFile(pathIn(path, name)))
            evidenceNames_.append(name);
    }
}

BackupSet::Member BackupProcedure::memberOfTurn(int k) const
{
    if (k <= BackupSet::kLastIndex)
        return BackupSet::numberedFile(k);
    return BackupSet::evidenceFile(evidenceNames_.at(k - BackupSet::kLastIndex - 1));
}

BackupProcedure::Read BackupProcedure::readTurn(int k, QByteArray *bytes)
{
    const BackupSet::Member member = memberOfTurn(k);
    if (k <= BackupSet::kLastIndex)
        return readSource(member.sourceName, bytes);
    // An evidence file removed since the folder was listed is no longer
    // part of the workbook.
    const QString path = pathIn(env_.workbookDir, member.sourceName);
    if (!env_.files->exists(path))
        return Read::Missing;
    QString error;
    if (env_.files->readFile(path, bytes, &error))
        return Read::Ok;
    lastWriteError_ = QStringLiteral("Unable to read %1 in the workbook: %2").arg(member.sourceName, error);
    return Read::Failed;
}

BackupProcedure::Read BackupProcedure::readDatabase(QByteArray *bytes)
{
    const QString actual = findIgnoringCase(workbookNames_, BackupSet::database().sourceName);
    if (actual.isEmpty())
        return Read::Missing;
    if (databaseSnapshot_) {
        *bytes = *databaseSnapshot_;
        return Read::Ok;
    }
    // A consistent copy of what is committed, never the live file (which a
    // transaction may be changing, with its journal beside it).
    QTemporaryDir scratch;
    const QString path = scratch.filePath(BackupSet::database().sourceName);
    QString error;
    bool copied = false;
    if (!scratch.isValid()) {
        error = scratch.errorString();
    } else if (env_.snapshotDatabase) {
        copied = env_.snapshotDatabase(path, &error);
    } else {
        WorkbookDatabase database{Workbook(env_.workbookDir)};
        const WorkbookDatabase::OpenReport report = database.open();
        if (report.outcome == WorkbookDatabase::OpenOutcome::Failed
            || report.outcome == WorkbookDatabase::OpenOutcome::ReplacedDamaged)
            error = report.message;
        else
            copied = database.snapshotTo(path, &error);
    }
    if (!copied || !readWholeFile(path, bytes, &error)) {
        lastWriteError_ = QStringLiteral("Unable to copy the workbook's database %1: %2").arg(actual, error);
        return Read::Failed;
    }
    databaseSnapshot_ = *bytes;
    return Read::Ok;
}

bool BackupProcedure::writeTemporary(Part &part, const QString &name, const QByteArray &plain, QString *error,
                                     bool sealed)
{
    const QString path = target(name + kTemporarySuffix);
    // In an encrypted backup every file of the workbook is sealed; the
    // manifest covers the sealed bytes.
    const QByteArray bytes = sealed && env_.encryption ? SetEncryption::seal(env_.encryption->key, plain) : plain;
    if (!env_.files->writeFile(path, bytes, error)) {
        env_.files->removeFile(path, nullptr);
        return false;
    }
    part.written.append(name);
    part.manifest.add(name, bytes);
    return true;
}

void BackupProcedure::discard(Part &part)
{
    for (const QString &name : std::as_const(part.written))
        env_.files->removeFile(target(name + kTemporarySuffix), nullptr);
    env_.files->removeFile(target(DiskInfo::kFileName + kTemporarySuffix), nullptr);
    env_.files->removeFile(target(Manifest::kFileName + kTemporarySuffix), nullptr);
    part.written.clear();
    part.numbered.clear();
    part.manifest = Manifest();
}

namespace {

bool isMediumFile(const QString &name)
{
    return isBackupFileName(name) || name.endsWith(QStringLiteral(".bk1"), Qt::CaseInsensitive);
}

} // namespace

void BackupProcedure::settleInterruptedSwap(const QString &folder, FileOperations &files)
{
    // Files set aside under ".old" names are the previous backup: they go
    // back into place unless the new DiskInfo.bk1 shows the swap was
    // complete, so a medium whose backup was cut short restores as the
    // backup it held before.
    const QStringList names = files.fileNames(folder);
    const bool swapComplete = !findIgnoringCase(names, DiskInfo::kFileName).isEmpty();
    for (const QString &name : names) {
        const QString stem = name.chopped(kOldSuffix.size());
        if (!name.endsWith(kOldSuffix) || !isMediumFile(stem))
            continue;
        if (swapComplete)
            files.removeFile(pathIn(folder, name), nullptr);
        else
            files.rename(pathIn(folder, name), pathIn(folder, stem), nullptr);
    }
}

void BackupProcedure::removeLeftovers()
{
    // What a backup cut short left behind: the previous backup back in
    // place, temporary files gone.
    settleInterruptedSwap(env_.targetDir, *env_.files);
    const QStringList names = env_.files->fileNames(env_.targetDir);
    for (const QString &name : std::as_const(names)) {
        if (name.endsWith(kTemporarySuffix) && isMediumFile(name.chopped(kTemporarySuffix.size())))
            env_.files->removeFile(target(name), nullptr);
    }
}

bool BackupProcedure::testTarget(QString *error)
{
    // A copy of HINV3.Fil shows the medium takes a file; a workbook without
    // one (never opened on screen) tests with an empty file.
    QByteArray bytes;
    const QString settings = findIgnoringCase(workbookNames_, BackupSet::fixedFile(4).sourceName);
    if (!settings.isEmpty())
        env_.files->readFile(pathIn(env_.workbookDir, settings), &bytes, nullptr);
    const QString path = target(kTestFile);
    if (!env_.files->writeFile(path, bytes, error)) {
        env_.files->removeFile(path, nullptr);
        return false;
    }
    return env_.files->removeFile(path, error);
}

BackupProcedure::Phase BackupProcedure::writeFirstDisk(Part &part)
{
    ProcedureFeedback &feedback = *env_.feedback;
    for (;;) {
        feedback.showStatus(makingDiskStatus(1));
        feedback.showProgress(BackupSet::kProgressMaximum);
        part = Part{1, part.firstIndex, {}, {}, {}};
        QString error;
        bool fitted = true;
        for (int number = 1; number <= BackupSet::kFixedCount && fitted; ++number) {
            const BackupSet::Member member = BackupSet::fixedFile(number);
            QByteArray bytes;
            const Read read = readSource(member.sourceName, &bytes);
            if (read == Read::Failed)
                return Phase::Failed;
            if (read == Read::Missing)
                continue;
            fitted = writeTemporary(part, member.backupName, bytes, &error);
            if (fitted)
                feedback.setProgress(number);
        }
        if (fitted && env_.encryption) {
            fitted = writeTemporary(part, SetEncryption::kHeaderFileName,
                                    SetEncryption::headerBytes(env_.encryption->header), &error, false);
        }
        if (fitted) {
            QByteArray bytes;
            const Read read = readDatabase(&bytes);
            if (read == Read::Failed)
                return Phase::Failed;
            if (read == Read::Ok)
                fitted = writeTemporary(part, BackupSet::database().backupName, bytes, &error);
        }
        if (fitted)
            return Phase::Written;
        discard(part);
        if (!multiDisk()) {
            lastWriteError_ = QStringLiteral("There is not enough room on %1 for the backup (%2).")
                                  .arg(QDir::toNativeSeparators(env_.targetDir), error);
            return Phase::Failed;
        }
        feedback.setBusy(false);
        const Prompt::Answer answer =
            ask(Prompt::Icon::Information, QStringLiteral("Backup Disk"),
                QStringLiteral("Disk is either Full, or there is not enough room\nremaining for the requested backup files!\n"
                               "Please Insert a New Blank Formatted\nBackup Disk and then Click on OK.\n"
                               "CAUTION: Wait till Disk Drive light goes out and\nBe sure New Disk is inserted before Clicking OK"),
                Prompt::Buttons::OkCancel);
        if (answer != Prompt::Answer::Ok) {
            feedback.showStatus(QString());
            return Phase::Cancelled;
        }
        feedback.setBusy(true);
        removeLeftovers();
    }
}

BackupProcedure::Commit BackupProcedure::commit(Part &part, int *k, bool lastDisk)
{
    for (;;) {
        // A medium on which no numbered file's turn was completed is of no
        // use to a restore: nothing is committed there.
        if (!lastDisk && *k <= part.firstIndex)
            return Commit::NoRoom;
        DiskInfo info;
        info.diskNumber = part.diskNumber;
        if (!lastDisk)
            info.record3 = part.diskNumber + 1;
        else if (part.diskNumber > 1)
            info.record3 = part.diskNumber;
        // A disk the evidence files go on from records the last turn it
        // completed, past 162: a restore reads on while the next disk's
        // number says there is one.
        info.lastIndex = lastDisk ? BackupSet::kLastIndex : *k - 1;
        const QByteArray infoBytes = info.toBytes();
        Manifest manifest = part.manifest;
        manifest.add(DiskInfo::kFileName, infoBytes);
        QString error;
        if (env_.files->writeFile(target(DiskInfo::kFileName + kTemporarySuffix), infoBytes, &error)
            && env_.files->writeFile(target(Manifest::kFileName + kTemporarySuffix), manifest.toBytes(), &error)) {
            if (!swapIn(part, &error)) {
                lastWriteError_ = QStringLiteral("Unable to complete Backup Disk # %1: %2").arg(part.diskNumber).arg(error);
                return Commit::Broken;
            }
            ++committedDisks_;
            return Commit::Done;
        }
        env_.files->removeFile(target(DiskInfo::kFileName + kTemporarySuffix), nullptr);
        env_.files->removeFile(target(Manifest::kFileName + kTemporarySuffix), nullptr);
        // No room left for the marks: the last file waits for the next
        // disk, where there is one.
        if (!multiDisk() || part.numbered.isEmpty())
            return Commit::NoRoom;
        const int index = part.numbered.takeLast();
        const QString name = memberOfTurn(index).backupName;
        env_.files->removeFile(target(name + kTemporarySuffix), nullptr);
        part.written.removeAll(name);
        part.manifest.remove(name);
        *k = index;
        lastDisk = false;
    }
}

bool BackupProcedure::swapIn(const Part &part, QString *error)
{
    FileOperations &files = *env_.files;
    // The previous backup steps aside under ".old" names, its DiskInfo.bk1
    // first: until the new one is in place the medium is no backup disk at
    // all, never a mixture of two backups. Any failure puts back what moved.
    QStringList old;
    for (const QString &name : files.fileNames(env_.targetDir)) {
        if (name.compare(DiskInfo::kFileName, Qt::CaseInsensitive) == 0)
            old.prepend(name);
        else if (isBackupFileName(name) || name.compare(Manifest::kFileName, Qt::CaseInsensitive) == 0)
            old.append(name);
    }
    QList<QPair<QString, QString>> moved; // from, to
    const auto move = [&](const QString &from, const QString &to) {
        if (!files.rename(target(from), target(to), error))
            return false;
        moved.append({from, to});
        return true;
    };
    bool ok = true;
    for (const QString &name : std::as_const(old)) {
        if (!(ok = move(name, name + kOldSuffix)))
            break;
    }
    QStringList fresh = part.written;
    fresh << Manifest::kFileName << DiskInfo::kFileName;
    for (qsizetype i = 0; ok && i < fresh.size(); ++i)
        ok = move(fresh.at(i) + kTemporarySuffix, fresh.at(i));
    if (!ok) {
        for (auto it = moved.crbegin(); it != moved.crend(); ++it)
            files.rename(target(it->second), target(it->first), nullptr);
        return false;
    }
    for (const QString &name : std::as_const(old))
        files.removeFile(target(name + kOldSuffix), nullptr);
    return true;
}

QString BackupProcedure::stateOfMedia() const
{
    if (committedDisks_ == 0)
        return QStringLiteral("The backup files that were on this disk have been left as they were!");
    if (committedDisks_ == 1)
        return QStringLiteral("Backup Disk #1 holds only the first part of this backup; the backup files on any other "
                              "disk have been left as they were!");
    return QStringLiteral("Backup Disks #1 to # %1 hold only the first part of this backup; the backup files on any "
                          "other disk have been left as they were!")
        .arg(committedDisks_);
}

ProcedureResult BackupProcedure::cancelled(bool withMessage)
{
    discard(part_);
    ProcedureFeedback &feedback = *env_.feedback;
    feedback.setBusy(false);
    feedback.hideProgress();
    if (withMessage) {
        ask(Prompt::Icon::Information, QStringLiteral("Backup Proceedure Cancelation"),
            QStringLiteral("You have cancelled the backup proceedure!\n") + stateOfMedia()
                + QStringLiteral("\nMay we suggest you initiate Backup for these files again!"),
            Prompt::Buttons::Ok);
    }
    feedback.showStatus(QStringLiteral("Backup Terminated by User"));
    ProcedureResult result;
    result.outcome = ProcedureResult::Outcome::Cancelled;
    result.reason = QStringLiteral("The backup was cancelled.");
    result.disksWritten = committedDisks_;
    return result;
}

ProcedureResult BackupProcedure::failed(const QString &reason)
{
    discard(part_);
    ProcedureFeedback &feedback = *env_.feedback;
    feedback.setBusy(false);
    feedback.hideProgress();
    ProcedureResult result;
    result.outcome = ProcedureResult::Outcome::Failed;
    result.disksWritten = committedDisks_;
    result.reason = reason + QLatin1Char(' ') + stateOfMedia();
    if (attended()) {
        ask(Prompt::Icon::Critical, QStringLiteral("Backup Error"),
            QStringLiteral("The backup could not be completed!\n") + reason + QLatin1Char('\n') + stateOfMedia(),
            Prompt::Buttons::Ok);
    }
    feedback.showStatus(QStringLiteral("Backup Not Completed"));
    return result;
}
