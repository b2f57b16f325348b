// The Miscellaneous screen: topics, the link page, copy prevention, copy,
// the return to "Program Information" and Esc.
#include "readerfixture.h"

#include "platform/editor/richtexteditor.h"
#include "printing/printpanel.h"
#include "readers/documentviewer.h"
#include "readers/readerprint.h"
#include "readers/linkpage.h"
#include "readers/miscform1.h"
#include "readers/topicbuttons.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using Answer = Prompt::Answer;

namespace {

// Stands in for the About box: one of the program's own modal windows.
class ProgramWindow : public QDialog
{
    Q_OBJECT
public:
    using QDialog::QDialog;
};

struct MiscFixture : ReaderFixture
{
    QPointer<Miscform1> screen;

    explicit MiscFixture(bool smallerDisplay = true)
        : ReaderFixture(smallerDisplay)
    {
        for (const char *name : {"Misc1.Fl1", "Misc2.Fl1", "Misc56.Fl1", "Misc57.Fl1"})
            writeDocument(QString::fromLatin1(name), QStringLiteral("Document %1\nSecond line.").arg(QLatin1String(name)));
        environment.showAbout = [](QWidget *parent) {
            ProgramWindow about(parent);
            QTimer::singleShot(0, &about, &QDialog::accept);
            about.exec();
        };
        screen = open<Miscform1>(ScreenIndex::Miscellaneous);
    }
    ~MiscFixture() { delete screen.data(); }

    QString shown() const { return screen->viewer()->editor()->text(); }
    QAction *aboutEntry() const
    {
        for (QAction *entry : screen->helpMenu()->actions())
            if (entry->text() == QStringLiteral("&About Sentrivo"))
                return entry;
        return nullptr;
    }
};

} // namespace

class TestMiscform1 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensOnProgramInformation();
    void topics_data();
    void topics();
    void linkPage();
    void linkPressDropsLabel();
    void copyPrevention_data();
    void copyPrevention();
    void copyTakesWholeDocument();
    void returningFromProgramWindowShowsProgramInformation();
    void viewerHeights_data();
    void viewerHeights();
    void escapeAsksExitQuestion();
    void printMargins_data();
    void printMargins();
    void returningToProgramInformationClosesPrintPanel();
};

void TestMiscform1::opensOnProgramInformation()
{
    MiscFixture f;
    QCOMPARE(f.screen->currentTopic(), 1);
    QCOMPARE(f.screen->windowTitle(), QStringLiteral("Miscellaneous - Program Information"));
    QCOMPARE(f.shown(), QStringLiteral("Document Misc1.Fl1\nSecond line."));
    QVERIFY(f.screen->topicButtons()->button(1)->isChosen());
    QVERIFY(!f.screen->topicButtons()->button(0)->isChosen());
}

void TestMiscform1::topics_data()
{
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("document");  // empty: the link page
    QTest::addColumn<bool>("copyAndPrint");
    QTest::newRow("disclaimer") << 0 << "Disclaimer" << "Misc2.Fl1" << false;
    QTest::newRow("information") << 1 << "Program Information" << "Misc1.Fl1" << false;
    QTest::newRow("links") << 2 << "HIPAA Web Links" << QString() << false;
    QTest::newRow("worksheet") << 3 << "Risk Analysis Worksheet" << "Misc57.Fl1" << true;
    QTest::newRow("incident report") << 4 << "Sample Incident Report" << "Misc56.Fl1" << true;
}

void TestMiscform1::topics()
{
    QFETCH(int, topic);
    QFETCH(QString, caption);
    QFETCH(QString, document);
    QFETCH(bool, copyAndPrint);
    MiscFixture f;
    f.screen->topicButtons()->button(2)->click();
    QTest::mouseClick(f.screen->topicButtons()->button(topic), Qt::LeftButton);
    QCOMPARE(f.screen->topicButtons()->button(topic)->text(), caption);
    QCOMPARE(f.screen->windowTitle(), QStringLiteral("Miscellaneous - ") + caption);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(f.screen->topicButtons()->button(i)->textEffect(), i == topic ? 0 : 2);
    QCOMPARE(f.screen->viewer()->isVisible(), !document.isEmpty());
    QCOMPARE(f.screen->linkPage()->isVisible(), document.isEmpty());
    if (!document.isEmpty())
        QCOMPARE(f.shown(), QStringLiteral("Document %1\nSecond line.").arg(document));
    QCOMPARE(f.screen->copyButton()->isVisible(), copyAndPrint);
    QCOMPARE(f.screen->printButton()->isVisible(), copyAndPrint);
    QCOMPARE(f.screen->copyEntry()->isVisible(), copyAndPrint);
    QCOMPARE(f.screen->printEntry()->isVisible(), copyAndPrint);
    QCOMPARE(f.screen->viewer()->editor()->contextMenuEnabled(), copyAndPrint);
}

