#pragma once

#include "printing/printsurface.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <functional>

class QTextDocument;

// Every Policies and Procedures/Plan entry the user has written
// ("Policy0.Fil" ... "Policy46.Fil" in the workbook), one per page, in
// catalogue order, nothing printed besides the entries. Missing, unreadable
// and blank files are skipped without a trace.
namespace AllPolicies {

inline constexpr PrintMargins kMargins{750, 600, 650, 600};
inline constexpr int kLastSafeguardNo = 46;

// Called with n = 0 ... 46 before each file (the progress bar's value).
using Progress = std::function<void(int safeguardNo)>;

// Composes the document (Clear, StartDoc ... EndDoc) in the font, colour and
// margins given. Returns whether any policy was output (AllPoliciesShown).
bool compose(PrintSurface &surface, const QString &workbookFolder, const QFont &font,
             const QColor &colour, const PrintMargins &margins = kMargins,
             const Progress &progress = {});

inline const QString kDocumentName = QStringLiteral("All Current Policies and Procedures");

} // namespace AllPolicies

// A plain copy of a displayed document (a risk-analysis worksheet, the
// disaster recovery plan, a reader's section): the rich text as one
// paragraph within the margins.
namespace DisplayCopy {

void compose(PrintSurface &surface, const QTextDocument &display, const PrintMargins &margins);

// What the copy says it is: a title (a worksheet's, or "Disaster Recovery
// Plan") and a labelled line under it ("Compliance Status: Partial"); every
// page then carries the organization, the title and "Page N of M".
struct Heading
{
    QString title;
    QString label;
    QString value;
    QString organization;
    QString date;
};
void compose(PrintSurface &surface, const QTextDocument &display, const PrintMargins &margins,
             const Heading &heading);

} // namespace DisplayCopy
