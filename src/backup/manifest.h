#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// "Manifest.bk1", written beside DiskInfo.bk1 on every medium and in every
// backup set: the name, size and SHA-256 of every other file of that
// medium's part of the backup, so a restore can tell a complete, undamaged
// medium from anything else. Readers that do not know it ignore it.
//
// Written in the form `sha256sum` reads, so that `sha256sum -c Manifest.bk1`
// in the set's folder checks it; the sizes ride in comment lines, which
// sha256sum skips:
//
//   # Sentrivo backup manifest 2<LF>
//   # size <size in bytes> <name><LF>            one per file, then
//   <sha-256 in 64 lower-case hex digits>  <name><LF>   one per file
//
// Manifests of earlier versions still read:
//
//   Sentrivo backup manifest 1<CR><LF>
//   <sha-256> <size in bytes> <name><CR><LF>
//
// A name is a plain file name: never empty, ".", "..", nor holding a slash,
// a backslash, a line break or NUL. A manifest breaking any rule is refused
// whole.
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
    // An entry for contents already hashed (a file copied in pieces).
    void add(const QString &name, qint64 size, const QByteArray &sha256);
    void remove(const QString &name);
    // The entry for a name, matched ignoring case.
    const Entry *find(const QString &name) const;
    // True when the contents are exactly what the entry describes.
    static bool matches(const Entry &entry, const QByteArray &contents);
    const QList<Entry> &entries() const { return m_entries; }

    QByteArray toBytes() const;
    // Nothing when the bytes are not a manifest (a damaged one included).
    static std::optional<Manifest> fromBytes(const QByteArray &bytes);

    // True for a name a manifest may hold (see above).
    static bool isPlainName(const QString &name);

private:
    static std::optional<Manifest> fromVersion1(const QByteArray &bytes);
    static std::optional<Manifest> fromVersion2(const QByteArray &bytes);

    QList<Entry> m_entries;
};
