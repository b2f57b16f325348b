// The audit binder, its dashboard and the spreadsheet exports, on a small
// fixture workbook: read back as a reader of the files would (pdftotext, the
// PDF's outline through qpdf, the ODT and XLSX as the zips of XML they are).
#include "actionarea/standards/dashboardwidget.h"
#include "actionarea/standards/standardstable.h"
#include "actionarea/standards/workbookprogress.h"
#include "actionarea/status/statustable.h"
#include "binder/auditbinder.h"
#include "binder/spreadsheetexports.h"
#include "catalogue/safeguardcatalogue.h"
#include "pdftext.h"
#include "platform/database/workbookdatabase.h"
#include "platform/database/workbooksettings.h"
#include "platform/rtf/rtf.h"
#include "printing/printsurface.h"
#include "printing/progresschart.h"
#include "printing/safeguardreport.h"
#include "printing/standardssummary.h"
#include "timeline/tododate.h"
#include "timeline/todolist.h"
#include "timeline/todostore.h"
#include "worksheets/worksheetfiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QDate kToday(2026, 3, 10);

bool writeRtf(const QString &path, const QString &text)
{
    QTextDocument document;
    document.setPlainText(text);
    return Rtf::saveFile(path, document);
}

QString zipMember(const QString &path, const QString &member)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, member});
    unzip.waitForFinished();
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

// A minimal RFC 4180 reader for the exported CSV.
QList<QStringList> readCsv(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << field;
            field.clear();
        } else if (c == QLatin1Char('\r')) {
        } else if (c == QLatin1Char('\n')) {
            row << field;
            rows << row;
            row.clear();
            field.clear();
        } else {
            field += c;
        }
    }
    return rows;
}

// The cells of the first sheet of an XLSX: row by row, strings resolved,
// numbers as written.
QList<QStringList> readXlsx(const QString &path, QList<QStringList> *styles = nullptr)
{
    QStringList shared;
    QXmlStreamReader strings(zipMember(path, QStringLiteral("xl/sharedStrings.xml")));
    QString current;
    bool inText = false;
    while (!strings.atEnd()) {
        strings.readNext();
        if (strings.isStartElement() && strings.name() == QLatin1String("si"))
            current.clear();
        else if (strings.isStartElement() && strings.name() == QLatin1String("t"))
            inText = true;
        else if (strings.isEndElement() && strings.name() == QLatin1String("t"))
            inText = false;
        else if (strings.isCharacters() && inText)
            current += strings.text();
        else if (strings.isEndElement() && strings.name() == QLatin1String("si"))
            shared << current;
    }
    QList<QStringList> rows;
    QXmlStreamReader sheet(zipMember(path, QStringLiteral("xl/worksheets/sheet1.xml")));
    QString type;
    QString style;
    int column = 0;
    while (!sheet.atEnd()) {
        sheet.readNext();
        if (sheet.isStartElement() && sheet.name() == QLatin1String("row")) {
            rows << QStringList();
            if (styles)
                *styles << QStringList();
        } else if (sheet.isStartElement() && sheet.name() == QLatin1String("c")) {
            type = sheet.attributes().value(QLatin1String("t")).toString();
            style = sheet.attributes().value(QLatin1String("s")).toString();
            const QString ref = sheet.attributes().value(QLatin1String("r")).toString();
            column = ref.at(0).unicode() - 'A';
        } else if (sheet.isStartElement() && sheet.name() == QLatin1String("v")) {
            const QString value = sheet.readElementText();
            while (rows.last().size() < column)
                rows.last() << QString();
            rows.last() << (type == QLatin1String("s") ? shared.value(value.toInt()) : value);
            if (styles) {
                while (styles->last().size() < column)
                    styles->last() << QString();
                styles->last() << style;
            }
        }
    }
    return rows;
}

// The fixture: three safeguards with entries, statuses, one worksheet, the
// recovery plan and three to-do items.
struct Fixture
{
    QTemporaryDir dir;
    Workbook workbook;

