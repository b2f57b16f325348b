#pragma once

#include "readers/readerlayout.h"
#include "readers/readerscreen.h"

class DocumentViewer;
class QAction;
class ReaderPrint;
class QGroupBox;
class QPushButton;
class TopicButtonGroup;

// The Information Advisor: ten guidance topics, the four risk-analysis
// documents under "Risk Analysis", and a button that opens a NIST
// publication in the user's browser. It only reads; the document shown
// prints (or is saved as PDF) through the readers' print panel.
class InfoAdv : public ReaderScreen
{
    Q_OBJECT
public:
    InfoAdv(ScreenEnvironment &environment, MainScreen *hub);

    int screenHelpTopic() const override;
    int f1HelpTopic() const override;
    void chooseSwitchingEntry(int index) override;

    // The Options menu's "&Print" (Ctrl+P): the document shown, in the print
    // panel; in the open panel, it prints.
    void printDocument();
    bool printPanelShown() const;
    ReaderPrint *printing() const { return m_print; }
    QAction *printEntry() const { return m_printEntry; }

    void chooseTopic(int topic);
    void chooseSubTopic(int subTopic);
    void openNistPage();

    int currentTopic() const { return currentTopic_; }
    int currentSubTopic() const { return currentSubTopic_; }
    ReaderLayout::AdvisorView view() const { return view_; }
    DocumentViewer *viewer() const { return viewer_; }
    TopicButtonGroup *topicButtons() const { return topics_; }
    TopicButtonGroup *subTopicButtons() const { return subTopics_; }
    QGroupBox *subTopicFrame() const { return subTopicFrame_; }
    QPushButton *nistButton() const { return nistButton_; }
    QWidget *documentArea() const { return area_; }

protected:
    void handleEscape() override;

private:
    void setView(ReaderLayout::AdvisorView view);
    void place();

    DocumentViewer *viewer_ = nullptr;
    TopicButtonGroup *topics_ = nullptr;
    TopicButtonGroup *subTopics_ = nullptr;
    QGroupBox *subTopicFrame_ = nullptr;
    QPushButton *nistButton_ = nullptr;
    PlacedArea *area_ = nullptr;
    ReaderPrint *m_print = nullptr;
    QAction *m_printEntry = nullptr;
    int currentTopic_ = -1;
    int currentSubTopic_ = 0;
    ReaderLayout::AdvisorView view_ = ReaderLayout::AdvisorView::Topic;
};
