#include "backup/diskinfo.h"

#include "platform/records/numbertext.h"
#include "platform/records/recordfile.h"

namespace {

void putRecord(QByteArray &bytes, int recordNo, const QString &text)
{
    const std::optional<QByteArray> record = RecordFile::encodeTextRecord(text, DiskInfo::kRecordLength);
    Q_ASSERT(record);
    bytes.replace((recordNo - 1) * DiskInfo::kRecordLength, DiskInfo::kRecordLength, *record);
}

QString recordText(const QByteArray &bytes, int recordNo)
{
    const qsizetype offset = qsizetype(recordNo - 1) * DiskInfo::kRecordLength;
    if (offset + DiskInfo::kRecordLength > bytes.size())
        return QString();
    return RecordFile::decodeTextRecord(QByteArrayView(bytes).sliced(offset, DiskInfo::kRecordLength));
}

} // namespace

bool DiskInfo::isBackupDisk() const
{
    qsizetype start = 0;
    while (start < mark.size() && mark.at(start) == QLatin1Char(' '))
        ++start;
    return QStringView(mark).sliced(start) == kMark;
}

QByteArray DiskInfo::toBytes() const
{
    QByteArray bytes(kRecordCount * kRecordLength, '\0');
    putRecord(bytes, 1, mark);
    putRecord(bytes, 2, numberToText(diskNumber));
    if (record3)
        putRecord(bytes, 3, numberToText(*record3));
    putRecord(bytes, 4, numberToText(lastIndex));
    putRecord(bytes, 6, QStringLiteral("T1"));
    return bytes;
}

DiskInfo DiskInfo::fromBytes(const QByteArray &bytes)
{
    DiskInfo info;
    info.mark = recordText(bytes, 1);
    info.diskNumber = textToInteger(recordText(bytes, 2));
    const QString third = recordText(bytes, 3);
    if (!third.isEmpty())
        info.record3 = textToInteger(third);
    info.lastIndex = textToInteger(recordText(bytes, 4));
    return info;
}
