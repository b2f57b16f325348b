#pragma once

#include "platform/services/busycursor.h"

#include "platform/records/workbook.h"
#include "screens/screenenvironment.h"

#include <QMainWindow>

#include <array>

class QAction;
class QMenu;
class QPushButton;
class QWidget;

// What the four main screens have in common: the row of five screen buttons,
// the "&Options" switching entries, the "Utilities" and "&Help" menus, the
// exit question, Esc and F1, and the Options pop-up on a right click over
// anything that is not a text control. Each screen adds its own body and
// Options entries and decides what its screen buttons do.
class MainScreen : public QMainWindow
{
    Q_OBJECT
public:
    MainScreen(ScreenEnvironment &environment, int ownIndex, const QString &baseCaption,
               QWidget *parent = nullptr);
    ~MainScreen() override;

    int ownIndex() const { return ownIndex_; }
    QString baseCaption() const { return baseCaption_; }
    ScreenEnvironment &environment() const { return environment_; }
    // The run's workbook (its folder and content folder).
    const Workbook &workbook() const;

    QPushButton *screenButton(int index) const { return screenButtons_.at(index); }
    // The current screen's button blue, the others black.
    void markScreenButton(int index);
    int markedScreenButton() const { return markedScreenButton_; }

    // Presses screen button i exactly as a click does.
    virtual void pressScreenButton(int index) = 0;
    // The Options menu's switching entry i.
    virtual void chooseSwitchingEntry(int index) { pressScreenButton(index); }
    // Called on the Action Area when another main screen hands back to it.
    virtual void activateScreen() {}

    QMenu *optionsMenu() const { return optionsMenu_; }
    QMenu *utilitiesMenu() const { return utilitiesMenu_; }
    QMenu *helpMenu() const { return helpMenu_; }
    QAction *switchingEntry(int index) const { return switchingEntries_.at(index); }
    // "Searc&h Everything..." (Ctrl+Shift+F); disabled while nothing can be searched.
    QAction *searchEntry() const { return m_searchEntry; }

    // "Exit Sentrivo?": true when answered Yes.
    bool askExitQuestion();
    // The help topic of the screen's help entry; F1 may differ (f1HelpTopic).
    virtual int screenHelpTopic() const = 0;
    virtual int f1HelpTopic() const { return screenHelpTopic(); }
    void showHelpTopic(int topic);

    // "&Backup User Created Files" / "&Restore User Created Files": the
    // backup utility, modal; the normal cursor afterwards. Returns true when
    // a restore replaced the workbook's files.
    virtual bool openBackupUtility(bool restore);
    // While a print preview panel is shown the Utilities entries are off.
    virtual bool printPreviewShown() const { return false; }
    QAction *backupEntry() const { return backupEntry_; }
    QAction *restoreEntry() const { return restoreEntry_; }

    // Pops the Options menu up at a global position (right click).
    void popUpOptionsMenu(const QPoint &globalPos);

protected:
    // The row of screen buttons, to be placed at the top of the body.
    QWidget *screenButtonRow() const { return screenButtonRow_; }
    // Adds the switching entries: the other screens, then the exit entry.
    void addSwitchingEntries(const QString &exitCaption = QStringLiteral("&Exit Program"));
    // Builds "Utilities" and "&Help"; helpEntryCaption names the screen's own
    // help entry, followed by the "&Print" help entry where the screen prints.
    void buildSharedMenus(const QString &utilitiesCaption, const QString &helpEntryCaption,
                          bool withPrintHelp = true);
    // Esc with nothing else open presses "E&xit Program".
    virtual void handleEscape() { pressScreenButton(ScreenIndex::ExitProgram); }

    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool popsUpOptionsOver(QWidget *widget) const;

    ScreenEnvironment &environment_;
    int ownIndex_;
    QString baseCaption_;
    QWidget *screenButtonRow_ = nullptr;
    std::array<QPushButton *, ScreenIndex::Count> screenButtons_{};
    std::array<QAction *, ScreenIndex::Count> switchingEntries_{};
    int markedScreenButton_ = -1;
    QMenu *optionsMenu_ = nullptr;
    QMenu *utilitiesMenu_ = nullptr;
    QAction *backupEntry_ = nullptr;
    QAction *restoreEntry_ = nullptr;
    QMenu *helpMenu_ = nullptr;
    QAction *m_searchEntry = nullptr;
};

// The blue of the current choice in a row of buttons, and its black.
void drawButtonAsChosen(QPushButton *button, bool chosen, bool bold = false);
bool isDrawnAsChosen(const QPushButton *button);
