#pragma once

#include <QPushButton>
#include <QWidget>

#include <QList>

class QBoxLayout;

// A topic button of the reader screens. The current topic's caption is blue
// and flat (3-D effect 0); the others are black with raised lettering
// (3-D effect 2).
class TopicButton : public QPushButton
{
    Q_OBJECT
public:
    explicit TopicButton(const QString &caption, QWidget *parent = nullptr);

    int textEffect() const { return textEffect_; }
    void setChosen(bool chosen);
    bool isChosen() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int textEffect_ = 2;
};

// A row or column of topic buttons, indexed from 0 as the topic table; a
// press reports its index.
class TopicButtonGroup : public QWidget
{
    Q_OBJECT
public:
    TopicButtonGroup(const QStringList &captions, Qt::Orientation orientation, QWidget *parent = nullptr);

    TopicButton *button(int index) const { return buttons_.at(index); }
    int count() const { return int(buttons_.size()); }
    // Draws button `index` as the current one, the others plain; -1 none.
    void markChosen(int index);

Q_SIGNALS:
    void pressed(int index);

private:
    QList<TopicButton *> buttons_;
};
