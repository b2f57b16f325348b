#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <array>

// The fixed tables of the three reader screens: the rule's sections, the
// Advisor's topics and risk-analysis sub-topics, the Miscellaneous topics and
// its web links. Captions keep "&" for access keys and "&&" for one "&".
namespace ReaderTables {

// ---- Security Rule reader -------------------------------------------------

struct RuleSection
{
    const char *caption;   // on the section's option button
    const char *longName;  // its tooltip and the window caption's topic
};

constexpr int kRuleSectionCount = 25;
const std::array<RuleSection, kRuleSectionCount> &ruleSections();
// "PR<n>.Fl1"
QString ruleSectionFile(int section);
// Rows 5-18 are the lettered parts of section III and the two rows after
// them; the list draws them indented.
bool isIndentedRuleSection(int section);

// ---- Information Advisor --------------------------------------------------

struct AdvisorTopic
{
    const char *caption;      // on the topic button
    const char *document;     // nullptr for "Risk Analysis" (its sub-topic's)
    const char *captionPart;  // appended to "Information Advisor", leading " - " included
};

constexpr int kAdvisorTopicCount = 10;
constexpr int kRiskAnalysisTopic = 6;
constexpr int kKeyInformationTopic = 4;
const std::array<AdvisorTopic, kAdvisorTopicCount> &advisorTopics();

struct RiskAnalysisSubTopic
{
    const char *caption;  // also its tooltip
    const char *document;
};

constexpr int kRiskAnalysisSubTopicCount = 4;
constexpr int kNistRecommendationsSubTopic = 1;
const std::array<RiskAnalysisSubTopic, kRiskAnalysisSubTopicCount> &riskAnalysisSubTopics();

// The NIST button: NIST Special Publication 800-66 (the Security Rule
// resource guide) under "Key Information", else the publications index.
QUrl nistResourceGuideUrl();
QUrl nistPublicationsIndexUrl();
inline constexpr const char *kNistResourceGuideCaption = "Click to view NIST Security Rule Resource Guide - PDF File";
inline constexpr const char *kNistWebsiteCaption = "Click for NIST Website";

// ---- Miscellaneous screen ------------------------------------------------

struct MiscTopic
{
    const char *caption;
    const char *document;  // nullptr for the link page
    bool copyAndPrint;
};

constexpr int kMiscTopicCount = 5;
constexpr int kProgramInformationTopic = 1;
constexpr int kWebLinksTopic = 2;
const std::array<MiscTopic, kMiscTopicCount> &miscTopics();

struct WebLink
{
    int number;               // the link's own number
    const char *caption;
    const char *description;  // tooltip, with its surrounding blanks
    const char *address;
};

constexpr int kWebLinkCount = 7;
// Top to bottom as the link page shows them.
const std::array<WebLink, kWebLinkCount> &webLinks();

// The captions of a table's rows, in order, as its buttons show them.
QStringList captionsOf(const auto &table)
{
    QStringList captions;
    for (const auto &row : table)
        captions << QString::fromLatin1(row.caption);
    return captions;
}

} // namespace ReaderTables
