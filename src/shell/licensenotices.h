#pragma once

#include <QList>
#include <QString>

// What the About box says of the program's own licence and of the libraries
// the program is built with. Plain data, so that tests and the About box read
// the same words.
namespace LicenseNotices {

// One library the program links, and under what terms it is used.
struct ThirdParty
{
    QString name;
    QString use;       // what the program uses it for
    QString licence;   // SPDX identifiers where there are some
    QString copyright;
};

QString programCopyright();
// The GPL notice of the program, as plain paragraphs.
QStringList programLicence();
// The terms of the shipped documents (templates, guidance, regulation text).
QStringList documentTerms();
QList<ThirdParty> thirdParties();

// All of the above as one HTML page for a text browser.
QString html();

} // namespace LicenseNotices
