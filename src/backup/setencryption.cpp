#include "backup/setencryption.h"

#include <QList>

#include <sodium.h>

namespace SetEncryption {

namespace {

constexpr qsizetype kChunk = 64 * 1024;
const QByteArray kMagic = QByteArrayLiteral("Sentrivo encrypted backup 1");
const QByteArray kCheckText = QByteArrayLiteral("Sentrivo backup key check");

bool ready()
{
    static const bool initialised = sodium_init() >= 0;
    return initialised;
}

} // namespace

Key::~Key()
{
    if (!m_bytes.isEmpty())
        sodium_memzero(m_bytes.data(), size_t(m_bytes.size()));
}

Key::Key(Key &&other) noexcept : m_bytes(std::move(other.m_bytes)) {}

Key &Key::operator=(Key &&other) noexcept
{
    if (!m_bytes.isEmpty())
        sodium_memzero(m_bytes.data(), size_t(m_bytes.size()));
    m_bytes = std::move(other.m_bytes);
    return *this;
}

std::optional<Key> deriveKey(const QByteArray &passphrase, const Header &header)
{
    if (!ready() || header.salt.size() != crypto_pwhash_SALTBYTES || header.opsLimit < crypto_pwhash_OPSLIMIT_MIN
        || header.opsLimit > 64 || header.memLimit < crypto_pwhash_MEMLIMIT_MIN || header.memLimit > (quint64(1) << 31))
        return std::nullopt;
    Key key;
    key.m_bytes = QByteArray(crypto_secretstream_xchacha20poly1305_KEYBYTES, '\0');
    if (crypto_pwhash(reinterpret_cast<unsigned char *>(key.m_bytes.data()), size_t(key.m_bytes.size()),
                      passphrase.constData(), quint64(passphrase.size()),
                      reinterpret_cast<const unsigned char *>(header.salt.constData()), header.opsLimit,
                      size_t(header.memLimit), crypto_pwhash_ALG_ARGON2ID13)
        != 0)
        return std::nullopt;
    // The known text opens only with the right key.
    if (!header.check.isEmpty() && open(key, header.check) != kCheckText)
        return std::nullopt;
    return key;
}

std::optional<NewSet> newSet(const QByteArray &passphrase, bool fast)
{
    if (!ready())
        return std::nullopt;
    Header header;
    header.opsLimit = fast ? crypto_pwhash_OPSLIMIT_MIN : crypto_pwhash_OPSLIMIT_MODERATE;
    header.memLimit = fast ? crypto_pwhash_MEMLIMIT_MIN : crypto_pwhash_MEMLIMIT_MODERATE;
    header.salt = QByteArray(crypto_pwhash_SALTBYTES, '\0');
    randombytes_buf(header.salt.data(), size_t(header.salt.size()));
    std::optional<Key> key = deriveKey(passphrase, header);
    if (!key)
        return std::nullopt;
    header.check = seal(*key, kCheckText);
    return NewSet{header, std::move(*key)};
}

QByteArray headerBytes(const Header &header)
{
    return kMagic + "\nkdf argon2id13\nopslimit " + QByteArray::number(header.opsLimit) + "\nmemlimit "
         + QByteArray::number(header.memLimit) + "\nsalt " + header.salt.toHex()
         + "\ncipher xchacha20poly1305-secretstream\ncheck " + header.check.toHex() + '\n';
}

std::optional<Header> parseHeader(const QByteArray &bytes)
{
    if (bytes.size() > 4096 || !bytes.endsWith('\n'))
        return std::nullopt;
    QList<QByteArray> lines = bytes.chopped(1).split('\n');
    if (lines.size() != 7 || lines.at(0) != kMagic || lines.at(1) != "kdf argon2id13"
        || lines.at(5) != "cipher xchacha20poly1305-secretstream")
        return std::nullopt;
    const auto value = [&lines](int line, const QByteArray &name) -> QByteArray {
        const QByteArray &text = lines.at(line);
        return text.startsWith(QByteArray(name + ' ')) ? text.mid(name.size() + 1) : QByteArray();
    };
    Header header;
    bool opsOk = false;
    bool memOk = false;
    header.opsLimit = value(2, "opslimit").toULongLong(&opsOk);
    header.memLimit = value(3, "memlimit").toULongLong(&memOk);
    header.salt = QByteArray::fromHex(value(4, "salt"));
    header.check = QByteArray::fromHex(value(6, "check"));
    if (!opsOk || !memOk || header.salt.size() != crypto_pwhash_SALTBYTES || header.salt.toHex() != value(4, "salt")
        || header.check.isEmpty() || header.check.toHex() != value(6, "check"))
        return std::nullopt;
    return header;
}

QByteArray seal(const Key &key, const QByteArray &plain)
{
    crypto_secretstream_xchacha20poly1305_state state;
    QByteArray out(crypto_secretstream_xchacha20poly1305_HEADERBYTES, '\0');
    crypto_secretstream_xchacha20poly1305_init_push(&state, reinterpret_cast<unsigned char *>(out.data()),
                                                    reinterpret_cast<const unsigned char *>(key.bytes().constData()));
    const qsizetype chunks = plain.size() / kChunk + 1; // the last one may be empty
    out.reserve(out.size() + plain.size() + chunks * crypto_secretstream_xchacha20poly1305_ABYTES);
    for (qsizetype i = 0; i < chunks; ++i) {
        const qsizetype from = i * kChunk;
        const qsizetype length = std::min(kChunk, plain.size() - from);
        const unsigned char tag = i + 1 == chunks ? crypto_secretstream_xchacha20poly1305_TAG_FINAL : 0;
        const qsizetype at = out.size();
        out.resize(at + length + qsizetype(crypto_secretstream_xchacha20poly1305_ABYTES));
        crypto_secretstream_xchacha20poly1305_push(&state, reinterpret_cast<unsigned char *>(out.data() + at), nullptr,
                                                   reinterpret_cast<const unsigned char *>(plain.constData() + from),
                                                   quint64(length), nullptr, 0, tag);
    }
    sodium_memzero(&state, sizeof state);
    return out;
}

std::optional<QByteArray> open(const Key &key, const QByteArray &sealed)
{
    constexpr qsizetype kHeader = crypto_secretstream_xchacha20poly1305_HEADERBYTES;
    constexpr qsizetype kTag = crypto_secretstream_xchacha20poly1305_ABYTES;
    if (!key.isValid() || sealed.size() < kHeader + kTag)
        return std::nullopt;
    crypto_secretstream_xchacha20poly1305_state state;
    if (crypto_secretstream_xchacha20poly1305_init_pull(&state, reinterpret_cast<const unsigned char *>(sealed.constData()),
                                                        reinterpret_cast<const unsigned char *>(key.bytes().constData()))
        != 0)
        return std::nullopt;
    QByteArray plain;
    plain.reserve(sealed.size());
    qsizetype at = kHeader;
    bool final = false;
    while (at < sealed.size() && !final) {
        const qsizetype length = std::min(kChunk + kTag, sealed.size() - at);
        if (length < kTag)
            return std::nullopt;
        const qsizetype into = plain.size();
        plain.resize(into + length - kTag);
        unsigned long long written = 0;
        unsigned char tag = 0;
        if (crypto_secretstream_xchacha20poly1305_pull(&state, reinterpret_cast<unsigned char *>(plain.data() + into),
                                                       &written, &tag,
                                                       reinterpret_cast<const unsigned char *>(sealed.constData() + at),
                                                       quint64(length), nullptr, 0)
            != 0)
            return std::nullopt;
        plain.resize(into + qsizetype(written));
        final = tag == crypto_secretstream_xchacha20poly1305_TAG_FINAL;
        at += length;
    }
    // Cut short (no final chunk) or with bytes after the final one: refused.
    if (!final || at != sealed.size())
        return std::nullopt;
    return plain;
}

} // namespace SetEncryption
