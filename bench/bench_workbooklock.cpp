// Taking the workbook at start (one program per workbook): free, and over a
// stale lock left by a program that died. Each must stay under 5 ms.
#include "platform/records/workbooklock.h"

#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_TakeFreeWorkbook(benchmark::State &state)
{
    QTemporaryDir folder;
    for (auto _ : state) {
        WorkbookLock lock(folder.path());
        benchmark::DoNotOptimize(lock.acquire());
        state.PauseTiming();
        lock.release();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TakeFreeWorkbook)->Unit(benchmark::kMillisecond);

void BM_TakeOverDeadProgramsLock(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(WorkbookLock::kFileName);
    for (auto _ : state) {
        state.PauseTiming();
        {
            QFile file(path);
            file.open(QIODevice::WriteOnly | QIODevice::Truncate);
            // A pid no process has (above the kernel's limit) on this host.
            file.write("999999999\nsentrivo\n" + QSysInfo::machineHostName().toUtf8() + "\n\n\nuser=gone\n");
        }
        state.ResumeTiming();
        WorkbookLock lock(folder.path());
        benchmark::DoNotOptimize(lock.acquire());
        state.PauseTiming();
        lock.release();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TakeOverDeadProgramsLock)->Unit(benchmark::kMillisecond);

} // namespace
