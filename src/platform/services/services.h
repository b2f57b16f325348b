#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QTime>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

class DocumentRecorder;  // platform/services/documentrecorder.h
class QWidget;
class SpellCheckDialog;  // platform/services/writingaiddialogs.h
class ThesaurusDialog;

// Small platform services the windows use. Each window receives them through
// a PlatformServices bundle, so tests can answer dialogs and record hand-offs.

// Message boxes: icon, title, text (lines separated by '\n'), buttons, default.
class Prompt
{
public:
    enum class Icon { Information, Exclamation, Question, Critical };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };
    virtual ~Prompt() = default;
    // defaultAnswer must be one of the buttons; when absent the first button is default.
    virtual Answer ask(QWidget *parent, Icon icon, const QString &title, const QString &text,
                       Buttons buttons, std::optional<Answer> defaultAnswer = std::nullopt) = 0;
};

class ColourDialog
{
public:
    virtual ~ColourDialog() = default;
    // The chosen colour, or nothing when the user cancels.
    virtual std::optional<QColor> chooseColour(QWidget *parent, const QColor &initial) = 0;
};

class FontDialog
{
public:
    virtual ~FontDialog() = default;
    virtual std::optional<QFont> chooseFont(QWidget *parent, const QFont &initial) = 0;
};

class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    // Hands the address to the desktop's default handler; failures are the caller's to ignore.
    virtual bool openUrl(const QUrl &url) = 0;
};

// What the user sees when an address could not be handed to a web browser
// (none is installed, or none answered): that it was not opened, and the
// address itself with a Copy button, to paste into a browser elsewhere.
class UnopenedLinkNotice
{
public:
    virtual ~UnopenedLinkNotice() = default;
    virtual void show(QWidget *parent, const QUrl &address) = 0;
};

class HelpViewer
{
public:
    virtual ~HelpViewer() = default;
    // Opens the help window at a numbered topic.
    virtual void showTopic(QWidget *parent, int topic) = 0;
};

class Clipboard
{
public:
    virtual ~Clipboard() = default;
    // Puts rich text on the clipboard (RTF bytes, with a plain-text alternative).
    virtual bool setRichText(const QByteArray &rtf, const QString &plainText) = 0;
};

class Clock
{
public:
    virtual ~Clock() = default;
    virtual QTime currentTime() = 0;
};

struct PlatformServices
{
    std::shared_ptr<Prompt> prompt;
    std::shared_ptr<ColourDialog> colourDialog;
    std::shared_ptr<FontDialog> fontDialog;
    std::shared_ptr<UrlOpener> urlOpener;
    std::shared_ptr<HelpViewer> helpViewer;
    std::shared_ptr<Clipboard> clipboard;
    std::shared_ptr<Clock> clock;
    std::shared_ptr<SpellCheckDialog> spellDialog;
    std::shared_ptr<ThesaurusDialog> thesaurusDialog;
    std::shared_ptr<UnopenedLinkNotice> unopenedLinkNotice;
    // Told of every document saved (its history and search index); none
    // until the workbook's database is open.
    std::shared_ptr<DocumentRecorder> recorder;
};

// Opens the address through services.urlOpener; when it cannot be opened,
// services.unopenedLinkNotice tells the user. True when it was opened.
bool openLinkOrSaySo(const PlatformServices &services, QWidget *parent, const QUrl &address);

// The bundle of real implementations: message boxes, the standard colour and
// font dialogs, the desktop's URL handler, the system clipboard and clock, and
// the help window over the pages in <contentDir>/help.
PlatformServices makeQtPlatformServices(const QString &contentDir);