void TestMiscform1::linkPage()
{
    MiscFixture f;
    f.screen->topicButtons()->button(2)->click();
    LinkPage *page = f.screen->linkPage();
    QCOMPARE(page->heading()->text(), QStringLiteral("HIPAA Web Links"));
    QVERIFY(page->introduction()->text().startsWith(QStringLiteral("The following websites contain additional HIPAA")));
    // Each label names the page its address opens (the first two were once
    // swapped, and two labels named private sites that no link opens).
    struct Expected
    {
        const char *caption, *tooltip, *host, *path;
    };
    const Expected rows[] = {
        {"Office for Civil Rights", " Official Government Website ", "www.hhs.gov", "/ocr/"},
        {"U.S. Department of Health and Human Services", " Official Government Website: HIPAA home page ",
         "www.hhs.gov", "/hipaa/index.html"},
        {"Centers for Medicare & Medicaid Services (CMS)", " Official Government Website ", "www.cms.gov", "/"},
        {"NIST Special Publications (800 Series)",
         " Contains several publications that may be useful, like SP 800-66 ", "csrc.nist.gov", "/publications/"},
        {"Workgroup for Electronic Data Interchange (WEDI)",
         " An industry group (not a government body) with HIPAA security information ", "www.wedi.org", "/"},
        {"HHS Security Rule Guidance", " Official Government Website: guidance on the Security Rule ", "www.hhs.gov",
         "/hipaa/for-professionals/security/guidance/"},
        {"HHS HIPAA Frequently Asked Questions", " Official Government Website: questions and answers ",
         "www.hhs.gov", "/hipaa/for-professionals/faq/"},
    };
    QCOMPARE(page->linkCount(), 7);
    for (int row = 0; row < 7; ++row) {
        LinkLabel *link = page->link(row);
        QVERIFY(link->isVisible());
        QCOMPARE(link->text(), QString::fromLatin1(rows[row].caption));
        QCOMPARE(link->toolTip(), QString::fromLatin1(rows[row].tooltip));
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QVERIFY(link->font().bold());
        if (row > 0)
            QVERIFY(link->y() > page->link(row - 1)->y());
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(f.test.urlOpener->urls.size(), row + 1);
        QCOMPARE(f.test.urlOpener->urls.last().scheme(), QStringLiteral("https"));
        QCOMPARE(f.test.urlOpener->urls.last().host(), QString::fromLatin1(rows[row].host));
        QVERIFY2(f.test.urlOpener->urls.last().path().startsWith(QString::fromLatin1(rows[row].path)),
                 qPrintable(f.test.urlOpener->urls.last().toString()));
    }
    // A failed hand-off says so, with the address to copy.
    QVERIFY(f.test.linkNotice->addresses.isEmpty());
    f.test.urlOpener->result = false;
    QTest::mouseClick(page->link(0), Qt::LeftButton);
    QCOMPARE(f.test.linkNotice->addresses, QList<QUrl>{f.test.urlOpener->urls.last()});
    QVERIFY(f.test.prompt->questions.isEmpty());
    // Any other topic hides the links again.
    f.screen->topicButtons()->button(0)->click();
    QVERIFY(!page->isVisible());
}

