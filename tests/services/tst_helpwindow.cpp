#include "platform/services/helpwindow.h"
#include "platform/services/qtservices.h"
#include "support/testservices.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

// Two small pages and a contents page, as the shipped help is laid out.
class TestHelpWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void opensTheTopicsPage();
    void topicWithoutPageShowsTheContents();
    void linksBetweenPagesAndHistory();
    void webLinksLeaveTheProgram();
    void missingLinkedPage();
    void noPagesAtAll();
    void viewerReusesOneWindowPerOwner();

private:
    QString page(const QString &name) const { return m_dir->filePath(name); }
    static QString fileOf(const QUrl &url) { return QFileInfo(url.toLocalFile()).fileName(); }
    void write(const QString &name, const QByteArray &markdown);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestHelpWindow::write(const QString &name, const QByteArray &markdown)
{
    QFile file(page(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(markdown);
}

void TestHelpWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    write(QStringLiteral("index.md"),
          "# Contents\n\n- [Program Overview](1000.md)\n- [Printing](1014.md)\n");
    write(QStringLiteral("1000.md"),
          "# Program Overview\n\nSee the [contents](index.md), the [missing page](3010.md) "
          "or the [web site](https://example.org/sentrivo).\n");
}

void TestHelpWindow::opensTheTopicsPage()
{
    HelpWindow window(m_dir->path());
    window.showTopic(1000);
    QCOMPARE(fileOf(window.currentPage()), QStringLiteral("1000.md"));
    QVERIFY(window.browser()->toPlainText().contains(QStringLiteral("Program Overview")));
    // Rendered as Markdown, not shown as source.
    QVERIFY(!window.browser()->toPlainText().contains(QStringLiteral("# Program")));
    QCOMPARE(window.noticeText(), QString());
}

void TestHelpWindow::topicWithoutPageShowsTheContents()
{
    HelpWindow window(m_dir->path());
    window.showTopic(5050);
    QCOMPARE(fileOf(window.currentPage()), QStringLiteral("index.md"));
    QVERIFY(window.browser()->toPlainText().contains(QStringLiteral("Contents")));
    QVERIFY(window.noticeText().contains(QStringLiteral("5050")));

    // The note goes with the next page.
    window.showTopic(1000);
    QCOMPARE(window.noticeText(), QString());
}

void TestHelpWindow::linksBetweenPagesAndHistory()
{
    HelpWindow window(m_dir->path());
    auto *backButton = window.findChild<QPushButton *>(QStringLiteral("helpBack"));
    auto *forwardButton = window.findChild<QPushButton *>(QStringLiteral("helpForward"));
    auto *homeButton = window.findChild<QPushButton *>(QStringLiteral("helpHome"));
    QVERIFY(backButton && forwardButton && homeButton);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    window.showTopic(1000);
    QVERIFY(!backButton->isEnabled());
    Q_EMIT window.browser()->anchorClicked(QUrl(QStringLiteral("index.md")));
    QCOMPARE(fileOf(window.currentPage()), QStringLiteral("index.md"));
    QVERIFY(backButton->isEnabled());

    QTest::mouseClick(backButton, Qt::LeftButton);
    QCOMPARE(fileOf(window.currentPage()), QStringLiteral("1000.md"));
    QVERIFY(forwardButton->isEnabled());
    QTest::mouseClick(forwardButton, Qt::LeftButton);
    QCOMPARE(fileOf(window.currentPage()), QStringLiteral("index.md"));

    QTest::mouseClick(homeButton, Qt::LeftButton);
    QCOMPARE(fileOf(window.currentPage()), QStringLiteral("index.md"));
}

void TestHelpWindow::webLinksLeaveTheProgram()
{
    RecordingUrlOpener opener;
    HelpWindowViewer viewer(m_dir->path(),
                            std::shared_ptr<UrlOpener>(&opener, [](UrlOpener *) {}));
    viewer.showTopic(nullptr, 1000);
    HelpWindow *window = viewer.window();
    QVERIFY(window);
    Q_EMIT window->browser()->anchorClicked(QUrl(QStringLiteral("https://example.org/sentrivo")));
    QCOMPARE(opener.urls, QList<QUrl>{QUrl(QStringLiteral("https://example.org/sentrivo"))});
    QCOMPARE(fileOf(window->currentPage()), QStringLiteral("1000.md"));
}

void TestHelpWindow::missingLinkedPage()
{
    HelpWindow window(m_dir->path());
    window.showTopic(1000);
    Q_EMIT window.browser()->anchorClicked(QUrl(QStringLiteral("3010.md")));
    QCOMPARE(fileOf(window.currentPage()), QStringLiteral("index.md"));
    QVERIFY(window.noticeText().contains(QStringLiteral("3010.md")));
}

void TestHelpWindow::noPagesAtAll()
{
    QTemporaryDir empty;
    HelpWindow window(empty.path());
    window.showTopic(1000);
    QVERIFY(window.browser()->toPlainText().contains(QStringLiteral("No help pages")));
}

void TestHelpWindow::viewerReusesOneWindowPerOwner()
{
    HelpWindowViewer viewer(m_dir->path());
    auto owner = std::make_unique<QWidget>();
    auto *child = new QWidget(owner.get());

    viewer.showTopic(child, 1000);
    QPointer<HelpWindow> first = viewer.window();
    QVERIFY(first);
    QCOMPARE(first->parentWidget(), owner.get());
    QVERIFY(first->isWindow());
    QVERIFY(first->isVisible());

    viewer.showTopic(owner.get(), 5050);
    QCOMPARE(viewer.window(), first.data());
    QCOMPARE(fileOf(first->currentPage()), QStringLiteral("index.md"));

    // The help window closes with its owner and comes back when asked again.
    owner.reset();
    QVERIFY(!first);
    viewer.showTopic(nullptr, 1000);
    QVERIFY(viewer.window());
    QCOMPARE(fileOf(viewer.window()->currentPage()), QStringLiteral("1000.md"));
}

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
