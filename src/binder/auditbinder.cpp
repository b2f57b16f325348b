#include "binder/auditbinder.h"

#include "history/safeguardrecord.h"

#include "actionarea/standards/workbookprogress.h"
#include "actionarea/status/statustable.h"
#include "catalogue/safeguardcatalogue.h"
#include "platform/database/workbookdatabase.h"
#include "platform/database/workbooksettings.h"
#include "platform/rtf/rtf.h"
#include "printing/pdfoutline.h"
#include "printing/printsurface.h"
#include "printing/safeguardreport.h"
#include "printing/standardssummary.h"
#include "timeline/todolist.h"
#include "timeline/todostore.h"
#include "worksheets/worksheetfiles.h"

#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <QtMath>
#include <QTextDocument>

namespace AuditBinder {

namespace {

constexpr PrintMargins kMargins{1080, 1440, 1080, 1440};
const QString kRecoveryPlanFile = QStringLiteral("DRPln1.Fil");
const QString kOptionsKey = QStringLiteral("binder.sections");
const std::array<const char *, SectionCount> kSectionKeys{"dashboard", "summary", "safeguards",
                                                          "worksheets", "recovery-plan", "timeline"};

constexpr std::array<Catalogue::EntryKind, 3> kEntryKinds{
    Catalogue::EntryKind::ActionTaken, Catalogue::EntryKind::CommentsNotes,
    Catalogue::EntryKind::PoliciesProcedures};

QString entryTitle(int index)
{
    switch (index) {
    case 0: return QStringLiteral("Action Taken");
    case 1: return QStringLiteral("Comments/Notes");
    default: return QStringLiteral("Policies and Procedures");
    }
}

bool blank(const QTextDocument &document)
{
    return document.toPlainText().trimmed().isEmpty();
}

std::shared_ptr<QTextDocument> loadRtf(const QString &path)
{
    auto document = std::make_shared<QTextDocument>();
    if (!QFileInfo::exists(path) || !Rtf::loadFile(path, document.get()))
        document->clear();
    return document;
}

QFont bodyFont()
{
    return QFont(QStringLiteral("Times New Roman"), 11);
}

QFont headingFont(int level)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setBold(true);
    font.setPointSizeF(level == 0 ? 18 : level == 1 ? 14 : 12);
    return font;
}

void prepare(PrintSurface &surface, const QPageSize &pageSize)
{
    surface.setPageSize(pageSize);
    surface.setOrientation(QPageLayout::Portrait);
    surface.setMargins(kMargins);
    surface.setFont(bodyFont());
    surface.setTextColor(Qt::black);
    surface.setPenColor(Qt::black);
}

QString longDate(const QDate &date)
{
    return SafeguardReport::longDate(date);
}

// The body: every section after the contents, with its anchors.
class BodyComposer
{
public:
    explicit BodyComposer(PrintSurface &surface)
        : m_surface(surface)
    {
    }

    void dashboard(const ProgressFigures &figures);
    void summary(const Contents &contents);
    void safeguards(const Contents &contents);
    void worksheets(const Contents &contents);
    void recoveryPlan(const QTextDocument &plan);
    void timeline(const QList<Contents::TimelineRow> &rows);

private:
    // A section starts on a new page, with its heading as a bookmark.
    void startSection(const QString &title)
    {
        startPage(title);
        m_surface.setFont(headingFont(0));
        m_surface.heading(title, 0);
        m_surface.setFont(bodyFont());
        gap();
    }
    void startPage(const QString &running)
    {
        if (m_pages)
            m_surface.newPage();
        m_pages = true;
        m_surface.setRunningSection(running);
    }
    void subheading(const QString &title, int level)
    {
        m_surface.setFont(headingFont(level));
        m_surface.heading(title, level == 1 ? 1 : -1, 3);
        m_surface.setFont(bodyFont());
    }
    void gap() { m_surface.setCurrentY(m_surface.currentY() + m_surface.lineHeight() / 2); }
    void labelled(const QString &label, const QString &value)
    {
        QFont bold = bodyFont();
        bold.setBold(true);
        m_surface.setFont(bold);
        m_surface.text(label + QLatin1Char(' '));
        m_surface.setFont(bodyFont());
        m_surface.paragraph(value);
    }
    void text(const QTextDocument &document)
    {
        if (blank(document)) {
            QFont italic = bodyFont();
            italic.setItalic(true);
            m_surface.setFont(italic);
            m_surface.paragraph(QStringLiteral("Nothing has been written here."));
            m_surface.setFont(bodyFont());
        } else {
            m_surface.paragraph(document);
        }
        gap();
    }
    void timelineHeader(const std::array<int, 5> &columns);

