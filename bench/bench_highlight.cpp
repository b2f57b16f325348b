#include "catalogue/highlight.h"

#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

// Guidance-like prose of the given size in which the term appears now and
// then, with near misses (inside longer words) in between.
QString sampleText(qsizetype size)
{
    const QString paragraph = QStringLiteral(
        "Review the risk analysis whenever systems change. Risk analyses and riskanalysis notes are kept "
        "with the workstation records; a Risk Analysis done once is not enough.\r\n");
    QString text;
    text.reserve(size + paragraph.size());
    while (text.size() < size)
        text += paragraph;
    text.truncate(size);
    return text;
}

void BM_WholeWordOccurrences(benchmark::State &state)
{
    const QString text = sampleText(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(Highlight::wholeWordOccurrences(text, u"Risk Analysis"));
    state.SetBytesProcessed(state.iterations() * text.size() * qsizetype(sizeof(QChar)));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WholeWordOccurrences)->RangeMultiplier(2)->Range(25 << 10, 400 << 10)->Arg(100 << 10)->Complexity(benchmark::oN);

// The whole display step: marking every occurrence in a document.
void BM_MarkTermInDocument(benchmark::State &state)
{
    const QString text = sampleText(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        QTextDocument document;
        document.setPlainText(text);
        state.ResumeTiming();
        benchmark::DoNotOptimize(Highlight::markTerm(&document, u"Risk Analysis"));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_MarkTermInDocument)->RangeMultiplier(2)->Range(25 << 10, 200 << 10)->Arg(100 << 10)->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

} // namespace
