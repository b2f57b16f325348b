#include "platform/services/helpwindow.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const QString kIndexPage = QStringLiteral("index.md");

} // namespace

HelpWindow::HelpWindow(const QString &helpDir, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_helpDir(helpDir)
    , m_browser(new QTextBrowser(this))
    , m_notice(new QLabel(this))
    , m_back(new QPushButton(tr("&Back"), this))
    , m_forward(new QPushButton(tr("&Forward"), this))
    , m_home(new QPushButton(tr("&Home"), this))
{
    setWindowTitle(tr("Sentrivo Help"));
    resize(700, 560);

    // Links are followed here rather than by the browser, so that web
    // addresses leave the program instead of being loaded as pages.
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
    m_browser->setSearchPaths({helpDir});
    m_notice->setWordWrap(true);
    m_notice->hide();

    m_back->setObjectName(QStringLiteral("helpBack"));
    m_forward->setObjectName(QStringLiteral("helpForward"));
    m_home->setObjectName(QStringLiteral("helpHome"));
    m_back->setEnabled(false);
    m_forward->setEnabled(false);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addWidget(m_home);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_notice);
    layout->addWidget(m_browser, 1);

    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_home, &QPushButton::clicked, this, &HelpWindow::showIndex);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::openLink);
    // A note belongs to the page it was shown with.
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] { setNotice(QString()); });
}

void HelpWindow::setExternalLinkHandler(std::function<void(const QUrl &)> handler)
{
    m_externalLinkHandler = std::move(handler);
}

QString HelpWindow::pagePath(int topic) const
{
    return QDir(m_helpDir).filePath(QString::number(topic) + QStringLiteral(".md"));
}

QUrl HelpWindow::currentPage() const
{
    return m_browser->source();
}

QString HelpWindow::noticeText() const
{
    return m_notice->isHidden() ? QString() : m_notice->text();
}

void HelpWindow::showTopic(int topic)
{
    const QString path = pagePath(topic);
    if (QFileInfo(path).isFile()) {
        showPage(path);
        return;
    }
    showIndex();
    setNotice(tr("Help topic %1 has no page of its own; the contents are shown instead.").arg(topic));
}

void HelpWindow::showIndex()
{
    const QString path = QDir(m_helpDir).filePath(kIndexPage);
    if (QFileInfo(path).isFile()) {
        showPage(path);
        return;
    }
    m_browser->clear();
    m_browser->setPlainText(tr("No help pages are installed."));
}

void HelpWindow::showPage(const QString &path)
{
    m_browser->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()),
                         QTextDocument::MarkdownResource);
}

void HelpWindow::openLink(const QUrl &link)
{
    const QUrl target = m_browser->source().resolved(link);
    if (!target.isLocalFile()) {
        if (m_externalLinkHandler)
            m_externalLinkHandler(target);
        return;
    }
    if (QFileInfo(target.toLocalFile()).isFile()) {
        const bool markdown = target.path().endsWith(QStringLiteral(".md"), Qt::CaseInsensitive);
        m_browser->setSource(target, markdown ? QTextDocument::MarkdownResource
                                              : QTextDocument::UnknownResource);
        return;
    }
    showIndex();
    setNotice(tr("The page \"%1\" is missing; the contents are shown instead.")
                  .arg(target.fileName()));
}

void HelpWindow::setNotice(const QString &text)
{
    m_notice->setText(text);
    m_notice->setVisible(!text.isEmpty());
}