    PrintSurface &m_surface;
    bool m_pages = false;
};

void BodyComposer::dashboard(const ProgressFigures &figures)
{
    startSection(sectionTitle(Dashboard));
    const int left = m_surface.marginLeft();
    const int width = m_surface.pageWidth() - m_surface.marginLeft() - m_surface.marginRight();
    const ProgressChart chart(figures);
    const qreal height = chart.heightFor(width, 20);
    const QRectF area(left, m_surface.currentY(), width, height);
    m_surface.paintArea(area, [chart](QPainter &painter, const QRectF &rect) { chart.paint(painter, rect, 20); });
    m_surface.setCurrentY(qCeil(area.bottom()) + m_surface.lineHeight());
    // The figures in words as well, for a reader of the text.
    for (const ProgressFigures::Group &group : figures.groups) {
        QStringList parts;
        for (int status = 0; status < ProgressFigures::StatusCount; ++status) {
            if (const int count = group.counts[size_t(status)])
                parts << QStringLiteral("%1 %2").arg(count).arg(ProgressFigures::statusName(status));
        }
        labelled(group.name + QLatin1Char(':'), parts.join(QStringLiteral(", ")));
    }
}

void BodyComposer::summary(const Contents &contents)
{
    startSection(sectionTitle(Summary));
    StandardsSummary::Selection selection;
    selection.all = true;
    selection.worksheetTitles = contents.worksheetTitles;
    StandardsSummary::composeTables(m_surface, selection, contents.status);
    m_surface.setFont(bodyFont());
}

void BodyComposer::safeguards(const Contents &contents)
{
    bool first = true;
    for (const Contents::SafeguardPart &part : contents.safeguards) {
        const QString name = QString::fromLatin1(Catalogue::safeguardAt(part.safeguardNo).fullName);
        startPage(name);
        if (first) {
            // The section's heading above its first safeguard, so the page the
            // contents give for it says so.
            m_surface.setFont(headingFont(0));
            m_surface.heading(sectionTitle(Safeguards), 0);
            gap();
            first = false;
        }
        m_surface.addAnchor(name, 1);
        m_surface.setFont(bodyFont());
        SafeguardReport::composeIdentity(m_surface, part.safeguardNo, part.status, part.record);
        for (int i = 0; i < 3; ++i) {
            subheading(entryTitle(i), 2);
            text(*part.entries[size_t(i)]);
        }
    }
}

void BodyComposer::worksheets(const Contents &contents)
{
    bool first = true;
    for (const Contents::TextPart &part : contents.worksheets) {
        if (first) {
            startSection(sectionTitle(Worksheets));
            first = false;
        } else {
            startPage(sectionTitle(Worksheets));
        }
        subheading(part.title, 1);
        labelled(QStringLiteral("Compliance Status:"),
                 part.status.trimmed().isEmpty() ? QStringLiteral("(none chosen)") : part.status.trimmed());
        gap();
        text(*part.text);
    }
}

void BodyComposer::recoveryPlan(const QTextDocument &plan)
{
    startSection(sectionTitle(RecoveryPlan));
    text(plan);
}

void BodyComposer::timelineHeader(const std::array<int, 5> &columns)
{
    QFont bold = bodyFont();
    bold.setBold(true);
    m_surface.setFont(bold);
    const int y = m_surface.currentY();
    const QStringList captions{QStringLiteral("To Do Item"), QStringLiteral("To Do Date"),
                               QStringLiteral("Actual Date"), QStringLiteral("Next Review Date")};
    for (int i = 0; i < 4; ++i) {
        m_surface.setCurrentY(y);
        m_surface.setCurrentX(columns[size_t(i)] + 60);
        m_surface.text(captions[i]);
    }
    m_surface.setCurrentY(y + m_surface.lineHeight() + 40);
    m_surface.drawLine(columns[0], m_surface.currentY(), columns[4], m_surface.currentY());
    m_surface.setCurrentY(m_surface.currentY() + 60);
    m_surface.setFont(bodyFont());
}

void BodyComposer::timeline(const QList<Contents::TimelineRow> &rows)
{
    startSection(sectionTitle(Timeline));
    const int left = m_surface.marginLeft();
    const int right = m_surface.pageWidth() - m_surface.marginRight();
    const int dateWidth = (right - left) * 3 / 20;
    const std::array<int, 5> columns{left, right - 3 * dateWidth, right - 2 * dateWidth, right - dateWidth, right};
    timelineHeader(columns);
    const int itemWidth = columns[1] - columns[0] - 120;
    const PrintMargins margins = m_surface.margins();
    for (const Contents::TimelineRow &row : rows) {
        // The item wraps in its column; the row moves whole to the next page.
        const int lines = 1 + m_surface.textWidth(row.item) / std::max(1, itemWidth);
        const int needed = (lines + 1) * m_surface.lineHeight();
        if (m_surface.currentY() + needed > m_surface.pageHeight() - margins.bottom) {
            m_surface.newPage();
            timelineHeader(columns);
        }
        const int top = m_surface.currentY();
        int bottom = top;
        for (int i = 0; i < 3; ++i) {
            m_surface.setCurrentY(top);
            m_surface.setCurrentX(columns[size_t(i) + 1] + 60);
            m_surface.paragraph(row.dates[size_t(i)].isEmpty() ? QStringLiteral(" ") : row.dates[size_t(i)]);
            bottom = std::max(bottom, m_surface.currentY());
        }
        m_surface.setCurrentY(top);
        m_surface.setCurrentX(columns[0] + 60);
        m_surface.setMarginRight(m_surface.pageWidth() - columns[1] + 60);
        m_surface.paragraph(row.item);
        m_surface.setMargins(margins);
        bottom = std::max(bottom, m_surface.currentY());
        m_surface.setCurrentY(bottom + 30);
        m_surface.setPenColor(Qt::lightGray);
        m_surface.drawLine(columns[0], m_surface.currentY(), columns[4], m_surface.currentY());
        m_surface.setPenColor(Qt::black);
        m_surface.setCurrentY(m_surface.currentY() + 50);
    }
}

void composeBody(PrintSurface &surface, const Contents &contents)
{
    BodyComposer body(surface);
    if (contents.figures)
        body.dashboard(*contents.figures);
    if (contents.summary)
        body.summary(contents);
    body.safeguards(contents);
    body.worksheets(contents);
    if (contents.recoveryPlan)
        body.recoveryPlan(*contents.recoveryPlan);
    if (!contents.timeline.isEmpty())
        body.timeline(contents.timeline);
}

// The cover and the contents; `frontPages` is how many pages they take, so
// the contents can give the body's page numbers.
void composeFront(PrintSurface &surface, const Cover &cover, const QList<PrintAnchor> &bodyAnchors, int frontPages)
{
    const int width = surface.pageWidth();
    const auto centred = [&surface, width](const QString &text) {
        surface.setCurrentX(std::max(surface.marginLeft(), (width - surface.textWidth(text)) / 2));
        surface.paragraph(text);
    };
    surface.setCurrentY(surface.pageHeight() / 4);
    QFont title = headingFont(0);
    title.setPointSizeF(28);
    surface.setFont(title);
    centred(QStringLiteral("Audit Binder"));
    surface.setFont(headingFont(1));
    centred(QStringLiteral("HIPAA Security Rule Compliance"));
    surface.setCurrentY(surface.currentY() + 1440);
    QFont organization = headingFont(0);
    organization.setPointSizeF(20);
    surface.setFont(organization);
    centred(cover.organization.isEmpty() ? QStringLiteral("(organization not named)") : cover.organization);
    surface.setCurrentY(surface.currentY() + 1440);
    surface.setFont(QFont(QStringLiteral("Times New Roman"), 13));
    if (!cover.preparedBy.isEmpty())
        centred(QStringLiteral("Prepared by: ") + cover.preparedBy);
    centred(QStringLiteral("Date: ") + longDate(cover.made.date()));
    if (!cover.workbookName.isEmpty())
        centred(QStringLiteral("Workbook: ") + cover.workbookName);

    surface.newPage();
    surface.setRunningSection(QStringLiteral("Contents"));
    surface.setFont(headingFont(0));
    surface.heading(QStringLiteral("Contents"), 0);
    surface.setCurrentY(surface.currentY() + surface.lineHeight() / 2);
    const int anchorOffset = int(surface.anchors().size());
    const int right = width - surface.marginRight();
    for (int i = 0; i < bodyAnchors.size(); ++i) {
        const PrintAnchor &anchor = bodyAnchors[i];
        QFont font = bodyFont();
        font.setPointSizeF(anchor.level == 0 ? 12 : 11);
        font.setBold(anchor.level == 0);
        surface.setFont(font);
        if (anchor.level == 0 && i > 0)
            surface.keepWithNext(surface.lineHeight() * 3);
        surface.keepWithNext(surface.lineHeight());
        const int y = surface.currentY();
        const int x = surface.marginLeft() + (anchor.level == 0 ? 0 : 360);
        const QString number = QString::number(anchor.page + frontPages + 1);
        surface.setCurrentX(x);
        QString shown = anchor.title;
        while (shown.size() > 4 && surface.textWidth(shown) > right - x - surface.textWidth(number) - 360)
            shown = shown.left(shown.size() - 2) + QChar(0x2026);
        surface.text(shown);
        surface.setCurrentX(right - surface.textWidth(number));
        surface.paragraph(number);
        surface.addLink(QRectF(x, y, right - x, surface.currentY() - y), anchorOffset + i);
    }
}

} // namespace

