#include "platform/writingaids/spellchecker.h"

#include "platform/records/safefile.h"
#include "platform/records/windows1252.h"

#include <QFileInfo>

#include <hunspell/hunspell.hxx>

namespace {

bool isApostrophe(QChar c)
{
    return c == QLatin1Char('\'') || c == QChar(0x2019);
}

// Characters that keep a run together; the run is checked only when it is a
// plain word.
bool isRunCharacter(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || isApostrophe(c) || c == QLatin1Char('.') || c == QLatin1Char('@')
           || c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char('_');
}

bool isTrimmedFromRun(QChar c)
{
    return isApostrophe(c) || c == QLatin1Char('.');
}

bool isPlainWord(QStringView word)
{
    bool anyLower = false;
    bool innerCapital = false;
    int letters = 0;
    for (QChar c : word) {
        if (c.isLetter()) {
            innerCapital = innerCapital || (letters > 0 && c.isUpper());
            ++letters;
            anyLower = anyLower || c.isLower();
        } else if (!isApostrophe(c) && !c.isMark()) {
            return false;
        }
    }
    // Words in capitals only, or with a capital inside (ePHI, McAfee), are
    // acronyms and names; a single capital ("I", "A") is a word.
    return letters > 0 && (anyLower || letters == 1) && !innerCapital;
}

} // namespace

SpellChecker::SpellChecker(const QString &basePath)
    : basePath_(basePath)
{
    const QString aff = basePath + QStringLiteral(".aff");
    const QString dic = basePath + QStringLiteral(".dic");
    if (QFileInfo::exists(aff) && QFileInfo::exists(dic))
        hunspell_ = std::make_unique<Hunspell>(QFile::encodeName(aff).constData(), QFile::encodeName(dic).constData());
}

SpellChecker::~SpellChecker() = default;

std::shared_ptr<SpellChecker> SpellChecker::shared()
{
    static std::shared_ptr<SpellChecker> checker = std::make_shared<SpellChecker>();
    return checker;
}

QString SpellChecker::unavailableMessage() const
{
    return QStringLiteral("The spell checker cannot work: its English (US) dictionary was not found\n"
                          "(%1.dic).\n\n"
                          "Install the Debian package \"%2\" (as root: apt-get install %2)\n"
                          "and start Sentrivo again.")
        .arg(basePath_, kDictionaryPackage);
}

bool SpellChecker::spell(const QString &word) const
{
    QString normalised = word;
    normalised.replace(QChar(0x2019), QLatin1Char('\''));
    return hunspell_->spell(normalised.toStdString());
}

bool SpellChecker::isCorrect(const QString &word) const
{
    if (!hunspell_ || word.isEmpty())
        return true;
    const auto known = verdicts_.constFind(word);
    if (known != verdicts_.cend())
        return *known;
    const bool correct = spell(word);
    verdicts_.insert(word, correct);
    return correct;
}

QStringList SpellChecker::suggestions(const QString &word) const
{
    QStringList result;
    if (!hunspell_)
        return result;
    QString normalised = word;
    normalised.replace(QChar(0x2019), QLatin1Char('\''));
    for (const std::string &suggestion : hunspell_->suggest(normalised.toStdString()))
        result << QString::fromStdString(suggestion);
    return result;
}

WordSpan SpellChecker::nextWord(QStringView text, int from)
{
    int i = qMax(0, from);
    const int size = int(text.size());
    while (i < size) {
        while (i < size && !isRunCharacter(text.at(i)))
            ++i;
        int start = i;
        while (i < size && isRunCharacter(text.at(i)))
            ++i;
        int end = i;
        while (start < end && isTrimmedFromRun(text.at(start)))
            ++start;
        while (end > start && isTrimmedFromRun(text.at(end - 1)))
            --end;
        if (end > start && isPlainWord(text.mid(start, end - start)))
            return {start, end - start};
    }
    return {size, 0};
}

QList<WordSpan> SpellChecker::words(QStringView text)
{
    QList<WordSpan> result;
    for (WordSpan word = nextWord(text, 0); word.length > 0; word = nextWord(text, word.end()))
        result.append(word);
    return result;
}

QList<WordSpan> SpellChecker::misspellings(QStringView text) const
{
    QList<WordSpan> result;
    if (!hunspell_)
        return result;
    for (WordSpan word = nextWord(text, 0); word.length > 0; word = nextWord(text, word.end())) {
        if (!isCorrect(text.mid(word.start, word.length).toString()))
            result.append(word);
    }
    return result;
}

void SpellChecker::setUserWordFile(const QString &path)
{
    if (hunspell_) {
        for (const QString &word : std::as_const(userWords_))
            hunspell_->remove(word.toStdString());
    }
    userWords_.clear();
    verdicts_.clear();
    userWordFile_ = path;
    QByteArray bytes;
    if (path.isEmpty() || !readWholeFile(path, &bytes))
        return;
    const QStringList lines = Windows1252::decode(bytes).split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || userWords_.contains(line))
            continue;
        userWords_.append(line);
        if (hunspell_)
            hunspell_->add(line.toStdString());
    }
}

bool SpellChecker::addUserWord(const QString &word, QString *error)
{
    const QString trimmed = word.trimmed();
    if (trimmed.isEmpty())
        return true;
    if (!userWords_.contains(trimmed)) {
        userWords_.append(trimmed);
        if (hunspell_)
            hunspell_->add(trimmed.toStdString());
    }
    verdicts_.insert(trimmed, true);
    if (userWordFile_.isEmpty())
        return true;
    // One word a line, CR LF, in the code page of every workbook file.
    QByteArray bytes;
    for (const QString &known : std::as_const(userWords_)) {
        if (Windows1252::decode(Windows1252::encode(known)) != known)
            continue; // cannot be stored in the code page; known for this run only
        bytes += Windows1252::encode(known) + "\r\n";
    }
    return writeFileSafely(userWordFile_, bytes, error);
}
