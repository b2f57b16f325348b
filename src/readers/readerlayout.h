#pragma once

#include <QWidget>

#include <functional>

// Where the Information Advisor and the Miscellaneous screen put their
// viewer. In the smaller display (a fixed 800 x 600 window) the places are
// fixed twips; in the full screen display they are shares of the main
// panel's height, so the viewer grows with the screen. Results in pixels.
namespace ReaderLayout {

struct Band
{
    int top = 0;
    int height = 0;
    bool operator==(const Band &) const = default;
};

enum class AdvisorView {
    Topic,              // a topic other than "Risk Analysis", no NIST button
    TopicWithNist,      // "Key Information && Guide" with its NIST button
    SubTopic,           // a risk-analysis sub-topic, below the sub-topic frame
    SubTopicWithNist,   // "Recommendations from NIST" with its NIST button
};

struct AdvisorPlacement
{
    Band viewer;
    int nistTop = -1;   // -1 when the view has no NIST button
    Band subTopicFrame; // empty unless a sub-topic is shown
};

AdvisorPlacement advisorPlacement(AdvisorView view, bool smallerDisplay, int panelHeight);

// The Miscellaneous screen's viewer (and link page); topics with copy and
// print leave room for their buttons below it.
Band miscViewerBand(bool copyAndPrintTopic, bool smallerDisplay, int panelHeight);

// The main panel's share of the window's height in the full screen display.
constexpr qreal kAdvisorPanelShare = 0.824;
constexpr qreal kMiscPanelShare = 0.85;
constexpr qreal kRulePanelShare = 0.896;

} // namespace ReaderLayout

// A panel that places its children itself whenever its size changes.
class PlacedArea : public QWidget
{
    Q_OBJECT
public:
    explicit PlacedArea(QWidget *parent = nullptr)
        : QWidget(parent)
    {
    }
    std::function<void()> place;

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QWidget::resizeEvent(event);
        if (place)
            place();
    }
};
