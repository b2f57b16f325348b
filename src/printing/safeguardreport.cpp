#include "printing/safeguardreport.h"

#include "catalogue/highlight.h"
#include "catalogue/referencetexts.h"
#include "catalogue/safeguardcatalogue.h"
#include "platform/records/storedfile.h"
#include "platform/rtf/rtf.h"

#include <QDir>
#include <QTextCursor>
#include <QTextDocumentFragment>

namespace {

using Catalogue::EntryKind;
using Reference::ReferenceKind;

constexpr std::array<ReferenceKind, 3> kReferenceKinds{
    ReferenceKind::ImplementationSpecification, ReferenceKind::ReferencesInRule,
    ReferenceKind::AdditionalInformation};
constexpr std::array<EntryKind, 3> kEntryKinds{EntryKind::ActionTaken, EntryKind::CommentsNotes,
                                               EntryKind::PoliciesProcedures};

// The scratch that holds section `section` (0-2 and 3-5; 3 is the block).
int scratchOf(int section)
{
    return section < 3 ? section : section + 1;
}

bool blank(const QTextDocument &document)
{
    return document.toPlainText().trimmed().isEmpty();
}

} // namespace

SafeguardReport::SafeguardReport(const QString &contentFolder)
    : m_contentFolder(contentFolder)
{
    for (auto &scratch : m_scratches)
        scratch = std::make_unique<QTextDocument>();
    m_font = QFont(QStringLiteral("Times New Roman"), 12);
}

SafeguardReport::~SafeguardReport() = default;

void SafeguardReport::reset(int safeguardNo, bool sampleView)
{
    m_sampleView = sampleView;
    m_safeguardNo = sampleView ? Catalogue::Sample::SafeguardNo : safeguardNo;
    for (auto &scratch : m_scratches)
        scratch->clear();
    m_unreadableEntries.fill(QString());
}

void SafeguardReport::copyFromDisplay(int section, const QTextDocument &display)
{
    QTextDocument &target = scratch(scratchOf(section));
    target.clear();
    QTextCursor cursor(&target);
    cursor.insertFragment(QTextDocumentFragment(&display));
}

bool SafeguardReport::isScratchEmpty(int index) const
{
    return blank(scratch(index));
}

void SafeguardReport::loadEntryScratches(const QString &workbookFolder)
{
    for (int i = 0; i < 3; ++i) {
        QTextDocument &target = scratch(4 + i);
        if (!blank(target))
            continue;
        const QString path = m_sampleView
            ? Reference::findContentFile(m_contentFolder, Catalogue::Sample::entryFileName(kEntryKinds[i]))
            : QDir(workbookFolder).filePath(Catalogue::entryFileName(kEntryKinds[i], m_safeguardNo));
        target.clear();
        m_unreadableEntries[size_t(i)].clear();
        QString error;
        if (!path.isEmpty() && !Rtf::loadFile(path, &target, &error) && StoredFile::isPresent(path))
            m_unreadableEntries[size_t(i)] = QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(path), error);
    }
}

QString SafeguardReport::safeguardName() const
{
    if (!Catalogue::isValidSafeguardNo(m_safeguardNo))
        return {};
    return QString::fromLatin1(Catalogue::safeguardAt(m_safeguardNo).fullName);
}

QString SafeguardReport::documentName() const
{
    return safeguardName() + QStringLiteral(" - Safeguard Report");
}

