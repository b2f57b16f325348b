#include "platform/writingaids/replacementlist.h"

#include "platform/writingaids/autocorrectpairs.h"

void ReplacementList::add(const QString &misspelling, const QString &correction)
{
    const ReplacementPair pair{misspelling, correction};
    entries_.append(pair);
    if (isEndMarker(pair) || misspelling == correction || misspelling.isEmpty())
        return;
    // The first registration of a misspelling wins, as the list is read in order.
    if (lookup_.contains(misspelling))
        return;
    lookup_.insert(misspelling, correction);
    if (misspelling.contains(QLatin1Char(' ')))
        phrases_.append(pair);
}

void ReplacementList::registerAutoCorrect()
{
    if (autoCorrectRegistered_)
        return;
    autoCorrectRegistered_ = true;
    for (const AutoCorrect::Pair &pair : AutoCorrect::pairs())
        add(QString::fromUtf8(pair.misspelling), QString::fromUtf8(pair.correction));
}

bool ReplacementList::isEndMarker(const ReplacementPair &pair)
{
    return pair.misspelling.trimmed().compare(kEndMarker, Qt::CaseInsensitive) == 0;
}

void ReplacementList::addEndMarker()
{
    for (const ReplacementPair &pair : entries_) {
        if (isEndMarker(pair))
            return;
    }
    add(kEndMarker, kEndMarker);
}

QList<ReplacementPair> ReplacementList::entriesBeforeEndMarker() const
{
    QList<ReplacementPair> before;
    for (const ReplacementPair &pair : entries_) {
        if (isEndMarker(pair))
            break;
        before.append(pair);
    }
    return before;
}

std::optional<QString> ReplacementList::correctionFor(const QString &text) const
{
    if (text.isEmpty())
        return std::nullopt;
    const auto exact = lookup_.constFind(text);
    if (exact != lookup_.cend())
        return *exact;
    if (!text.at(0).isUpper())
        return std::nullopt;
    QString lowered = text;
    lowered[0] = lowered.at(0).toLower();
    const auto capitalised = lookup_.constFind(lowered);
    if (capitalised == lookup_.cend())
        return std::nullopt;
    return matchLeadingCapital(*capitalised, text);
}

QString matchLeadingCapital(const QString &correction, const QString &found)
{
    if (correction.isEmpty() || found.isEmpty() || !found.at(0).isUpper())
        return correction;
    QString result = correction;
    result[0] = result.at(0).toUpper();
    return result;
}
