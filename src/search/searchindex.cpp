#include "search/searchindex.h"

#include "catalogue/safeguardcatalogue.h"
#include "history/documenttext.h"
#include "platform/database/schema.h"
#include "platform/database/workbookdatabase.h"
#include "platform/records/filenames.h"
#include "platform/records/safefile.h"
#include "platform/rtf/rtf.h"
#include "search/searchquery.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace SearchIndex {
namespace {

constexpr int kWorksheetCount = 21;
const QString kRecoveryPlanFile = QStringLiteral("DRPln1.Fil");
const QString kToDoFile = QStringLiteral("TODOActv.FIL");
// Shipped texts are keyed apart from the user's documents of the same name.
const QString kShippedPrefix = QStringLiteral("shipped:");

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

QString entryCaption(Catalogue::EntryKind kind)
{
    switch (kind) {
    case Catalogue::EntryKind::ActionTaken: return QStringLiteral("Action Taken");
    case Catalogue::EntryKind::CommentsNotes: return QStringLiteral("Comments/Notes");
    case Catalogue::EntryKind::PoliciesProcedures: return QStringLiteral("Policies");
    }
    return QString();
}

QString modifiedText(const QFileInfo &info)
{
    return info.lastModified().toUTC().toString(Qt::ISODateWithMs);
}

bool removeRow(QSqlDatabase &db, const QString &key, QString *reason)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM search_index WHERE document = ?"));
    query.addBindValue(key);
    if (!query.exec())
        return fail(reason, reasonOf(query));
    query.prepare(QStringLiteral("DELETE FROM search_sources WHERE document = ?"));
    query.addBindValue(key);
    return query.exec() || fail(reason, reasonOf(query));
}

bool writeRow(QSqlDatabase &db, const QString &key, const QString &location, bool shipped, const QString &title,
              const QString &body, const QFileInfo &file, QString *reason)
{
    if (!removeRow(db, key, reason))
        return false;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO search_index (document, location, shipped, title, body)"
                                 " VALUES (?, ?, ?, ?, ?)"));
    query.addBindValue(key);
    query.addBindValue(location);
    query.addBindValue(shipped ? 1 : 0);
    query.addBindValue(title.isNull() ? QStringLiteral("") : title);
    query.addBindValue(body.isNull() ? QStringLiteral("") : body);
    if (!query.exec())
        return fail(reason, reasonOf(query));
    query.prepare(QStringLiteral("INSERT INTO search_sources (document, size, modified) VALUES (?, ?, ?)"));
    query.addBindValue(key);
    query.addBindValue(file.exists() ? file.size() : qint64(-1));
    query.addBindValue(file.exists() ? modifiedText(file) : QStringLiteral(""));
    return query.exec() || fail(reason, reasonOf(query));
}

// The recorded size and modification time of every indexed document.
QHash<QString, QPair<qint64, QString>> sources(const QSqlDatabase &db)
{
    QHash<QString, QPair<qint64, QString>> result;
    QSqlQuery query(db);
    query.exec(QStringLiteral("SELECT document, size, modified FROM search_sources"));
    while (query.next())
        result.insert(query.value(0).toString().toLower(), {query.value(1).toLongLong(), query.value(2).toString()});
    return result;
}

bool unchanged(const QHash<QString, QPair<qint64, QString>> &known, const QString &key, const QFileInfo &file)
{
    const auto found = known.constFind(key.toLower());
    return found != known.cend() && found->first == file.size() && found->second == modifiedText(file);
}

// The title of a shipped text: its first line of words.
QString shippedTitle(const QString &text, const QString &fileName)
{
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            return trimmed.left(100);
    }
    return fileName;
}

