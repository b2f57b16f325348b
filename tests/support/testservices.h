#pragma once

#include "platform/services/services.h"
#include "platform/services/writingaiddialogs.h"

#include <QList>
#include <QQueue>

#include <memory>

// Test doubles of the platform services. Each records what the program asked
// of it and answers from a script the test sets up beforehand.
//
// Scripted doubles (prompt, colour and font dialogs) are strict: a request for
// which no answer was scripted fails the running test (QTest::qFail, so the
// failure names the unexpected question) and then answers as a user closing
// the box would: Cancel (or No / Ok where that is the only cautious button),
// no colour, no font. The request is recorded either way.

class ScriptedPrompt : public Prompt
{
public:
    struct Question
    {
        Icon icon;
        QString title;
        QString text;
        Buttons buttons;
        std::optional<Answer> defaultAnswer;
        QWidget *parent;
    };

    // Queues the answer to the next question asked.
    void enqueue(Answer answer) { m_answers.enqueue(answer); }
    void enqueue(std::initializer_list<Answer> answers);
    // From now on, a question with nothing queued gets this answer instead of
    // failing the test (for screens that show information boxes in passing).
    void answerUnscriptedWith(Answer answer) { m_fallback = answer; }

    Answer ask(QWidget *parent, Icon icon, const QString &title, const QString &text,
               Buttons buttons, std::optional<Answer> defaultAnswer = std::nullopt) override;

    QList<Question> questions;          // every question asked, in order
    int pendingAnswers() const { return int(m_answers.size()); }

private:
    QQueue<Answer> m_answers;
    std::optional<Answer> m_fallback;
};

class ScriptedColourDialog : public ColourDialog
{
public:
    // Queues the next outcome: a colour, or std::nullopt for Cancel.
    void enqueue(std::optional<QColor> outcome) { m_outcomes.enqueue(outcome); }

    std::optional<QColor> chooseColour(QWidget *parent, const QColor &initial) override;

    QList<QColor> initialColours;       // the preset colour of every opening
    int pendingAnswers() const { return int(m_outcomes.size()); }

private:
    QQueue<std::optional<QColor>> m_outcomes;
};

class ScriptedFontDialog : public FontDialog
{
public:
    void enqueue(std::optional<QFont> outcome) { m_outcomes.enqueue(outcome); }

    std::optional<QFont> chooseFont(QWidget *parent, const QFont &initial) override;

    QList<QFont> initialFonts;
    int pendingAnswers() const { return int(m_outcomes.size()); }

private:
    QQueue<std::optional<QFont>> m_outcomes;
};

class RecordingUrlOpener : public UrlOpener
{
public:
    bool openUrl(const QUrl &url) override;

    QList<QUrl> urls;
    bool result = true;                 // what openUrl() reports
};

class RecordingLinkNotice : public UnopenedLinkNotice
{
public:
    void show(QWidget *parent, const QUrl &address) override;

    QList<QUrl> addresses;              // every address the user was told of
};

class RecordingHelpViewer : public HelpViewer
{
public:
    void showTopic(QWidget *parent, int topic) override;

    QList<int> topics;
    QList<QWidget *> parents;
};

class MemoryClipboard : public Clipboard
{
public:
    bool setRichText(const QByteArray &rtf, const QString &plainText) override;

    QByteArray rtf;                     // the last content put there
    QString plainText;
    int setCount = 0;
    bool refuse = false;                // true: behave like a clipboard in use
};

// Times from a script, then (once the script is used up) a steadily advancing
// time, so a loop waiting on the clock always ends without really waiting.
class FakeClock : public Clock
{
public:
    explicit FakeClock(QTime start = QTime(9, 0, 0), int stepMs = 250);

    void script(const QList<QTime> &times);
    QTime currentTime() override;

    int calls = 0;

private:
    QQueue<QTime> m_script;
    QTime m_next;
    int m_stepMs;
};

// The spell checker's dialog answering from a script; every question is
// recorded (the word, its context and the suggestions offered).
class ScriptedSpellDialog : public SpellCheckDialog
{
public:
    void enqueue(SpellAnswer::Action action, const QString &replacement = QString())
    {
        m_answers.enqueue({action, replacement});
    }
    SpellAnswer ask(QWidget *parent, const SpellQuestion &question) override;

    QList<SpellQuestion> questions;
    int pendingAnswers() const { return int(m_answers.size()); }

private:
    QQueue<SpellAnswer> m_answers;
};

// The thesaurus dialog answering from a script: a word, or nothing (Cancel).
class ScriptedThesaurusDialog : public ThesaurusDialog
{
public:
    void enqueue(std::optional<QString> outcome) { m_outcomes.enqueue(outcome); }
    std::optional<QString> choose(QWidget *parent, const QString &word, const QList<ThesaurusMeaning> &meanings,
                                  const LookUp &lookUp) override;

    QStringList words;                      // the word of every opening
    QList<QList<ThesaurusMeaning>> meanings;
    int pendingAnswers() const { return int(m_outcomes.size()); }

private:
    QQueue<std::optional<QString>> m_outcomes;
};

// The concrete doubles and the bundle to hand to the windows under test.
struct TestServices
{
    std::shared_ptr<ScriptedPrompt> prompt;
    std::shared_ptr<ScriptedColourDialog> colourDialog;
    std::shared_ptr<ScriptedFontDialog> fontDialog;
    std::shared_ptr<RecordingUrlOpener> urlOpener;
    std::shared_ptr<RecordingLinkNotice> linkNotice;
    std::shared_ptr<RecordingHelpViewer> helpViewer;
    std::shared_ptr<MemoryClipboard> clipboard;
    std::shared_ptr<FakeClock> clock;
    std::shared_ptr<ScriptedSpellDialog> spellDialog;
    std::shared_ptr<ScriptedThesaurusDialog> thesaurusDialog;
    PlatformServices services;
};

TestServices makeTestServices();
