#include "actionarea/entrytemplates.h"

#include "catalogue/safeguardcatalogue.h"

namespace EntryTemplates {

std::optional<int> templateNumber(int workMode, int safeguardNo)
{
    switch (workMode) {
    case 7: return kWorksheetTemplate;
    case 8: return kRecoveryPlanTemplate;
    case 9: return kSampleTemplate;
    default: break;
    }
    if (workMode < 2 || workMode > 6 || !Catalogue::isValidSafeguardNo(safeguardNo)
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
