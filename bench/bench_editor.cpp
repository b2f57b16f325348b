// Loading a large entry into the editor: a generated RTF document of about
// 1 MB with the formatting real entries carry (fonts, sizes, bold, italic,
// colour, alignment), set as the whole content and loaded from a file.
#include "platform/editor/richtexteditor.h"
#include "platform/rtf/rtf.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

QByteArray generatedDocument(qsizetype targetBytes)
{
    const QStringList sentences = {
        QStringLiteral("The covered entity conducts an accurate and thorough assessment of the potential risks "),
        QStringLiteral("and vulnerabilities to the confidentiality, integrity, and availability of electronic "),
        QStringLiteral("protected health information held by the covered entity. "),
        QStringLiteral("Workstations are locked when unattended; passwords change every ninety days. "),
    };
    const QStringList families = {QStringLiteral("Times New Roman"), QStringLiteral("Arial"),
                                  QStringLiteral("Courier New")};
    QTextDocument document;
    QTextCursor cursor(&document);
    QByteArray rtf;
    int paragraph = 0;
    while (rtf.size() < targetBytes) {
        // Grow in batches; writing after every paragraph would dominate.
        for (int batch = 0; batch < 200; ++batch, ++paragraph) {
            QTextBlockFormat block;
            block.setAlignment(paragraph % 5 == 0 ? Qt::AlignHCenter : Qt::AlignLeft);
            cursor.insertBlock(block);
            for (int run = 0; run < sentences.size(); ++run) {
                QTextCharFormat format;
                format.setFontFamilies({families.at((paragraph + run) % families.size())});
                format.setFontPointSize(10 + (paragraph + run) % 8);
                format.setFontWeight(run == 1 ? QFont::Bold : QFont::Normal);
                format.setFontItalic(run == 2);
                if (run == 3)
                    format.setForeground(QColor(200, 0, 0));
                cursor.insertText(sentences.at(run), format);
            }
        }
        rtf = Rtf::write(document);
    }
    return rtf;
}

const QByteArray &megabyteDocument()
{
    static const QByteArray rtf = generatedDocument(1 << 20);
    return rtf;
}

void BM_SetRtf(benchmark::State &state)
{
    const QByteArray &rtf = megabyteDocument();
    RichTextEditor editor;
    for (auto _ : state) {
        editor.setRtf(rtf);
        benchmark::DoNotOptimize(editor.document()->characterCount());
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
    state.counters["document_bytes"] = double(rtf.size());
}
BENCHMARK(BM_SetRtf)->Unit(benchmark::kMillisecond);

void BM_LoadFile(benchmark::State &state)
{
    const QByteArray &rtf = megabyteDocument();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Policy0.Fil"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(rtf) != rtf.size()) {
            state.SkipWithError("cannot write the sample file");
            return;
        }
    }
    RichTextEditor editor;
    for (auto _ : state) {
        if (!editor.loadFile(path)) {
            state.SkipWithError("load failed");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(BM_LoadFile)->Unit(benchmark::kMillisecond);

// Laying the loaded text out for display is part of what the user waits for.
void BM_SetRtfShown(benchmark::State &state)
{
    const QByteArray &rtf = megabyteDocument();
    RichTextEditor editor;
    editor.resize(800, 600);
    editor.show();
    for (auto _ : state) {
        // Returns once the first screen is painted; the rest of the layout
        // continues in the background, as it does for the user.
        editor.setRtf(rtf);
        QApplication::processEvents();
        benchmark::DoNotOptimize(editor.document()->characterCount());
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(BM_SetRtfShown)->Unit(benchmark::kMillisecond);

} // namespace
