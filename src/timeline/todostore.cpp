#include "timeline/todostore.h"

#include "platform/records/safefile.h"
#include "timeline/itemnamelist.h"
#include "timeline/quotedlines.h"
#include "timeline/todolist.h"


namespace ToDoStore {
namespace {

SaveResult write(const Workbook &workbook, const QString &name, const QByteArray &bytes)
{
    SaveResult result;
    // The user is shown the whole path when the write fails.
    result.path = workbook.filePath(name);
    result.ok = writeFileSafely(result.path, bytes, &result.error);
    return result;
}

} // namespace

bool loadList(ToDoList &list, const Workbook &workbook)
{
    QByteArray bytes;
    if (!readWholeFile(workbook.filePath(ToDoList::kFileName), &bytes))
        return false;
    list.fillFromFileBytes(bytes);
    return true;
}

SaveResult saveList(const ToDoList &list, const Workbook &workbook)
{
    return write(workbook, ToDoList::kFileName, list.toFileBytes());
}

bool loadNames(ItemNameList &names, const Workbook &workbook)
{
    QByteArray bytes;
    const bool read = readWholeFile(workbook.filePath(ItemNameList::kFileName), &bytes);
    names.loadFromFileBytes(read ? bytes : QByteArray());
    return read;
}

SaveResult saveNames(const ItemNameList &names, const Workbook &workbook)
{
    return write(workbook, ItemNameList::kFileName, names.toFileBytes());
}

SaveResult touchLocationFile(const Workbook &workbook)
{
    return write(workbook, ItemNameList::kLocationFileName, QuotedLines::write({QStringLiteral(" ")}));
}

} // namespace ToDoStore
