#include "worksheets/worksheetfiles.h"

#include "platform/records/recordfile.h"
#include "platform/records/safefile.h"
#include "platform/records/storedfile.h"
#include "platform/records/workbookfileread.h"
#include "platform/records/windows1252.h"
#include "platform/rtf/rtf.h"

#include <QDir>
#include <QFileInfo>
#include <QTextDocument>
#include <QtEndian>

namespace Worksheets {
QString defaultTitle(int index)
{
    const int number = index + 1;
    return number < 10 ? QStringLiteral("Risk Analysis # %1").arg(number)
                       : QStringLiteral("Risk Analysis #%1").arg(number);
}

QString contentFileName(int index)
{
    return QStringLiteral("Wksht%1.Fil").arg(index);
}

QStringList readTitles(const Workbook &workbook, QString *problem)
{
    QStringList titles;
    const QString path = workbook.filePath(kTitleFile);
    const StoredFile::ReadResult read = StoredFile::read(path);
    if (problem)
        *problem = read.isUnreadable() ? read.error : QString();
    std::optional<RecordFile> file;
    if (read.state == StoredFile::State::Read)
        file.emplace(path, kTitleRecordLength);
    for (int index = 0; index < kCount; ++index) {
        const QString title = file ? file->readText(index + 1) : QString();
        titles << (title.isEmpty() ? defaultTitle(index) : title);
    }
    return titles;
}

bool saveTitles(const Workbook &workbook, const QStringList &entries, QString *error)
{
    const QString path = workbook.filePath(kTitleFile);
    StoredFile::ReadResult read = StoredFile::read(path); // missing: created by this save
    if (read.isUnreadable()) {
        if (error)
            *error = StoredFile::notWrittenOverMessage(path, read.error);
        return false;
    }
    QByteArray bytes = std::move(read.bytes);
    for (int k = 1; k <= qMin(int(entries.size()), kCount); ++k) {
        const QString &entry = entries.at(k - 1);
        if (entry.isEmpty())
            continue;
        const QByteArray text = Windows1252::encode(entry);
        if (text.size() > kTitleRecordLength - 2) {
            if (error)
                *error = QStringLiteral("The title \"%1\" is too long.").arg(entry);
            return false;
        }
        QByteArray record(kTitleRecordLength, '\0');
        qToLittleEndian<quint16>(quint16(text.size()), record.data());
        record.replace(2, text.size(), text);
        const qsizetype offset = qsizetype(k - 1) * kTitleRecordLength;
        if (bytes.size() < offset + kTitleRecordLength)
            bytes.append(QByteArray(offset + kTitleRecordLength - bytes.size(), '\0'));
        bytes.replace(offset, kTitleRecordLength, record);
    }
    return writeFileSafely(path, bytes, error);
}

bool isStorableInTitle(const QString &text)
{
    return Windows1252::decode(Windows1252::encode(text)) == text;
}

bool hasContent(const QString &path)
{
    QTextDocument document;
    if (!Rtf::loadFile(path, &document))
        return false;
    return !document.toPlainText().trimmed().isEmpty();
}

} // namespace Worksheets
