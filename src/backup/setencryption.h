#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Encrypted backups. The key comes from the user's passphrase through
// Argon2id (libsodium's crypto_pwhash), with a random salt; every file of
// the set is sealed on its own with libsodium's secretstream
// (XChaCha20-Poly1305, 64 KB chunks, the last one tagged final), so a file
// cut short, reordered or changed fails authentication. Nothing here is
// hand-made cryptography.
//
// "Encryption.bk1", beside DiskInfo.bk1 and Manifest.bk1 (which stay plain:
// they name files, never contents) holds what a restore needs besides the
// passphrase:
//
//   Sentrivo encrypted backup 1<LF>
//   kdf argon2id13<LF>
//   opslimit <n><LF>
//   memlimit <bytes><LF>
//   salt <32 hex digits><LF>
//   cipher xchacha20poly1305-secretstream<LF>
//   check <hex of a sealed known text: tells a wrong passphrase from damage><LF>
namespace SetEncryption {

inline const QString kHeaderFileName = QStringLiteral("Encryption.bk1");

struct Header
{
    quint64 opsLimit = 0;
    quint64 memLimit = 0;
    QByteArray salt;  // 16 bytes
    QByteArray check; // sealed known text
};

// A key; empty when it could not be made (out of memory).
class Key
{
public:
    Key() = default;
    ~Key();
    Key(const Key &) = delete;
    Key &operator=(const Key &) = delete;
    Key(Key &&other) noexcept;
    Key &operator=(Key &&other) noexcept;
    bool isValid() const { return m_bytes.size() == 32; }
    const QByteArray &bytes() const { return m_bytes; }

private:
    friend std::optional<Key> deriveKey(const QByteArray &, const Header &);
    QByteArray m_bytes;
};

// A new header with a fresh salt (parameters: libsodium's "moderate" work,
// scaled down by `fast` for tests), and its key.
struct NewSet
{
    Header header;
    Key key;
};
std::optional<NewSet> newSet(const QByteArray &passphrase, bool fast = false);

// The key for a header; nothing when the passphrase does not open it.
std::optional<Key> deriveKey(const QByteArray &passphrase, const Header &header);

QByteArray headerBytes(const Header &header);
std::optional<Header> parseHeader(const QByteArray &bytes);

QByteArray seal(const Key &key, const QByteArray &plain);
// Nothing when the bytes fail authentication (changed, cut short, another key).
std::optional<QByteArray> open(const Key &key, const QByteArray &sealed);

} // namespace SetEncryption
