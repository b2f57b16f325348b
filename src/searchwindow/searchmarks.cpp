#include "searchwindow/searchmarks.h"

#include "platform/records/safefile.h"
#include "platform/rtf/rtf.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace SearchMarks {
namespace {

QRegularExpression patternOf(const QString &term)
{
    QString core = term;
    const bool prefix = core.endsWith(QLatin1Char('*'));
    if (prefix)
        core.chop(1);
    QStringList words;
    for (const QString &word : core.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        words << QRegularExpression::escape(word);
    QString pattern = QStringLiteral("\\b") + words.join(QStringLiteral("[^\\p{L}\\p{N}]+"));
    if (!prefix)
        pattern += QStringLiteral("\\b");
    return QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption
                                           | QRegularExpression::UseUnicodePropertiesOption);
}

} // namespace

QTextCursor mark(QTextEdit *editor, const QStringList &terms)
{
    QList<QTextEdit::ExtraSelection> marks;
    QTextCursor first;
    QTextCharFormat format;
    format.setBackground(QColor(0xff, 0xf3, 0xa0));
    for (const QString &term : terms) {
        const QRegularExpression pattern = patternOf(term);
        QTextCursor cursor(editor->document());
        while (true) {
            cursor = editor->document()->find(pattern, cursor);
            if (cursor.isNull() || !cursor.hasSelection())
                break;
            marks.append({cursor, format});
            if (first.isNull() || cursor.selectionStart() < first.selectionStart())
                first = cursor;
        }
    }
    editor->setExtraSelections(marks);
    return first;
}

void markAndShowFirst(QTextEdit *editor, const QStringList &terms)
{
    QTextCursor first = mark(editor, terms);
    if (first.isNull())
        return;
    first.clearSelection();
    editor->setTextCursor(first);
    editor->ensureCursorVisible();
}

bool showShippedText(QWidget *parent, const QString &path, const QString &title, const QStringList &terms)
{
    QByteArray bytes;
    if (!readWholeFile(path, &bytes))
        return false;
    QDialog viewer(parent);
    viewer.setWindowTitle(title);
    auto *browser = new QTextBrowser(&viewer);
    Rtf::read(bytes, browser->document());
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &viewer);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &viewer, &QDialog::reject);
    auto *layout = new QVBoxLayout(&viewer);
    layout->addWidget(browser, 1);
    layout->addWidget(buttons);
    viewer.resize(700, 520);
    markAndShowFirst(browser, terms);
    viewer.exec();
    return true;
}

} // namespace SearchMarks
