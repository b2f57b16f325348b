#include "readers/topicbuttons.h"

#include "screens/mainscreen.h"

#include <QBoxLayout>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

TopicButton::TopicButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    setFocusPolicy(Qt::TabFocus);
    setChosen(false);
}

void TopicButton::setChosen(bool chosen)
{
    drawButtonAsChosen(this, chosen);
    textEffect_ = chosen ? 0 : 2;
    update();
}

bool TopicButton::isChosen() const
{
    return isDrawnAsChosen(this);
}

void TopicButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect textArea = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextWordWrap;
    if (textEffect_ == 2) {
        // Raised lettering: a light edge above-left, a shadow below-right.
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(textArea.translated(-1, -1), flags, caption);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawText(textArea.translated(1, 1), flags, caption);
    }
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(textArea, flags, caption);
}

TopicButtonGroup::TopicButtonGroup(const QStringList &captions, Qt::Orientation orientation, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QBoxLayout(orientation == Qt::Vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight,
                                  this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    for (int i = 0; i < captions.size(); ++i) {
        auto *button = new TopicButton(captions.at(i), this);
        button->setToolTip(QString(captions.at(i)).replace(QStringLiteral("&&"), QStringLiteral("&")));
        button->setMinimumHeight(30);
        // A row shares its width out and wraps long captions.
        if (orientation == Qt::Horizontal) {
            button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
            button->setMinimumHeight(2 * button->fontMetrics().lineSpacing() + 6);
        }
        layout->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, i] { Q_EMIT pressed(i); });
        buttons_ << button;
    }
    if (orientation == Qt::Vertical)
        layout->addStretch(1);
}

void TopicButtonGroup::markChosen(int index)
{
    for (int i = 0; i < buttons_.size(); ++i)
        buttons_.at(i)->setChosen(i == index);
}
