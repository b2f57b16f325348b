#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

class PrintSurface;

// A PDF with its outline: the pages as the surface renders them (Qt's PDF
// writer), then, with qpdf, the bookmarks of the surface's anchors (level 0
// sections, level 1 items under the section before them), its links as
// clickable areas that go to their anchors, and the document information.
namespace PdfOutline {

struct DocumentInfo
{
    QString title;
    QString author;
    QString subject;
    QString creator = QStringLiteral("Sentrivo");
    QDateTime created;
};

// The finished PDF; empty with *error set when qpdf could not read back what
// Qt wrote.
QByteArray documentPdf(const PrintSurface &surface, const DocumentInfo &info, QString *error = nullptr);
// documentPdf written safely to a file.
bool writeDocumentPdf(const PrintSurface &surface, const QString &path, const DocumentInfo &info,
                      QString *error = nullptr);

} // namespace PdfOutline