    Fixture()
        : workbook(dir.path())
    {
        StatusTable statuses(Workbook(dir.path()));
        statuses.loadStatusTable();
        statuses.writeStatus(1, QStringLiteral("Completed"));
        statuses.writeStatus(2, QStringLiteral("Working"));
        statuses.writeStatus(15, QStringLiteral("Pending"));
        statuses.writeStatus(41, QStringLiteral("Completed"));
        statuses.writeStatus(48, QStringLiteral("Partial"));
        writeRtf(workbook.filePath(QStringLiteral("Action0.Fil")), QStringLiteral("We analysed every system in 2025."));
        writeRtf(workbook.filePath(QStringLiteral("Comment0.Fil")), QStringLiteral("The analysis is repeated yearly."));
        writeRtf(workbook.filePath(QStringLiteral("Policy14.Fil")), QStringLiteral("Passwords have twelve characters."));
        writeRtf(workbook.filePath(QStringLiteral("Action40.Fil")), QStringLiteral("TLS on every connection."));
        writeRtf(workbook.filePath(Worksheets::contentFileName(0)), QStringLiteral("Assets: the billing server."));
        writeRtf(workbook.filePath(QStringLiteral("DRPln1.Fil")), QStringLiteral("Restore from the nightly backup."));
        ToDoList list;
        list.row(0).fields[ToDoItem::Item] = QStringLiteral("Train the front desk on the new sign-in procedure and "
                                                           "record who attended each of the sessions");
        list.row(0).fields[ToDoItem::ToDoDate] = ToDoDate::format(QDate(2026, 3, 1));
        list.row(1).fields[ToDoItem::Item] = QStringLiteral("Review the backup tapes");
        list.row(1).fields[ToDoItem::ToDoDate] = ToDoDate::format(QDate(2026, 3, 20));
        list.row(1).fields[ToDoItem::NextReviewDate] = ToDoDate::format(QDate(2027, 3, 20));
        list.row(2).fields[ToDoItem::Item] = QStringLiteral("Sign the business associate contracts");
        list.row(2).fields[ToDoItem::ToDoDate] = ToDoDate::format(QDate(2026, 1, 5));
        list.row(2).fields[ToDoItem::ActualDate] = ToDoDate::format(QDate(2026, 1, 4));
        ToDoStore::saveList(list, workbook);
    }

    AuditBinder::Cover cover() const
    {
        AuditBinder::Cover cover;
        cover.organization = QStringLiteral("Lakeside Family Clinic");
        cover.preparedBy = QStringLiteral("Dana Reyes");
        cover.workbookName = QStringLiteral("Lakeside");
        cover.made = QDateTime(kToday, QTime(9, 30));
        return cover;
    }
};

// The page (1-based) the contents give for a title.
int contentsPage(const QStringList &pages, const QString &title)
{
    for (int page = 0; page < std::min<int>(3, pages.size()); ++page) {
        if (!pages[page].contains(QStringLiteral("Contents")))
            continue;
        for (const QString &line : pages[page].split(QLatin1Char('\n'))) {
            const QString text = line.simplified();
            if (text.startsWith(title + QLatin1Char(' '))) {
                const QString number = text.section(QLatin1Char(' '), -1);
                bool ok = false;
                const int value = number.toInt(&ok);
                if (ok && text.mid(title.size()).trimmed() == number)
                    return value;
            }
        }
    }
    return -1;
}

struct Bookmark
{
    QString title;
    int page = 0;
    int level = 0;
};

QList<Bookmark> outlineOf(const QString &pdf)
{
    QProcess qpdf;
    qpdf.start(QStringLiteral("qpdf"), {QStringLiteral("--json=2"), QStringLiteral("--json-key=outlines"), pdf});
    qpdf.waitForFinished(60000);
    const QJsonObject root = QJsonDocument::fromJson(qpdf.readAllStandardOutput()).object();
    QList<Bookmark> result;
    std::function<void(const QJsonArray &, int)> walk = [&](const QJsonArray &items, int level) {
        for (const QJsonValue &value : items) {
            const QJsonObject item = value.toObject();
            result.append({item.value(QLatin1String("title")).toString(),
                           item.value(QLatin1String("destpageposfrom1")).toInt(), level});
            walk(item.value(QLatin1String("kids")).toArray(), level + 1);
        }
    };
    walk(root.value(QLatin1String("outlines")).toArray(), 0);
    return result;
}

} // namespace

