// The Information Advisor: topics, risk-analysis sub-topics, viewer places,
// the NIST button and Esc.
#include "readerfixture.h"

#include "platform/editor/richtexteditor.h"
#include "readers/documentviewer.h"
#include "readers/infoadv.h"
#include "printing/printpanel.h"
#include "printing/printsurface.h"
#include "readers/readerprint.h"
#include "screens/helptopics.h"
#include "readers/topicbuttons.h"

#include <QGroupBox>
#include <QPointer>
#include <QPushButton>

using Answer = Prompt::Answer;

namespace {

const QStringList kDocuments = {
    QStringLiteral("Misc0.Fl1"),  QStringLiteral("Misc3.Fl1"),  QStringLiteral("Misc4.Fl1"),
    QStringLiteral("Misc5.Fl1"),  QStringLiteral("Misc6.Fl1"),  QStringLiteral("Misc7.Fl1"),
    QStringLiteral("Misc8.Fl1"),  QStringLiteral("Misc9.Fl1"),  QStringLiteral("Misc10.Fl1"),
    QStringLiteral("Misc11.Fl1"), QStringLiteral("Misc12.Fl1"), QStringLiteral("Misc13.Fl1"),
    QStringLiteral("Misc58.Fl1")};

struct AdvisorFixture : ReaderFixture
{
    QPointer<InfoAdv> screen;

    explicit AdvisorFixture(bool smallerDisplay = true)
        : ReaderFixture(smallerDisplay)
    {
        for (const QString &name : kDocuments)
            writeDocument(name, QStringLiteral("Document ") + name);
        screen = open<InfoAdv>(ScreenIndex::InformationAdvisor);
    }
    ~AdvisorFixture() { delete screen.data(); }

    QString shown() const { return screen->viewer()->editor()->text(); }
    QRect viewerPlace() const { return screen->viewer()->geometry(); }
};

} // namespace

class TestInfoAdv : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensOnAddressableSafeguards();
    void topics_data();
    void topics();
    void subTopics_data();
    void subTopics();
    void leavingRiskAnalysisHidesFrameAndMovesViewerUp();
    void viewerPlaces_data();
    void viewerPlaces();
    void nistButtonAddresses();
    void nistHandOffFailureWarns();
    void printsTheDocumentShownThroughThePrintPanel();
    void missingDocumentKeepsPrevious();
    void escapeAsksExitQuestion();
};

void TestInfoAdv::opensOnAddressableSafeguards()
{
    {
        AdvisorFixture f;
        f.screen->topicButtons()->button(7)->click();
        f.screen->close();
    }
    AdvisorFixture f;
    QCOMPARE(f.screen->currentTopic(), 0);
    QCOMPARE(f.screen->windowTitle(), QStringLiteral("Information Advisor - Addressable Safeguards"));
    QCOMPARE(f.shown(), QStringLiteral("Document Misc3.Fl1"));
    QVERIFY(f.screen->topicButtons()->button(0)->isChosen());
    QVERIFY(f.screen->subTopicButtons()->button(0)->isChosen());
    QCOMPARE(f.screen->viewer()->editor()->contextMenuEnabled(), true);
}

void TestInfoAdv::topics_data()
{
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("buttonCaption");
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("windowCaption");
    QTest::newRow("0") << 0 << "Addressable Safeguards" << "Misc3.Fl1" << "Information Advisor - Addressable Safeguards";
    QTest::newRow("1") << 1 << "Concepts" << "Misc6.Fl1" << "Information Advisor - Concepts of the Final Security Rule";
    QTest::newRow("2") << 2 << "Getting Started" << "Misc7.Fl1" << "Information Advisor - Getting Started";
    QTest::newRow("3") << 3 << "Impact" << "Misc8.Fl1"
                       << "Information Advisor - Impact of not complying with the Security Final Rule";
    QTest::newRow("4") << 4 << "Key Information && Guide" << "Misc9.Fl1"
                       << "Information Advisor - Key Information && Guide";
    QTest::newRow("5") << 5 << "Policy Insert Template" << "Misc0.Fl1"
                       << "Information Advisor - Policy Insert Template Information";
    QTest::newRow("6") << 6 << "Risk Analysis" << "Misc10.Fl1"
                       << "Information Advisor - Risk Analysis - Risk Analysis Overview";
    QTest::newRow("7") << 7 << "Security and Privacy" << "Misc4.Fl1"
                       << "Information Advisor - Security Rule and Privacy Rule Distinctions";
    QTest::newRow("8") << 8 << "Selected HIPAA Q. && A." << "Misc11.Fl1"
                       << "Information Advisor - Selected HIPAA Questions and Answers";
    QTest::newRow("9") << 9 << "Timeline" << "Misc5.Fl1" << "Information Advisor - The HIPAA Security Rule Timeline";
}

