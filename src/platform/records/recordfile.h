#pragma once

#include "platform/records/taggedvalue.h"

#include <QFile>
#include <QString>

#include <optional>

// A file of fixed-length records addressed by a 1-based number: record n
// occupies bytes (n - 1) * L to n * L - 1; no header, no count.
//
//   text record:   16-bit LE length N, N Windows-1252 bytes, zero padding
//   tagged record: 16-bit LE tag; tag 3: int32 LE; tag 8: 16-bit LE length
//                  and the text; tag 0 (and any unknown tag): empty
//
// Every access is open, read or write, close within one user action:
//
//   RecordFile file(QStringLiteral("Stat1.Fil"), 20);   // openRecordFile
//   const QString status = file.readText(3);
//   file.writeText(3, QStringLiteral("Completed"));
//   // closed when `file` goes (or by closeAllRecordFiles())
//
// Nothing here throws or reports: a failed open reads as empty and refuses
// writes. A record lying wholly or partly beyond the end of the file reads as
// empty; a record whose stored length cannot fit the record (a damaged file)
// reads as empty too, never as bytes of the padding or the next record.
class RecordFile
{
public:
    // Record lengths outside this range cannot hold a text record (or exceed
    // what the 16-bit lengths can describe); such a file is never opened.
    static constexpr int kMinRecordLength = 2;
    static constexpr int kMaxRecordLength = 32767;
    // A write that would make the file longer than this is refused: record
    // numbers come from the program, and a wild one must not fill the disk.
    static constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

    // Opens the file for reading and writing, creating it empty when missing.
    // An existing file is found whatever the case of its name. A file that
    // cannot be written (read-only medium) is still opened for reading, and
    // so is a symbolic link: its target lies elsewhere and is never written.
    RecordFile(const QString &name, int recordLength);
    ~RecordFile();
    RecordFile(const RecordFile &) = delete;
    RecordFile &operator=(const RecordFile &) = delete;

    bool isOpen() const { return m_file.isOpen(); }
    bool isWritable() const { return m_file.isOpen() && m_file.isWritable(); }
    QString filePath() const { return m_file.fileName(); }
    int recordLength() const { return m_recordLength; }
    // The number of whole records the file holds.
    int recordCount() const;

    QString readText(int recordNo);
    // False (record unchanged) when the file is not writable, the record
    // number is out of range, or the encoded text is longer than L - 2 bytes.
    bool writeText(int recordNo, const QString &text);

    TaggedValue readTagged(int recordNo);
    // False (record unchanged) when the value does not fit the record.
    bool writeTagged(int recordNo, const TaggedValue &value);

    void close();

    // The bytes of one text record and their reading, for files whose
    // records are written through other means (a backup medium): nothing
    // when the text does not fit; an empty text for a damaged record.
    static std::optional<QByteArray> encodeTextRecord(const QString &text, int recordLength);
    static QString decodeTextRecord(QByteArrayView record);

private:
    std::optional<QByteArray> readRecord(int recordNo);
    bool writeRecord(int recordNo, QByteArray record);

    QFile m_file;
    int m_recordLength;
};

// The operations by their usual names. openRecordFile returns the open file
// (guaranteed elision: `auto file = openRecordFile(name, 20);`).
RecordFile openRecordFile(const QString &name, int recordLength);
// Closes every RecordFile still open; the objects stay valid but closed.
void closeAllRecordFiles();

// One complete access each: open, read or write one record, close.
QString readTextRecord(const QString &name, int recordLength, int recordNo);
bool writeTextRecord(const QString &name, int recordLength, int recordNo, const QString &text);
TaggedValue readTaggedRecord(const QString &name, int recordLength, int recordNo);
bool writeTaggedRecord(const QString &name, int recordLength, int recordNo,
                       const TaggedValue &value);
