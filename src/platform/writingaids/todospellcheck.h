#pragma once

#include "platform/writingaids/replacementlist.h"

#include <QList>
#include <QString>
#include <QStringList>

class SpellCheckRun;
class SpellChecker;

// The spell check of the project timeline's to-do items: every item is
// checked in turn; a corrected item replaces the old one (cut to the item
// length), and a "Change All" corrects the same words in the later items.
namespace TodoSpellCheck {

inline constexpr int kItemLength = 45;
inline constexpr int kRowCount = 500;

inline const QString kTitle = QStringLiteral("Spell Check");
inline const QString kReachedEnd = QStringLiteral("Spell Check has been canceled or has reached the end of your entries");
inline const QString kNothingFound = QStringLiteral("Spell Check did not change or did not find any misspelled words!");

struct ItemCorrection
{
    int row = 0;             // 1-based grid row
    QString before;
    QString after;
};

struct Outcome
{
    QStringList items;                     // every item after the check
    QList<ItemCorrection> corrections;     // every item whose text changed, in row order
    int misspellingsReported = 0;
    bool cancelled = false;
    QString message;                       // the closing message
};

// Checks items (row 1 is items[0]; at most 500 rows). checker provides the
// replacement list whose end marker a change-all adds.
Outcome spellCheckItems(const QStringList &items, SpellCheckRun &run, SpellChecker &checker);

// Applies pairs to the items after currentRow (1-based): each whole word or
// phrase found, letters compared without regard to case, is replaced; a
// found word with a leading capital gives the correction a leading capital
// and the rest lower case, otherwise the correction in lower case. Items are
// trimmed and cut to 45 characters. Returns the rows changed.
QList<int> applyChangeAll(QStringList &items, int currentRow, const QList<ReplacementPair> &pairs);

// The item-name list after an item was corrected: the name equal to the old
// item (letters compared without regard to case, trailing blanks ignored)
// goes, and the corrected text joins unless already there.
QStringList updateItemNames(const QStringList &names, const QString &oldItem, const QString &newItem);

} // namespace TodoSpellCheck