class TestBinder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        PrintSurface::rememberPageSize(QPageSize());
    }

    void binderReadsBackWithContentsAndBookmarks()
    {
        Fixture fixture;
        AuditBinder::Options options;
        options.onlyWithEntries = true;
        const AuditBinder::Contents contents = AuditBinder::gather(fixture.workbook, options, kToday);
        QCOMPARE(contents.safeguards.size(), 3);
        PrintSurface surface;
        AuditBinder::compose(surface, contents, fixture.cover());
        const QString path = fixture.dir.filePath(QStringLiteral("binder.pdf"));
        QString error;
        QVERIFY2(AuditBinder::writePdf(surface, fixture.cover(), path, &error), qPrintable(error));

        const QStringList pages = pdfPageTexts(path);
        QCOMPARE(pages.size(), surface.pageCount());
        QVERIFY(pages[0].contains(QStringLiteral("Lakeside Family Clinic")));
        QVERIFY(pages[0].contains(QStringLiteral("Prepared by: Dana Reyes")));
        QVERIFY(pages[0].contains(QStringLiteral("March 10, 2026")));

        QStringList titles;
        for (int section = 0; section < AuditBinder::SectionCount; ++section)
            titles << AuditBinder::sectionTitle(section);
        for (int no : {0, 14, 40})
            titles << QString::fromLatin1(Catalogue::safeguardAt(no).fullName);
        titles << Worksheets::defaultTitle(0);
        for (const QString &title : titles) {
            const int page = contentsPage(pages, title);
            QVERIFY2(page > 0, qPrintable(title + QStringLiteral(" is not in the contents")));
            QVERIFY2(page <= pages.size(), qPrintable(title));
            QVERIFY2(pages[page - 1].contains(title),
                     qPrintable(QStringLiteral("%1 is not on page %2").arg(title).arg(page)));
        }
        // A safeguard without entries is left out, as asked.
        QCOMPARE(contentsPage(pages, QString::fromLatin1(Catalogue::safeguardAt(1).fullName)), -1);
        QVERIFY(pages.join(QString()).contains(QStringLiteral("Passwords have twelve characters.")));

        // Every page carries the organization and "Page N of M".
        for (int i = 0; i < pages.size(); ++i) {
            QVERIFY2(pages[i].contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.size())), qPrintable(QString::number(i)));
            QVERIFY(pages[i].contains(QStringLiteral("Lakeside Family Clinic")));
        }

        // One bookmark per section and safeguard, at the page the contents give.
        const QList<Bookmark> bookmarks = outlineOf(path);
        QStringList bookmarked;
        for (const Bookmark &bookmark : bookmarks) {
            bookmarked << bookmark.title;
            if (bookmark.title == QLatin1String("Contents"))
                continue;
            QCOMPARE(bookmark.page, contentsPage(pages, bookmark.title));
        }
        for (const QString &title : titles)
            QCOMPARE(bookmarked.count(title), 1);
        for (const Bookmark &bookmark : bookmarks) {
            if (bookmark.title == QString::fromLatin1(Catalogue::safeguardAt(14).fullName))
                QCOMPARE(bookmark.level, 1);
        }
        QCOMPARE(pdfInfoField(path, QStringLiteral("Author")), QStringLiteral("Dana Reyes"));
        QVERIFY(pdfInfoField(path, QStringLiteral("Title")).startsWith(QStringLiteral("Audit Binder")));
        QVERIFY(!pdfInfoField(path, QStringLiteral("Subject")).isEmpty());
        QVERIFY(pdfInfoField(path, QStringLiteral("CreationDate")).contains(QStringLiteral("2026")));
    }

    void contentsLinkToTheirPages()
    {
        Fixture fixture;
        PrintSurface surface;
        AuditBinder::compose(surface, AuditBinder::gather(fixture.workbook, {}, kToday), fixture.cover());
        QVERIFY(!surface.links().isEmpty());
        for (const PrintLink &link : surface.links()) {
            const PrintAnchor &target = surface.anchors().at(link.anchor);
            QVERIFY(link.page <= 2);
            QVERIFY(target.page > link.page);
            QVERIFY(surface.pageText(target.page).contains(target.title.left(20)));
        }
    }

    void sectionsWithoutDataAreLeftOut()
    {
        QTemporaryDir empty;
        AuditBinder::Options options;
        options.onlyWithEntries = true;
        const AuditBinder::Contents contents = AuditBinder::gather(Workbook(empty.path()), options, kToday);
        PrintSurface surface;
        AuditBinder::compose(surface, contents, {});
        QStringList titles;
        for (const PrintAnchor &anchor : surface.anchors())
            titles << anchor.title;
        QCOMPARE(titles, (QStringList{QStringLiteral("Contents"), AuditBinder::sectionTitle(AuditBinder::Dashboard),
                                      AuditBinder::sectionTitle(AuditBinder::Summary)}));
        QVERIFY(surface.pageText(0).contains(QStringLiteral("(organization not named)")));
    }

    void odtHoldsTheHeadingsAsHeadings()
    {
        Fixture fixture;
        AuditBinder::Options options;
        options.onlyWithEntries = true;
        const QString path = fixture.dir.filePath(QStringLiteral("binder.odt"));
        QString error;
        QVERIFY2(AuditBinder::writeOdt(AuditBinder::gather(fixture.workbook, options, kToday), fixture.cover(), path,
                                       &error),
                 qPrintable(error));
        QCOMPARE(zipMember(path, QStringLiteral("mimetype")), QStringLiteral("application/vnd.oasis.opendocument.text"));
        QXmlStreamReader xml(zipMember(path, QStringLiteral("content.xml")));
        QStringList headings;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("h"))
                headings << xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        const QStringList expected{AuditBinder::kDocumentName,
                                   AuditBinder::sectionTitle(AuditBinder::Dashboard),
                                   AuditBinder::sectionTitle(AuditBinder::Summary),
                                   AuditBinder::sectionTitle(AuditBinder::Safeguards),
                                   QString::fromLatin1(Catalogue::safeguardAt(0).fullName)};
        for (const QString &heading : expected)
            QVERIFY2(headings.contains(heading), qPrintable(heading + QStringLiteral(" | ") + headings.join(QLatin1Char('|'))));
        QVERIFY(headings.contains(QStringLiteral("Action Taken")));
        QVERIFY(headings.contains(AuditBinder::sectionTitle(AuditBinder::Timeline)));
    }

    void optionsAreRememberedInTheWorkbook_data()
    {
        QTest::addColumn<QList<bool>>("sections");
        QTest::addColumn<bool>("onlyWithEntries");
        QTest::newRow("some") << QList<bool>{true, false, true, false, true, false} << true;
        QTest::newRow("none") << QList<bool>{false, false, false, false, false, false} << false;
        QTest::newRow("all") << QList<bool>{true, true, true, true, true, true} << false;
    }
    void optionsAreRememberedInTheWorkbook()
    {
        QFETCH(QList<bool>, sections);
        QFETCH(bool, onlyWithEntries);
        QTemporaryDir dir;
        const Workbook workbook(dir.path());
        AuditBinder::Options options;
        for (int i = 0; i < AuditBinder::SectionCount; ++i)
            options.sections[size_t(i)] = sections[i];
        options.onlyWithEntries = onlyWithEntries;
        {
            WorkbookDatabase database(workbook);
            database.open();
            QCOMPARE(AuditBinder::loadOptions(&database), AuditBinder::Options{});
            QString error;
            QVERIFY2(AuditBinder::saveOptions(database, options, &error), qPrintable(error));
        }
        WorkbookDatabase reopened(workbook);
        reopened.open();
        QCOMPARE(AuditBinder::loadOptions(&reopened), options);
    }

    void summaryExportMatchesTheGrid_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::newRow("csv") << "csv";
        QTest::newRow("xlsx") << "xlsx";
    }
    void summaryExportMatchesTheGrid()
    {
        QFETCH(QString, suffix);
        Fixture fixture;
        StatusTable statuses(Workbook(fixture.dir.path()));
        statuses.loadStatusTable();
        const QString path = fixture.dir.filePath(QStringLiteral("summary.") + suffix);
        QString error;
        QVERIFY2(SpreadsheetExports::write(SpreadsheetExports::summaryTable(
                                               [&statuses](int record) { return statuses.slot(record); }),
                                           path, &error),
                 qPrintable(error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QStringList> rows = suffix == QLatin1String("csv") ? readCsv(file.readAll()) : readXlsx(path);
        QCOMPARE(rows.value(0), (QStringList{QStringLiteral("Group"), QStringLiteral("Standard"),
                                             QStringLiteral("Section"), QStringLiteral("Implementation Specification"),
                                             QStringLiteral("R/A"), QStringLiteral("Current Status")}));
        // Cell by cell with the grid's own rows.
        int index = 1;
        for (int g = 0; g < Standards::kGroupCount; ++g) {
            const Standards::Group &group = Standards::group(g);
            for (const Standards::Standard &standard : group.standards) {
                for (const Standards::Specification &specification : standard.specifications) {
                    QStringList expected{group.name, standard.standardLines.join(QLatin1Char(' ')).simplified(),
                                         standard.section, specification.name.trimmed(),
                                         Standards::designationLetter(specification.designation),
                                         statuses.slot(specification.statusRecord).trimmed()};
                    QStringList actual = rows.value(index++);
                    while (actual.size() < expected.size())
                        actual << QString();
                    QCOMPARE(actual, expected);
                }
            }
        }
        QCOMPARE(index - 1, 42);
        // Then the Organizational Requirements and Documentation rows, names whole.
        QStringList rest;
        for (int i = index; i < rows.size(); ++i)
            rest << rows[i].value(1);
        QVERIFY(rest.contains(QStringLiteral("Business Associate Contracts or Other Arrangements")));
        QVERIFY(rest.contains(QStringLiteral("Documentation")));
        QCOMPARE(rows.value(1).value(5), QStringLiteral("Completed"));
    }

    void timelineExportHasRealDates()
    {
        Fixture fixture;
        ToDoList list;
        ToDoStore::loadList(list, fixture.workbook);
        const QString csvPath = fixture.dir.filePath(QStringLiteral("timeline.csv"));
        const QString xlsxPath = fixture.dir.filePath(QStringLiteral("timeline.xlsx"));
        QVERIFY(SpreadsheetExports::write(SpreadsheetExports::timelineTable(list), csvPath));
        QVERIFY(SpreadsheetExports::write(SpreadsheetExports::timelineTable(list), xlsxPath));
        QFile csv(csvPath);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QList<QStringList> rows = readCsv(csv.readAll());
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[2], (QStringList{QStringLiteral("Review the backup tapes"), QStringLiteral("2026-03-20"),
                                      QString(), QStringLiteral("2027-03-20")}));
        QList<QStringList> styles;
        const QList<QStringList> cells = readXlsx(xlsxPath, &styles);
        QCOMPARE(cells.size(), 4);
        // A date is a number of days since 1899-12-30 with a date style.
        QCOMPARE(cells[2].value(1).toDouble(), double(QDate(1899, 12, 30).daysTo(QDate(2026, 3, 20))));
        QVERIFY(!styles[2].value(1).isEmpty());
        QCOMPARE(cells[3].value(2).toDouble(), double(QDate(1899, 12, 30).daysTo(QDate(2026, 1, 4))));
    }

    void dashboardCountsStatusesAndToDoItems()
    {
        Fixture fixture;
        StatusTable statuses(Workbook(fixture.dir.path()));
        statuses.loadStatusTable();
        ToDoList list;
        ToDoStore::loadList(list, fixture.workbook);
        const ProgressFigures figures =
            WorkbookProgress::figures([&statuses](int record) { return statuses.slot(record); }, list, kToday);
        QCOMPARE(figures.safeguards, 47);
        QCOMPARE(figures.completed, 2);
        QCOMPARE(figures.completedLine(), QStringLiteral("2 of 47 completed"));
        QCOMPARE(figures.groups.size(), 5);
        QCOMPARE(figures.groups[0].counts[ProgressFigures::Completed], 1);
        QCOMPARE(figures.groups[0].counts[ProgressFigures::Working], 1);
        QCOMPARE(figures.groups[0].counts[ProgressFigures::Pending], 1);
        QCOMPARE(figures.groups[0].total(), 23);
        QCOMPARE(figures.groups[2].counts[ProgressFigures::Completed], 1);
        // Item 1 is overdue, item 2 due within 30 days, item 3 done.
        QCOMPARE(figures.overdue, 1);
        QCOMPARE(figures.dueSoon, 1);
    }

    void dashboardRedrawsWhenAStatusChanges()
    {
        Fixture fixture;
        StatusTable statuses(Workbook(fixture.dir.path()));
        statuses.loadStatusTable();
        DashboardWidget widget;
        widget.setSource([&statuses] {
            return WorkbookProgress::figures([&statuses](int record) { return statuses.slot(record); }, ToDoList(),
                                             kToday);
        });
        statuses.addChangeListener([&widget](int) { widget.refresh(); });
        QCOMPARE(widget.figures().completed, 2);
        QVERIFY(statuses.writeStatus(3, QStringLiteral("Completed")));
        QCOMPARE(widget.figures().completed, 3);
        QCOMPARE(widget.figures().groups[0].counts[ProgressFigures::Completed], 2);
        // The legend names every status: the picture is not colour alone.
        widget.resize(700, widget.heightForWidth(700));
        QImage image(widget.size(), QImage::Format_RGB32);
        widget.render(&image);
        QVERIFY(image.pixelColor(image.width() / 2, image.height() / 2).isValid());
    }

    void summaryPrintsWholeNamesAndEveryStatus()
    {
        PrintSurface surface;
        StandardsSummary::Selection selection;
        selection.all = true;
        selection.worksheetTitles = Worksheets::readTitles(Workbook(QStringLiteral("/nonexistent")));
        StandardsSummary::compose(
            surface, selection, [](int record) { return QStringLiteral("S%1").arg(record); }, Qt::black, kToday);
        QString text;
        for (int page = 0; page < surface.pageCount(); ++page)
            text += surface.pageText(page) + QLatin1Char('\n');
        QVERIFY(text.contains(QStringLiteral("Business Associate Contracts")));
        QVERIFY(text.contains(QStringLiteral("or Other Arrangements")));
        QVERIFY(text.contains(QStringLiteral("Requirements for Group Health Plans")));
        QVERIFY(!text.contains(QStringLiteral("..")));
        // The two overviews (records 43 and 46) and the worksheets (48-68).
        for (int record : {43, 46, 48, 68})
            QVERIFY2(text.contains(QStringLiteral("S%1").arg(record)), qPrintable(QString::number(record)));
        // Nothing closer to the paper's edge than half an inch.
        for (int page = 0; page < surface.pageCount(); ++page) {
            for (const PrintedLine &line : surface.lines(page)) {
                QVERIFY(std::min(line.line.x1(), line.line.x2()) >= 720);
                QVERIFY(std::max(line.line.x1(), line.line.x2()) <= surface.pageSizeTwips(page).width() - 720);
            }
        }
    }

    void safeguardReportSaysWhatItIs()
    {
        QTemporaryDir dir;
        SafeguardReport report(QString{});
        report.reset(14);
        report.scratch(4).setPlainText(QStringLiteral("We changed every password."));
        report.setStatus(QStringLiteral("Working"));
        report.setFurniture(QStringLiteral("Lakeside Family Clinic"), kToday);
        PrintSurface surface;
        SafeguardReport::Sections sections{};
        sections[3] = true;
        report.compose(surface, sections);
        const QString first = surface.pageText(0);
        const QStringList lines = first.split(QLatin1Char('\n'));
        QVERIFY(first.contains(QStringLiteral("Password Management")));
        QVERIFY(first.contains(QStringLiteral("Standard: Security Awareness")));
        QVERIFY(first.contains(QStringLiteral("Section: \u00A7164.308(a)(5)")));
        QVERIFY(first.contains(QStringLiteral("Required/Addressable: Addressable")));
        QVERIFY(first.contains(QStringLiteral("Status: Working")));
        QVERIFY(first.contains(QStringLiteral("Page 1 of 1")));
        QVERIFY(first.contains(QStringLiteral("Lakeside Family Clinic")));
        QVERIFY(first.contains(QStringLiteral("March 10, 2026")));
    }

    void headingIsNeverTheLastLineOfAPage()
    {
        PrintSurface surface;
        surface.setMargins({720, 720, 720, 720});
        surface.startDoc();
        const int line = surface.lineHeight();
        surface.setCurrentY(surface.pageHeight() - 720 - line - line / 2);
        surface.heading(QStringLiteral("Action Taken:"));
        surface.paragraph(QStringLiteral("Text that follows."));
        surface.endDoc();
        QCOMPARE(surface.pageCount(), 2);
        QVERIFY(!surface.pageText(0).contains(QStringLiteral("Action Taken:")));
        QVERIFY(surface.pageText(1).startsWith(QStringLiteral("Action Taken:")));
    }

    void pageSizeFollowsTheLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("pageSize");
        QTest::newRow("United States") << QLocale(QLocale::English, QLocale::UnitedStates) << int(QPageSize::Letter);
        QTest::newRow("Germany") << QLocale(QLocale::German, QLocale::Germany) << int(QPageSize::A4);
        QTest::newRow("United Kingdom") << QLocale(QLocale::English, QLocale::UnitedKingdom) << int(QPageSize::A4);
    }
    void pageSizeFollowsTheLocale()
    {
        QFETCH(QLocale, locale);
        QFETCH(int, pageSize);
        const QLocale previous;
        QLocale::setDefault(locale);
        const PrintSurface surface;
        QLocale::setDefault(previous);
        QCOMPARE(int(surface.pageSize().id()), pageSize);
        PrintSurface::rememberPageSize(QPageSize(QPageSize::Legal));
        QCOMPARE(PrintSurface().pageSize().id(), QPageSize::Legal);
        PrintSurface::rememberPageSize(QPageSize());
    }
};

QTEST_MAIN(TestBinder)
#include "tst_binder.moc"
