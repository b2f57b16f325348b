#include "printing/safeguardreport.h"

#include "catalogue/highlight.h"
#include "catalogue/referencetexts.h"
#include "catalogue/safeguardcatalogue.h"
#include "platform/records/storedfile.h"
#include "platform/rtf/rtf.h"

#include <QDir>
#include <QLocale>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include <vector>

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
    // Each chosen text keeps its own headings and spacing; a blank line
    // between them.
    QTextCursor cursor(&block);
    bool first = true;
    for (int i : chosen) {
        cursor.movePosition(QTextCursor::End);
        if (!first) {
            cursor.insertBlock();
            cursor.insertBlock();
        }
        first = false;
        cursor.insertFragment(QTextDocumentFragment(&scratch(i)));
    }
    if (block.toPlainText().trimmed().isEmpty()) {
        block.clear();
        return;
    }

    // The printer font's family and colour throughout; the body text in its
    // size and style, while larger text (the headings) keeps its own.
    const qreal bodySize = m_font.pointSizeF();
    struct Piece
    {
        int position;
        int length;
        QTextCharFormat format;
    };
    std::vector<Piece> pieces;
    for (QTextBlock paragraph = block.begin(); paragraph.isValid(); paragraph = paragraph.next()) {
        for (auto it = paragraph.begin(); !it.atEnd(); ++it)
            pieces.push_back({it.fragment().position(), it.fragment().length(), it.fragment().charFormat()});
    }
    for (const Piece &piece : pieces) {
        const QTextCharFormat &current = piece.format;
        QTextCursor cursor(&block);
        cursor.setPosition(piece.position);
        cursor.setPosition(piece.position + piece.length, QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setFontFamilies({m_font.family()});
        format.setForeground(m_colour);
        if (current.fontPointSize() <= 12.5) {
            format.setFontPointSize(bodySize);
            if (current.fontWeight() <= QFont::Normal)
                format.setFontWeight(m_font.bold() ? QFont::Bold : QFont::Normal);
            if (!current.fontItalic())
                format.setFontItalic(m_font.italic());
            format.setFontUnderline(m_font.underline() || current.fontUnderline());
            format.setFontStrikeOut(m_font.strikeOut());
        }
        cursor.mergeCharFormat(format);
    }
    const QString term = reportTerm(m_safeguardNo);
    if (!term.isEmpty())
        Highlight::markTerm(&block, term);
}

void SafeguardReport::setFurniture(const QString &organization, const QDate &date)
{
    m_organization = organization;
    m_date = date;
}

QString SafeguardReport::longDate(const QDate &date)
{
    return QLocale(QLocale::English).toString(date, QStringLiteral("MMMM d, yyyy"));
}

void SafeguardReport::composeIdentity(PrintSurface &surface, int safeguardNo, const QString &status,
                                      const QList<HeadingLine> &record)
{
    if (!Catalogue::isValidSafeguardNo(safeguardNo))
        return;
    const Catalogue::Safeguard &safeguard = Catalogue::safeguardAt(safeguardNo);
    const QFont body = surface.font();
    QFont title = body;
    title.setBold(true);
    title.setPointSizeF(14);
    surface.setFont(title);
    surface.heading(QString::fromLatin1(safeguard.fullName), -1, 4);
    surface.setFont(body);
    const auto line = [&surface, &body](const QString &label, const QString &value) {
        if (value.trimmed().isEmpty())
            return;
        QFont bold = body;
        bold.setBold(true);
        surface.setFont(bold);
        surface.text(label + QStringLiteral(" "));
        surface.setFont(body);
        surface.paragraph(value);
    };
    const QString designation = safeguard.designation == Catalogue::Designation::Required ? QStringLiteral("Required")
        : safeguard.designation == Catalogue::Designation::Addressable                   ? QStringLiteral("Addressable")
                                                                                          : QString();
    line(QStringLiteral("Standard:"), QString::fromLatin1(safeguard.standard));
    line(QStringLiteral("Section:"),
         *safeguard.section ? QString(QChar(0x00A7) + QString::fromLatin1(safeguard.section)) : QString());
    QString specification = QString::fromLatin1(safeguard.specification);
    specification.remove(QStringLiteral(" (R)")).remove(QStringLiteral(" (A)"));
    if (specification == QLatin1String("(R)") || specification == QLatin1String("(A)"))
        specification.clear();
    line(QStringLiteral("Implementation Specification:"), specification);
    line(QStringLiteral("Required/Addressable:"), designation);
    line(QStringLiteral("Status:"), status.trimmed().isEmpty() ? QStringLiteral("(none chosen)") : status.trimmed());
    for (const HeadingLine &extra : record)
        line(extra.first, extra.second);
    surface.paragraph(QStringLiteral(" "));
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
    // Nothing chosen, nothing printed: the preview stays empty.
    const bool anything = !isScratchEmpty(kReportBlock) || (sections[3] && !isScratchEmpty(4))
        || (sections[4] && !isScratchEmpty(5)) || (sections[5] && !isScratchEmpty(6));
    if (!anything) {
        surface.endDoc();
        return;
    }
    composeIdentity(surface, m_safeguardNo, m_sampleView ? QString::fromLatin1(Catalogue::Sample::Status) : m_status,
                    m_sampleView ? QList<HeadingLine>() : m_record);
    if (!isScratchEmpty(kReportBlock)) {
        surface.paragraph(scratch(kReportBlock));
        surface.paragraph(space);
    }
    // A heading keeps its first lines with it.
    if (sections[3] && !isScratchEmpty(4)) {
        surface.heading(QStringLiteral("Action Taken:"), -1, 3);
        surface.paragraph(space);
        surface.paragraph(scratch(4));
        surface.paragraph(space);
    }
    if (sections[4] && !isScratchEmpty(5)) {
        surface.heading(QStringLiteral("Comments/Notes:"), -1, 3);
        surface.paragraph(space);
        surface.paragraph(scratch(5));
        surface.paragraph(space);
    }
    if (sections[5] && !isScratchEmpty(6)) {
        if (surface.currentY() > surface.pageHeight() - surface.marginBottom() - kPoliciesPageRoom)
            surface.newPage();
        surface.heading(QStringLiteral("Policies and Procedures/Plan:"), -1, 3);
        surface.paragraph(space);
        surface.paragraph(scratch(6));
    }
    surface.stampPageFurniture(PageFurniture{m_organization, documentName(),
                                             longDate(m_date.isValid() ? m_date : QDate::currentDate())});
    surface.endDoc();
}

void SafeguardReport::compose(PrintSurface &surface, const Sections &sections)
{
    buildReportBlock(sections);
    render(surface, sections);
}