std::optional<SafeguardReport::Refusal> SafeguardReport::refusalFor(int section) const
{
    const QString name = safeguardName();
    static constexpr std::array<const char *, 3> kEntryTitles{"Action Taken", "Comments/Notes",
                                                              "Policies and Procedures"};
    if (section >= 3 && section < kSectionCount && !m_unreadableEntries[size_t(section - 3)].isEmpty()) {
        const QString title = QLatin1String(kEntryTitles[size_t(section - 3)]);
        return Refusal{title, QStringLiteral("The %1 entry for %2 could not be read: %3").arg(title, name,
                                                                                           m_unreadableEntries[size_t(section - 3)])};
    }
    switch (section) {
    case 0:
        if (Catalogue::isOverview(m_safeguardNo))
            return Refusal{QStringLiteral("Implementation Specification"),
                           QStringLiteral("No Implementation specification is available for ") + name
                               + QLatin1Char('!')};
        return std::nullopt;
    case 3:
        if (isScratchEmpty(4))
            return Refusal{QStringLiteral("Action Taken"),
                           QStringLiteral("No Action Taken entries were found for ") + name + QLatin1Char('!')};
        return std::nullopt;
    case 4:
        if (isScratchEmpty(5))
            return Refusal{QStringLiteral("Comments/Notes"),
                           QStringLiteral("No Comments/Notes were found for ") + name + QLatin1Char('!')};
        return std::nullopt;
    case 5:
        if (isScratchEmpty(6))
            return Refusal{QStringLiteral("Policies and Procedures"),
                           QStringLiteral("No Policies and Procedures/Plan were found for ") + name
                               + QLatin1Char('!')};
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

void SafeguardReport::setPrinterFont(const QFont &font, const QColor &colour)
{
    m_font = font;
    if (m_font.pointSizeF() <= 0)
        m_font.setPointSizeF(10);
    m_colour = colour.isValid() ? colour : QColor(Qt::black);
}

QString SafeguardReport::reportTerm(int safeguardNo)
{
    switch (safeguardNo) {
    case 3: return QStringLiteral("Information System Activity");
    case 10: return QStringLiteral("Access Establishment");
    default: break;
    }
    if (Catalogue::isOverview(safeguardNo))
        return {};
    return Reference::highlightTerm(ReferenceKind::ImplementationSpecification, safeguardNo);
}

void SafeguardReport::buildReferenceScratches()
{
    for (int i = 0; i < 3; ++i) {
        QTextDocument &target = scratch(i);
        if (blank(target))
            Reference::build(kReferenceKinds[i], m_safeguardNo, &target, Reference::BuildMode::Report,
                             m_contentFolder);
    }
}

void SafeguardReport::buildReportBlock(const Sections &sections)
{
    buildReferenceScratches();
    QTextDocument &block = scratch(kReportBlock);
    block.clear();
    QList<int> chosen;
    for (int i = 0; i < 3; ++i) {
        if (sections[i])
            chosen.append(i);
    }
    if (chosen.size() >= 2) {
        QStringList texts;
        for (int i : chosen)
            texts.append(scratch(i).toPlainText());
        block.setPlainText(texts.join(QStringLiteral("\n\n")));
    } else if (chosen.size() == 1) {
        QTextCursor cursor(&block);
        cursor.insertFragment(QTextDocumentFragment(&scratch(chosen.first())));
    }
    if (block.isEmpty())
        return;

    // The whole block in the printer font, then the term marked.
    QTextCursor all(&block);
    all.select(QTextCursor::Document);
    QTextCharFormat format;
    format.setFontFamilies({m_font.family()});
    format.setFontPointSize(m_font.pointSizeF());
    format.setFontWeight(m_font.bold() ? QFont::Bold : QFont::Normal);
    format.setFontItalic(m_font.italic());
    format.setFontUnderline(m_font.underline());
    format.setFontStrikeOut(m_font.strikeOut());
    format.setForeground(m_colour);
    all.mergeCharFormat(format);
    const QString term = reportTerm(m_safeguardNo);
    if (!term.isEmpty())
        Highlight::markTerm(&block, term);
}

void SafeguardReport::render(PrintSurface &surface, const Sections &sections)
{
    surface.setPreview(true);
    surface.clear();
    surface.setFont(m_font);
    surface.setTextColor(m_colour);
    surface.setPenColor(m_colour);
    surface.setMargins(m_margins);
    surface.startDoc();
    const QString space = QStringLiteral(" ");
    if (!isScratchEmpty(kReportBlock)) {
        surface.paragraph(scratch(kReportBlock));
        surface.paragraph(space);
    }
    if (sections[3] && !isScratchEmpty(4)) {
        surface.paragraph(QStringLiteral("Action Taken:"));
        surface.paragraph(space);
        surface.paragraph(scratch(4));
        surface.paragraph(space);
    }
    if (sections[4] && !isScratchEmpty(5)) {
        surface.paragraph(QStringLiteral("Comments/Notes:"));
        surface.paragraph(space);
        surface.paragraph(scratch(5));
        surface.paragraph(space);
    }
    if (sections[5] && !isScratchEmpty(6)) {
        if (surface.currentY() > surface.pageHeight() - kPoliciesPageRoom)
            surface.newPage();
        surface.paragraph(QStringLiteral("Policies and Procedures/Plan:"));
        surface.paragraph(space);
        surface.paragraph(scratch(6));
    }
    surface.endDoc();
}

void SafeguardReport::compose(PrintSurface &surface, const Sections &sections)
{
    buildReportBlock(sections);
    render(surface, sections);
}
