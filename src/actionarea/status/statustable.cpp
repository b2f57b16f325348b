#include "actionarea/status/statustable.h"

#include "platform/records/filenames.h"
#include "platform/records/recordfile.h"
#include "platform/records/storedfile.h"
#include "platform/services/documentrecorder.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>

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
    m_readProblem.clear();
    const QString path = findFileIgnoringCase(filePath());
    const StoredFile::ReadResult stored = StoredFile::read(path);
    if (stored.isUnreadable()) {
        m_readProblem = QStringLiteral("The statuses could not be read from %1 (%2): they show as blank.")
                            .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), stored.error);
    }
    // One open for the whole range; a missing file is created and reads empty.
    RecordFile file(filePath(), kRecordLength);
    QList<int> damaged;
    for (int record = first; record <= last; ++record) {
        slots_[record] = file.readText(record);
        const qsizetype offset = qsizetype(record - 1) * kRecordLength;
        // A stored length the record cannot hold is a damaged record.
        if (stored.bytes.size() >= offset + kRecordLength
            && qFromLittleEndian<quint16>(stored.bytes.constData() + offset) > kRecordLength - 2)
            damaged.append(record);
    }
    if (!damaged.isEmpty() && m_readProblem.isEmpty()) {
        QStringList numbers;
        for (int record : damaged)
            numbers.append(QString::number(record));
        m_readProblem = QStringLiteral("%1 is damaged: record(s) %2 could not be read and show as blank.")
                            .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()),
                                 numbers.join(QStringLiteral(", ")));
    }
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
        m_recordingFailure.clear();
        if (m_recorder && !m_recorder->statusChanged(record, slots_[record], text, &m_recordingFailure)
            && m_recordingFailure.isEmpty())
            m_recordingFailure = QStringLiteral("the change could not be recorded");
        slots_[record] = text;
        notifyChanged(record);
    }
    return written;
}

QHash<int, QDateTime> StatusTable::statusChangeTimes() const
{
    return m_recorder ? m_recorder->statusChangeTimes() : QHash<int, QDateTime>();
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
