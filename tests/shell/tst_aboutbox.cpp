#include "screens/programcontext.h"
#include "shell/aboutbox.h"
#include "shell/licensenotices.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

class AboutBoxTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsLicenceDocumentsAndEveryLibrary_data();
    void showsLicenceDocumentsAndEveryLibrary();
    void aboutQtOpensQtsOwnBox();
};

void AboutBoxTest::showsLicenceDocumentsAndEveryLibrary_data()
{
    QTest::addColumn<QString>("phrase");
    QTest::newRow("licence") << "GPL-3.0-or-later";
    QTest::newRow("no warranty") << "WITHOUT ANY WARRANTY";
    QTest::newRow("copyright") << "Copyright (C) 2026 The Sentrivo developers";
    QTest::newRow("templates") << "CC0-1.0";
    QTest::newRow("documents") << "CC-BY-4.0";
    QTest::newRow("regulation") << "work of the United States government";
    // Every library the program is linked with.
    for (const char *library : {"Qt 6", "Hunspell", "MyThes", "SQLite", "libxlsxwriter", "zlib", "qpdf", "libsodium"})
        QTest::newRow(library) << library;
}

void AboutBoxTest::showsLicenceDocumentsAndEveryLibrary()
{
    QFETCH(QString, phrase);
    ProgramContext context;
    AboutBox box(context);
    auto *notices = box.findChild<QTextBrowser *>(QStringLiteral("licenceNotices"));
    QVERIFY(notices);
    QVERIFY2(notices->toPlainText().contains(phrase), qPrintable(phrase));
}

void AboutBoxTest::aboutQtOpensQtsOwnBox()
{
    ProgramContext context;
    AboutBox box(context);
    box.show();
    auto *button = box.findChild<QPushButton *>(QStringLiteral("aboutQtButton"));
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("About &Qt"));
    QString seenTitle;
    QTimer::singleShot(0, [&seenTitle] {
        if (auto *modal = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            seenTitle = modal->windowTitle();
            modal->close();
        }
    });
    button->click();
    QVERIFY(seenTitle.contains(QStringLiteral("Qt")));
    // The About box itself stays open.
    QVERIFY(box.isVisible());
}

QTEST_MAIN(AboutBoxTest)
#include "tst_aboutbox.moc"
