#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>

// The shipped documents as the build leaves them beside the test programs,
// and the views of a loaded document the content tests compare.
namespace BuiltContent {

inline QString path(const QString &name)
{
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/content")).filePath(name);
}

// The document's paragraphs (blocks), in order.
inline QStringList paragraphs(const QTextDocument &document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts << block.text();
    return texts;
}

inline QString firstNonEmpty(const QStringList &texts)
{
    for (const QString &text : texts) {
        if (!text.trimmed().isEmpty())
            return text;
    }
    return {};
}

} // namespace BuiltContent
