#include "actionarea/groupbuttonpanel.h"

#include "catalogue/safeguardcatalogue.h"
#include "screens/mainscreen.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kButtonTextWidth = 156;

// Long captions are broken over lines at blanks, so that they fit the
// narrow column without being cut off.
QString wrapToWidth(const QString &text, const QFontMetrics &metrics, int width)
{
    QStringList lines;
    QString line;
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &word : words) {
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(QString(candidate).replace(QStringLiteral("&&"), QStringLiteral("&"))) > width) {
            lines << line;
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.isEmpty())
        lines << line;
    return lines.join(QLatin1Char('\n'));
}

} // namespace

GroupButtonPanel::GroupButtonPanel(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("groupButtonPanel"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    title_ = new QLabel(this);
    title_->setWordWrap(true);
    title_->setAlignment(Qt::AlignCenter);
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    title_->setFont(titleFont);
    layout->addWidget(title_);

    // Wrapped for the bold face of the chosen button, the wider of the two.
    QFont boldFont = font();
    boldFont.setBold(true);
    const QFontMetrics metrics(boldFont);
    for (const Catalogue::GroupInfo &info : Catalogue::groups()) {
        const int group = int(info.group);
        auto *frame = new QGroupBox(this);
        auto *frameLayout = new QVBoxLayout(frame);
        frameLayout->setContentsMargins(2, 2, 2, 2);
        frameLayout->setSpacing(1);
        for (int index = 0; index < info.buttonCount; ++index) {
            const Catalogue::Safeguard &safeguard =
                Catalogue::safeguardAt(Catalogue::safeguardNo(info.group, index));
            auto *button = new QPushButton(
                wrapToWidth(QString::fromLatin1(safeguard.buttonCaption), metrics, kButtonTextWidth), frame);
            button->setToolTip(Catalogue::displayText(QString::fromLatin1(safeguard.fullName)));
            button->setCheckable(true);
            button->setAutoDefault(false);
            // The 23 buttons of the largest group share the height of the
            // 800 x 600 window: each may shrink to the height of its text.
            const int lines = int(button->text().count(QLatin1Char('\n'))) + 1;
            button->setMinimumHeight(lines * button->fontMetrics().height() + 2);
            button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
            frameLayout->addWidget(button);
            connect(button, &QPushButton::clicked, this, [this, group, index] {
                // The check mark follows the safeguard actually selected.
                this->button(group, index)->setChecked(marked_[group] == index);
                Q_EMIT safeguardButtonPressed(index);
            });
            buttons_[group] << button;
        }
        frameLayout->addStretch(1);
        frame->hide();
        frames_[group] = frame;
        layout->addWidget(frame, 1);
    }
    layout->addStretch(0);
    setFixedWidth(kButtonTextWidth + 14);
}

void GroupButtonPanel::showGroup(int group)
{
    for (int i = 0; i < kGroupCount; ++i)
        frames_[i]->setVisible(i == group);
    shownGroup_ = group;
}

void GroupButtonPanel::setTitle(const QString &title)
{
    title_->setText(title);
}

QString GroupButtonPanel::title() const
{
    return title_->text();
}

void GroupButtonPanel::markButton(int group, int buttonIndex)
{
    for (int i = 0; i < buttons_[group].size(); ++i) {
        QPushButton *each = buttons_[group][i];
        drawButtonAsChosen(each, i == buttonIndex, true);
        each->setChecked(i == buttonIndex);
    }
    marked_[group] = buttonIndex;
}

void GroupButtonPanel::unmarkAll(int group)
{
    markButton(group, -1);
}

QPushButton *GroupButtonPanel::button(int group, int buttonIndex) const
{
    return buttons_[group].value(buttonIndex);
}

int GroupButtonPanel::buttonCount(int group) const
{
    return int(buttons_[group].size());
}