void TestInfoAdv::topics()
{
    QFETCH(int, topic);
    QFETCH(QString, buttonCaption);
    QFETCH(QString, document);
    QFETCH(QString, windowCaption);
    AdvisorFixture f;
    TopicButton *button = f.screen->topicButtons()->button(topic);
    QCOMPARE(button->text(), buttonCaption);
    f.screen->topicButtons()->button(topic == 6 ? 1 : 6)->click();
    button->click();
    QCOMPARE(f.screen->windowTitle(), windowCaption);
    QCOMPARE(f.shown(), QStringLiteral("Document ") + document);
    for (int i = 0; i < 10; ++i) {
        TopicButton *other = f.screen->topicButtons()->button(i);
        QCOMPARE(other->isChosen(), i == topic);
        QCOMPARE(other->textEffect(), i == topic ? 0 : 2);
    }
    QCOMPARE(f.screen->subTopicFrame()->isVisible(), topic == 6);
    QCOMPARE(f.screen->nistButton()->isVisible(), topic == 4);
    if (topic == 4)
        QCOMPARE(f.screen->nistButton()->text(),
                 QStringLiteral("Click to view NIST Security Rule Resource Guide - PDF File"));
    if (topic == 6)
        QVERIFY(f.screen->subTopicButtons()->button(0)->isChosen());
}

void TestInfoAdv::subTopics_data()
{
    QTest::addColumn<int>("subTopic");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("document");
    QTest::addColumn<bool>("nist");
    QTest::newRow("overview") << 0 << "Risk Analysis Overview" << "Misc10.Fl1" << false;
    QTest::newRow("NIST") << 1 << "Recommendations from NIST" << "Misc12.Fl1" << true;
    QTest::newRow("mistakes") << 2 << "Common Risk Analysis Mistakes" << "Misc13.Fl1" << false;
    QTest::newRow("worksheet") << 3 << "Risk Analysis Worksheet" << "Misc58.Fl1" << false;
}

void TestInfoAdv::subTopics()
{
    QFETCH(int, subTopic);
    QFETCH(QString, caption);
    QFETCH(QString, document);
    QFETCH(bool, nist);
    AdvisorFixture f;
    f.screen->topicButtons()->button(6)->click();
    TopicButton *button = f.screen->subTopicButtons()->button(subTopic);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->toolTip(), caption);
    f.screen->subTopicButtons()->button(subTopic == 1 ? 2 : 1)->click();
    button->click();
    QCOMPARE(f.screen->windowTitle(), QStringLiteral("Information Advisor - Risk Analysis - ") + caption);
    QCOMPARE(f.shown(), QStringLiteral("Document ") + document);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(f.screen->subTopicButtons()->button(i)->textEffect(), i == subTopic ? 0 : 2);
    QCOMPARE(f.screen->nistButton()->isVisible(), nist);
    if (nist)
        QCOMPARE(f.screen->nistButton()->text(), QStringLiteral("Click for NIST Website"));
    // The viewer sits below the sub-topic frame.
    QVERIFY(f.viewerPlace().top() >= f.screen->subTopicFrame()->geometry().bottom());
}

