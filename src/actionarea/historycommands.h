#pragma once

#include <QObject>
#include <QString>

#include <memory>

class ActionArea;
class DocumentHistory;
class QAction;
class QPushButton;

// The Action Area's evidence-trail commands: "Histor&y..." (the Options
// entry and the workspace's button, enabled while a user document is
// shown), "Mark &Reviewed..." (a safeguard, the plan or a worksheet shown),
// "Reviews D&ue..." and "Prune History..." in Utilities. Without a history
// (no database) all stay disabled.
class HistoryCommands : public QObject
{
    Q_OBJECT
public:
    static inline const QString kPruneTitle = QStringLiteral("Prune History");

    HistoryCommands(ActionArea &area, std::shared_ptr<DocumentHistory> history);

    QAction *historyAction() const { return m_historyAction; }
    QAction *pruneAction() const { return m_pruneAction; }
    QAction *markReviewedAction() const { return m_markReviewedAction; }
    QAction *reviewsDueAction() const { return m_reviewsDueAction; }
    QAction *decisionAction() const { return m_decisionAction; }
    QPushButton *historyButton() const { return m_historyButton; }

    // The workbook file of the user document on screen, empty when none is
    // (a reference text, the sample, the standards grid).
    QString shownDocumentPath() const;
    void updateEnabled();
    void openHistory();
    void pruneHistory();
    void markReviewed();
    void showReviewsDue();
    // "&Decision..." on an addressable specification.
    void documentDecision();

    // The review item (ReviewStore key) on screen and its title; empty when none.
    QPair<QString, QString> shownReviewItem() const;
    // Opens the item of a review key as its buttons would.
    bool openReviewItem(const QString &key);

private:
    QString shownDocumentTitle() const;
    void reloadShownDocument();

    ActionArea &m_area;
    std::shared_ptr<DocumentHistory> m_history;
    QAction *m_historyAction = nullptr;
    QAction *m_pruneAction = nullptr;
    QAction *m_markReviewedAction = nullptr;
    QAction *m_reviewsDueAction = nullptr;
    QAction *m_decisionAction = nullptr;
    QPushButton *m_historyButton = nullptr;
};
