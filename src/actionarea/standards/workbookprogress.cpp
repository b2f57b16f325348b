#include "actionarea/standards/workbookprogress.h"

#include "catalogue/safeguardcatalogue.h"
#include "timeline/tododate.h"
#include "timeline/todolist.h"

namespace WorkbookProgress {

namespace {

QString groupName(Catalogue::SafeguardGroup group)
{
    switch (group) {
    case Catalogue::SafeguardGroup::Administrative: return QStringLiteral("Administrative");
    case Catalogue::SafeguardGroup::Physical: return QStringLiteral("Physical");
    case Catalogue::SafeguardGroup::Technical: return QStringLiteral("Technical");
    case Catalogue::SafeguardGroup::Organizational: return QStringLiteral("Organizational");
    case Catalogue::SafeguardGroup::Documentation: return QStringLiteral("Documentation");
    }
    return {};
}

} // namespace

ProgressFigures figures(const StatusLookup &status, const ToDoList &toDo, const QDate &today)
{
    ProgressFigures result;
    for (const Catalogue::GroupInfo &info : Catalogue::groups())
        result.groups.append(ProgressFigures::Group{groupName(info.group), {}});
    for (const Catalogue::Safeguard &safeguard : Catalogue::safeguards()) {
        const ProgressFigures::Status kind =
            ProgressFigures::statusOf(status ? status(Catalogue::statusRecordNo(safeguard.no)) : QString());
        result.groups[int(safeguard.group)].counts[size_t(kind)] += 1;
        result.safeguards += 1;
        if (kind == ProgressFigures::Completed)
            result.completed += 1;
    }
    const QDate soon = today.addDays(30);
    for (const ToDoItem &row : toDo.rows()) {
        if (!row.hasItem() || !row.fields[ToDoItem::ActualDate].trimmed().isEmpty())
            continue;
        const QDate due = ToDoDate::parse(row.fields[ToDoItem::ToDoDate].trimmed());
        if (!due.isValid())
            continue;
        if (due < today)
            result.overdue += 1;
        else if (due <= soon)
            result.dueSoon += 1;
    }
    return result;
}

} // namespace WorkbookProgress
