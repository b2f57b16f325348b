// The two to-do files read from arbitrary bytes (TODOActv.FIL through the
// list, TODONAME.Fil through the item names): reading never crashes, always
// gives 500 rows, and what is read, written and read again stays the same.
#include "timeline/itemnamelist.h"
#include "timeline/quotedlines.h"
#include "timeline/todolist.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    const QStringList fields = QuotedLines::read(bytes);
    check(QuotedLines::read(QuotedLines::write(fields)) == fields);

    ToDoList list;
    list.fillFromFileBytes(bytes);
    check(list.rows().size() == size_t(ToDoList::kRowCount));
    const QByteArray written = list.toFileBytes();
    ToDoList again;
    again.fillFromFileBytes(written);
    check(again.toFileBytes() == written);

    ItemNameList names;
    names.loadFromFileBytes(bytes);
    const QByteArray namesWritten = names.toFileBytes();
    ItemNameList namesAgain;
    namesAgain.loadFromFileBytes(namesWritten);
    check(namesAgain.names() == names.names());
    return 0;
}
