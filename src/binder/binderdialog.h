#pragma once

#include "binder/auditbinder.h"

#include <QDialog>

#include <array>
#include <optional>

class QCheckBox;

// "Print Audit Binder": one box per section (all checked at first) and
// "Only safeguards with entries".
class BinderDialog : public QDialog
{
    Q_OBJECT

public:
    explicit BinderDialog(const AuditBinder::Options &options, QWidget *parent = nullptr);
    AuditBinder::Options options() const;
    QCheckBox *sectionBox(int section) const { return m_sectionBoxes.at(size_t(section)); }
    QCheckBox *onlyWithEntriesBox() const { return m_onlyWithEntries; }

    // Shows the dialog; the choice, or nothing when cancelled.
    static std::optional<AuditBinder::Options> choose(QWidget *parent, const AuditBinder::Options &current);

private:
    std::array<QCheckBox *, AuditBinder::SectionCount> m_sectionBoxes{};
    QCheckBox *m_onlyWithEntries = nullptr;
};
