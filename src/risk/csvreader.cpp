#include "risk/csvreader.h"

#include <QStringDecoder>

namespace CsvReader {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F; the five unassigned
// bytes there read as the C1 controls of the same value.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D,
    0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A,
    0x0153, 0x009D, 0x017E, 0x0178,
};

QString fromWindows1252(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text += (b >= 0x80 && b <= 0x9F) ? QChar(kCp1252High[b - 0x80]) : QChar(b);
    }
    return text;
}

} // namespace

QString decode(const QByteArray &bytes)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(body.mid(3));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(body);
    if (!utf8.hasError())
        return text;
    return fromWindows1252(body);
}

Result parse(const QString &text)
{
    Result result;
    Record record;
    QString field;
    int line = 1;
    record.line = 1;
    bool quoted = false;        // inside a quoted field
    bool wasQuoted = false;     // the current field was quoted (and closed)
    bool fieldStarted = false;  // the record has content (a separator or a character)
    bool recordBad = false;
    const qsizetype n = text.size();

    auto endField = [&] {
        record.fields << field;
        field.clear();
        wasQuoted = false;
    };
    auto endRecord = [&] {
        endField();
        const bool blank = !fieldStarted && record.fields.size() == 1 && record.fields.constFirst().isEmpty();
        if (!blank && !recordBad)
            result.records << record;
        record = Record();
        fieldStarted = false;
        recordBad = false;
    };

    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                    field += QLatin1Char('"');
                    ++i;
                } else {
                    quoted = false;
                    wasQuoted = true;
                }
            } else {
                if (c == QLatin1Char('\n') || (c == QLatin1Char('\r') && !(i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char(',')) {
            fieldStarted = true;
            endField();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            endRecord();
            ++line;
            record.line = line;
        } else if (c == QLatin1Char('"')) {
            fieldStarted = true;
            if (field.isEmpty() && !wasQuoted) {
                quoted = true;
            } else if (!recordBad) {
                result.errors << QStringLiteral("line %1: a quote inside a field that does not start with one "
                                                "(write the field in quotes and double the quote)").arg(line);
                recordBad = true;
            }
        } else {
            fieldStarted = true;
            if (wasQuoted && !recordBad) {
                result.errors << QStringLiteral("line %1: text after the closing quote of a field").arg(line);
                recordBad = true;
            }
            field += c;
        }
    }
    if (quoted) {
        result.errors << QStringLiteral("line %1: a quoted field is not closed before the end of the file").arg(record.line);
        return result;
    }
    if (fieldStarted || !field.isEmpty() || !record.fields.isEmpty())
        endRecord();
    return result;
}

} // namespace CsvReader