void TestMiscform1::linkPressDropsLabel()
{
    MiscFixture f;
    f.screen->topicButtons()->button(2)->click();
    LinkLabel *link = f.screen->linkPage()->link(3);
    const QMargins resting = link->contentsMargins();
    QTest::mousePress(link, Qt::LeftButton);
    QVERIFY(link->isPressedDown());
    QCOMPARE(link->contentsMargins().top() - resting.top(), 3); // 45 twips lower
    QVERIFY(f.test.urlOpener->urls.isEmpty());
    QTest::mouseRelease(link, Qt::LeftButton);
    QCOMPARE(link->contentsMargins(), resting);
    QCOMPARE(f.test.urlOpener->urls.size(), 1);
}

void TestMiscform1::copyPrevention_data()
{
    QTest::addColumn<int>("topic");
    QTest::addColumn<bool>("copies");
    QTest::newRow("disclaimer") << 0 << false;
    QTest::newRow("program information") << 1 << false;
    QTest::newRow("worksheet") << 3 << true;
    QTest::newRow("incident report") << 4 << true;
}

void TestMiscform1::copyPrevention()
{
    QFETCH(int, topic);
    QFETCH(bool, copies);
    MiscFixture f;
    f.screen->topicButtons()->button(topic)->click();
    RichTextEditor *viewer = f.screen->viewer()->editor();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    viewer->setFocus();
    viewer->select(0, 8);
    QTest::keyClick(viewer, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QGuiApplication::clipboard()->text();
    if (copies) {
        QCOMPARE(copied, QStringLiteral("Document"));
        QCOMPARE(viewer->selLength(), 8);
    } else {
        QCOMPARE(copied, QStringLiteral("before"));
        QCOMPARE(viewer->selStart(), 0);
        QCOMPARE(viewer->selLength(), 0);
    }
}

void TestMiscform1::copyTakesWholeDocument()
{
    MiscFixture f;
    f.screen->topicButtons()->button(4)->click();
    f.screen->viewer()->editor()->select(3, 4);
    f.test.prompt->enqueue({Answer::Ok, Answer::Ok});
    f.screen->copyButton()->click();
    f.screen->copyEntry()->trigger();
    QCOMPARE(f.test.clipboard->setCount, 2);
    QCOMPARE(f.test.clipboard->rtf, f.screen->viewer()->editor()->rtf());
    QVERIFY(f.test.clipboard->rtf.contains("Second line."));
    QCOMPARE(f.test.prompt->questions.first().text, QStringLiteral("A copy has been copied to the Windows Clipboard."));
    QCOMPARE(f.test.prompt->questions.first().title, QStringLiteral("Copy Option"));
    // The message box closing does not take the worksheet away.
    QMessageBox notice(f.screen);
    notice.show();
    notice.hide();
    QCoreApplication::processEvents();
    QCOMPARE(f.screen->currentTopic(), 4);
}

void TestMiscform1::returningFromProgramWindowShowsProgramInformation()
{
    MiscFixture f;
    f.screen->topicButtons()->button(3)->click();
    f.aboutEntry()->trigger();
    QTRY_COMPARE(f.screen->currentTopic(), 1);
    QCOMPARE(f.shown(), QStringLiteral("Document Misc1.Fl1\nSecond line."));
    QVERIFY(!f.screen->copyButton()->isVisible());
    f.screen->topicButtons()->button(2)->click();
    f.aboutEntry()->trigger();
    QTRY_COMPARE(f.screen->currentTopic(), 1);
    QVERIFY(!f.screen->linkPage()->isVisible());
}

void TestMiscform1::viewerHeights_data()
{
    QTest::addColumn<bool>("smaller");
    QTest::addColumn<int>("topic");
    QTest::addColumn<qreal>("height"); // pixels, or a share of the panel
    QTest::newRow("smaller, disclaimer") << true << 0 << 7290 / 15.0;
    QTest::newRow("smaller, links") << true << 2 << 7290 / 15.0;
    QTest::newRow("smaller, worksheet") << true << 3 << 6790 / 15.0;
    QTest::newRow("full, information") << false << 1 << 0.97;
    QTest::newRow("full, incident report") << false << 4 << 0.89;
}

void TestMiscform1::viewerHeights()
{
    QFETCH(bool, smaller);
    QFETCH(int, topic);
    QFETCH(qreal, height);
    MiscFixture f(smaller);
    f.screen->topicButtons()->button(topic)->click();
    QCoreApplication::processEvents();
    const int panel = f.screen->documentArea()->height();
    if (!smaller) {
        QVERIFY(qAbs(f.screen->mainPanel()->height() - 0.85 * f.screen->height()) <= 1);
        height *= panel;
    }
    QWidget *shown = topic == 2 ? static_cast<QWidget *>(f.screen->linkPage()) : f.screen->viewer();
    QVERIFY(qAbs(shown->height() - height) <= 1);
    if (topic >= 3) {
        QVERIFY(f.screen->copyButton()->mapTo(f.screen->documentArea(), QPoint()).y() > shown->geometry().bottom());
        QVERIFY(f.screen->copyButton()->mapTo(f.screen->documentArea(), QPoint(0, f.screen->copyButton()->height())).y()
                <= panel);
    }
}

void TestMiscform1::escapeAsksExitQuestion()
{
    MiscFixture f;
    f.screen->topicButtons()->button(3)->click();
    f.screen->printButton()->click();
    QTest::keyClick(f.screen, Qt::Key_F1);
    QTest::keyClick(f.screen, Qt::Key_Escape);
    QVERIFY(!f.screen->printing()->isOpen());
    QVERIFY(f.test.prompt->questions.isEmpty());
    f.test.prompt->enqueue(Answer::No);
    QTest::keyClick(f.screen, Qt::Key_Escape);
    QCOMPARE(f.test.prompt->questions.size(), 1);
    QCOMPARE(f.test.prompt->questions.first().title, QStringLiteral("Exit"));
    QVERIFY(f.screen->isVisible());
    QTest::keyClick(f.screen, Qt::Key_F1);
    QCOMPARE(f.test.helpViewer->topics, (QList<int>{HelpTopic::PrintPreview, HelpTopic::Miscellaneous}));
}

void TestMiscform1::printMargins_data()
{
    QTest::addColumn<int>("topic");
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<int>("top");
    QTest::newRow("worksheet, button") << 3 << false << 260;
    QTest::newRow("worksheet, menu") << 3 << true << 100;
    QTest::newRow("incident report, button") << 4 << false << 260;
    QTest::newRow("incident report, menu") << 4 << true << 100;
}

void TestMiscform1::printMargins()
{
    QFETCH(int, topic);
    QFETCH(bool, fromMenu);
    QFETCH(int, top);
    MiscFixture f;
    f.screen->topicButtons()->button(topic)->click();
    f.screen->viewer()->editor()->select(0, 8); // a selection changes nothing
    if (fromMenu)
        f.screen->printEntry()->trigger();
    else
        QTest::mouseClick(f.screen->printButton(), Qt::LeftButton);

    PrintPanel *panel = f.screen->printing()->panel();
    QVERIFY(panel->isOpen());
    QCOMPARE(panel->surface()->margins(), (PrintMargins{200, top, 100, 100}));
    QVERIFY(panel->surface()->pageText(0).contains(QStringLiteral("Second line.")));
    QCOMPARE(panel->rangeOption()->text(), QStringLiteral("Print Sample Incident Report Form"));
    QVERIFY(panel->rangeOption()->width() >= panel->rangeOption()->sizeHint().width()); // not cut off
    QVERIFY(!panel->sectionFrameVisible());
    QVERIFY(!panel->fontBoxesVisible());
    QVERIFY(!panel->button(PrintPanel::PrinterFontButton)->isVisible());
    // While the panel is open the menu's "&Print" prints.
    f.printServices->printerAnswers.enqueue(std::nullopt);
    f.screen->printEntry()->trigger();
    QCOMPARE(f.printServices->printDialogs, 1);
    QCOMPARE(panel->surface()->margins(), (PrintMargins{200, top, 100, 100}));
}

void TestMiscform1::returningToProgramInformationClosesPrintPanel()
{
    MiscFixture f;
    f.screen->topicButtons()->button(4)->click();
    f.screen->printButton()->click();
    QVERIFY(f.screen->printing()->isOpen());
    f.aboutEntry()->trigger();
    QTRY_COMPARE(f.screen->currentTopic(), 1);
    QVERIFY(!f.screen->printing()->isOpen());
}

QTEST_MAIN(TestMiscform1)
#include "tst_miscform1.moc"