QString sectionTitle(int section)
{
    switch (section) {
    case Dashboard: return QStringLiteral("Progress Dashboard");
    case Summary: return QStringLiteral("HIPAA Security Standards Summary");
    case Safeguards: return QStringLiteral("Safeguards");
    case Worksheets: return QStringLiteral("Risk Analysis Worksheets");
    case RecoveryPlan: return QStringLiteral("Disaster Recovery Plan");
    case Timeline: return QStringLiteral("Project Timeline");
    default: return {};
    }
}

// One setting, "sections:" and the chosen sections' keys, then
// ";only-with-entries" when that box is checked, so a choice of no section at
// all is told apart from no choice made yet, and one change is one write.
Options loadOptions(const WorkbookDatabase *database)
{
    Options options;
    if (!database || !database->isOpen())
        return options;
    const QString stored = database->setting(kOptionsKey);
    const QString prefix = QStringLiteral("sections:");
    if (!stored.startsWith(prefix))
        return options;
    const QStringList parts = stored.mid(prefix.size()).split(QLatin1Char(';'));
    const QStringList chosen = parts.value(0).split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (int i = 0; i < SectionCount; ++i)
        options.sections[size_t(i)] = chosen.contains(QLatin1String(kSectionKeys[size_t(i)]));
    options.onlyWithEntries = parts.contains(QStringLiteral("only-with-entries"));
    return options;
}