QList<QFileInfo> shippedFiles(const Workbook &workbook)
{
    QList<QFileInfo> files;
    if (workbook.contentFolder().isEmpty())
        return files;
    QDirIterator it(workbook.contentFolder(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        // Help pages are the program's own, not reference text.
        if (info.absoluteFilePath().contains(QStringLiteral("/help/")))
            continue;
        files << info;
    }
    return files;
}

bool indexShipped(QSqlDatabase &db, const Workbook &workbook, const QFileInfo &file, QString *reason)
{
    const QString relative = QDir(workbook.contentFolder()).relativeFilePath(file.absoluteFilePath());
    QByteArray bytes;
    if (!readWholeFile(file.absoluteFilePath(), &bytes, reason))
        return false;
    if (!Rtf::looksLikeRtf(bytes)) {
        // Pictures and data files hold no text to find; remembered all the
        // same, so they are not read again at every start.
        if (!removeRow(db, kShippedPrefix + relative, reason))
            return false;
        QSqlQuery query(db);
        query.prepare(QStringLiteral("INSERT INTO search_sources (document, size, modified) VALUES (?, ?, ?)"));
        query.addBindValue(QString(kShippedPrefix + relative));
        query.addBindValue(file.size());
        query.addBindValue(modifiedText(file));
        return query.exec() || fail(reason, reasonOf(query));
    }
    const QString text = DocumentText::plainText(file.fileName(), bytes);
    return writeRow(db, kShippedPrefix + relative, relative, true, shippedTitle(text, file.fileName()), text, file,
                    reason);
}

bool tablesSound(const QSqlDatabase &db)
{
    QSqlQuery query(db);
    return query.exec(QStringLiteral("INSERT INTO search_index(search_index) VALUES ('integrity-check')"))
           && query.exec(QStringLiteral("SELECT count(*) FROM search_sources")) && query.next();
}

bool recreateTables(QSqlDatabase &db, QString *reason)
{
    QSqlQuery query(db);
    for (const char *drop : {"DROP TABLE IF EXISTS search_index", "DROP TABLE IF EXISTS search_sources"}) {
        if (!query.exec(QLatin1String(drop)))
            return fail(reason, reasonOf(query));
    }
    for (const QString &statement : WorkbookSchema::searchIndexStep()) {
        if (!query.exec(statement))
            return fail(reason, reasonOf(query));
    }
    return true;
}

bool refreshInside(QSqlDatabase &db, const Workbook &workbook, bool everything, RefreshReport *report,
                   QString *reason)
{
    const auto known = everything ? QHash<QString, QPair<qint64, QString>>() : sources(db);
    for (const Document &document : userDocuments()) {
        const QFileInfo file(workbook.filePath(document.name));
        const QString key = document.name.toLower();
        if (!file.exists()) {
            if (known.contains(key)) {
                if (!removeRow(db, document.name, reason))
                    return false;
                ++report->removed;
            }
            continue;
        }
        if (unchanged(known, document.name, file))
            continue;
        QByteArray bytes;
        if (!readWholeFile(file.absoluteFilePath(), &bytes)) {
            continue;   // unreadable now: what was indexed stays until it can be read
        }
        if (!indexDocument(db, workbook, document.name, bytes, reason))
            return false;
        ++report->indexed;
    }
    for (const QFileInfo &file : shippedFiles(workbook)) {
        const QString key = kShippedPrefix + QDir(workbook.contentFolder()).relativeFilePath(file.absoluteFilePath());
        if (unchanged(known, key, file))
            continue;
        if (!indexShipped(db, workbook, file, reason))
            return false;
        ++report->indexed;
    }
    return true;
}

Document shippedDocument(const QString &key, const QString &title)
{
    Document document;
    document.name = key.mid(kShippedPrefix.size());
    document.title = title;
    document.group = QStringLiteral("Shipped texts");
    document.location = QStringLiteral("Shipped text %1").arg(document.name);
    document.shipped = true;
    return document;
}

} // namespace

QList<Document> userDocuments()
{
    QList<Document> documents;
    for (const Catalogue::Safeguard &safeguard : Catalogue::safeguards()) {
        const QString name = QLatin1String(safeguard.fullName);
        const QString navigation =
            QString::fromLatin1(Catalogue::groupInfo(safeguard.group).navigationCaption).remove(QLatin1Char('&'));
        for (Catalogue::EntryKind kind : {Catalogue::EntryKind::ActionTaken, Catalogue::EntryKind::CommentsNotes,
                                          Catalogue::EntryKind::PoliciesProcedures}) {
            Document document;
            document.name = Catalogue::entryFileName(kind, safeguard.no);
            document.title = QStringLiteral("%1 - %2").arg(name, entryCaption(kind));
            document.group = name;
            document.location = QStringLiteral("Action Area > %1 > %2 > %3").arg(navigation, name, entryCaption(kind));
            document.place = {Place::Kind::Entry, safeguard.no, int(kind), -1};
            documents << document;
        }
    }
    Document plan;
    plan.name = kRecoveryPlanFile;
    plan.title = plan.group = QStringLiteral("Disaster Recovery Plan");
    plan.location = QStringLiteral("Action Area > Disaster Recovery Plan");
    plan.place.kind = Place::Kind::RecoveryPlan;
    documents << plan;
    for (int index = 0; index < kWorksheetCount; ++index) {
        Document sheet;
        // The worksheets' files: Wksht0.Fil holds worksheet 1.
        sheet.name = QStringLiteral("Wksht%1.Fil").arg(index);
        sheet.title = sheet.group = QStringLiteral("Risk Analysis Worksheet %1").arg(index + 1);
        sheet.location = QStringLiteral("Action Area > Risk Analysis Worksheets > %1").arg(index + 1);
        sheet.place = {Place::Kind::Worksheet, -1, 0, index};
        documents << sheet;
    }
    Document todo;
    todo.name = kToDoFile;
    todo.title = todo.group = QStringLiteral("Project Timeline");
    todo.location = QStringLiteral("Action Area > Project Timeline");
    todo.place.kind = Place::Kind::Timeline;
    documents << todo;
    return documents;
}

