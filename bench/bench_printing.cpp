// How long printing takes: a safeguard report with all six sections, the
// standards summary, all 47 policies (each the size of a shipped template)
// composed and written as PDF, and one preview page painted. Goals: report
// under 100 ms, all policies under 1 s composed and under 2 s to PDF, a
// preview page under 30 ms.
#include "actionarea/entrytemplates.h"
#include "catalogue/safeguardcatalogue.h"
#include "platform/records/contentfolder.h"
#include "printing/allpolicies.h"
#include "printing/printsurface.h"
#include "printing/safeguardreport.h"
#include "printing/standardssummary.h"
#include "support/tempworkbook.h"

#include <QFile>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

QByteArray shipped(const QString &name)
{
    QFile file(shippedContentFolder() + QLatin1Char('/') + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A workbook whose every safeguard has a policy (its own template, or the
// first template for the overviews) and whose Risk Analysis has all three
// entries.
struct FullWorkbook
{
    TempWorkbook workbook;

    FullWorkbook()
    {
        for (int n = 0; n < Catalogue::SafeguardCount; ++n) {
            const int number = EntryTemplates::templateNumber(
                                   Catalogue::groupInfo(Catalogue::safeguardAt(n).group).workMode, n)
                                   .value_or(14);
            workbook.writeFile(QStringLiteral("Policy%1.Fil").arg(n),
                               shipped(EntryTemplates::templateFileName(number)));
        }
        const QByteArray entry = shipped(EntryTemplates::templateFileName(14));
        workbook.writeFile(QStringLiteral("Action0.Fil"), entry);
        workbook.writeFile(QStringLiteral("Comment0.Fil"), entry);
    }
};

FullWorkbook &fullWorkbook()
{
    static FullWorkbook workbook;
    return workbook;
}

void BM_SafeguardReportAllSixSections(benchmark::State &state)
{
    FullWorkbook &book = fullWorkbook();
    int pages = 0;
    for (auto _ : state) {
        SafeguardReport report(shippedContentFolder());
        report.reset(0);
        report.loadEntryScratches(book.workbook.path());
        PrintSurface surface;
        SafeguardReport::Sections all;
        all.fill(true);
        report.compose(surface, all);
        pages = surface.pageCount();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_SafeguardReportAllSixSections)->Unit(benchmark::kMillisecond);

void BM_StandardsSummaryAll(benchmark::State &state)
{
    for (auto _ : state) {
        PrintSurface surface;
        StandardsSummary::compose(
            surface, {true}, [](int) { return QStringLiteral("Completed"); }, Qt::black, QDate(2026, 1, 1));
        benchmark::DoNotOptimize(surface.pageCount());
    }
}
BENCHMARK(BM_StandardsSummaryAll)->Unit(benchmark::kMillisecond);

void BM_AllPoliciesComposed(benchmark::State &state)
{
    FullWorkbook &book = fullWorkbook();
    int pages = 0;
    for (auto _ : state) {
        PrintSurface surface;
        AllPolicies::compose(surface, book.workbook.path(), QFont(QStringLiteral("Times New Roman"), 12),
                             Qt::black);
        pages = surface.pageCount();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_AllPoliciesComposed)->Unit(benchmark::kMillisecond);

void BM_AllPoliciesToPdf(benchmark::State &state)
{
    FullWorkbook &book = fullWorkbook();
    qsizetype bytes = 0;
    for (auto _ : state) {
        PrintSurface surface;
        AllPolicies::compose(surface, book.workbook.path(), QFont(QStringLiteral("Times New Roman"), 12),
                             Qt::black);
        bytes = surface.pdf({QStringLiteral("All policies")}).size();
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_AllPoliciesToPdf)->Unit(benchmark::kMillisecond);

// One page as the preview paints it: the normal panel shows a whole page
// about 420 pixels high, the enlarged one about 760 pixels wide.
void BM_PreviewPage(benchmark::State &state)
{
    FullWorkbook &book = fullWorkbook();
    PrintSurface surface;
    AllPolicies::compose(surface, book.workbook.path(), QFont(QStringLiteral("Times New Roman"), 12), Qt::black);
    const qreal scale = state.range(0) / 12240.0;
    int page = 0;
    for (auto _ : state) {
        QImage image(qRound(12240 * scale), qRound(15840 * scale), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        surface.renderPage(painter, page, scale);
        painter.end();
        page = (page + 1) % surface.pageCount();
    }
}
BENCHMARK(BM_PreviewPage)->Arg(325)->Arg(760)->Unit(benchmark::kMillisecond);

} // namespace
