#include "risk/timelinehandoff.h"

#include "platform/records/filenames.h"
#include "timeline/tododate.h"
#include "timeline/todolist.h"
#include "timeline/todostore.h"

#include <QFileInfo>

namespace TimelineHandoff {

QString itemText(const Risk &risk)
{
    const QString planned = risk.plannedMeasures.simplified();
    return planned.isEmpty() ? risk.threat.simplified() : planned;
}

Result add(const Workbook &workbook, const Risk &risk)
{
    Result result;
    QString text = itemText(risk);
    if (text.isEmpty()) {
        result.message = QStringLiteral("The risk has no planned measure to add to the timeline.");
        return result;
    }
    if (text.size() > kItemLength) {
        text = text.left(kItemLength).trimmed();
        result.shortened = true;
    }
    ToDoList list;
    // No timeline file yet is an empty timeline; one that cannot be read is
    // never overwritten.
    const ToDoStore::LoadResult loaded = ToDoStore::loadList(list, workbook);
    if (loaded.isUnreadable()) {
        result.message = QStringLiteral("The project timeline (%1) could not be read, so nothing was added.")
                             .arg(ToDoList::kFileName);
        return result;
    }
    const int row = list.firstRowWithoutItem();
    if (row < 0) {
        result.message = QStringLiteral("The project timeline is full: all %1 rows hold an item. Remove or finish "
                                        "an item on the timeline first.").arg(ToDoList::kRowCount);
        return result;
    }
    ToDoItem &item = list.row(row);
    item.fields[ToDoItem::Item] = text;
    item.fields[ToDoItem::ToDoDate] = risk.dueOn.isValid() ? ToDoDate::format(risk.dueOn) : QString();
    const ToDoStore::SaveResult saved = ToDoStore::saveList(list, workbook);
    if (!saved.ok) {
        result.message = QStringLiteral("%1: %2").arg(saved.path, saved.error);
        return result;
    }
    result.ok = true;
    result.item = text;
    result.row = row;
    result.message = QStringLiteral("Added to the project timeline as row %1: \"%2\"%3.")
                         .arg(row + 1)
                         .arg(text, risk.dueOn.isValid() ? QStringLiteral(", to do by ") + ToDoDate::format(risk.dueOn)
                                                         : QString());
    if (result.shortened)
        result.message += QStringLiteral(" The timeline holds at most %1 characters per item, so the text was "
                                         "shortened.").arg(kItemLength);
    return result;
}

} // namespace TimelineHandoff
