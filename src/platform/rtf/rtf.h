#pragma once

#include <QByteArray>
#include <QString>

class QTextCursor;
class QTextDocument;
class QTextDocumentFragment;

// The program's rich-text format is RTF in Windows-1252; QTextDocument is the
// in-memory model. These are the only entry points the rest of the program
// uses; the tokenizer, control-word table and group states stay inside.
namespace Rtf {

// True when the bytes start (after white space) with "{\rtf".
bool looksLikeRtf(QByteArrayView bytes);

// Replaces the document's content with the RTF. Input that is not RTF is
// taken as Windows-1252 plain text. Never crashes or hangs on malformed input.
void read(QByteArrayView rtf, QTextDocument *document);

// Inserts the RTF at the cursor, replacing its selection.
void insert(QByteArrayView rtf, QTextCursor &cursor);

// The whole document, or a fragment of one, as a complete RTF document.
QByteArray write(const QTextDocument &document);
QByteArray write(const QTextDocumentFragment &fragment);

// File helpers: loading fails (false, *error set) on a missing or unreadable
// file and leaves the document untouched; saving replaces the file safely.
bool loadFile(const QString &path, QTextDocument *document, QString *error = nullptr);
bool saveFile(const QString &path, const QTextDocument &document, QString *error = nullptr);

} // namespace Rtf
