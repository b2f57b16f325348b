#include "backup/restoreswap.h"

#include "backup/backupset.h"
#include "backup/fileoperations.h"

#include <QList>
#include <QPair>
#include <QRegularExpression>

namespace RestoreSwap {

namespace {

struct State
{
    QString safetyName;
    int phase = 0; // 1: the old files are leaving; 2: the new ones are arriving
};

QString stagingPath(const QString &workbookDir)
{
    return pathIn(workbookDir, kStagingFolder);
}

bool writeState(const QString &workbookDir, const State &state, FileOperations &files, QString *error)
{
    const QByteArray bytes = "safety=" + state.safetyName.toUtf8() + "\nphase=" + QByteArray::number(state.phase) + '\n';
    return files.writeFile(pathIn(stagingPath(workbookDir), kStateFile), bytes, error);
}

std::optional<State> readState(const QString &workbookDir, FileOperations &files)
{
    QByteArray bytes;
    if (!files.readFile(pathIn(stagingPath(workbookDir), kStateFile), &bytes, nullptr, 4096))
        return std::nullopt;
    State state;
    for (const QByteArray &line : bytes.split('\n')) {
        if (line.startsWith("safety="))
            state.safetyName = QString::fromUtf8(line.mid(7));
        else if (line.startsWith("phase="))
            state.phase = line.mid(6).toInt();
    }
    // Only what a restore writes: a safety folder of its own pattern, inside
    // the workbook.
    static const QRegularExpression safetyPattern(
        QStringLiteral("^Before restore \\d{4}-\\d{2}-\\d{2} \\d{2}-\\d{2}-\\d{2}( \\([2-9]\\d{0,5}\\))?$"));
    if (!safetyPattern.match(state.safetyName).hasMatch() || state.phase < 1 || state.phase > 2)
        return std::nullopt;
    return state;
}

QStringList userFiles(const QString &folder, FileOperations &files)
{
    QStringList names = files.fileNames(folder);
    names.removeIf([](const QString &name) { return !BackupSet::isUserFileName(name); });
    return names;
}

// The files a restore staged: user files by name, and regular files only
// (anything else found there was not put there by a restore).
QStringList stagedFiles(const QString &workbookDir, FileOperations &files)
{
    QStringList names = files.fileNames(stagingPath(workbookDir));
    names.removeIf([&](const QString &name) {
        return !BackupSet::isUserFileName(name) || !files.isRegularFile(pathIn(stagingPath(workbookDir), name));
    });
    return names;
}

// The workbook's files that make way for the staged ones: every user file,
// except those older backups never carried when this one does not either.
QStringList filesToSetAside(const QString &workbookDir, FileOperations &files)
{
    const QStringList staged = stagedFiles(workbookDir, files);
    QStringList names = userFiles(workbookDir, files);
    const bool databaseArrives = !findIgnoringCase(staged, BackupSet::database().sourceName).isEmpty();
    names.removeIf([&staged, databaseArrives](const QString &name) {
        if (BackupSet::isDatabaseCompanion(name))
            return !databaseArrives;
        return BackupSet::isKeptWhenNotRestored(name) && findIgnoringCase(staged, name).isEmpty();
    });
    return names;
}

// Moves files between folders; true when all moved.
bool moveAll(const QStringList &names, const QString &from, const QString &to, FileOperations &files,
             QList<QPair<QString, QString>> *moved, QString *error)
{
    for (const QString &name : names) {
        const QString source = pathIn(from, name);
        const QString destination = pathIn(to, name);
        if (!files.rename(source, destination, error))
            return false;
        if (moved)
            moved->append({destination, source});
    }
    return true;
}

// The evidence folder takes part when the restore brings one: the
// workbook's own (whatever is in its place) goes to the safety folder, then
// the staged one comes in. A backup without evidence files leaves the
// workbook's folder where it is. Each step is a single rename, so a swap cut
// short is finished by looking at where the folders are.
bool evidenceArrives(const QString &workbookDir, FileOperations &files)
{
    return files.folderNames(stagingPath(workbookDir)).contains(BackupSet::evidenceFolder());
}

bool moveEvidenceAside(const QString &workbookDir, const QString &safety, FileOperations &files,
                       QList<QPair<QString, QString>> *moved, QString *error)
{
    const QString current = pathIn(workbookDir, BackupSet::evidenceFolder());
    if (!evidenceArrives(workbookDir, files) || !files.exists(current))
        return true;
    return moveAll({BackupSet::evidenceFolder()}, workbookDir, safety, files, moved, error);
}

bool moveEvidenceIn(const QString &workbookDir, FileOperations &files, QList<QPair<QString, QString>> *moved,
                    QString *error)
{
    if (!evidenceArrives(workbookDir, files))
        return true;
    return moveAll({BackupSet::evidenceFolder()}, stagingPath(workbookDir), workbookDir, files, moved, error);
}

void moveBack(const QList<QPair<QString, QString>> &moved, FileOperations &files)
{
    for (auto it = moved.crbegin(); it != moved.crend(); ++it)
        files.rename(it->first, it->second, nullptr);
}

} // namespace

QString safetyFolderName(const QDateTime &when)
{
    return QStringLiteral("Before restore ") + when.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
}

QString freeSafetyFolderName(const QString &workbookDir, const QDateTime &when, FileOperations &files)
{
    const QString base = safetyFolderName(when);
    QString name = base;
    for (int n = 2; files.exists(pathIn(workbookDir, name)); ++n)
        name = base + QStringLiteral(" (%1)").arg(n);
    return name;
}

bool swap(const QString &workbookDir, const QString &safetyName, FileOperations &files, QString *error)
{
    const QString safety = pathIn(workbookDir, safetyName);
    const QString staging = stagingPath(workbookDir);
    if (!files.makeFolder(safety, error))
        return false;
    State state{safetyName, 1};
    if (!writeState(workbookDir, state, files, error)) {
        files.removeFolder(safety, nullptr);
        return false;
    }
    QList<QPair<QString, QString>> moved;
    const auto undo = [&] {
        moveBack(moved, files);
        files.removeFile(pathIn(staging, kStateFile), nullptr);
        files.removeFolder(safety, nullptr);
    };
    if (!moveAll(filesToSetAside(workbookDir, files), workbookDir, safety, files, &moved, error)
        || !moveEvidenceAside(workbookDir, safety, files, &moved, error)) {
        undo();
        return false;
    }
    state.phase = 2;
    if (!writeState(workbookDir, state, files, error)
        || !moveAll(stagedFiles(workbookDir, files), staging, workbookDir, files, &moved, error)
        || !moveEvidenceIn(workbookDir, files, &moved, error)) {
        undo();
        return false;
    }
    // The workbook is whole from here: what is left is tidying.
    files.removeFile(pathIn(staging, kStateFile), nullptr);
    files.removeFolder(staging, nullptr);
    return true;
}

bool completeInterrupted(const QString &workbookDir, FileOperations &files)
{
    const QString staging = stagingPath(workbookDir);
    if (!files.exists(staging))
        return false;
    if (!files.folderNames(workbookDir).contains(kStagingFolder)) {
        // A link (or a file) in its place: never followed, only removed.
        files.removeFolder(staging, nullptr);
        return false;
    }
    const std::optional<State> state = readState(workbookDir, files);
    if (!state) {
        // Files copied from a medium but never checked: not to be used.
        files.removeFolder(staging, nullptr);
        return false;
    }
    const QString safety = pathIn(workbookDir, state->safetyName);
    if (!files.makeFolder(safety, nullptr))
        return false;
    if (state->phase == 1) {
        if (!moveAll(filesToSetAside(workbookDir, files), workbookDir, safety, files, nullptr, nullptr)
            || !moveEvidenceAside(workbookDir, safety, files, nullptr, nullptr)
            || !writeState(workbookDir, State{state->safetyName, 2}, files, nullptr))
            return false;
    }
    if (!moveAll(stagedFiles(workbookDir, files), staging, workbookDir, files, nullptr, nullptr)
        || !moveEvidenceIn(workbookDir, files, nullptr, nullptr))
        return false;
    files.removeFile(pathIn(staging, kStateFile), nullptr);
    files.removeFolder(staging, nullptr);
    return true;
}

} // namespace RestoreSwap
