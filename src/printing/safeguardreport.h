#pragma once

#include "printing/printsurface.h"

#include <QColor>
#include <QDate>
#include <QFont>
#include <QString>
#include <QList>
#include <QTextDocument>

#include <array>
#include <memory>
#include <optional>
#include <utility>

// The report of one safeguard: any choice of its three reference texts and
// its three entries. The pieces are kept in seven scratch documents:
//   0, 1, 2  Implementation specification, References in Rule, Additional
//            Information (built from the catalogue on first composition, or
//            copied from the display as edited)
//   3        the report block: the chosen reference texts joined, in the
//            printer font, with the report term bold and underlined
//   4, 5, 6  Action Taken, Comments/Notes, Policies and Procedures/Plan
// The six section choices are numbered as the panel's boxes: 0-2 the
// reference texts, 3-5 the entries. No window is needed: hand it the
// choices and a surface, read the recorded pages.
class SafeguardReport
{
public:
    static constexpr int kSectionCount = 6;
    static constexpr int kScratchCount = 7;
    static constexpr int kReportBlock = 3;
    // Below this distance (twips) above the page bottom, the policies start a new page.
    static constexpr int kPoliciesPageRoom = 1200;
    // Half an inch at the sides; three quarters at the top and the bottom,
    // where the page furniture sits half an inch from the edge.
    static constexpr PrintMargins kDefaultMargins{720, 1080, 720, 1080};

    using Sections = std::array<bool, kSectionCount>;

    // A message the report gives instead of composing, when a checked
    // section has nothing to print.
    struct Refusal
    {
        QString title;
        QString text;
    };

    // contentFolder: the shipped reference texts and the sample entries.
    explicit SafeguardReport(const QString &contentFolder);
    ~SafeguardReport();

    // Empties the seven scratches for a new report of the safeguard; the
    // sample view reports Password Management with the shipped sample entries.
    void reset(int safeguardNo, bool sampleView = false);
    int safeguardNo() const { return m_safeguardNo; }
    bool isSampleView() const { return m_sampleView; }

    QTextDocument &scratch(int index) { return *m_scratches.at(index); }
    const QTextDocument &scratch(int index) const { return *m_scratches.at(index); }
    // Puts the display's text, as edited, in the scratch of the section the
    // display shows (0-2 reference texts, 3-5 entries).
    void copyFromDisplay(int section, const QTextDocument &display);
    bool isScratchEmpty(int index) const;

    // Loads each entry scratch that is still empty from its file: the
    // workbook's "Action<n>.Fil", "Comment<n>.Fil", "Policy<n>.Fil", or the
    // shipped sample entries. A missing file leaves the scratch empty; a file
    // that is there but cannot be read leaves it empty too, and is
    // remembered so that the entry is never reported as one not written.
    void loadEntryScratches(const QString &workbookFolder);

    // The message for checking a section that cannot be printed (box 0 on
    // the two overviews, an entry that is empty, an entry whose file could
    // not be read), or nothing.
    std::optional<Refusal> refusalFor(int section) const;

    // The printer font and colour, and the margins (Page Setup's).
    void setPrinterFont(const QFont &font, const QColor &colour);
    void setMargins(const PrintMargins &margins) { m_margins = margins; }

    // The safeguard's current status, printed in the report's heading.
    void setStatus(const QString &status) { m_status = status; }
    // Further labelled lines of the heading, after the status (the last
    // review, the decision on an addressable specification).
    using HeadingLine = std::pair<QString, QString>;
    void setRecord(const QList<HeadingLine> &lines) { m_record = lines; }
    // The organization and date every page carries (with the document's
    // name and "Page N of M").
    void setFurniture(const QString &organization, const QDate &date);

    // The heading that says what a report is: the safeguard's name, then its
    // standard, section, implementation specification with R or A, and status.
    static void composeIdentity(PrintSurface &surface, int safeguardNo, const QString &status,
                                const QList<HeadingLine> &record = {});
    // The long date every printout carries ("March 4, 2026").
    static QString longDate(const QDate &date);

    // The term marked bold and underlined in the report block; empty for the
    // two overviews.
    static QString reportTerm(int safeguardNo);
    // "<full name> - Safeguard Report", the document's name.
    QString documentName() const;

    // BuildReportBlock, then RenderReport on the surface.
    void compose(PrintSurface &surface, const Sections &sections);
    void buildReportBlock(const Sections &sections);
    void render(PrintSurface &surface, const Sections &sections);

private:
    void buildReferenceScratches();
    QString safeguardName() const;

    QString m_contentFolder;
    std::array<std::unique_ptr<QTextDocument>, kScratchCount> m_scratches;
    // For each entry (0-2), why its file could not be read, else empty.
    std::array<QString, 3> m_unreadableEntries;
    int m_safeguardNo = 0;
    bool m_sampleView = false;
    QFont m_font;
    QColor m_colour = Qt::black;
    PrintMargins m_margins = kDefaultMargins;
    QString m_status;
    QList<HeadingLine> m_record;
    QString m_organization;
    QDate m_date;
};
