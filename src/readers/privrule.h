#pragma once

#include "readers/readerscreen.h"

#include <QList>

class DocumentSearch;
class DocumentViewer;
class QAction;
class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;
class ReaderPrint;
class SearchPanel;

// The Security Rule reader: the final rule in 25 sections, chosen from the
// list at the right, read in the viewer, searched word by word, shown in
// another font, printed and copied as rich text. Nothing here is saved but
// the print preview's guide-line choice.
class PrivRule : public ReaderScreen
{
    Q_OBJECT
public:
    PrivRule(ScreenEnvironment &environment, MainScreen *hub);

    int screenHelpTopic() const override;
    int f1HelpTopic() const override;

    // The operations of the screen, as its buttons and menu entries run them.
    void chooseSection(int section);
    void toggleSearchPanel();
    void closeSearchPanel();
    void runSearch();
    void fontDisplay();
    void copyToClipboard();
    void clear();
    // "&Print": the selection if there is one, else the whole section.
    void print();
    void chooseSwitchingEntry(int index) override;

    int currentSection() const { return currentSection_; }
    DocumentViewer *viewer() const { return viewer_; }
    DocumentSearch *search() const { return search_; }
    SearchPanel *searchPanel() const { return searchPanel_; }
    ReaderPrint *printing() const { return print_; }
    QRadioButton *sectionButton(int section) const { return sectionButtons_.at(section); }
    QPushButton *fontDisplayButton() const { return fontDisplayButton_; }
    QPushButton *printButton() const { return printButton_; }
    QPushButton *searchButton() const { return searchButton_; }
    QPushButton *clearButton() const { return clearButton_; }
    QAction *copyEntry() const { return copyEntry_; }
    QAction *fontDisplayEntry() const { return fontDisplayEntry_; }
    QAction *printEntry() const { return printEntry_; }
    QAction *searchEntry() const { return searchEntry_; }

protected:
    void handleEscape() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildSectionColumn(QWidget *parent);
    void buildOptionsEntries();
    void drawSectionCaptions(int chosen);
    void enableSectionCommands(bool enabled);
    bool printPanelShown() const;

    DocumentViewer *viewer_ = nullptr;
    DocumentSearch *search_ = nullptr;
    SearchPanel *searchPanel_ = nullptr;
    ReaderPrint *print_ = nullptr;
    QGroupBox *sectionFrame_ = nullptr;
    QButtonGroup *sectionGroup_ = nullptr;
    QList<QRadioButton *> sectionButtons_;
    QPushButton *fontDisplayButton_ = nullptr;
    QPushButton *printButton_ = nullptr;
    QPushButton *searchButton_ = nullptr;
    QPushButton *clearButton_ = nullptr;
    QAction *copyEntry_ = nullptr;
    QAction *fontDisplayEntry_ = nullptr;
    QAction *printEntry_ = nullptr;
    QAction *searchEntry_ = nullptr;
    int currentSection_ = -1;
};
