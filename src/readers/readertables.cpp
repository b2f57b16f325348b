#include "readers/readertables.h"

namespace ReaderTables {

const std::array<RuleSection, kRuleSectionCount> &ruleSections()
{
    static const std::array<RuleSection, kRuleSectionCount> sections = {{
        {"Entire Rule", "The Entire Security Rule"},
        {"Summary", "Summary portion of the Rule"},
        {"I. Background", "Background of the Rule."},
        {"II. General Overview", "General Overview of the Proposed Rule"},
        {"III. Analysis of, ...", "Analysis of, and Responses to, Public Comments on the Proposed Rule"},
        {"A. General Issues", "General Issues"},
        {"B. Applicability", "Applicability (Sec. 164.302)"},
        {"C. Transition ...", "Transition to the Final Rule"},
        {"D. General Rules", "General Rules (Sec. 164.306)"},
        {"E. Admin. Safeguards", "Administrative Safeguards (Sec. 164.308)"},
        {"F. Physical Safeguards", "Physical Safeguards (Sec. 164.310)"},
        {"G.Technical Safeguards", "Technical Safeguards (Sec. 164.312)"},
        {"H. Organizational Req.", "Organizational Requirements (Sec. 164.314)"},
        {"I. Policies&&Procedures..",
         "Policies and Procedures and Documentation Requirements (Sec. 164.316)"},
        {"J. Compliance Dates...", "Compliance Dates for Initial Implementation (Sec. 164.318)"},
        {"K. Appendix", "Appendix"},
        {"L. Misc. Issues", "Miscellaneous Issues."},
        {"M. Proposed Impact...", "Proposed Impact Analysis"},
        {"IV. Provisions of...", "Provisions of the Final Regulation"},
        {"V.Collection of Info...", "Collection of Information Requirements"},
        {"IV. Regulatory Impact...", "Regulatory Impact Analysis"},
        {"V. Federalism", "Federalism"},
        {"List of Subjects", "List of Subjects"},
        {"Subpart C-Sec. Stand...",
         "Subpart C - Security Standards for the Protection of Electronic Protected Health Information"},
        {"Subpart C- Matrix", "Appendix A to Subpart C of Part 164--Security Standards Matrix"},
    }};
    return sections;
}

QString ruleSectionFile(int section)
{
    return QStringLiteral("PR%1.Fl1").arg(section);
}

bool isIndentedRuleSection(int section)
{
    return section >= 5 && section <= 18;
}

const std::array<AdvisorTopic, kAdvisorTopicCount> &advisorTopics()
{
    static const std::array<AdvisorTopic, kAdvisorTopicCount> topics = {{
        {"Addressable Safeguards", "Misc3.Fl1", " - Addressable Safeguards"},
        {"Concepts", "Misc6.Fl1", " - Concepts of the Final Security Rule"},
        {"Getting Started", "Misc7.Fl1", " - Getting Started"},
        {"Impact", "Misc8.Fl1", " - Impact of not complying with the Security Final Rule"},
        {"Key Information && Guide", "Misc9.Fl1", " - Key Information && Guide"},
        {"Policy Insert Template", "Misc0.Fl1", " - Policy Insert Template Information"},
        {"Risk Analysis", nullptr, " - Risk Analysis"},
        {"Security and Privacy", "Misc4.Fl1", " - Security Rule and Privacy Rule Distinctions"},
        {"Selected HIPAA Q. && A.", "Misc11.Fl1", " - Selected HIPAA Questions and Answers"},
        {"Timeline", "Misc5.Fl1", " - The HIPAA Security Rule Timeline"},
    }};
    return topics;
}

const std::array<RiskAnalysisSubTopic, kRiskAnalysisSubTopicCount> &riskAnalysisSubTopics()
{
    static const std::array<RiskAnalysisSubTopic, kRiskAnalysisSubTopicCount> subTopics = {{
        {"Risk Analysis Overview", "Misc10.Fl1"},
        {"Recommendations from NIST", "Misc12.Fl1"},
        {"Common Risk Analysis Mistakes", "Misc13.Fl1"},
        {"Risk Analysis Worksheet", "Misc58.Fl1"},
    }};
    return subTopics;
}

// SP 800-66 Revision 2 (February 2024) is the current edition of the guide.
QUrl nistResourceGuideUrl()
{
    return QUrl(QStringLiteral("https://nvlpubs.nist.gov/nistpubs/SpecialPublications/NIST.SP.800-66r2.pdf"));
}

QUrl nistPublicationsIndexUrl()
{
    return QUrl(QStringLiteral("https://csrc.nist.gov/publications/sp800"));
}

const std::array<MiscTopic, kMiscTopicCount> &miscTopics()
{
    static const std::array<MiscTopic, kMiscTopicCount> topics = {{
        {"Disclaimer", "Misc2.Fl1", false},
        {"Program Information", "Misc1.Fl1", false},
        {"HIPAA Web Links", nullptr, false},
        {"Risk Analysis Worksheet", "Misc57.Fl1", true},
        {"Sample Incident Report", "Misc56.Fl1", true},
    }};
    return topics;
}

const std::array<WebLink, kWebLinkCount> &webLinks()
{
    // Each label names the page its address opens. Links 3 and 4 once led to
    // two private sites; they now open the HHS pages that cover the same
    // ground and are labelled by those pages.
    static const std::array<WebLink, kWebLinkCount> links = {{
        {0, "Office for Civil Rights", " Official Government Website ", "https://www.hhs.gov/ocr/index.html"},
        {1, "U.S. Department of Health and Human Services", " Official Government Website: HIPAA home page ",
         "https://www.hhs.gov/hipaa/index.html"},
        {2, "Centers for Medicare && Medicaid Services (CMS)", " Official Government Website ",
         "https://www.cms.gov/Regulations-and-Guidance/Administrative-Simplification/HIPAA-ACA"},
        {5, "NIST Special Publications (800 Series)",
         " Contains several publications that may be useful, like SP 800-66 ",
         "https://csrc.nist.gov/publications/sp800"},
        {6, "Workgroup for Electronic Data Interchange (WEDI)",
         " An industry group (not a government body) with HIPAA security information ",
         "https://www.wedi.org/"},
        {3, "HHS Security Rule Guidance", " Official Government Website: guidance on the Security Rule ",
         "https://www.hhs.gov/hipaa/for-professionals/security/guidance/index.html"},
        {4, "HHS HIPAA Frequently Asked Questions", " Official Government Website: questions and answers ",
         "https://www.hhs.gov/hipaa/for-professionals/faq/index.html"},
    }};
    return links;
}

} // namespace ReaderTables
