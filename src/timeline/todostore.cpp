#include "timeline/todostore.h"

#include "platform/records/safefile.h"
#include "platform/records/workbookfileread.h"
#include "timeline/itemnamelist.h"
#include "timeline/quotedlines.h"
#include "timeline/todolist.h"

#include <QFileInfo>


namespace ToDoStore {
namespace {

SaveResult write(const Workbook &workbook, const QString &name, const QByteArray &bytes)
{
    SaveResult result;
    // The user is shown the whole path when the write fails.
    result.path = workbook.filePath(name);
    const StoredFile::ReadResult existing = StoredFile::read(result.path);
    if (existing.isUnreadable()) {
        result.ok = false;
        result.error = StoredFile::notWrittenOverMessage(result.path, existing.error);
        return result;
    }
    result.ok = writeFileSafely(result.path, bytes, &result.error);
    return result;
}

LoadResult read(const Workbook &workbook, const QString &name, QByteArray *bytes)
{
    LoadResult result;
    result.path = workbook.filePath(name);
    StoredFile::ReadResult read = StoredFile::read(result.path);
    result.state = read.state;
    result.error = read.error;
    *bytes = std::move(read.bytes);
    return result;
}

} // namespace

LoadResult loadList(ToDoList &list, const Workbook &workbook)
{
    QByteArray bytes;
    const LoadResult result = read(workbook, ToDoList::kFileName, &bytes);
    if (result.loaded())
        list.fillFromFileBytes(bytes);
    return result;
}

SaveResult saveList(const ToDoList &list, const Workbook &workbook)
{
    return write(workbook, ToDoList::kFileName, list.toFileBytes());
}

LoadResult loadNames(ItemNameList &names, const Workbook &workbook)
{
    QByteArray bytes;
    const LoadResult result = read(workbook, ItemNameList::kFileName, &bytes);
    names.loadFromFileBytes(result.loaded() ? bytes : QByteArray());
    return result;
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
