#include "backup/manifest.h"

#include <QCryptographicHash>

namespace {

const QByteArray kHeader = QByteArrayLiteral("Sentrivo backup manifest 1");
const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

QByteArray sha256(const QByteArray &contents)
{
    return QCryptographicHash::hash(contents, QCryptographicHash::Sha256);
}

} // namespace

void Manifest::add(const QString &name, const QByteArray &contents)
{
    remove(name);
    m_entries.append({name, contents.size(), sha256(contents)});
}

void Manifest::remove(const QString &name)
{
    m_entries.removeIf([&name](const Entry &entry) { return entry.name.compare(name, Qt::CaseInsensitive) == 0; });
}

const Manifest::Entry *Manifest::find(const QString &name) const
{
    for (const Entry &entry : m_entries) {
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0)
            return &entry;
    }
    return nullptr;
}

bool Manifest::matches(const Entry &entry, const QByteArray &contents)
{
    return contents.size() == entry.size && sha256(contents) == entry.sha256;
}

QByteArray Manifest::toBytes() const
{
    QByteArray bytes = kHeader + kLineEnd;
    for (const Entry &entry : m_entries) {
        bytes += entry.sha256.toHex() + ' ' + QByteArray::number(entry.size) + ' ' + entry.name.toUtf8()
               + kLineEnd;
    }
    return bytes;
}

std::optional<Manifest> Manifest::fromBytes(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    for (qsizetype from = 0; from < bytes.size();) {
        const qsizetype end = bytes.indexOf(kLineEnd, from);
        if (end < 0)
            return std::nullopt; // cut off
        lines.append(bytes.mid(from, end - from));
        from = end + kLineEnd.size();
    }
    if (lines.isEmpty() || lines.first() != kHeader)
        return std::nullopt;
    Manifest manifest;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray &line = lines.at(i);
        const qsizetype firstSpace = line.indexOf(' ');
        const qsizetype secondSpace = line.indexOf(' ', firstSpace + 1);
        if (firstSpace != 64 || secondSpace < 0)
            return std::nullopt;
        Entry entry;
        entry.sha256 = QByteArray::fromHex(line.first(64));
        bool sizeOk = false;
        entry.size = line.mid(firstSpace + 1, secondSpace - firstSpace - 1).toLongLong(&sizeOk);
        entry.name = QString::fromUtf8(line.mid(secondSpace + 1));
        if (entry.sha256.size() != 32 || entry.sha256.toHex() != line.first(64) || !sizeOk || entry.size < 0
            || entry.name.isEmpty())
            return std::nullopt;
        manifest.m_entries.append(entry);
    }
    return manifest;
}
