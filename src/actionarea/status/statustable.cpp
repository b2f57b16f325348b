#include "actionarea/status/statustable.h"

#include "platform/records/recordfile.h"

#include <QDir>

StatusTable::StatusTable(const Workbook &workbook)
    : workbook_(workbook)
{
}

QString StatusTable::filePath() const
{
    return workbook_.filePath(kFileName);
}

void StatusTable::readRecords(int first, int last)
{
    // One open for the whole range; a missing file is created and reads empty.
    RecordFile file(filePath(), kRecordLength);
    for (int record = first; record <= last; ++record)
        slots_[record] = file.readText(record);
}

void StatusTable::loadStatusTable()
{
    readRecords(kFirstRecord, kLastRecord);
}

void StatusTable::reloadStandardStatuses()
{
    readRecords(kFirstRecord, kLastStandardRecord);
}

QString StatusTable::slot(int index) const
{
    return isValidSlot(index) ? slots_[index] : QString();
}

bool StatusTable::setSlot(int index, const QString &text)
{
    if (!isValidSlot(index))
        return false;
    slots_[index] = text;
    return true;
}

bool StatusTable::writeStatus(int record, const QString &text)
{
    if (record < kFirstRecord || record > kLastRecord)
        return false;
    bool written = false;
    {
        RecordFile file(filePath(), kRecordLength);
        written = file.writeText(record, text);
    }
    // The slot keeps what is stored: a status that did not reach the file
    // must not be shown as if it had.
    if (written)
        slots_[record] = text;
    return written;
}

bool StatusTable::clearWorksheetStatus(int worksheetIndex)
{
    if (worksheetIndex < 0 || worksheetIndex >= kWorksheetCount)
        return false;
    return writeStatus(kFirstWorksheetRecord + worksheetIndex, QString());
}
