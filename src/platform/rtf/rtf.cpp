#include "platform/rtf/rtf.h"

#include "platform/records/safefile.h"
#include "platform/records/workbookfileread.h"
#include "platform/records/windows1252.h"
#include "platform/rtf/rtfreader.h"
#include "platform/rtf/rtfwriter.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace Rtf {

namespace {

// Text that is not RTF: Windows-1252 (or UTF-8 when it says so with a byte
// order mark), with any line-end convention.
QString plainText(QByteArrayView bytes)
{
    QString text = bytes.startsWith("\xEF\xBB\xBF") ? QString::fromUtf8(bytes.sliced(3)) : Windows1252::decode(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // Control characters have no place in a document (and could not be saved).
    text.removeIf([](QChar ch) {
        const char16_t unit = ch.unicode();
        return (unit < 0x20 && unit != u'\n' && unit != u'\t') || (unit >= 0x7F && unit < 0xA0);
    });
    return text;
}

void readInto(QByteArrayView rtf, QTextDocument *document)
{
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    document->clear();
    QTextCursor batch(document);
    batch.beginEditBlock();
    if (looksLikeRtf(rtf)) {
        Internal::Reader reader(document);
        reader.read(rtf);
    } else if (!rtf.isEmpty()) {
        batch.insertText(plainText(rtf));
    }
    batch.endEditBlock();
    document->setUndoRedoEnabled(undo);
}

} // namespace

bool looksLikeRtf(QByteArrayView bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.sliced(i).startsWith("{\\rtf");
}

void read(QByteArrayView rtf, QTextDocument *document)
{
    if (document)
        readInto(rtf, document);
}

void insert(QByteArrayView rtf, QTextCursor &cursor)
{
    if (cursor.isNull())
        return;
    QTextDocument scratch;
    if (cursor.document())
        scratch.setDefaultFont(cursor.document()->defaultFont());
    readInto(rtf, &scratch);
    cursor.insertFragment(QTextDocumentFragment(&scratch));
}

QByteArray write(const QTextDocument &document)
{
    return Internal::Writer(document).write();
}

QByteArray write(const QTextDocumentFragment &fragment)
{
    QTextDocument scratch;
    scratch.setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
    QTextCursor(&scratch).insertFragment(fragment);
    return write(scratch);
}

bool loadFile(const QString &path, QTextDocument *document, QString *error)
{
    QByteArray bytes;
    if (!readWorkbookFile(path, &bytes, error))
        return false;
    read(bytes, document);
    return true;
}

bool saveFile(const QString &path, const QTextDocument &document, QString *error)
{
    return writeFileSafely(path, write(document), error);
}

} // namespace Rtf
