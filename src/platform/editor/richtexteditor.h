#pragma once

#include <QByteArray>
#include <QFont>
#include <QString>
#include <QTextEdit>

#include <functional>

class QMenu;
class QMimeData;
class QTextCharFormat;

// The rich-text box behind every text the user reads or writes. Documents are
// RTF (our own reader and writer in platform/rtf); QTextDocument is the model.
//
// Offsets and lengths are 0-based and counted in characters of text(), where
// every paragraph break counts as one character ('\n').
//
// Change notification: contentChanged() is the signal to listen to (not
// QTextEdit::textChanged, which can fire many times for one program change).
// It fires once per user edit, and exactly once for each program call that
// sets content (loadFile, setRtf, setText, clear, setSelText, setSelRtf), even
// when the new content equals the old one, so that a caller's "loading" marker
// is always consumed by exactly one signal. Formatting setters fire it once
// when they changed something. A failed loadFile changes nothing and fires
// nothing.
//
// Selection formatting getters report the format of the first selected
// character; with no selection, the format that typing at the caret will use.
class RichTextEditor : public QTextEdit
{
    Q_OBJECT

public:
    enum Alignment { AlignLeft = 0, AlignRight = 1, AlignCentre = 2 };

    explicit RichTextEditor(QWidget *parent = nullptr);
    ~RichTextEditor() override;

    // Whole content.
    bool loadFile(const QString &fileName, QString *error = nullptr);
    bool saveFile(const QString &fileName, QString *error = nullptr) const;
    QByteArray rtf() const;
    void setRtf(const QByteArray &rtf);
    QString text() const;
    void setText(const QString &plainText);
    void clear();

    // Selection (programmatic changes scroll the caret into view).
    int selStart() const;
    void setSelStart(int start);
    int selLength() const;
    void setSelLength(int length);
    void select(int start, int length);
    QString selText() const;
    void setSelText(const QString &plainText);
    QByteArray selRtf() const;
    void setSelRtf(const QByteArray &rtf);

    // Selection formatting. Colours are 0x00BBGGRR.
    quint32 selColor() const;
    void setSelColor(quint32 bgr);
    QString selFontName() const;
    void setSelFontName(const QString &family);
    qreal selFontSize() const;
    void setSelFontSize(qreal points);
    bool selBold() const;
    void setSelBold(bool bold);
    bool selItalic() const;
    void setSelItalic(bool italic);
    bool selUnderline() const;
    void setSelUnderline(bool underline);
    bool selStrikeThru() const;
    void setSelStrikeThru(bool strikeThru);
    int selAlignment() const;
    void setSelAlignment(int alignment);

    // Offset of the first match at or after start, letters compared without
    // regard to case, or -1. With wholeWord the match must begin and end at a
    // word boundary.
    int find(const QString &needle, int start = 0, bool wholeWord = false) const;

    // The font of text that carries no font of its own (new text, plain text).
    QFont defaultFont() const;
    void setDefaultFont(const QFont &font);
    quint32 backColor() const;
    void setBackColor(quint32 bgr);

    // When off (the default), the selection is not drawn while the editor
    // does not have the focus.
    bool keepSelectionVisible() const { return m_keepSelectionVisible; }
    void setKeepSelectionVisible(bool keep);

    // When off, a right click shows no menu (mouseUp still reports it).
    bool contextMenuEnabled() const { return m_contextMenuEnabled; }
    void setContextMenuEnabled(bool enabled) { m_contextMenuEnabled = enabled; }

    // Limit, in characters, on what the user can type or paste; 0 is no
    // limit. Program calls are not limited.
    int maxLength() const { return m_maxLength; }
    void setMaxLength(int characters) { m_maxLength = qMax(0, characters); }

    // Runs a change that only alters what is drawn over the text (the spell
    // checker's underline), never the content: it raises no contentChanged.
    void runDrawingOnlyChange(const std::function<void()> &change);

    // MIME types under which rich text travels through the clipboard.
    static QStringList rtfMimeTypes();

Q_SIGNALS:
    void contentChanged();
    void clicked();
    void gotFocus();
    void lostFocus();
    void keyDown(int key);
    void mouseUp(Qt::MouseButton button, const QPoint &position);
    void mouseMove(Qt::MouseButtons buttons, const QPoint &position);
    // The right-click menu is about to open at a viewport position; a
    // receiver may add entries to it (spelling suggestions).
    void contextMenuAboutToShow(QMenu *menu, const QPoint &viewportPosition);

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override;
    QMimeData *createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData *source) override;

    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    class ProgramChange;
    friend class ProgramChange;

    void relayDocumentChange();
    QTextCharFormat formatAtSelection() const;
    QFont fontAtSelection() const;
    void mergeSelectionFormat(const QTextCharFormat &format);
    bool replaceContent(const std::function<bool()> &replace);
    bool fitsMaxLength(qsizetype incomingCharacters) const;
    void paintWithoutSelection(QPaintEvent *event);

    QFont m_defaultFont;
    bool m_keepSelectionVisible = false;
    bool m_contextMenuEnabled = true;
    int m_maxLength = 0;
    int m_programChangeDepth = 0;
    int m_drawingOnlyDepth = 0;
    bool m_changedDuringProgramChange = false;
};
