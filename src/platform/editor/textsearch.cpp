#include "textsearch.h"

namespace TextSearch {

bool isWordCharacter(QChar character)
{
    return character.isLetterOrNumber() || character == u'_' || character.isMark();
}

namespace {

// A word boundary lies between two characters unless both belong to words.
bool isBoundary(QStringView text, qsizetype position)
{
    if (position <= 0 || position >= text.size())
        return true;
    return !(isWordCharacter(text.at(position - 1)) && isWordCharacter(text.at(position)));
}

} // namespace

int find(QStringView haystack, QStringView needle, int start, bool wholeWord)
{
    if (needle.isEmpty() || start > haystack.size())
        return -1;
    qsizetype from = qMax(0, start);
    while (from <= haystack.size() - needle.size()) {
        const qsizetype match = haystack.indexOf(needle, from, Qt::CaseInsensitive);
        if (match < 0)
            return -1;
        if (!wholeWord || (isBoundary(haystack, match) && isBoundary(haystack, match + needle.size())))
            return int(match);
        from = match + 1;
    }
    return -1;
}

} // namespace TextSearch
