#include "platform/database/schema.h"

namespace WorkbookSchema {

// The evidence trail: every saved version of a document (content stored once
// per distinct SHA-256, compressed), every status change, every review
// signed off and every decision on an addressable specification. Rows are
// only ever added; the one removal is an explicit prune of old versions.
QStringList evidenceTrailStep()
{
    return {
        QStringLiteral("CREATE TABLE history_contents ("
                       " id INTEGER PRIMARY KEY,"
                       " sha256 BLOB NOT NULL UNIQUE CHECK (length(sha256) = 32),"
                       " size INTEGER NOT NULL CHECK (size >= 0),"
                       " compressed BLOB NOT NULL)"),
        QStringLiteral("CREATE TABLE history_versions ("
                       " id INTEGER PRIMARY KEY,"
                       " document TEXT NOT NULL COLLATE NOCASE CHECK (length(document) > 0),"
                       " saved_at TEXT NOT NULL,"           // UTC, yyyy-MM-ddTHH:mm:ss.zzzZ
                       " author TEXT NOT NULL,"
                       " kind TEXT NOT NULL CHECK (kind IN ('saved', 'found', 'before-restore', 'restored')),"
                       " content_id INTEGER NOT NULL REFERENCES history_contents(id),"
                       " words_added INTEGER NOT NULL DEFAULT 0,"
                       " words_removed INTEGER NOT NULL DEFAULT 0)"),
        QStringLiteral("CREATE INDEX history_versions_by_document ON history_versions(document, saved_at, id)"),
        QStringLiteral("CREATE INDEX history_versions_by_content ON history_versions(content_id)"),
        QStringLiteral("CREATE TABLE status_changes ("
                       " id INTEGER PRIMARY KEY,"
                       " record INTEGER NOT NULL CHECK (record BETWEEN 1 AND 68),"
                       " old_value TEXT NOT NULL,"
                       " new_value TEXT NOT NULL,"
                       " changed_at TEXT NOT NULL,"
                       " author TEXT NOT NULL)"),
        QStringLiteral("CREATE INDEX status_changes_by_record ON status_changes(record, changed_at, id)"),
        QStringLiteral("CREATE TABLE reviews ("
                       " id INTEGER PRIMARY KEY,"
                       " item TEXT NOT NULL CHECK (length(item) > 0),"   // safeguard:N, plan, worksheet:N, risk-analysis
                       " reviewer TEXT NOT NULL,"
                       " reviewed_on TEXT NOT NULL,"                     // yyyy-MM-dd
                       " note TEXT NOT NULL DEFAULT '',"
                       " recorded_at TEXT NOT NULL)"),
        QStringLiteral("CREATE INDEX reviews_by_item ON reviews(item, reviewed_on, id)"),
        QStringLiteral("CREATE TABLE addressable_decisions ("
                       " id INTEGER PRIMARY KEY,"
                       " safeguard INTEGER NOT NULL,"
                       " choice TEXT NOT NULL CHECK (choice IN ('implemented', 'alternative', 'not-reasonable')),"
                       " reasons TEXT NOT NULL DEFAULT '',"
                       " alternative TEXT NOT NULL DEFAULT '',"
                       " decided_by TEXT NOT NULL,"
                       " decided_on TEXT NOT NULL,"                     // yyyy-MM-dd
                       " recorded_at TEXT NOT NULL)"),
        QStringLiteral("CREATE INDEX addressable_decisions_by_safeguard ON addressable_decisions(safeguard, id)"),
    };
}

} // namespace WorkbookSchema
