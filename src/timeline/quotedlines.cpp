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
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        const QByteArrayView line = bytes.sliced(start, end - start);
        // CR LF, LF and a lone CR each end a line, as the files' Windows
        // readers took them: a file with bare CR endings keeps its fields.
        start = end;
        if (start < bytes.size() && bytes[start] == '\r')
            ++start;
        if (start < bytes.size() && bytes[start] == '\n')
            ++start;

        const qsizetype open = line.indexOf('"');
        if (open < 0) {
            fields.append(Windows1252::decode(line).trimmed());
            continue;
        }
        const qsizetype close = line.lastIndexOf('"');
        // A line with one quote only lost the other one: its text is on
        // either side ("Open ended" or a field's end cut off by a line break).
        const QByteArray inside = close > open ? line.sliced(open + 1, close - open - 1).toByteArray()
                                               : QByteArray(line.first(open).toByteArray() + line.sliced(open + 1).toByteArray()).trimmed();
        // A stray quote inside a damaged field is dropped, so it never
        // travels into the grid and the next save.
        fields.append(storable(Windows1252::decode(inside)));
    }
    return fields;
}

} // namespace QuotedLines
