// The writing aids' speed: finding every misspelling of a 20,000-word entry
// (goal: under 300 ms, with no word remembered from an earlier run), one
// thesaurus look-up (goal: under 20 ms), and the red underline's time per
// paragraph while typing in a 20-page entry (goal: under 5 ms per keystroke).
#include "platform/editor/richtexteditor.h"
#include "platform/writingaids/spellchecker.h"
#include "platform/writingaids/spellinghighlighter.h"
#include "platform/writingaids/thesaurus.h"

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

// Text like a long entry: about 2,500 different words (taken from the
// dictionary itself, one in ten with two letters swapped into a typing
// mistake), with names and codes the checker must skip.
QString generatedText(int words, int wordsPerParagraph)
{
    static const QStringList vocabulary = [] {
        QStringList list;
        QFile dictionary(SpellChecker::kSystemDictionary + QStringLiteral(".dic"));
        if (dictionary.open(QIODevice::ReadOnly)) {
            int line = 0;
            while (!dictionary.atEnd()) {
                const QString word = QString::fromUtf8(dictionary.readLine()).section(QLatin1Char('/'), 0, 0).trimmed();
                if (++line % 19 != 0 || word.size() < 4 || !word.at(0).isLower())
                    continue;
                QString entry = word;
                if (list.size() % 10 == 3)
                    std::swap(entry[1], entry[2]);
                list << entry;
            }
        }
        list << QStringLiteral("HIPAA") << QStringLiteral("164.308(a)(1)") << QStringLiteral("Okonkwo's");
        return list;
    }();
    QString text;
    for (int i = 0; i < words; ++i) {
        text += vocabulary.at((i * 7919) % vocabulary.size());
        text += (i + 1) % wordsPerParagraph == 0 ? QLatin1Char('\n') : QLatin1Char(' ');
    }
    return text;
}

void BM_FindAllMisspellings20000Words(benchmark::State &state)
{
    SpellChecker checker;
    const QString text = generatedText(20000, 120);
    qsizetype found = 0;
    for (auto _ : state) {
        checker.clearCache();
        found = checker.misspellings(text).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["misspellings"] = double(found);
    state.counters["words"] = double(SpellChecker::words(text).size());
}
BENCHMARK(BM_FindAllMisspellings20000Words)->Unit(benchmark::kMillisecond);

void BM_ThesaurusLookUp(benchmark::State &state)
{
    Thesaurus thesaurus;
    const QStringList words = {QStringLiteral("security"), QStringLiteral("risk"), QStringLiteral("plan"),
                               QStringLiteral("review"), QStringLiteral("access")};
    int i = 0;
    for (auto _ : state) {
        const auto meanings = thesaurus.lookUp(words.at(i++ % words.size()));
        benchmark::DoNotOptimize(meanings.size());
    }
}
BENCHMARK(BM_ThesaurusLookUp)->Unit(benchmark::kMicrosecond);

// A 20-page entry (about 10,000 words in paragraphs of 100 words); each
// iteration types one character into a paragraph in the middle, which makes
// the highlighter underline that paragraph again.
void BM_UnderlineWhileTyping20Pages(benchmark::State &state)
{
    auto checker = std::make_shared<SpellChecker>();
    RichTextEditor editor;
    editor.resize(800, 600);
    editor.setText(generatedText(10000, 100));
    SpellingHighlighter highlighter(&editor, checker);
    QTextCursor cursor(editor.document()->findBlockByNumber(editor.document()->blockCount() / 2));
    cursor.movePosition(QTextCursor::EndOfBlock);
    bool add = true;
    for (auto _ : state) {
        checker->clearCache(); // as if each word were new
        if (add)
            cursor.insertText(QStringLiteral("x"));
        else
            cursor.deletePreviousChar();
        add = !add;
    }
    state.counters["paragraphs"] = editor.document()->blockCount();
}
BENCHMARK(BM_UnderlineWhileTyping20Pages)->Unit(benchmark::kMicrosecond);

// The whole 20-page entry underlined at once (when it is loaded), per paragraph.
void BM_UnderlineWholeEntryPerParagraph(benchmark::State &state)
{
    auto checker = std::make_shared<SpellChecker>();
    RichTextEditor editor;
    editor.setText(generatedText(10000, 100));
    SpellingHighlighter highlighter(&editor, checker);
    const int blocks = editor.document()->blockCount();
    for (auto _ : state) {
        checker->clearCache();
        highlighter.rehighlight();
    }
    state.counters["paragraphs"] = blocks;
}
BENCHMARK(BM_UnderlineWholeEntryPerParagraph)->Unit(benchmark::kMillisecond);

} // namespace
