#include "shell/licensenotices.h"

namespace LicenseNotices {

QString programCopyright()
{
    return QStringLiteral("Copyright (C) 2026 The Sentrivo developers");
}

QStringList programLicence()
{
    return {
        QStringLiteral("Sentrivo is free software: you can redistribute it and/or modify it under the terms of "
                       "the GNU General Public License as published by the Free Software Foundation, either "
                       "version 3 of the License, or (at your option) any later version "
                       "(SPDX: GPL-3.0-or-later)."),
        QStringLiteral("Sentrivo is distributed in the hope that it will be useful, but WITHOUT ANY WARRANTY; "
                       "without even the implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. "
                       "See the GNU General Public License for more details."),
        QStringLiteral("The full text of the licence is in the file COPYING of the source, and on Debian systems "
                       "in /usr/share/common-licenses/GPL-3."),
    };
}

QStringList documentTerms()
{
    return {
        QStringLiteral("The policy and plan templates, the sample entries and the fill-in forms are dedicated to "
                       "the public domain under CC0-1.0: the policies you make from them are your own."),
        QStringLiteral("The other shipped documents (the guidance, the reference texts, the help) are licensed "
                       "under the Creative Commons Attribution 4.0 International licence (CC-BY-4.0)."),
        QStringLiteral("The regulation text of the Security Rule and the passages quoted from its preamble are a "
                       "work of the United States government, not subject to copyright in the United States "
                       "(17 U.S.C. 105)."),
    };
}

QList<ThirdParty> thirdParties()
{
    return {
        {QStringLiteral("Qt 6"), QStringLiteral("windows, printing and PDF, the SQLite database driver"),
         QStringLiteral("LGPL-3.0-only or GPL-2.0-only"), QStringLiteral("Copyright (C) The Qt Company Ltd.")},
        {QStringLiteral("Hunspell"), QStringLiteral("spell check"),
         QStringLiteral("MPL-1.1 or GPL-2.0-or-later or LGPL-2.1-or-later"),
         QStringLiteral("Copyright (C) Kevin Hendricks, Bjoern Jacke, Laszlo Nemeth and contributors")},
        {QStringLiteral("MyThes"), QStringLiteral("thesaurus"), QStringLiteral("BSD-style licence"),
         QStringLiteral("Copyright (C) 2003 Kevin B. Hendricks and contributors")},
        {QStringLiteral("SQLite"), QStringLiteral("the workbook database, through Qt's SQLite driver"),
         QStringLiteral("public domain"), QStringLiteral("dedicated to the public domain by its authors")},
        {QStringLiteral("libxlsxwriter"), QStringLiteral("spreadsheet (XLSX) export"),
         QStringLiteral("BSD-2-Clause (its minizip part Zlib, its tmpfileplus part MPL-2.0)"),
         QStringLiteral("Copyright (C) 2014-2021 John McNamara")},
        {QStringLiteral("zlib"), QStringLiteral("compression inside the spreadsheet files"), QStringLiteral("Zlib"),
         QStringLiteral("Copyright (C) 1995-2013 Jean-loup Gailly and Mark Adler")},
        {QStringLiteral("qpdf"), QStringLiteral("PDF files: outlines and checks"), QStringLiteral("Apache-2.0"),
         QStringLiteral("Copyright (C) 2005-2022 Jay Berkenbilt")},
        {QStringLiteral("libsodium"), QStringLiteral("encryption of workbooks and backups"), QStringLiteral("ISC"),
         QStringLiteral("Copyright (C) 2013-2017 Frank Denis")},
    };
}

QString html()
{
    QString page = QStringLiteral("<h3>Licence</h3><p>") + programCopyright().toHtmlEscaped() + QStringLiteral("</p>");
    for (const QString &paragraph : programLicence())
        page += QStringLiteral("<p>") + paragraph.toHtmlEscaped() + QStringLiteral("</p>");
    page += QStringLiteral("<h3>Shipped documents</h3>");
    for (const QString &paragraph : documentTerms())
        page += QStringLiteral("<p>") + paragraph.toHtmlEscaped() + QStringLiteral("</p>");
    page += QStringLiteral("<h3>Third-party software</h3><p>Sentrivo is built with these libraries, each under "
                           "its own licence:</p><ul>");
    for (const ThirdParty &library : thirdParties()) {
        page += QStringLiteral("<li><b>") + library.name.toHtmlEscaped() + QStringLiteral("</b> (")
              + library.use.toHtmlEscaped() + QStringLiteral("): ") + library.licence.toHtmlEscaped()
              + QStringLiteral(". ") + library.copyright.toHtmlEscaped() + QStringLiteral(".</li>");
    }
    page += QStringLiteral("</ul><p>The Debian package lists every file's licence in "
                           "/usr/share/doc/sentrivo/copyright.</p>");
    return page;
}

} // namespace LicenseNotices
