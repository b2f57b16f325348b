#pragma once

#include "platform/records/workbook.h"

#include <QDateTime>
#include <QHash>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class DocumentRecorder;

// The Action Area's mirror of Stat1.Fil: slot n holds the text of record n.
// Slots 1-68 are used (1-47 safeguard statuses, 48-68 worksheet compliance
// statuses); 0, 69 and 70 exist but are never filled. Every change goes to
// the file first and then to the slot, so file and table stay equal; when the
// file cannot be written the slot still changes, as the program carries on.
class StatusTable
{
public:
    static inline const QString kFileName = QStringLiteral("Stat1.Fil");
    static constexpr int kRecordLength = 20;
    static constexpr int kSlotCount = 71;
    static constexpr int kLastSlot = kSlotCount - 1;
    static constexpr int kFirstRecord = 1;
    static constexpr int kLastRecord = 68;
    // The Administrative, Physical and Technical safeguards: the standards grid
    // and the standards summary read these.
    static constexpr int kLastStandardRecord = 42;
    static constexpr int kFirstWorksheetRecord = 48;
    static constexpr int kWorksheetCount = 21;

    // The file is the given workbook's.
    explicit StatusTable(const Workbook &workbook);

    // Reads records 1-68 into slots 1-68 (when the Action Area opens).
    void loadStatusTable();
    // Re-reads records 1-42 into slots 1-42 only; the slots of the
    // Organizational, Documentation and worksheet records keep their values.
    void reloadStandardStatuses();

    bool isValidSlot(int index) const { return index >= 0 && index <= kLastSlot; }
    // Empty for a slot never filled and for an index outside 0-70.
    QString slot(int index) const;
    // False (nothing changed) for an index outside 0-70.
    bool setSlot(int index, const QString &text);

    // Writes the text to the record of Stat1.Fil, then to the slot. Returns
    // whether the file took it; the slot changes either way. False without
    // any change for a record outside 1-68.
    bool writeStatus(int record, const QString &text);

    // Empties worksheet index's (0-20) compliance status in file and slot.
    bool clearWorksheetStatus(int worksheetIndex);

    QString filePath() const;
    const Workbook &workbook() const { return workbook_; }

    // Why the statuses last loaded are not all what Stat1.Fil holds: the file
    // is there but could not be read, or records of it are damaged (they
    // read as blank). Empty when the file was read whole, or is missing.
    QString readProblem() const { return m_readProblem; }
    // Called with the slot's index after each change of a slot, and with -1
    // after records were read (the progress dashboard redraws); listeners
    // live as long as the table.
    void addChangeListener(std::function<void(int index)> listener);

    // Told of every status the file took that differs from the one before.
    void setRecorder(std::shared_ptr<DocumentRecorder> recorder) { m_recorder = std::move(recorder); }
    // Why the last change written to the file could not be kept in the
    // history (empty when it was); cleared by reading it.
    QString takeRecordingFailure() { return std::exchange(m_recordingFailure, QString()); }
    // When each record last changed, as far as the history knows.
    QHash<int, QDateTime> statusChangeTimes() const;

private:
    void readRecords(int first, int last);
    void notifyChanged(int index);
    std::vector<std::function<void(int)>> m_listeners;

    Workbook workbook_;
    QString m_readProblem;
    std::array<QString, kSlotCount> slots_;
    std::shared_ptr<DocumentRecorder> m_recorder;
    QString m_recordingFailure;
};
