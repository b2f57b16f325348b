#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

// The compiled-in text resources: keyed passages read once from the
// program's resources. A passage's lines are joined with CR LF.
namespace TextLibrary {

enum class TextSet { RuleParagraphs, PreamblePassages, GuidanceTexts };

// The passage stored under the key, or a null string when there is none.
QString passage(TextSet set, const QString &key);
const QHash<QString, QString> &passages(TextSet set);

// Parses the resource format: comment lines ("#") before the first block,
// then blocks that open with "@@ <key>" and hold the lines up to the next
// block; trailing empty lines of a block are dropped.
QHash<QString, QString> parse(QStringView source);

} // namespace TextLibrary