void TestInfoAdv::leavingRiskAnalysisHidesFrameAndMovesViewerUp()
{
    AdvisorFixture f;
    const QRect topicPlace = f.viewerPlace();
    f.screen->topicButtons()->button(6)->click();
    f.screen->subTopicButtons()->button(1)->click();
    QVERIFY(f.viewerPlace().top() > topicPlace.top());
    f.screen->topicButtons()->button(9)->click();
    QVERIFY(!f.screen->subTopicFrame()->isVisible());
    QVERIFY(!f.screen->nistButton()->isVisible());
    QCOMPARE(f.viewerPlace(), topicPlace);
}

void TestInfoAdv::viewerPlaces_data()
{
    QTest::addColumn<bool>("smaller");
    QTest::addColumn<int>("topic");
    QTest::addColumn<int>("subTopic");
    // Smaller display: twips / 15; full display: shares of the panel height.
    QTest::addColumn<qreal>("top");
    QTest::addColumn<qreal>("height");
    QTest::addColumn<qreal>("nistTop");  // -1: no button
    QTest::newRow("smaller, topic") << true << 0 << -1 << 105 / 15.0 << 6975 / 15.0 << -1.0;
    QTest::newRow("smaller, key information") << true << 4 << -1 << 105 / 15.0 << 6530 / 15.0 << 6700 / 15.0;
    QTest::newRow("smaller, sub-topic") << true << 6 << 2 << 900 / 15.0 << 6175 / 15.0 << -1.0;
    QTest::newRow("smaller, NIST sub-topic") << true << 6 << 1 << 900 / 15.0 << 5730 / 15.0 << 6700 / 15.0;
    QTest::newRow("full, topic") << false << 0 << -1 << 0.05 << 0.9 << -1.0;
    QTest::newRow("full, key information") << false << 4 << -1 << 0.05 << 0.86 << 0.92;
    QTest::newRow("full, sub-topic") << false << 6 << 3 << 0.135 << 0.815 << -1.0;
    QTest::newRow("full, NIST sub-topic") << false << 6 << 1 << 0.135 << 0.76 << 0.905;
}

void TestInfoAdv::viewerPlaces()
{
    QFETCH(bool, smaller);
    QFETCH(int, topic);
    QFETCH(int, subTopic);
    QFETCH(qreal, top);
    QFETCH(qreal, height);
    QFETCH(qreal, nistTop);
    AdvisorFixture f(smaller);
    f.screen->topicButtons()->button(topic)->click();
    if (subTopic >= 0)
        f.screen->subTopicButtons()->button(subTopic)->click();
    QCoreApplication::processEvents();
    const int panel = f.screen->documentArea()->height();
    if (!smaller) {
        // The main panel takes 0.824 of the window's height.
        QVERIFY2(qAbs(f.screen->mainPanel()->height() - 0.824 * f.screen->height()) <= 1,
                 qPrintable(QStringLiteral("%1 of %2").arg(f.screen->mainPanel()->height()).arg(f.screen->height())));
        top *= panel;
        height *= panel;
        nistTop *= panel;
    }
    QVERIFY2(qAbs(f.viewerPlace().top() - top) <= 1, qPrintable(QString::number(f.viewerPlace().top())));
    QVERIFY2(qAbs(f.viewerPlace().height() - height) <= 1, qPrintable(QString::number(f.viewerPlace().height())));
    if (nistTop < 0) {
        QVERIFY(!f.screen->nistButton()->isVisible());
    } else {
        QVERIFY(qAbs(f.screen->nistButton()->y() - nistTop) <= 1);
        QVERIFY(f.screen->nistButton()->geometry().bottom() < panel);
        QVERIFY(f.screen->nistButton()->y() > f.viewerPlace().bottom());
    }
    QVERIFY(f.viewerPlace().bottom() < panel);
}

