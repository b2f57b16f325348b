#include "platform/records/recordfile.h"

#include "platform/records/readonlyworkbooks.h"

#include "platform/records/filenames.h"
#include "platform/records/windows1252.h"

#include <QFileInfo>
#include <QMutex>
#include <QtEndian>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

// The files currently open, for closeAllRecordFiles().
QMutex &registryMutex()
{
    static QMutex mutex;
    return mutex;
}

std::vector<RecordFile *> &openFiles()
{
    static std::vector<RecordFile *> files;
    return files;
}

quint16 readUInt16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

void putUInt16(QByteArray &bytes, qsizetype at, quint16 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

} // namespace

RecordFile::RecordFile(const QString &name, int recordLength)
    : m_recordLength(recordLength)
{
    {
        QMutexLocker lock(&registryMutex());
        openFiles().push_back(this);
    }
    if (recordLength < kMinRecordLength || recordLength > kMaxRecordLength || name.isEmpty())
        return;
    m_file.setFileName(findFileIgnoringCase(name));
    // A read-only workbook is neither written nor given files it lacks, and
    // a link's target lies outside the workbook: both are read, never written.
    if (ReadOnlyWorkbooks::refusesWriteTo(m_file.fileName()) || QFileInfo(m_file.fileName()).isSymLink()) {
        if (m_file.exists())
            m_file.open(QIODevice::ReadOnly);
        return;
    }
    if (!m_file.open(QIODevice::ReadWrite) && m_file.exists())
        m_file.open(QIODevice::ReadOnly);
}

RecordFile::~RecordFile()
{
    close();
    QMutexLocker lock(&registryMutex());
    auto &files = openFiles();
    files.erase(std::remove(files.begin(), files.end(), this), files.end());
}

void RecordFile::close()
{
    m_file.close();
}

int RecordFile::recordCount() const
{
    if (!m_file.isOpen())
        return 0;
    return int(std::min<qint64>(m_file.size() / m_recordLength, std::numeric_limits<int>::max()));
}

std::optional<QByteArray> RecordFile::readRecord(int recordNo)
{
    if (!m_file.isOpen() || recordNo < 1)
        return std::nullopt;
    const qint64 offset = qint64(recordNo - 1) * m_recordLength;
    if (offset + m_recordLength > m_file.size() || !m_file.seek(offset))
        return std::nullopt;
    QByteArray record = m_file.read(m_recordLength);
    if (record.size() != m_recordLength)
        return std::nullopt;
    return record;
}

bool RecordFile::writeRecord(int recordNo, QByteArray record)
{
    Q_ASSERT(record.size() == m_recordLength);
    if (!isWritable() || recordNo < 1)
        return false;
    const qint64 offset = qint64(recordNo - 1) * m_recordLength;
    if (offset + m_recordLength > kMaxFileSize)
        return false;

    // Records skipped over must read as empty: fill the gap with zeros
    // ourselves rather than rely on the file system's holes.
    const qint64 size = m_file.size();
    if (size < offset) {
        if (!m_file.seek(size))
            return false;
        const QByteArray gap(offset - size, '\0');
        if (m_file.write(gap) != gap.size())
            return false;
    }
    if (!m_file.seek(offset) || m_file.write(record) != record.size())
        return false;
    return m_file.flush();
}

QString RecordFile::readText(int recordNo)
{
    const std::optional<QByteArray> record = readRecord(recordNo);
    if (!record)
        return QString();
    return decodeTextRecord(*record);
}

QString RecordFile::decodeTextRecord(QByteArrayView record)
{
    if (record.size() < kMinRecordLength)
        return QString();
    const int length = qFromLittleEndian<quint16>(record.data());
    if (length > record.size() - 2)
        return QString();
    return Windows1252::decode(record.sliced(2, length));
}

std::optional<QByteArray> RecordFile::encodeTextRecord(const QString &text, int recordLength)
{
    if (recordLength < kMinRecordLength || recordLength > kMaxRecordLength)
        return std::nullopt;
    const QByteArray bytes = Windows1252::encode(text);
    if (bytes.size() > recordLength - 2)
        return std::nullopt;
    QByteArray record(recordLength, '\0');
    putUInt16(record, 0, quint16(bytes.size()));
    std::copy(bytes.cbegin(), bytes.cend(), record.begin() + 2);
    return record;
}

bool RecordFile::writeText(int recordNo, const QString &text)
{
    // Also guards the record buffer: a file with an unusable length is never open.
    if (!isWritable())
        return false;
    std::optional<QByteArray> record = encodeTextRecord(text, m_recordLength);
    if (!record)
        return false;
    return writeRecord(recordNo, *record);
}

TaggedValue RecordFile::readTagged(int recordNo)
{
    const std::optional<QByteArray> record = readRecord(recordNo);
    if (!record)
        return TaggedValue();
    switch (TaggedValue::Type(readUInt16(*record, 0))) {
    case TaggedValue::Type::Integer:
        if (m_recordLength < 6)
            return TaggedValue();
        return TaggedValue(qFromLittleEndian<qint32>(record->constData() + 2));
    case TaggedValue::Type::Text: {
        if (m_recordLength < 4)
            return TaggedValue();
        const int length = readUInt16(*record, 2);
        if (length > m_recordLength - 4)
            return TaggedValue();
        return TaggedValue(Windows1252::decode(QByteArrayView(*record).sliced(4, length)));
    }
    case TaggedValue::Type::Empty:
        break;
    }
    return TaggedValue();
}

bool RecordFile::writeTagged(int recordNo, const TaggedValue &value)
{
    if (!isWritable())
        return false;
    QByteArray record(m_recordLength, '\0');
    putUInt16(record, 0, quint16(value.type()));
    switch (value.type()) {
    case TaggedValue::Type::Empty:
        break;
    case TaggedValue::Type::Integer:
        if (m_recordLength < 6)
            return false;
        qToLittleEndian(value.toInteger(), record.data() + 2);
        break;
    case TaggedValue::Type::Text: {
        const QByteArray bytes = Windows1252::encode(value.toText());
        if (bytes.size() > m_recordLength - 4)
            return false;
        putUInt16(record, 2, quint16(bytes.size()));
        std::copy(bytes.cbegin(), bytes.cend(), record.begin() + 4);
        break;
    }
    }
    return writeRecord(recordNo, record);
}

// ---- free functions ---------------------------------------------------------

RecordFile openRecordFile(const QString &name, int recordLength)
{
    return RecordFile(name, recordLength);
}

void closeAllRecordFiles()
{
    QMutexLocker lock(&registryMutex());
    for (RecordFile *file : openFiles())
        file->close();
}

QString readTextRecord(const QString &name, int recordLength, int recordNo)
{
    RecordFile file(name, recordLength);
    return file.readText(recordNo);
}

bool writeTextRecord(const QString &name, int recordLength, int recordNo, const QString &text)
{
    RecordFile file(name, recordLength);
    return file.writeText(recordNo, text);
}

TaggedValue readTaggedRecord(const QString &name, int recordLength, int recordNo)
{
    RecordFile file(name, recordLength);
    return file.readTagged(recordNo);
}

bool writeTaggedRecord(const QString &name, int recordLength, int recordNo,
                       const TaggedValue &value)
{
    RecordFile file(name, recordLength);
    return file.writeTagged(recordNo, value);
}
