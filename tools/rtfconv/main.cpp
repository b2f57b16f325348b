// rtfconv: converts between the program's RTF documents and other formats.
//
//   rtfconv --to txt|html|rtf IN [OUT]
//
// IN is RTF (or, for --to rtf, Markdown when its name ends in ".md"). The
// build compiles every shipped document from Markdown with it.

#include "platform/records/safefile.h"
#include "platform/rtf/rtf.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <cstdio>

namespace {

constexpr auto DocumentFont = "Times New Roman";
constexpr int DocumentPointSize = 12;

int fail(const QString &message)
{
    std::fprintf(stderr, "rtfconv: %s\n", qPrintable(message));
    return 1;
}

// Qt's own notices (about the session or fonts) would mix with the one-line
// messages callers look for; only serious ones are passed on.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "rtfconv: %s\n", qPrintable(message));
}

int usage()
{
    std::fprintf(stderr, "usage: rtfconv --to txt|html|rtf IN [OUT]\n");
    return 2;
}

qreal headingPointSize(int level)
{
    switch (level) {
    case 1: return 16;
    case 2: return 14;
    default: return 12;
    }
}

// Markdown as Qt imports it relies on relative sizes and on a screen's
// default spacing; a word processor needs absolute values.
void shapeForPrint(QTextDocument &document)
{
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat blockFormat = block.blockFormat();
        const int heading = blockFormat.headingLevel();
        const bool inTable = QTextCursor(block).currentTable() != nullptr;
        const bool inList = block.textList() != nullptr;
        const bool lastOfList = inList && block.textList()->itemNumber(block) == block.textList()->count() - 1;

        if (heading > 0) {
            blockFormat.setTopMargin(heading == 1 ? 16 : 12);
            blockFormat.setBottomMargin(8);
        } else if (inTable) {
            blockFormat.setTopMargin(0);
            blockFormat.setBottomMargin(0);
        } else if (inList) {
            blockFormat.setTopMargin(0);
            blockFormat.setBottomMargin(lastOfList ? 8 : 2);
        } else {
            blockFormat.setTopMargin(0);
            blockFormat.setBottomMargin(8);
        }
        QTextCursor blockCursor(block);
        blockCursor.setBlockFormat(blockFormat);

        // Every run gets an absolute size; headings are bold and larger.
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            format.clearProperty(QTextFormat::FontSizeAdjustment);
            if (heading > 0) {
                format.setFontPointSize(headingPointSize(heading));
                format.setFontWeight(QFont::Bold);
            } else if (!format.hasProperty(QTextFormat::FontPointSize)) {
                format.setFontPointSize(DocumentPointSize);
            }
            if (format.fontFixedPitch() || format.hasProperty(QTextFormat::FontFixedPitch))
                format.setFontFamilies({QStringLiteral("Courier New")});
            QTextCursor run(&document);
            run.setPosition(fragment.position());
            run.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            run.setCharFormat(format);
        }
    }
    cursor.endEditBlock();
}

bool readInput(const QString &path, bool markdown, QTextDocument &document, QString *error)
{
    QByteArray bytes;
    if (!readWholeFile(path, &bytes, error))
        return false;
    document.setDefaultFont(QFont(QString::fromLatin1(DocumentFont), DocumentPointSize));
    if (markdown) {
        document.setMarkdown(QString::fromUtf8(bytes), QTextDocument::MarkdownDialectGitHub);
        shapeForPrint(document);
    } else {
        Rtf::read(bytes, &document);
    }
    return true;
}

bool writeOutput(const QString &path, const QByteArray &bytes, QString *error)
{
    if (path.isEmpty()) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
            *error = out.errorString();
            return false;
        }
        return true;
    }
    return writeFileSafely(path, bytes, error);
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(quietMessages);
    // A converter needs no display; it runs in builds without one.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 3 || args.size() > 4 || args.at(0) != QLatin1String("--to"))
        return usage();
    const QString target = args.at(1);
    if (target != QLatin1String("txt") && target != QLatin1String("html") && target != QLatin1String("rtf"))
        return usage();
    const QString input = args.at(2);
    const QString output = args.value(3);
    const bool markdown = QFileInfo(input).suffix().compare(QLatin1String("md"), Qt::CaseInsensitive) == 0;

    QTextDocument document;
    QString error;
    if (!readInput(input, markdown, document, &error))
        return fail(QStringLiteral("cannot read %1: %2").arg(input, error));

    QByteArray bytes;
    if (target == QLatin1String("txt"))
        bytes = document.toPlainText().toUtf8();
    else if (target == QLatin1String("html"))
        bytes = document.toHtml().toUtf8();
    else
        bytes = Rtf::write(document);

    if (!writeOutput(output, bytes, &error))
        return fail(QStringLiteral("cannot write %1: %2").arg(output.isEmpty() ? QStringLiteral("standard output") : output, error));
    return 0;
}
