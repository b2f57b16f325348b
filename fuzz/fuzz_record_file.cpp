// Record files read from arbitrary bytes: whatever a damaged or foreign file
// holds, reading never goes outside the record, texts stay within the record
// length, and what was read can be written back and read again unchanged.
//
// Input: byte 0 picks the record length, byte 1 a record number to rewrite,
// the rest is the file.

#include "platform/records/recordfile.h"
#include "platform/records/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

constexpr std::array<int, 12> kRecordLengths = {20, 10, 30, 2, 4, 6, 1, 0, 3, 7, 32767, 40000};

void check(bool condition)
{
    if (!condition)
        std::abort();
}

const QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    return dir;
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

void readEveryRecord(const QString &path, int recordLength, int rewriteNo)
{
    RecordFile file(path, recordLength);
    const bool usable = recordLength >= RecordFile::kMinRecordLength
                        && recordLength <= RecordFile::kMaxRecordLength;
    check(file.isOpen() == usable);
    if (!usable)
        return;

    const int count = file.recordCount();
    for (int n : {std::numeric_limits<int>::min(), -1, 0, count + 1, count + 2,
                  std::numeric_limits<int>::max()}) {
        check(file.readText(n).isEmpty());
        check(file.readTagged(n).isEmpty());
    }
    for (int n = 1; n <= count; ++n) {
        const QString text = file.readText(n);
        check(text.size() <= recordLength - 2);
        const TaggedValue tagged = file.readTagged(n);
        check(!tagged.isText() || tagged.toText().size() <= recordLength - 4);
    }

    // Read, write back, read again: the value must survive.
    if (count == 0)
        return;
    const int n = 1 + rewriteNo % (count + 3);
    const QString text = file.readText(n);
    check(file.writeText(n, text));
    check(file.readText(n) == text);
    const TaggedValue tagged = file.readTagged(n);
    if (file.writeTagged(n, tagged))
        check(file.readTagged(n) == tagged);
    else
        check(tagged.isInteger() && recordLength < 6);
    check(file.recordCount() == std::max(count, n));
}

void readSettings(const QByteArray &bytes)
{
    const QDir dir(workDir().path());
    writeBytes(dir.filePath(SettingsStore::kColourFile), bytes);
    writeBytes(dir.filePath(SettingsStore::kStartColourFile), bytes);
    const SettingsStore store{Workbook(dir.path())};
    const int picture = store.gridBackground();
    check(picture >= 0 && picture <= SettingsStore::kGridPictureCount);
    const int guideLines = store.guideLinesShown();
    check(guideLines == 0 || guideLines == 1);
    store.smallerDisplay();
    const StartScreenColour colour = store.startScreenColour();
    check(colour.systemDefault || colour.bgr <= 0xFFFFFF);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2 || !workDir().isValid())
        return 0;
    const int recordLength = kRecordLengths[data[0] % kRecordLengths.size()];
    const int rewriteNo = data[1];
    const QByteArray bytes(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));

    const QString path = QDir(workDir().path()).filePath(QStringLiteral("Fuzz.Fil"));
    if (!writeBytes(path, bytes))
        return 0;
    readEveryRecord(path, recordLength, rewriteNo);
    readSettings(bytes);
    closeAllRecordFiles();
    return 0;
}
