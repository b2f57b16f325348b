#include "shell/aboutbox.h"
#include "shell/version.h"

#include "screens/programcontext.h"
#include "platform/records/twips.h"
#include "shell/licensenotices.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

AboutBox::AboutBox(const ProgramContext &context, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Sentrivo"));
    setModal(true);

    auto *top = new QHBoxLayout;
    auto *icon = new QLabel(this);
    icon->setPixmap(QPixmap(context.workbook.contentFolder() + QStringLiteral("/icon.png"))
                        .scaled(96, 96, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    icon->setAlignment(Qt::AlignTop);
    top->addWidget(icon);

    auto *text = new QLabel(this);
    text->setObjectName(QStringLiteral("aboutText"));
    text->setWordWrap(true);
    text->setTextFormat(Qt::RichText);
    text->setText(QStringLiteral(
        "<p><b style='font-size:16pt'>Sentrivo</b><br>Version " SENTRIVO_VERSION "</p>"
        "<p>A workbook for the HIPAA Security Rule (45 CFR Part 164, Subpart C). "
        "For each of the rule's safeguards it shows the rule, its preamble and practical "
        "guidance, and keeps what your organization has done: Action Taken, Comments/Notes, "
        "Policies and Procedures, a status, a project timeline, risk analysis worksheets "
        "and a disaster recovery plan.</p>"
        "<p>Your work is kept in the workbook folder:<br><tt>%1</tt></p>"
        "<p>Keep your HIPAA documentation for six years from its creation or from the date "
        "it was last in effect, whichever is later, and back it up regularly.</p>")
                      .arg(QDir::toNativeSeparators(context.workbook.folder()).toHtmlEscaped()));
    text->setMinimumWidth(380);
    top->addWidget(text, 1);

    // The licence, the terms of the shipped documents and the libraries used.
    auto *notices = new QTextBrowser(this);
    notices->setObjectName(QStringLiteral("licenceNotices"));
    notices->setAccessibleName(QStringLiteral("Licence and third-party notices"));
    notices->setOpenExternalLinks(false);
    notices->setHtml(LicenseNotices::html());
    notices->setMinimumHeight(200);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    QPushButton *aboutQt = buttons->addButton(QStringLiteral("About &Qt"), QDialogButtonBox::HelpRole);
    aboutQt->setObjectName(QStringLiteral("aboutQtButton"));
    // Qt's own About box, over this one; this box stays open.
    connect(aboutQt, &QPushButton::clicked, this, [] { QApplication::aboutQt(); });

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(notices, 1);
    layout->addWidget(buttons);
    adjustSize();

    // Centre over the start screen, whose size the program keeps in twips.
    if (parent && context.startScreenWidthTwips > 0) {
        const QPoint centre = parent->frameGeometry().topLeft()
            + QPoint(Twips::toPixels(context.startScreenWidthTwips) / 2,
                     Twips::toPixels(context.startScreenHeightTwips) / 2);
        move(centre - QPoint(width() / 2, height() / 2));
    }
}
