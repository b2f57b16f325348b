#include "platform/writingaids/spellcheckrun.h"

#include "platform/writingaids/spellchecker.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

bool endsWordAt(const QString &text, int position)
{
    return position >= text.size() || !text.at(position).isLetterOrNumber();
}

// Replaces [position, position + length) with text in the format of the
// first replaced character, so the correction looks like the word it
// replaces and nothing around it changes.
void replaceRange(QTextDocument *document, int position, int length, const QString &text)
{
    QTextCursor format(document);
    format.setPosition(position + 1);
    const QTextCharFormat charFormat = format.charFormat();
    QTextCursor cursor(document);
    cursor.setPosition(position);
    cursor.setPosition(position + length, QTextCursor::KeepAnchor);
    cursor.insertText(text, charFormat);
}

} // namespace

SpellCheckRun::SpellCheckRun(SpellChecker &checker, SpellCheckDialog &dialog, QWidget *parent)
    : checker_(checker)
    , dialog_(dialog)
    , parent_(parent)
{
}

std::optional<QString> SpellCheckRun::listedCorrection(const QString &blockText, const WordSpan &word,
                                                       int *length) const
{
    // Listed phrases ("their are") start at a word and end at a word's end.
    for (const ReplacementPair &phrase : checker_.replacements().phrases()) {
        const int size = int(phrase.misspelling.size());
        const QString found = blockText.mid(word.start, size);
        if (found.size() == size && found.compare(phrase.misspelling, Qt::CaseInsensitive) == 0
            && endsWordAt(blockText, word.start + size)) {
            *length = size;
            return matchLeadingCapital(phrase.correction, found);
        }
    }
    *length = word.length;
    return checker_.replacements().correctionFor(blockText.mid(word.start, word.length));
}

SpellCheckRun::Totals SpellCheckRun::checkDocument(QTextDocument *document)
{
    Totals totals;
    if (cancelled_ || !document)
        return totals;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        int from = 0;
        while (true) {
            const QString blockText = block.text();
            const WordSpan word = SpellChecker::nextWord(blockText, from);
            if (word.length == 0)
                break;
            const int position = block.position() + word.start;
            // A listed misspelling is shown like any other, its listed
            // correction offered first; the text changes only when the
            // user chooses a change.
            int length = word.length;
            const std::optional<QString> listed = listedCorrection(blockText, word, &length);
            const QString text = blockText.mid(word.start, length);
            from = word.start + length;
            // A "Change All" of this run is the user's own choice: it holds
            // without asking again.
            if (const auto chosen = changeAll_.constFind(text); chosen != changeAll_.cend()) {
                replaceRange(document, position, length, *chosen);
                ++totals.changes;
                from = word.start + int(chosen->size());
                continue;
            }
            if (ignoredWords_.contains(text) || (!listed && checker_.isCorrect(text)))
                continue;
            QStringList suggestions;
            if (listed)
                suggestions.append(*listed);
            if (length == word.length) {
                for (const QString &suggestion : checker_.suggestions(text)) {
                    if (!suggestions.contains(suggestion))
                        suggestions.append(suggestion);
                }
            }

            ++totals.wordsReported;
            if (wordReported_)
                wordReported_(position, length);
            const SpellAnswer answer = dialog_.ask(parent_, {text, blockText, suggestions});
            switch (answer.action) {
            case SpellAnswer::Action::Cancel:
                cancelled_ = true;
                return totals;
            case SpellAnswer::Action::Ignore:
                break;
            case SpellAnswer::Action::IgnoreAll:
                ignoredWords_.insert(text);
                break;
            case SpellAnswer::Action::AddToDictionary: {
                // A phrase is not a word of the dictionary: it is left alone
                // for the rest of the run.
                if (length != word.length) {
                    ignoredWords_.insert(text);
                    break;
                }
                QString error;
                if (!checker_.addUserWord(text, &error)) {
                    failedUserWords_.append(text);
                    lastError_ = error;
                }
                break;
            }
            case SpellAnswer::Action::ChangeAll:
            case SpellAnswer::Action::Change: {
                const QString replacement = answer.replacement.trimmed();
                // Nothing to change to, or the same word: the word stays.
                if (replacement.isEmpty() || replacement == text)
                    break;
                if (answer.action == SpellAnswer::Action::ChangeAll) {
                    totals.changeAllChosen = true;
                    if (!changeAll_.contains(text)) {
                        changeAll_.insert(text, replacement);
                        changeAllPairs_.append({text, replacement});
                    }
                }
                replaceRange(document, position, length, replacement);
                ++totals.changes;
                from = word.start + int(replacement.size());
                break;
            }
            }
        }
    }
    return totals;
}

QString SpellCheckRun::checkText(const QString &text, Totals *totals)
{
    QTextDocument document;
    document.setPlainText(text);
    const Totals result = checkDocument(&document);
    if (totals)
        *totals = result;
    return document.toPlainText();
}
