#include "historywindow/decisiondialog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QVBoxLayout>

using DecisionStore::Choice;

DecisionDialog::DecisionDialog(const QList<DecisionStore::Decision> &earlier, const QString &specification,
                               const QString &decidedBy, const QDate &today, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("DecisionDialog"));
    setWindowTitle(QStringLiteral("Decision - %1").arg(specification));
    m_choice = new QComboBox(this);
    for (Choice choice : {Choice::Implemented, Choice::Alternative, Choice::NotReasonable})
        m_choice->addItem(DecisionStore::choiceCaption(choice), int(choice));
    m_reasons = new QPlainTextEdit(this);
    m_reasons->setTabChangesFocus(true);
    m_alternative = new QPlainTextEdit(this);
    m_alternative->setTabChangesFocus(true);
    m_decidedBy = new QLineEdit(decidedBy, this);
    m_date = new QDateEdit(today, this);
    m_date->setCalendarPopup(true);
    m_problem = new QLabel(this);
    m_problem->setStyleSheet(QStringLiteral("color: #a00000"));
    if (!earlier.isEmpty()) {
        const DecisionStore::Decision &last = earlier.first();
        m_choice->setCurrentIndex(m_choice->findData(int(last.choice)));
        m_reasons->setPlainText(last.reasons);
        m_alternative->setPlainText(last.alternative);
    }
    auto updateAlternative = [this] {
        m_alternative->setEnabled(Choice(m_choice->currentData().toInt()) == Choice::Alternative);
    };
    connect(m_choice, &QComboBox::currentIndexChanged, this, updateAlternative);
    updateAlternative();

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Choice:"), m_choice);
    form->addRow(QStringLiteral("&Reasons:"), m_reasons);
    form->addRow(QStringLiteral("&Alternative measure:"), m_alternative);
    form->addRow(QStringLiteral("Decided &by:"), m_decidedBy);
    form->addRow(QStringLiteral("Decided &on:"), m_date);

    auto *history = new QListWidget(this);
    for (const DecisionStore::Decision &decision : earlier)
        history->addItem(QStringLiteral("%1  %2 (%3)")
                             .arg(QLocale().toString(decision.decidedOn, QLocale::ShortFormat),
                                  DecisionStore::choiceCaption(decision.choice), decision.decidedBy));
    if (earlier.isEmpty())
        history->addItem(QStringLiteral("(no decision documented yet)"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_problem);
    layout->addWidget(new QLabel(QStringLiteral("Earlier decisions:"), this));
    layout->addWidget(history);
    layout->addWidget(buttons);
    resize(560, 520);
}

DecisionStore::Decision DecisionDialog::decision() const
{
    DecisionStore::Decision decision;
    decision.choice = Choice(m_choice->currentData().toInt());
    decision.reasons = m_reasons->toPlainText().trimmed();
    decision.alternative = decision.choice == Choice::Alternative ? m_alternative->toPlainText().trimmed() : QString();
    decision.decidedBy = m_decidedBy->text().trimmed();
    decision.decidedOn = m_date->date();
    return decision;
}

void DecisionDialog::done(int result)
{
    // OK only with a decision the rule would accept as documented.
    if (result == QDialog::Accepted) {
        const QString problem = DecisionStore::problemWith(decision());
        if (!problem.isEmpty()) {
            m_problem->setText(problem);
            return;
        }
    }
    QDialog::done(result);
}