bool saveOptions(WorkbookDatabase &database, const Options &options, QString *error)
{
    QStringList chosen;
    for (int i = 0; i < SectionCount; ++i) {
        if (options.sections[size_t(i)])
            chosen << QLatin1String(kSectionKeys[size_t(i)]);
    }
    QString value = QStringLiteral("sections:") + chosen.join(QLatin1Char(','));
    if (options.onlyWithEntries)
        value += QStringLiteral(";only-with-entries");
    return database.setSetting(kOptionsKey, value, error);
}

Cover coverFor(const WorkbookDatabase *database, const QDateTime &made)
{
    Cover cover;
    cover.made = made;
    if (database)
        cover.workbookName = QFileInfo(database->workbook().folder()).fileName();
    if (database && database->isOpen()) {
        const OrganizationProfile profile = OrganizationProfile::load(*database);
        cover.organization = profile.organizationName;
        cover.preparedBy = profile.securityOfficial;
        if (cover.preparedBy.isEmpty())
            cover.preparedBy = database->setting(QLatin1String(WorkbookSettingKey::YourName));
    }
    return cover;
}

Contents gather(const Workbook &workbook, const Options &options, const QDate &today,
                const WorkbookDatabase *database)
{
    Contents contents;
    auto statuses = std::make_shared<StatusTable>(workbook);
    statuses->loadStatusTable();
    contents.status = [statuses](int record) { return statuses->slot(record); };
    ToDoList toDo;
    ToDoStore::loadList(toDo, workbook);
    if (options.sections[Dashboard])
        contents.figures = WorkbookProgress::figures(contents.status, toDo, today);
    contents.summary = options.sections[Summary];
    contents.worksheetTitles = Worksheets::readTitles(workbook);

    if (options.sections[Safeguards]) {
        for (const Catalogue::Safeguard &safeguard : Catalogue::safeguards()) {
            Contents::SafeguardPart part;
            part.safeguardNo = safeguard.no;
            part.status = statuses->slot(Catalogue::statusRecordNo(safeguard.no));
            part.record = SafeguardRecord::lines(database, safeguard.no);
            bool any = false;
            for (size_t i = 0; i < 3; ++i) {
                part.entries[i] = loadRtf(workbook.filePath(Catalogue::entryFileName(kEntryKinds[i], safeguard.no)));
                any = any || !blank(*part.entries[i]);
            }
            if (any || !options.onlyWithEntries)
                contents.safeguards.append(part);
        }
    }
    if (options.sections[Worksheets]) {
        for (int i = 0; i < Worksheets::kCount; ++i) {
            const QString path = workbook.filePath(Worksheets::contentFileName(i));
            if (!QFileInfo::exists(path) || !Worksheets::hasContent(path))
                continue;
            auto text = loadRtf(path);
            if (blank(*text))
                continue;
            contents.worksheets.append(Contents::TextPart{contents.worksheetTitles.value(i), 
                                                          statuses->slot(StatusTable::kFirstWorksheetRecord + i), text});
        }
    }
    if (options.sections[RecoveryPlan]) {
        auto plan = loadRtf(workbook.filePath(kRecoveryPlanFile));
        if (!blank(*plan))
            contents.recoveryPlan = plan;
    }
    if (options.sections[Timeline]) {
        for (const ToDoItem &row : toDo.rows()) {
            if (!row.hasItem())
                continue;
            contents.timeline.append(Contents::TimelineRow{
                row.item().trimmed(),
                {row.fields[ToDoItem::ToDoDate].trimmed(), row.fields[ToDoItem::ActualDate].trimmed(),
                 row.fields[ToDoItem::NextReviewDate].trimmed()}});
        }
    }
    return contents;
}

