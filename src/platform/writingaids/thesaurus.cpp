#include "platform/writingaids/thesaurus.h"

#include <QFile>
#include <QFileInfo>

#include <mythes.hxx>

Thesaurus::Thesaurus(const QString &basePath)
    : basePath_(basePath)
{
    const QString idx = basePath + QStringLiteral(".idx");
    const QString dat = basePath + QStringLiteral(".dat");
    if (QFileInfo::exists(idx) && QFileInfo::exists(dat))
        thesaurus_ = std::make_unique<MyThes>(QFile::encodeName(idx).constData(), QFile::encodeName(dat).constData());
}

Thesaurus::~Thesaurus() = default;

std::shared_ptr<Thesaurus> Thesaurus::shared()
{
    static std::shared_ptr<Thesaurus> thesaurus = std::make_shared<Thesaurus>();
    return thesaurus;
}

QString Thesaurus::unavailableMessage() const
{
    return QStringLiteral("The thesaurus cannot work: its English (US) word list was not found\n"
                          "(%1.dat).\n\n"
                          "Install the Debian package \"%2\" (as root: apt-get install %2)\n"
                          "and start Sentrivo again.")
        .arg(basePath_, kThesaurusPackage);
}

QList<ThesaurusMeaning> Thesaurus::lookUp(const QString &word) const
{
    QList<ThesaurusMeaning> meanings;
    const QString key = word.trimmed().toLower();
    if (!thesaurus_ || key.isEmpty())
        return meanings;
    const QByteArray bytes = key.toUtf8();
    mentry *entries = nullptr;
    const int count = thesaurus_->Lookup(bytes.constData(), int(bytes.size()), &entries);
    for (int i = 0; i < count; ++i) {
        const mentry &entry = entries[i];
        ThesaurusMeaning meaning;
        // A meaning reads "(noun)|first term|synonym|...": the part of speech
        // in brackets, then the meaning's leading term.
        QString definition = QString::fromUtf8(entry.defn ? entry.defn : "").trimmed();
        if (definition.startsWith(QLatin1Char('('))) {
            const qsizetype close = definition.indexOf(QLatin1Char(')'));
            if (close > 0) {
                meaning.partOfSpeech = definition.mid(1, close - 1);
                definition = definition.mid(close + 1).trimmed();
            }
        }
        meaning.definition = definition;
        for (int s = 0; s < entry.count; ++s) {
            const QString synonym = QString::fromUtf8(entry.psyns[s]).trimmed();
            if (synonym.isEmpty() || synonym.startsWith(QLatin1Char('(')))
                continue;
            if (!meaning.synonyms.contains(synonym) && synonym.compare(key, Qt::CaseInsensitive) != 0)
                meaning.synonyms.append(synonym);
        }
        if (meaning.definition.isEmpty() && !meaning.synonyms.isEmpty())
            meaning.definition = meaning.synonyms.first();
        meanings.append(meaning);
    }
    if (entries)
        thesaurus_->CleanUpAfterLookup(&entries, count);
    return meanings;
}
