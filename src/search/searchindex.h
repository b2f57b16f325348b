#pragma once

#include "platform/records/workbook.h"

#include <QByteArray>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>

class WorkbookDatabase;

// The search index in the workbook database (tables search_index and
// search_sources): one row per document, the user's and, marked shipped,
// the read-only texts beside the program.
//
// What must hold:
// - The index holds nothing that is not elsewhere: every row can be made
//   again from the files, so a missing or damaged index is rebuilt, never
//   asked about.
// - A save updates its document's row in the save's own transaction
//   (indexDocument, through the history's indexer).
// - A document changed outside the program (size or modification time not
//   those recorded) is indexed again by refresh().
namespace SearchIndex {

// Where a document opens.
struct Place
{
    enum class Kind { Entry, RecoveryPlan, Worksheet, Timeline, Shipped };
    Kind kind = Kind::Shipped;
    int safeguardNo = -1;     // Entry
    int entryKind = 0;        // Entry: Catalogue::EntryKind as int
    int worksheetIndex = -1;  // Worksheet, 0-based
};

struct Document
{
    QString name;             // the file's name (in the workbook or content folder)
    QString title;            // what the user calls it
    QString group;            // the safeguard or document it is listed under
    QString location;         // where it opens, in words
    Place place;
    bool shipped = false;
};

// Every user document the index covers, whether or not its file exists.
QList<Document> userDocuments();
// The user document called name (ignoring case), if it is one.
std::optional<Document> userDocument(const QString &name);

// Indexes (or, when bytes is empty, removes) the user document called name,
// inside the caller's transaction. A file that is no indexed document is
// left alone (true).
bool indexDocument(QSqlDatabase &db, const Workbook &workbook, const QString &name, const QByteArray &bytes,
                   QString *reason);

struct RefreshReport
{
    int indexed = 0;          // documents (re)indexed
    int removed = 0;          // rows of documents gone
    bool rebuilt = false;     // the index was missing or damaged and made again
};
// Brings the index up to date with the files: documents whose size or
// modification time changed since they were indexed, new and removed
// documents; the shipped texts once (again when their files change). One
// transaction. A damaged index is dropped and made again.
std::optional<RefreshReport> refresh(WorkbookDatabase &database, QString *reason = nullptr);
// Empties the index and indexes everything from the files.
bool rebuild(WorkbookDatabase &database, QString *reason = nullptr);

struct Result
{
    Document document;
    QString snippet;          // the words marked between kMarkStart and kMarkEnd
    double rank = 0;          // smaller is better (bm25)
};
inline constexpr QChar kMarkStart = QChar(0x2);
inline constexpr QChar kMarkEnd = QChar(0x3);

enum class QueryOutcome { Results, NoResults, Unparsable, Failed };
struct QueryReport
{
    QueryOutcome outcome = QueryOutcome::NoResults;
    QList<Result> results;    // best first
    QStringList terms;        // the words and phrases searched for, for marking
    QString reason;           // Unparsable, Failed
};
QueryReport query(const WorkbookDatabase &database, const QString &text, bool includeShipped, int limit = 200);

} // namespace SearchIndex
