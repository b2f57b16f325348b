#pragma once

#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QPushButton;

// The column of safeguard buttons beside the workspace: one frame per
// safeguard group with a button per safeguard (its short caption, the full
// name as tooltip), and the panel title used by the sample and the disaster
// recovery plan, which have no buttons.
class GroupButtonPanel : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kGroupCount = 5;

    explicit GroupButtonPanel(QWidget *parent = nullptr);

    // Shows the frame of the group (0-4), or none for -1, and the title.
    void showGroup(int group);
    void setTitle(const QString &title);
    QString title() const;
    int shownGroup() const { return shownGroup_; }

    // The chosen button blue, bold and pressed; the rest black and plain.
    void markButton(int group, int buttonIndex);
    void unmarkAll(int group);
    int markedButton(int group) const { return marked_[group]; }

    QPushButton *button(int group, int buttonIndex) const;
    int buttonCount(int group) const;
    QGroupBox *frame(int group) const { return frames_[group]; }

Q_SIGNALS:
    void safeguardButtonPressed(int buttonIndex);

private:
    QLabel *title_ = nullptr;
    std::array<QGroupBox *, kGroupCount> frames_{};
    std::array<QList<QPushButton *>, kGroupCount> buttons_;
    std::array<int, kGroupCount> marked_{-1, -1, -1, -1, -1};
    int shownGroup_ = -1;
};
