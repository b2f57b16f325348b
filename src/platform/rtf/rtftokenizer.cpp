#include "platform/rtf/rtftokenizer.h"

namespace Rtf::Internal {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

constexpr int MaxNameLength = 32;
constexpr int MaxParameterDigits = 10;

} // namespace

Tokenizer::Tokenizer(QByteArrayView input)
    : m_input(input)
{
}

Token Tokenizer::next()
{
    const char *data = m_input.data();
    const qsizetype size = m_input.size();
    while (m_pos < size) {
        const char c = data[m_pos];
        switch (c) {
        case '{':
            ++m_pos;
            return Token::of(Token::GroupOpen);
        case '}':
            ++m_pos;
            return Token::of(Token::GroupClose);
        case '\\':
            return readControl();
        case '\r':
        case '\n':
            ++m_pos; // line ends in RTF source carry no meaning
            continue;
        default:
            break;
        }
        const qsizetype start = m_pos;
        while (m_pos < size) {
            const char d = data[m_pos];
            if (d == '{' || d == '}' || d == '\\' || d == '\r' || d == '\n')
                break;
            ++m_pos;
        }
        Token token = Token::of(Token::Text);
        token.text = std::string_view(data + start, size_t(m_pos - start));
        return token;
    }
    return Token::of(Token::End);
}

Token Tokenizer::readControl()
{
    const char *data = m_input.data();
    const qsizetype size = m_input.size();
    ++m_pos; // the backslash
    if (m_pos >= size)
        return Token::of(Token::End);

    const char first = data[m_pos];
    if (!isLetter(first)) {
        ++m_pos;
        if (first == '\'') {
            Token token = Token::of(Token::HexByte);
            int value = 0;
            int digits = 0;
            while (digits < 2 && m_pos < size && hexValue(data[m_pos]) >= 0) {
                value = value * 16 + hexValue(data[m_pos]);
                ++m_pos;
                ++digits;
            }
            if (digits == 0) // "\'" without digits: nothing to decode
                return next();
            token.byte = static_cast<unsigned char>(value);
            return token;
        }
        if (first == '\r' || first == '\n') {
            // A backslash before a line end is the old spelling of \par.
            Token token = Token::of(Token::ControlWord);
            token.name = "par";
            return token;
        }
        Token token = Token::of(Token::ControlSymbol);
        token.symbol = first;
        return token;
    }

    const qsizetype nameStart = m_pos;
    while (m_pos < size && isLetter(data[m_pos]))
        ++m_pos;
    Token token = Token::of(Token::ControlWord);
    token.name = std::string_view(data + nameStart, size_t(std::min<qsizetype>(m_pos - nameStart, MaxNameLength)));

    bool negative = false;
    if (m_pos + 1 < size && data[m_pos] == '-' && isDigit(data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < size && isDigit(data[m_pos])) {
        qint64 value = 0;
        int digits = 0;
        while (m_pos < size && isDigit(data[m_pos])) {
            if (digits < MaxParameterDigits)
                value = value * 10 + (data[m_pos] - '0');
            ++digits;
            ++m_pos;
        }
        if (digits > MaxParameterDigits || value > MaxParameter)
            value = MaxParameter;
        token.hasParameter = true;
        token.parameter = int(negative ? -value : value);
    }
    if (m_pos < size && data[m_pos] == ' ')
        ++m_pos; // the delimiting space belongs to the control word

    if (token.name == "bin") {
        const qsizetype length = token.hasParameter ? std::max(0, token.parameter) : 0;
        const qsizetype available = std::min<qsizetype>(length, size - m_pos);
        Token binary = Token::of(Token::Binary);
        binary.text = std::string_view(data + m_pos, size_t(available));
        m_pos += available;
        return binary;
    }
    return token;
}

} // namespace Rtf::Internal
