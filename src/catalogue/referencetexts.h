#pragma once

#include "platform/records/contentfolder.h"

#include <QString>

class QTextDocument;

// The three read-only reference texts of a safeguard. A text is either
// composed from the compiled-in rule paragraphs, preamble passages and
// guidance texts, or is a shipped rich-text file shown as it stands.
namespace Reference {

enum class ReferenceKind { ImplementationSpecification, ReferencesInRule, AdditionalInformation };

// Display marks the highlight term; Report leaves the text unmarked, ready
// for the report to apply its own font and term.
enum class BuildMode { Display, Report };

// "Implementation Specification:", "References in Rule:" or "Additional Information:".
QString headingLine(ReferenceKind kind);

// The shipped file that holds the whole text, or an empty string when the
// text is composed.
QString contentFileName(ReferenceKind kind, int safeguardNo);

// The term marked in display mode, blanks removed; empty when nothing is marked.
QString highlightTerm(ReferenceKind kind, int safeguardNo);

// Addressable implementation specifications open their Additional
// Information with the notice below.
bool hasAddressableNotice(int safeguardNo);
QString addressableNotice();

// The composed plain text: CR LF line breaks, leading and trailing blanks
// removed. Empty for a text that comes from a content file, and for the
// Implementation Specification of the two overview rows.
QString composedText(ReferenceKind kind, int safeguardNo);

// Builds the text into the document. A composed text replaces the
// document's content as plain text in the document's default font and, in
// display mode, gets its highlight term marked. A content file is loaded
// as it stands (nothing added, trimmed or marked). Returns false, leaving
// the document untouched, when the content file is missing or unreadable
// or the SafeguardNo is outside the catalogue.
bool build(ReferenceKind kind, int safeguardNo, QTextDocument *document, BuildMode mode,
           const QString &contentFolder = shippedContentFolder());

// Finds a shipped file in the folder whatever the case of its name
// ("Addtl45.dat" may ship as "Addtl45.DAT"); empty when there is none.
QString findContentFile(const QString &contentFolder, const QString &fileName);

} // namespace Reference
