#pragma once

#include <QLabel>
#include <QList>
#include <QUrl>
#include <QWidget>

#include "platform/services/services.h"

// One link of the link page: blue, bold, its description as tooltip. While
// the mouse button is held on it the caption sits 45 twips (3 pixels) lower;
// a click asks the desktop to open its address.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    LinkLabel(const QString &caption, const QString &description, const QUrl &address, QWidget *parent = nullptr);

    QUrl address() const { return address_; }
    bool isPressedDown() const { return pressedDown_; }

Q_SIGNALS:
    void activated(const QUrl &address);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void setPressedDown(bool down);

    QUrl address_;
    bool pressedDown_ = false;
};

// The Miscellaneous screen's page of web links: heading, introduction and
// the seven links. A link that cannot be opened says so and shows its
// address with a Copy button.
class LinkPage : public QWidget
{
    Q_OBJECT
public:
    LinkPage(const PlatformServices &services, QWidget *parent = nullptr);

    QLabel *heading() const { return heading_; }
    QLabel *introduction() const { return introduction_; }
    LinkLabel *link(int row) const { return links_.at(row); }
    int linkCount() const { return int(links_.size()); }

private:
    PlatformServices m_services;
    QLabel *heading_;
    QLabel *introduction_;
    QList<LinkLabel *> links_;
};
