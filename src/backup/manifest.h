#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// "Manifest.bk1", written beside DiskInfo.bk1 on every medium: the name, size
// and SHA-256 of every other file of that medium's part of the backup, so a
// restore can tell a complete, undamaged medium from anything else. Readers
// that do not know it ignore it.
//
//   Sentrivo backup manifest 1<CR><LF>
//   <sha-256 in 64 lower-case hex digits> <size in bytes> <name><CR><LF>
//   ...
class Manifest
{
public:
    static inline const QString kFileName = QStringLiteral("Manifest.bk1");

    struct Entry
    {
        QString name;
        qint64 size = 0;
        QByteArray sha256; // 32 raw bytes
    };

    void add(const QString &name, const QByteArray &contents);
    void remove(const QString &name);
    // The entry for a name, matched ignoring case.
    const Entry *find(const QString &name) const;
    // True when the contents are exactly what the entry describes.
    static bool matches(const Entry &entry, const QByteArray &contents);
    const QList<Entry> &entries() const { return m_entries; }

    QByteArray toBytes() const;
    // Nothing when the bytes are not a manifest (a damaged one included).
    static std::optional<Manifest> fromBytes(const QByteArray &bytes);

private:
    QList<Entry> m_entries;
};
