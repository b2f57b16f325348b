#include "printing/standardssummary.h"

#include "printing/printsurface.h"

#include <QLocale>

#include <algorithm>
#include <span>
#include <vector>

namespace StandardsSummary {

namespace {

// One body row; nullptr cells print a single blank. `continues` marks a row
// that only carries on the Standards text of the row above.
struct Row
{
    const char *standard;
    const char *section;
    const char *specification;
    const char *designation;
    int statusRecordNo;
    bool continues = false;
};

struct Table
{
    const char *group;     // ends in a blank
    const char *section;   // after the section sign
    const char *standardsHeading;
    std::span<const Row> rows;
};

constexpr Row kAdministrative[] = {
    {"Security Management Process", "164.308(a)(1)", "Risk Analysis", "R", 1},
    {nullptr, nullptr, "Risk Management", "R", 2},
    {nullptr, nullptr, "Sanction Policy", "R", 3},
    {nullptr, nullptr, "Information System Activity Review", "R", 4},
    {"Assigned Security Responsibility", "164.308(a)(2)", nullptr, "R", 5},
    {"Workforce Security", "164.308(a)(3)", "Authorization and/or Supervision", "A", 6},
    {nullptr, nullptr, "Workforce Clearance Procedure", "A", 7},
    {nullptr, nullptr, "Termination Procedures", "A", 8},
    {"Information Access Management", "164.308(a)(4)", "Isolating Health Care Clearinghouse Function", "R", 9},
    {nullptr, nullptr, "Access Authorization", "A", 10},
    {nullptr, nullptr, "Access Establishment and Modification", "A", 11},
    {"Security Awareness and Training", "164.308(a)(5)", "Security Reminders", "A", 12},
    {nullptr, nullptr, "Protection from Malicious Software", "A", 13},
    {nullptr, nullptr, "Log-in Monitoring", "A", 14},
    {nullptr, nullptr, "Password Management", "A", 15},
    {"Security Incident Procedures", "164.308(a)(6)", "Response and Reporting", "R", 16},
    {"Contingency Plan", "164.308(a)(7)", "Data Backup Plan", "R", 17},
    {nullptr, nullptr, "Disaster Recovery Plan", "R", 18},
    {nullptr, nullptr, "Emergency Mode Operation Plan", "R", 19},
    {nullptr, nullptr, "Testing and Revision Procedure", "A", 20},
    {nullptr, nullptr, "Applications and Data Criticality Analysis", "A", 21},
    {"Evaluation", "164.308(a)(8)", nullptr, "R", 22},
    {"Business Associate Contracts And", "164.308(b)(1)", "Written Contract or Other Arrangements", "R", 23},
    {"Other Arrangements", nullptr, nullptr, nullptr, 0, true},
};

constexpr Row kPhysical[] = {
    {"Facility Access Control", "164.310(a)(1)", "Contingency Operation", "A", 24},
    {nullptr, nullptr, "Facility Security Plan", "A", 25},
    {nullptr, nullptr, "Access Control & Validation", "A", 26},
    {nullptr, nullptr, "Maintenance Records", "A", 27},
    {"Workstation Use", "164.310(b)", nullptr, "R", 28},
    {"Workstation Security", "164.310(c)", nullptr, "R", 29},
    {"Device and Media Control", "164.310(d)(1)", "Disposal", "R", 30},
    {nullptr, nullptr, "Media Re-use", "R", 31},
    {nullptr, nullptr, "Accountability", "A", 32},
    {nullptr, nullptr, "Data Backup and Storage", "A", 33},
};

constexpr Row kTechnical[] = {
    {"Access Control", "164.312(a)(1)", "Unique User Identification", "R", 34},
    {nullptr, nullptr, "Emergency Access Procedure", "R", 35},
    {nullptr, nullptr, "Automatic Logoff", "A", 36},
    {nullptr, nullptr, "Encryption and Decryption", "A", 37},
    {"Audit Controls", "164.312(b)", nullptr, "R", 38},
    {"Integrity", "164.312(c)(1)", "Mechanism to Authenticate Electronic PHI", "A", 39},
    {"Person or entity Authentication", "164.312(d)", nullptr, "R", 40},
    {"Transmission Security", "164.312(e)(1)", "Integrity Controls", "A", 41},
    {nullptr, nullptr, "Encryption", "A", 42},
};

constexpr Row kOrganizational[] = {
    {"Overview", nullptr, "Organizational Requirements Overview", nullptr, 43},
    {"Business Associate Contracts", "164.314(a)(1)", "Business Associate Contracts or", "R", 44},
    {"or Other Arrangements", nullptr, "Other Arrangements", nullptr, 0, true},
    {"Requirements for Group", "164.314(b)(1)", "Requirements for Group Health Plans", "R", 45},
    {"Health Plans", nullptr, nullptr, nullptr, 0, true},
};

constexpr Row kDocumentation[] = {
    {"Overview", nullptr, "Policies and Procedures and", nullptr, 46},
    {nullptr, nullptr, "Documentation Requirements", nullptr, 0, true},
    {"Documentation", "164.316", "Documentation", "R", 47},
};

const Table kAdministrativeTable{"ADMINISTRATIVE SAFEGUARDS ", "164.308", "Standards", kAdministrative};
const Table kPhysicalTable{"PHYSICAL SAFEGUARDS ", "164.310", "Standards", kPhysical};
const Table kTechnicalTable{"TECHNICAL SAFEGUARDS ", "164.312", "Standards", kTechnical};
const Table kOrganizationalTable{"ORGANIZATIONAL REQUIREMENTS ", "164.314", "Standards", kOrganizational};
const Table kDocumentationTable{"POLICIES AND PROCEDURES AND DOCUMENTATION REQUIREMENTS ", "164.316", "Standard",
                                kDocumentation};

constexpr int kFirstWorksheetRecord = 48;

QString cell(const char *text)
{
    return text ? QString::fromLatin1(text) : QStringLiteral(" ");
}

// Composes the tables in order; the positions are those of the printed form.
class Composer
{
public:
    // The printed form's positions are fractions of the paper's width with
    // rules 100 twips inside its edges; between margins they are scaled to
    // the width the margins leave.
    Composer(PrintSurface &surface, const StatusLookup &status)
        : m_surface(surface)
        , m_status(status)
        , m_pw(surface.pageWidth())
        , m_left(std::max(100, surface.marginLeft()))
        , m_right(surface.pageWidth() - std::max(100, surface.marginRight()))
    {
    }

