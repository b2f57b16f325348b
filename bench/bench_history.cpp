// The workbook's history on real database files: recording a save of a 20 KB
// entry (goal under 30 ms, with the search index once it is in), listing
// 1,000 versions (under 50 ms), comparing two 20-page versions word by word
// (under 100 ms), and the database's growth over 100 saves of a 20 KB entry
// (under 1 MB; reported as the counter "growth_bytes").
#include "history/documenthistory.h"
#include "history/worddiff.h"
#include "platform/database/workbookdatabase.h"
#include "platform/database/workbooksettings.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// About `words` words of entry-like prose; variant changes a few of them.
QString prose(int words, int variant)
{
    static const char *const kWords[] = {"encryption", "laptops",  "access",   "review",  "policy", "backup",
                                         "workforce",  "training", "incident", "audit",   "risk",   "password",
                                         "facility",   "device",   "media",    "contingency"};
    QString text;
    for (int i = 0; i < words; ++i) {
        const int pick = (i * 7 + (i % 53 == 0 ? variant : 0)) % 16;
        text += QLatin1String(kWords[pick]);
        text += (i % 17 == 16) ? QStringLiteral(".\n") : QStringLiteral(" ");
    }
    return text;
}

QByteArray entryBytes(int variant)
{
    // About 20 KB of RTF.
    return "{\\rtf1\\ansi\\deff0 " + prose(2200, variant).toLatin1().replace("\n", "\\par\n") + "}";
}

struct Rig
{
    QTemporaryDir folder;
    std::shared_ptr<WorkbookDatabase> database = std::make_shared<WorkbookDatabase>(Workbook(folder.path()));
    DocumentHistory history{database};
    Rig()
    {
        database->open();
        database->setSetting(QLatin1String(WorkbookSettingKey::YourName), QStringLiteral("Bench"));
    }
};

void BM_RecordSave(benchmark::State &state)
{
    Rig rig;
    int variant = 0;
    QString error;
    for (auto _ : state) {
        const QByteArray bytes = entryBytes(++variant);
        if (!rig.history.documentSaved(QStringLiteral("Action12.Fil"), bytes, &error))
            state.SkipWithError(qPrintable(error));
    }
}
BENCHMARK(BM_RecordSave)->Unit(benchmark::kMillisecond);

void BM_ListThousandVersions(benchmark::State &state)
{
    Rig rig;
    QString error;
    rig.database->transact([&](QSqlDatabase &db, QString *reason) {
        for (int i = 0; i < 1000; ++i) {
            const QByteArray bytes = "{\\rtf1 version " + QByteArray::number(i) + "}";
            if (!VersionStore::add(db, {QStringLiteral("Policy3.Fil"), bytes,
                                        QDateTime::currentDateTimeUtc().addSecs(i), QStringLiteral("Bench"),
                                        VersionStore::Kind::Saved},
                                   reason))
                return false;
        }
        return true;
    }, &error);
    for (auto _ : state) {
        const QList<VersionStore::Version> versions = rig.history.versions(QStringLiteral("Policy3.Fil"));
        if (versions.size() != 1000)
            state.SkipWithError("wrong count");
        benchmark::DoNotOptimize(versions);
    }
}
BENCHMARK(BM_ListThousandVersions)->Unit(benchmark::kMillisecond);

void BM_CompareTwentyPages(benchmark::State &state)
{
    // Twenty pages of about 500 words.
    const QString older = prose(10000, 1);
    QString newer = prose(10000, 2);
    newer.insert(newer.size() / 2, QStringLiteral("a new paragraph in the middle of the plan.\n"));
    for (auto _ : state) {
        const auto segments = WordDiff::compare(older, newer);
        benchmark::DoNotOptimize(WordDiff::toHtml(segments));
    }
}
BENCHMARK(BM_CompareTwentyPages)->Unit(benchmark::kMillisecond);

void BM_GrowthOfHundredSaves(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Rig rig;
        const qint64 before = QFileInfo(rig.database->filePath()).size();
        state.ResumeTiming();
        QString error;
        for (int i = 0; i < 100; ++i)
            rig.history.documentSaved(QStringLiteral("Action7.Fil"), entryBytes(i), &error);
        state.PauseTiming();
        state.counters["growth_bytes"] = double(QFileInfo(rig.database->filePath()).size() - before);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GrowthOfHundredSaves)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
