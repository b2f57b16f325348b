#pragma once

#include "catalogue/workmode.h"

#include <QString>
#include <QStringView>

#include <array>
#include <span>

// The fixed catalogue of the 47 safeguards. Everything that belongs to a
// safeguard (entry files, status record, reference texts, reports) is keyed
// by its SafeguardNo (0-46). The captions are the program's own texts, kept
// exactly as shown to the user, spelling included; "&&" stands for one "&".
namespace Catalogue {

inline constexpr int SafeguardCount = 47;

enum class SafeguardGroup {
    Administrative,
    Physical,
    Technical,
    Organizational,
    Documentation,
};
inline constexpr int GroupCount = 5;

enum class Designation { None, Required, Addressable };

enum class EntryKind { ActionTaken, CommentsNotes, PoliciesProcedures };

struct GroupInfo
{
    SafeguardGroup group;
    WorkMode workMode;            // the Action Area navigation entry that shows the group
    const char *navigationCaption;
    int buttonCount;
    int firstSafeguardNo;         // SafeguardNo of the group's button 0
};

struct Safeguard
{
    int no;
    SafeguardGroup group;
    int buttonIndex;
    const char *buttonCaption;
    const char *fullName;         // tooltip and window caption topic
    const char *standard;         // empty for the two overview rows
    const char *section;
    const char *specification;
    Designation designation;
};

// The three labels above the workspace, as displayed (see displayText()).
struct HeadingLines
{
    QString standard;
    QString section;
    QString specification;
};

std::span<const GroupInfo, GroupCount> groups();
const GroupInfo &groupInfo(SafeguardGroup group);
std::span<const Safeguard, SafeguardCount> safeguards();

// Group offset plus the button's index; -1 when the index is outside the group.
int safeguardNo(SafeguardGroup group, int buttonIndex);
// The record of Stat1.Fil holding the safeguard's current status.
int statusRecordNo(int safeguardNo);
bool isValidSafeguardNo(int safeguardNo);
// Precondition: isValidSafeguardNo(safeguardNo).
const Safeguard &safeguardAt(int safeguardNo);
// "Action<n>.Fil", "Comment<n>.Fil" or "Policy<n>.Fil".
QString entryFileName(EntryKind kind, int safeguardNo);
// The Organizational Requirements and the Documentation overview rows.
bool isOverview(int safeguardNo);

// A caption as the user sees it: "&&" becomes "&".
QString displayText(const QString &caption);

// " Standard: ...", " Section: ...", " Specification: ..." or the fixed
// overview lines; already in display form.
HeadingLines headingLines(int safeguardNo);

// The caption base recorded when a group is entered.
QString windowCaptionBase(SafeguardGroup group);
// Base, " - " and the safeguard's full name.
QString windowCaption(int safeguardNo);

// The read-only sample entry shows the Password Management safeguard.
namespace Sample {
inline constexpr int SafeguardNo = 14;
inline constexpr const char *NavigationCaption = "Sample Safeguard Entry";
inline constexpr const char *PanelTitle = "Sample entries for the Password Management Safeguard";
inline constexpr const char *Status = "Completed";
HeadingLines headingLines();
// "SampleAct.Dat", "SampleCom.Dat" or "SamplePol.Dat" (shipped content).
QString entryFileName(EntryKind kind);
} // namespace Sample

} // namespace Catalogue
