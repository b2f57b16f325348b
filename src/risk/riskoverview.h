#pragma once

#include "risk/riskrecords.h"

#include <QDate>
#include <QList>
#include <QString>

#include <array>

class RiskStore;

// What the register's overview, its reports and the Action Area's status
// bar show, computed from the store: heat maps, counts, the highest risks,
// what is overdue and whether the analysis is due for its periodic review.
namespace RiskOverview {

// counts[likelihood - 1][impact - 1]
using HeatMap = std::array<std::array<int, 5>, 5>;

HeatMap currentHeatMap(const RiskStore &store);
// Only the risks whose residual likelihood and impact are both assessed.
HeatMap residualHeatMap(const RiskStore &store);
// Risks per level of current risk, [0] unused.
std::array<int, 6> countsPerLevel(const RiskStore &store);

// Rows of the store's risks, highest level first (then likelihood, impact,
// then the oldest first), at most count of them.
QList<int> highestRisks(const RiskStore &store, int count);
// Rows of the risks whose treatment is not done and whose due date has
// passed (accepted risks aside), the most overdue first.
QList<int> overdueTreatments(const RiskStore &store, const QDate &today);
// Rows of the associates whose BAA is not recorded as signed, or whose next
// review falls within withinDays of today or has passed; soonest first.
QList<int> baaReviewsDue(const RiskStore &store, const QDate &today, int withinDays = 30);

// The months after which a full review is called for.
inline constexpr int kReviewMonths = 12;
// Empty when the last full review is recent enough; otherwise the warning
// shown in the overview and the Action Area's status bar.
QString reviewWarning(const AnalysisDetails &details, const QDate &today);

} // namespace RiskOverview
