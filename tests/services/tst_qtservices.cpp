#include "platform/services/qtservices.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(Prompt::Icon)
Q_DECLARE_METATYPE(Prompt::Buttons)
Q_DECLARE_METATYPE(Prompt::Answer)
Q_DECLARE_METATYPE(std::optional<Prompt::Answer>)

using Icon = Prompt::Icon;
using Buttons = Prompt::Buttons;
using Answer = Prompt::Answer;

class TestQtServices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void messageBoxIconsAndButtons_data();
    void messageBoxIconsAndButtons();
    void defaultButton_data();
    void defaultButton();
    void closingWithoutAButton_data();
    void closingWithoutAButton();
    void askRunsTheBox_data();
    void askRunsTheBox();
    void clipboardCarriesRtfUnderBothNames();
    void bundleIsComplete();
};

void TestQtServices::messageBoxIconsAndButtons_data()
{
    QTest::addColumn<Icon>("icon");
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<QMessageBox::Icon>("boxIcon");
    QTest::addColumn<QMessageBox::StandardButtons>("boxButtons");

    QTest::newRow("information, Ok") << Icon::Information << Buttons::Ok << QMessageBox::Information
                                     << QMessageBox::StandardButtons(QMessageBox::Ok);
    QTest::newRow("exclamation is a warning") << Icon::Exclamation << Buttons::OkCancel
                                              << QMessageBox::Warning
                                              << (QMessageBox::Ok | QMessageBox::Cancel);
    QTest::newRow("question, Yes No") << Icon::Question << Buttons::YesNo << QMessageBox::Question
                                      << (QMessageBox::Yes | QMessageBox::No);
    QTest::newRow("critical, Yes No Cancel")
        << Icon::Critical << Buttons::YesNoCancel << QMessageBox::Critical
        << (QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

void TestQtServices::messageBoxIconsAndButtons()
{
    QFETCH(Icon, icon);
    QFETCH(Buttons, buttons);
    QFETCH(QMessageBox::Icon, boxIcon);
    QFETCH(QMessageBox::StandardButtons, boxButtons);

    QMessageBox box;
    const QString text = QStringLiteral("Select New Color or Use System Default Color?\n\n"
                                        "Yes = Color Selection Panel will appear.");
    MessageBoxPrompt::configure(box, icon, QStringLiteral("Background Color"), text, buttons,
                                std::nullopt);
    QCOMPARE(box.icon(), boxIcon);
    QCOMPARE(box.standardButtons(), boxButtons);
    QCOMPARE(box.windowTitle(), QStringLiteral("Background Color"));
    QCOMPARE(box.text(), text);
    QCOMPARE(box.textFormat(), Qt::PlainText);
}

void TestQtServices::defaultButton_data()
{
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<std::optional<Answer>>("requested");
    QTest::addColumn<QMessageBox::StandardButton>("expected");

    QTest::newRow("no default: first of Ok Cancel")
        << Buttons::OkCancel << std::optional<Answer>() << QMessageBox::Ok;
    QTest::newRow("no default: first of Yes No Cancel")
        << Buttons::YesNoCancel << std::optional<Answer>() << QMessageBox::Yes;
    QTest::newRow("No as default") << Buttons::YesNo << std::optional<Answer>(Answer::No)
                                   << QMessageBox::No;
    QTest::newRow("Cancel as default") << Buttons::YesNoCancel
                                       << std::optional<Answer>(Answer::Cancel) << QMessageBox::Cancel;
    QTest::newRow("a default that is no button falls back")
        << Buttons::YesNo << std::optional<Answer>(Answer::Ok) << QMessageBox::Yes;
}

void TestQtServices::defaultButton()
{
    QFETCH(Buttons, buttons);
    QFETCH(std::optional<Answer>, requested);
    QFETCH(QMessageBox::StandardButton, expected);

    QMessageBox box;
    MessageBoxPrompt::configure(box, Icon::Question, QStringLiteral("Exit"),
                                QStringLiteral("Exit Sentrivo?"), buttons, requested);
    QVERIFY(box.defaultButton());
    QCOMPARE(box.standardButton(box.defaultButton()), expected);
}

void TestQtServices::closingWithoutAButton_data()
{
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<Answer>("expected");

    QTest::newRow("Ok") << Buttons::Ok << Answer::Ok;
    QTest::newRow("Ok Cancel") << Buttons::OkCancel << Answer::Cancel;
    QTest::newRow("Yes No") << Buttons::YesNo << Answer::No;
    QTest::newRow("Yes No Cancel") << Buttons::YesNoCancel << Answer::Cancel;
}

void TestQtServices::closingWithoutAButton()
{
    QFETCH(Buttons, buttons);
    QFETCH(Answer, expected);
    QCOMPARE(MessageBoxPrompt::answerFor(QMessageBox::NoButton, buttons), expected);
    QCOMPARE(MessageBoxPrompt::answerFor(QMessageBox::Yes, buttons), Answer::Yes);
}

void TestQtServices::askRunsTheBox_data()
{
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<std::optional<Answer>>("requested");
    QTest::addColumn<int>("key");
    QTest::addColumn<Answer>("expected");

    QTest::newRow("Enter takes the default") << Buttons::YesNoCancel
                                             << std::optional<Answer>(Answer::No) << int(Qt::Key_Return)
                                             << Answer::No;
    QTest::newRow("Enter takes the first button") << Buttons::OkCancel << std::optional<Answer>()
                                                  << int(Qt::Key_Return) << Answer::Ok;
    QTest::newRow("Esc cancels") << Buttons::YesNoCancel << std::optional<Answer>()
                                 << int(Qt::Key_Escape) << Answer::Cancel;
}

void TestQtServices::askRunsTheBox()
{
    QFETCH(Buttons, buttons);
    QFETCH(std::optional<Answer>, requested);
    QFETCH(int, key);
    QFETCH(Answer, expected);

    QString seenText;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seenText = box->text();
        QTest::keyClick(box, Qt::Key(key));
    });
    MessageBoxPrompt prompt;
    const Answer answer = prompt.ask(nullptr, Icon::Question, QStringLiteral("Save"),
                                     QStringLiteral("Save changes/entries before next action?"),
                                     buttons, requested);
    QCOMPARE(seenText, QStringLiteral("Save changes/entries before next action?"));
    QCOMPARE(answer, expected);
}

