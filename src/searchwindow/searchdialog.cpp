#include "searchwindow/searchdialog.h"

#include "searchwindow/searchresultsmodel.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// Draws a result's title and snippet as rich text (the words found in bold).
class SnippetDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QString html = index.data(SearchResultsModel::HtmlRole).toString();
        if (html.isEmpty()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        item.text.clear();
        QStyle *style = item.widget ? item.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
        QTextDocument document;
        document.setDefaultFont(option.font);
        document.setHtml(html);
        document.setTextWidth(option.rect.width());
        painter->save();
        painter->translate(option.rect.topLeft());
        document.drawContents(painter, QRectF(0, 0, option.rect.width(), option.rect.height()));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QString html = index.data(SearchResultsModel::HtmlRole).toString();
        if (html.isEmpty())
            return QStyledItemDelegate::sizeHint(option, index);
        QTextDocument document;
        document.setDefaultFont(option.font);
        document.setHtml(html);
        document.setTextWidth(option.rect.width() > 0 ? option.rect.width() : 600);
        return QSize(int(document.idealWidth()), int(document.size().height()) + 4);
    }
};

} // namespace

SearchDialog::SearchDialog(const WorkbookDatabase &database, Opener opener, QWidget *parent)
    : QDialog(parent)
    , m_database(database)
    , m_opener(std::move(opener))
{
    setObjectName(QStringLiteral("SearchDialog"));
    setWindowTitle(QStringLiteral("Search"));
    m_query = new QLineEdit(this);
    m_query->setPlaceholderText(QStringLiteral("Words, a word* for every word it begins, \"a phrase\""));
    auto *searchButton = new QPushButton(QStringLiteral("&Search"), this);
    m_shipped = new QCheckBox(QStringLiteral("Include the shipped &texts (reference texts, rule sections, advisor "
                                             "and miscellaneous documents)"),
                              this);
    m_summary = new QLabel(this);
    m_model = new SearchResultsModel(this);
    m_results = new QTreeView(this);
    m_results->setModel(m_model);
    m_results->setHeaderHidden(true);
    m_results->setItemDelegate(new SnippetDelegate(m_results));
    m_results->setUniformRowHeights(false);
    m_results->setWordWrap(true);
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto *queryRow = new QHBoxLayout;
    queryRow->addWidget(new QLabel(QStringLiteral("Find:"), this));
    queryRow->addWidget(m_query, 1);
    queryRow->addWidget(searchButton);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *openButton = buttons->addButton(QStringLiteral("&Open"), QDialogButtonBox::ActionRole);
    m_help = buttons->addButton(QDialogButtonBox::Help);
    m_help->hide();
    m_help->setAutoDefault(false);
    connect(m_help, &QPushButton::clicked, this, [this] {
        if (m_showHelp)
            m_showHelp();
    });
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(queryRow);
    layout->addWidget(m_shipped);
    layout->addWidget(m_summary);
    layout->addWidget(m_results, 1);
    layout->addWidget(buttons);
    resize(720, 520);

    connect(searchButton, &QPushButton::clicked, this, &SearchDialog::search);
    connect(m_query, &QLineEdit::returnPressed, this, &SearchDialog::search);
    connect(m_shipped, &QCheckBox::toggled, this, [this] {
        if (!m_query->text().trimmed().isEmpty())
            search();
    });
    connect(m_results, &QTreeView::doubleClicked, this, &SearchDialog::openCurrent);
    connect(openButton, &QPushButton::clicked, this, &SearchDialog::openCurrent);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Enter belongs to the box (it searches) and to the list (it opens):
    // no button of the dialog takes it, Close least of all.
    searchButton->setAutoDefault(false);
    m_results->installEventFilter(this);
    openButton->setAutoDefault(false);
    buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);
}

void SearchDialog::setHelp(std::function<void()> showHelp)
{
    m_showHelp = std::move(showHelp);
    m_help->setVisible(bool(m_showHelp));
}

void SearchDialog::search()
{
    const SearchIndex::QueryReport report = SearchIndex::query(m_database, m_query->text(), m_shipped->isChecked());
    m_terms = report.terms;
    m_model->setResults(report.results);
    m_results->expandAll();
    switch (report.outcome) {
    case SearchIndex::QueryOutcome::Results:
        m_summary->setText(QStringLiteral("%1 found, best first. Enter or a double-click opens one.")
                               .arg(report.results.size() == 1 ? QStringLiteral("1 document")
                                                               : QStringLiteral("%1 documents")
                                                                     .arg(report.results.size())));
        m_results->setCurrentIndex(m_model->index(0, 0, m_model->index(0, 0)));
        break;
    case SearchIndex::QueryOutcome::NoResults: m_summary->setText(QStringLiteral("Nothing found.")); break;
    case SearchIndex::QueryOutcome::Unparsable:
        m_summary->setText(QStringLiteral("This cannot be searched for: %1.").arg(report.reason));
        break;
    case SearchIndex::QueryOutcome::Failed:
        m_summary->setText(QStringLiteral("The search failed: %1").arg(report.reason));
        break;
    }
}

void SearchDialog::openCurrent()
{
    const SearchIndex::Result *result = m_model->resultAt(m_results->currentIndex());
    if (!result || !m_opener)
        return;
    const SearchIndex::Document document = result->document;
    const QStringList terms = m_terms;
    accept();
    m_opener(document, terms);
}

bool SearchDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_results && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openCurrent();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
