#include "support/testservices.h"

#include <QTest>

namespace {

QString buttonsName(Prompt::Buttons buttons)
{
    switch (buttons) {
    case Prompt::Buttons::Ok:
        return QStringLiteral("Ok");
    case Prompt::Buttons::OkCancel:
        return QStringLiteral("OkCancel");
    case Prompt::Buttons::YesNo:
        return QStringLiteral("YesNo");
    case Prompt::Buttons::YesNoCancel:
        return QStringLiteral("YesNoCancel");
    }
    return QString();
}

bool isOffered(Prompt::Answer answer, Prompt::Buttons buttons)
{
    using A = Prompt::Answer;
    switch (buttons) {
    case Prompt::Buttons::Ok:
        return answer == A::Ok;
    case Prompt::Buttons::OkCancel:
        return answer == A::Ok || answer == A::Cancel;
    case Prompt::Buttons::YesNo:
        return answer == A::Yes || answer == A::No;
    case Prompt::Buttons::YesNoCancel:
        return answer != A::Ok;
    }
    return false;
}

// What closing the box without choosing means for each button set.
Prompt::Answer closingAnswer(Prompt::Buttons buttons)
{
    switch (buttons) {
    case Prompt::Buttons::Ok:
        return Prompt::Answer::Ok;
    case Prompt::Buttons::YesNo:
        return Prompt::Answer::No;
    case Prompt::Buttons::OkCancel:
    case Prompt::Buttons::YesNoCancel:
        break;
    }
    return Prompt::Answer::Cancel;
}

void failTest(const QString &message)
{
    QTest::qFail(qPrintable(message), __FILE__, __LINE__);
}

} // namespace

// ---- ScriptedPrompt ---------------------------------------------------------

void ScriptedPrompt::enqueue(std::initializer_list<Answer> answers)
{
    for (Answer answer : answers)
        m_answers.enqueue(answer);
}

Prompt::Answer ScriptedPrompt::ask(QWidget *parent, Icon icon, const QString &title,
                                   const QString &text, Buttons buttons,
                                   std::optional<Answer> defaultAnswer)
{
    questions.append({icon, title, text, buttons, defaultAnswer, parent});

    if (m_answers.isEmpty()) {
        if (m_fallback && isOffered(*m_fallback, buttons))
            return *m_fallback;
        if (!m_fallback) {
            failTest(QStringLiteral("Unscripted question \"%1\": \"%2\" (%3)")
                         .arg(title, text, buttonsName(buttons)));
        }
        return closingAnswer(buttons);
    }
    const Answer answer = m_answers.dequeue();
    if (!isOffered(answer, buttons)) {
        failTest(QStringLiteral("Scripted answer is not a button of \"%1\": \"%2\" (%3)")
                     .arg(title, text, buttonsName(buttons)));
        return closingAnswer(buttons);
    }
    return answer;
}

// ---- dialogs ----------------------------------------------------------------

std::optional<QColor> ScriptedColourDialog::chooseColour(QWidget *, const QColor &initial)
{
    initialColours.append(initial);
    if (m_outcomes.isEmpty()) {
        failTest(QStringLiteral("Unscripted colour dialog (initial %1)").arg(initial.name()));
        return std::nullopt;
    }
    return m_outcomes.dequeue();
}

std::optional<QFont> ScriptedFontDialog::chooseFont(QWidget *, const QFont &initial)
{
    initialFonts.append(initial);
    if (m_outcomes.isEmpty()) {
        failTest(QStringLiteral("Unscripted font dialog (initial %1)").arg(initial.toString()));
        return std::nullopt;
    }
    return m_outcomes.dequeue();
}

// ---- recorders --------------------------------------------------------------

bool RecordingUrlOpener::openUrl(const QUrl &url)
{
    urls.append(url);
    return result;
}

void RecordingLinkNotice::show(QWidget *, const QUrl &address)
{
    addresses.append(address);
}

void RecordingHelpViewer::showTopic(QWidget *parent, int topic)
{
    topics.append(topic);
    parents.append(parent);
}

bool MemoryClipboard::setRichText(const QByteArray &newRtf, const QString &newPlainText)
{
    if (refuse)
        return false;
    rtf = newRtf;
    plainText = newPlainText;
    ++setCount;
    return true;
}

// ---- FakeClock --------------------------------------------------------------

FakeClock::FakeClock(QTime start, int stepMs)
    : m_next(start)
    , m_stepMs(qMax(1, stepMs))
{
}

void FakeClock::script(const QList<QTime> &times)
{
    for (const QTime &time : times)
        m_script.enqueue(time);
}

QTime FakeClock::currentTime()
{
    ++calls;
    if (!m_script.isEmpty()) {
        const QTime time = m_script.dequeue();
        m_next = time.addMSecs(m_stepMs);
        return time;
    }
    const QTime time = m_next;
    m_next = m_next.addMSecs(m_stepMs);
    return time;
}

// ---- the bundle -------------------------------------------------------------

SpellAnswer ScriptedSpellDialog::ask(QWidget *, const SpellQuestion &question)
{
    questions.append(question);
    if (m_answers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unscripted spell check question about \"%1\"").arg(question.word)),
                     __FILE__, __LINE__);
        return {SpellAnswer::Action::Cancel, {}};
    }
    return m_answers.dequeue();
}

std::optional<QString> ScriptedThesaurusDialog::choose(QWidget *, const QString &word,
                                                       const QList<ThesaurusMeaning> &found, const LookUp &)
{
    words.append(word);
    meanings.append(found);
    if (m_outcomes.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unscripted thesaurus look-up of \"%1\"").arg(word)), __FILE__,
                     __LINE__);
        return std::nullopt;
    }
    return m_outcomes.dequeue();
}

TestServices makeTestServices()
{
    TestServices test;
    test.prompt = std::make_shared<ScriptedPrompt>();
    test.colourDialog = std::make_shared<ScriptedColourDialog>();
    test.fontDialog = std::make_shared<ScriptedFontDialog>();
    test.urlOpener = std::make_shared<RecordingUrlOpener>();
    test.helpViewer = std::make_shared<RecordingHelpViewer>();
    test.clipboard = std::make_shared<MemoryClipboard>();
    test.clock = std::make_shared<FakeClock>();
    test.spellDialog = std::make_shared<ScriptedSpellDialog>();
    test.thesaurusDialog = std::make_shared<ScriptedThesaurusDialog>();
    test.linkNotice = std::make_shared<RecordingLinkNotice>();
    test.services = {test.prompt,    test.colourDialog, test.fontDialog, test.urlOpener,
                     test.helpViewer, test.clipboard,    test.clock,      test.spellDialog,
                     test.thesaurusDialog, test.linkNotice};
    return test;
}
