#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// "DiskInfo.bk1", the mark on every backup medium: a record file of 30-byte
// text records.
//
//   1  "HIPAA"                       4  index of the last numbered file whose
//   2  this disk's number               turn was completed here (162 on the
//   3  the next disk's number on a      last disk)
//      disk that filled up; a        5  never written, ignored when read
//      continuation disk's own       6  "T1"
//      number on the last disk
//
// Numbers are plain decimal text. Records never written are zero bytes, so
// the file is always 180 bytes long.
struct DiskInfo
{
    static constexpr int kRecordLength = 30;
    static constexpr int kRecordCount = 6;
    static inline const QString kFileName = QStringLiteral("DiskInfo.bk1");
    static inline const QString kMark = QStringLiteral("HIPAA");

    QString mark = kMark;
    int diskNumber = 1;
    std::optional<int> record3;
    int lastIndex = 0;

    // Record 1, leading spaces removed, is the mark.
    bool isBackupDisk() const;

    QByteArray toBytes() const;
    // Lenient, as every record file is read: short files and damaged records
    // read as empty texts, numbers by their leading digits.
    static DiskInfo fromBytes(const QByteArray &bytes);
};
