#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>

// The documented decision on each addressable implementation specification
// (table addressable_decisions): implemented as specified; an equivalent
// alternative measure implemented; or neither, as not reasonable and
// appropriate, with the reasons. Every decision is kept; the latest is the
// current one.
namespace DecisionStore {

enum class Choice { Implemented, Alternative, NotReasonable };
QString choiceText(Choice choice);          // stored word
std::optional<Choice> choiceFromText(const QString &text);
QString choiceCaption(Choice choice);       // what the user reads

struct Decision
{
    int safeguardNo = 0;
    Choice choice = Choice::Implemented;
    QString reasons;
    QString alternative;                    // the measure, for Alternative
    QString decidedBy;
    QDate decidedOn;
    QDateTime recordedAt;                   // UTC
};

// What a decision must hold before it is kept: reasons for every choice but
// Implemented, the measure for Alternative, who decided. Empty when sound.
QString problemWith(const Decision &decision);

// Runs inside the caller's transaction; refuses (false, *reason) a decision
// with a problem.
bool add(QSqlDatabase &db, const Decision &decision, QString *reason);
// The safeguard's decisions, latest first.
QList<Decision> decisions(const QSqlDatabase &db, int safeguardNo);
std::optional<Decision> current(const QSqlDatabase &db, int safeguardNo);

} // namespace DecisionStore
