#include "risk/reports/riskreports.h"

#include "printing/printsurface.h"
#include "risk/registertables.h"
#include "risk/riskoverview.h"
#include "risk/riskstore.h"

#include <QLocale>

#include <algorithm>

namespace RiskReports {

namespace {

const QString kFamily = QStringLiteral("Times New Roman");
constexpr qreal kBody = 11;

QString dateText(const QDate &date)
{
    return date.isValid() ? QLocale::c().toString(date, QStringLiteral("MMMM d, yyyy")) : QStringLiteral("not recorded");
}

QString orDash(const QString &text)
{
    return text.trimmed().isEmpty() ? QStringLiteral("-") : text.trimmed();
}

void begin(PrintSurface &surface, const QString &title, const QString &citation, const Options &options)
{
    surface.clear();
    surface.setMargins({1080, 1080, 1080, 1080});
    surface.startDoc();
    surface.setTextColor(Qt::black);
    surface.setPenColor(Qt::black);
    surface.setFont(kFamily, 18, true);
    surface.paragraph(title);
    surface.setFont(kFamily, kBody);
    if (!options.organizationName.trimmed().isEmpty())
        surface.paragraph(options.organizationName.trimmed());
    surface.paragraph(QStringLiteral("As of %1").arg(dateText(options.today)));
    surface.setFont(kFamily, kBody - 1, false, true);
    surface.paragraph(citation);
    surface.setFont(kFamily, kBody);
    surface.setCurrentY(surface.currentY() + surface.lineHeight() / 2);
}

// A heading kept with at least three lines after it, or with the `keepTwips`
// of what follows when that is one block (a heat map).
void heading(PrintSurface &surface, const QString &text, int keepTwips = 0)
{
    surface.setFont(kFamily, 14, true);
    const int room = keepTwips > 0 ? surface.lineHeight() * 4 / 3 + keepTwips : 4 * surface.lineHeight();
    if (surface.currentY() + room > surface.pageHeight() - surface.marginBottom())
        surface.newPage();
    surface.setCurrentY(surface.currentY() + surface.lineHeight() / 3);
    surface.paragraph(text);
    surface.setFont(kFamily, kBody);
}

// A record's first lines on one page: a new page when fewer than `lines`
// are left, so a name is never parted from what follows it.
void keepTogether(PrintSurface &surface, int lines)
{
    if (surface.currentY() + lines * surface.lineHeight() > surface.pageHeight() - surface.marginBottom())
        surface.newPage();
}

void field(PrintSurface &surface, const QString &label, const QString &value)
{
    surface.setFontBold(true);
    surface.text(label + QStringLiteral(": "));
    surface.setFontBold(false);
    surface.paragraph(orDash(value));
}

void gap(PrintSurface &surface)
{
    surface.setCurrentY(surface.currentY() + surface.lineHeight() / 3);
}

// A level's name in its colour, darkened where the colour is too pale for
// paper. The name is always printed: the colour only adds to it.
void levelText(PrintSurface &surface, int level)
{
    const QColor saved = surface.textColor();
    QColor colour = RiskLevel::colour(level);
    if (level == 2 || level == 3)
        colour = colour.darker(160);
    surface.setTextColor(colour);
    surface.setFontBold(true);
    surface.text(level ? RiskLevel::name(level) : QStringLiteral("Not assessed"));
    surface.setFontBold(false);
    surface.setTextColor(saved);
}

// The room a heat map takes: its title, captions, five rows and the legend.
int heatMapHeight(PrintSurface &surface)
{
    surface.setFont(kFamily, 10);
    return 7 * (2 * surface.lineHeight() + 120) + 3 * surface.lineHeight();
}

void heatMap(PrintSurface &surface, const RiskStore &store, const RiskOverview::HeatMap &map, const QString &title)
{
    const int needed = heatMapHeight(surface);
    const int cell = 1500;
    const int rowHeight = 2 * surface.lineHeight() + 120;
    const int labelWidth = 1500;
    if (surface.currentY() + needed > surface.pageHeight() - surface.marginBottom())
        surface.newPage();
    surface.setFontBold(true);
    surface.paragraph(title + QStringLiteral(" (risks per cell: likelihood down, impact across)"));
    surface.setFontBold(false);
    const int left = surface.marginLeft();
    const int top = surface.currentY() + 60;
    // Column captions (impact).
    for (int i = 1; i <= 5; ++i) {
        surface.setCurrentX(left + labelWidth + (i - 1) * cell + 60);
        surface.setCurrentY(top);
        surface.text(RiskLevel::name(i));
    }
    const int gridTop = top + surface.lineHeight() + 60;
    for (int row = 0; row < 5; ++row) {
        const int likelihood = 5 - row;
        const int y = gridTop + row * rowHeight;
        surface.setCurrentX(left);
        surface.setCurrentY(y + 60);
        surface.text(RiskLevel::name(likelihood));
        for (int impact = 1; impact <= 5; ++impact) {
            const int x = left + labelWidth + (impact - 1) * cell;
            const int level = store.matrix().level(likelihood, impact);
            surface.setCurrentX(x + 60);
            surface.setCurrentY(y + 60);
            levelText(surface, level);
            surface.setCurrentX(x + 60);
            surface.setCurrentY(y + 60 + surface.lineHeight());
            const int count = map[likelihood - 1][impact - 1];
            surface.setFontBold(count > 0);
            surface.text(count > 0 ? QString::number(count) : QStringLiteral("."));
            surface.setFontBold(false);
        }
    }
    for (int row = 0; row <= 5; ++row)
        surface.drawLine(left + labelWidth, gridTop + row * rowHeight, left + labelWidth + 5 * cell, gridTop + row * rowHeight);
    for (int col = 0; col <= 5; ++col)
        surface.drawLine(left + labelWidth + col * cell, gridTop, left + labelWidth + col * cell, gridTop + 5 * rowHeight);
    surface.setCurrentX(left);
    surface.setCurrentY(gridTop + 5 * rowHeight + 120);
    surface.setFont(kFamily, kBody);
}

QString flows(const RiskAsset &a)
{
    QStringList parts;
    if (a.creates)
        parts << QStringLiteral("creates");
    if (a.receives)
        parts << QStringLiteral("receives");
    if (a.maintains)
        parts << QStringLiteral("maintains");
    if (a.transmits)
        parts << QStringLiteral("transmits");
    return parts.join(QStringLiteral(", "));
}

QList<int> byLevel(const RiskStore &store)
{
    return RiskOverview::highestRisks(store, int(store.risks().size()));
}

} // namespace

void composeAnalysis(PrintSurface &surface, const RiskStore &store, const Options &options)
{
    begin(surface, kAnalysisTitle,
          QStringLiteral("The risk analysis of 45 CFR 164.308(a)(1)(ii)(A): an accurate and thorough assessment of the "
                         "potential risks and vulnerabilities to the confidentiality, integrity and availability of "
                         "the electronic protected health information held by the organization."),
          options);
    const AnalysisDetails &d = store.details();
    heading(surface, QStringLiteral("Scope"));
    surface.paragraph(orDash(d.scope));
    heading(surface, QStringLiteral("Method"));
    surface.paragraph(orDash(d.method));
    gap(surface);
    field(surface, QStringLiteral("Prepared by"), d.preparedBy);
    field(surface, QStringLiteral("Approved by"), d.approvedBy.trimmed().isEmpty()
                                                      ? QString()
                                                      : d.approvedBy.trimmed() + QStringLiteral(" on ") + dateText(d.approvedOn));
    field(surface, QStringLiteral("Last full review"), dateText(d.lastFullReviewOn));
    const QString warning = RiskOverview::reviewWarning(d, options.today);
    if (!warning.isEmpty()) {
        surface.setFontBold(true);
        surface.paragraph(warning);
        surface.setFontBold(false);
    }

    heading(surface, QStringLiteral("Asset inventory (%1)").arg(store.assets().size()));
    if (store.assets().isEmpty())
        surface.paragraph(QStringLiteral("No assets are recorded."));
    for (const RiskAsset &a : store.assets()) {
        keepTogether(surface, 3);
        surface.setFontBold(true);
        surface.setFont(kFamily, kBody, true, false, false, a.retired);
        surface.text(a.name);
        surface.setFont(kFamily, kBody);
        surface.paragraph(QStringLiteral("  (%1%2)").arg(AssetKinds::caption(a.kind),
                                                         a.retired ? QStringLiteral(", retired") : QString()));
        QStringList facts;
        if (!a.location.trimmed().isEmpty())
            facts << QStringLiteral("Location: ") + a.location.trimmed();
        if (!a.owner.trimmed().isEmpty())
            facts << QStringLiteral("Owner: ") + a.owner.trimmed();
        if (!flows(a).isEmpty())
            facts << QStringLiteral("ePHI it ") + flows(a);
        if (a.recordCount)
            facts << QStringLiteral("about %1 records").arg(QLocale::c().toString(*a.recordCount));
        if (a.associateId)
            facts << QStringLiteral("Provided by ") + store.associateName(a.associateId);
        surface.setCurrentX(surface.marginLeft() + 360);
        surface.paragraph(facts.join(QStringLiteral("; ")));
        if (!a.ephi.trimmed().isEmpty()) {
            surface.setCurrentX(surface.marginLeft() + 360);
            surface.paragraph(QStringLiteral("ePHI held: ") + a.ephi.trimmed());
        }
        gap(surface);
    }

    const std::array<int, 6> counts = RiskOverview::countsPerLevel(store);
    heading(surface, QStringLiteral("Risk register (%1 risks, highest level first)").arg(store.risks().size()));
    QStringList perLevel;
    for (int level = 5; level >= 1; --level)
        perLevel << QStringLiteral("%1 %2").arg(RiskLevel::name(level)).arg(counts[level]);
    surface.paragraph(perLevel.join(QStringLiteral(", ")));
    gap(surface);
    for (int row : byLevel(store)) {
        const Risk &r = store.risks().at(row);
        keepTogether(surface, 4);
        levelText(surface, store.level(r));
        surface.setFontBold(true);
        surface.paragraph(QStringLiteral("  ") + r.threat + QStringLiteral(" - ") + store.assetName(r.assetId));
        surface.setFontBold(false);
        surface.setCurrentX(surface.marginLeft() + 360);
        surface.paragraph(QStringLiteral("Likelihood %1, impact %2, level %3")
                              .arg(RiskLevel::name(r.likelihood), RiskLevel::name(r.impact),
                                   RiskLevel::name(store.level(r))));
        const auto indented = [&](const QString &label, const QString &value) {
            if (value.trimmed().isEmpty())
                return;
            surface.setCurrentX(surface.marginLeft() + 360);
            surface.paragraph(label + QStringLiteral(": ") + value.trimmed());
        };
        indented(QStringLiteral("Vulnerability"), r.vulnerability);
        indented(QStringLiteral("Current measures"), r.currentMeasures);
        indented(QStringLiteral("Safeguards"), RegisterTables::safeguardNames(r.safeguards));
        gap(surface);
    }
    heading(surface, QStringLiteral("Heat map"), heatMapHeight(surface));
    heatMap(surface, store, RiskOverview::currentHeatMap(store), QStringLiteral("Current risk"));
    surface.endDoc();
}

void composePlan(PrintSurface &surface, const RiskStore &store, const Options &options)
{
    begin(surface, kPlanTitle,
          QStringLiteral("The risk management of 45 CFR 164.308(a)(1)(ii)(B): security measures sufficient to reduce "
                         "risks and vulnerabilities to a reasonable and appropriate level."),
          options);
    QList<int> open;
    QList<int> accepted;
    const auto &risks = store.risks();
    for (int i = 0; i < risks.size(); ++i) {
        if (risks.at(i).treatment == Treatment::Accept)
            accepted << i;
        else if (risks.at(i).status != TreatmentStatus::Done)
            open << i;
    }
    std::stable_sort(open.begin(), open.end(), [&](int a, int b) {
        const Risk &x = risks.at(a);
        const Risk &y = risks.at(b);
        if (x.dueOn.isValid() != y.dueOn.isValid())
            return x.dueOn.isValid();
        if (x.dueOn != y.dueOn)
            return x.dueOn < y.dueOn;
        return x.owner.compare(y.owner, Qt::CaseInsensitive) < 0;
    });
    heading(surface, QStringLiteral("Open treatments (%1), by due date and owner").arg(open.size()));
    if (open.isEmpty())
        surface.paragraph(QStringLiteral("No treatment is open."));
    for (int row : open) {
        const Risk &r = risks.at(row);
        keepTogether(surface, 4);
        surface.setFontBold(true);
        const bool overdue = r.dueOn.isValid() && r.dueOn < options.today;
        surface.paragraph(QStringLiteral("Due %1%2 - %3").arg(dateText(r.dueOn), overdue ? QStringLiteral(" (overdue)") : QString(),
                                                              orDash(r.owner)));
        surface.setFontBold(false);
        surface.setCurrentX(surface.marginLeft() + 360);
        surface.paragraph(r.threat + QStringLiteral(" - ") + store.assetName(r.assetId));
        surface.setCurrentX(surface.marginLeft() + 360);
        surface.paragraph(QStringLiteral("Treatment: %1; status: %2")
                              .arg(orDash(Treatments::caption(r.treatment)), Treatments::statusCaption(r.status)));
        surface.setCurrentX(surface.marginLeft() + 360);
        surface.paragraph(QStringLiteral("Planned measures: ") + orDash(r.plannedMeasures));
        surface.setCurrentX(surface.marginLeft() + 360);
        surface.text(QStringLiteral("Current level: "));
        levelText(surface, store.level(r));
        surface.text(QStringLiteral("   Residual level: "));
        levelText(surface, store.residualLevel(r));
        surface.paragraph(QString());
        gap(surface);
    }
    heading(surface, QStringLiteral("Accepted risks (%1)").arg(accepted.size()));
    if (accepted.isEmpty())
        surface.paragraph(QStringLiteral("No risk is recorded as accepted."));
    for (int row : accepted) {
        const Risk &r = risks.at(row);
        keepTogether(surface, 3);
        surface.setFontBold(true);
        surface.paragraph(r.threat + QStringLiteral(" - ") + store.assetName(r.assetId));
        surface.setFontBold(false);
        surface.setCurrentX(surface.marginLeft() + 360);
        surface.paragraph(QStringLiteral("Accepted by %1 on %2").arg(orDash(r.acceptedBy), dateText(r.acceptedOn)));
        surface.setCurrentX(surface.marginLeft() + 360);
        surface.text(QStringLiteral("Level: "));
        levelText(surface, store.level(r));
        surface.text(QStringLiteral("   Residual level: "));
        levelText(surface, store.residualLevel(r));
        surface.paragraph(QString());
        gap(surface);
    }
    heading(surface, QStringLiteral("Residual risk"), heatMapHeight(surface));
    heatMap(surface, store, RiskOverview::residualHeatMap(store), QStringLiteral("Residual risk"));
    surface.endDoc();
}

void composeAssociates(PrintSurface &surface, const RiskStore &store, const Options &options)
{
    begin(surface, kAssociatesTitle,
          QStringLiteral("Business associates that create, receive, maintain or transmit electronic protected health "
                         "information for the organization, and their contracts: 45 CFR 164.308(b) and 164.314(a)."),
          options);
    const QList<int> due = RiskOverview::baaReviewsDue(store, options.today);
    heading(surface, QStringLiteral("Business associates (%1)").arg(store.associates().size()));
    if (store.associates().isEmpty())
        surface.paragraph(QStringLiteral("No business associates are recorded."));
    for (int i = 0; i < store.associates().size(); ++i) {
        const BusinessAssociate &b = store.associates().at(i);
        keepTogether(surface, 5);
        surface.setFontBold(true);
        surface.paragraph(b.name + (due.contains(i) ? (b.baaSignedOn.isValid() ? QStringLiteral("  - BAA review due")
                                                                               : QStringLiteral("  - no signed BAA recorded"))
                                                    : QString()));
        surface.setFontBold(false);
        const auto line = [&](const QString &label, const QString &value) {
            surface.setCurrentX(surface.marginLeft() + 360);
            surface.paragraph(label + QStringLiteral(": ") + orDash(value));
        };
        line(QStringLiteral("Service"), b.service);
        line(QStringLiteral("ePHI"), b.ephi);
        line(QStringLiteral("Contact"), b.contact);
        line(QStringLiteral("BAA signed on"), dateText(b.baaSignedOn));
        line(QStringLiteral("BAA next review"), dateText(b.baaReviewOn));
        if (!b.notes.trimmed().isEmpty())
            line(QStringLiteral("Notes"), b.notes);
        gap(surface);
    }
    surface.endDoc();
}

} // namespace RiskReports
