#pragma once

#include "platform/services/writingaiddialogs.h"

#include <QList>
#include <QString>

#include <memory>

class MyThes;

// Synonyms with MyThes and the system's en-US thesaurus.
class Thesaurus
{
public:
    static inline const QString kThesaurusPackage = QStringLiteral("mythes-en-us");
    static inline const QString kSystemThesaurus = QStringLiteral("/usr/share/mythes/th_en_US_v2");

    // basePath without extension: base.idx and base.dat.
    explicit Thesaurus(const QString &basePath = kSystemThesaurus);
    ~Thesaurus();
    Thesaurus(const Thesaurus &) = delete;
    Thesaurus &operator=(const Thesaurus &) = delete;

    static std::shared_ptr<Thesaurus> shared();

    bool isAvailable() const { return bool(thesaurus_); }
    QString unavailableMessage() const;

    // The meanings of a word or phrase (letters compared without regard to
    // case); empty when the thesaurus does not know it.
    QList<ThesaurusMeaning> lookUp(const QString &word) const;

private:
    QString basePath_;
    std::unique_ptr<MyThes> thesaurus_;
};