void TestInfoAdv::nistButtonAddresses()
{
    AdvisorFixture f;
    f.screen->topicButtons()->button(4)->click();
    QTest::mouseClick(f.screen->nistButton(), Qt::LeftButton);
    f.screen->topicButtons()->button(6)->click();
    f.screen->subTopicButtons()->button(1)->click();
    QTest::mouseClick(f.screen->nistButton(), Qt::LeftButton);
    QCOMPARE(f.test.urlOpener->urls,
             (QList<QUrl>{QUrl(QStringLiteral("https://nvlpubs.nist.gov/nistpubs/SpecialPublications/NIST.SP.800-66r2.pdf")),
                          QUrl(QStringLiteral("https://csrc.nist.gov/publications/sp800"))}));
    QVERIFY(f.test.prompt->questions.isEmpty());
}

void TestInfoAdv::nistHandOffFailureWarns()
{
    AdvisorFixture f;
    f.screen->topicButtons()->button(4)->click();
    f.test.urlOpener->result = false;
    QTest::mouseClick(f.screen->nistButton(), Qt::LeftButton);
    // The address that could not be opened is shown, to be copied.
    QCOMPARE(f.test.linkNotice->addresses, f.test.urlOpener->urls);
    QCOMPARE(f.test.linkNotice->addresses.size(), 1);
    QVERIFY(f.test.prompt->questions.isEmpty());
    QCOMPARE(f.screen->currentTopic(), 4);
}

void TestInfoAdv::printsTheDocumentShownThroughThePrintPanel()
{
    AdvisorFixture f;
    f.screen->topicButtons()->button(4)->click();
    const QString shown = f.shown();
    QVERIFY(!shown.isEmpty());
    QVERIFY(f.screen->printEntry()->isEnabled());
    QCOMPARE(f.screen->printEntry()->shortcut(), QKeySequence(QKeySequence::Print));
    f.screen->printEntry()->trigger();
    PrintPanel *panel = f.screen->printing()->panel();
    QVERIFY(panel->isOpen());
    QVERIFY(panel->surface()->pageText(0).contains(shown.left(10)));
    QVERIFY(!panel->sectionFrameVisible());
    QVERIFY(!panel->fontBoxesVisible());
    QVERIFY(panel->button(PrintPanel::SaveAsPdfButton)->isVisible());
    QCOMPARE(f.screen->f1HelpTopic(), HelpTopic::PrintPreview);
    // In the open panel "&Print" prints; Esc closes the panel, not the screen.
    f.printServices->printerAnswers.enqueue(std::nullopt);
    f.screen->printEntry()->trigger();
    QCOMPARE(f.printServices->printDialogs, 1);
    QTest::keyClick(f.screen, Qt::Key_Escape);
    QVERIFY(!panel->isOpen());
    QVERIFY(f.test.prompt->questions.isEmpty());
}

void TestInfoAdv::missingDocumentKeepsPrevious()
{
    AdvisorFixture f;
    QVERIFY(QFile::remove(f.content.filePath(QStringLiteral("Misc5.Fl1"))));
    f.screen->topicButtons()->button(9)->click();
    QCOMPARE(f.shown(), QStringLiteral("Document Misc3.Fl1"));
    QCOMPARE(f.screen->windowTitle(), QStringLiteral("Information Advisor - The HIPAA Security Rule Timeline"));
    QVERIFY(f.screen->topicButtons()->button(9)->isChosen());
    QVERIFY(f.test.prompt->questions.isEmpty());
}

void TestInfoAdv::escapeAsksExitQuestion()
{
    AdvisorFixture f;
    f.screen->topicButtons()->button(6)->click();
    f.test.prompt->enqueue(Answer::Cancel);
    QTest::keyClick(f.screen->viewer()->editor(), Qt::Key_Escape);
    QCOMPARE(f.test.prompt->questions.size(), 1);
    QCOMPARE(f.test.prompt->questions.first().text, QStringLiteral("Exit Sentrivo?"));
    QVERIFY(f.screen->isVisible());
    QTest::keyClick(f.screen, Qt::Key_F1);
    QCOMPARE(f.test.helpViewer->topics, QList<int>{HelpTopic::InformationAdvisor});
}

QTEST_MAIN(TestInfoAdv)
#include "tst_infoadv.moc"
