#pragma once

#include "actionarea/workspacecommand.h"
#include "catalogue/referencetexts.h"
#include "catalogue/safeguardcatalogue.h"
#include "platform/records/workbook.h"
#include "platform/services/services.h"

#include <QWidget>

#include <array>

class EditSession;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class RichTextEditor;
class StatusBox;
class StatusTable;

// The panel in which the user works on one safeguard: its three heading
// lines, its status box, the editor and the six views (three read-only
// reference texts, three entries saved as RTF files in the workbook), text
// location, templates and the workspace's buttons. The same editor holds the
// disaster recovery plan (WorkMode 8) and shows the read-only sample
// (WorkMode 9).
class SafeguardWorkspace : public QWidget
{
    Q_OBJECT
public:
    // The current view as the Action Area keeps it.
    enum View { NoEntryView = 0, ActionTakenView = 3, CommentsNotesView = 4, PoliciesView = 5 };
    // The six view options, in the order of their frames.
    enum ViewOption {
        ImplementationSpecificationOption,
        ReferencesInRuleOption,
        AdditionalInformationOption,
        ActionTakenOption,
        CommentsNotesOption,
        PoliciesOption,
        ViewOptionCount
    };
    enum class Command { Save, Print, FontSelect, Thesaurus, SpellCheck };
    static constexpr int kCommandCount = 5;

    static inline const QString kRecoveryPlanFile = QStringLiteral("DRPln1.Fil");
    static inline const QString kSaveFailedTitle = QStringLiteral("Save Failed");
    static inline const QString kNotReadTitle = QStringLiteral("File Not Read");

    SafeguardWorkspace(const Workbook &workbook, EditSession &session, StatusTable &statusTable,
                       const PlatformServices &services, QWidget *parent = nullptr);
    ~SafeguardWorkspace() override;

    // The Action Area's WorkMode, which decides file names, captions and rules.
    void setWorkMode(WorkMode workMode)
    {
        workMode_ = workMode;
        entryUnreadable_ = false;
    }
    WorkMode workMode() const { return workMode_; }

    // A safeguard button of the current group (WorkModes 2-6) pressed. False
    // when the selection did not happen (the unsaved edits could not be saved).
    bool selectSafeguard(int buttonIndex);
    int currentButtonIndex() const { return buttonIndex_; }
    // The safeguard shown: the group's button in WorkModes 2-6, Password
    // Management in the sample, -1 otherwise.
    int currentSafeguardNo() const;
    int currentView() const { return currentView_; }

    // A view option chosen by the user (or pressed from code).
    void chooseView(ViewOption option);
    void showReferenceView(Reference::ReferenceKind kind);
    void showEntryView(Catalogue::EntryKind kind);
    // "&Save": false when the entry could not be written (the user was told).
    bool save();
    void insertTemplate();
    // 0 left, 2 centre, 1 right (the editor's values).
    void setTextLocation(int alignment);
    void copyToClipboard();

    // Steps of entering a WorkMode that belong to the workspace.
    void emptyEditor();
    void deselectAllViews();
    void setImplementationSpecificationAvailable(bool available, bool deselect = false);
    void setSafeguardControlsVisible(bool visible);
    void setEntryCommandsAllowed(bool allowed);
    void setTemplateButtonCaption(const QString &caption);
    void setTemplateAllowed(bool allowed);
    void showSampleHeadings();
    void loadRecoveryPlan();
    // The sample notice belongs to the window; the policy notice to us.
    bool policyNoticeShown() const { return policyNoticeShown_; }

    RichTextEditor *editor() const { return editor_; }
    StatusBox *statusBox() const { return statusBox_; }
    QLabel *headingLine(int line) const { return headings_.at(line); }
    QRadioButton *viewOption(ViewOption option) const { return viewOptions_.at(option); }
    QRadioButton *textLocationOption(int index) const { return textLocations_.at(index); }
    QGroupBox *textLocationFrame() const { return textLocationFrame_; }
    QPushButton *templateButton() const { return templateButton_; }
    QPushButton *exitButton() const { return exitButton_; }
    QPushButton *commandButton(Command command) const;
    WorkspaceCommand &command(Command command) { return commands_[int(command)]; }
    // The option chosen, or -1.
    int checkedViewOption() const;

    // The file the last entry view loaded (in the workbook, or the shipped
    // sample), empty for other views.
    QString currentEntryFile() const { return currentEntryFile_; }
    // The one rule for every document the editor holds from the workbook
    // (entries, the disaster recovery plan, worksheets): a missing file
    // opens as an empty editor, ready to be written; a file that is there
    // but cannot be read is reported, shown read-only with the entry
    // commands off, and never saved over until a later opening reads it.
    enum class DocumentOpening { Missing, Loaded, Unreadable };
    DocumentOpening openDocument(const QString &path);
    // The document shown exists in the workbook but could not be read.
    bool entryUnreadable() const { return entryUnreadable_; }
    // The entry or plan shown read again from its file (empty when it has
    // none yet), after the user chose not to save the edits.
    void revertToSaved();
    // Every save of a workbook document asks this first: true, with the
    // user told why, when the document shown could not be read.
    bool refuseSavingUnreadable();
    QString contentFolder() const { return contentFolder_; }
    const Workbook &workbook() const { return workbook_; }

Q_SIGNALS:
    void captionChanged(const QString &caption);
    void exitRequested();
    // An entry or the plan was written; the message says which.
    void saved(const QString &message);
    // The editor now shows another document: a workbook file (openDocument)
    // or a reference text.
    void shownDocumentChanged();

private:
    void buildControls();
    QWidget *buildOptionFrames();
    QWidget *buildButtonRow();
    void onContentChanged();
    void onEditorClicked();
    void checkViewOption(int option);
    bool askToLeave();
    bool writeEditorTo(const QString &fileName, const QString &description);
    bool loadEntryFile(const QString &path);
    DocumentOpening readDocument(const QString &path);
    void loadTemplate(int templateNumber);
    bool existsInWorkbook(const QString &path) const;
    void reportUnreadable(const QString &path, const QString &reason, const QString &consequence);
    void noEntryShown();
    QString savedMessage() const;
    bool entryFileHasText(const QString &fileName) const;
    void showPolicyNotice();

    Workbook workbook_;
    EditSession &session_;
    StatusTable &statusTable_;
    PlatformServices services_;
    QString contentFolder_;

    std::array<QLabel *, 3> headings_{};
    StatusBox *statusBox_ = nullptr;
    RichTextEditor *editor_ = nullptr;
    QGroupBox *referencesFrame_ = nullptr;
    QGroupBox *actionsFrame_ = nullptr;
    QGroupBox *textLocationFrame_ = nullptr;
    QButtonGroup *viewGroup_ = nullptr;
    std::array<QRadioButton *, ViewOptionCount> viewOptions_{};
    std::array<QRadioButton *, 3> textLocations_{};
    std::array<QPushButton *, kCommandCount> commandButtons_{};
    std::array<WorkspaceCommand, kCommandCount> commands_;
    QPushButton *exitButton_ = nullptr;
    QPushButton *templateButton_ = nullptr;

    WorkMode workMode_ = WorkMode::Standards;
    int buttonIndex_ = -1;
    int currentView_ = NoEntryView;
    int shownOption_ = -1; // the view option whose content the editor holds
    QString currentEntryFile_;
    bool entryUnreadable_ = false;
    bool policyNoticeShown_ = false;
};
