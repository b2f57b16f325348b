#include "backup/generations.h"

#include "backup/backupprocedure.h"
#include "backup/diskinfo.h"
#include "backup/fileoperations.h"
#include "backup/manifest.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>

namespace BackupGenerations {

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd HHmmss");

bool isIncompleteName(const QString &name)
{
    return name.startsWith(QLatin1Char('.') + kSetPrefix) && name.endsWith(kIncompleteSuffix);
}

} // namespace

QString setName(const QDateTime &when)
{
    return kSetPrefix + when.toString(kDateFormat);
}

std::optional<QDateTime> dateOfSetName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^Sentrivo backup (\\d{4}-\\d{2}-\\d{2} \\d{6})$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    const QDateTime when = QDateTime::fromString(match.captured(1), kDateFormat);
    if (!when.isValid())
        return std::nullopt;
    return when;
}

SetInfo inspectSet(const QString &path, FileOperations &files)
{
    SetInfo info;
    info.path = path;
    info.name = QDir(path).dirName();
    info.made = dateOfSetName(info.name).value_or(QDateTime());
    const QStringList names = files.fileNames(path);
    const QString manifestName = findIgnoringCase(names, Manifest::kFileName);
    const QString infoName = findIgnoringCase(names, DiskInfo::kFileName);
    QByteArray bytes;
    std::optional<Manifest> manifest;
    if (manifestName.isEmpty() || infoName.isEmpty()) {
        info.problem = QStringLiteral("it has no %1").arg(infoName.isEmpty() ? DiskInfo::kFileName : Manifest::kFileName);
    } else if (!files.readFile(pathIn(path, manifestName), &bytes, &info.problem, 1 << 20)) {
    } else if (!(manifest = Manifest::fromBytes(bytes))) {
        info.problem = QStringLiteral("its %1 is damaged").arg(Manifest::kFileName);
    }
    if (!info.problem.isEmpty())
        return info;
    info.size = bytes.size();
    for (const Manifest::Entry &entry : manifest->entries()) {
        const QString actual = findIgnoringCase(names, entry.name);
        QByteArray contents;
        QString reason;
        if (actual.isEmpty()) {
            info.problem = QStringLiteral("%1 is missing").arg(entry.name);
            return info;
        }
        if (!files.readFile(pathIn(path, actual), &contents, &reason, entry.size)) {
            info.problem = QStringLiteral("%1 cannot be read: %2").arg(actual, reason);
            return info;
        }
        if (!Manifest::matches(entry, contents)) {
            info.problem = QStringLiteral("%1 is not the file that was backed up").arg(actual);
            return info;
        }
        info.size += contents.size();
        if (entry.name.compare(DiskInfo::kFileName, Qt::CaseInsensitive) != 0)
            ++info.fileCount;
    }
    files.readFile(pathIn(path, infoName), &bytes, nullptr, 4096);
    const DiskInfo disk = DiskInfo::fromBytes(bytes);
    if (!disk.isBackupDisk() || disk.diskNumber != 1 || disk.lastIndex != 162) {
        info.problem = QStringLiteral("it is not a whole backup");
        return info;
    }
    info.verifies = true;
    return info;
}

QList<SetInfo> listSets(const QString &folder, FileOperations &files)
{
    QList<SetInfo> sets;
    for (const QString &name : files.folderNames(folder)) {
        if (dateOfSetName(name))
            sets.append(inspectSet(pathIn(folder, name), files));
    }
    std::sort(sets.begin(), sets.end(), [](const SetInfo &a, const SetInfo &b) { return a.name > b.name; });
    return sets;
}

QStringList prune(const QString &folder, int keep, const QString &newest, FileOperations &files)
{
    QStringList names;
    for (const QString &name : files.folderNames(folder)) {
        if (dateOfSetName(name))
            names.append(name);
    }
    std::sort(names.begin(), names.end(), std::greater<>());
    QStringList removed;
    int kept = 0;
    for (const QString &name : std::as_const(names)) {
        if (name == newest || kept < std::max(keep, 1)) {
            ++kept;
            continue;
        }
        if (files.removeFolder(pathIn(folder, name), nullptr))
            removed.append(name);
    }
    return removed;
}

