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

// One spell-check run: it walks texts word by word, replaces the listed
// common misspellings without asking, and asks the dialog about every other
// word the dictionary does not know. Corrections are made in place, at the
// word's own range, in the format of the word they replace, so formatting
// around them is kept. "Ignore All" and "Change All" choices last for the
// run, across every text it checks.
class SpellCheckRun
{
public:
    struct Totals
    {
        int wordsReported = 0;   // words the dialog was asked about
        int changes = 0;         // corrections made, automatic ones included
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
    std::optional<QString> automaticCorrection(const QString &blockText, const WordSpan &word, int *length) const;

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
