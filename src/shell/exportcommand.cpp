#include "shell/exportcommand.h"

#include "shell/riskcommands.h"

#include "actionarea/status/statustable.h"
#include "binder/auditbinder.h"
#include "binder/spreadsheetexports.h"
#include "history/safeguardrecord.h"
#include "platform/database/workbookdatabase.h"
#include "catalogue/safeguardcatalogue.h"
#include "printing/allpolicies.h"
#include "printing/printsurface.h"
#include "printing/safeguardreport.h"
#include "printing/standardssummary.h"
#include "readers/ruleexport.h"
#include "timeline/timelineexport.h"
#include "timeline/todolist.h"
#include "timeline/todoprintout.h"
#include "timeline/todostore.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <cstring>

namespace ExportCommand {

namespace {

// The printer font the panel starts from: the workspace display's font.
QFont reportFont()
{
    return QFont(QStringLiteral("Times New Roman"), 12);
}

// Opens the workbook's database when the workbook has one; an export never
// creates it, and leaves it closed otherwise.
void openExisting(WorkbookDatabase &database)
{
    if (QFileInfo::exists(database.workbook().filePath(QLatin1String(WorkbookDatabase::kFileName))))
        database.open();
}

// The organization's name from the workbook's database (none while closed).
QString organizationOf(const WorkbookDatabase &database)
{
    return AuditBinder::coverFor(&database, QDateTime::currentDateTime()).organization;
}

QString organizationOf(const Context &context)
{
    WorkbookDatabase database(context.workbook);
    openExisting(database);
    return organizationOf(database);
}

bool composeSummary(const QString &argument, const Context &context, PrintSurface &surface, QString *name,
                    const Warn &warn)
{
    StandardsSummary::Selection selection;
    if (argument.isEmpty())
        selection.all = true;
    else if (argument == QLatin1String("administrative"))
        selection.administrative = true;
    else if (argument == QLatin1String("physical"))
        selection.physical = true;
    else if (argument == QLatin1String("technical"))
        selection.technical = true;
    else
        return false;
    StatusTable statuses(context.workbook);
    statuses.loadStatusTable();
    // A summary of blank statuses must not pass for one of statuses not set.
    if (const QString problem = statuses.readProblem(); !problem.isEmpty())
        warn(problem);
    StandardsSummary::compose(
        surface, selection, [&statuses](int record) { return statuses.slot(record); }, Qt::black,
        QDate::currentDate(), organizationOf(context));
    *name = StandardsSummary::documentName(selection);
    return true;
}

bool composeSafeguard(const QString &argument, const Context &context, PrintSurface &surface, QString *name,
                      const Warn &warn)
{
    const QStringList parts = argument.split(QLatin1Char(':'));
    if (parts.size() > 2)
        return false;
    bool isNumber = false;
    const int safeguardNo = parts[0].toInt(&isNumber);
    if (!isNumber || !Catalogue::isValidSafeguardNo(safeguardNo) || parts[0].startsWith(QLatin1Char('+')))
        return false;
    SafeguardReport::Sections sections{};
    if (parts.size() == 1) {
        sections.fill(true);
    } else {
        if (parts[1].isEmpty())
            return false;
        for (QChar digit : parts[1]) {
            if (digit < QLatin1Char('0') || digit > QLatin1Char('5'))
                return false;
            sections[digit.digitValue()] = true;
        }
    }
    SafeguardReport report(context.workbook.contentFolder());
    report.reset(safeguardNo);
    report.loadEntryScratches(context.workbook.folder());
    // Sections the panel would refuse to check are left out, with the
    // panel's own message as the note.
    for (int i = 0; i < SafeguardReport::kSectionCount; ++i) {
        if (!sections[i])
            continue;
        if (const auto refusal = report.refusalFor(i)) {
            sections[i] = false;
            warn(refusal->text);
        }
    }
    report.setPrinterFont(reportFont(), Qt::black);
    StatusTable statuses(context.workbook);
    statuses.loadStatusTable();
    report.setStatus(statuses.slot(Catalogue::statusRecordNo(safeguardNo)));
    // The last review, the decision and the organization, from one opening.
    WorkbookDatabase database(context.workbook);
    openExisting(database);
    report.setRecord(SafeguardRecord::lines(&database, safeguardNo));
    report.setFurniture(organizationOf(database), QDate::currentDate());
    report.compose(surface, sections);
    *name = report.documentName();
    return true;
}

bool composePolicies(const QString &argument, const Context &context, PrintSurface &surface, QString *name,
                     const Warn &warn)
{
    if (!argument.isEmpty())
        return false;
    if (!AllPolicies::compose(surface, context.workbook.folder(), reportFont(), Qt::black))
        warn(QStringLiteral("No current policies were found."));
    *name = AllPolicies::kDocumentName;
    return true;
}

bool composeRule(const QString &argument, const Context &context, PrintSurface &surface, QString *name,
                 const Warn &warn)
{
    const int section = ruleSectionOfExportArgument(argument);
    if (section < 0)
        return false;
    QString problem;
    composeRuleSection(context.workbook.contentFolder(), section, surface, name, &problem);
    if (!problem.isEmpty())
        warn(problem);
    return true;
}

bool composeTimeline(const QString &argument, const Context &context, PrintSurface &surface, QString *name,
                     const Warn &warn)
{
    if (!argument.isEmpty())
        return false;
    ToDoList list;
    const ToDoStore::LoadResult loaded = ToDoStore::loadList(list, context.workbook);
    if (loaded.isUnreadable())
        warn(TimelineExport::unreadableMessage(loaded));
    else if (!ToDoPrintout::hasEntries(list))
        warn(ToDoPrintout::kNothingToPrint);
    ToDoPrintout::Options options;
    options.today = QDate::currentDate();
    options.organization = organizationOf(context);
    ToDoPrintout::compose(surface, list, options);
    *name = ToDoPrintout::kTitle;
    return true;
}

bool writeSummarySheet(const QString &argument, const Context &context, const QString &out, QString *error,
                       const Warn &)
{
    if (!argument.isEmpty()) {
        *error = QStringLiteral("the summary is written as a spreadsheet whole (\"summary\")");
        return false;
    }
    StatusTable statuses(context.workbook);
    statuses.loadStatusTable();
    return SpreadsheetExports::write(
        SpreadsheetExports::summaryTable([&statuses](int record) { return statuses.slot(record); }), out, error);
}

bool writeTimelineSheet(const QString &, const Context &context, const QString &out, QString *error,
                        const Warn &warn)
{
    ToDoList list;
    ToDoStore::loadList(list, context.workbook);
    if (!ToDoPrintout::hasEntries(list))
        warn(ToDoPrintout::kNothingToPrint);
    return SpreadsheetExports::write(SpreadsheetExports::timelineTable(list), out, error);
}

bool writeBinder(const QString &argument, const Context &context, const QString &out, QString *error,
                 const Warn &warn)
{
    if (!argument.isEmpty()) {
        *error = QStringLiteral("the binder takes no argument");
        return false;
    }
    const Workbook &workbook = context.workbook;
    WorkbookDatabase database(workbook);
    openExisting(database);
    // Without a database there is no remembered choice: every section.
    const AuditBinder::Options options = AuditBinder::loadOptions(&database);
    const AuditBinder::Cover cover = AuditBinder::coverFor(&database, QDateTime::currentDateTime());
    if (cover.organization.isEmpty())
        warn(QStringLiteral("the organization's name is not set; the cover says so"));
    const AuditBinder::Contents contents = AuditBinder::gather(workbook, options, QDate::currentDate(), &database);
    if (out.endsWith(QLatin1String(".odt"), Qt::CaseInsensitive))
        return AuditBinder::writeOdt(contents, cover, out, error);
    PrintSurface surface;
    AuditBinder::compose(surface, contents, cover);
    return AuditBinder::writePdf(surface, cover, out, error);
}

bool writeTimelineCalendar(const Context &context, const QString &out, QString *error)
{
    return TimelineExport::writeCalendar(context.workbook, out, QDateTime::currentDateTimeUtc(), error);
}

} // namespace

const std::vector<Target> &targets()
{
    static std::vector<Target> table{
        {QStringLiteral("summary"),
         {QStringLiteral("summary"), QStringLiteral("summary:administrative"), QStringLiteral("summary:physical"),
          QStringLiteral("summary:technical")},
         QStringLiteral("the standards summary with the current statuses (all groups, or one); as OUT.xlsx or "
                        "OUT.csv the standards grid as rows"),
         composeSummary, nullptr, {QStringLiteral("xlsx"), QStringLiteral("csv")}, writeSummarySheet},
        {QStringLiteral("safeguard"),
         {QStringLiteral("safeguard:N"), QStringLiteral("safeguard:N:DIGITS")},
         QStringLiteral("the report of SafeguardNo N (0-46): all six sections, or only those named "
                        "(0 Implementation specification, 1 References in Rule, 2 Additional Information, "
                        "3 Action Taken, 4 Comments/Notes, 5 Policies and Procedures/Plan; e.g. safeguard:0:345)"),
         composeSafeguard},
        {QStringLiteral("policies"), {QStringLiteral("policies")},
         QStringLiteral("all current policies, one per page"), composePolicies},
        {QStringLiteral("rule"), {QStringLiteral("rule:N")},
         QStringLiteral("section N (0-24) of the Security Rule, as the Security Rule screen prints it "
                        "with nothing selected (0 the entire rule, 23 Subpart C, 24 the matrix)"),
         composeRule},
        {QStringLiteral("timeline"), {QStringLiteral("timeline")},
         QStringLiteral("the project timeline: every row that holds an item, with grid lines and the \"As of\" line; "
                        "as OUT.xlsx or OUT.csv the items with their three dates as dates"),
         composeTimeline, nullptr, {QStringLiteral("xlsx"), QStringLiteral("csv")}, writeTimelineSheet},
        {QStringLiteral("binder"), {QStringLiteral("binder")},
         QStringLiteral("the audit binder: cover, contents, dashboard, summary, every safeguard with its entries, "
                        "worksheets, plan and timeline, as OUT.pdf with bookmarks or OUT.odt to edit"),
         nullptr, nullptr, {QStringLiteral("pdf"), QStringLiteral("odt")}, writeBinder},
        {QStringLiteral("timeline-calendar"), {QStringLiteral("timeline-calendar")},
         QStringLiteral("the project timeline's to-do and next review dates as an iCalendar file (OUT.ics), "
                        "one all-day event each with a reminder a week before"),
         nullptr, writeTimelineCalendar},
    };
    static const bool withRegister = [] {
        for (ExportCommand::Target &row : RiskCommands::exportTargets())
            table.push_back(std::move(row));
        return true;
    }();
    Q_UNUSED(withRegister);
    return table;
}

QString usage()
{
    QString text = QStringLiteral("Usage: sentrivo [--workbook DIR] --export WHAT OUT.pdf\n"
                                  "       (OUT.xlsx, OUT.csv or OUT.odt where WHAT says so)\n\nWHAT is one of:\n");
    for (const Target &target : targets()) {
        text += QStringLiteral("  ") + target.forms.join(QStringLiteral(", ")) + QLatin1Char('\n');
        text += QStringLiteral("      ") + target.description + QLatin1Char('\n');
    }
    return text;
}

int run(const QString &what, const QString &out, const Context &context, QTextStream &errors)
{
    const qsizetype colon = what.indexOf(QLatin1Char(':'));
    const QString name = colon < 0 ? what : what.left(colon);
    const QString argument = colon < 0 ? QString() : what.mid(colon + 1);
    const auto badArgument = [&errors](const QString &reason) {
        errors << "sentrivo: " << reason << "\n\n" << usage();
        errors.flush();
        return kBadArgument;
    };
    if (out.isEmpty())
        return badArgument(QStringLiteral("no output file was given"));
    const Target *target = nullptr;
    for (const Target &row : targets()) {
        if (row.name == name)
            target = &row;
    }
    if (!target)
        return badArgument(QStringLiteral("unknown document \"%1\"").arg(what));
    const QString suffix = QFileInfo(out).suffix().toLower();
    const auto writeFailed = [&errors, &out](const QString &reason) {
        errors << "sentrivo: " << QDir::toNativeSeparators(QFileInfo(out).absoluteFilePath())
               << " could not be written: " << reason << '\n';
        errors.flush();
        return kWriteFailed;
    };
    if (target->writeOther && target->otherSuffixes.contains(suffix)) {
        QStringList notes;
        const Warn warn = [&notes](const QString &note) { notes << note; };
        QString reason;
        const bool written = target->writeOther(argument, context, out, &reason, warn);
        for (const QString &note : notes)
            errors << "sentrivo: " << note << '\n';
        if (!written)
            return writeFailed(reason);
        errors.flush();
        return kSuccess;
    }
    if (!target->compose && !target->writeFile) {
        return badArgument(QStringLiteral("\"%1\" is written as %2, not as .%3")
                               .arg(what, target->otherSuffixes.join(QStringLiteral(" or ")), suffix));
    }
    if (target->writeFile) {
        if (!argument.isEmpty())
            return badArgument(QStringLiteral("unknown document \"%1\"").arg(what));
        QString reason;
        if (!target->writeFile(context, out, &reason)) {
            errors << "sentrivo: " << QDir::toNativeSeparators(QFileInfo(out).absoluteFilePath())
                   << " could not be written: " << reason << '\n';
            errors.flush();
            return kWriteFailed;
        }
        return kSuccess;
    }

    PrintSurface surface;
    QString documentName;
    QStringList notes;
    const Warn warn = [&notes](const QString &note) { notes << note; };
    if (!target->compose(argument, context, surface, &documentName, warn))
        return badArgument(QStringLiteral("unknown document \"%1\"").arg(what));
    for (const QString &note : notes)
        errors << "sentrivo: " << note << '\n';
    if (surface.pageCount() == 0)
        errors << "sentrivo: the document is empty; " << out << " holds one blank page\n";

    QString reason;
    if (!surface.writePdf(out, PdfInfo{documentName}, &reason)) {
        errors << "sentrivo: " << QDir::toNativeSeparators(QFileInfo(out).absoluteFilePath())
               << " could not be written: " << reason << '\n';
        errors.flush();
        return kWriteFailed;
    }
    errors.flush();
    return kSuccess;
}

bool requested(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--export") == 0 || std::strncmp(argv[i], "--export=", 9) == 0)
            return true;
    }
    return false;
}

} // namespace ExportCommand
