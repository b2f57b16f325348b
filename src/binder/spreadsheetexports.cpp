#include "binder/spreadsheetexports.h"

#include "actionarea/standards/standardstable.h"
#include "platform/records/safefile.h"
#include "printing/standardssummary.h"
#include "timeline/tododate.h"
#include "timeline/todolist.h"

namespace SpreadsheetExports {

namespace {

QVariant dateCell(const QString &stored)
{
    const QString text = stored.trimmed();
    if (text.isEmpty())
        return QString();
    const QDate date = ToDoDate::parse(text);
    return date.isValid() ? QVariant(date) : QVariant(text);
}

} // namespace

SpreadsheetTable summaryTable(const StatusLookup &status)
{
    SpreadsheetTable table;
    table.name = QStringLiteral("Standards");
    table.header = {QStringLiteral("Group"), QStringLiteral("Standard"), QStringLiteral("Section"),
                    QStringLiteral("Implementation Specification"), QStringLiteral("R/A"),
                    QStringLiteral("Current Status")};
    const auto statusOf = [&status](int record) { return status ? status(record).trimmed() : QString(); };
    for (int g = 0; g < Standards::kGroupCount; ++g) {
        const Standards::Group &group = Standards::group(g);
        for (const Standards::Standard &standard : group.standards) {
            for (const Standards::Specification &specification : standard.specifications) {
                table.rows.append({group.name, standard.standardLines.join(QLatin1Char(' ')).simplified(),
                                   standard.section, specification.name.trimmed(),
                                   Standards::designationLetter(specification.designation),
                                   statusOf(specification.statusRecord)});
            }
        }
    }
    // The grid shows the three safeguard groups; the other rows come from the summary.
    for (const StandardsSummary::SummaryRow &row : StandardsSummary::rows()) {
        if (row.statusRecordNo <= 42)
            continue;
        table.rows.append({row.group, row.standard, row.section, row.specification, row.designation,
                           statusOf(row.statusRecordNo)});
    }
    return table;
}

SpreadsheetTable timelineTable(const ToDoList &list)
{
    SpreadsheetTable table;
    table.name = QStringLiteral("Project Timeline");
    table.header = {QStringLiteral("To Do Item"), QStringLiteral("To Do Date"), QStringLiteral("Actual Date"),
                    QStringLiteral("Next Review Date")};
    for (const ToDoItem &row : list.rows()) {
        if (!row.hasItem())
            continue;
        table.rows.append({row.item().trimmed(), dateCell(row.fields[ToDoItem::ToDoDate]),
                           dateCell(row.fields[ToDoItem::ActualDate]),
                           dateCell(row.fields[ToDoItem::NextReviewDate])});
    }
    return table;
}

bool isSpreadsheetPath(const QString &path)
{
    return path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive)
        || path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
}

bool write(const SpreadsheetTable &table, const QString &path, QString *error)
{
    QByteArray bytes;
    if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)) {
        bytes = Spreadsheet::csvBytes(table);
    } else {
        QString reason;
        bytes = Spreadsheet::xlsxBytes({table}, &reason);
        if (bytes.isEmpty()) {
            if (error)
                *error = reason.isEmpty() ? QStringLiteral("the spreadsheet could not be made") : reason;
            return false;
        }
    }
    QString reason;
    if (writeFileSafely(path, bytes, &reason))
        return true;
    if (error)
        *error = reason;
    return false;
}

} // namespace SpreadsheetExports
