#include "actionarea/status/statustable.h"

#include "platform/records/recordfile.h"

#include <QDir>

StatusTable::StatusTable(const QString &folder)
    : folder_(folder)
{
}

QString StatusTable::filePath() const
{
    return folder_.isEmpty() ? kFileName : QDir(folder_).filePath(kFileName);
}

void StatusTable::readRecords(int first, int last)
{
    // One open for the whole range; a missing file is created and reads empty.
    RecordFile file(filePath(), kRecordLength);
    for (int record = first; record <= last; ++record)
        slots_[record] = file.readText(record);
    notifyChanged(-1);
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
    notifyChanged(index);
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
    if (written) {
        slots_[record] = text;
        notifyChanged(record);
    }
    return written;
}

bool StatusTable::clearWorksheetStatus(int worksheetIndex)
{
    if (worksheetIndex < 0 || worksheetIndex >= kWorksheetCount)
        return false;
    return writeStatus(kFirstWorksheetRecord + worksheetIndex, QString());
}

void StatusTable::addChangeListener(std::function<void(int)> listener)
{
    m_listeners.push_back(std::move(listener));
}

void StatusTable::notifyChanged(int index)
{
    for (const auto &listener : m_listeners)
        listener(index);
}
