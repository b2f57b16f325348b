#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The words of a saved document, for comparing versions and for search: the
// plain text of an RTF entry, the text of the record and list files.
namespace DocumentText {

// The readable text of bytes saved as the document called fileName.
QString plainText(const QString &fileName, QByteArrayView bytes);

// The text as words, runs of white space and single punctuation marks;
// joined, the pieces give the text back exactly.
QStringList pieces(const QString &text);
// How many words (runs of letters and digits) the text holds.
int wordCount(const QString &text);

} // namespace DocumentText
