#include "history/safeguardrecord.h"

#include "catalogue/safeguardcatalogue.h"
#include "history/decisionstore.h"
#include "history/reviewstore.h"
#include "platform/database/workbookdatabase.h"

namespace SafeguardRecord {

namespace {

QString dateText(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

} // namespace

QList<Line> lines(const WorkbookDatabase *database, int safeguardNo)
{
    if (!database || !database->isOpen() || !Catalogue::isValidSafeguardNo(safeguardNo))
        return {};
    const QSqlDatabase db = database->connection();
    QList<Line> result;
    const QList<ReviewStore::Review> reviews = ReviewStore::reviews(db, ReviewStore::safeguardItem(safeguardNo));
    if (reviews.isEmpty()) {
        result.append({QStringLiteral("Last Reviewed:"), QStringLiteral("not recorded")});
    } else {
        const ReviewStore::Review &last = reviews.first();
        QString text = dateText(last.reviewedOn);
        if (!last.reviewer.trimmed().isEmpty())
            text += QStringLiteral(" by ") + last.reviewer.trimmed();
        result.append({QStringLiteral("Last Reviewed:"), text});
    }
    if (Catalogue::safeguardAt(safeguardNo).designation != Catalogue::Designation::Addressable)
        return result;
    const std::optional<DecisionStore::Decision> decision = DecisionStore::current(db, safeguardNo);
    if (!decision) {
        result.append({QStringLiteral("Decision:"), QStringLiteral("not recorded")});
        return result;
    }
    QString text = DecisionStore::choiceCaption(decision->choice);
    if (!decision->decidedBy.trimmed().isEmpty())
        text += QStringLiteral(", decided by ") + decision->decidedBy.trimmed();
    if (decision->decidedOn.isValid())
        text += QStringLiteral(" on ") + dateText(decision->decidedOn);
    result.append({QStringLiteral("Decision:"), text});
    if (!decision->alternative.trimmed().isEmpty())
        result.append({QStringLiteral("Alternative measure:"), decision->alternative.trimmed()});
    if (!decision->reasons.trimmed().isEmpty())
        result.append({QStringLiteral("Reasons:"), decision->reasons.trimmed()});
    return result;
}

} // namespace SafeguardRecord
