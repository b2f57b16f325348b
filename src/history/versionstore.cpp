#include "history/versionstore.h"

#include "history/documenttext.h"
#include "history/worddiff.h"

#include <QCryptographicHash>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace VersionStore {
namespace {

QString reasonOf(const QSqlQuery &query)
{
    const QSqlError error = query.lastError();
    return (error.databaseText().isEmpty() ? error.text() : error.databaseText()).trimmed();
}

bool fail(QString *reason, const QString &text)
{
    if (reason)
        *reason = text;
    return false;
}

Version versionFrom(const QSqlQuery &query)
{
    Version version;
    version.id = query.value(0).toLongLong();
    version.document = query.value(1).toString();
    version.savedAt = timeFromText(query.value(2).toString());
    version.author = query.value(3).toString();
    version.kind = kindFromText(query.value(4).toString()).value_or(Kind::Saved);
    version.size = query.value(5).toLongLong();
    version.sha256 = query.value(6).toByteArray();
    version.wordsAdded = query.value(7).toInt();
    version.wordsRemoved = query.value(8).toInt();
    return version;
}

const char kVersionColumns[] = "v.id, v.document, v.saved_at, v.author, v.kind, c.size, c.sha256,"
                               " v.words_added, v.words_removed"
                               " FROM history_versions v JOIN history_contents c ON c.id = v.content_id";

// The content row holding these bytes, stored now when none does.
std::optional<qint64> contentId(QSqlDatabase &db, const QByteArray &bytes, const QByteArray &digest,
                                QString *reason)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT id FROM history_contents WHERE sha256 = ?"));
    query.addBindValue(digest);
    if (!query.exec()) {
        fail(reason, reasonOf(query));
        return std::nullopt;
    }
    if (query.next())
        return query.value(0).toLongLong();
    query.prepare(QStringLiteral("INSERT INTO history_contents (sha256, size, compressed) VALUES (?, ?, ?)"));
    query.addBindValue(digest);
    query.addBindValue(qint64(bytes.size()));
    query.addBindValue(qCompress(bytes, 9));
    if (!query.exec()) {
        fail(reason, reasonOf(query));
        return std::nullopt;
    }
    return query.lastInsertId().toLongLong();
}

} // namespace

QString kindText(Kind kind)
{
    switch (kind) {
    case Kind::Saved: return QStringLiteral("saved");
    case Kind::Found: return QStringLiteral("found");
    case Kind::BeforeRestore: return QStringLiteral("before-restore");
    case Kind::Restored: return QStringLiteral("restored");
    }
    return QString();
}

std::optional<Kind> kindFromText(const QString &text)
{
    for (Kind kind : {Kind::Saved, Kind::Found, Kind::BeforeRestore, Kind::Restored}) {
        if (kindText(kind) == text)
            return kind;
    }
    return std::nullopt;
}

QString timeText(const QDateTime &utc)
{
    return utc.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
}

QDateTime timeFromText(const QString &text)
{
    QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
    return time.toUTC();
}

std::optional<qint64> add(QSqlDatabase &db, const NewVersion &version, QString *reason)
{
    const QByteArray digest = QCryptographicHash::hash(version.bytes, QCryptographicHash::Sha256);
    WordDiff::Counts counts;
    if (const std::optional<Version> previous = latest(db, version.document)) {
        if (previous->sha256 != digest) {
            QByteArray before;
            if (content(db, previous->id, &before, nullptr))
                counts = WordDiff::countChanges(DocumentText::plainText(version.document, before),
                                                DocumentText::plainText(version.document, version.bytes));
        }
    } else {
        counts.added = DocumentText::wordCount(DocumentText::plainText(version.document, version.bytes));
    }
    const std::optional<qint64> content = contentId(db, version.bytes, digest, reason);
    if (!content)
        return std::nullopt;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO history_versions"
                                 " (document, saved_at, author, kind, content_id, words_added, words_removed)"
                                 " VALUES (?, ?, ?, ?, ?, ?, ?)"));
    query.addBindValue(version.document);
    query.addBindValue(timeText(version.savedAt));
    query.addBindValue(version.author.isNull() ? QStringLiteral("") : version.author);
    query.addBindValue(kindText(version.kind));
    query.addBindValue(*content);
    query.addBindValue(counts.added);
    query.addBindValue(counts.removed);
    if (!query.exec()) {
        fail(reason, reasonOf(query));
        return std::nullopt;
    }
    return query.lastInsertId().toLongLong();
}

QList<Version> versions(const QSqlDatabase &db, const QString &document, QString *reason)
{
    QList<Version> result;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 WHERE v.document = ? ORDER BY v.saved_at DESC, v.id DESC")
                      .arg(QLatin1String(kVersionColumns)));
    query.addBindValue(document);
    if (!query.exec()) {
        fail(reason, reasonOf(query));
        return result;
    }
    while (query.next())
        result.append(versionFrom(query));
    return result;
}