void TestQtServices::clipboardCarriesRtfUnderBothNames()
{
    const QByteArray rtf = "{\\rtf1\\ansi caf\\'e9}";
    const QString plain = QStringLiteral("caf\u00e9");

    std::unique_ptr<QMimeData> data(makeRichTextMimeData(rtf, plain));
    QCOMPARE(data->data(QStringLiteral("text/rtf")), rtf);
    QCOMPARE(data->data(QStringLiteral("application/rtf")), rtf);
    QCOMPARE(data->text(), plain);

    std::unique_ptr<QMimeData> rtfOnly(makeRichTextMimeData(rtf, QString()));
    QVERIFY(!rtfOnly->hasText());
    QCOMPARE(rtfOnly->data(QStringLiteral("text/rtf")), rtf);

    SystemClipboard clipboard;
    QVERIFY(clipboard.setRichText(rtf, plain));
    const QMimeData *onClipboard = QGuiApplication::clipboard()->mimeData();
    QVERIFY(onClipboard);
    QCOMPARE(onClipboard->data(QStringLiteral("text/rtf")), rtf);
    QCOMPARE(onClipboard->data(QStringLiteral("application/rtf")), rtf);
    QCOMPARE(onClipboard->text(), plain);
}

void TestQtServices::bundleIsComplete()
{
    const PlatformServices services = makeQtPlatformServices(QDir::tempPath());
    QVERIFY(services.prompt);
    QVERIFY(services.colourDialog);
    QVERIFY(services.fontDialog);
    QVERIFY(services.urlOpener);
    QVERIFY(services.helpViewer);
    QVERIFY(services.clipboard);
    QVERIFY(services.clock);
    QVERIFY(qAbs(services.clock->currentTime().msecsTo(QTime::currentTime())) < 60 * 1000);
    auto *help = dynamic_cast<HelpWindowViewer *>(services.helpViewer.get());
    QVERIFY(help);
    QVERIFY(!help->window());
}

QTEST_MAIN(TestQtServices)
#include "tst_qtservices.moc"
