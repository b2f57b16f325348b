#pragma once

#include "printing/safeguardreport.h"

#include "platform/records/workbook.h"
#include "printing/progresschart.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class PrintSurface;
class QTextDocument;
class WorkbookDatabase;

// The audit binder: the whole workbook as one document for an auditor. In
// order: the cover, the contents with page numbers, then the sections the
// user chose, each left out without a trace when the workbook holds nothing
// for it: the progress dashboard, the standards summary, every safeguard
// (what it is, its status, then Action Taken, Comments/Notes and Policies and
// Procedures), the risk analysis worksheets that hold text, the disaster
// recovery plan and the project timeline. Composed once on a PrintSurface
// (preview, printer, PDF with bookmarks) and written as OpenDocument text.
namespace AuditBinder {

enum Section { Dashboard, Summary, Safeguards, Worksheets, RecoveryPlan, Timeline, SectionCount };

inline const QString kDocumentName = QStringLiteral("Audit Binder");
// The section's heading, bookmark and dialog caption.
QString sectionTitle(int section);

struct Options
{
    std::array<bool, SectionCount> sections{true, true, true, true, true, true};
    // Leaves out the safeguards none of whose three entries holds text.
    bool onlyWithEntries = false;
    friend bool operator==(const Options &, const Options &) = default;
};

// The choice last made for this workbook (all sections when none was made).
Options loadOptions(const WorkbookDatabase *database);
bool saveOptions(WorkbookDatabase &database, const Options &options, QString *error = nullptr);

// What the cover and every page say.
struct Cover
{
    QString organization;
    QString preparedBy;
    QString workbookName; // the workbook folder's name
    QDateTime made;
};
// The organization's name and the person who prepares the binder from the
// workbook's profile (the security official, else "your name").
Cover coverFor(const WorkbookDatabase *database, const QDateTime &made);

// Everything the binder prints, read from the workbook once.
struct Contents
{
    struct SafeguardPart
    {
        int safeguardNo = 0;
        QString status;
        QList<SafeguardReport::HeadingLine> record; // its last review and decision
        std::array<std::shared_ptr<QTextDocument>, 3> entries; // empty documents where nothing was written
    };
    struct TextPart
    {
        QString title;
        QString status; // the worksheet's compliance status
        std::shared_ptr<QTextDocument> text;
    };
    struct TimelineRow
    {
        QString item;
        std::array<QString, 3> dates; // to do, actual, next review
    };

    std::optional<ProgressFigures> figures;
    bool summary = false;
    std::function<QString(int)> status;
    QStringList worksheetTitles;
    QList<SafeguardPart> safeguards;
    QList<TextPart> worksheets;
    std::shared_ptr<QTextDocument> recoveryPlan;
    QList<TimelineRow> timeline;
};
// database: the workbook's, for each safeguard's last review and decision
// (none: the binder prints what the files hold).
Contents gather(const Workbook &workbook, const Options &options, const QDate &today,
                const WorkbookDatabase *database = nullptr);

// Lays the binder out on the surface (Clear, StartDoc ... EndDoc), with its
// anchors (one per section and safeguard), the contents' links and the page
// furniture.
void compose(PrintSurface &surface, const Contents &contents, const Cover &cover);

// The binder as PDF with bookmarks and document information, written safely.
bool writePdf(const PrintSurface &surface, const Cover &cover, const QString &path, QString *error = nullptr);
// The same contents as OpenDocument text, headings as headings.
bool writeOdt(const Contents &contents, const Cover &cover, const QString &path, QString *error = nullptr);
// The binder's contents as one rich-text document (what the ODT holds).
std::unique_ptr<QTextDocument> textDocument(const Contents &contents, const Cover &cover);

} // namespace AuditBinder
