#pragma once

#include <QString>
#include <QTextEdit>
#include <QWidget>

class RichTextEditor;

// The reading pane of the reader screens: a rich-text viewer over which a
// blank cover of the same size is laid while a document loads, so a
// half-loaded text is never seen. Documents are the shipped RTF files of
// the content folder, looked up by name.
class DocumentViewer : public QWidget
{
    Q_OBJECT
public:
    // What a document that cannot be read leaves behind.
    enum class OnFailure { LeaveEmpty, KeepPrevious };

    DocumentViewer(const QString &contentFolder, QWidget *parent = nullptr);

    RichTextEditor *editor() const { return editor_; }
    QWidget *cover() const { return cover_; }

    // Loads the named document with the busy cursor and the cover shown;
    // false when it could not be read.
    bool loadDocument(const QString &fileName, OnFailure onFailure);
    QString documentPath(const QString &fileName) const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QString contentFolder_;
    RichTextEditor *editor_;
    QTextEdit *cover_;
};
