#pragma once

#include "history/reviewstore.h"

#include <QDialog>

#include <functional>

class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QStandardItemModel;
class QTableView;
class WorkbookDatabase;

// "Mark Reviewed...": signs an item off as reviewed (reviewer, day, note),
// beside the list of its earlier reviews, which are all kept.
class MarkReviewedDialog : public QDialog
{
    Q_OBJECT
public:
    MarkReviewedDialog(const QList<ReviewStore::Review> &earlier, const QString &itemTitle,
                       const QString &reviewer, const QDate &today, QWidget *parent = nullptr);

    QLineEdit *reviewerBox() const { return m_reviewer; }
    QDateEdit *dateBox() const { return m_date; }
    QPlainTextEdit *noteBox() const { return m_note; }
    // The review as filled in (item and recording time left for the caller).
    ReviewStore::Review review() const;

private:
    QLineEdit *m_reviewer = nullptr;
    QDateEdit *m_date = nullptr;
    QPlainTextEdit *m_note = nullptr;
};

// "Reviews Due": everything never reviewed or last reviewed at least the
// review interval ago, oldest first. Enter or a double-click opens the item.
class ReviewsDueDialog : public QDialog
{
    Q_OBJECT
public:
    struct Item
    {
        QString key;            // ReviewStore item key
        QString title;
    };
    using Opener = std::function<void(const QString &key)>;

    ReviewsDueDialog(WorkbookDatabase &database, QList<Item> items, const QDate &today, Opener opener,
                     QWidget *parent = nullptr);

    QTableView *list() const { return m_list; }
    QStandardItemModel *model() const { return m_model; }
    QSpinBox *intervalBox() const { return m_interval; }
    void reload();
    void openCurrent();

    // The interval in months (workbook setting; 12 by default).
    static int intervalMonths(const WorkbookDatabase &database);

protected:
    // Enter on the list opens the item.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    WorkbookDatabase &m_database;
    QList<Item> m_items;
    QDate m_today;
    Opener m_opener;
    QTableView *m_list = nullptr;
    QStandardItemModel *m_model = nullptr;
    QSpinBox *m_interval = nullptr;
};
