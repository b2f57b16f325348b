#include "platform/records/numbertext.h"

#include <cmath>
#include <limits>

QString numberToText(qint64 value)
{
    return QString::number(value);
}

double textToNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;

    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }

    // Only ASCII digits count: other scripts' digits are not numbers here.
    const auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    QString number;
    bool seenPoint = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isDigit(c)) {
            number.append(c);
        } else if (c == QLatin1Char('.') && !seenPoint) {
            seenPoint = true;
            number.append(c);
        } else {
            break;
        }
    }

    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0.0;
    return negative ? -value : value;
}

int textToInteger(QStringView text)
{
    const double rounded = std::nearbyint(textToNumber(text));
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    if (rounded <= lowest)
        return std::numeric_limits<int>::min();
    if (rounded >= highest)
        return std::numeric_limits<int>::max();
    return int(rounded);
}
