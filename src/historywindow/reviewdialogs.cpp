#include "historywindow/reviewdialogs.h"

#include "platform/database/workbookdatabase.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

MarkReviewedDialog::MarkReviewedDialog(const QList<ReviewStore::Review> &earlier, const QString &itemTitle,
                                       const QString &reviewer, const QDate &today, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("MarkReviewedDialog"));
    setWindowTitle(QStringLiteral("Mark Reviewed - %1").arg(itemTitle));
    m_reviewer = new QLineEdit(reviewer, this);
    m_date = new QDateEdit(today, this);
    m_date->setCalendarPopup(true);
    m_date->setMaximumDate(today);
    m_note = new QPlainTextEdit(this);
    m_note->setTabChangesFocus(true);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Reviewer:"), m_reviewer);
    form->addRow(QStringLiteral("&Date:"), m_date);
    form->addRow(QStringLiteral("&Note:"), m_note);

    auto *history = new QListWidget(this);
    for (const ReviewStore::Review &review : earlier)
        history->addItem(QStringLiteral("%1  %2%3")
                             .arg(QLocale().toString(review.reviewedOn, QLocale::ShortFormat), review.reviewer,
                                  review.note.isEmpty() ? QString() : QStringLiteral(": ") + review.note.simplified()));
    if (earlier.isEmpty())
        history->addItem(QStringLiteral("(never reviewed)"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton *signOff = buttons->addButton(QStringLiteral("&Sign Off"), QDialogButtonBox::AcceptRole);
    signOff->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (!m_reviewer->text().trimmed().isEmpty())
            accept();
        else
            m_reviewer->setFocus();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_reviewer, &QLineEdit::textChanged, signOff,
            [signOff](const QString &text) { signOff->setEnabled(!text.trimmed().isEmpty()); });
    signOff->setEnabled(!reviewer.trimmed().isEmpty());

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("Earlier reviews:"), this));
    layout->addWidget(history);
    layout->addWidget(buttons);
    resize(480, 420);
}

ReviewStore::Review MarkReviewedDialog::review() const
{
    ReviewStore::Review review;
    review.reviewer = m_reviewer->text().trimmed();
    review.reviewedOn = m_date->date();
    review.note = m_note->toPlainText().trimmed();
    return review;
}

int ReviewsDueDialog::intervalMonths(const WorkbookDatabase &database)
{
    bool ok = false;
    const int months = database.setting(QLatin1String(ReviewStore::kIntervalSetting)).toInt(&ok);
    return ok && months > 0 ? months : ReviewStore::kDefaultIntervalMonths;
}

ReviewsDueDialog::ReviewsDueDialog(WorkbookDatabase &database, QList<Item> items, const QDate &today,
                                   Opener opener, QWidget *parent)
    : QDialog(parent)
    , m_database(database)
    , m_items(std::move(items))
    , m_today(today)
    , m_opener(std::move(opener))
{
    setObjectName(QStringLiteral("ReviewsDueDialog"));
    setWindowTitle(QStringLiteral("Reviews Due"));
    m_interval = new QSpinBox(this);
    m_interval->setRange(1, 60);
    m_interval->setSuffix(QStringLiteral(" months"));
    m_interval->setValue(intervalMonths(database));
    m_model = new QStandardItemModel(this);
    m_list = new QTableView(this);
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setStretchLastSection(true);

    auto *intervalRow = new QHBoxLayout;
    intervalRow->addWidget(new QLabel(QStringLiteral("Review &every:"), this));
    static_cast<QLabel *>(intervalRow->itemAt(0)->widget())->setBuddy(m_interval);
    intervalRow->addWidget(m_interval);
    intervalRow->addStretch(1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *open = buttons->addButton(QStringLiteral("&Open"), QDialogButtonBox::ActionRole);
    open->setAutoDefault(false);
    connect(open, &QPushButton::clicked, this, &ReviewsDueDialog::openCurrent);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTableView::doubleClicked, this, &ReviewsDueDialog::openCurrent);
    m_list->installEventFilter(this);
    connect(m_interval, &QSpinBox::valueChanged, this, [this](int months) {
        m_database.setSetting(QLatin1String(ReviewStore::kIntervalSetting), QString::number(months));
        reload();
    });

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(intervalRow);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(620, 480);
    reload();
}

void ReviewsDueDialog::reload()
{
    QStringList keys;
    QHash<QString, QString> titles;
    for (const Item &item : std::as_const(m_items)) {
        keys << item.key;
        titles.insert(item.key, item.title);
    }
    const auto last = m_database.isOpen() ? ReviewStore::lastReviews(m_database.connection())
                                          : QHash<QString, ReviewStore::Review>();
    const QList<ReviewStore::Due> due = ReviewStore::dueItems(last, keys, m_today, m_interval->value());
    m_model->clear();
    m_model->setHorizontalHeaderLabels({QStringLiteral("Item"), QStringLiteral("Last Reviewed"),
                                        QStringLiteral("Reviewer")});
    for (const ReviewStore::Due &entry : due) {
        auto *title = new QStandardItem(titles.value(entry.item));
        title->setData(entry.item, Qt::UserRole);
        auto *when = new QStandardItem(entry.lastReviewed
                                           ? QLocale().toString(*entry.lastReviewed, QLocale::ShortFormat)
                                           : QStringLiteral("Never"));
        auto *who = new QStandardItem(entry.lastReviewed ? last.value(entry.item).reviewer : QString());
        m_model->appendRow({title, when, who});
    }
    m_list->resizeColumnsToContents();
    if (m_model->rowCount() > 0)
        m_list->selectRow(0);
}

void ReviewsDueDialog::openCurrent()
{
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid() || !m_opener)
        return;
    const QString key = m_model->item(current.row(), 0)->data(Qt::UserRole).toString();
    accept();
    m_opener(key);
}

bool ReviewsDueDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openCurrent();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