void compose(PrintSurface &surface, const Contents &contents, const Cover &cover)
{
    const QPageSize pageSize = surface.pageSize();
    PrintSurface body;
    prepare(body, pageSize);
    body.startDoc();
    composeBody(body, contents);

    PrintSurface front;
    int frontPages = 2;
    for (int attempt = 0; attempt < 4; ++attempt) {
        prepare(front, pageSize);
        front.startDoc();
        composeFront(front, cover, body.anchors(), frontPages);
        if (front.pageCount() == frontPages)
            break;
        frontPages = front.pageCount();
    }

    surface.setPreview(true);
    surface.clear();
    prepare(surface, pageSize);
    surface.startDoc();
    surface.appendDocument(front);
    surface.appendDocument(body);
    surface.stampPageFurniture(PageFurniture{cover.organization, kDocumentName,
                                             QStringLiteral("Made ") + longDate(cover.made.date())});
    surface.endDoc();
}

bool writePdf(const PrintSurface &surface, const Cover &cover, const QString &path, QString *error)
{
    PdfOutline::DocumentInfo info;
    info.title = cover.organization.isEmpty() ? kDocumentName : kDocumentName + QStringLiteral(" - ") + cover.organization;
    info.author = cover.preparedBy;
    info.subject = QStringLiteral("HIPAA Security Rule compliance: safeguards, entries, statuses, plans and timeline");
    info.created = cover.made;
    return PdfOutline::writeDocumentPdf(surface, path, info, error);
}

} // namespace AuditBinder
