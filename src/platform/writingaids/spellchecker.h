#pragma once

#include "platform/writingaids/replacementlist.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

class Hunspell;

// A word of a text: where it starts and how long it is.
struct WordSpan
{
    int start = 0;
    int length = 0;
    int end() const { return start + length; }
    friend bool operator==(const WordSpan &, const WordSpan &) = default;
};

// Spelling with Hunspell and the system's en-US dictionary, the user's own
// words (kept in the workbook so every check knows them) and the automatic
// replacement list.
//
// Words are runs of letters with inner apostrophes. Runs that hold a digit,
// an inner period ("e.g"), "@", "/", "\" or "_" are codes, addresses or
// abbreviations and are never checked; neither are words written in capitals
// only (HIPAA) or with a capital inside (ePHI).
class SpellChecker
{
public:
    static inline const QString kDictionaryPackage = QStringLiteral("hunspell-en-us");
    static inline const QString kSystemDictionary = QStringLiteral("/usr/share/hunspell/en_US");
    static inline const QString kUserWordFile = QStringLiteral("UserWords.Fil");

    // basePath without extension: base.aff and base.dic.
    explicit SpellChecker(const QString &basePath = kSystemDictionary);
    ~SpellChecker();
    SpellChecker(const SpellChecker &) = delete;
    SpellChecker &operator=(const SpellChecker &) = delete;

    // The program's checker over the system dictionary, loaded on first use.
    static std::shared_ptr<SpellChecker> shared();

    bool isAvailable() const { return bool(hunspell_); }
    // What to tell the user when the dictionary is missing.
    QString unavailableMessage() const;

    bool isCorrect(const QString &word) const;
    QStringList suggestions(const QString &word) const;

    // The next word of text at or after from, or a span of length 0.
    static WordSpan nextWord(QStringView text, int from);
    static QList<WordSpan> words(QStringView text);
    // The misspelled words of a text, in order.
    QList<WordSpan> misspellings(QStringView text) const;

    // The user's own words: read from the file (missing reads as none), and
    // added one at a time, each saved at once. False (with the reason) when
    // the file could not be written; the word is still known for this run.
    void setUserWordFile(const QString &path);
    QString userWordFile() const { return userWordFile_; }
    bool addUserWord(const QString &word, QString *error = nullptr);
    QStringList userWords() const { return userWords_; }

    ReplacementList &replacements() { return replacements_; }
    const ReplacementList &replacements() const { return replacements_; }

    // Forgets the verdicts remembered for words already checked.
    void clearCache() const { verdicts_.clear(); }

private:
    bool spell(const QString &word) const;

    QString basePath_;
    std::unique_ptr<Hunspell> hunspell_;
    QString userWordFile_;
    QStringList userWords_;
    ReplacementList replacements_;
    mutable QHash<QString, bool> verdicts_;
};
