#include "actionarea/autosave.h"

#include "actionarea/editsession.h"
#include "catalogue/safeguardcatalogue.h"
#include "platform/records/safefile.h"
#include "platform/records/storedfile.h"
#include "platform/records/windows1252.h"
#include "platform/rtf/rtf.h"
#include "platform/services/services.h"
#include "timeline/todolist.h"
#include "worksheets/worksheetfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTextDocument>

#include <dtl/dtl.hpp>

#include <vector>

namespace Autosave {

QString copyFileName(const QString &documentFileName)
{
    return documentFileName + kSuffix;
}

QStringList pendingDocuments(const QDir &workbook)
{
    QStringList documents;
    const QStringList copies =
        workbook.entryList({QStringLiteral("*") + kSuffix}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &copy : copies) {
        const QString document = copy.chopped(kSuffix.size());
        if (!document.isEmpty())
            documents.append(document);
    }
    return documents;
}

QString describe(const QDir &workbook, const QString &documentFileName)
{
    static const QRegularExpression numbered(QStringLiteral("^(Action|Comment|Policy|Wksht)(\\d+)\\.Fil$"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (documentFileName.compare(QStringLiteral("DRPln1.Fil"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Disaster Recovery Plan");
    if (documentFileName.compare(ToDoList::kFileName, Qt::CaseInsensitive) == 0)
        return QStringLiteral("Project Timeline");
    const QRegularExpressionMatch match = numbered.match(documentFileName);
    if (!match.hasMatch())
        return documentFileName;
    const QString kind = match.captured(1).toLower();
    const int number = match.captured(2).toInt();
    if (kind == QLatin1String("wksht")) {
        if (number < 0 || number >= Worksheets::kCount)
            return documentFileName;
        return QStringLiteral("Risk Analysis Worksheet \"%1\"")
            .arg(Worksheets::readTitles(Workbook(workbook.path())).at(number).trimmed());
    }
    if (!Catalogue::isValidSafeguardNo(number))
        return documentFileName;
    const QString what = kind == QLatin1String("action")    ? QStringLiteral("Action Taken")
                         : kind == QLatin1String("comment") ? QStringLiteral("Comments/Notes")
                                                            : QStringLiteral("Policies and Procedures/Plan");
    return QStringLiteral("%1 for %2").arg(what, QLatin1String(Catalogue::safeguardAt(number).fullName));
}

QStringList textLines(const QString &documentFileName, const QByteArray &bytes)
{
    QString text;
    if (documentFileName.compare(ToDoList::kFileName, Qt::CaseInsensitive) == 0) {
        text = Windows1252::decode(bytes);
    } else {
        QTextDocument document;
        Rtf::read(bytes, &document);
        text = document.toPlainText();
    }
    QStringList lines;
    for (const QString &line : text.split(QRegularExpression(QStringLiteral("[\\r\\n\\x{2029}]+")))) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && trimmed != QLatin1String("\"\""))
            lines.append(trimmed);
    }
    return lines;
}

QStringList differences(const QStringList &saved, const QStringList &kept, int maxLines)
{
    const std::vector<QString> a(saved.cbegin(), saved.cend());
    const std::vector<QString> b(kept.cbegin(), kept.cend());
    dtl::Diff<QString, std::vector<QString>> diff(a, b);
    diff.compose();
    QStringList changes;
    int more = 0;
    for (const auto &[line, info] : diff.getSes().getSequence()) {
        if (info.type == dtl::SES_COMMON)
            continue;
        if (changes.size() >= maxLines) {
            ++more;
            continue;
        }
        changes.append((info.type == dtl::SES_ADD ? QStringLiteral("+ ") : QStringLiteral("- ")) + line);
    }
    if (more > 0)
        changes.append(QStringLiteral("... and %1 more changed lines").arg(more));
    return changes;
}

QStringList offerRecovery(const QDir &workbook, Prompt &prompt, QWidget *parent)
{
    QStringList recovered;
    for (const QString &document : pendingDocuments(workbook)) {
        const QString copyPath = workbook.filePath(copyFileName(document));
        const QString documentPath = workbook.filePath(document);
        const StoredFile::ReadResult copy = StoredFile::read(copyPath);
        if (copy.state != StoredFile::State::Read)
            continue;
        const StoredFile::ReadResult saved = StoredFile::read(documentPath);
        const QDateTime when = QFileInfo(copyPath).lastModified();
        QStringList changes = differences(saved.state == StoredFile::State::Read
                                              ? textLines(document, saved.bytes)
                                              : QStringList(),
                                          textLines(document, copy.bytes));
        if (changes.isEmpty())
            changes.append(QStringLiteral("(no change in the words; only the formatting may differ)"));
        const QString savedState = saved.state == StoredFile::State::Read
                                       ? QStringLiteral("the saved file (%1)").arg(document)
                                       : saved.isUnreadable()
                                             ? QStringLiteral("the saved file %1, which cannot be read now").arg(document)
                                             : QStringLiteral("no saved file (%1 does not exist)").arg(document);
        const QString text =
            QStringLiteral("Text of the %1 was not saved when the program last ended. A copy of it was kept on %2.\n\n"
                           "Compared with %3 (- saved only, + in the kept copy):\n%4\n\n"
                           "Yes: recover it (the kept text becomes the saved %1).\n"
                           "No: discard the kept copy.\n"
                           "Cancel: decide at the next start.")
                .arg(describe(workbook, document),
                     QLocale().toString(when, QLocale::LongFormat), savedState,
                     changes.join(QLatin1Char('\n')));
        const Prompt::Answer answer = prompt.ask(parent, Prompt::Icon::Question, QStringLiteral("Recover Unsaved Text"),
                                                 text, Prompt::Buttons::YesNoCancel, Prompt::Answer::Yes);
        if (answer == Prompt::Answer::Yes) {
            QString error;
            // A document that cannot be read is never written over, even to
            // recover: the copy stays for when it can be read.
            if (saved.isUnreadable() || !writeFileSafely(documentPath, copy.bytes, &error)) {
                prompt.ask(parent, Prompt::Icon::Critical, QStringLiteral("Recover Unsaved Text"),
                           QStringLiteral("The %1 could not be recovered: %2\n\nThe kept copy stays in\n%3")
                               .arg(describe(workbook, document),
                                    saved.isUnreadable() ? StoredFile::notWrittenOverMessage(documentPath, saved.error)
                                                         : error,
                                    QDir::toNativeSeparators(copyPath)),
                           Prompt::Buttons::Ok);
                continue;
            }
            QFile::remove(copyPath);
            recovered.append(document);
        } else if (answer == Prompt::Answer::No) {
            QFile::remove(copyPath);
        }
    }
    return recovered;
}

Keeper::Keeper(EditSession &session, QDir workbook, Provider provider, QObject *parent)
    : QObject(parent)
    , m_session(session)
    , m_workbook(std::move(workbook))
    , m_provider(std::move(provider))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { writeNow(); });
    connect(&m_session, &EditSession::edited, this, &Keeper::onEdited);
    connect(&m_session, &EditSession::unsavedChanged, this, &Keeper::onUnsavedChanged);
}

void Keeper::onEdited()
{
    if (!m_timer.isActive())
        m_timer.start();
}

void Keeper::onUnsavedChanged(bool unsaved)
{
    if (unsaved) {
        onEdited();
        return;
    }
    // Saved, discarded, or a new document loaded after either.
    m_timer.stop();
    removeKeptCopy();
}

bool Keeper::writeNow()
{
    m_timer.stop();
    if (!m_session.hasUnsavedChanges() || !m_provider)
        return false;
    const std::optional<Copy> copy = m_provider();
    if (!copy || copy->fileName.isEmpty())
        return false;
    const QString path = m_workbook.filePath(copyFileName(copy->fileName));
    if (!m_keptPath.isEmpty() && m_keptPath != path)
        removeKeptCopy();
    if (!writeFileSafely(path, copy->bytes, &m_lastError))
        return false;
    m_keptPath = path;
    return true;
}

void Keeper::removeKeptCopy()
{
    if (m_keptPath.isEmpty())
        return;
    QFile::remove(m_keptPath);
    m_keptPath.clear();
}

} // namespace Autosave
