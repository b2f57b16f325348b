#include "binder/binderdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

BinderDialog::BinderDialog(const AuditBinder::Options &options, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Print Audit Binder"));
    setObjectName(QStringLiteral("binderDialog"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("The cover and the contents always come first. Sections the\n"
                                                "workbook holds nothing for are left out."),
                                 this));
    auto *sections = new QGroupBox(QStringLiteral("Sections"), this);
    auto *sectionLayout = new QVBoxLayout(sections);
    for (int i = 0; i < AuditBinder::SectionCount; ++i) {
        auto *box = new QCheckBox(AuditBinder::sectionTitle(i), sections);
        box->setChecked(options.sections[size_t(i)]);
        sectionLayout->addWidget(box);
        m_sectionBoxes[size_t(i)] = box;
    }
    layout->addWidget(sections);
    m_onlyWithEntries = new QCheckBox(QStringLiteral("Only safeguards with entries"), this);
    m_onlyWithEntries->setChecked(options.onlyWithEntries);
    layout->addWidget(m_onlyWithEntries);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Make Binder"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    const auto update = [this, buttons] {
        bool any = false;
        for (QCheckBox *box : m_sectionBoxes)
            any = any || box->isChecked();
        buttons->button(QDialogButtonBox::Ok)->setEnabled(any);
        m_onlyWithEntries->setEnabled(m_sectionBoxes[AuditBinder::Safeguards]->isChecked());
    };
    for (QCheckBox *box : m_sectionBoxes)
        connect(box, &QCheckBox::toggled, this, update);
    update();
}

AuditBinder::Options BinderDialog::options() const
{
    AuditBinder::Options options;
    for (int i = 0; i < AuditBinder::SectionCount; ++i)
        options.sections[size_t(i)] = m_sectionBoxes[size_t(i)]->isChecked();
    options.onlyWithEntries = m_onlyWithEntries->isChecked();
    return options;
}

std::optional<AuditBinder::Options> BinderDialog::choose(QWidget *parent, const AuditBinder::Options &current)
{
    BinderDialog dialog(current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.options();
}
