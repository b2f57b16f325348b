#pragma once

#include "history/decisionstore.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// "Decision...": the documented decision on an addressable specification
// (the choice, the reasons, the alternative measure, decided by and on),
// beside the earlier decisions, which are all kept.
class DecisionDialog : public QDialog
{
    Q_OBJECT
public:
    DecisionDialog(const QList<DecisionStore::Decision> &earlier, const QString &specification,
                   const QString &decidedBy, const QDate &today, QWidget *parent = nullptr);

    QComboBox *choiceBox() const { return m_choice; }
    QPlainTextEdit *reasonsBox() const { return m_reasons; }
    QPlainTextEdit *alternativeBox() const { return m_alternative; }
    QLineEdit *decidedByBox() const { return m_decidedBy; }
    QDateEdit *dateBox() const { return m_date; }
    // The decision as filled in (safeguard and recording time for the caller).
    DecisionStore::Decision decision() const;

    void done(int result) override;

private:
    QComboBox *m_choice = nullptr;
    QPlainTextEdit *m_reasons = nullptr;
    QPlainTextEdit *m_alternative = nullptr;
    QLineEdit *m_decidedBy = nullptr;
    QDateEdit *m_date = nullptr;
    QLabel *m_problem = nullptr;
};
