#pragma once

#include "actionarea/autosave.h"
#include "actionarea/optionstable.h"
#include "catalogue/workmode.h"
#include "screens/mainscreen.h"
#include "search/searchindex.h"

#include <QPointer>

#include <array>
#include <memory>

class ActionAreaPrint;
class EditSession;
class GridBackground;
class GroupButtonPanel;
class HistoryCommands;
class QLabel;
class RiskRegisterHost;
class QStackedWidget;
class SafeguardWorkspace;
class StandardsGridPanel;
class StatusTable;
class EditorWritingAids;
class SpellingHighlighter;
class TimelinePanel;
class WorksheetsPanel;

// The Action Area (WorkArea1), the hub of the program: the navigation column
// selects the WorkMode, which decides the panel shown (the standards grid,
// the project timeline, the safeguard groups with their workspace, the disaster recovery plan, the
// sample, the risk register). The window owns the WorkMode state, the status table, the shared
// record of unsaved text and the Options, Utilities and Help menus; the
// panels own their controls and behaviour.
class ActionArea : public MainScreen
{
    Q_OBJECT
public:
    static inline const QString kBaseCaption = QStringLiteral("Action Area");
    // How long the status bar says that a save happened.
    static constexpr int kSavedMessageMs = 5000;
    // The caption of navigation button n.
    static QString navigationCaptionOf(WorkMode mode);

    explicit ActionArea(ScreenEnvironment &environment, QWidget *parent = nullptr);
    ~ActionArea() override;

    // Opens the Action Area from the start screen: it takes the start
    // screen's position, size and state, loads, shows and activates itself.
    // Closing it ends the program; it deletes itself when closed.
    static ActionArea *openFrom(ScreenEnvironment &environment, const QWidget *startScreen);

    // The window's opening (status table, settings, first drawing). Call once
    // before it is shown.
    void load();
    // The window became the program's active window: after opening and on
    // each return from another main screen.
    void activateScreen() override;

    // Navigation button n pressed.
    void enterWorkMode(WorkMode mode);
    WorkMode workMode() const { return workMode_; }
    // A safeguard button of the current group pressed.
    void pressSafeguardButton(int buttonIndex);
    // Opens a search result through the navigation and safeguard buttons a
    // press uses, marking the terms; false when the switch did not happen
    // (the save question was cancelled) or the document cannot be shown.
    bool openSearchResult(const SearchIndex::Document &document, const QStringList &terms);

    void pressScreenButton(int index) override;
    void chooseSwitchingEntry(int index) override;
    int screenHelpTopic() const override;
    int f1HelpTopic() const override;
    // Settles unsaved text first; after a restore everything is reloaded
    // from the restored files and "&Action Area" is pressed again.
    bool openBackupUtility(bool restore) override;

    // Every rule that depends on the print preview panel asks here.
    bool printPreviewShown() const;
    ActionAreaPrint *printing() const { return print_; }

    QPushButton *navigationButton(WorkMode mode) const { return navigationButtons_.at(toInt(mode)); }
    QString captionBase() const { return captionBase_; }
    bool sampleNoticeShown() const { return sampleNoticeShown_; }

    EditSession &editSession() const { return *session_; }
    StatusTable &statusTable() const { return *statusTable_; }
    SafeguardWorkspace *workspace() const { return workspace_; }
    StandardsGridPanel *standardsPanel() const { return standardsPanel_; }
    GroupButtonPanel *groupPanel() const { return groupPanel_; }
    GridBackground *gridBackground() const { return gridBackground_; }
    QWidget *coverPanel() const { return cover_; }
    TimelinePanel *timelinePanel() const { return timelinePanel_; }
    WorksheetsPanel *worksheetsPanel() const { return worksheetsPanel_; }
    // WorkMode 10: the register and its panel, made when first entered.
    RiskRegisterHost *riskRegister() const { return m_riskRegister; }
    // The status bar's warning that the risk analysis is due for its review.
    QLabel *reviewWarningLabel() const { return m_reviewWarning; }
    EditorWritingAids &writingAids() const { return *writingAids_; }
    SpellingHighlighter *spellingHighlighter() const { return spellingHighlighter_; }
    QAction *optionsEntry(OptionsTable::Entry entry) const { return optionsEntries_.at(int(entry)); }
    HistoryCommands *history() const { return history_; }

    // The program is asked to end by the desktop (session logout) or by a
    // signal: the copy of unsaved text is kept at once, then, when the
    // user may be asked, the save question settles the text as closing the
    // window does. False when the user chose to stay (Cancel, or a save
    // that failed).
    bool settleBeforeEnd(bool mayAsk);
    Autosave::Keeper &unsavedTextKeeper() const { return *m_autosave; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void handleEscape() override;

private:
    void buildBody();
    QWidget *buildNavigationColumn(QWidget *parent);
    void buildOptionsMenu();
    void applyOptionsTable(WorkMode mode);
    void updateOptionsMenuOnOpening();
    void addBinderEntries(QMenu *menu);
    void drawNavigation(WorkMode chosenMode);
    void hideAllPanels();
    void enterSample();
    void enterRecoveryPlan();
    void enterWorksheets();
    void enterRiskRegister();
    void connectWritingAids();
    bool saveCurrentText();
    // After a No to the save question: the text on screen becomes what is
    // saved (the file read again).
    void revertToSavedText();
    // The document being edited and the bytes a save would write, for the
    // copy kept of unsaved text.
    std::optional<Autosave::Copy> unsavedCopy() const;
    void startKeepingUnsavedText();
    void setCaption(const QString &caption) { setWindowTitle(caption); }

    std::unique_ptr<StatusTable> statusTable_;
    EditSession *session_ = nullptr;
    QStackedWidget *bodyStack_ = nullptr;
    QWidget *body_ = nullptr;
    QWidget *cover_ = nullptr;
    std::array<QPushButton *, kWorkModeCount> navigationButtons_{};
    StandardsGridPanel *standardsPanel_ = nullptr;
    TimelinePanel *timelinePanel_ = nullptr;
    WorksheetsPanel *worksheetsPanel_ = nullptr;
    std::unique_ptr<EditorWritingAids> writingAids_;
    SpellingHighlighter *spellingHighlighter_ = nullptr;
    GroupButtonPanel *groupPanel_ = nullptr;
    SafeguardWorkspace *workspace_ = nullptr;
    GridBackground *gridBackground_ = nullptr;
    ActionAreaPrint *print_ = nullptr;
    Autosave::Keeper *m_autosave = nullptr;
    RiskRegisterHost *m_riskRegister = nullptr;
    QLabel *m_reviewWarning = nullptr;
    bool m_riskRegisterProblemShown = false;
    HistoryCommands *history_ = nullptr;
    std::array<QAction *, OptionsTable::kEntryCount> optionsEntries_{};
    QList<QPair<QAction *, QList<OptionsTable::Entry>>> separators_;

    WorkMode workMode_ = WorkMode::Standards;
    QString captionBase_;
    bool sampleNoticeShown_ = false;
};
