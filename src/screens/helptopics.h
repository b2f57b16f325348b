#pragma once

// Numbered pages of the program's help (content/help/<number>.md).
namespace HelpTopic {

constexpr int ProgramOverview = 1000;
constexpr int PrintPreview = 1014;
constexpr int StartScreen = 1100;
constexpr int Backup = 1110;
constexpr int Restore = 1120;
constexpr int AuditBinder = 1020;
constexpr int ProjectTimeline = 2009;
constexpr int ActionArea = 3010;
constexpr int SecurityRule = 3012;
constexpr int Miscellaneous = 3014;
constexpr int RiskWorksheets = 3044;
constexpr int DisasterRecoveryPlan = 3048;
constexpr int InformationAdvisor = 3066;
constexpr int RiskRegister = 3070;
constexpr int SpellChecker = 5050;
// The evidence trail: versions and their history window, the search.
constexpr int DocumentHistory = 3080;
constexpr int SearchEverything = 3082;
// The program has no web site of its own: the Help menu's web entries open
// these pages instead.
constexpr int TrainingGuide = 9100;
constexpr int HomePage = 9200;
constexpr int Compatibility = 9300;

} // namespace HelpTopic
