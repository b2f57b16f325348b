#pragma once

#include <QUrl>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class QTextBrowser;

// The program's help: Markdown pages "<topic>.md" in one folder, "index.md"
// being the contents. Links between pages are followed in the window; links
// to anything else (web addresses, mail) go to the external handler.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(const QString &helpDir, QWidget *parent = nullptr);

    // Called with addresses that are not help pages.
    void setExternalLinkHandler(std::function<void(const QUrl &)> handler);

    // Shows the page of a topic; without one, the contents with a note.
    void showTopic(int topic);
    void showIndex();

    QString helpDir() const { return m_helpDir; }
    QString pagePath(int topic) const;
    QUrl currentPage() const;
    QString noticeText() const;
    QTextBrowser *browser() const { return m_browser; }

private:
    void openLink(const QUrl &url);
    void showPage(const QString &path);
    void setNotice(const QString &text);

    QString m_helpDir;
    QTextBrowser *m_browser;
    QLabel *m_notice;
    QPushButton *m_back;
    QPushButton *m_forward;
    QPushButton *m_home;
    std::function<void(const QUrl &)> m_externalLinkHandler;
};
