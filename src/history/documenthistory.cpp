#include "history/documenthistory.h"

#include "platform/database/workbookdatabase.h"
#include "platform/database/workbooksettings.h"
#include "platform/records/safefile.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QSqlQuery>

DocumentHistory::DocumentHistory(std::shared_ptr<WorkbookDatabase> database)
    : m_database(std::move(database))
{
}

QDateTime DocumentHistory::now() const
{
    return (m_clock ? m_clock() : QDateTime::currentDateTimeUtc()).toUTC();
}

QString DocumentHistory::author()
{
    QString name = m_database->setting(QLatin1String(WorkbookSettingKey::YourName)).trimmed();
    if (name.isEmpty() && m_askName && !m_nameAsked && !m_database->isReadOnly()) {
        m_nameAsked = true;
        if (const std::optional<QString> answer = m_askName(); answer && !answer->trimmed().isEmpty()) {
            name = answer->trimmed();
            m_database->setSetting(QLatin1String(WorkbookSettingKey::YourName), name);
        }
    }
    return name;
}

bool DocumentHistory::record(const QString &fileName, const QByteArray &bytes, VersionStore::Kind kind,
                             QString *error)
{
    if (!m_database->isOpen()) {
        if (error)
            *error = m_database->failureText(QStringLiteral("the workbook database is not open"));
        return false;
    }
    // A found version was written before the history began, by whoever it
    // was: it carries no author, and showing a document never asks for a name.
    VersionStore::NewVersion version{fileName, bytes, now(), kind == VersionStore::Kind::Found ? QString() : author(),
                                     kind};
    if (m_database->transact(
            [&](QSqlDatabase &db, QString *reason) {
                if (!VersionStore::add(db, version, reason))
                    return false;
                return !m_indexer || m_indexer(db, fileName, bytes, reason);
            },
            error))
        return true;
    if (!m_indexer)
        return false;
    // The version is evidence; the index can be made again from the files.
    // When only the index refused, the version is kept on its own and the
    // document's index entry is marked stale, so the next start indexes it.
    return m_database->transact(
        [&](QSqlDatabase &db, QString *reason) {
            if (!VersionStore::add(db, version, reason))
                return false;
            QSqlQuery stale(db);
            stale.prepare(QStringLiteral("DELETE FROM search_sources WHERE document = ?"));
            stale.addBindValue(fileName);
            stale.exec();
            return true;
        },
        error);
}

bool DocumentHistory::documentSaved(const QString &fileName, const QByteArray &bytes, QString *error)
{
    return record(fileName, bytes, VersionStore::Kind::Saved, error);
}

bool DocumentHistory::documentShown(const QString &fileName, const QByteArray &bytes, QString *error)
{
    if (!m_database->isOpen() || m_database->isReadOnly())
        return true;   // nothing to add to; saving says so when it matters
    if (VersionStore::hasVersions(m_database->connection(), fileName))
        return true;
    return record(fileName, bytes, VersionStore::Kind::Found, error);
}

bool DocumentHistory::statusChanged(int record, const QString &oldValue, const QString &newValue,
                                    QString *error)
{
    if (oldValue.trimmed() == newValue.trimmed())
        return true;
    if (!m_database->isOpen()) {
        if (error)
            *error = m_database->failureText(QStringLiteral("the workbook database is not open"));
        return false;
    }
    const VersionStore::StatusChange change{record, oldValue.trimmed(), newValue.trimmed(), now(), author()};
    return m_database->transact(
        [&](QSqlDatabase &db, QString *reason) { return VersionStore::addStatusChange(db, change, reason); },
        error);
}

QList<VersionStore::Version> DocumentHistory::versions(const QString &document, QString *error) const
{
    if (!m_database->isOpen())
        return {};
    return VersionStore::versions(m_database->connection(), document, error);
}

bool DocumentHistory::content(qint64 versionId, QByteArray *bytes, QString *error) const
{
    QString reason;
    if (m_database->isOpen() && VersionStore::content(m_database->connection(), versionId, bytes, &reason))
        return true;
    if (error)
        *error = m_database->failureText(reason.isEmpty() ? QStringLiteral("the workbook database is not open")
                                                          : reason);
    return false;
}

bool DocumentHistory::restore(const QString &path, qint64 versionId, QString *error, bool *replaced)
{
    if (replaced)
        *replaced = false;
    QByteArray restored;
    if (!content(versionId, &restored, error))
        return false;
    const QString name = QFileInfo(path).fileName();
    // The content now on disk goes into the history before it is replaced,
    // in a transaction of its own: if anything later fails it is kept.
    QByteArray current;
    if (QFileInfo::exists(path)) {
        if (!readWholeFile(path, &current, error))
            return false;
        const std::optional<VersionStore::Version> last = VersionStore::latest(m_database->connection(), name);
        const QByteArray digest = QCryptographicHash::hash(current, QCryptographicHash::Sha256);
        if ((!last || last->sha256 != digest)
            && !record(name, current, VersionStore::Kind::BeforeRestore, error))
            return false;
    }
    if (!writeFileSafely(path, restored, error))
        return false;
    if (replaced)
        *replaced = true;
    return record(name, restored, VersionStore::Kind::Restored, error);
}

QDateTime DocumentHistory::pruneCutoff(int years) const
{
    return now().addYears(-years);
}

std::optional<int> DocumentHistory::countPrunable(int years) const
{
    if (years < kMinimumPruneYears || !m_database->isOpen())
        return std::nullopt;
    return VersionStore::countPrunable(m_database->connection(), pruneCutoff(years));
}

std::optional<int> DocumentHistory::prune(int years, QString *error)
{
    if (years < kMinimumPruneYears) {
        if (error)
            *error = QStringLiteral("Versions are kept at least %1 years.").arg(kMinimumPruneYears);
        return std::nullopt;
    }
    int removed = -1;
    const bool ok = m_database->transact(
        [&](QSqlDatabase &db, QString *reason) {
            removed = VersionStore::prune(db, pruneCutoff(years), reason);
            return removed >= 0;
        },
        error);
    if (!ok)
        return std::nullopt;
    return removed;
}

QHash<int, QDateTime> DocumentHistory::lastStatusChanges() const
{
    if (!m_database->isOpen())
        return {};
    return VersionStore::lastStatusChanges(m_database->connection());
}
