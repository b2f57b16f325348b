#pragma once

#include "platform/records/workbook.h"
#include "platform/services/services.h"

#include <QWidget>

#include <array>

class EditSession;
class QPushButton;
class SafeguardWorkspace;
class WorksheetTitlePanel;

// The risk analysis worksheets (WorkMode 7): 21 buttons titled by the user,
// each opening its worksheet file in the workspace editor, the "New
// Worksheet" template, saving, and the title panel that renames the buttons.
// A button whose worksheet holds text is underlined; the open worksheet's
// button is blue and bold.
class WorksheetsPanel : public QWidget
{
    Q_OBJECT
public:
    static inline const QString kNewWorksheetCaption = QStringLiteral("New Worksheet");
    static inline const QString kSaveFailedTitle = QStringLiteral("Save Failed");

    WorksheetsPanel(const Workbook &workbook, EditSession &session, SafeguardWorkspace &workspace,
                    const PlatformServices &services, QWidget *parent = nullptr);

    // Entering WorkMode 7: titles from RAList.Fil, underlines, no worksheet open.
    void enterWorksheetPanel(const QString &captionBase);
    // A worksheet button clicked. False when it did not open (the worksheet
    // being left could not be saved).
    bool openWorksheet(int index);
    void newWorksheet();
    // "&Save" in WorkMode 7: false when the file could not be written (the
    // user was told; the text and the unsaved flag stay).
    bool saveWorksheet();
    // The open worksheet read again from its file, after a No to the save
    // question.
    void revertToSaved();

    void openTitlePanel(bool printPreviewShown = false);
    void saveTitles();
    void closeTitlePanel();
    bool titlePanelShown() const;

    int currentIndex() const { return current_; }
    // The title as the user typed it (the button's caption doubles an "&").
    QString title(int index) const;
    bool isUnderlined(int index) const;
    QPushButton *button(int index) const { return buttons_[index]; }
    WorksheetTitlePanel *titlePanel() const { return titlePanel_; }

Q_SIGNALS:
    void captionChanged(const QString &caption);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refreshUnderlines();
    void setTitle(int index, const QString &title);
    void markCurrent();
    void placeTitlePanel();

    Workbook workbook_;
    EditSession &session_;
    SafeguardWorkspace &workspace_;
    PlatformServices services_;
    std::array<QPushButton *, 21> buttons_{};
    WorksheetTitlePanel *titlePanel_ = nullptr;
    QString captionBase_;
    int current_ = -1;
    // RAList.Fil was there but could not be read on entering.
    bool m_titlesUnreadable = false;
};
