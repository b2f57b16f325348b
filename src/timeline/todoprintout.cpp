#include "timeline/todoprintout.h"

#include "printing/printsurface.h"
#include "timeline/tododate.h"
#include "timeline/todolist.h"

#include <algorithm>

namespace ToDoPrintout {
namespace {

// Half an inch all round, inside what any printer prints; the page furniture
// sits in the top and bottom margins.
constexpr int kMargin = 720;
constexpr int kFrameInset = 720;

struct Geometry
{
    int width = 0;
    int headerTop = 0;
    int bottomLimit = 0;
    int pageBreakLimit = 0;
    // Caption centres: item, to-do date, actual date, next review date.
    int centre[4] = {};
    // Vertical rules between the columns.
    int rule[4] = {};
};

const QString kCaptions[4] = {QStringLiteral("To Do Item"), QStringLiteral("To Do Date"),
                              QStringLiteral("Actual Date"), QStringLiteral("Next Review Date")};

// How many lines the item takes in its column: a long item (typed straight
// into the grid) wraps there rather than being cut or run into the dates.
int itemLines(const PrintSurface &surface, const QString &item, int available)
{
    return 1 + surface.textWidth(item.trimmed()) / std::max(1, available);
}

void centredParagraph(PrintSurface &surface, const QString &text, int centre)
{
    surface.setCurrentX(std::max(surface.marginLeft(), centre - surface.textWidth(text) / 2));
    surface.paragraph(text);
}

void emptyLine(PrintSurface &surface)
{
    surface.setCurrentX(surface.marginLeft());
    surface.setCurrentY(surface.currentY() + surface.lineHeight());
}

void printAsOfLine(PrintSurface &surface, const Options &options, qreal size, const Geometry &g)
{
    surface.setFontSize(std::max<qreal>(1, size - 2));
    if (!options.asOfDate) {
        emptyLine(surface);
        return;
    }
    centredParagraph(surface, QStringLiteral("As of  ") + ToDoDate::asOfFormat(options.today), g.width / 2);
}

void printHeader(PrintSurface &surface, const Options &options, const Geometry &g)
{
    const qreal size = options.font.pointSizeF() > 0 ? options.font.pointSizeF() : 12;
    const int left = kFrameInset;
    const int right = g.width - kFrameInset;
    surface.setCurrentY(g.headerTop);
    if (options.gridLines) {
        surface.drawLine(left, g.headerTop, right, g.headerTop);
        surface.drawLine(left, g.headerTop, left, g.bottomLimit);
        surface.drawLine(right, g.headerTop, right, g.bottomLimit);
    }
    surface.setFontSize(size + 2);
    centredParagraph(surface, kTitle, g.width / 2);
    printAsOfLine(surface, options, size, g);
    if (options.gridLines) {
        const int y = surface.currentY();
        surface.drawLine(left, y, right, y);
        for (int x : g.rule)
            surface.drawLine(x, y, x, g.bottomLimit);
    }
    surface.setCurrentY(surface.currentY() + 30);
    surface.setFontSize(size);
    const int captionY = surface.currentY();
    for (int i = 0; i < 4; ++i) {
        surface.setCurrentY(captionY);
        surface.setCurrentX(g.centre[i] - surface.textWidth(kCaptions[i]) / 2);
        surface.text(kCaptions[i]);
    }
    surface.setCurrentY(captionY + surface.lineHeight());
    if (options.gridLines) {
        surface.drawLine(left, surface.currentY(), right, surface.currentY());
        surface.drawLine(left, g.bottomLimit, right, g.bottomLimit);
    }
    surface.setCurrentY(surface.currentY() + 100);
}

void printRow(PrintSurface &surface, const ToDoItem &row, const Geometry &g)
{
    const int lineY = surface.currentY();
    const int itemX = surface.marginLeft() + 260;
    surface.setCurrentX(itemX);
    const PrintMargins margins = surface.margins();
    surface.setMarginRight(surface.pageWidth() - (g.rule[0] - 60));
    surface.paragraph(row.item().trimmed());
    surface.setMargins(margins);
    const int itemBottom = surface.currentY();
    const int dateFields[3] = {ToDoItem::ToDoDate, ToDoItem::ActualDate, ToDoItem::NextReviewDate};
    for (int i = 0; i < 3; ++i) {
        surface.setCurrentY(lineY);
        const QString text = row.fields[size_t(dateFields[i])].trimmed();
        if (!text.isEmpty())
            centredParagraph(surface, text, g.centre[i + 1]);
    }
    surface.setCurrentX(surface.marginLeft());
    surface.setCurrentY(std::max(lineY + surface.lineHeight(), itemBottom));
}

} // namespace

bool hasEntries(const ToDoList &list)
{
    return std::any_of(list.rows().begin(), list.rows().end(),
                       [](const ToDoItem &row) { return row.hasItem(); });
}

QFont printerFontFrom(const QFont &itemBoxFont, qreal printerFontSize)
{
    const QString family = itemBoxFont.family();
    if (family == QLatin1String("MS Sans Serif") || family == QLatin1String("MS Serif"))
        return QFont(QStringLiteral("Times New Roman"), 12);
    QFont font(family);
    font.setPointSizeF(printerFontSize > 0 ? printerFontSize : 12);
    font.setBold(itemBoxFont.bold());
    font.setItalic(itemBoxFont.italic());
    return font;
}

void compose(PrintSurface &surface, const ToDoList &list, const Options &options)
{
    surface.setPreview(true);
    surface.clear();
    surface.setFont(options.font);
    if (options.font.pointSizeF() <= 0)
        surface.setFontSize(12);
    surface.setTextColor(options.colour);
    surface.setPenColor(options.colour);
    surface.setMargins({kMargin, kMargin, kMargin, kMargin});
    surface.startDoc();

    Geometry g;
    g.width = surface.pageWidth();
    const int height = surface.pageHeight();
    g.headerTop = surface.marginTop() + 300;
    g.bottomLimit = height - surface.marginBottom() - 100;
    g.pageBreakLimit = g.bottomLimit - 2 * surface.textWidth(QStringLiteral("P"));
    const double centres[4] = {5.2, 1.995, 1.45, 1.124};
    const double rules[4] = {2.45, 1.685, 1.274, 1.266};
    // The columns keep the printed form's proportions between the frame's sides.
    const auto at = [&g](double formX) {
        return int(kFrameInset + (formX - 100) * (g.width - 2 * kFrameInset) / double(g.width - 200));
    };
    for (int i = 0; i < 4; ++i) {
        g.centre[i] = at(g.width / centres[i]);
        g.rule[i] = at(g.width / rules[i]);
    }

    bool rowsOnPage = false;
    for (const ToDoItem &row : list.rows()) {
        if (!row.hasItem())
            continue;
        for (;;) {
            if (surface.currentY() <= surface.marginTop() + 400) {
                printHeader(surface, options, g);
                rowsOnPage = false;
            }
            // A page whose header alone reaches the limit still takes a row,
            // so a tiny page never loops.
            const int itemWidth = g.rule[0] - 60 - (surface.marginLeft() + 260);
            const int rowHeight = (itemLines(surface, row.item(), itemWidth) - 1) * surface.lineHeight();
            if (surface.currentY() + rowHeight >= g.pageBreakLimit && rowsOnPage) {
                surface.newPage();
                surface.setCurrentY(0);
                continue;
            }
            printRow(surface, row, g);
            rowsOnPage = true;
            break;
        }
    }
    surface.stampPageFurniture(PageFurniture{options.organization, kTitle,
                                             options.today.isValid() ? ToDoDate::longFormat(options.today) : QString()});
    surface.endDoc();
}

} // namespace ToDoPrintout