std::optional<Document> userDocument(const QString &name)
{
    static const QList<Document> all = userDocuments();
    for (const Document &document : all) {
        if (document.name.compare(name, Qt::CaseInsensitive) == 0)
            return document;
    }
    return std::nullopt;
}

bool indexDocument(QSqlDatabase &db, const Workbook &workbook, const QString &name, const QByteArray &bytes,
                   QString *reason)
{
    const std::optional<Document> document = userDocument(name);
    if (!document)
        return true;
    const QFileInfo file(workbook.filePath(document->name));
    if (bytes.isEmpty() && !file.exists())
        return removeRow(db, document->name, reason);
    return writeRow(db, document->name, document->location, false, document->title,
                    DocumentText::plainText(document->name, bytes), file, reason);
}

std::optional<RefreshReport> refresh(WorkbookDatabase &database, QString *reason)
{
    RefreshReport report;
    if (!database.isOpen() || database.isReadOnly()) {
        fail(reason, QStringLiteral("the workbook database is not open for writing"));
        return std::nullopt;
    }
    const bool ok = database.transact(
        [&](QSqlDatabase &db, QString *why) {
            bool everything = false;
            if (!tablesSound(db)) {
                // It holds nothing that is not in the files: made again, no question.
                if (!recreateTables(db, why))
                    return false;
                report.rebuilt = true;
                everything = true;
            }
            return refreshInside(db, database.workbook(), everything, &report, why);
        },
        reason);
    if (!ok)
        return std::nullopt;
    return report;
}

bool rebuild(WorkbookDatabase &database, QString *reason)
{
    RefreshReport report;
    return database.transact(
        [&](QSqlDatabase &db, QString *why) {
            return recreateTables(db, why) && refreshInside(db, database.workbook(), true, &report, why);
        },
        reason);
}

QueryReport query(const WorkbookDatabase &database, const QString &text, bool includeShipped, int limit)
{
    QueryReport report;
    QString reason;
    const std::optional<SearchQuery::Parsed> parsed = SearchQuery::parse(text, &reason);
    if (!parsed) {
        report.outcome = QueryOutcome::Unparsable;
        report.reason = reason;
        return report;
    }
    report.terms = parsed->terms;
    QSqlQuery sql(database.connection());
    sql.setForwardOnly(true);
    // Title words weigh more than body words; bm25 is smaller for better.
    sql.prepare(QStringLiteral("SELECT document, title, snippet(search_index, 4, char(2), char(3), '...', 16),"
                               " bm25(search_index, 0.0, 0.0, 0.0, 4.0, 1.0) AS rank"
                               " FROM search_index WHERE search_index MATCH ?%1"
                               " ORDER BY rank, document LIMIT ?")
                    .arg(includeShipped ? QString() : QStringLiteral(" AND shipped = 0")));
    sql.addBindValue(parsed->match);
    sql.addBindValue(limit);
    if (!sql.exec()) {
        report.outcome = QueryOutcome::Failed;
        report.reason = database.failureText(reasonOf(sql));
        return report;
    }
    while (sql.next()) {
        const QString key = sql.value(0).toString();
        Result result;
        if (key.startsWith(kShippedPrefix)) {
            result.document = shippedDocument(key, sql.value(1).toString());
        } else if (const std::optional<Document> document = userDocument(key)) {
            result.document = *document;
        } else {
            continue;
        }
        result.snippet = sql.value(2).toString().simplified();
        result.rank = sql.value(3).toDouble();
        report.results << result;
    }
    report.outcome = report.results.isEmpty() ? QueryOutcome::NoResults : QueryOutcome::Results;
    return report;
}

} // namespace SearchIndex
