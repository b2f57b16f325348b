#include "readers/readerlayout.h"

#include "platform/records/twips.h"

#include <QtMath>

namespace ReaderLayout {

namespace {

int px(int twips)
{
    return qRound(Twips::toPixelsF(twips));
}

int share(qreal fraction, int panelHeight)
{
    return qRound(fraction * panelHeight);
}

} // namespace

AdvisorPlacement advisorPlacement(AdvisorView view, bool smallerDisplay, int panelHeight)
{
    struct Row
    {
        int top, height, nistTop;      // twips, smaller display
        qreal topShare, heightShare;   // full screen display
    };
    static const Row rows[] = {
        {105, 6975, -1, 0.05, 0.9},
        {105, 6530, 6700, 0.05, 0.86},
        {900, 6175, -1, 0.135, 0.815},
        {900, 5730, 6700, 0.135, 0.76},
    };
    const Row &row = rows[int(view)];
    const bool subTopic = view == AdvisorView::SubTopic || view == AdvisorView::SubTopicWithNist;
    AdvisorPlacement placement;
    if (smallerDisplay) {
        placement.viewer = {px(row.top), px(row.height)};
        placement.nistTop = row.nistTop < 0 ? -1 : px(row.nistTop);
        if (subTopic)
            placement.subTopicFrame = {px(30), px(900 - 30 - 30)};
    } else {
        placement.viewer = {share(row.topShare, panelHeight), share(row.heightShare, panelHeight)};
        // The button sits just below the shortened viewer.
        placement.nistTop = row.nistTop < 0 ? -1 : share(row.topShare + row.heightShare + 0.01, panelHeight);
        if (subTopic)
            placement.subTopicFrame = {share(0.01, panelHeight), share(0.135 - 0.01 - 0.005, panelHeight)};
    }
    return placement;
}

Band miscViewerBand(bool copyAndPrintTopic, bool smallerDisplay, int panelHeight)
{
    if (smallerDisplay)
        return {px(105), px(copyAndPrintTopic ? 6790 : 7290)};
    return {share(0.01, panelHeight), share(copyAndPrintTopic ? 0.89 : 0.97, panelHeight)};
}

} // namespace ReaderLayout