std::optional<Version> latest(const QSqlDatabase &db, const QString &document)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT %1 WHERE v.document = ? ORDER BY v.saved_at DESC, v.id DESC LIMIT 1")
                      .arg(QLatin1String(kVersionColumns)));
    query.addBindValue(document);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return versionFrom(query);
}

bool hasVersions(const QSqlDatabase &db, const QString &document)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT 1 FROM history_versions WHERE document = ? LIMIT 1"));
    query.addBindValue(document);
    return query.exec() && query.next();
}

bool content(const QSqlDatabase &db, qint64 versionId, QByteArray *bytes, QString *reason)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT c.compressed, c.sha256, c.size FROM history_versions v"
                                 " JOIN history_contents c ON c.id = v.content_id WHERE v.id = ?"));
    query.addBindValue(versionId);
    if (!query.exec())
        return fail(reason, reasonOf(query));
    if (!query.next())
        return fail(reason, QStringLiteral("version %1 is not in the history").arg(versionId));
    const QByteArray stored = query.value(0).toByteArray();
    QByteArray unpacked = stored.isEmpty() ? QByteArray() : qUncompress(stored);
    if (unpacked.size() != query.value(2).toLongLong()
        || QCryptographicHash::hash(unpacked, QCryptographicHash::Sha256) != query.value(1).toByteArray())
        return fail(reason, QStringLiteral("the stored content of version %1 is damaged").arg(versionId));
    *bytes = std::move(unpacked);
    return true;
}

QStringList documents(const QSqlDatabase &db)
{
    QStringList names;
    QSqlQuery query(db);
    query.exec(QStringLiteral("SELECT DISTINCT document FROM history_versions ORDER BY document"));
    while (query.next())
        names << query.value(0).toString();
    return names;
}

namespace {
// Versions before the cutoff that are not their document's newest.
const char kPrunable[] = "FROM history_versions v WHERE v.saved_at < ?"
                         " AND v.id <> (SELECT n.id FROM history_versions n WHERE n.document = v.document"
                         "              ORDER BY n.saved_at DESC, n.id DESC LIMIT 1)";
} // namespace

int countPrunable(const QSqlDatabase &db, const QDateTime &cutoff)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT count(*) %1").arg(QLatin1String(kPrunable)));
    query.addBindValue(timeText(cutoff));
    if (!query.exec() || !query.next())
        return 0;
    return query.value(0).toInt();
}

int prune(QSqlDatabase &db, const QDateTime &cutoff, QString *reason)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM history_versions WHERE id IN (SELECT v.id %1)")
                      .arg(QLatin1String(kPrunable)));
    query.addBindValue(timeText(cutoff));
    if (!query.exec()) {
        fail(reason, reasonOf(query));
        return -1;
    }
    const int removed = query.numRowsAffected();
    if (!query.exec(QStringLiteral("DELETE FROM history_contents WHERE id NOT IN"
                                   " (SELECT content_id FROM history_versions)"))) {
        fail(reason, reasonOf(query));
        return -1;
    }
    return removed;
}

bool addStatusChange(QSqlDatabase &db, const StatusChange &change, QString *reason)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO status_changes (record, old_value, new_value, changed_at, author)"
                                 " VALUES (?, ?, ?, ?, ?)"));
    query.addBindValue(change.record);
    // A null QString binds as NULL: the columns hold empty text instead.
    query.addBindValue(change.oldValue.isNull() ? QStringLiteral("") : change.oldValue);
    query.addBindValue(change.newValue.isNull() ? QStringLiteral("") : change.newValue);
    query.addBindValue(timeText(change.changedAt));
    query.addBindValue(change.author.isNull() ? QStringLiteral("") : change.author);
    return query.exec() || fail(reason, reasonOf(query));
}

QList<StatusChange> statusChanges(const QSqlDatabase &db, int record)
{
    QList<StatusChange> result;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT record, old_value, new_value, changed_at, author FROM status_changes"
                                 " WHERE record = ? ORDER BY changed_at DESC, id DESC"));
    query.addBindValue(record);
    if (!query.exec())
        return result;
    while (query.next())
        result.append({query.value(0).toInt(), query.value(1).toString(), query.value(2).toString(),
                       timeFromText(query.value(3).toString()), query.value(4).toString()});
    return result;
}

QHash<int, QDateTime> lastStatusChanges(const QSqlDatabase &db)
{
    QHash<int, QDateTime> result;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT record, max(changed_at) FROM status_changes GROUP BY record")))
        return result;
    while (query.next())
        result.insert(query.value(0).toInt(), timeFromText(query.value(1).toString()));
    return result;
}

} // namespace VersionStore
