#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class DocumentHistory;
class Prompt;
class QLabel;
class QPushButton;
class QTableView;
class QTextBrowser;
class VersionListModel;

// "History": the versions of one document, newest first. Open shows the
// chosen version read-only; Compare marks, word by word, what the newer of
// two chosen versions inserted and deleted; Restore puts the chosen version
// back after asking (the current content is kept as a version first).
class HistoryDialog : public QDialog
{
    Q_OBJECT
public:
    static inline const QString kRestoreTitle = QStringLiteral("Restore Version");

    HistoryDialog(DocumentHistory &history, std::shared_ptr<Prompt> prompt, const QString &documentPath,
                  const QString &documentTitle, QWidget *parent = nullptr);

    QTableView *versionList() const { return m_list; }
    QTextBrowser *viewer() const { return m_viewer; }
    QPushButton *openButton() const { return m_open; }
    QPushButton *compareButton() const { return m_compare; }
    QPushButton *restoreButton() const { return m_restore; }
    VersionListModel *model() const { return m_model; }

    // What the Help button shows (the button is hidden while unset).
    void setHelp(std::function<void()> showHelp);
    void reload();
    void openSelected();
    void compareSelected();
    void restoreSelected();
    // Whether a restore replaced the document (the screen reloads it).
    bool restored() const { return m_restored; }

private:
    QList<int> selectedRows() const;
    void updateButtons();
    bool plainTextOf(int row, QString *text);

    DocumentHistory &m_history;
    std::shared_ptr<Prompt> m_prompt;
    QString m_path;
    QString m_document;
    VersionListModel *m_model = nullptr;
    QTableView *m_list = nullptr;
    QTextBrowser *m_viewer = nullptr;
    QLabel *m_viewerCaption = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_help = nullptr;
    std::function<void()> m_showHelp;
    QPushButton *m_compare = nullptr;
    QPushButton *m_restore = nullptr;
    bool m_restored = false;
};
