#pragma once

#include <QDate>
#include <QVariant>

// How the register's values travel to and from SQLite: dates as yyyy-MM-dd
// text or NULL, levels 0 as NULL, references 0 as NULL.
namespace SqlValues {

// Text columns are NOT NULL: a null QString binds as NULL, so it goes as "".
inline QVariant text(const QString &value)
{
    return value.isNull() ? QVariant(QString::fromUtf8("")) : QVariant(value);
}

inline QVariant date(const QDate &date)
{
    return date.isValid() ? QVariant(date.toString(Qt::ISODate)) : QVariant(QMetaType(QMetaType::QString));
}

inline QDate toDate(const QVariant &value)
{
    return value.isNull() ? QDate() : QDate::fromString(value.toString(), Qt::ISODate);
}

inline QVariant optionalInt(qint64 value)
{
    return value > 0 ? QVariant(value) : QVariant(QMetaType(QMetaType::LongLong));
}

} // namespace SqlValues