    void table(const Table &table);
    void legend();
    int legendY() const { return m_legendY; }

private:
    // A position of the form (twips across the paper) between the margins.
    qreal at(qreal formX) const { return m_left + (formX - 100) * (m_right - m_left) / qreal(m_pw - 200); }
    void ruleAcross(int y) { m_surface.drawLine(m_left, y, m_right, y); }
    void centred(qreal centre, const QString &text)
    {
        m_surface.setCurrentX(qRound(centre - m_surface.textWidth(text) / 2.0));
        m_surface.paragraph(text);
    }
    int tableHeight(const Table &table, bool withTitle) const;

    PrintSurface &m_surface;
    const StatusLookup &m_status;
    const int m_pw;
    const int m_left;
    const int m_right;
    int m_bottomY = 0;
    int m_legendY = 0;
};

int Composer::tableHeight(const Table &table, bool withTitle) const
{
    QFont bold = m_surface.font();
    bold.setBold(true);
    bold.setPointSizeF(10);
    PrintSurface measure;
    measure.setFont(bold);
    const int line = measure.lineHeight();
    int height = 30 + line + 30 + line + 100 + int(table.rows.size()) * line;
    if (withTitle) {
        bold.setPointSizeF(12);
        measure.setFont(bold);
        height += measure.lineHeight();
    }
    return height;
}

void Composer::table(const Table &table)
{
    bool withTitle = m_bottomY <= 200;
    if (!withTitle)
        m_surface.setCurrentY(m_bottomY + 60);
    // A table that does not fit in the rest of the page starts a new one.
    const int bottomLimit = m_surface.pageHeight() - m_surface.marginBottom();
    if (m_surface.pageCount() > 0 && m_surface.currentY() + tableHeight(table, withTitle) > bottomLimit) {
        m_surface.newPage();
        m_surface.setCurrentY(m_surface.marginTop());
    }
    if (withTitle) {
        m_surface.setFontBold(true);
        m_surface.setFontSize(12);
        centred(at(m_pw / 2.0), kTitle);
    }

    const int topY = m_surface.currentY();
    ruleAcross(topY);
    m_surface.setCurrentY(topY + 30);

    m_surface.setFontSize(10);
    m_surface.setFontBold(true);
    centred(at(m_pw / 2.0), QString::fromLatin1(table.group) + QChar(0x00A7) + QString::fromLatin1(table.section));
    m_surface.setFontBold(false);
    const int headY = m_surface.currentY();
    ruleAcross(headY);
    m_surface.setCurrentY(headY + 30);

    const int rowTop = m_surface.currentY();
    m_surface.setFontBold(true);
    const std::array<std::pair<qreal, QString>, 4> headings{{
        {m_pw / 6.8, QString::fromLatin1(table.standardsHeading)},
        {m_pw / 2.8, QStringLiteral("Section")},
        {m_pw / 1.68, QStringLiteral("Implementation Specification")},
        {m_pw / 1.12, QStringLiteral("Current Status")},
    }};
    for (const auto &[centre, text] : headings) {
        m_surface.setCurrentY(rowTop);
        centred(at(centre), text);
    }
    m_surface.setCurrentY(m_surface.currentY() + 100);
    const int bodyTop = m_surface.currentY();

    // The Standards column, bold, with a rule above each new standard.
    for (const Row &row : table.rows) {
        if (row.standard && !row.continues)
            ruleAcross(m_surface.currentY());
        m_surface.setCurrentX(qRound(at(m_pw / 30.0)));
        m_surface.paragraph(cell(row.standard));
    }
    ruleAcross(m_surface.currentY());
    m_bottomY = m_surface.currentY();
    m_surface.setFontBold(false);

    // The other columns, each from the top of the body.
    const auto column = [&](auto placeAndText) {
        m_surface.setCurrentY(bodyTop);
        for (const Row &row : table.rows) {
            const auto [x, text] = placeAndText(row);
            m_surface.setCurrentX(qRound(x));
            m_surface.paragraph(text);
        }
    };
    column([&](const Row &row) {
        const QString text = cell(row.section);
        return std::pair{at(m_pw / 2.8) - m_surface.textWidth(text) / 2.0, text};
    });
    column([&](const Row &row) { return std::pair{at(m_pw / 2.2), cell(row.specification)}; });
    column([&](const Row &row) { return std::pair{at(m_pw / 1.28), cell(row.designation)}; });
    column([&](const Row &row) {
        QString text = m_status && row.statusRecordNo > 0 ? m_status(row.statusRecordNo).trimmed() : QString();
        if (text.isEmpty())
            text = QStringLiteral(" ");
        return std::pair{at(m_pw / 1.12) - m_surface.textWidth(text) / 2.0, text};
    });

    for (int x : {m_left, m_right})
        m_surface.drawLine(x, topY, x, m_bottomY);
    for (qreal divisor : {3.45, 2.35, 1.3, 1.245}) {
        const int x = qRound(at(m_pw / divisor));
        m_surface.drawLine(x, headY, x, m_bottomY);
    }
    m_surface.setCurrentY(m_bottomY);
}

void Composer::legend()
{
    m_surface.setFontSize(8);
    int y = m_bottomY + 100;
    if (y + m_surface.lineHeight() > m_surface.pageHeight() - m_surface.marginBottom()) {
        m_surface.newPage();
        y = m_surface.marginTop();
    }
    m_surface.setCurrentY(y);
    m_legendY = y;
    m_surface.setFontBold(true);
    m_surface.paragraph(kLegend);
    m_surface.setFontBold(false);
}

} // namespace

QString dateStamp(const QDate &date)
{
    return QStringLiteral("Printed:  ") + QLocale(QLocale::English).toString(date, QStringLiteral("MMMM d, yyyy"));
}

QString documentName(const Selection &selection)
{
    if (selection.all)
        return QStringLiteral("HIPAA Security Standards - Summary");
    QStringList groups;
    if (selection.administrative)
        groups << QStringLiteral("Administrative");
    if (selection.physical)
        groups << QStringLiteral("Physical");
    if (selection.technical)
        groups << QStringLiteral("Technical");
    return QStringLiteral("HIPAA Security Standards - ") + groups.join(QStringLiteral(", "))
        + QStringLiteral(" Summary");
}

QList<SummaryRow> rows()
{
    QList<SummaryRow> result;
    const std::array<std::pair<const Table *, QString>, 5> tables{{
        {&kAdministrativeTable, QStringLiteral("Administrative Safeguards")},
        {&kPhysicalTable, QStringLiteral("Physical Safeguards")},
        {&kTechnicalTable, QStringLiteral("Technical Safeguards")},
        {&kOrganizationalTable, QStringLiteral("Organizational Requirements")},
        {&kDocumentationTable, QStringLiteral("Policies and Procedures and Documentation Requirements")},
    }};
    for (const auto &[table, group] : tables) {
        QString standard;
        QString section;
        for (const Row &row : table->rows) {
            if (row.continues) {
                // The second line of the row above: its words belong to it.
                if (!result.isEmpty()) {
                    if (row.standard)
                        result.last().standard += QLatin1Char(' ') + QString::fromLatin1(row.standard);
                    if (row.specification)
                        result.last().specification += QLatin1Char(' ') + QString::fromLatin1(row.specification);
                }
                continue;
            }
            if (row.standard) {
                standard = QString::fromLatin1(row.standard);
                section = row.section ? QString::fromLatin1(row.section) : QString();
            }
            SummaryRow out;
            out.group = group;
            out.standard = standard;
            out.section = row.section ? QString::fromLatin1(row.section) : section;
            out.specification = row.specification ? QString::fromLatin1(row.specification) : QString();
            out.designation = row.designation ? QString::fromLatin1(row.designation) : QString();
            out.statusRecordNo = row.statusRecordNo;
            result.append(out);
        }
    }
    return result;
}

void composeTables(PrintSurface &surface, const Selection &selection, const StatusLookup &status)
{
    Composer composer(surface, status);
    // The worksheets' rows live as long as the table that points at them.
    std::vector<QByteArray> titles;
    std::vector<Row> worksheetRows;
    if (selection.all) {
        for (const Table *table : {&kAdministrativeTable, &kPhysicalTable, &kTechnicalTable,
                                   &kOrganizationalTable, &kDocumentationTable})
            composer.table(*table);
        if (!selection.worksheetTitles.isEmpty()) {
            titles.reserve(size_t(selection.worksheetTitles.size()));
            for (const QString &title : selection.worksheetTitles)
                titles.push_back(title.toLatin1());
            for (size_t i = 0; i < titles.size(); ++i)
                worksheetRows.push_back(Row{titles[i].constData(), nullptr, "Compliance Status", nullptr,
                                            kFirstWorksheetRecord + int(i)});
            const Table worksheets{"RISK ANALYSIS WORKSHEETS ", "164.308(a)(1)", "Worksheet", worksheetRows};
            composer.table(worksheets);
        }
        composer.legend();
    } else {
        bool printed = false;
        if (selection.administrative) {
            composer.table(kAdministrativeTable);
            printed = true;
        }
        if (selection.physical) {
            composer.table(kPhysicalTable);
            printed = true;
        }
        if (selection.technical) {
            composer.table(kTechnicalTable);
            printed = true;
        }
        if (printed)
            composer.legend();
    }
}

void compose(PrintSurface &surface, const Selection &selection, const StatusLookup &status,
             const QColor &textColour, const QDate &today, const QString &organization)
{
    surface.setPreview(true);
    surface.clear();
    surface.setMargins(kMargins);
    surface.setFont(QStringLiteral("Times New Roman"), 10);
    surface.setTextColor(Qt::black);
    surface.setPenColor(Qt::black);
    surface.startDoc();
    surface.setCurrentY(surface.marginTop() + 250);
    surface.setTextColor(textColour.isValid() ? textColour : QColor(Qt::black));

    composeTables(surface, selection, status);
    if (!selection.any())
        surface.clear();

    const QString stamp = dateStamp(today);
    surface.setCurrentX(surface.pageWidth() - surface.marginRight() - surface.textWidth(stamp) - 200);
    surface.setCurrentY(std::max(surface.marginTop(), surface.currentY() - surface.lineHeight()));
    if (surface.pageCount() != 0)
        surface.paragraph(stamp);
    surface.stampPageFurniture(PageFurniture{organization, documentName(selection),
                                             QLocale(QLocale::English).toString(today, QStringLiteral("MMMM d, yyyy"))});
    surface.endDoc();
}

} // namespace StandardsSummary
