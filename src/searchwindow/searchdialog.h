#pragma once

#include "search/searchindex.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTreeView;
class SearchResultsModel;
class WorkbookDatabase;

// "Search": one search over the user's documents and, with the box
// checked, the shipped texts. Enter or a double-click on a result hands it
// to the opener (which switches as a button press does) and closes.
class SearchDialog : public QDialog
{
    Q_OBJECT
public:
    using Opener = std::function<void(const SearchIndex::Document &document, const QStringList &terms)>;

    SearchDialog(const WorkbookDatabase &database, Opener opener, QWidget *parent = nullptr);

    QLineEdit *queryBox() const { return m_query; }
    QCheckBox *shippedBox() const { return m_shipped; }
    QTreeView *resultList() const { return m_results; }
    SearchResultsModel *model() const { return m_model; }
    QLabel *summary() const { return m_summary; }

    // What the Help button shows (the button is hidden while unset).
    void setHelp(std::function<void()> showHelp);
    void search();
    void openCurrent();

protected:
    // Enter on the list opens the item.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const WorkbookDatabase &m_database;
    Opener m_opener;
    QLineEdit *m_query = nullptr;
    QCheckBox *m_shipped = nullptr;
    QTreeView *m_results = nullptr;
    QLabel *m_summary = nullptr;
    SearchResultsModel *m_model = nullptr;
    QStringList m_terms;
    QPushButton *m_help = nullptr;
    std::function<void()> m_showHelp;
};
