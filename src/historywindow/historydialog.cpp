#include "historywindow/historydialog.h"

#include "history/documenthistory.h"
#include "platform/database/workbookdatabase.h"
#include "history/documenttext.h"
#include "history/versionlistmodel.h"
#include "history/worddiff.h"
#include "platform/rtf/rtf.h"
#include "platform/services/busycursor.h"
#include "platform/services/services.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {
QString timeCaption(const VersionStore::Version &version)
{
    return version.savedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}
} // namespace

HistoryDialog::HistoryDialog(DocumentHistory &history, std::shared_ptr<Prompt> prompt, const QString &documentPath,
                             const QString &documentTitle, QWidget *parent)
    : QDialog(parent)
    , m_history(history)
    , m_prompt(std::move(prompt))
    , m_path(documentPath)
    , m_document(QFileInfo(documentPath).fileName())
{
    setObjectName(QStringLiteral("HistoryDialog"));
    setWindowTitle(QStringLiteral("History - %1").arg(documentTitle));
    m_model = new VersionListModel(this);

    auto *splitter = new QSplitter(Qt::Vertical, this);
    m_list = new QTableView(splitter);
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setAlternatingRowColors(true);
    auto *viewerPane = new QWidget(splitter);
    auto *viewerLayout = new QVBoxLayout(viewerPane);
    viewerLayout->setContentsMargins(0, 0, 0, 0);
    m_viewerCaption = new QLabel(QStringLiteral("Choose a version and press Open, or two versions and press Compare."),
                                 viewerPane);
    m_viewerCaption->setWordWrap(true);
    m_viewer = new QTextBrowser(viewerPane);
    m_viewer->setReadOnly(true);
    viewerLayout->addWidget(m_viewerCaption);
    viewerLayout->addWidget(m_viewer, 1);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);

    auto *buttons = new QDialogButtonBox(this);
    m_open = buttons->addButton(QStringLiteral("&Open"), QDialogButtonBox::ActionRole);
    m_compare = buttons->addButton(QStringLiteral("&Compare"), QDialogButtonBox::ActionRole);
    m_restore = buttons->addButton(QStringLiteral("&Restore..."), QDialogButtonBox::ActionRole);
    QPushButton *close = buttons->addButton(QDialogButtonBox::Close);
    m_help = buttons->addButton(QDialogButtonBox::Help);
    m_help->hide();
    connect(m_help, &QPushButton::clicked, this, [this] {
        if (m_showHelp)
            m_showHelp();
    });
    connect(m_open, &QPushButton::clicked, this, &HistoryDialog::openSelected);
    connect(m_compare, &QPushButton::clicked, this, &HistoryDialog::compareSelected);
    connect(m_restore, &QPushButton::clicked, this, &HistoryDialog::restoreSelected);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list, &QTableView::doubleClicked, this, &HistoryDialog::openSelected);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addWidget(buttons);
    resize(760, 560);

    reload();
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &HistoryDialog::updateButtons);
    updateButtons();
}

void HistoryDialog::setHelp(std::function<void()> showHelp)
{
    m_showHelp = std::move(showHelp);
    m_help->setVisible(bool(m_showHelp));
}

void HistoryDialog::reload()
{
    QString error;
    m_model->setVersions(m_history.versions(m_document, &error));
    if (!error.isEmpty())
        m_viewerCaption->setText(QStringLiteral("The history could not be read: ") + error);
    else if (m_model->rowCount() == 0)
        m_viewerCaption->setText(QStringLiteral("No version of this document has been kept yet."));
    m_list->resizeColumnsToContents();
    if (m_model->rowCount() > 0)
        m_list->selectRow(0);
    updateButtons();
}

QList<int> HistoryDialog::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_list->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void HistoryDialog::updateButtons()
{
    const int count = int(selectedRows().size());
    m_open->setEnabled(count == 1);
    m_compare->setEnabled(count == 2 || (count == 1 && selectedRows().first() + 1 < m_model->rowCount()));
    m_restore->setEnabled(count == 1 && !m_history.database()->isReadOnly());
}

bool HistoryDialog::plainTextOf(int row, QString *text)
{
    QByteArray bytes;
    QString error;
    if (!m_history.content(m_model->versionAt(row).id, &bytes, &error)) {
        m_viewer->clear();
        m_viewerCaption->setText(QStringLiteral("This version cannot be shown: ") + error);
        return false;
    }
    *text = DocumentText::plainText(m_document, bytes);
    return true;
}

void HistoryDialog::openSelected()
{
    const QList<int> rows = selectedRows();
    if (rows.size() != 1)
        return;
    const VersionStore::Version &version = m_model->versionAt(rows.first());
    QByteArray bytes;
    QString error;
    if (!m_history.content(version.id, &bytes, &error)) {
        m_viewer->clear();
        m_viewerCaption->setText(QStringLiteral("This version cannot be shown: ") + error);
        return;
    }
    if (Rtf::looksLikeRtf(bytes)) {
        QTextDocument document;
        Rtf::read(bytes, &document);
        m_viewer->setHtml(document.toHtml());
    } else {
        m_viewer->setPlainText(DocumentText::plainText(m_document, bytes));
    }
    m_viewerCaption->setText(QStringLiteral("The version of %1 by %2 (read-only)")
                                 .arg(timeCaption(version), version.author.isEmpty() ? QStringLiteral("(no name)")
                                                                                     : version.author));
}

void HistoryDialog::compareSelected()
{
    QList<int> rows = selectedRows();
    if (rows.size() == 1 && rows.first() + 1 < m_model->rowCount())
        rows << rows.first() + 1;   // with the version before it
    if (rows.size() != 2)
        return;
    // Newest first: the larger row is the older version.
    const int newerRow = rows.first();
    const int olderRow = rows.last();
    QString older, newer;
    if (!plainTextOf(olderRow, &older) || !plainTextOf(newerRow, &newer))
        return;
    BusyCursor busy;
    const QList<WordDiff::Segment> segments = WordDiff::compare(older, newer);
    const WordDiff::Counts counts = WordDiff::count(segments);
    m_viewer->setHtml(WordDiff::toHtml(segments));
    m_viewerCaption->setText(QStringLiteral("From the version of %1 to the version of %2: %3 words inserted "
                                            "(underlined), %4 deleted (struck through)")
                                 .arg(timeCaption(m_model->versionAt(olderRow)),
                                      timeCaption(m_model->versionAt(newerRow)))
                                 .arg(counts.added)
                                 .arg(counts.removed));
}

void HistoryDialog::restoreSelected()
{
    const QList<int> rows = selectedRows();
    if (rows.size() != 1)
        return;
    const VersionStore::Version version = m_model->versionAt(rows.first());
    const Prompt::Answer answer = m_prompt->ask(
        this, Prompt::Icon::Question, kRestoreTitle,
        QStringLiteral("Restore the version of %1?\n\nThe current content of %2 is kept in its history first, "
                       "and the restore is kept as a version of its own.")
            .arg(timeCaption(version), m_document),
        Prompt::Buttons::YesNo, Prompt::Answer::No);
    if (answer != Prompt::Answer::Yes)
        return;
    QString error;
    bool ok = false;
    bool replaced = false;
    {
        BusyCursor busy;
        ok = m_history.restore(m_path, version.id, &error, &replaced);
    }
    m_restored = m_restored || replaced;
    if (!ok) {
        m_prompt->ask(this, Prompt::Icon::Critical, kRestoreTitle,
                      QStringLiteral("The version could not be restored:\n\n%1").arg(error), Prompt::Buttons::Ok);
        reload();
        return;
    }
    m_restored = true;
    reload();
}
