#include "history/worddiff.h"

#include "history/documenttext.h"

#include <dtl/dtl.hpp>

#include <vector>

namespace WordDiff {

QList<Segment> compare(const QString &older, const QString &newer)
{
    const QStringList a = DocumentText::pieces(older);
    const QStringList b = DocumentText::pieces(newer);
    std::vector<QString> x(a.begin(), a.end());
    std::vector<QString> y(b.begin(), b.end());
    dtl::Diff<QString, std::vector<QString>> diff(x, y);
    diff.onHuge();
    diff.compose();

    QList<Segment> segments;
    for (const auto &[piece, info] : diff.getSes().getSequence()) {
        const Segment::Kind kind = info.type == dtl::SES_ADD      ? Segment::Kind::Inserted
                                   : info.type == dtl::SES_DELETE ? Segment::Kind::Deleted
                                                                  : Segment::Kind::Same;
        if (!segments.isEmpty() && segments.last().kind == kind)
            segments.last().text += piece;
        else
            segments.append({kind, piece});
    }
    return segments;
}

Counts count(const QList<Segment> &segments)
{
    Counts counts;
    for (const Segment &segment : segments) {
        if (segment.kind == Segment::Kind::Inserted)
            counts.added += DocumentText::wordCount(segment.text);
        else if (segment.kind == Segment::Kind::Deleted)
            counts.removed += DocumentText::wordCount(segment.text);
    }
    return counts;
}

Counts countChanges(const QString &older, const QString &newer)
{
    return count(compare(older, newer));
}

QString toHtml(const QList<Segment> &segments)
{
    QString html = QStringLiteral("<html><body style=\"white-space: pre-wrap\">");
    for (const Segment &segment : segments) {
        QString text = segment.text.toHtmlEscaped();
        text.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
        switch (segment.kind) {
        case Segment::Kind::Same:
            html += text;
            break;
        case Segment::Kind::Inserted:
            html += QStringLiteral("<span style=\"background-color:#c8f0c8; text-decoration:underline\">")
                    + text + QStringLiteral("</span>");
            break;
        case Segment::Kind::Deleted:
            html += QStringLiteral("<span style=\"background-color:#f6c8c8; text-decoration:line-through\">")
                    + text + QStringLiteral("</span>");
            break;
        }
    }
    return html + QStringLiteral("</body></html>");
}

} // namespace WordDiff
