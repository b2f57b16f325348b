// RAList.Fil, the worksheet titles, read from arbitrary bytes through its
// typed reader: always 21 titles, none empty, each within its record; a
// title written back reads the same.
#include "worksheets/worksheetfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!workDir().isValid())
        return 0;
    const QString folder = workDir().path();
    const Workbook workbook(folder);
    {
        QFile file(QDir(folder).filePath(Worksheets::kTitleFile));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const QStringList titles = Worksheets::readTitles(workbook);
    check(titles.size() == Worksheets::kCount);
    for (const QString &title : titles)
        check(!title.isEmpty() && title.size() <= Worksheets::kTitleRecordLength - 2);

    QString error;
    if (Worksheets::saveTitles(workbook, titles, &error))
        check(Worksheets::readTitles(workbook) == titles);
    return 0;
}
