#pragma once

#include <QFrame>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

// The panel that renames the worksheet buttons: for each of the 21 buttons
// its number, its current title and an entry box for the new one (at most
// 17 characters). What was typed stays in the boxes until the program ends.
class WorksheetTitlePanel : public QFrame
{
    Q_OBJECT
public:
    static constexpr int kRows = 21;
    static inline const QString kHeading = QStringLiteral(" Risk Analysis Worksheet Button Name");
    static inline const QString kLimitNote =
        QStringLiteral("A title holds up to 18 characters: letters, digits, spaces and the signs of Western "
                       "European text (an \"&\" shows as typed).");

    explicit WorksheetTitlePanel(QWidget *parent = nullptr);

    void setCurrentTitles(const QStringList &titles);
    QString currentTitle(int row) const;
    // The 21 entry boxes' texts, as typed.
    QStringList entries() const;
    QLineEdit *entryBox(int row) const { return entries_[row]; }
    QPushButton *saveButton() const { return save_; }
    QPushButton *exitButton() const { return exit_; }

Q_SIGNALS:
    void saveRequested();
    void closeRequested();

private:
    std::array<QLabel *, kRows> currentTitles_{};
    std::array<QLineEdit *, kRows> entries_{};
    QPushButton *save_ = nullptr;
    QPushButton *exit_ = nullptr;
};
