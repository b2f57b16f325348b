#pragma once

#include "catalogue/workmode.h"
#include "platform/services/services.h"

#include <QComboBox>
#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;
class StatusTable;

// The drop-down of status texts. After each choice it is locked: keys and the
// mouse wheel no longer change it until the list is opened again, so a
// stored value always comes from an entry the user picked in the open list.
class StatusComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit StatusComboBox(QWidget *parent = nullptr);

    bool isLocked() const { return locked_; }
    void setLocked(bool locked) { locked_ = locked; }

    void showPopup() override;

Q_SIGNALS:
    void listOpening();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    bool locked_ = false;
};

// The Action Area's status box: its caption, the drop-down and the
// "Compliance Status" explanation button. It shows the status of the selected
// safeguard or worksheet from the StatusTable and stores the user's choice in
// Stat1.Fil at once. The window tells it the mode (setupStatusList) and the
// selected button's index; texts set by the program never count as choices.
class StatusBox : public QWidget
{
    Q_OBJECT
public:
    // Where the window places the caption and the drop-down, as fractions of
    // the workspace panel's height, and their size.
    struct Placement
    {
        double captionTop;
        double boxTop;
        int captionWidthTwips;
        int boxFontPointSize;
    };
    static Placement placementFor(WorkMode mode);

    static inline const QString kNotImplementedTitle = QStringLiteral("Safeguard Not Being Implemented");
    static inline const QString kComplianceTermsTitle = QStringLiteral("Compliance Status Terms");
    static inline const QString kNotStoredTitle = QStringLiteral("Status Not Saved");
    static QString notImplementedMessage();
    static QString complianceTermsMessage();

    StatusBox(StatusTable &table, std::shared_ptr<Prompt> prompt, QWidget *parent = nullptr);

    // Entering a panel: hides the explanation button, fills the list for the
    // mode (current status for 2-6 and 9, compliance status for 7) and, for
    // modes 2-9, re-reads the safeguard statuses 1-42.
    void setupStatusList(WorkMode mode);
    WorkMode mode() const { return mode_; }

    // The index of the selected safeguard button or worksheet in its group.
    void setSelectedIndex(int index) { selectedIndex_ = index; }
    int selectedIndex() const { return selectedIndex_; }

    // Shows the table's text for the record without storing anything; an
    // invalid record shows nothing.
    void showStatus(int record);
    // Shows a worksheet's compliance status: empty when it has no content,
    // whatever its record holds.
    void showWorksheetStatus(int worksheetIndex, bool hasContent);
    // A worksheet saved blank: its record, slot and the shown text become empty.
    void clearWorksheetStatus(int worksheetIndex);
    // Sets the shown text as the program (not a choice); "" shows nothing.
    void setStatusText(const QString &text);
    QString statusText() const;

    // The user picked the current entry of the list: store it in the record
    // of the mode and selected index, lock the drop-down and warn about
    // "Not Implemented". Nothing is stored or shown in modes 8 and 9.
    void chooseStatus();

    // Shows the caption, the drop-down and the explanation button (a
    // worksheet was chosen).
    void showWorksheetControls();
    void showComplianceTerms();

    QLabel *caption() const { return caption_; }
    StatusComboBox *comboBox() const { return combo_; }
    QPushButton *explanationButton() const { return explanationButton_; }
    bool isLocked() const;

Q_SIGNALS:
    // A choice was stored (record of Stat1.Fil and the text).
    void statusChosen(int record, const QString &text);

private:
    void fillList(const QStringList &entries);

    StatusTable &table_;
    std::shared_ptr<Prompt> prompt_;
    QLabel *caption_ = nullptr;
    StatusComboBox *combo_ = nullptr;
    QPushButton *explanationButton_ = nullptr;
    WorkMode mode_ = WorkMode::Standards;
    int selectedIndex_ = -1;
    bool restoring_ = false;
};
