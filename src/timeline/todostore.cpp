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
    const StoredFile::ReadResult existing = StoredFile::read(result.path);
    if (existing.isUnreadable()) {
        result.ok = false;
        result.error = StoredFile::notWrittenOverMessage(result.path, existing.error);
        return result;
    }
    result.ok = writeFileSafely(result.path, bytes, &result.error);
    return result;
}

LoadResult read(const QDir &folder, const QString &name, QByteArray *bytes)
{
    LoadResult result;
    result.path = QFileInfo(findFileIgnoringCase(folder, name)).absoluteFilePath();
    StoredFile::ReadResult read = StoredFile::read(result.path);
    result.state = read.state;
    result.error = read.error;
    *bytes = std::move(read.bytes);
    return result;
}

} // namespace

LoadResult loadList(ToDoList &list, const QDir &folder)
{
    QByteArray bytes;
    const LoadResult result = read(folder, ToDoList::kFileName, &bytes);
    if (result.loaded())
        list.fillFromFileBytes(bytes);
    return result;
}

SaveResult saveList(const ToDoList &list, const QDir &folder)
{
    return write(folder, ToDoList::kFileName, list.toFileBytes());
}

LoadResult loadNames(ItemNameList &names, const QDir &folder)
{
    QByteArray bytes;
    const LoadResult result = read(folder, ItemNameList::kFileName, &bytes);
    names.loadFromFileBytes(result.loaded() ? bytes : QByteArray());
    return result;
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
