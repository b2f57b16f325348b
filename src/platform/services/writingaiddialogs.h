#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class HelpViewer;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The spell checker's question about one word it does not know.
struct SpellQuestion
{
    QString word;
    QString context;        // the paragraph (or item) the word stands in
    QStringList suggestions;
};

struct SpellAnswer
{
    enum class Action { Change, ChangeAll, Ignore, IgnoreAll, AddToDictionary, Cancel };
    Action action = Action::Cancel;
    QString replacement;    // for Change and Change All
};

// The spell checker's dialog: change, change all, ignore, ignore all, add to
// dictionary, cancel and help.
class SpellCheckDialog
{
public:
    virtual ~SpellCheckDialog() = default;
    virtual SpellAnswer ask(QWidget *parent, const SpellQuestion &question) = 0;
};

// One meaning of a word in the thesaurus with its synonyms.
struct ThesaurusMeaning
{
    QString partOfSpeech;   // "noun", "verb", ... (may be empty)
    QString definition;     // the meaning's leading term
    QStringList synonyms;
};

// The thesaurus dialog: the meanings of the word, the synonyms of the chosen
// meaning; returns the word chosen to replace the looked-up one, or nothing.
class ThesaurusDialog
{
public:
    virtual ~ThesaurusDialog() = default;
    // lookUp finds the meanings of another word typed or picked in the dialog.
    using LookUp = std::function<QList<ThesaurusMeaning>(const QString &)>;
    virtual std::optional<QString> choose(QWidget *parent, const QString &word,
                                          const QList<ThesaurusMeaning> &meanings, const LookUp &lookUp) = 0;
};

// The spell checker's window.
class SpellCheckWindow : public SpellCheckDialog
{
public:
    static inline const QString kTitle = QStringLiteral("Spell Check");
    static constexpr int kHelpTopic = 5050;
    explicit SpellCheckWindow(std::shared_ptr<HelpViewer> help);
    SpellAnswer ask(QWidget *parent, const SpellQuestion &question) override;

private:
    std::shared_ptr<HelpViewer> help_;
};

class ThesaurusWindow : public ThesaurusDialog
{
public:
    static inline const QString kTitle = QStringLiteral("Thesaurus");
    std::optional<QString> choose(QWidget *parent, const QString &word, const QList<ThesaurusMeaning> &meanings,
                                  const LookUp &lookUp) override;
};

// The dialogs themselves (public so screenshots and tests can build them).
class SpellCheckForm : public QDialog
{
    Q_OBJECT
public:
    SpellCheckForm(const SpellQuestion &question, std::shared_ptr<HelpViewer> help, QWidget *parent = nullptr);
    SpellAnswer answer() const { return answer_; }

private:
    void finish(SpellAnswer::Action action);

    std::shared_ptr<HelpViewer> help_;
    QLineEdit *changeTo_ = nullptr;
    QListWidget *suggestions_ = nullptr;
    QList<QPushButton *> changeButtons_;
    SpellAnswer answer_;
};

class ThesaurusForm : public QDialog
{
    Q_OBJECT
public:
    ThesaurusForm(const QString &word, const QList<ThesaurusMeaning> &meanings, ThesaurusDialog::LookUp lookUp,
                  QWidget *parent = nullptr);
    QString replacement() const;

private:
    void showMeanings(const QString &word, const QList<ThesaurusMeaning> &meanings);
    void showSynonyms(int meaning);

    ThesaurusDialog::LookUp lookUp_;
    QList<ThesaurusMeaning> meanings_;
    QLabel *lookedUp_ = nullptr;
    QListWidget *meaningList_ = nullptr;
    QListWidget *synonymList_ = nullptr;
    QLineEdit *replaceWith_ = nullptr;
    QPushButton *replaceButton_ = nullptr;
};
