#pragma once

#include "platform/services/writingaiddialogs.h"
#include "platform/writingaids/replacementlist.h"
#include "platform/writingaids/spellchecker.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

class QTextDocument;
class QWidget;

// One spell-check run: it walks texts word by word and asks the dialog about
// every word the dictionary does not know and every listed common
// misspelling ("recieve", "their are"), offering the listed correction
// first; nothing changes unless the user chooses a change. Corrections are made in place, at the
// word's own range, in the format of the word they replace, so formatting
// around them is kept. "Ignore All" and "Change All" choices last for the
// run, across every text it checks.
class SpellCheckRun
{
public:
    struct Totals
    {
        int wordsReported = 0;   // words the dialog was asked about
        int changes = 0;         // corrections made, "Change All" repeats included
        bool changeAllChosen = false;
    };

    SpellCheckRun(SpellChecker &checker, SpellCheckDialog &dialog, QWidget *parent = nullptr);

    // Told the document range of each word before the dialog asks about it
    // (the editor selects it).
    void setWordReportedHandler(std::function<void(int position, int length)> handler)
    {
        wordReported_ = std::move(handler);
    }

    // Checks the document in place; stops early when the user cancels.
    Totals checkDocument(QTextDocument *document);
    // Checks a plain text (a to-do item) and returns it checked.
    QString checkText(const QString &text, Totals *totals = nullptr);

    bool cancelled() const { return cancelled_; }
    // The "Change All" choices of the run, in the order they were made.
    const QList<ReplacementPair> &changeAllPairs() const { return changeAllPairs_; }
    // Words the user asked to add to the dictionary that could not be saved.
    const QStringList &failedUserWords() const { return failedUserWords_; }
    QString lastError() const { return lastError_; }

private:
    // The listed correction of the word (or of the listed phrase that starts
    // at it, *length then covering the phrase), or nothing.
    std::optional<QString> listedCorrection(const QString &blockText, const WordSpan &word, int *length) const;

    SpellChecker &checker_;
    SpellCheckDialog &dialog_;
    QWidget *parent_;
    std::function<void(int, int)> wordReported_;
    QSet<QString> ignoredWords_;
    QHash<QString, QString> changeAll_;
    QList<ReplacementPair> changeAllPairs_;
    QStringList failedUserWords_;
    QString lastError_;
    bool cancelled_ = false;
};
