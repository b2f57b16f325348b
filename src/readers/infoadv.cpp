#include "readers/infoadv.h"

#include "platform/editor/richtexteditor.h"
#include "printing/printpanel.h"
#include "readers/documentviewer.h"
#include "readers/readerprint.h"
#include "readers/readertables.h"
#include "readers/topicbuttons.h"
#include "screens/helptopics.h"

#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QMenu>
#include <QHBoxLayout>
#include <QPushButton>

using ReaderLayout::AdvisorView;

namespace {

constexpr int kSideMargin = 4;
constexpr int kNistButtonHeight = 28;

} // namespace

InfoAdv::InfoAdv(ScreenEnvironment &environment, MainScreen *hub)
    : ReaderScreen(environment, ScreenIndex::InformationAdvisor, QStringLiteral("Information Advisor"), hub)
{
    setObjectName(QStringLiteral("InfoAdv"));
    setUpBody(ReaderLayout::kAdvisorPanelShare);

    area_ = setUpTopicColumn(ReaderTables::captionsOf(ReaderTables::advisorTopics()), &topics_);
    viewer_ = new DocumentViewer(contentFolder(), area_);

    subTopicFrame_ = new QGroupBox(QStringLiteral("Risk Analysis Selections"), area_);
    subTopicFrame_->setObjectName(QStringLiteral("riskAnalysisSelections"));
    auto *frameLayout = new QHBoxLayout(subTopicFrame_);
    frameLayout->setContentsMargins(4, 0, 4, 1);
    subTopics_ = new TopicButtonGroup(ReaderTables::captionsOf(ReaderTables::riskAnalysisSubTopics()), Qt::Horizontal,
                                      subTopicFrame_);
    subTopics_->setObjectName(QStringLiteral("subTopicButtons"));
    frameLayout->addWidget(subTopics_);
    subTopicFrame_->hide();

    nistButton_ = new QPushButton(area_);
    nistButton_->setObjectName(QStringLiteral("nistButton"));
    nistButton_->hide();
    area_->place = [this] { place(); };

    connect(topics_, &TopicButtonGroup::pressed, this, &InfoAdv::chooseTopic);
    connect(subTopics_, &TopicButtonGroup::pressed, this, &InfoAdv::chooseSubTopic);
    connect(nistButton_, &QPushButton::clicked, this, &InfoAdv::openNistPage);

    m_print = new ReaderPrint(workbook(), environment.services, environment.printServices,
                              QStringLiteral("Print Current Document"), centralWidget());
    setNoOptionsMenuArea(m_print->panel());

    addSwitchingEntries(QStringLiteral("&Exit Program"));
    optionsMenu()->addSeparator();
    m_printEntry = optionsMenu()->addAction(QStringLiteral("&Print"), this, &InfoAdv::printDocument);
    m_printEntry->setShortcut(QKeySequence::Print);
    buildSharedMenus(QStringLiteral("Utilities"), QStringLiteral("&Information Advisor"), true);

    // The screen always opens on "Addressable Safeguards".
    topics_->markChosen(-1);
    subTopics_->markChosen(0);
    markScreenButton(ownIndex());
    chooseTopic(0);
}

int InfoAdv::screenHelpTopic() const
{
    return HelpTopic::InformationAdvisor;
}

int InfoAdv::f1HelpTopic() const
{
    return printPanelShown() ? HelpTopic::PrintPreview : HelpTopic::InformationAdvisor;
}

bool InfoAdv::printPanelShown() const
{
    return m_print && m_print->isOpen();
}

void InfoAdv::printDocument()
{
    if (printPanelShown()) {
        m_print->panel()->printDocument();
        return;
    }
    m_print->print(viewer_->editor()->rtf(), PrintMargins{200, 100, 100, 100}, windowTitle());
}

void InfoAdv::chooseSwitchingEntry(int index)
{
    if (printPanelShown()) {
        m_print->close();
        QCoreApplication::processEvents();
    }
    pressScreenButton(index);
}

void InfoAdv::handleEscape()
{
    if (m_print->escape())
        return;
    pressScreenButton(ScreenIndex::ExitProgram);
}

void InfoAdv::setView(AdvisorView view)
{
    view_ = view;
    place();
}

void InfoAdv::place()
{
    const auto placement = ReaderLayout::advisorPlacement(view_, smallerDisplay(), area_->height());
    const int width = area_->width() - 2 * kSideMargin;
    viewer_->setGeometry(kSideMargin, placement.viewer.top, width, placement.viewer.height);
    subTopicFrame_->setGeometry(kSideMargin, placement.subTopicFrame.top, width, placement.subTopicFrame.height);
    if (placement.nistTop >= 0) {
        const int buttonWidth = qMin(width, nistButton_->sizeHint().width() + 24);
        nistButton_->setGeometry(kSideMargin + (width - buttonWidth) / 2, placement.nistTop, buttonWidth,
                                 kNistButtonHeight);
    }
}

void InfoAdv::chooseTopic(int topic)
{
    if (topic < 0 || topic >= ReaderTables::kAdvisorTopicCount)
        return;
    const auto &row = ReaderTables::advisorTopics()[topic];
    currentTopic_ = topic;
    nistButton_->hide();
    topics_->markChosen(topic);
    setWindowTitle(baseCaption() + QString::fromLatin1(row.captionPart));
    subTopicFrame_->hide();
    setView(AdvisorView::Topic);
    // A document that cannot be read leaves the previous one in view.
    if (row.document)
        viewer_->loadDocument(QString::fromLatin1(row.document), DocumentViewer::OnFailure::KeepPrevious);
    if (topic == ReaderTables::kKeyInformationTopic) {
        nistButton_->setText(QString::fromLatin1(ReaderTables::kNistResourceGuideCaption));
        setView(AdvisorView::TopicWithNist);
        nistButton_->show();
        nistButton_->raise();
    }
    if (topic == ReaderTables::kRiskAnalysisTopic) {
        subTopicFrame_->show();
        chooseSubTopic(0);
    }
}

void InfoAdv::chooseSubTopic(int subTopic)
{
    if (subTopic < 0 || subTopic >= ReaderTables::kRiskAnalysisSubTopicCount)
        return;
    const auto &row = ReaderTables::riskAnalysisSubTopics()[subTopic];
    currentSubTopic_ = subTopic;
    nistButton_->hide();
    subTopics_->markChosen(subTopic);
    setView(AdvisorView::SubTopic);
    viewer_->loadDocument(QString::fromLatin1(row.document), DocumentViewer::OnFailure::KeepPrevious);
    if (subTopic == ReaderTables::kNistRecommendationsSubTopic) {
        nistButton_->setText(QString::fromLatin1(ReaderTables::kNistWebsiteCaption));
        setView(AdvisorView::SubTopicWithNist);
        nistButton_->show();
        nistButton_->raise();
    }
    setWindowTitle(baseCaption() + QString::fromLatin1(ReaderTables::advisorTopics()[ReaderTables::kRiskAnalysisTopic].captionPart)
                   + QStringLiteral(" - ") + QString::fromLatin1(row.caption));
}

void InfoAdv::openNistPage()
{
    const QUrl target = currentTopic_ == ReaderTables::kKeyInformationTopic ? ReaderTables::nistResourceGuideUrl()
                                                                            : ReaderTables::nistPublicationsIndexUrl();
    openLinkOrSaySo(environment().services, this, target);
}
