// Speed of the RTF engine on a document of about 1 MB: reading it into a
// QTextDocument (goal: under 50 ms), writing it, and both in turn.

#include "platform/rtf/rtf.h"

#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

// Paragraphs as word processors write them: mixed character formatting,
// non-ASCII text, and runs of bulleted and numbered items.
QByteArray makeDocument(qsizetype targetSize)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033"
                     "{\\fonttbl{\\f0\\fnil\\fcharset0 Times New Roman;}{\\f1\\fnil\\fcharset0 Arial;}}\r\n"
                     "{\\colortbl ;\\red255\\green0\\blue0;\\red255\\green255\\blue0;}\r\n"
                     "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc23{\\leveltext\\'01\\u8226 ?;}\\fi-360\\li720}"
                     "\\listid1}{\\list\\listtemplateid2{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}\\fi-360\\li720}\\listid2}}\r\n"
                     "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}{\\listoverride\\listid2\\ls2}}\r\n"
                     "\\viewkind4\\uc1\r\n";
    int paragraph = 0;
    while (rtf.size() < targetSize) {
        ++paragraph;
        if (paragraph % 10 < 3) {
            rtf += "\\pard{\\pntext\\f0\\'95\\tab}\\ls" + QByteArray::number(paragraph % 2 + 1)
                + "\\fi-360\\li720\\sa60 Item " + QByteArray::number(paragraph)
                + " keeps \\b bold\\b0  words and caf\\'e9 text.\\par\r\n";
            continue;
        }
        rtf += "\\pard\\sa200\\sl276\\slmult1";
        if (paragraph % 7 == 0)
            rtf += "\\qc";
        rtf += " Paragraph " + QByteArray::number(paragraph)
            + " describes how the covered entity reviews access to electronic protected health information. "
              "\\b Bold policy text\\b0  is followed by \\i italic guidance\\i0 , some \\cf1 red\\cf0  and "
              "\\highlight2 highlighted\\highlight0  words, \\f1\\fs20 a smaller Arial phrase\\f0\\fs24 , "
              "\\ul underlined\\ulnone  and \\strike struck\\strike0  text, quotes \\'93like these\\'94 and "
              "\\u10003? symbols.\\tab Then a tab and\\line a line break.\\par\r\n";
    }
    rtf += "}";
    return rtf;
}

const QByteArray &megabyteDocument()
{
    static const QByteArray rtf = makeDocument(1024 * 1024);
    return rtf;
}

// A table of n rows of three cells, as word processors write one.
QByteArray makeTable(int rows)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Times New Roman;}}\r\n";
    for (int row = 0; row < rows; ++row) {
        rtf += "\\trowd\\cellx2000\\cellx4000\\cellx6000\\pard\\intbl Row " + QByteArray::number(row)
            + "\\cell second\\cell \\b third\\b0\\cell\\row\r\n";
    }
    return rtf + "\\pard after\\par}";
}

// n bulleted items in one list.
QByteArray makeList(int items)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Times New Roman;}}"
                     "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc23{\\leveltext\\'01\\u8226 ?;}"
                     "\\fi-360\\li720}\\listid1}}{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}\r\n";
    for (int item = 0; item < items; ++item)
        rtf += "\\pard\\ls1\\fi-360\\li720 Item " + QByteArray::number(item) + "\\par\r\n";
    return rtf + "}";
}

// Reading grows with the rows of a table and the items of a list, not with
// their square: a 20,000-row table should read in under a second.
void BM_ReadTableRows(benchmark::State &state)
{
    const QByteArray rtf = makeTable(int(state.range(0)));
    for (auto _ : state) {
        QTextDocument document;
        Rtf::read(rtf, &document);
        benchmark::DoNotOptimize(document.characterCount());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadTableRows)->Arg(2500)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_ReadBulletedItems(benchmark::State &state)
{
    const QByteArray rtf = makeList(int(state.range(0)));
    for (auto _ : state) {
        QTextDocument document;
        Rtf::read(rtf, &document);
        benchmark::DoNotOptimize(document.characterCount());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadBulletedItems)->Arg(2500)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_ReadRtf(benchmark::State &state)
{
    const QByteArray &rtf = megabyteDocument();
    for (auto _ : state) {
        QTextDocument document;
        Rtf::read(rtf, &document);
        benchmark::DoNotOptimize(document.characterCount());
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(BM_ReadRtf)->Unit(benchmark::kMillisecond);

void BM_WriteRtf(benchmark::State &state)
{
    QTextDocument document;
    Rtf::read(megabyteDocument(), &document);
    qsizetype written = 0;
    for (auto _ : state) {
        const QByteArray rtf = Rtf::write(document);
        written = rtf.size();
        benchmark::DoNotOptimize(rtf.data());
    }
    state.SetBytesProcessed(state.iterations() * written);
}
BENCHMARK(BM_WriteRtf)->Unit(benchmark::kMillisecond);

void BM_RoundTripRtf(benchmark::State &state)
{
    const QByteArray &rtf = megabyteDocument();
    for (auto _ : state) {
        QTextDocument document;
        Rtf::read(rtf, &document);
        const QByteArray again = Rtf::write(document);
        benchmark::DoNotOptimize(again.data());
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(BM_RoundTripRtf)->Unit(benchmark::kMillisecond);

} // namespace
