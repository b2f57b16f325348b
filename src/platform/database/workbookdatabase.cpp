#include "platform/database/workbookdatabase.h"

#include "platform/database/schema.h"

#include <QAtomicInt>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

// SQLite's own result codes, as the driver reports them.
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADatabase = 26;

QString uniqueConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("sentrivo-workbook-%1").arg(counter.fetchAndAddRelaxed(1));
}

QString reasonOf(const QSqlError &error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.trimmed();
}

bool isDamageCode(const QSqlError &error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    // Extended codes carry the primary code in their low byte.
    return ok && ((code & 0xff) == kSqliteCorrupt || (code & 0xff) == kSqliteNotADatabase);
}

} // namespace

WorkbookDatabase::WorkbookDatabase(const Workbook &workbook)
    : m_workbook(workbook),
      m_path(workbook.dir().filePath(QString::fromLatin1(kFileName))),
      m_connectionName(uniqueConnectionName())
{
}

WorkbookDatabase::~WorkbookDatabase()
{
    closeConnection();
}

int WorkbookDatabase::latestSchemaVersion()
{
    return WorkbookSchema::steps().isEmpty() ? 0 : WorkbookSchema::steps().constLast().version;
}

QString WorkbookDatabase::failureText(const QString &reason) const
{
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(m_path), reason);
}

bool WorkbookDatabase::isOpen() const
{
    return QSqlDatabase::contains(m_connectionName) && connection().isOpen();
}

QSqlDatabase WorkbookDatabase::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

int WorkbookDatabase::schemaVersion() const
{
    QSqlQuery query(connection());
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return -1;
    return query.value(0).toInt();
}

