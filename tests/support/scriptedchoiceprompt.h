#pragma once

#include "platform/services/choiceprompt.h"
#include "support/testservices.h"

#include <QQueue>
#include <QTest>

// The scripted prompt that also answers boxes with captioned buttons: each
// choose() presses the caption queued next. An unscripted box, or a caption
// the box does not offer, fails the test and closes the box (-1).
class ScriptedChoicePrompt : public ScriptedPrompt, public ChoicePrompt
{
public:
    struct Choice
    {
        QString title;
        QString text;
        QStringList captions;
        int defaultIndex = 0;
    };

    void enqueueChoice(const QString &caption) { m_choices.enqueue(caption); }
    // The next box is closed without a button (Esc, the title bar).
    void enqueueClose() { m_choices.enqueue(QString()); }

    int choose(QWidget *, Prompt::Icon, const QString &title, const QString &text, const QStringList &captions,
               int defaultIndex = 0) override
    {
        choices.append({title, text, captions, defaultIndex});
        if (m_choices.isEmpty()) {
            QTest::qFail(qPrintable(QStringLiteral("Unscripted choice \"%1\": \"%2\" (%3)")
                                        .arg(title, text, captions.join(u'/'))),
                         __FILE__, __LINE__);
            return -1;
        }
        const QString caption = m_choices.dequeue();
        if (caption.isNull())
            return -1;
        const int index = int(captions.indexOf(caption));
        if (index < 0)
            QTest::qFail(qPrintable(QStringLiteral("Scripted choice \"%1\" is not a button of \"%2\"").arg(caption, title)),
                         __FILE__, __LINE__);
        return index;
    }

    QList<Choice> choices;
    int pendingChoices() const { return int(m_choices.size()); }

private:
    QQueue<QString> m_choices;
};
