#include "timeline/tododate.h"

#include <QLocale>
#include <QRegularExpression>

#include <array>

namespace ToDoDate {
namespace {

constexpr std::array<const char *, 7> kDays = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
constexpr std::array<const char *, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

int indexIn(const auto &names, QStringView text)
{
    for (int i = 0; i < int(names.size()); ++i) {
        if (text.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

QString format(const QDate &date)
{
    if (!date.isValid())
        return {};
    return QStringLiteral("%1 - %2 %3, %4")
        .arg(QLatin1String(kDays[date.dayOfWeek() - 1]), QLatin1String(kMonths[date.month() - 1]))
        .arg(date.day())
        .arg(date.year() % 100, 2, 10, QLatin1Char('0'));
}

QString gridFormat(const QDate &date)
{
    if (!date.isValid())
        return {};
    return QStringLiteral("%1 - %2 %3, %4")
        .arg(QLatin1String(kDays[date.dayOfWeek() - 1]), QLatin1String(kMonths[date.month() - 1]))
        .arg(date.day())
        .arg(date.year());
}

QDate parseTyped(const QString &text)
{
    const QString typed = text.simplified();
    if (typed.isEmpty())
        return {};
    if (const QDate stored = parse(typed); stored.isValid())
        return stored;
    // The weekday of the grid's form says nothing the date does not.
    QString body = typed;
    if (const qsizetype dash = body.indexOf(QStringLiteral(" - ")); dash >= 0 && dash <= 9)
        body = body.mid(dash + 3);
    const QLocale english = QLocale::c();
    static const char *const kForms[] = {"MMM d, yyyy", "MMMM d, yyyy", "MMM d yyyy", "MMMM d yyyy", "d MMMM yyyy",
                                         "d MMM yyyy", "M/d/yyyy", "yyyy-MM-dd", "yyyy-M-d"};
    for (const char *form : kForms) {
        const QDate date = english.toDate(body, QLatin1String(form));
        if (date.isValid())
            return date;
    }
    // Two-digit years typed with slashes are this century's.
    const QDate shortYear = english.toDate(body, QStringLiteral("M/d/yy"));
    if (shortYear.isValid())
        return shortYear.addYears(shortYear.year() < 2000 ? 100 : 0);
    return {};
}

QDate parse(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*([A-Za-z]*)\s*-\s*([A-Za-z]{3})[A-Za-z]*\.?\s+(\d{1,2})\s*,\s*(\d{2})\s*$)"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return {};
    const int month = indexIn(kMonths, match.capturedView(2)) + 1;
    if (month == 0)
        return {};
    const int day = match.capturedView(3).toInt();
    const int yy = match.capturedView(4).toInt();
    const QStringView weekdayText = match.capturedView(1);
    const int weekday = weekdayText.size() >= 3 ? indexIn(kDays, weekdayText.left(3)) + 1 : 0;

    QDate fallback;
    for (int century : {2000, 1900, 2100, 2200}) {
        const QDate candidate(century + yy, month, day);
        if (!candidate.isValid())
            continue;
        if (!fallback.isValid())
            fallback = candidate;
        if (candidate.dayOfWeek() == weekday)
            return candidate;
    }
    return fallback;
}

QString longFormat(const QDate &date)
{
    return QLocale::c().toString(date, QStringLiteral("MMMM d, yyyy"));
}

QString asOfFormat(const QDate &date)
{
    return QLocale::c().toString(date, QStringLiteral("MMMM dd, yyyy"));
}

} // namespace ToDoDate