ProcedureResult backUp(ProcedureEnvironment env, int keep)
{
    if (!env.now)
        env.now = [] { return QDateTime::currentDateTime(); };
    FileOperations &files = *env.files;
    const QString folder = env.targetDir;
    ProcedureResult refused;
    if (isSameFolder(env.workbookDir, folder)) {
        refused.reason = QStringLiteral("The backup folder is the workbook folder itself; choose another one.");
        return refused;
    }
    QDateTime when = env.now();
    QString name = setName(when);
    while (files.exists(pathIn(folder, name))) {
        when = when.addSecs(1);
        name = setName(when);
    }
    if (env.prompt) {
        const QString question =
            QStringLiteral("This utility will make a new backup set \"%1\"\nin Path: %2\n\n"
                           "Earlier backup sets there are not changed; once the new one is complete and verified, "
                           "only the last %3 are kept.\n\nProceed?")
                .arg(name, QDir::toNativeSeparators(folder))
                .arg(std::max(keep, 1));
        if (env.prompt->ask(env.parent, Prompt::Icon::Question, QStringLiteral("Backup Files"), question,
                            Prompt::Buttons::YesNoCancel, Prompt::Answer::Yes)
            != Prompt::Answer::Yes)
            return refused;
    }
    // What a backup cut short left: never a set.
    for (const QString &leftover : files.folderNames(folder)) {
        if (isIncompleteName(leftover))
            files.removeFolder(pathIn(folder, leftover), nullptr);
    }
    const QString incomplete = pathIn(folder, QLatin1Char('.') + name + kIncompleteSuffix);
    ProcedureResult result;
    if (!files.makeFolder(incomplete, &result.reason)) {
        result.outcome = ProcedureResult::Outcome::Failed;
        result.reason = QStringLiteral("Unable to write to %1: %2").arg(QDir::toNativeSeparators(folder), result.reason);
        if (env.prompt)
            env.prompt->ask(env.parent, Prompt::Icon::Critical, QStringLiteral("Backup Error"), result.reason,
                            Prompt::Buttons::Ok);
        return result;
    }
    ProcedureEnvironment inner = env;
    inner.targetDir = incomplete;
    inner.singleMedium = true;
    inner.confirmed = true;
    result = BackupProcedure(inner).run();
    QString reason;
    if (result.completed()) {
        const SetInfo check = inspectSet(incomplete, files);
        if (!check.verifies)
            reason = QStringLiteral("The new backup set does not verify (%1).").arg(check.problem);
        else if (!files.rename(incomplete, pathIn(folder, name), &reason))
            reason = QStringLiteral("The new backup set cannot be given its name: %1").arg(reason);
    }
    if (!result.completed() || !reason.isEmpty()) {
        files.removeFolder(incomplete, nullptr);
        if (result.completed()) {
            result.outcome = ProcedureResult::Outcome::Failed;
            result.reason = reason + QStringLiteral(" Earlier backup sets are as they were.");
            if (env.prompt)
                env.prompt->ask(env.parent, Prompt::Icon::Critical, QStringLiteral("Backup Error"), result.reason,
                                Prompt::Buttons::Ok);
        }
        return result;
    }
    result.setName = name;
    result.setsRemoved = prune(folder, keep, name, files);
    return result;
}

Source restoreSource(const QString &folder, const QString &setName, FileOperations &files)
{
    Source source;
    const QList<SetInfo> sets = listSets(folder, files);
    if (!setName.isEmpty()) {
        for (const SetInfo &set : sets) {
            if (set.name == setName) {
                source.folder = set.path;
                source.setName = set.name;
                return source;
            }
        }
        source.error = QStringLiteral("%1 holds no backup set \"%2\".").arg(QDir::toNativeSeparators(folder), setName);
        return source;
    }
    for (const SetInfo &set : sets) {
        if (set.verifies) {
            source.folder = set.path;
            source.setName = set.name;
            return source;
        }
    }
    if (!sets.isEmpty() && !files.exists(pathIn(folder, DiskInfo::kFileName))) {
        source.error = QStringLiteral("No backup set in %1 verifies (the newest, \"%2\": %3).")
                           .arg(QDir::toNativeSeparators(folder), sets.first().name, sets.first().problem);
        return source;
    }
    source.folder = folder;
    return source;
}

} // namespace BackupGenerations
