// The risk register at the size of a large practice: 500 assets, 2,000
// risks, 100 business associates. Goals: the panel opened with its overview
// drawn under 100 ms; a filter keystroke under 16 ms; saving one edited
// risk, committed to disk, under 20 ms; the risk analysis as PDF under 3 s;
// the XLSX export under 1 s; the database snapshot of a backup under 200 ms;
// what the Action Area reads for its review warning when it opens (the
// register not yet opened) under 5 ms, against reading the whole register.
#include "../tests/risk/clinicregister.h"

#include "platform/database/workbookdatabase.h"
#include "platform/records/workbook.h"
#include "printing/printsurface.h"
#include "risk/evidencestore.h"
#include "risk/registertables.h"
#include "risk/reports/riskreports.h"
#include "risk/riskstore.h"
#include "risk/threatlibrary.h"
#include "risk/ui/riskregisterpanel.h"
#include "support/testservices.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// One large register, made once (filling it commits 2,600 transactions).
struct Register
{
    QTemporaryDir dir;
    Workbook workbook{dir.path()};
    WorkbookDatabase database{workbook};
    RiskStore store{database};
    EvidenceStore evidence{database};
    ThreatLibrary threats;
    TestServices services = makeTestServices();

    Register()
    {
        database.open();
        store.load();
        ClinicRegister::fillLarge(store, QDate(2026, 6, 15), 500, 2000, 100);
    }
    static Register &instance()
    {
        static Register r;
        return r;
    }
    RiskRegisterPanel::Hooks hooks() const
    {
        RiskRegisterPanel::Hooks h;
        h.today = [] { return QDate(2026, 6, 15); };
        h.timelineFolder = dir.path();
        return h;
    }
};

void BM_OpenPanelWithOverview(benchmark::State &state)
{
    Register &r = Register::instance();
    for (auto _ : state) {
        RiskRegisterPanel panel(r.store, r.evidence, r.threats, r.services.services, r.hooks());
        panel.resize(1366, 768);
        panel.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(panel.grab());
    }
}
BENCHMARK(BM_OpenPanelWithOverview)->Unit(benchmark::kMillisecond);

void BM_ReviewStateAtStart(benchmark::State &state)
{
    Register &r = Register::instance();
    for (auto _ : state)
        benchmark::DoNotOptimize(RiskStore::readReviewState(r.database));
}
BENCHMARK(BM_ReviewStateAtStart)->Unit(benchmark::kMillisecond);

void BM_LoadWholeRegister(benchmark::State &state)
{
    Register &r = Register::instance();
    RiskStore store(r.database);
    for (auto _ : state)
        benchmark::DoNotOptimize(store.load());
}
BENCHMARK(BM_LoadWholeRegister)->Unit(benchmark::kMillisecond);

void BM_FilterKeystroke(benchmark::State &state)
{
    Register &r = Register::instance();
    RiskRegisterPanel panel(r.store, r.evidence, r.threats, r.services.services, r.hooks());
    panel.resize(1366, 768);
    panel.show();
    panel.tabs()->setCurrentIndex(RiskRegisterPanel::RisksTab);
    QCoreApplication::processEvents();
    QLineEdit *filter = panel.filterBox(RiskRegisterPanel::RisksTab);
    const QStringList texts = {QStringLiteral("t"), QStringLiteral("th"), QStringLiteral("thr"), QStringLiteral("threat 1")};
    int i = 0;
    for (auto _ : state) {
        filter->setText(texts.at(i++ % texts.size()));
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(panel.view(RiskRegisterPanel::RisksTab)->model()->rowCount());
    }
}
BENCHMARK(BM_FilterKeystroke)->Unit(benchmark::kMillisecond);

void BM_SaveOneRisk(benchmark::State &state)
{
    Register &r = Register::instance();
    Risk risk = r.store.risks().at(1000);
    int n = 0;
    for (auto _ : state) {
        risk.plannedMeasures = QStringLiteral("Edited %1").arg(n++);
        if (!r.store.saveRisk(risk))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveOneRisk)->Unit(benchmark::kMillisecond);

void BM_RiskAnalysisPdf(benchmark::State &state)
{
    Register &r = Register::instance();
    for (auto _ : state) {
        PrintSurface surface;
        RiskReports::Options options;
        options.today = QDate(2026, 6, 15);
        RiskReports::composeAnalysis(surface, r.store, options);
        benchmark::DoNotOptimize(surface.pdf(PdfInfo{RiskReports::kAnalysisTitle}));
        state.counters["pages"] = surface.pageCount();
    }
}
BENCHMARK(BM_RiskAnalysisPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RegisterXlsx(benchmark::State &state)
{
    Register &r = Register::instance();
    const QString out = r.dir.filePath(QStringLiteral("register.xlsx"));
    for (auto _ : state) {
        QString error;
        if (!RegisterTables::write(r.store, out, nullptr, &error))
            state.SkipWithError(qPrintable(error));
    }
}
BENCHMARK(BM_RegisterXlsx)->Unit(benchmark::kMillisecond);

void BM_DatabaseSnapshot(benchmark::State &state)
{
    Register &r = Register::instance();
    const QString out = r.dir.filePath(QStringLiteral("snapshot.sqlite"));
    for (auto _ : state) {
        QFile::remove(out);
        if (!r.database.snapshotTo(out))
            state.SkipWithError("snapshot failed");
    }
}
BENCHMARK(BM_DatabaseSnapshot)->Unit(benchmark::kMillisecond);

} // namespace
