#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

class WorkbookDatabase;

// The backup's settings and the date of the last successful backup, kept in
// the workbook's database (workbook_settings), so they travel with the
// workbook and hold for the window and the command line alike.
namespace BackupSettings {

inline const QString kKeepSetsKey = QStringLiteral("backup.keep_sets");
inline const QString kStaleDaysKey = QStringLiteral("backup.stale_days");
inline const QString kLastBackupKey = QStringLiteral("backup.last_completed");
constexpr int kDefaultStaleDays = 30;

// "Keep the last N sets": 10 unless set; at least 1.
int keepSets(const WorkbookDatabase &database);
bool setKeepSets(WorkbookDatabase &database, int sets, QString *error = nullptr);
// Days after which the last backup is called old: 30 unless set.
int staleDays(const WorkbookDatabase &database);
bool setStaleDays(WorkbookDatabase &database, int days, QString *error = nullptr);

std::optional<QDateTime> lastBackup(const WorkbookDatabase &database);
bool recordBackup(WorkbookDatabase &database, const QDateTime &when, QString *error = nullptr);

// What the start screen and the status bar say: "Last backup: 2026-12-10
// 09:30", with a warning once it is more than `staleDays` old, or that no
// backup was ever made.
QString lastBackupText(const std::optional<QDateTime> &last, const QDateTime &now, int staleDays);
// True when the text above is a warning.
bool isOverdue(const std::optional<QDateTime> &last, const QDateTime &now, int staleDays);

// The same for a workbook folder, opening its database only when one is
// there (nothing is created by asking).
QString lastBackupTextFor(const QString &workbookDir, const QDateTime &now, bool *overdue = nullptr);
// Records a completed backup in the workbook's database (creating it when
// the workbook has none yet).
bool recordBackupIn(const QString &workbookDir, const QDateTime &when, QString *error = nullptr);
// keepSets() for a workbook folder; the default when it has no database.
int keepSetsIn(const QString &workbookDir);

} // namespace BackupSettings
