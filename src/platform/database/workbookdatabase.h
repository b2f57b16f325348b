#pragma once

#include "platform/records/workbook.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>

// The workbook's database, `Workbook.sqlite`: the one home of every
// structured record the older file formats cannot hold. The older files keep
// their formats byte for byte; the database adds to them.
//
// What must hold:
// - The schema version is PRAGMA user_version. Opening brings an older file
//   up to date one step at a time (schema.h); each step is one transaction.
// - Every user action is one transaction (transact()); a failure rolls back
//   and says which file and why, so the caller can show it and keep the
//   user's edits on screen.
// - A file that is not a database, or fails PRAGMA integrity_check, is never
//   written: it is moved aside as "Workbook.sqlite.damaged-YYYY-MM-DD-HHMMSS"
//   and a new, empty database takes its place.
// - A file of a newer schema than this program knows is opened read-only.
// - Rollback journal with synchronous=FULL and foreign keys on.
class WorkbookDatabase
{
public:
    static constexpr const char *kFileName = "Workbook.sqlite";

    enum class OpenOutcome {
        Opened,         // an existing database, brought up to date
        Created,        // no database was there; a new one was made
        ReplacedDamaged,// a damaged file was moved aside; a new one was made
        ReadOnlyNewer,  // made by a newer program: open, but read-only
        Failed,         // cannot be opened at all (see message)
    };
    struct OpenReport
    {
        OpenOutcome outcome = OpenOutcome::Failed;
        // For the user: empty when there is nothing to say (Opened, Created).
        QString message;
        // Where a damaged file was moved (ReplacedDamaged).
        QString movedAsideTo;
    };

    explicit WorkbookDatabase(const Workbook &workbook);
    ~WorkbookDatabase();
    WorkbookDatabase(const WorkbookDatabase &) = delete;
    WorkbookDatabase &operator=(const WorkbookDatabase &) = delete;

    // Opens (creating or migrating as needed). Call once; later calls return
    // the first report.
    OpenReport open();
    // After the file was replaced (a restore): the connection, which still
    // reads the file it opened wherever that was moved, is closed and the
    // file now in the workbook opened as open() does.
    OpenReport reopen();
    const OpenReport &openReport() const { return m_report; }

    bool isOpen() const;
    bool isReadOnly() const { return m_readOnly; }
    QString filePath() const { return m_path; }
    const Workbook &workbook() const { return m_workbook; }
    int schemaVersion() const;
    static int latestSchemaVersion();

    // The connection, for queries. Valid while this object lives and is open.
    QSqlDatabase connection() const;

    // Runs work inside one transaction: committed when work returns true,
    // rolled back when it returns false or the commit fails. On failure
    // *error (when given) names the file and the reason; work may set its
    // own reason through the QString it is handed.
    using Work = std::function<bool(QSqlDatabase &db, QString *reason)>;
    bool transact(const Work &work, QString *error = nullptr);

    // Writes a consistent copy of the committed data to path (which must not
    // exist), never the live file: for backups.
    bool snapshotTo(const QString &path, QString *error = nullptr) const;

    // The workbook's own settings (workbook_settings table).
    QString setting(const QString &key, const QString &defaultValue = QString()) const;
    bool setSetting(const QString &key, const QString &value, QString *error = nullptr);

    // "file: reason", the form every shown failure takes.
    QString failureText(const QString &reason) const;

private:
    bool openConnection(bool readOnly, QString *reason);
    void closeConnection();
    enum class Health { Sound, Damaged, Unreadable };
    Health checkHealth(int *version, QString *reason);
    bool applyPragmas(QString *reason);
    bool migrate(int fromVersion, QString *reason);
    QString moveAside(QString *reason);

    Workbook m_workbook;
    QString m_path;
    QString m_connectionName;
    bool m_opened = false;
    bool m_readOnly = false;
    OpenReport m_report;
};
