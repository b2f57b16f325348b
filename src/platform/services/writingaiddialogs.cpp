#include "platform/services/writingaiddialogs.h"

#include "platform/services/services.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

// The synonym as it replaces the word: without the thesaurus's remarks such
// as "(generic term)".
QString plainSynonym(const QString &synonym)
{
    QString text = synonym;
    const qsizetype remark = text.indexOf(QLatin1String(" ("));
    if (remark > 0 && text.endsWith(QLatin1Char(')')))
        text.truncate(remark);
    return text.trimmed();
}

} // namespace

// ---- Spell check -------------------------------------------------------------

SpellCheckForm::SpellCheckForm(const SpellQuestion &question, std::shared_ptr<HelpViewer> help, QWidget *parent)
    : QDialog(parent)
    , help_(std::move(help))
{
    setObjectName(QStringLiteral("spellCheckDialog"));
    setWindowTitle(SpellCheckWindow::kTitle);
    auto *layout = new QGridLayout(this);

    auto *wordLabel = new QLabel(QStringLiteral("Not in Dictionary:"), this);
    auto *word = new QLineEdit(question.word, this);
    word->setReadOnly(true);
    word->setObjectName(QStringLiteral("notInDictionary"));
    layout->addWidget(wordLabel, 0, 0);
    layout->addWidget(word, 0, 1);

    // The word in its sentence, so the user sees what it belongs to.
    auto *context = new QTextBrowser(this);
    context->setObjectName(QStringLiteral("context"));
    QString shown = question.context.toHtmlEscaped();
    const QString escapedWord = question.word.toHtmlEscaped();
    const qsizetype at = shown.indexOf(escapedWord);
    if (at >= 0)
        shown.replace(at, escapedWord.size(), QStringLiteral("<b><font color=\"#c00000\">%1</font></b>").arg(escapedWord));
    context->setHtml(shown);
    context->setMaximumHeight(70);
    layout->addWidget(context, 1, 0, 1, 2);

    auto *changeLabel = new QLabel(QStringLiteral("Change &To:"), this);
    changeTo_ = new QLineEdit(question.suggestions.value(0, question.word), this);
    changeTo_->setObjectName(QStringLiteral("changeTo"));
    changeLabel->setBuddy(changeTo_);
    layout->addWidget(changeLabel, 2, 0);
    layout->addWidget(changeTo_, 2, 1);

    auto *suggestionsLabel = new QLabel(QStringLiteral("Suggestio&ns:"), this);
    suggestions_ = new QListWidget(this);
    suggestions_->setObjectName(QStringLiteral("suggestions"));
    suggestionsLabel->setBuddy(suggestions_);
    if (question.suggestions.isEmpty())
        suggestions_->addItem(QStringLiteral("(no suggestions)"));
    else
        suggestions_->addItems(question.suggestions);
    suggestions_->setEnabled(!question.suggestions.isEmpty());
    suggestions_->setCurrentRow(question.suggestions.isEmpty() ? -1 : 0);
    layout->addWidget(suggestionsLabel, 3, 0, Qt::AlignTop);
    layout->addWidget(suggestions_, 3, 1);

    auto *buttons = new QVBoxLayout;
    auto addButton = [this, buttons](const QString &caption, SpellAnswer::Action action) {
        auto *button = new QPushButton(caption, this);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, action] { finish(action); });
        return button;
    };
    QPushButton *change = addButton(QStringLiteral("&Change"), SpellAnswer::Action::Change);
    change->setDefault(true);
    changeButtons_ << change << addButton(QStringLiteral("Change A&ll"), SpellAnswer::Action::ChangeAll);
    addButton(QStringLiteral("&Ignore"), SpellAnswer::Action::Ignore);
    addButton(QStringLiteral("I&gnore All"), SpellAnswer::Action::IgnoreAll);
    addButton(QStringLiteral("&Add to Dictionary"), SpellAnswer::Action::AddToDictionary);
    addButton(QStringLiteral("Cancel"), SpellAnswer::Action::Cancel);
    auto *helpButton = new QPushButton(QStringLiteral("&Help"), this);
    helpButton->setAutoDefault(false);
    buttons->addWidget(helpButton);
    buttons->addStretch(1);
    connect(helpButton, &QPushButton::clicked, this, [this] {
        if (help_)
            help_->showTopic(this, SpellCheckWindow::kHelpTopic);
    });
    layout->addLayout(buttons, 0, 2, 4, 1);

    connect(suggestions_, &QListWidget::currentTextChanged, this, [this](const QString &text) {
        if (suggestions_->isEnabled())
            changeTo_->setText(text);
    });
    connect(suggestions_, &QListWidget::itemDoubleClicked, this, [this] { finish(SpellAnswer::Action::Change); });
    // A change to nothing would delete the word: only a typed word can replace it.
    connect(changeTo_, &QLineEdit::textChanged, this, [this](const QString &text) {
        for (QPushButton *button : changeButtons_)
            button->setEnabled(!text.trimmed().isEmpty());
    });
    changeTo_->setFocus();
    changeTo_->selectAll();
}

void SpellCheckForm::finish(SpellAnswer::Action action)
{
    answer_.action = action;
    answer_.replacement = changeTo_->text().trimmed();
    if (action == SpellAnswer::Action::Cancel)
        reject();
    else
        accept();
}

