#include "timeline/todostore.h"

#include "platform/records/filenames.h"
#include "platform/records/safefile.h"
#include "platform/records/workbookfileread.h"
#include "timeline/itemnamelist.h"
#include "timeline/quotedlines.h"
#include "timeline/todolist.h"

#include <QFileInfo>

namespace ToDoStore {
namespace {

SaveResult write(const QDir &folder, const QString &name, const QByteArray &bytes)
{
    SaveResult result;
    // The user is shown the whole path when the write fails.
    result.path = QFileInfo(findFileIgnoringCase(folder, name)).absoluteFilePath();
    result.ok = writeFileSafely(result.path, bytes, &result.error);
    return result;
}

} // namespace

bool loadList(ToDoList &list, const QDir &folder)
{
    QByteArray bytes;
    if (!readWorkbookFile(findFileIgnoringCase(folder, ToDoList::kFileName), &bytes))
        return false;
    list.fillFromFileBytes(bytes);
    return true;
}

SaveResult saveList(const ToDoList &list, const QDir &folder)
{
    return write(folder, ToDoList::kFileName, list.toFileBytes());
}

bool loadNames(ItemNameList &names, const QDir &folder)
{
    QByteArray bytes;
    const bool read = readWorkbookFile(findFileIgnoringCase(folder, ItemNameList::kFileName), &bytes);
    names.loadFromFileBytes(read ? bytes : QByteArray());
    return read;
}

SaveResult saveNames(const ItemNameList &names, const QDir &folder)
{
    return write(folder, ItemNameList::kFileName, names.toFileBytes());
}

SaveResult touchLocationFile(const QDir &folder)
{
    return write(folder, ItemNameList::kLocationFileName, QuotedLines::write({QStringLiteral(" ")}));
}

} // namespace ToDoStore
