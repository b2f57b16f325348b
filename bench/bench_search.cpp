// Search over a full workbook (141 entries of 20 KB, 21 worksheets, a to-do
// list of 500 items): building the whole index from nothing (goal under
// 1 s), one query (under 20 ms), and a save recorded as a version with its
// index update (under 30 ms).
#include "history/documenthistory.h"
#include "platform/database/workbookdatabase.h"
#include "platform/database/workbooksettings.h"
#include "search/searchindex.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString prose(int words, int seed)
{
    static const char *const kWords[] = {"encryption", "laptops",  "access",   "review",  "policy",   "backup",
                                         "workforce",  "training", "incident", "audit",   "risk",     "password",
                                         "facility",   "device",   "media",    "contingency", "sanction", "log"};
    QString text;
    for (int i = 0; i < words; ++i) {
        text += QLatin1String(kWords[(i * 7 + seed * 13 + i / 11) % 18]);
        text += (i % 17 == 16) ? QStringLiteral(".\n") : QStringLiteral(" ");
    }
    return text;
}

QByteArray rtfOf(const QString &text)
{
    return "{\\rtf1\\ansi\\deff0 " + text.toLatin1().replace("\n", "\\par\n") + "}";
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

struct FullWorkbook
{
    QTemporaryDir folder;
    std::shared_ptr<WorkbookDatabase> database;

    FullWorkbook()
    {
        int written = 0;
        for (const SearchIndex::Document &document : SearchIndex::userDocuments()) {
            if (document.place.kind == SearchIndex::Place::Kind::Entry && written < 141) {
                writeAll(folder.filePath(document.name), rtfOf(prose(2200, written)));
                ++written;
            } else if (document.place.kind == SearchIndex::Place::Kind::Worksheet) {
                writeAll(folder.filePath(document.name), rtfOf(prose(1500, document.place.worksheetIndex)));
            }
        }
        QByteArray todo;
        for (int i = 0; i < 500; ++i)
            todo += "\"Review item " + QByteArray::number(i) + " of the security plan\",\"1/5/2026\",\"\",\"\"\r\n";
        writeAll(folder.filePath(QStringLiteral("TODOActv.FIL")), todo);
        database = std::make_shared<WorkbookDatabase>(Workbook(folder.path()));
        database->open();
        database->setSetting(QLatin1String(WorkbookSettingKey::YourName), QStringLiteral("Bench"));
    }
};

void BM_BuildWholeIndex(benchmark::State &state)
{
    FullWorkbook workbook;
    for (auto _ : state) {
        QString reason;
        if (!SearchIndex::rebuild(*workbook.database, &reason))
            state.SkipWithError(qPrintable(reason));
    }
}
BENCHMARK(BM_BuildWholeIndex)->Unit(benchmark::kMillisecond);

void BM_Query(benchmark::State &state)
{
    FullWorkbook workbook;
    SearchIndex::rebuild(*workbook.database);
    const QStringList queries{QStringLiteral("encryption laptops"), QStringLiteral("contin*"),
                              QStringLiteral("\"incident audit\""), QStringLiteral("zebra")};
    int i = 0;
    for (auto _ : state) {
        const auto report = SearchIndex::query(*workbook.database, queries.at(i++ % queries.size()), false);
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(BM_Query)->Unit(benchmark::kMillisecond);

void BM_SaveWithVersionAndIndex(benchmark::State &state)
{
    FullWorkbook workbook;
    SearchIndex::rebuild(*workbook.database);
    DocumentHistory history(workbook.database);
    const Workbook value = workbook.database->workbook();
    history.setIndexer([value](QSqlDatabase &db, const QString &name, const QByteArray &bytes, QString *reason) {
        return SearchIndex::indexDocument(db, value, name, bytes, reason);
    });
    int variant = 0;
    for (auto _ : state) {
        const QByteArray bytes = rtfOf(prose(2200, ++variant));
        QString error;
        // The file write is the save itself; timed with it, as the user waits for both.
        writeAll(workbook.folder.filePath(QStringLiteral("Action5.Fil")), bytes);
        if (!history.documentSaved(QStringLiteral("Action5.Fil"), bytes, &error))
            state.SkipWithError(qPrintable(error));
    }
}
BENCHMARK(BM_SaveWithVersionAndIndex)->Unit(benchmark::kMillisecond);

} // namespace
