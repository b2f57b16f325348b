#include "timeline/quotedlines.h"

#include "platform/records/windows1252.h"

namespace QuotedLines {

QString storable(const QString &text)
{
    QString result = text;
    result.remove(QLatin1Char('"'));
    result.replace(QLatin1Char('\r'), QLatin1Char(' '));
    result.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return result;
}

QByteArray write(const QStringList &fields)
{
    QByteArray bytes;
    bytes.reserve(fields.size() * 8);
    for (const QString &field : fields) {
        bytes += '"';
        bytes += Windows1252::encode(storable(field));
        bytes += "\"\r\n";
    }
    return bytes;
}

QStringList read(QByteArrayView bytes)
{
    QStringList fields;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        QByteArrayView line = bytes.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        start = next;

        const qsizetype open = line.indexOf('"');
        if (open < 0) {
            fields.append(Windows1252::decode(line).trimmed());
            continue;
        }
        const qsizetype close = line.lastIndexOf('"');
        const QByteArrayView inside = close > open ? line.sliced(open + 1, close - open - 1)
                                                   : line.sliced(open + 1);
        // A stray quote inside a damaged field is dropped, so it never
        // travels into the grid and the next save.
        fields.append(storable(Windows1252::decode(inside)));
    }
    return fields;
}

} // namespace QuotedLines
