#include "history/decisionstore.h"

#include "history/versionstore.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace DecisionStore {

QString choiceText(Choice choice)
{
    switch (choice) {
    case Choice::Implemented: return QStringLiteral("implemented");
    case Choice::Alternative: return QStringLiteral("alternative");
    case Choice::NotReasonable: return QStringLiteral("not-reasonable");
    }
    return QString();
}

std::optional<Choice> choiceFromText(const QString &text)
{
    for (Choice choice : {Choice::Implemented, Choice::Alternative, Choice::NotReasonable}) {
        if (choiceText(choice) == text)
            return choice;
    }
    return std::nullopt;
}

QString choiceCaption(Choice choice)
{
    switch (choice) {
    case Choice::Implemented: return QStringLiteral("Implemented as specified");
    case Choice::Alternative: return QStringLiteral("Equivalent alternative measure implemented");
    case Choice::NotReasonable: return QStringLiteral("Neither: not reasonable and appropriate");
    }
    return QString();
}

QString problemWith(const Decision &decision)
{
    if (decision.decidedBy.trimmed().isEmpty())
        return QStringLiteral("Say who made the decision.");
    if (!decision.decidedOn.isValid())
        return QStringLiteral("Give the day of the decision.");
    if (decision.choice == Choice::Alternative && decision.alternative.trimmed().isEmpty())
        return QStringLiteral("Describe the alternative measure.");
    if (decision.choice != Choice::Implemented && decision.reasons.trimmed().isEmpty())
        return QStringLiteral("Give the reasons for the decision.");
    return QString();
}

namespace {
QString nonNull(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}
} // namespace

bool add(QSqlDatabase &db, const Decision &decision, QString *reason)
{
    if (const QString problem = problemWith(decision); !problem.isEmpty()) {
        if (reason)
            *reason = problem;
        return false;
    }
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO addressable_decisions"
                                 " (safeguard, choice, reasons, alternative, decided_by, decided_on, recorded_at)"
                                 " VALUES (?, ?, ?, ?, ?, ?, ?)"));
    query.addBindValue(decision.safeguardNo);
    query.addBindValue(choiceText(decision.choice));
    query.addBindValue(nonNull(decision.reasons.trimmed()));
    query.addBindValue(nonNull(decision.alternative.trimmed()));
    query.addBindValue(decision.decidedBy.trimmed());
    query.addBindValue(decision.decidedOn.toString(Qt::ISODate));
    query.addBindValue(VersionStore::timeText(decision.recordedAt));
    if (query.exec())
        return true;
    if (reason)
        *reason = query.lastError().databaseText().isEmpty() ? query.lastError().text()
                                                             : query.lastError().databaseText();
    return false;
}

QList<Decision> decisions(const QSqlDatabase &db, int safeguardNo)
{
    QList<Decision> result;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT safeguard, choice, reasons, alternative, decided_by, decided_on, recorded_at"
                                 " FROM addressable_decisions WHERE safeguard = ? ORDER BY id DESC"));
    query.addBindValue(safeguardNo);
    if (!query.exec())
        return result;
    while (query.next())
        result.append({query.value(0).toInt(), choiceFromText(query.value(1).toString()).value_or(Choice::Implemented),
                       query.value(2).toString(), query.value(3).toString(), query.value(4).toString(),
                       QDate::fromString(query.value(5).toString(), Qt::ISODate),
                       VersionStore::timeFromText(query.value(6).toString())});
    return result;
}

std::optional<Decision> current(const QSqlDatabase &db, int safeguardNo)
{
    const QList<Decision> all = decisions(db, safeguardNo);
    if (all.isEmpty())
        return std::nullopt;
    return all.first();
}

} // namespace DecisionStore
