#pragma once

#include "platform/services/services.h"

#include <QMainWindow>

#include <functional>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
struct ProgramContext;

// The first window of the program. Loading it is the program's start-up: it
// restores the display choice (full screen or a centred 800 x 600 window) and
// the start screen colour from the settings files, shows the splash once,
// and offers the button that begins the program.
class StartScreen : public QMainWindow
{
    Q_OBJECT
public:
    struct Hooks
    {
        // Opens the Action Area; the start screen hides itself afterwards.
        std::function<void(StartScreen *)> beginProgram;
        // The screen's size in pixels; the primary screen's when unset.
        std::function<QSize()> screenSize;
        // Opens the backup utility modally, in restore mode when the flag is
        // true; the Utilities entries stay disabled while it is unset.
        std::function<bool(QWidget *, bool restore)> openBackupUtility;
    };

    StartScreen(ProgramContext &context, PlatformServices services, Hooks hooks, QWidget *parent = nullptr);

    // The start-up sequence; firstLoad shows the splash.
    void load();

    void beginProgram();
    void chooseFullScreenDisplay();
    void chooseSmallerScreenDisplay();
    void chooseBackgroundColour();
    void showAbout();
    void showProgramOverview();

    QColor backgroundColour() const;
    QColor systemDefaultColour() const;

    QPushButton *beginButton() const { return beginButton_; }
    QPushButton *fullScreenButton() const { return fullScreenButton_; }
    QPushButton *smallerScreenButton() const { return smallerScreenButton_; }
    QMenu *optionsMenu() const { return optionsMenu_; }
    QMenu *utilitiesMenu() const { return utilitiesMenu_; }
    void openBackupUtility(bool restore);

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void buildContents();
    void runStartUp(bool firstLoad);
    void checkScreenSize();
    void applyWindowGeometry();
    void switchDisplay(bool smaller);
    void keepStateAndChoiceConsistent();
    void recordSize();
    void paintBackground(const QColor &colour);
    void loadStartScreenColour();
    void showDisplayButtons();
    void presentPanel();
    void markDisplayChoice();
    QSize screenSize() const;

    ProgramContext &context_;
    PlatformServices services_;
    Hooks hooks_;

    QWidget *background_ = nullptr;
    QLabel *picture_ = nullptr;
    QLabel *productName_ = nullptr;
    QLabel *systemColourLabel_ = nullptr; // hidden; its colour is the system default
    QFrame *panel_ = nullptr;
    QPushButton *beginButton_ = nullptr;
    QPushButton *fullScreenButton_ = nullptr;
    QPushButton *smallerScreenButton_ = nullptr;

    QMenu *optionsMenu_ = nullptr;
    QMenu *utilitiesMenu_ = nullptr;
    QAction *fullScreenAction_ = nullptr;
    QAction *smallerScreenAction_ = nullptr;

    QColor colour_;
    bool applyingDisplay_ = false; // our own window-state changes are not the user's
    bool programBegun_ = false;
};
