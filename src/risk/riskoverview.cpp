#include "risk/riskoverview.h"

#include "risk/riskstore.h"

#include <QLocale>

#include <algorithm>

namespace RiskOverview {

HeatMap currentHeatMap(const RiskStore &store)
{
    HeatMap map{};
    for (const Risk &r : store.risks()) {
        if (RiskLevel::isValid(r.likelihood) && RiskLevel::isValid(r.impact))
            ++map[r.likelihood - 1][r.impact - 1];
    }
    return map;
}

HeatMap residualHeatMap(const RiskStore &store)
{
    HeatMap map{};
    for (const Risk &r : store.risks()) {
        if (RiskLevel::isValid(r.residualLikelihood) && RiskLevel::isValid(r.residualImpact))
            ++map[r.residualLikelihood - 1][r.residualImpact - 1];
    }
    return map;
}

std::array<int, 6> countsPerLevel(const RiskStore &store)
{
    std::array<int, 6> counts{};
    for (const Risk &r : store.risks())
        ++counts[store.level(r)];
    return counts;
}

QList<int> highestRisks(const RiskStore &store, int count)
{
    QList<int> rows;
    for (int i = 0; i < store.risks().size(); ++i)
        rows << i;
    const auto &risks = store.risks();
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        const Risk &ra = risks.at(a);
        const Risk &rb = risks.at(b);
        const int la = store.level(ra);
        const int lb = store.level(rb);
        if (la != lb)
            return la > lb;
        if (ra.likelihood != rb.likelihood)
            return ra.likelihood > rb.likelihood;
        return ra.impact > rb.impact;
    });
    if (rows.size() > count)
        rows.resize(count);
    return rows;
}

QList<int> overdueTreatments(const RiskStore &store, const QDate &today)
{
    QList<int> rows;
    const auto &risks = store.risks();
    for (int i = 0; i < risks.size(); ++i) {
        const Risk &r = risks.at(i);
        if (r.status != TreatmentStatus::Done && r.treatment != Treatment::Accept && r.dueOn.isValid()
            && r.dueOn < today)
            rows << i;
    }
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return risks.at(a).dueOn < risks.at(b).dueOn; });
    return rows;
}

QList<int> baaReviewsDue(const RiskStore &store, const QDate &today, int withinDays)
{
    QList<int> rows;
    const auto &associates = store.associates();
    const QDate horizon = today.addDays(withinDays);
    for (int i = 0; i < associates.size(); ++i) {
        const BusinessAssociate &b = associates.at(i);
        if (!b.baaSignedOn.isValid() || (b.baaReviewOn.isValid() && b.baaReviewOn <= horizon))
            rows << i;
    }
    // Unsigned first, then by review date.
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        const BusinessAssociate &x = associates.at(a);
        const BusinessAssociate &y = associates.at(b);
        if (x.baaSignedOn.isValid() != y.baaSignedOn.isValid())
            return !x.baaSignedOn.isValid();
        return x.baaReviewOn < y.baaReviewOn;
    });
    return rows;
}

QString reviewWarning(const AnalysisDetails &details, const QDate &today)
{
    if (!details.lastFullReviewOn.isValid())
        return QStringLiteral("No full review of the risk analysis is recorded.");
    if (details.lastFullReviewOn.addMonths(kReviewMonths) < today)
        return QStringLiteral("The last full review of the risk analysis was on %1, more than %2 months ago.")
            .arg(QLocale::c().toString(details.lastFullReviewOn, QStringLiteral("MMMM d, yyyy")))
            .arg(kReviewMonths);
    return QString();
}

} // namespace RiskOverview
