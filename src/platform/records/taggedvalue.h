#pragma once

#include <QString>

#include <variant>

// The value of a tagged record: empty, a 32-bit integer or a text. In the
// file it is a 16-bit tag (0, 3 or 8) followed by the value.
class TaggedValue
{
public:
    enum class Type : quint16 { Empty = 0, Integer = 3, Text = 8 };

    TaggedValue() = default;
    TaggedValue(qint32 integer) : m_value(integer) {}
    TaggedValue(const QString &text) : m_value(text) {}
    TaggedValue(const char *text) : m_value(QString::fromUtf8(text)) {}

    Type type() const { return Type(kTags[m_value.index()]); }
    bool isEmpty() const { return std::holds_alternative<std::monostate>(m_value); }
    bool isInteger() const { return std::holds_alternative<qint32>(m_value); }
    bool isText() const { return std::holds_alternative<QString>(m_value); }

    // 0 unless an integer.
    qint32 toInteger() const { return isInteger() ? std::get<qint32>(m_value) : 0; }
    // The text, an integer's digits, or the empty text.
    QString toText() const;
    // True for the empty value and for the empty text alike.
    bool isEmptyText() const { return isEmpty() || (isText() && std::get<QString>(m_value).isEmpty()); }

    bool operator==(const TaggedValue &other) const = default;

private:
    static constexpr quint16 kTags[] = {0, 3, 8};
    std::variant<std::monostate, qint32, QString> m_value;
};

inline QString TaggedValue::toText() const
{
    if (isText())
        return std::get<QString>(m_value);
    if (isInteger())
        return QString::number(std::get<qint32>(m_value));
    return QString();
}
