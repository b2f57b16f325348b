#pragma once

#include "screens/mainscreen.h"

class PlacedArea;
class TopicButtonGroup;

// What the Information Advisor, the Security Rule reader and the
// Miscellaneous screen share as main screens: opening over the Action Area
// (the hub) in its place and size, their screen buttons, the exit question,
// the hand-back to the hub when they are left, and the main panel's share of
// the window's height in the full screen display.
class ReaderScreen : public MainScreen
{
    Q_OBJECT
public:
    // ownIndex: ScreenIndex::InformationAdvisor, SecurityRule or Miscellaneous.
    // hub: the Action Area, which this screen covers and hands back to.
    ReaderScreen(ScreenEnvironment &environment, int ownIndex, const QString &baseCaption, MainScreen *hub);

    // Shows the screen over the hub: it takes the hub's position and size
    // and hides it. The screen deletes itself when it is left.
    static void showOver(ReaderScreen *screen, MainScreen *hub);

    void pressScreenButton(int index) override;

    bool smallerDisplay() const;
    QString contentFolder() const;
    // The panel below the screen buttons that holds the screen's body.
    QWidget *mainPanel() const { return mainPanel_; }

protected:
    // Builds the central widget: the screen buttons above mainPanel(). In
    // the full screen display the panel takes fullDisplayShare of the
    // window's height; in the smaller display it fills the fixed window.
    void setUpBody(qreal fullDisplayShare);
    // The main panel of the two guidance screens: a column of topic buttons
    // with these captions at the left (*topics) and, beside it, the area the
    // document and its controls are placed in (returned).
    PlacedArea *setUpTopicColumn(const QStringList &captions, TopicButtonGroup **topics);

    // A right click over this area (the print panel) pops up no menu of the
    // screen.
    void setNoOptionsMenuArea(QWidget *area) { noOptionsMenuArea_ = area; }

    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void sizeMainPanel();

    MainScreen *hub_;
    QWidget *mainPanel_ = nullptr;
    QWidget *noOptionsMenuArea_ = nullptr;
    qreal fullDisplayShare_ = 1.0;
    bool exitChosen_ = false;
};

// Opens the Information Advisor, the Security Rule reader or the
// Miscellaneous screen (ScreenIndex 1-3) over the hub: what
// ScreenEnvironment::openScreen is set to for the run.
MainScreen *openReaderScreen(ScreenEnvironment &environment, int index, MainScreen *hub);
