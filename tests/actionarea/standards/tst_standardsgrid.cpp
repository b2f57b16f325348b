// The standards grid panel: the rows of each group exactly as listed, the
// R/A and status lines level with the specifications, the statuses taken
// from the status table, the selectors, caption and title line, and the
// grid's read-only, right-click and print behaviour.
#include "actionarea/standards/standardsgridpanel.h"
#include "actionarea/status/statustable.h"
#include "support/tempworkbook.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

namespace {

QStringList lines(const QTableWidget *grid, int row, int column)
{
    const QTableWidgetItem *item = grid->item(row, column);
    return item ? item->text().split(QLatin1Char('\n')) : QStringList{QStringLiteral("<no item>")};
}

QStringList split(const QString &joined)
{
    return joined.split(QLatin1Char('|'));
}

} // namespace

class StandardsGridTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        workbook_ = std::make_unique<TempWorkbook>();
        QVERIFY(workbook_->isValid());
        table_ = std::make_unique<StatusTable>(workbook_->workbook());
        table_->loadStatusTable();
        panel_ = std::make_unique<StandardsGridPanel>(*table_);
        panel_->resize(760, 520);
        panel_->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel_.get()));
    }
    void cleanup()
    {
        panel_.reset();
        table_.reset();
        workbook_.reset();
    }

    void rowsOfEachGroup_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("standard");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("specifications");
        QTest::addColumn<QString>("designations");
        QTest::addColumn<int>("firstRecord");

        QTest::newRow("security management") << 0 << 0 << "Security Management Process" << "164.308(a)(1)"
            << "Risk Analysis|Risk Management|Sanction Policy|Information System Activity Review" << "R|R|R|R" << 1;
        QTest::newRow("assigned responsibility") << 0 << 1 << "Assigned Security Responsibility" << "164.308(a)(2)"
            << " " << "R" << 5;
        QTest::newRow("workforce") << 0 << 2 << "Workforce Security" << "164.308(a)(3)"
            << "Authorization and/or Supervision|Workforce Clearance Procedure|Termination Procedures" << "A|A|A"
            << 6;
        QTest::newRow("access management") << 0 << 3 << "Information Access Management" << "164.308(a)(4)"
            << "Isolating Health Care Clearinghouse Function|Access Authorization|Access Establishment and Modification"
            << "R|A|A" << 9;
        QTest::newRow("awareness") << 0 << 4 << "Security Awareness and Training" << "164.308(a)(5)"
            << "Security Reminders|Protection from Malicious Software|Log-in Monitoring|Password Management"
            << "A|A|A|A" << 12;
        QTest::newRow("incidents") << 0 << 5 << "Security Incident Procedures" << "164.308(a)(6)"
            << "Response and Reporting" << "R" << 16;
        QTest::newRow("contingency") << 0 << 6 << "Contingency Plan" << "164.308(a)(7)"
            << "Data Backup Plan|Disaster Recovery Plan|Emergency Mode Operation Plan|Testing and Revision Procedure|"
               "Applications and Data Criticality Analysis"
            << "R|R|R|A|A" << 17;
        QTest::newRow("evaluation") << 0 << 7 << "Evaluation" << "164.308(a)(8)" << " " << "R" << 22;
        QTest::newRow("business associates") << 0 << 8 << "Business Associate Contracts And|Other Arrangements"
            << "164.308(b)(1)" << "Written Contract or Other Arrangement" << "R||" << 23;

        QTest::newRow("facility access") << 1 << 0 << "Facility Access Controls" << "164.310(a)(1)"
            << "Contingency Operation|Facility Security Plan|Access Control & Validation Procedures|Maintenance Records"
            << "A|A|A|A" << 24;
        QTest::newRow("workstation use") << 1 << 1 << "Workstation Use" << "164.310(b)" << " " << "R" << 28;
        QTest::newRow("workstation security") << 1 << 2 << "WorkStation Security" << "164.310(c)" << " " << "R"
            << 29;
        QTest::newRow("device and media") << 1 << 3 << "Device and Media Controls" << "164.310(d)(1)"
            << "Disposal|Media Re-use|Accountability|Data Backup and Storage" << "R|R|A|A" << 30;

        QTest::newRow("access control") << 2 << 0 << "Access Control" << "164.312(a)(1)"
            << "Unique User Identification|Emergency Access Procedure|Automatic Logoff|Encryption and Decryption"
            << "R|R|A|A" << 34;
        QTest::newRow("audit") << 2 << 1 << "Audit Controls" << "164.312(b)" << " " << "R" << 38;
        QTest::newRow("integrity") << 2 << 2 << "Integrity" << "164.312(c)(1)"
            << "Mechanism to Authenticate Electronic PHI" << "A" << 39;
        QTest::newRow("authentication") << 2 << 3 << "Person or Entity Authentication" << "164.312(d)" << " "
            << "R" << 40;
        QTest::newRow("transmission") << 2 << 4 << "Transmission Security" << "164.312(e)(1)"
            << "Integrity Controls|Encryption" << "A|A" << 41;
    }
    void rowsOfEachGroup()
    {
        QFETCH(int, group);
        QFETCH(int, row);
        QFETCH(QString, standard);
        QFETCH(QString, section);
        QFETCH(QString, specifications);
        QFETCH(QString, designations);
        QFETCH(int, firstRecord);

        // Each status record gets its own recognisable text.
        for (int record = 1; record <= 42; ++record)
            table_->setSlot(record, QStringLiteral("status %1").arg(record));
        panel_->selectGroup(group);
        const QTableWidget *grid = panel_->grid();

        QCOMPARE(lines(grid, row, 0), split(standard));
        QCOMPARE(lines(grid, row, 1), QStringList{section});
        const QStringList specificationLines = lines(grid, row, 2);
        QCOMPARE(specificationLines, split(specifications));
        QCOMPARE(lines(grid, row, 3), split(designations));

        QStringList statuses;
        for (int n = 0; n < specificationLines.size(); ++n)
            statuses << QStringLiteral("status %1").arg(firstRecord + n);
        QCOMPARE(lines(grid, row, 4), statuses);
    }

    void oneRowPerStandardAndNothingMore_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("caption");
        QTest::newRow("administrative") << 0 << 9 << QStringLiteral("Administrative Safeguards\u00a7164.308")
                                        << QStringLiteral("Administrative Safeguards");
        QTest::newRow("physical") << 1 << 4 << QStringLiteral("Physical Safeguards\u00a7164.310")
                                  << QStringLiteral("Physical Safeguards");
        QTest::newRow("technical") << 2 << 5 << QStringLiteral("Technical Safeguards\u00a7164.312")
                                   << QStringLiteral("Technical Safeguards");
    }
    void oneRowPerStandardAndNothingMore()
    {
        QFETCH(int, group);
        QFETCH(int, rows);
        QFETCH(QString, title);
        QFETCH(QString, caption);
        QSignalSpy captions(panel_.get(), &StandardsGridPanel::captionChanged);
        // Switching from another group leaves none of its rows behind.
        panel_->selectGroup(0);
        panel_->selectGroup(group);

        QCOMPARE(panel_->grid()->rowCount(), rows);
        QCOMPARE(panel_->grid()->columnCount(), 5);
        QCOMPARE(panel_->titleLine()->text(), title);
        QCOMPARE(captions.last().at(0).toString(), QStringLiteral("Action Area - HIPAA Security Standards - ") + caption);
        for (int n = 0; n < 3; ++n) {
            const QPushButton *button = panel_->groupButton(n);
            const bool chosen = n == group;
            QCOMPARE(button->palette().color(QPalette::ButtonText),
                     chosen ? QColor(0, 0, 255) : QColor(Qt::black));
            QCOMPARE(button->font().bold(), chosen);
            QCOMPARE(button->isChecked(), chosen);
        }
    }

    void headerHeadingAndLegend()
    {
        panel_->selectGroup(0);
        QStringList header;
        for (int column = 0; column < 5; ++column)
            header << panel_->grid()->horizontalHeaderItem(column)->text();
        QCOMPARE(header, (QStringList{QStringLiteral("Standards"), QStringLiteral("Section"),
                                      QStringLiteral("Implementation Specifications"), QStringLiteral("*"),
                                      QStringLiteral("Current Status")}));
        QCOMPARE(panel_->heading()->text(), QStringLiteral("HIPAA Security Standards"));
        QCOMPARE(panel_->legend()->text(), QStringLiteral("*  R = Required;  A = Addressable"));
        QCOMPARE(panel_->groupFrame()->title(), QStringLiteral("Security Standard Safeguards"));
        QCOMPARE(panel_->printButton()->text(), QStringLiteral("&Print"));
    }

    void firstRunShowsEmptyStatusLines()
    {
        panel_->selectGroup(0);
        // Contingency Plan: five specifications, five empty status lines.
        QCOMPARE(lines(panel_->grid(), 6, 4), QStringList(5, QString()));
        QCOMPARE(lines(panel_->grid(), 1, 4), QStringList{QString()});
    }

    void aChosenStatusShowsTheNextTimeTheGroupIsSelected()
    {
        panel_->selectGroup(0);
        table_->writeStatus(1, QStringLiteral("Completed"));
        table_->writeStatus(2, QStringLiteral(" "));
        QCOMPARE(lines(panel_->grid(), 0, 4).first(), QString());
        panel_->selectGroup(0);
        QCOMPARE(lines(panel_->grid(), 0, 4),
                 (QStringList{QStringLiteral("Completed"), QStringLiteral(" "), QString(), QString()}));
    }

    void gridIsReadOnlyInTimesNewRoman()
    {
        panel_->selectGroup(1);
        QTableWidget *grid = panel_->grid();
        QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(grid->font().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(grid->font().pointSizeF(), 9.75);
        QVERIFY(!grid->font().bold());
        for (int row = 0; row < grid->rowCount(); ++row)
            for (int column = 0; column < grid->columnCount(); ++column)
                QVERIFY(!(grid->item(row, column)->flags() & Qt::ItemIsEditable));
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_F2);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 0)).center());
        QVERIFY(!grid->findChild<QLineEdit *>());
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("Facility Access Controls"));
    }

    void rowHeightsFollowTheGridAndNeverCutLines_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("small window") << QSize(620, 430);
        QTest::newRow("maximised") << QSize(1500, 860);
    }
    void rowHeightsFollowTheGridAndNeverCutLines()
    {
        QFETCH(QSize, size);
        panel_->resize(size);
        panel_->selectGroup(0);
        QCoreApplication::processEvents();
        QTableWidget *grid = panel_->grid();
        const int gridHeight = grid->height();
        const QList<double> factors = {0.175, 0, 0.14, 0.14, 0.176, 0, 0.225, 0, 0.095};
        const QFontMetrics metrics(grid->font());
        for (int row = 0; row < grid->rowCount(); ++row) {
            const int height = grid->rowHeight(row);
            if (factors[row] > 0)
                QVERIFY(height >= StandardsGridPanel::factorHeight(factors[row], gridHeight));
            else
                QVERIFY(height >= grid->verticalHeader()->defaultSectionSize());
            int mostLines = 0;
            for (int column = 0; column < 5; ++column)
                mostLines = std::max(mostLines, int(lines(grid, row, column).size()));
            QVERIFY2(height >= mostLines * metrics.lineSpacing(), qPrintable(QString::number(row)));
        }
        // The specifications never wrap, so their lines stay level with R/A and status.
        const QRect specifications = grid->visualItemRect(grid->item(3, 2));
        QVERIFY(specifications.width()
                >= metrics.horizontalAdvance(QStringLiteral("Isolating Health Care Clearinghouse Function")));
        QCOMPARE(StandardsGridPanel::factorHeight(0.175, 400), 70);
        QCOMPARE(StandardsGridPanel::factorHeight(0.095, 410), 39);
        QCOMPARE(StandardsGridPanel::factorHeight(0, 400), -1);
    }

    void wholeGridFitsBesideTheNavigationColumnOfTheSmallWindow()
    {
        // 800 pixels less the Action Area's navigation column and margins.
        const int width = 590;
        QVERIFY(panel_->minimumSizeHint().width() <= width);
        panel_->resize(width, 480);
        for (int group = 0; group < 3; ++group) {
            panel_->selectGroup(group);
            QCoreApplication::processEvents();
            const QTableWidget *grid = panel_->grid();
            int columns = 0;
            for (int column = 0; column < grid->columnCount(); ++column)
                columns += grid->columnWidth(column);
            QVERIFY2(columns <= grid->viewport()->width(), qPrintable(QString::number(group)));
        }
    }

    void rightButtonReleaseAsksForTheOptionsMenu()
    {
        panel_->selectGroup(0);
        QSignalSpy menus(panel_.get(), &StandardsGridPanel::optionsMenuRequested);
        QWidget *viewport = panel_->grid()->viewport();
        const QPoint where(30, 20);
        QTest::mousePress(viewport, Qt::RightButton, {}, where);
        QCOMPARE(menus.size(), 0);
        QTest::mouseRelease(viewport, Qt::RightButton, {}, where);
        QCOMPARE(menus.size(), 1);
        QCOMPARE(menus.at(0).at(0).toPoint(), viewport->mapToGlobal(where));
        QTest::mouseClick(viewport, Qt::LeftButton, {}, where);
        QCOMPARE(menus.size(), 1);
    }

    void printButtonWaitsForAHandler()
    {
        QPushButton *print = panel_->printButton();
        QVERIFY(!print->isEnabled());
        int printed = 0;
        auto connection = connect(panel_.get(), &StandardsGridPanel::printRequested, this, [&] { ++printed; });
        QVERIFY(print->isEnabled());
        QTest::mouseClick(print, Qt::LeftButton);
        QCOMPARE(printed, 1);
        disconnect(connection);
        QTRY_VERIFY(!print->isEnabled());
    }

private:
    std::unique_ptr<TempWorkbook> workbook_;
    std::unique_ptr<StatusTable> table_;
    std::unique_ptr<StandardsGridPanel> panel_;
};

QTEST_MAIN(StandardsGridTest)
#include "tst_standardsgrid.moc"
