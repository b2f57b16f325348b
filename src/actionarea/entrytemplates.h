#pragma once

#include "catalogue/workmode.h"

#include <QString>

#include <optional>

// The shipped templates ("Misc<t>.Fl1") that "&Insert Template" puts into
// the editor: the policy template of a safeguard, the sample's policy, the
// disaster recovery plan and a new risk analysis worksheet.
namespace EntryTemplates {

inline constexpr int kSampleTemplate = 28;
inline constexpr int kWorksheetTemplate = 59;
inline constexpr int kRecoveryPlanTemplate = 60;

// The template number for the safeguard's Policies and Procedures/Plan in
// WorkModes 2-6, or for the document of WorkModes 7, 8 and 9; nothing for
// the two overview rows and for modes without a template.
std::optional<int> templateNumber(WorkMode workMode, int safeguardNo);

// "Misc" followed by the number and ".Fl1".
QString templateFileName(int templateNumber);

} // namespace EntryTemplates