SpellCheckWindow::SpellCheckWindow(std::shared_ptr<HelpViewer> help)
    : help_(std::move(help))
{
}

SpellAnswer SpellCheckWindow::ask(QWidget *parent, const SpellQuestion &question)
{
    SpellCheckForm form(question, help_, parent);
    if (form.exec() != QDialog::Accepted)
        return {SpellAnswer::Action::Cancel, {}};
    return form.answer();
}

// ---- Thesaurus ---------------------------------------------------------------

ThesaurusForm::ThesaurusForm(const QString &word, const QList<ThesaurusMeaning> &meanings,
                             ThesaurusDialog::LookUp lookUp, QWidget *parent)
    : QDialog(parent)
    , lookUp_(std::move(lookUp))
{
    setObjectName(QStringLiteral("thesaurusDialog"));
    setWindowTitle(ThesaurusWindow::kTitle);
    auto *layout = new QGridLayout(this);
    lookedUp_ = new QLabel(this);
    lookedUp_->setObjectName(QStringLiteral("lookedUp"));
    layout->addWidget(lookedUp_, 0, 0, 1, 2);

    auto *meaningsLabel = new QLabel(QStringLiteral("&Meanings:"), this);
    meaningList_ = new QListWidget(this);
    meaningList_->setObjectName(QStringLiteral("meanings"));
    meaningsLabel->setBuddy(meaningList_);
    auto *synonymsLabel = new QLabel(QStringLiteral("&Synonyms:"), this);
    synonymList_ = new QListWidget(this);
    synonymList_->setObjectName(QStringLiteral("synonyms"));
    synonymsLabel->setBuddy(synonymList_);
    layout->addWidget(meaningsLabel, 1, 0);
    layout->addWidget(synonymsLabel, 1, 1);
    layout->addWidget(meaningList_, 2, 0);
    layout->addWidget(synonymList_, 2, 1);

    auto *replaceLabel = new QLabel(QStringLiteral("&Replace with:"), this);
    replaceWith_ = new QLineEdit(this);
    replaceWith_->setObjectName(QStringLiteral("replaceWith"));
    replaceLabel->setBuddy(replaceWith_);
    layout->addWidget(replaceLabel, 3, 0, 1, 2);
    layout->addWidget(replaceWith_, 4, 0, 1, 2);

    auto *box = new QDialogButtonBox(this);
    replaceButton_ = box->addButton(QStringLiteral("Re&place"), QDialogButtonBox::AcceptRole);
    QPushButton *lookUpButton = box->addButton(QStringLiteral("&Look Up"), QDialogButtonBox::ActionRole);
    box->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    layout->addWidget(box, 5, 0, 1, 2);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lookUpButton, &QPushButton::clicked, this, [this] {
        const QString next = replaceWith_->text().trimmed();
        if (!next.isEmpty() && lookUp_)
            showMeanings(next, lookUp_(next));
    });
    connect(meaningList_, &QListWidget::currentRowChanged, this, &ThesaurusForm::showSynonyms);
    connect(synonymList_, &QListWidget::currentTextChanged, this,
            [this](const QString &text) { if (!text.isEmpty()) replaceWith_->setText(plainSynonym(text)); });
    connect(synonymList_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(replaceWith_, &QLineEdit::textChanged, this,
            [this](const QString &text) { replaceButton_->setEnabled(!text.trimmed().isEmpty()); });
    showMeanings(word, meanings);
    resize(520, 360);
}

void ThesaurusForm::showMeanings(const QString &word, const QList<ThesaurusMeaning> &meanings)
{
    meanings_ = meanings;
    meaningList_->clear();
    synonymList_->clear();
    if (meanings.isEmpty()) {
        lookedUp_->setText(QStringLiteral("No synonyms were found for \"%1\".").arg(word));
        replaceWith_->setText(word);
        return;
    }
    lookedUp_->setText(QStringLiteral("Looked up: %1").arg(word));
    for (const ThesaurusMeaning &meaning : meanings) {
        const QString partOfSpeech = meaning.partOfSpeech.isEmpty()
                                         ? QString()
                                         : QStringLiteral(" (%1)").arg(meaning.partOfSpeech);
        meaningList_->addItem(meaning.definition + partOfSpeech);
    }
    meaningList_->setCurrentRow(0);
}

void ThesaurusForm::showSynonyms(int meaning)
{
    synonymList_->clear();
    if (meaning < 0 || meaning >= meanings_.size())
        return;
    synonymList_->addItems(meanings_.at(meaning).synonyms);
    if (synonymList_->count() > 0)
        synonymList_->setCurrentRow(0);
    else
        replaceWith_->setText(plainSynonym(meanings_.at(meaning).definition));
}

QString ThesaurusForm::replacement() const
{
    return replaceWith_->text().trimmed();
}

std::optional<QString> ThesaurusWindow::choose(QWidget *parent, const QString &word,
                                               const QList<ThesaurusMeaning> &meanings, const LookUp &lookUp)
{
    ThesaurusForm form(word, meanings, lookUp, parent);
    if (form.exec() != QDialog::Accepted || form.replacement().isEmpty())
        return std::nullopt;
    return form.replacement();
}
