#include "platform/services/qtservices.h"
#include "platform/services/writingaiddialogs.h"

#include "platform/services/helpwindow.h"

#include <QClipboard>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFontDialog>
#include <QGuiApplication>
#include <QMimeData>
#include <QPushButton>

// ---- message boxes ----------------------------------------------------------

namespace {

QMessageBox::Icon messageBoxIcon(Prompt::Icon icon)
{
    switch (icon) {
    case Prompt::Icon::Information:
        return QMessageBox::Information;
    case Prompt::Icon::Exclamation:
        return QMessageBox::Warning;
    case Prompt::Icon::Question:
        return QMessageBox::Question;
    case Prompt::Icon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons messageBoxButtons(Prompt::Buttons buttons)
{
    switch (buttons) {
    case Prompt::Buttons::Ok:
        return QMessageBox::Ok;
    case Prompt::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Prompt::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Prompt::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton messageBoxButton(Prompt::Answer answer)
{
    switch (answer) {
    case Prompt::Answer::Ok:
        return QMessageBox::Ok;
    case Prompt::Answer::Cancel:
        return QMessageBox::Cancel;
    case Prompt::Answer::Yes:
        return QMessageBox::Yes;
    case Prompt::Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

Prompt::Answer firstAnswer(Prompt::Buttons buttons)
{
    return buttons == Prompt::Buttons::Ok || buttons == Prompt::Buttons::OkCancel
               ? Prompt::Answer::Ok
               : Prompt::Answer::Yes;
}

} // namespace

void MessageBoxPrompt::configure(QMessageBox &box, Icon icon, const QString &title,
                                 const QString &text, Buttons buttons,
                                 std::optional<Answer> defaultAnswer)
{
    box.setIcon(messageBoxIcon(icon));
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setStandardButtons(messageBoxButtons(buttons));
    QMessageBox::StandardButton defaultButton =
        messageBoxButton(defaultAnswer.value_or(firstAnswer(buttons)));
    // A default that is not among the buttons falls back to the first one.
    if (!box.button(defaultButton))
        defaultButton = messageBoxButton(firstAnswer(buttons));
    box.setDefaultButton(defaultButton);
}

Prompt::Answer MessageBoxPrompt::answerFor(QMessageBox::StandardButton pressed, Buttons buttons)
{
    switch (pressed) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
        break;
    }
    return Answer::Cancel;
}

Prompt::Answer MessageBoxPrompt::ask(QWidget *parent, Icon icon, const QString &title,
                                     const QString &text, Buttons buttons,
                                     std::optional<Answer> defaultAnswer)
{
    QMessageBox box(parent);
    configure(box, icon, title, text, buttons, defaultAnswer);
    const int result = box.exec();
    return answerFor(QMessageBox::StandardButton(result), buttons);
}

int MessageBoxPrompt::choose(QWidget *parent, Icon icon, const QString &title, const QString &text,
                             const QStringList &captions, int defaultIndex)
{
    QMessageBox box(parent);
    box.setIcon(messageBoxIcon(icon));
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    QList<QPushButton *> buttons;
    for (const QString &caption : captions)
        buttons.append(box.addButton(caption, QMessageBox::AcceptRole));
    if (defaultIndex >= 0 && defaultIndex < buttons.size())
        box.setDefaultButton(buttons.at(defaultIndex));
    box.exec();
    for (int i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons.at(i))
            return i;
    }
    return -1;
}

// ---- standard dialogs, web hand-off, clock ----------------------------------

std::optional<QColor> StandardColourDialog::chooseColour(QWidget *parent, const QColor &initial)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

std::optional<QFont> StandardFontDialog::chooseFont(QWidget *parent, const QFont &initial)
{
    bool accepted = false;
    const QFont chosen = QFontDialog::getFont(&accepted, initial, parent);
    if (!accepted)
        return std::nullopt;
    return chosen;
}

bool DesktopUrlOpener::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

void MessageBoxLinkNotice::show(QWidget *parent, const QUrl &address)
{
    const QString text = address.toString();
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Web Page Not Opened"),
                    QStringLiteral("The web page could not be opened: no web browser answered.\n\n%1\n\n"
                                   "Copy the address to open it in a browser on this or another computer.")
                        .arg(text),
                    QMessageBox::Ok, parent);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPushButton *copy = box.addButton(QStringLiteral("&Copy Address"), QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    if (box.clickedButton() == copy)
        QGuiApplication::clipboard()->setText(text);
}

bool openLinkOrSaySo(const PlatformServices &services, QWidget *parent, const QUrl &address)
{
    if (services.urlOpener && services.urlOpener->openUrl(address))
        return true;
    if (services.unopenedLinkNotice)
        services.unopenedLinkNotice->show(parent, address);
    return false;
}

QTime SystemClock::currentTime()
{
    return QTime::currentTime();
}

// ---- clipboard --------------------------------------------------------------

QMimeData *makeRichTextMimeData(const QByteArray &rtf, const QString &plainText)
{
    auto *data = new QMimeData;
    data->setData(QStringLiteral("text/rtf"), rtf);
    data->setData(QStringLiteral("application/rtf"), rtf);
    // No plain-text alternative when none is given: an empty one would make
    // programs that prefer plain text paste nothing.
    if (!plainText.isEmpty())
        data->setText(plainText);
    return data;
}

bool SystemClipboard::setRichText(const QByteArray &rtf, const QString &plainText)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->setMimeData(makeRichTextMimeData(rtf, plainText));
    return true;
}

// ---- help -------------------------------------------------------------------

HelpWindowViewer::HelpWindowViewer(const QString &helpDir, std::shared_ptr<UrlOpener> urlOpener)
    : m_helpDir(helpDir)
    , m_urlOpener(std::move(urlOpener))
{
}

HelpWindowViewer::~HelpWindowViewer()
{
    // Only a window this viewer owns; one owned by a window dies with it.
    if (m_window && !m_window->parent() && QCoreApplication::instance())
        delete m_window;
}

void HelpWindowViewer::showTopic(QWidget *parent, int topic)
{
    QWidget *owner = parent ? parent->window() : nullptr;
    if (!m_window) {
        m_window = new HelpWindow(m_helpDir, owner);
        m_window->setExternalLinkHandler([opener = m_urlOpener](const QUrl &url) {
            if (opener)
                opener->openUrl(url);
            else
                QDesktopServices::openUrl(url);
        });
    } else if (owner && m_window->parentWidget() != owner) {
        // Follow the window that asks, so the help never outlives its owner.
        const QRect geometry = m_window->geometry();
        m_window->setParent(owner, Qt::Window);
        m_window->setGeometry(geometry);
    }
    m_window->showTopic(topic);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

// ---- the bundle -------------------------------------------------------------

PlatformServices makeQtPlatformServices(const QString &contentDir)
{
    PlatformServices services;
    services.prompt = std::make_shared<MessageBoxPrompt>();
    services.colourDialog = std::make_shared<StandardColourDialog>();
    services.fontDialog = std::make_shared<StandardFontDialog>();
    services.urlOpener = std::make_shared<DesktopUrlOpener>();
    services.helpViewer = std::make_shared<HelpWindowViewer>(
        QDir(contentDir).filePath(QStringLiteral("help")), services.urlOpener);
    services.clipboard = std::make_shared<SystemClipboard>();
    services.clock = std::make_shared<SystemClock>();
    services.spellDialog = std::make_shared<SpellCheckWindow>(services.helpViewer);
    services.thesaurusDialog = std::make_shared<ThesaurusWindow>();
    services.unopenedLinkNotice = std::make_shared<MessageBoxLinkNotice>();
    return services;
}
