// The grid background choice: the menu's check marks, the picture drawn
// behind every registered grid, record 2 of GColor3.Fil written only on the
// user's choice, and the refusal while the print preview is showing.
#include "actionarea/standards/gridbackground.h"
#include "platform/records/recordfile.h"
#include "support/tempworkbook.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kSettings = QStringLiteral("GColor3.Fil");
const QColor kEditorColour(250, 248, 235);

QString record2(const TempWorkbook &workbook)
{
    return readTextRecord(workbook.filePath(kSettings), 20, 2);
}

int checkedEntry(const GridBackground &background)
{
    int checked = -1;
    for (int n = 0; n < GridBackground::kChoiceCount; ++n) {
        if (background.entry(n)->isChecked()) {
            if (checked >= 0)
                return -2; // more than one check mark
            checked = n;
        }
    }
    return checked;
}

bool showsPicture(const QAbstractScrollArea &grid)
{
    return !grid.viewport()->palette().brush(QPalette::Base).texture().isNull();
}

} // namespace

class GridBackgroundTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        workbook_ = std::make_unique<TempWorkbook>();
        QVERIFY(workbook_->isValid());
        content_ = std::make_unique<QTemporaryDir>();
        // Pictures 1-6 are shipped; 7 and 8 are missing in this folder.
        for (int n = 1; n <= 6; ++n) {
            QImage picture(64, 48, QImage::Format_RGB32);
            picture.fill(QColor(240, 240 - n * 5, 230));
            QVERIFY(picture.save(content_->filePath(QStringLiteral("WP%1.jpg").arg(n))));
        }
        background_ = std::make_unique<GridBackground>(workbook_->workbook(content_->path()));
        background_->setEditorBackground(kEditorColour);
        beeps_ = 0;
        background_->setBeep([this] { ++beeps_; });
        standards_ = std::make_unique<QTableWidget>(3, 3);
        todo_ = std::make_unique<QTableWidget>(3, 5);
        standards_->resize(300, 200);
        background_->addGrid(standards_.get());
        background_->addGrid(todo_.get());
    }
    void cleanup()
    {
        background_.reset();
        standards_.reset();
        todo_.reset();
        content_.reset();
        workbook_.reset();
    }

    void menuHasNineEntries()
    {
        QMenu *menu = background_->menu();
        QCOMPARE(menu->title(), QStringLiteral("&Grid Background Selector"));
        QStringList texts;
        for (QAction *action : menu->actions()) {
            QVERIFY(action->isCheckable());
            texts << action->text();
        }
        QCOMPARE(texts, (QStringList{"&None", "&1", "&2", "&3", "&4", "&5", "&6", "&7", "&8"}));
        QCOMPARE(checkedEntry(*background_), 0);
    }

    void restoringAppliesWithoutWriting_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("applied");
        QTest::addColumn<bool>("picture");
        QTest::newRow("no file") << QString() << 0 << false;
        QTest::newRow("none") << QStringLiteral("0") << 0 << false;
        QTest::newRow("picture five") << QStringLiteral("5") << 5 << true;
        QTest::newRow("leading blank") << QStringLiteral(" 5") << 5 << true;
        QTest::newRow("out of range") << QStringLiteral("12") << 0 << false;
        QTest::newRow("missing picture") << QStringLiteral("7") << 7 << false;
    }
    void restoringAppliesWithoutWriting()
    {
        QFETCH(QString, stored);
        QFETCH(int, applied);
        QFETCH(bool, picture);
        if (!stored.isNull())
            QVERIFY(writeTextRecord(workbook_->filePath(kSettings), 20, 2, stored));
        const QByteArray before = workbook_->readFile(kSettings);

        background_->restore();
        QCOMPARE(background_->current(), applied);
        QCOMPARE(checkedEntry(*background_), applied);
        QCOMPARE(background_->hasPicture(), picture);
        QCOMPARE(showsPicture(*standards_), picture);
        QCOMPARE(showsPicture(*todo_), picture);
        if (!picture)
            QCOMPARE(standards_->viewport()->palette().color(QPalette::Base), kEditorColour);
        QCOMPARE(workbook_->readFile(kSettings), before);
        QCOMPARE(beeps_, 0);
    }

    void choosingStoresTheNumber_data()
    {
        QTest::addColumn<int>("choice");
        for (int n = 0; n <= 8; ++n)
            QTest::addRow("entry %d", n) << n;
    }
    void choosingStoresTheNumber()
    {
        QFETCH(int, choice);
        // Start from another choice, so every entry is a real change.
        background_->chooseGridBackground(choice == 3 ? 4 : 3);
        background_->entry(choice)->trigger();

        QCOMPARE(checkedEntry(*background_), choice);
        QCOMPARE(background_->current(), choice);
        const QByteArray bytes = workbook_->readFile(kSettings);
        QCOMPARE(bytes.size(), 40);
        QByteArray expected(20, '\0');
        expected[0] = 1;
        expected[2] = char('0' + choice);
        QCOMPARE(bytes.mid(20, 20), expected);
        // Pictures 7 and 8 are not in this content folder: stored all the same, drawn as none.
        const bool picture = choice >= 1 && choice <= 6;
        QCOMPARE(showsPicture(*standards_), picture);
        QCOMPARE(showsPicture(*todo_), picture);
    }

    void previewShownOnlyBeeps()
    {
        background_->chooseGridBackground(3);
        const QByteArray before = workbook_->readFile(kSettings);
        bool previewShown = true;
        background_->setPrintPreviewShown([&previewShown] { return previewShown; });

        background_->entry(6)->trigger();
        QCOMPARE(beeps_, 1);
        QCOMPARE(checkedEntry(*background_), 3);
        QCOMPARE(background_->current(), 3);
        QCOMPARE(workbook_->readFile(kSettings), before);
        // Triggering the checked entry would otherwise take its own mark away.
        background_->entry(3)->trigger();
        QCOMPARE(beeps_, 2);
        QCOMPARE(checkedEntry(*background_), 3);

        previewShown = false;
        background_->entry(6)->trigger();
        QCOMPARE(beeps_, 2);
        QCOMPARE(checkedEntry(*background_), 6);
        QCOMPARE(record2(*workbook_), QStringLiteral("6"));
    }

    void noneAfterAPictureRemovesIt()
    {
        background_->chooseGridBackground(4);
        QVERIFY(showsPicture(*standards_));
        background_->entry(0)->trigger();
        QVERIFY(!background_->hasPicture());
        for (const QTableWidget *grid : {standards_.get(), todo_.get()}) {
            QVERIFY(!showsPicture(*grid));
            QCOMPARE(grid->viewport()->palette().color(QPalette::Base), kEditorColour);
        }
        QCOMPARE(record2(*workbook_), QStringLiteral("0"));
    }

    void pictureFollowsTheGridsSizeAndLateGridsTakeIt()
    {
        background_->chooseGridBackground(2);
        standards_->resize(500, 400);
        standards_->show();
        QVERIFY(QTest::qWaitForWindowExposed(standards_.get()));
        // Fitted to cover the visible cells, not tiled from the small original.
        const QSize texture = standards_->viewport()->palette().brush(QPalette::Base).texture().size();
        const QSize viewport = standards_->viewport()->size();
        QVERIFY(texture.width() >= viewport.width() && texture.height() >= viewport.height());
        QVERIFY(texture.width() == viewport.width() || texture.height() == viewport.height());
        QTableWidget late(2, 2);
        background_->addGrid(&late);
        QVERIFY(showsPicture(late));
    }

private:
    std::unique_ptr<TempWorkbook> workbook_;
    std::unique_ptr<QTemporaryDir> content_;
    std::unique_ptr<GridBackground> background_;
    std::unique_ptr<QTableWidget> standards_;
    std::unique_ptr<QTableWidget> todo_;
    int beeps_ = 0;
};

QTEST_MAIN(GridBackgroundTest)
#include "tst_gridbackground.moc"
