#pragma once

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

// False (list untouched) when TODOActv.FIL cannot be read.
bool loadList(ToDoList &list, const Workbook &workbook);
SaveResult saveList(const ToDoList &list, const Workbook &workbook);

// False (names emptied) when TODONAME.Fil cannot be read.
bool loadNames(ItemNameList &names, const Workbook &workbook);
SaveResult saveNames(const ItemNameList &names, const Workbook &workbook);

// Location.Fil, rewritten with one blank field before a name from an edited
// grid cell is kept. Nothing reads it.
SaveResult touchLocationFile(const Workbook &workbook);

} // namespace ToDoStore
