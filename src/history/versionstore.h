#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>

// The saved versions of the user's documents and the changes of their
// statuses, in the workbook database (tables history_contents,
// history_versions, status_changes).
//
// What must hold:
// - A version's content is stored once per distinct SHA-256, compressed
//   (qCompress, zlib); reading it back checks the digest, so a damaged row
//   is reported, never shown as the document.
// - Times are UTC; documents are named as in the workbook folder, matched
//   ignoring case.
// - These functions run inside the caller's transaction (one per action);
//   they never begin or commit one.
namespace VersionStore {

enum class Kind { Saved, Found, BeforeRestore, Restored };
QString kindText(Kind kind);              // the stored word: "saved", "found", ...
std::optional<Kind> kindFromText(const QString &text);

struct Version
{
    qint64 id = 0;
    QString document;
    QDateTime savedAt;                     // UTC
    QString author;
    Kind kind = Kind::Saved;
    qint64 size = 0;
    QByteArray sha256;
    int wordsAdded = 0;                    // against the version before it
    int wordsRemoved = 0;
};

struct NewVersion
{
    QString document;
    QByteArray bytes;
    QDateTime savedAt;                     // UTC
    QString author;
    Kind kind = Kind::Saved;
};

// Adds a version; its id, or nothing with *reason.
std::optional<qint64> add(QSqlDatabase &db, const NewVersion &version, QString *reason);

// The document's versions, newest first.
QList<Version> versions(const QSqlDatabase &db, const QString &document, QString *reason = nullptr);
std::optional<Version> latest(const QSqlDatabase &db, const QString &document);
bool hasVersions(const QSqlDatabase &db, const QString &document);
// The bytes of a version; false with *reason when missing or damaged.
bool content(const QSqlDatabase &db, qint64 versionId, QByteArray *bytes, QString *reason);

// Every document with at least one version.
QStringList documents(const QSqlDatabase &db);

// Versions saved before cutoff, except each document's newest version (the
// content in effect, which is kept however old).
int countPrunable(const QSqlDatabase &db, const QDateTime &cutoff);
// Removes those versions and the contents no version uses any more; the
// number removed, or -1 with *reason.
int prune(QSqlDatabase &db, const QDateTime &cutoff, QString *reason);

struct StatusChange
{
    int record = 0;
    QString oldValue;
    QString newValue;
    QDateTime changedAt;                   // UTC
    QString author;
};
bool addStatusChange(QSqlDatabase &db, const StatusChange &change, QString *reason);
// The record's changes, newest first.
QList<StatusChange> statusChanges(const QSqlDatabase &db, int record);
// When each record (1-68) last changed; records never changed are absent.
QHash<int, QDateTime> lastStatusChanges(const QSqlDatabase &db);

// The format of stored times.
QString timeText(const QDateTime &utc);
QDateTime timeFromText(const QString &text);

} // namespace VersionStore
