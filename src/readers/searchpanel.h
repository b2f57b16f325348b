#pragma once

#include <QFrame>

class QLineEdit;
class QPushButton;

// The search panel of the Security Rule reader: the words to look for and
// its "&Search" and "&Close" buttons. The screen runs the search.
class SearchPanel : public QFrame
{
    Q_OBJECT
public:
    explicit SearchPanel(QWidget *parent = nullptr);

    QLineEdit *searchText() const { return searchText_; }
    QPushButton *searchButton() const { return searchButton_; }
    QPushButton *closeButton() const { return closeButton_; }

Q_SIGNALS:
    void searchRequested();
    void closeRequested();
    void searchTextChanged();

private:
    QLineEdit *searchText_;
    QPushButton *searchButton_;
    QPushButton *closeButton_;
};
