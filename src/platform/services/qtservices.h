#pragma once

#include "platform/services/helpwindow.h"
#include "platform/services/choiceprompt.h"
#include "platform/services/services.h"

#include <QMessageBox>
#include <QPointer>

class QMimeData;

// Message boxes through QMessageBox.
class MessageBoxPrompt : public Prompt, public ChoicePrompt
{
public:
    Answer ask(QWidget *parent, Icon icon, const QString &title, const QString &text,
               Buttons buttons, std::optional<Answer> defaultAnswer = std::nullopt) override;
    int choose(QWidget *parent, Icon icon, const QString &title, const QString &text,
               const QStringList &captions, int defaultIndex = 0) override;

    // Sets icon, title, text, buttons and default button of a box (kept apart
    // from ask() so the mapping can be checked without running the box).
    static void configure(QMessageBox &box, Icon icon, const QString &title, const QString &text,
                          Buttons buttons, std::optional<Answer> defaultAnswer);
    // What the button the user pressed means; a box closed without a button
    // (Esc, the title bar) counts as its most cautious answer.
    static Answer answerFor(QMessageBox::StandardButton pressed, Buttons buttons);
};

class StandardColourDialog : public ColourDialog
{
public:
    std::optional<QColor> chooseColour(QWidget *parent, const QColor &initial) override;
};

class StandardFontDialog : public FontDialog
{
public:
    std::optional<QFont> chooseFont(QWidget *parent, const QFont &initial) override;
};

class DesktopUrlOpener : public UrlOpener
{
public:
    bool openUrl(const QUrl &url) override;
};

// A message box naming the address (selectable) with "Copy Address", which
// puts it on the system clipboard.
class MessageBoxLinkNotice : public UnopenedLinkNotice
{
public:
    void show(QWidget *parent, const QUrl &address) override;
};

// Rich text for other programs: the RTF bytes under both names Linux word
// processors look for, and plain text for everything else.
QMimeData *makeRichTextMimeData(const QByteArray &rtf, const QString &plainText);

class SystemClipboard : public Clipboard
{
public:
    bool setRichText(const QByteArray &rtf, const QString &plainText) override;
};

class SystemClock : public Clock
{
public:
    QTime currentTime() override;
};

// Opens topics in one help window, reused for every request. The window
// belongs to the top-level window that asked (so it closes with it) or, when
// none is given, to this viewer.
class HelpWindowViewer : public HelpViewer
{
public:
    // helpDir holds the pages "<topic>.md" and "index.md".
    explicit HelpWindowViewer(const QString &helpDir, std::shared_ptr<UrlOpener> urlOpener = {});
    ~HelpWindowViewer() override;

    void showTopic(QWidget *parent, int topic) override;

    // The window once a topic was shown (and while it still exists).
    HelpWindow *window() const { return m_window; }

private:
    QString m_helpDir;
    std::shared_ptr<UrlOpener> m_urlOpener;
    QPointer<HelpWindow> m_window;
};
