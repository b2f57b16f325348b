#include "catalogue/textlibrary.h"

#include <QFile>
#include <QStringList>

namespace TextLibrary {
namespace {

const QString BlockMarker = QStringLiteral("@@ ");
const QString CrLf = QStringLiteral("\r\n");

QHash<QString, QString> load(const QString &resourcePath)
{
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse(QString::fromUtf8(file.readAll()));
}

void addBlock(QHash<QString, QString> &blocks, const QString &key, QStringList &lines)
{
    while (!lines.isEmpty() && lines.constLast().trimmed().isEmpty())
        lines.removeLast();
    if (!key.isEmpty())
        blocks.insert(key, lines.join(CrLf));
    lines.clear();
}

} // namespace

QHash<QString, QString> parse(QStringView source)
{
    QHash<QString, QString> blocks;
    QString key;
    QStringList lines;
    for (QStringView line : source.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.startsWith(BlockMarker)) {
            addBlock(blocks, key, lines);
            key = line.mid(BlockMarker.size()).trimmed().toString();
        } else if (!key.isEmpty()) {
            lines.append(line.toString());
        }
    }
    addBlock(blocks, key, lines);
    return blocks;
}

const QHash<QString, QString> &passages(TextSet set)
{
    static const QHash<QString, QString> rule = load(QStringLiteral(":/catalogue/rule.txt"));
    static const QHash<QString, QString> preamble = load(QStringLiteral(":/catalogue/preamble.txt"));
    static const QHash<QString, QString> guidance = load(QStringLiteral(":/catalogue/guidance.txt"));
    switch (set) {
    case TextSet::RuleParagraphs: return rule;
    case TextSet::PreamblePassages: return preamble;
    case TextSet::GuidanceTexts: return guidance;
    }
    return rule;
}

QString passage(TextSet set, const QString &key)
{
    return passages(set).value(key);
}

} // namespace TextLibrary