bool WorkbookDatabase::openConnection(bool readOnly, QString *reason)
{
    closeConnection();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(m_path);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000");
    if (readOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    if (!db.open()) {
        *reason = reasonOf(db.lastError());
        return false;
    }
    m_readOnly = readOnly;
    return true;
}

void WorkbookDatabase::closeConnection()
{
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

// Reads the version and checks the whole file. Damaged only when SQLite
// itself rejects the content; any other failure (a locked or unreadable file)
// proves nothing about the content and is Unreadable.
WorkbookDatabase::Health WorkbookDatabase::checkHealth(int *version, QString *reason)
{
    QSqlQuery query(connection());
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        *reason = reasonOf(query.lastError());
        return isDamageCode(query.lastError()) ? Health::Damaged : Health::Unreadable;
    }
    *version = query.value(0).toInt();
    if (!query.exec(QStringLiteral("PRAGMA integrity_check")) || !query.next()) {
        *reason = reasonOf(query.lastError());
        return isDamageCode(query.lastError()) ? Health::Damaged : Health::Unreadable;
    }
    const QString verdict = query.value(0).toString();
    if (verdict != QLatin1String("ok")) {
        *reason = QStringLiteral("the integrity check found: %1").arg(verdict);
        return Health::Damaged;
    }
    return Health::Sound;
}

bool WorkbookDatabase::applyPragmas(QString *reason)
{
    QStringList pragmas = {QStringLiteral("PRAGMA foreign_keys = ON")};
    if (!m_readOnly) {
        pragmas << QStringLiteral("PRAGMA journal_mode = DELETE")
                << QStringLiteral("PRAGMA synchronous = FULL");
    }
    QSqlQuery query(connection());
    for (const QString &pragma : std::as_const(pragmas)) {
        if (!query.exec(pragma)) {
            *reason = reasonOf(query.lastError());
            return false;
        }
    }
    return true;
}

bool WorkbookDatabase::migrate(int fromVersion, QString *reason)
{
    QSqlDatabase db = connection();
    for (const WorkbookSchema::Step &step : WorkbookSchema::steps()) {
        if (step.version <= fromVersion)
            continue;
        if (!db.transaction()) {
            *reason = reasonOf(db.lastError());
            return false;
        }
        QSqlQuery query(db);
        bool ok = true;
        for (const QString &statement : step.statements) {
            if (!query.exec(statement)) {
                *reason = QStringLiteral("schema step %1: %2").arg(step.version).arg(reasonOf(query.lastError()));
                ok = false;
                break;
            }
        }
        if (ok && !query.exec(QStringLiteral("PRAGMA user_version = %1").arg(step.version))) {
            *reason = reasonOf(query.lastError());
            ok = false;
        }
        if (ok && !db.commit()) {
            *reason = reasonOf(db.lastError());
            ok = false;
        }
        if (!ok) {
            db.rollback();
            return false;
        }
    }
    return true;
}

// Moves the damaged file (and a journal that belongs to it) aside; returns
// the new name, or an empty string with *reason set.
QString WorkbookDatabase::moveAside(QString *reason)
{
    closeConnection();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    QString target = m_path + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = m_path + QStringLiteral(".damaged-") + stamp + QStringLiteral("-%1").arg(n);
    if (!QFile::rename(m_path, target)) {
        *reason = QStringLiteral("it could not be moved aside to %1").arg(QDir::toNativeSeparators(target));
        return QString();
    }
    const QString journal = m_path + QStringLiteral("-journal");
    if (QFileInfo::exists(journal))
        QFile::rename(journal, target + QStringLiteral("-journal"));
    return target;
}

WorkbookDatabase::OpenReport WorkbookDatabase::reopen()
{
    closeConnection();
    m_opened = false;
    m_readOnly = false;
    m_report = OpenReport();
    return open();
}

WorkbookDatabase::OpenReport WorkbookDatabase::open()
{
    if (m_opened)
        return m_report;
    m_opened = true;

    const bool existed = QFileInfo::exists(m_path);
    QString reason;
    OpenReport report;
    report.outcome = existed ? OpenOutcome::Opened : OpenOutcome::Created;

    if (existed && !QFileInfo(m_path).isFile()) {
        m_report = {OpenOutcome::Failed,
                    failureText(QStringLiteral("it is not a file. The workbook's records are not available.")), {}};
        return m_report;
    }

    // An existing file is first looked at read-only, so that nothing is ever
    // written into a damaged or newer file.
    int version = 0;
    if (existed) {
        if (!openConnection(true, &reason)) {
            m_report = {OpenOutcome::Failed, failureText(reason), {}};
            closeConnection();
            return m_report;
        }
        const Health health = checkHealth(&version, &reason);
        if (health == Health::Unreadable) {
            closeConnection();
            m_report = {OpenOutcome::Failed, failureText(reason), {}};
            return m_report;
        }
        if (health == Health::Damaged) {
            const QString movedTo = moveAside(&reason);
            if (movedTo.isEmpty()) {
                m_report = {OpenOutcome::Failed, failureText(reason), {}};
                return m_report;
            }
            report.outcome = OpenOutcome::ReplacedDamaged;
            report.movedAsideTo = movedTo;
            report.message = QStringLiteral(
                "The workbook's database %1 is damaged and was moved aside as %2. "
                "A new, empty database takes its place; the damaged file is kept untouched.")
                                 .arg(QDir::toNativeSeparators(m_path),
                                      QDir::toNativeSeparators(movedTo));
            version = 0;
        } else if (version > latestSchemaVersion()) {
            if (!applyPragmas(&reason)) {
                m_report = {OpenOutcome::Failed, failureText(reason), {}};
                closeConnection();
                return m_report;
            }
            m_report = {OpenOutcome::ReadOnlyNewer,
                        QStringLiteral("The workbook's database %1 was made by a newer version of the "
                                       "program. It is opened read-only: nothing in it can be changed.")
                            .arg(QDir::toNativeSeparators(m_path)),
                        {}};
            return m_report;
        }
    }

    if (!openConnection(false, &reason) || !applyPragmas(&reason) || !migrate(version, &reason)) {
        closeConnection();
        m_report = {OpenOutcome::Failed, failureText(reason), report.movedAsideTo};
        if (!report.message.isEmpty())
            m_report.message = report.message + QLatin1Char('\n') + m_report.message;
        return m_report;
    }
    m_report = report;
    return m_report;
}

bool WorkbookDatabase::transact(const Work &work, QString *error)
{
    QString reason;
    QSqlDatabase db = connection();
    if (!db.isOpen()) {
        reason = QStringLiteral("the workbook's database is not open");
    } else if (m_readOnly) {
        reason = QStringLiteral("the workbook's database is open read-only");
    } else if (!db.transaction()) {
        reason = reasonOf(db.lastError());
    } else if (!work(db, &reason)) {
        if (reason.isEmpty())
            reason = reasonOf(db.lastError());
        db.rollback();
    } else if (!db.commit()) {
        reason = reasonOf(db.lastError());
        db.rollback();
    } else {
        return true;
    }
    if (reason.isEmpty())
        reason = QStringLiteral("the change could not be stored");
    if (error)
        *error = failureText(reason);
    return false;
}

bool WorkbookDatabase::snapshotTo(const QString &path, QString *error) const
{
    QString reason;
    if (!connection().isOpen()) {
        reason = QStringLiteral("the workbook's database is not open");
    } else if (QFileInfo::exists(path)) {
        reason = QStringLiteral("%1 exists already").arg(QDir::toNativeSeparators(path));
    } else {
        QSqlQuery query(connection());
        query.prepare(QStringLiteral("VACUUM INTO ?"));
        query.addBindValue(path);
        if (query.exec())
            return true;
        reason = reasonOf(query.lastError());
        QFile::remove(path);
    }
    if (error)
        *error = failureText(reason);
    return false;
}

QString WorkbookDatabase::setting(const QString &key, const QString &defaultValue) const
{
    QSqlQuery query(connection());
    query.prepare(QStringLiteral("SELECT value FROM workbook_settings WHERE key = ?"));
    query.addBindValue(key);
    if (query.exec() && query.next())
        return query.value(0).toString();
    return defaultValue;
}

bool WorkbookDatabase::setSetting(const QString &key, const QString &value, QString *error)
{
    return transact(
        [&](QSqlDatabase &db, QString *reason) {
            QSqlQuery query(db);
            query.prepare(QStringLiteral(
                "INSERT INTO workbook_settings (key, value) VALUES (?, ?) "
                "ON CONFLICT (key) DO UPDATE SET value = excluded.value"));
            query.addBindValue(key);
            query.addBindValue(value);
            if (!query.exec()) {
                *reason = reasonOf(query.lastError());
                return false;
            }
            return true;
        },
        error);
}
