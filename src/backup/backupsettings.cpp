#include "backup/backupsettings.h"

#include "platform/database/workbookdatabase.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace BackupSettings {

namespace {

int positiveSetting(const WorkbookDatabase &database, const QString &key, int fallback)
{
    bool ok = false;
    const int value = database.setting(key).toInt(&ok);
    return ok && value >= 1 ? value : fallback;
}

bool hasDatabase(const QString &workbookDir)
{
    return QFileInfo::exists(QDir(workbookDir).filePath(QString::fromLatin1(WorkbookDatabase::kFileName)));
}

} // namespace

int keepSets(const WorkbookDatabase &database)
{
    return positiveSetting(database, kKeepSetsKey, 10);
}

bool setKeepSets(WorkbookDatabase &database, int sets, QString *error)
{
    return database.setSetting(kKeepSetsKey, QString::number(std::max(sets, 1)), error);
}

int staleDays(const WorkbookDatabase &database)
{
    return positiveSetting(database, kStaleDaysKey, kDefaultStaleDays);
}

bool setStaleDays(WorkbookDatabase &database, int days, QString *error)
{
    return database.setSetting(kStaleDaysKey, QString::number(std::max(days, 1)), error);
}

std::optional<QDateTime> lastBackup(const WorkbookDatabase &database)
{
    const QDateTime when = QDateTime::fromString(database.setting(kLastBackupKey), Qt::ISODate);
    if (!when.isValid())
        return std::nullopt;
    return when;
}

bool recordBackup(WorkbookDatabase &database, const QDateTime &when, QString *error)
{
    return database.setSetting(kLastBackupKey, when.toString(Qt::ISODate), error);
}

bool isOverdue(const std::optional<QDateTime> &last, const QDateTime &now, int staleDays)
{
    return !last || last->daysTo(now) > staleDays;
}

QString lastBackupText(const std::optional<QDateTime> &last, const QDateTime &now, int staleDays)
{
    if (!last)
        return QStringLiteral("No backup of this workbook has been made yet");
    const QString when = last->toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    const qint64 days = last->daysTo(now);
    if (days > staleDays)
        return QStringLiteral("Last backup: %1, %2 days ago (more than %3 days): make a backup").arg(when).arg(days).arg(staleDays);
    return QStringLiteral("Last backup: %1").arg(when);
}

QString lastBackupTextFor(const QString &workbookDir, const QDateTime &now, bool *overdue)
{
    std::optional<QDateTime> last;
    int days = kDefaultStaleDays;
    if (hasDatabase(workbookDir)) {
        WorkbookDatabase database{Workbook(workbookDir)};
        database.open();
        if (database.isOpen()) {
            last = lastBackup(database);
            days = staleDays(database);
        }
    }
    if (overdue)
        *overdue = isOverdue(last, now, days);
    return lastBackupText(last, now, days);
}

bool recordBackupIn(const QString &workbookDir, const QDateTime &when, QString *error)
{
    WorkbookDatabase database{Workbook(workbookDir)};
    const WorkbookDatabase::OpenReport report = database.open();
    if (!database.isOpen() || database.isReadOnly()) {
        if (error)
            *error = report.message;
        return false;
    }
    return recordBackup(database, when, error);
}

int keepSetsIn(const QString &workbookDir)
{
    if (!hasDatabase(workbookDir))
        return 10;
    WorkbookDatabase database{Workbook(workbookDir)};
    database.open();
    return database.isOpen() ? keepSets(database) : 10;
}

} // namespace BackupSettings
