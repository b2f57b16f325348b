#pragma once

#include "risk/riskrecords.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QSpinBox;
class RiskStore;

// The forms beside the register's tables. Each shows one record (or a new
// one) and reads it back; read() checks what the database would refuse
// (names, dates) first and says which field is wrong, so the user's edits
// stay where they are.
namespace RegisterForms {

// yyyy-MM-dd or empty; false with *error naming the field otherwise.
bool readDate(const QLineEdit *edit, const QString &field, QDate *date, QString *error);

} // namespace RegisterForms

class AssetForm : public QWidget
{
    Q_OBJECT
public:
    explicit AssetForm(RiskStore &store, QWidget *parent = nullptr);
    void show(const RiskAsset &asset);
    bool read(RiskAsset *asset, QString *error) const;
    const RiskAsset &shown() const { return m_shown; }
    QLineEdit *nameEdit() const { return m_name; }
    void refreshAssociates();

private:
    RiskStore &m_store;
    RiskAsset m_shown;
    QLineEdit *m_name;
    QComboBox *m_kind;
    QLineEdit *m_location;
    QLineEdit *m_owner;
    QLineEdit *m_ephi;
    QLineEdit *m_records;
    QCheckBox *m_creates;
    QCheckBox *m_receives;
    QCheckBox *m_maintains;
    QCheckBox *m_transmits;
    QComboBox *m_associate;
    QPlainTextEdit *m_notes;
    QCheckBox *m_retired;
};

class AssociateForm : public QWidget
{
    Q_OBJECT
public:
    explicit AssociateForm(QWidget *parent = nullptr);
    void show(const BusinessAssociate &associate);
    bool read(BusinessAssociate *associate, QString *error) const;
    const BusinessAssociate &shown() const { return m_shown; }
    QLineEdit *nameEdit() const { return m_name; }

private:
    BusinessAssociate m_shown;
    QLineEdit *m_name;
    QLineEdit *m_service;
    QLineEdit *m_ephi;
    QLineEdit *m_contact;
    QLineEdit *m_signed;
    QLineEdit *m_review;
    QPlainTextEdit *m_notes;
};

class RiskForm : public QWidget
{
    Q_OBJECT
public:
    explicit RiskForm(RiskStore &store, QWidget *parent = nullptr);
    void show(const Risk &risk);
    bool read(Risk *risk, QString *error) const;
    const Risk &shown() const { return m_shown; }
    QLineEdit *threatEdit() const { return m_threat; }
    void refreshAssets();

private:
    void updateLevels();
    RiskStore &m_store;
    Risk m_shown;
    QComboBox *m_asset;
    QLineEdit *m_threat;
    QPlainTextEdit *m_vulnerability;
    QPlainTextEdit *m_current;
    QListWidget *m_safeguards;
    QComboBox *m_likelihood;
    QComboBox *m_impact;
    QLabel *m_level;
    QComboBox *m_treatment;
    QPlainTextEdit *m_planned;
    QLineEdit *m_owner;
    QLineEdit *m_due;
    QComboBox *m_status;
    QComboBox *m_residualLikelihood;
    QComboBox *m_residualImpact;
    QLabel *m_residualLevel;
    QLineEdit *m_acceptedBy;
    QLineEdit *m_acceptedOn;
    QLineEdit *m_identifiedOn;
    QLineEdit *m_reviewedOn;
};

// The analysis details of the Overview tab: scope, method, who prepared
// and approved the analysis and when, the last full review.
class AnalysisDetailsForm : public QWidget
{
    Q_OBJECT
public:
    explicit AnalysisDetailsForm(QWidget *parent = nullptr);
    void show(const AnalysisDetails &details);
    bool read(AnalysisDetails *details, QString *error) const;
    const AnalysisDetails &shown() const { return m_shown; }
    // Whether the fields differ from what show() put in them.
    bool hasEdits() const;

private:
    AnalysisDetails m_shown;
    QPlainTextEdit *m_scope;
    QPlainTextEdit *m_method;
    QLineEdit *m_preparedBy;
    QLineEdit *m_approvedBy;
    QLineEdit *m_approvedOn;
    QLineEdit *m_lastReview;
};
