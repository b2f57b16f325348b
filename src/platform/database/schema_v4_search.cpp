#include "platform/database/schema.h"

namespace WorkbookSchema {

// The search index: one row per searchable part of a document. It holds
// nothing that is not elsewhere, so a missing or damaged index is rebuilt
// from the documents. search_sources remembers the size and modification
// time each document had when it was indexed, to find documents changed
// outside the program.
QStringList searchIndexStep()
{
    return {
        QStringLiteral("CREATE VIRTUAL TABLE search_index USING fts5("
                       " document UNINDEXED, location UNINDEXED, shipped UNINDEXED, title, body,"
                       " tokenize = 'unicode61 remove_diacritics 2', prefix = '2 3')"),
        QStringLiteral("CREATE TABLE search_sources ("
                       " document TEXT PRIMARY KEY NOT NULL COLLATE NOCASE,"
                       " size INTEGER NOT NULL,"
                       " modified TEXT NOT NULL)"),
    };
}

} // namespace WorkbookSchema
