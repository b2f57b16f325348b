#pragma once

#include "screens/mainscreen.h"

class QLabel;

// The Information Advisor, the Security Rule reader and the Miscellaneous
// screen as main screens: screen buttons, base caption, shared menus, Esc,
// F1 and the hand-over to and from the Action Area. Their readers come with
// a later release; until then the body says so.
class ReaderScreen : public MainScreen
{
    Q_OBJECT
public:
    // ownIndex: ScreenIndex::InformationAdvisor, SecurityRule or Miscellaneous.
    // hub: the Action Area, which this screen covers and hands back to.
    ReaderScreen(ScreenEnvironment &environment, int ownIndex, MainScreen *hub);

    // Opens the screen over the hub: it takes the hub's position and size
    // and hides it. The screen deletes itself when it is left.
    static ReaderScreen *open(ScreenEnvironment &environment, int ownIndex, MainScreen *hub);

    void pressScreenButton(int index) override;
    int screenHelpTopic() const override;

    QLabel *body() const { return body_; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    MainScreen *hub_;
    QLabel *body_ = nullptr;
    bool exitChosen_ = false;
};

// Opens the Information Advisor, the Security Rule reader or the Miscellaneous
// screen (ScreenIndex 1-3) over the hub: what ScreenEnvironment::openScreen
// is set to for the run.
MainScreen *openReaderScreen(ScreenEnvironment &environment, int index, MainScreen *hub);
