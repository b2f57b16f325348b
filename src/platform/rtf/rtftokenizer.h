#pragma once

#include <QByteArrayView>

#include <string_view>

namespace Rtf::Internal {

// One lexical unit of an RTF stream. Views point into the input, which must
// outlive the token.
struct Token
{
    enum Kind {
        End,
        GroupOpen,
        GroupClose,
        ControlWord,   // name, hasParameter, parameter
        ControlSymbol, // symbol: the character after the backslash
        HexByte,       // \'hh: byte
        Text,          // a run of literal bytes (no braces, backslashes, CR or LF)
        Binary,        // \binN: the N bytes that follow, in text
    };

    static Token of(Kind kind)
    {
        Token token;
        token.kind = kind;
        return token;
    }

    Kind kind = End;
    std::string_view name;
    std::string_view text;
    int parameter = 0;
    bool hasParameter = false;
    char symbol = 0;
    unsigned char byte = 0;
};

// Splits RTF into tokens. Control word names are limited to 32 letters and
// parameters to 10 digits (longer digit runs are consumed and the value
// clamped), so a hostile file cannot make a token unbounded or overflow.
class Tokenizer
{
public:
    explicit Tokenizer(QByteArrayView input);

    Token next();
    qsizetype position() const { return m_pos; }
    bool atEnd() const { return m_pos >= m_input.size(); }

    static constexpr int MaxParameter = 1'000'000'000;

private:
    Token readControl();

    QByteArrayView m_input;
    qsizetype m_pos = 0;
};

} // namespace Rtf::Internal
