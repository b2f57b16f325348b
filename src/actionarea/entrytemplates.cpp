#include "actionarea/entrytemplates.h"

#include "catalogue/safeguardcatalogue.h"

namespace EntryTemplates {

std::optional<int> templateNumber(WorkMode workMode, int safeguardNo)
{
    switch (workMode) {
    case WorkMode::Worksheets: return kWorksheetTemplate;
    case WorkMode::RecoveryPlan: return kRecoveryPlanTemplate;
    case WorkMode::Sample: return kSampleTemplate;
    case WorkMode::Standards:
    case WorkMode::Timeline:
    case WorkMode::Administrative:
    case WorkMode::Physical:
    case WorkMode::Technical:
    case WorkMode::Organizational:
    case WorkMode::Documentation:
    case WorkMode::RiskRegister:
        break;
    }
    if (!isSafeguardGroupMode(workMode) || !Catalogue::isValidSafeguardNo(safeguardNo)
        || Catalogue::isOverview(safeguardNo))
        return std::nullopt;
    // Administrative, Physical and Technical templates follow the safeguards
    // from Misc14; the organizational and documentation ones come after the
    // worksheet and recovery plan templates.
    switch (Catalogue::safeguardAt(safeguardNo).group) {
    case Catalogue::SafeguardGroup::Organizational: return safeguardNo + 18;
    case Catalogue::SafeguardGroup::Documentation: return safeguardNo + 17;
    default: return safeguardNo + 14;
    }
}

QString templateFileName(int templateNumber)
{
    return QStringLiteral("Misc%1.Fl1").arg(templateNumber);
}

} // namespace EntryTemplates
