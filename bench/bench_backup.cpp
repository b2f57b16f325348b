// Backing up and restoring a full workbook: all 169 user files, 40 MB in all,
// with every check (manifest digests on the way out and on the way back).
// Each should take well under 2 s.
#include "backup/backupprocedure.h"
#include "backup/backupset.h"
#include "backup/fileoperations.h"
#include "backup/generations.h"
#include "backup/setencryption.h"
#include "backup/restoreprocedure.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr qint64 kTotalBytes = 40 * 1024 * 1024;

struct FullWorkbook
{
    QTemporaryDir root;
    QString workbook = root.filePath(QStringLiteral("workbook"));
    QString medium = root.filePath(QStringLiteral("medium"));
    std::shared_ptr<FileOperations> files = makeDiskFileOperations();

    FullWorkbook()
    {
        QDir().mkpath(workbook);
        QDir().mkpath(medium);
        const std::vector<BackupSet::Member> members = BackupSet::allMembers();
        const qint64 each = kTotalBytes / qint64(members.size());
        int n = 0;
        for (const BackupSet::Member &member : members) {
            QFile file(QDir(workbook).filePath(member.sourceName));
            file.open(QIODevice::WriteOnly);
            QByteArray bytes(each, char('a' + n++ % 26));
            file.write(bytes);
        }
    }

    ProcedureEnvironment environment() const
    {
        ProcedureEnvironment env;
        env.workbookDir = workbook;
        env.targetDir = medium;
        env.files = files.get();
        return env;
    }

    void removeSafetyFolders() const
    {
        for (const QString &name : QDir(workbook).entryList({QStringLiteral("Before restore *")}, QDir::Dirs))
            QDir(QDir(workbook).filePath(name)).removeRecursively();
    }
};

void BM_BackupFullWorkbook(benchmark::State &state)
{
    FullWorkbook setup;
    for (auto _ : state) {
        const ProcedureResult result = BackupProcedure(setup.environment()).run();
        if (!result.completed())
            state.SkipWithError(qPrintable(result.reason));
    }
    state.SetBytesProcessed(state.iterations() * kTotalBytes);
}
BENCHMARK(BM_BackupFullWorkbook)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RestoreFullWorkbook(benchmark::State &state)
{
    FullWorkbook setup;
    if (!BackupProcedure(setup.environment()).run().completed())
        state.SkipWithError("the backup to restore from failed");
    for (auto _ : state) {
        const ProcedureResult result = RestoreProcedure(setup.environment()).run();
        if (!result.completed())
            state.SkipWithError(qPrintable(result.reason));
        state.PauseTiming();
        setup.removeSafetyFolders();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * kTotalBytes);
}
BENCHMARK(BM_RestoreFullWorkbook)->Unit(benchmark::kMillisecond)->UseRealTime();

// A new set into a folder, plain and encrypted (Argon2id at its production
// strength once per backup, every file sealed): the encrypted one is to stay
// under twice the plain one.
void backUpAsSets(benchmark::State &state, bool encrypted)
{
    FullWorkbook setup;
    int round = 0;
    for (auto _ : state) {
        ProcedureEnvironment env = setup.environment();
        const QDateTime when = QDateTime(QDate(2026, 1, 1), QTime(0, 0)).addSecs(round++);
        env.now = [when] { return when; };
        if (encrypted) {
            std::optional<SetEncryption::NewSet> set = SetEncryption::newSet("a passphrase for the bench");
            if (!set) {
                state.SkipWithError("no key");
                return;
            }
            env.encryption = std::make_shared<const SetEncryption::NewSet>(std::move(*set));
        }
        const ProcedureResult result = BackupGenerations::backUp(env, 1);
        if (!result.completed())
            state.SkipWithError(qPrintable(result.reason));
    }
    state.SetBytesProcessed(state.iterations() * kTotalBytes);
}

void BM_PlainSet(benchmark::State &state)
{
    backUpAsSets(state, false);
}
BENCHMARK(BM_PlainSet)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EncryptedSet(benchmark::State &state)
{
    backUpAsSets(state, true);
}
BENCHMARK(BM_EncryptedSet)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
