// Hostile files in a workbook, for every kind of file the program reads:
// cut short, empty, binary garbage, 200 MB (sparse), a folder, a symbolic
// link loop or a pipe in the file's place, and for entries RTF built to hurt
// (100,000 nested groups, a \bin with a huge length, a picture of endless
// hex). Reading never crashes or hangs (CTest's timeout catches a hang),
// says why when it reads nothing, and changes no file of the workbook.
#include "actionarea/status/statustable.h"
#include "platform/records/safefile.h"
#include "platform/records/settingsstore.h"
#include "platform/rtf/rtf.h"
#include "timeline/itemnamelist.h"
#include "timeline/todolist.h"
#include "timeline/todostore.h"
#include "worksheets/worksheetfiles.h"

#include <QCryptographicHash>
#include <QDirIterator>

#include <functional>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Hostile { Truncated, Empty, Garbage, Huge, Folder, LinkLoop, Pipe, DeepGroups, HugeBin, EndlessHex };

struct Kind
{
    const char *name;
    QString fileName;
    QByteArray valid;   // a sound file of the kind, cut short for Truncated
    // Reads the file as the program does; true when something was read,
    // false (with *why) when the reader refused it.
    std::function<bool(const QString &folder, QString *why)> read;
};

QByteArray record(const QByteArray &text, int length)
{
    QByteArray bytes(length, '\0');
    bytes[0] = char(text.size());
    bytes.replace(2, text.size(), text);
    return bytes;
}

QList<Kind> kinds()
{
    return {
        {"entry", QStringLiteral("Action0.Fil"), "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\b Risk\\b0  analysis\\par}",
         [](const QString &folder, QString *why) {
             QTextDocument document;
             return Rtf::loadFile(QDir(folder).filePath(QStringLiteral("Action0.Fil")), &document, why);
         }},
        {"statuses", QStringLiteral("Stat1.Fil"), record("Completed", 20) + record("Not Started", 20),
         [](const QString &folder, QString *) {
             StatusTable table{Workbook(folder)};
             table.loadStatusTable();
             return true;
         }},
        {"to-do list", QStringLiteral("TODOActv.FIL"), "\"Audit\"\r\n\"Tue - Mar 6, 07\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n",
         [](const QString &folder, QString *why) {
             ToDoList list;
             const bool read = ToDoStore::loadList(list, Workbook(folder)).loaded();
             if (!read)
                 *why = QStringLiteral("not read");
             return read;
         }},
        {"item names", QStringLiteral("TODONAME.Fil"), "\"Audit\"\r\n\"Backup\"\r\n",
         [](const QString &folder, QString *why) {
             ItemNameList names;
             const bool read = ToDoStore::loadNames(names, Workbook(folder)).loaded();
             if (!read)
                 *why = QStringLiteral("not read");
             return read;
         }},
        {"worksheet titles", QStringLiteral("RAList.Fil"), record("Server room", 20) + record("Laptops", 20),
         [](const QString &folder, QString *) {
             const QStringList titles = Worksheets::readTitles(Workbook(folder));
             return titles.size() == Worksheets::kCount;
         }},
        {"settings", QStringLiteral("GColor3.Fil"), record("3", 20),
         [](const QString &folder, QString *) {
             SettingsStore store{Workbook(folder)};
             const int picture = store.gridBackground();
             return picture >= 0 && picture <= SettingsStore::kGridPictureCount;
         }},
    };
}

// Every file of the folder by name: its size and digest (a sparse file is
// digested by its size and first megabyte), and what a link points to.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        QByteArray what = QByteArray::number(info.isSymLink()) + info.symLinkTarget().toUtf8();
        struct stat status {};
        if (::lstat(QFile::encodeName(info.absoluteFilePath()).constData(), &status) == 0 && S_ISREG(status.st_mode)) {
            QFile file(info.absoluteFilePath());
            if (file.open(QIODevice::ReadOnly))
                what += QByteArray::number(file.size()) + QCryptographicHash::hash(file.read(1 << 20), QCryptographicHash::Sha256);
        } else {
            what += QByteArray::number(int(status.st_mode));
        }
        files.insert(info.fileName(), what);
    }
    return files;
}

