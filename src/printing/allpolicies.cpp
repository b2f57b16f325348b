#include "printing/allpolicies.h"

#include "catalogue/safeguardcatalogue.h"
#include "platform/rtf/rtf.h"

#include <QDir>
#include <QTextDocument>

namespace AllPolicies {

bool compose(PrintSurface &surface, const QString &workbookFolder, const QFont &font, const QColor &colour,
             const PrintMargins &margins, const Progress &progress)
{
    surface.setFont(font);
    surface.setTextColor(colour);
    surface.setPenColor(colour);
    surface.setMargins(margins);
    surface.setPreview(true);
    surface.clear();
    surface.startDoc();
    bool shown = false;
    const QDir folder(workbookFolder);
    QTextDocument policy;
    for (int n = 0; n <= kLastSafeguardNo; ++n) {
        if (progress)
            progress(n);
        policy.clear();
        const QString path = folder.filePath(
            Catalogue::entryFileName(Catalogue::EntryKind::PoliciesProcedures, n));
        if (!Rtf::loadFile(path, &policy) || policy.toPlainText().trimmed().isEmpty())
            continue;
        if (shown)
            surface.newPage();
        surface.paragraph(policy);
        shown = true;
    }
    surface.endDoc();
    return shown;
}

} // namespace AllPolicies

namespace DisplayCopy {

void compose(PrintSurface &surface, const QTextDocument &display, const PrintMargins &margins)
{
    surface.setPreview(true);
    surface.clear();
    surface.setMargins(margins);
    surface.startDoc();
    surface.paragraph(display);
    surface.endDoc();
}

void compose(PrintSurface &surface, const QTextDocument &display, const PrintMargins &margins, const Heading &heading)
{
    surface.setPreview(true);
    surface.clear();
    surface.setMargins(margins);
    surface.startDoc();
    const QFont font = surface.font();
    QFont title = font;
    title.setBold(true);
    title.setPointSizeF(14);
    surface.setFont(title);
    surface.heading(heading.title, -1, 3);
    surface.setFont(font);
    if (!heading.label.isEmpty()) {
        QFont bold = font;
        bold.setBold(true);
        surface.setFont(bold);
        surface.text(heading.label + QLatin1Char(' '));
        surface.setFont(font);
        surface.paragraph(heading.value.trimmed().isEmpty() ? QStringLiteral("(none chosen)") : heading.value.trimmed());
    }
    surface.paragraph(QStringLiteral(" "));
    surface.paragraph(display);
    surface.stampPageFurniture(PageFurniture{heading.organization, heading.title, heading.date});
    surface.endDoc();
}

} // namespace DisplayCopy
