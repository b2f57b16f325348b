// The asset import read from arbitrary bytes: whatever a CSV file holds,
// reading never crashes, a clean read gives only named assets, every fault
// names a line of the file, and the records the reader returns are written
// back by the spreadsheet's CSV writer and read again unchanged.

#include "platform/spreadsheet/spreadsheet.h"
#include "risk/assetimport.h"
#include "risk/csvreader.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    BusinessAssociate associate;
    associate.id = 1;
    associate.name = QStringLiteral("Cloud EHR Inc.");

    const AssetImport::Result result = AssetImport::parse(bytes, {associate});
    check(!result.ok() || !result.assets.isEmpty());
    check(result.ok() || result.assets.isEmpty());
    check(result.errors.size() <= AssetImport::kMaxErrors + 1);
    for (const RiskAsset &asset : result.assets) {
        check(!asset.name.trimmed().isEmpty());
        check(asset.associateId == 0 || asset.associateId == 1);
        check(!asset.recordCount || *asset.recordCount >= 0);
    }
    const QString text = CsvReader::decode(bytes);
    // Lines counted as the reader counts them (CR LF, LF or CR).
    int lines = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\n') || (text.at(i) == QLatin1Char('\r') && !(i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))))
            ++lines;
    }
    for (const QString &error : result.errors) {
        if (!error.startsWith(QLatin1String("line ")))
            continue;   // the "... and more" note
        const int line = error.mid(5, error.indexOf(QLatin1Char(':')) - 5).toInt();
        check(line >= 1 && line <= lines);
    }

    const CsvReader::Result records = CsvReader::parse(text);
    if (records.errors.isEmpty() && !records.records.isEmpty()) {
        // Written with the export's writer (first record as header), read back.
        SpreadsheetTable table;
        table.header = records.records.constFirst().fields;
        for (qsizetype i = 1; i < records.records.size(); ++i) {
            QVariantList row;
            for (const QString &field : records.records.at(i).fields)
                row << field;
            table.rows << row;
        }
        const CsvReader::Result again = CsvReader::parse(CsvReader::decode(Spreadsheet::csvBytes(table)));
        check(again.errors.isEmpty());
        // A record of one empty field is a blank line to the reader; the
        // writer writes it as one.
        qsizetype j = 0;
        for (const CsvReader::Record &record : records.records) {
            if (record.fields.size() == 1 && record.fields.constFirst().isEmpty())
                continue;
            check(j < again.records.size());
            check(again.records.at(j).fields == record.fields);
            ++j;
        }
        check(j == again.records.size());
    }
    return 0;
}
