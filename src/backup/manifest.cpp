#include "backup/manifest.h"

#include <QCryptographicHash>
#include <QHash>

namespace {

const QByteArray kHeader1 = QByteArrayLiteral("Sentrivo backup manifest 1");
const QByteArray kHeader2 = QByteArrayLiteral("# Sentrivo backup manifest 2");
const QByteArray kSizePrefix = QByteArrayLiteral("# size ");

QByteArray sha256(const QByteArray &contents)
{
    return QCryptographicHash::hash(contents, QCryptographicHash::Sha256);
}

// The lines of a manifest, each ended by `lineEnd`; nothing when cut off.
std::optional<QList<QByteArray>> splitLines(const QByteArray &bytes, const QByteArray &lineEnd)
{
    QList<QByteArray> lines;
    for (qsizetype from = 0; from < bytes.size();) {
        const qsizetype end = bytes.indexOf(lineEnd, from);
        if (end < 0)
            return std::nullopt;
        lines.append(bytes.mid(from, end - from));
        from = end + lineEnd.size();
    }
    return lines;
}

// 64 lower-case hex digits as 32 bytes; empty when they are not.
QByteArray digestOf(const QByteArray &hex)
{
    if (hex.size() != 64)
        return {};
    const QByteArray raw = QByteArray::fromHex(hex);
    return raw.size() == 32 && raw.toHex() == hex ? raw : QByteArray();
}

// A decimal size of plain digits.
std::optional<qint64> sizeOf(const QByteArray &text)
{
    if (text.isEmpty() || text.size() > 18)
        return std::nullopt;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    return text.toLongLong();
}

} // namespace

void Manifest::add(const QString &name, const QByteArray &contents)
{
    add(name, contents.size(), sha256(contents));
}

void Manifest::add(const QString &name, qint64 size, const QByteArray &digest)
{
    Q_ASSERT(isPlainName(name));
    remove(name);
    m_entries.append({name, size, digest});
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

bool Manifest::isPlainName(const QString &name)
{
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char('\n') || c == QLatin1Char('\r')
            || c == QChar(0))
            return false;
    }
    return true;
}

QByteArray Manifest::toBytes() const
{
    QByteArray bytes = kHeader2 + '\n';
    for (const Entry &entry : m_entries)
        bytes += kSizePrefix + QByteArray::number(entry.size) + ' ' + entry.name.toUtf8() + '\n';
    for (const Entry &entry : m_entries)
        bytes += entry.sha256.toHex() + "  " + entry.name.toUtf8() + '\n';
    return bytes;
}

std::optional<Manifest> Manifest::fromBytes(const QByteArray &bytes)
{
    if (bytes.startsWith(QByteArray(kHeader2 + '\n')))
        return fromVersion2(bytes);
    return fromVersion1(bytes);
}

std::optional<Manifest> Manifest::fromVersion1(const QByteArray &bytes)
{
    const std::optional<QList<QByteArray>> lines = splitLines(bytes, QByteArrayLiteral("\r\n"));
    if (!lines || lines->isEmpty() || lines->first() != kHeader1)
        return std::nullopt;
    Manifest manifest;
    for (qsizetype i = 1; i < lines->size(); ++i) {
        const QByteArray &line = lines->at(i);
        const qsizetype firstSpace = line.indexOf(' ');
        const qsizetype secondSpace = line.indexOf(' ', firstSpace + 1);
        if (firstSpace != 64 || secondSpace < 0)
            return std::nullopt;
        Entry entry;
        entry.sha256 = digestOf(line.first(64));
        const std::optional<qint64> size = sizeOf(line.mid(firstSpace + 1, secondSpace - firstSpace - 1));
        entry.name = QString::fromUtf8(line.mid(secondSpace + 1));
        if (entry.sha256.isEmpty() || !size || !isPlainName(entry.name) || manifest.find(entry.name))
            return std::nullopt;
        entry.size = *size;
        manifest.m_entries.append(entry);
    }
    return manifest;
}

std::optional<Manifest> Manifest::fromVersion2(const QByteArray &bytes)
{
    const std::optional<QList<QByteArray>> lines = splitLines(bytes, QByteArrayLiteral("\n"));
    if (!lines)
        return std::nullopt;
    QHash<QString, qint64> sizes;
    Manifest manifest;
    for (qsizetype i = 1; i < lines->size(); ++i) {
        const QByteArray &line = lines->at(i);
        if (line.startsWith(kSizePrefix)) {
            const QByteArray rest = line.mid(kSizePrefix.size());
            const qsizetype space = rest.indexOf(' ');
            const std::optional<qint64> size = sizeOf(rest.left(space));
            const QString name = QString::fromUtf8(rest.mid(space + 1));
            if (space < 0 || !size || !isPlainName(name) || sizes.contains(name.toLower()) || !manifest.m_entries.isEmpty())
                return std::nullopt;
            sizes.insert(name.toLower(), *size);
            continue;
        }
        if (line.size() < 67 || line.at(64) != ' ' || line.at(65) != ' ')
            return std::nullopt;
        Entry entry;
        entry.sha256 = digestOf(line.first(64));
        entry.name = QString::fromUtf8(line.mid(66));
        if (entry.sha256.isEmpty() || !isPlainName(entry.name) || !sizes.contains(entry.name.toLower())
            || manifest.find(entry.name))
            return std::nullopt;
        entry.size = sizes.value(entry.name.toLower());
        manifest.m_entries.append(entry);
    }
    if (manifest.m_entries.size() != sizes.size())
        return std::nullopt;
    return manifest;
}
