#pragma once

#include <QDate>
#include <QString>

class PrintSurface;
class RiskStore;

// The register's printed documents, composed on the print surface so the
// print panel's preview, the printer and "Save as PDF" (and the command
// line's --export) show the same pages.
//
// - The risk analysis (45 CFR 164.308(a)(1)(ii)(A)): scope, method, who
//   prepared and approved it, the asset inventory, every risk by level with
//   its likelihood, impact and linked safeguards, and the heat map.
// - The risk management plan (164.308(a)(1)(ii)(B)): the open treatments by
//   due date and owner with their residual risk, and the accepted risks
//   with who accepted them and when.
// - The business associates (164.308(b), 164.314(a)): each with its
//   service, ePHI and BAA dates, the reviews due marked.
namespace RiskReports {

inline const QString kAnalysisTitle = QStringLiteral("Risk Analysis");
inline const QString kPlanTitle = QStringLiteral("Risk Management Plan");
inline const QString kAssociatesTitle = QStringLiteral("Business Associates");

struct Options
{
    QDate today;
    QString organizationName;   // the cover line; may be empty
};

// Each clears the surface and composes the whole document on it.
void composeAnalysis(PrintSurface &surface, const RiskStore &store, const Options &options);
void composePlan(PrintSurface &surface, const RiskStore &store, const Options &options);
void composeAssociates(PrintSurface &surface, const RiskStore &store, const Options &options);

} // namespace RiskReports
