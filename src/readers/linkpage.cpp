#include "readers/linkpage.h"

#include "platform/records/twips.h"
#include "platform/services/services.h"
#include "readers/readertables.h"

#include <QMouseEvent>
#include <QVBoxLayout>

namespace {

constexpr int kPressDrop = Twips::toPixels(45);

} // namespace

LinkLabel::LinkLabel(const QString &caption, const QString &description, const QUrl &address, QWidget *parent)
    : QLabel(caption, parent)
    , address_(address)
{
    // "&&" in the stored captions shows one "&"; a label shows its text as is.
    setText(QString(caption).replace(QStringLiteral("&&"), QStringLiteral("&")));
    setTextFormat(Qt::PlainText);
    setToolTip(description);
    setCursor(Qt::PointingHandCursor);
    QFont bold = font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() + 1);
    setFont(bold);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(palette);
    setContentsMargins(0, 0, 0, kPressDrop);
}

void LinkLabel::setPressedDown(bool down)
{
    pressedDown_ = down;
    setContentsMargins(0, down ? kPressDrop : 0, 0, down ? 0 : kPressDrop);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        setPressedDown(true);
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && pressedDown_) {
        setPressedDown(false);
        if (rect().contains(event->position().toPoint()))
            Q_EMIT activated(address_);
        event->accept();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

LinkPage::LinkPage(const PlatformServices &services, QWidget *parent)
    : QWidget(parent)
    , m_services(services)
    , heading_(new QLabel(QStringLiteral("HIPAA Web Links"), this))
    , introduction_(new QLabel(this))
{
    setObjectName(QStringLiteral("linkPage"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 12, 24, 12);
    layout->setSpacing(10);

    heading_->setObjectName(QStringLiteral("linkHeading"));
    QFont headingFont = heading_->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.6);
    heading_->setFont(headingFont);
    heading_->setAlignment(Qt::AlignHCenter);
    layout->addWidget(heading_);

    introduction_->setObjectName(QStringLiteral("linkIntroduction"));
    introduction_->setText(QStringLiteral(
        "The following websites contain additional HIPAA information that may be of use to you.  If your internet "
        "provider is running in the background, just click on the link and you will be taken to that site."));
    introduction_->setWordWrap(true);
    layout->addWidget(introduction_);
    layout->addSpacing(8);

    for (const auto &row : ReaderTables::webLinks()) {
        auto *link = new LinkLabel(QString::fromLatin1(row.caption), QString::fromLatin1(row.description),
                                   QUrl(QString::fromLatin1(row.address)), this);
        link->setObjectName(QStringLiteral("link%1").arg(row.number));
        layout->addWidget(link, 0, Qt::AlignLeft);
        connect(link, &LinkLabel::activated, this,
                [this](const QUrl &address) { openLinkOrSaySo(m_services, this, address); });
        links_ << link;
    }
    layout->addStretch(1);
}
