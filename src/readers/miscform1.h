#pragma once

#include "readers/readerscreen.h"

class DocumentViewer;
class LinkPage;
class PlacedArea;
class QAction;
class QPushButton;
class ReaderPrint;
class TopicButtonGroup;

// The Miscellaneous screen: the disclaimer, the program information, a page
// of web links, the risk-analysis worksheet template and the sample incident
// report. The last two can be copied and printed; the first three cannot be
// copied at all.
class Miscform1 : public ReaderScreen
{
    Q_OBJECT
public:
    Miscform1(ScreenEnvironment &environment, MainScreen *hub);

    int screenHelpTopic() const override;
    int f1HelpTopic() const override;

    void chooseTopic(int topic);
    void copyToClipboard();
    // The "&Print" button and the Options menu's "&Print": the whole
    // document, with a top margin of 260 and 100 twips respectively.
    void printFromButton();
    void printFromMenu();
    void chooseSwitchingEntry(int index) override;

    int currentTopic() const { return currentTopic_; }
    bool topicCanBeCopied() const;
    DocumentViewer *viewer() const { return viewer_; }
    LinkPage *linkPage() const { return linkPage_; }
    ReaderPrint *printing() const { return print_; }
    TopicButtonGroup *topicButtons() const { return topics_; }
    QPushButton *copyButton() const { return copyButton_; }
    QPushButton *printButton() const { return printButton_; }
    QAction *copyEntry() const { return copyEntry_; }
    QAction *printEntry() const { return printEntry_; }
    QWidget *documentArea() const;

protected:
    void handleEscape() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildOptionsEntries();
    void place();
    bool printPanelShown() const;
    void printDocument(int topMargin);

    DocumentViewer *viewer_ = nullptr;
    LinkPage *linkPage_ = nullptr;
    ReaderPrint *print_ = nullptr;
    TopicButtonGroup *topics_ = nullptr;
    PlacedArea *area_ = nullptr;
    QWidget *commandRow_ = nullptr;
    QPushButton *copyButton_ = nullptr;
    QPushButton *printButton_ = nullptr;
    QAction *copySeparator_ = nullptr;
    QAction *copyEntry_ = nullptr;
    QAction *printSeparator_ = nullptr;
    QAction *printEntry_ = nullptr;
    int currentTopic_ = -1;
};
