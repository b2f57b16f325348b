#include "printing/pdfoutline.h"

#include "platform/records/safefile.h"
#include "printing/printsurface.h"

// qpdf 11: no PointerHolder in this code.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <QTimeZone>

#include <algorithm>
#include <exception>
#include <vector>

namespace PdfOutline {

namespace {

constexpr double kTwipsPerPoint = 20.0;

using Handle = QPDFObjectHandle;

Handle text(const QString &value)
{
    return Handle::newUnicodeString(value.toStdString());
}

// "D:YYYYMMDDHHmmSSZ", the PDF's own date form, in UTC.
std::string pdfDate(const QDateTime &when)
{
    return QStringLiteral("D:%1Z").arg(when.toUTC().toString(QStringLiteral("yyyyMMddHHmmss"))).toStdString();
}

// Goes to the top of the anchor's line on its page (a little above it).
Handle destination(const std::vector<QPDFPageObjectHelper> &pages, const PrintSurface &surface, int page, int yTwips)
{
    const double height = surface.pageSizeTwips(page).height() / kTwipsPerPoint;
    const double top = std::min(height, height - yTwips / kTwipsPerPoint + 12);
    Handle dest = Handle::newArray();
    dest.appendItem(pages.at(size_t(page)).getObjectHandle());
    dest.appendItem(Handle::newName("/XYZ"));
    dest.appendItem(Handle::newNull());
    dest.appendItem(Handle::newReal(top, 2));
    dest.appendItem(Handle::newNull());
    return dest;
}

void addOutline(QPDF &pdf, const std::vector<QPDFPageObjectHelper> &pages, const PrintSurface &surface)
{
    const QList<PrintAnchor> &anchors = surface.anchors();
    if (anchors.isEmpty())
        return;
    struct Node
    {
        Handle item;
        std::vector<Handle> children;
    };
    std::vector<Node> top;
    Handle outlines = pdf.makeIndirectObject(Handle::newDictionary());
    outlines.replaceKey("/Type", Handle::newName("/Outlines"));
    for (const PrintAnchor &anchor : anchors) {
        if (anchor.page < 0 || anchor.page >= int(pages.size()))
            continue;
        Handle item = pdf.makeIndirectObject(Handle::newDictionary());
        item.replaceKey("/Title", text(anchor.title));
        item.replaceKey("/Dest", destination(pages, surface, anchor.page, anchor.y));
        if (anchor.level > 0 && !top.empty()) {
            item.replaceKey("/Parent", top.back().item);
            top.back().children.push_back(item);
        } else {
            item.replaceKey("/Parent", outlines);
            top.push_back(Node{item, {}});
        }
    }
    const auto link = [](const std::vector<Handle> &siblings, Handle parent, bool open) {
        for (size_t i = 0; i < siblings.size(); ++i) {
            Handle item = siblings[i];
            if (i > 0)
                item.replaceKey("/Prev", siblings[i - 1]);
            if (i + 1 < siblings.size())
                item.replaceKey("/Next", siblings[i + 1]);
        }
        if (siblings.empty())
            return;
        parent.replaceKey("/First", siblings.front());
        parent.replaceKey("/Last", siblings.back());
        const auto count = static_cast<long long>(siblings.size());
        parent.replaceKey("/Count", Handle::newInteger(open ? count : -count));
    };
    std::vector<Handle> topItems;
    for (Node &node : top) {
        topItems.push_back(node.item);
        link(node.children, node.item, false);
    }
    link(topItems, outlines, true);
    Handle root = pdf.getRoot();
    root.replaceKey("/Outlines", outlines);
    root.replaceKey("/PageMode", Handle::newName("/UseOutlines"));
}

void addLinks(const std::vector<QPDFPageObjectHelper> &pages, const PrintSurface &surface)
{
    const QList<PrintAnchor> &anchors = surface.anchors();
    for (const PrintLink &link : surface.links()) {
        if (link.page < 0 || link.page >= int(pages.size()) || link.anchor < 0 || link.anchor >= anchors.size())
            continue;
        const PrintAnchor &target = anchors[link.anchor];
        if (target.page < 0 || target.page >= int(pages.size()))
            continue;
        const double height = surface.pageSizeTwips(link.page).height() / kTwipsPerPoint;
        Handle rect = Handle::newArray();
        rect.appendItem(Handle::newReal(link.area.left() / kTwipsPerPoint, 2));
        rect.appendItem(Handle::newReal(height - link.area.bottom() / kTwipsPerPoint, 2));
        rect.appendItem(Handle::newReal(link.area.right() / kTwipsPerPoint, 2));
        rect.appendItem(Handle::newReal(height - link.area.top() / kTwipsPerPoint, 2));
        Handle border = Handle::newArray();
        for (int i = 0; i < 3; ++i)
            border.appendItem(Handle::newInteger(0));
        Handle annotation = Handle::newDictionary();
        annotation.replaceKey("/Type", Handle::newName("/Annot"));
        annotation.replaceKey("/Subtype", Handle::newName("/Link"));
        annotation.replaceKey("/Rect", rect);
        annotation.replaceKey("/Border", border);
        annotation.replaceKey("/Dest", destination(pages, surface, target.page, target.y));
        Handle page = pages[size_t(link.page)].getObjectHandle();
        Handle annotations = page.getKey("/Annots");
        if (!annotations.isArray()) {
            annotations = Handle::newArray();
            page.replaceKey("/Annots", annotations);
        }
        annotations.appendItem(page.getOwningQPDF()->makeIndirectObject(annotation));
    }
}

void addInfo(QPDF &pdf, const DocumentInfo &info)
{
    Handle trailer = pdf.getTrailer();
    Handle dictionary = trailer.getKey("/Info");
    if (!dictionary.isDictionary()) {
        dictionary = pdf.makeIndirectObject(Handle::newDictionary());
        trailer.replaceKey("/Info", dictionary);
    }
    const auto set = [&dictionary](const char *key, const QString &value) {
        if (!value.isEmpty())
            dictionary.replaceKey(key, text(value));
    };
    set("/Title", info.title);
    set("/Author", info.author);
    set("/Subject", info.subject);
    set("/Creator", info.creator);
    const QDateTime created = info.created.isValid() ? info.created : QDateTime::currentDateTimeUtc();
    dictionary.replaceKey("/CreationDate", Handle::newString(pdfDate(created)));
    dictionary.replaceKey("/ModDate", Handle::newString(pdfDate(created)));
}

} // namespace

QByteArray documentPdf(const PrintSurface &surface, const DocumentInfo &info, QString *error)
{
    PdfInfo plain;
    plain.title = info.title;
    plain.creator = info.creator;
    const QByteArray pages = surface.pdf(plain);
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile("document.pdf", pages.constData(), size_t(pages.size()));
        const std::vector<QPDFPageObjectHelper> pageHelpers = QPDFPageDocumentHelper(pdf).getAllPages();
        addOutline(pdf, pageHelpers, surface);
        addLinks(pageHelpers, surface);
        addInfo(pdf, info);
        QPDFWriter writer(pdf);
        writer.setOutputMemory();
        writer.setObjectStreamMode(qpdf_o_generate);
        writer.setCompressStreams(true);
        writer.write();
        const std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
        return QByteArray(reinterpret_cast<const char *>(buffer->getBuffer()), qsizetype(buffer->getSize()));
    } catch (const std::exception &failure) {
        if (error)
            *error = QStringLiteral("the PDF's bookmarks could not be added: %1").arg(QString::fromLocal8Bit(failure.what()));
        return {};
    }
}

bool writeDocumentPdf(const PrintSurface &surface, const QString &path, const DocumentInfo &info, QString *error)
{
    const QByteArray bytes = documentPdf(surface, info, error);
    if (bytes.isEmpty())
        return false;
    QString reason;
    if (writeFileSafely(path, bytes, &reason))
        return true;
    if (error)
        *error = reason;
    return false;
}

} // namespace PdfOutline
