#pragma once

#include "platform/records/storedfile.h"
#include "platform/records/workbook.h"
#include <QString>

class ItemNameList;
class ToDoList;

// Reading and writing the two to-do files of a workbook. Names are matched ignoring case, so an
// existing "TODONAME.FIL" is the same file as "TODONAME.Fil". Writes go
// through the safe save: a failure leaves the old file whole.
namespace ToDoStore {

struct SaveResult
{
    bool ok = true;
    QString path;    // the file written, or that could not be written
    QString error;   // the reason, when not ok
};

struct LoadResult
{
    StoredFile::State state = StoredFile::State::Missing;
    QString path;   // the file read, or that could not be read
    QString error;  // the reason, when Unreadable
    bool loaded() const { return state == StoredFile::State::Read; }
    bool isUnreadable() const { return state == StoredFile::State::Unreadable; }
};

// The list untouched unless TODOActv.FIL was read.
LoadResult loadList(ToDoList &list, const Workbook &workbook);
// Refused (the file left as it is) when TODOActv.FIL is there but cannot be
// read: the items it holds would be lost.
SaveResult saveList(const ToDoList &list, const Workbook &workbook);

// The names emptied unless TODONAME.Fil was read.
LoadResult loadNames(ItemNameList &names, const Workbook &workbook);
// Refused when TODONAME.Fil is there but cannot be read.
SaveResult saveNames(const ItemNameList &names, const Workbook &workbook);

// Location.Fil, rewritten with one blank field before a name from an edited
// grid cell is kept. Nothing reads it.
SaveResult touchLocationFile(const Workbook &workbook);

} // namespace ToDoStore
