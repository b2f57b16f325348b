#pragma once

#include <QStringList>
#include <QTextCursor>

class QTextEdit;
class QWidget;

// Marking the words a search found where the document is shown.
namespace SearchMarks {

// Marks every match of the terms (words, "word*" prefixes, phrases whose
// words may be split by punctuation or line ends) in the editor's text;
// the first match, or a null cursor when none is there.
QTextCursor mark(QTextEdit *editor, const QStringList &terms);
// Marks and moves the editor's cursor to the first match.
void markAndShowFirst(QTextEdit *editor, const QStringList &terms);

// Shows a shipped text (RTF at path) read-only with the terms marked.
bool showShippedText(QWidget *parent, const QString &path, const QString &title, const QStringList &terms);

} // namespace SearchMarks
