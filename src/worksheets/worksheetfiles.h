#pragma once

#include "platform/records/workbook.h"

#include <QString>
#include <QStringList>

// The files of the 21 risk analysis worksheets: the titles in RAList.Fil
// (record n holds worksheet n's title, 20-byte text records) and the content
// of worksheet n in Wksht<n - 1>.Fil.
namespace Worksheets {

inline constexpr int kCount = 21;
inline constexpr int kTitleRecordLength = 20;
// A title fills at most a record's text: 18 Windows-1252 characters.
inline constexpr int kMaxTitleLength = kTitleRecordLength - 2;
inline const QString kTitleFile = QStringLiteral("RAList.Fil");
inline const QString kTemplateFile = QStringLiteral("Misc59.Fl1");

// "Risk Analysis # 1" ... "Risk Analysis # 9", "Risk Analysis #10" ... "#21".
QString defaultTitle(int index);
// "Wksht0.Fil" for the first worksheet (index 0) ... "Wksht20.Fil".
QString contentFileName(int index);

// The 21 titles: each record that holds text, else the default title. A
// missing or damaged file gives the default titles; a file that is there but
// cannot be read gives them too, with the reason in *problem (empty
// otherwise).
QStringList readTitles(const Workbook &workbook, QString *problem = nullptr);

// Writes each non-empty entry, unchanged, to its record (entry k - 1 to
// record k); empty entries leave their record as it was. The whole file is
// replaced at once (a crash never leaves it half-written); false with the
// reason when it could not be written, when an entry is too long for a
// record, or when the file is there but cannot be read (the other titles
// it holds would be lost).
bool saveTitles(const Workbook &workbook, const QStringList &entries, QString *error);

// Whether every character of text can be stored in a title record
// (Windows-1252 holds it).
bool isStorableInTitle(const QString &text);

// Whether a worksheet file can be loaded and holds more than blanks.
bool hasContent(const QString &path);

} // namespace Worksheets