bool plant(Hostile hostile, const Kind &kind, const QString &folder)
{
    const QString path = QDir(folder).filePath(kind.fileName);
    const auto write = [&path](const QByteArray &bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    switch (hostile) {
    case Hostile::Truncated:
        return write(kind.valid.left(kind.valid.size() / 2 + 1));
    case Hostile::Empty:
        return write(QByteArray());
    case Hostile::Garbage: {
        QByteArray bytes(64 * 1024, '\0');
        quint32 x = 2463534242u;
        for (char &c : bytes) {
            x ^= x << 13; x ^= x >> 17; x ^= x << 5;
            c = char(x);
        }
        return write(bytes);
    }
    case Hostile::Huge: {
        QFile file(path);
        // 200 MB that take no room: a hole after a sound start.
        return file.open(QIODevice::WriteOnly) && file.write(kind.valid) == kind.valid.size()
               && file.resize(200LL * 1024 * 1024);
    }
    case Hostile::Folder:
        return QDir(folder).mkdir(kind.fileName);
    case Hostile::LinkLoop:
        return QFile::link(path + QStringLiteral(".b"), path) && QFile::link(path, path + QStringLiteral(".b"));
    case Hostile::Pipe:
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    case Hostile::DeepGroups:
        return write("{\\rtf1 " + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + "}");
    case Hostile::HugeBin:
        return write("{\\rtf1 before{\\pict\\pngblip\\bin2147483647 abc}after\\bin99999999999999999999 x}");
    case Hostile::EndlessHex: {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write("{\\rtf1 text{\\pict\\pngblip ");
        const QByteArray hex(1 << 20, 'a');
        // 48 MB of hex: under the size limit, so the reader must cope.
        for (int i = 0; i < 48; ++i)
            file.write(hex);
        file.write("}end}");
        return true;
    }
    }
    return false;
}

} // namespace

Q_DECLARE_METATYPE(Hostile)

class TestHostileFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readersHoldEveryHostileFile_data();
    void readersHoldEveryHostileFile();
};

void TestHostileFiles::readersHoldEveryHostileFile_data()
{
    QTest::addColumn<int>("kindIndex");
    QTest::addColumn<Hostile>("hostile");
    QTest::addColumn<bool>("refused");   // the reader must say why it read nothing
    const QList<Kind> all = kinds();
    for (int k = 0; k < all.size(); ++k) {
        const bool wholeFileReader = k == 0 || k == 2 || k == 3;
        const auto row = [&](const char *name, Hostile hostile, bool refused) {
            QTest::addRow("%s: %s", all[k].name, name) << k << hostile << refused;
        };
        row("truncated", Hostile::Truncated, false);
        row("zero-length", Hostile::Empty, false);
        row("binary garbage", Hostile::Garbage, false);
        row("200 MB", Hostile::Huge, wholeFileReader);
        row("a folder in its place", Hostile::Folder, wholeFileReader);
        row("a symbolic link loop in its place", Hostile::LinkLoop, wholeFileReader);
        row("a pipe in its place", Hostile::Pipe, wholeFileReader);
        if (k == 0) {
            row("100,000 nested groups", Hostile::DeepGroups, false);
            row("\\bin with a huge length", Hostile::HugeBin, false);
            row("48 MB of picture hex", Hostile::EndlessHex, false);
        }
    }
}

void TestHostileFiles::readersHoldEveryHostileFile()
{
    QFETCH(int, kindIndex);
    QFETCH(Hostile, hostile);
    QFETCH(bool, refused);
    const Kind kind = kinds().at(kindIndex);
    QTemporaryDir folder;
    QVERIFY(plant(hostile, kind, folder.path()));
    // Another file of the workbook, to see that nothing else is touched.
    QFile other(folder.filePath(QStringLiteral("Policy3.Fil")));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write("{\\rtf1 policy}");
    other.close();
    const QMap<QString, QByteArray> before = snapshot(folder.path());

    QString why;
    const bool read = kind.read(folder.path(), &why);
    if (refused) {
        QVERIFY(!read);
        QVERIFY2(!why.isEmpty(), "a refusal must say why");
    }
    QCOMPARE(snapshot(folder.path()), before);
}

QTEST_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
