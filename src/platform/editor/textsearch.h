#pragma once

#include <QString>

// Plain-text search shared by the editor and its callers.
namespace TextSearch {

// Offset of the first occurrence of needle in haystack at or after start,
// letters compared without regard to case, or -1 (also for an empty needle).
// With wholeWord a match must begin and end at a word boundary: it may not
// continue a word of the surrounding text. A phrase is matched as one string.
int find(QStringView haystack, QStringView needle, int start, bool wholeWord);

// Letters, digits and the underscore make up words.
bool isWordCharacter(QChar character);

} // namespace TextSearch
