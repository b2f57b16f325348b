#include "platform/writingaids/todospellcheck.h"

#include "platform/writingaids/spellcheckrun.h"
#include "platform/writingaids/spellchecker.h"

namespace TodoSpellCheck {
namespace {

QString withCaseOf(const QString &correction, const QString &found)
{
    if (!found.isEmpty() && found.at(0).isUpper()) {
        QString result = correction.toLower();
        if (!result.isEmpty())
            result[0] = result.at(0).toUpper();
        return result;
    }
    return correction.toLower();
}

QString trimTrailing(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

} // namespace

QList<int> applyChangeAll(QStringList &items, int currentRow, const QList<ReplacementPair> &pairs)
{
    QList<int> changed;
    const int lastRow = qMin(int(items.size()), kRowCount);
    for (int row = currentRow + 1; row <= lastRow; ++row) {
        const QString original = items.at(row - 1);
        if (original.trimmed().isEmpty())
            continue;
        QString padded = QLatin1Char(' ') + original + QLatin1Char(' ');
        for (const ReplacementPair &pair : pairs) {
            if (pair.misspelling.trimmed().isEmpty())
                continue;
            const QString search = QLatin1Char(' ') + pair.misspelling + QLatin1Char(' ');
            // One pass from left to right: a correction that contains the
            // misspelling is never searched again (it would never end).
            qsizetype at = padded.indexOf(search, 0, Qt::CaseInsensitive);
            while (at >= 0) {
                const QString found = padded.mid(at + 1, pair.misspelling.size());
                const QString replacement = QLatin1Char(' ') + withCaseOf(pair.correction, found) + QLatin1Char(' ');
                padded.replace(at, search.size(), replacement);
                // The closing blank may open the next occurrence.
                at = padded.indexOf(search, at + replacement.size() - 1, Qt::CaseInsensitive);
            }
        }
        const QString result = padded.trimmed().left(kItemLength);
        if (result != original) {
            items[row - 1] = result;
            changed.append(row);
        }
    }
    return changed;
}

QStringList updateItemNames(const QStringList &names, const QString &oldItem, const QString &newItem)
{
    QStringList result;
    const QString old = trimTrailing(oldItem);
    for (const QString &name : names) {
        if (trimTrailing(name).compare(old, Qt::CaseInsensitive) != 0)
            result.append(name);
    }
    if (!result.contains(newItem))
        result.append(newItem);
    return result;
}

Outcome spellCheckItems(const QStringList &items, SpellCheckRun &run, SpellChecker &checker)
{
    Outcome outcome;
    outcome.items = items;
    const int lastRow = qMin(int(items.size()), kRowCount);
    int appliedChangeAlls = 0;
    for (int row = 1; row <= lastRow; ++row) {
        const QString before = outcome.items.at(row - 1);
        if (before.trimmed().isEmpty())
            continue;
        SpellCheckRun::Totals totals;
        const QString checked = run.checkText(before, &totals);
        outcome.misspellingsReported += totals.wordsReported;
        if (totals.changes > 0 && checked != before) {
            const QString after = checked.left(kItemLength);
            outcome.items[row - 1] = after;
        }
        // A change-all reaches the later items at once, through the part of
        // the replacement list before its end marker and the run's own choices.
        if (run.changeAllPairs().size() > appliedChangeAlls) {
            appliedChangeAlls = int(run.changeAllPairs().size());
            checker.replacements().addEndMarker();
            QList<ReplacementPair> pairs = checker.replacements().entriesBeforeEndMarker();
            pairs += run.changeAllPairs();
            applyChangeAll(outcome.items, row, pairs);
        }
        if (run.cancelled()) {
            outcome.cancelled = true;
            break;
        }
    }
    for (int row = 1; row <= lastRow; ++row) {
        if (outcome.items.at(row - 1) != items.at(row - 1))
            outcome.corrections.append({row, items.at(row - 1), outcome.items.at(row - 1)});
    }
    outcome.message = outcome.misspellingsReported > 0 ? kReachedEnd : kNothingFound;
    return outcome;
}

} // namespace TodoSpellCheck
