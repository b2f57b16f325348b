#include "catalogue/referencetexts.h"

#include "catalogue/highlight.h"
#include "catalogue/referencerecipes.h"
#include "catalogue/safeguardcatalogue.h"
#include "catalogue/textlibrary.h"
#include "platform/rtf/rtf.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTextDocument>

namespace Reference {
namespace {

using TextLibrary::TextSet;

const QString CrLf = QStringLiteral("\r\n");
const QString BlankLine = QStringLiteral("\r\n\r\n");

const Recipes::Recipe &recipeOf(int safeguardNo)
{
    return Recipes::table()[static_cast<size_t>(safeguardNo)];
}

QStringList keysOf(const char *keyList)
{
    return QString::fromLatin1(keyList).split(u' ', Qt::SkipEmptyParts);
}

// The passages of the keys, one CR LF apart. A key missing from the
// resources is a build fault caught by the tests; it adds nothing here.
QString joinedPassages(TextSet set, const char *keyList)
{
    QStringList pieces;
    for (const QString &key : keysOf(keyList)) {
        const QString text = TextLibrary::passage(set, key);
        if (!text.isNull())
            pieces.append(text);
    }
    return pieces.join(CrLf);
}

QString composeImplementationSpecification(int safeguardNo)
{
    if (Catalogue::isOverview(safeguardNo))
        return {};
    const QString text = headingLine(ReferenceKind::ImplementationSpecification) + BlankLine
                         + joinedPassages(TextSet::RuleParagraphs, recipeOf(safeguardNo).ruleLines);
    return text.trimmed();
}

QString composeReferencesInRule(int safeguardNo)
{
    const Recipes::Recipe &recipe = recipeOf(safeguardNo);
    QString text = headingLine(ReferenceKind::ReferencesInRule) + BlankLine;
    if (recipe.preambleHeading)
        text += TextLibrary::passage(TextSet::PreamblePassages, QLatin1String(recipe.preambleHeading)) + BlankLine;
    const QString passages = joinedPassages(TextSet::PreamblePassages, recipe.preamblePassages);
    const char *ruleKeys = qstrcmp(recipe.referenceRuleLines, Recipes::SameRuleLines) == 0
                               ? recipe.ruleLines
                               : recipe.referenceRuleLines;
    const QString rules = joinedPassages(TextSet::RuleParagraphs, ruleKeys);
    text += passages;
    if (!passages.isEmpty() && !rules.isEmpty())
        text += BlankLine;
    text += rules;
    return text.trimmed();
}

QString composeAdditionalInformation(int safeguardNo)
{
    QString text = headingLine(ReferenceKind::AdditionalInformation) + BlankLine;
    if (hasAddressableNotice(safeguardNo))
        text += addressableNotice() + BlankLine;
    text += TextLibrary::passage(TextSet::GuidanceTexts, QString::number(safeguardNo));
    return text.trimmed();
}

} // namespace

QString headingLine(ReferenceKind kind)
{
    switch (kind) {
    case ReferenceKind::ImplementationSpecification: return QStringLiteral("Implementation Specification:");
    case ReferenceKind::ReferencesInRule: return QStringLiteral("References in Rule:");
    case ReferenceKind::AdditionalInformation: return QStringLiteral("Additional Information:");
    }
    return {};
}

QString contentFileName(ReferenceKind kind, int safeguardNo)
{
    if (!Catalogue::isValidSafeguardNo(safeguardNo))
        return {};
    const Recipes::Recipe &recipe = recipeOf(safeguardNo);
    switch (kind) {
    case ReferenceKind::ImplementationSpecification: return {};
    case ReferenceKind::ReferencesInRule: return QString::fromLatin1(recipe.referencesFile);
    case ReferenceKind::AdditionalInformation: return QString::fromLatin1(recipe.guidanceFile);
    }
    return {};
}

QString highlightTerm(ReferenceKind kind, int safeguardNo)
{
    if (!Catalogue::isValidSafeguardNo(safeguardNo))
        return {};
    const Recipes::Recipe &recipe = recipeOf(safeguardNo);
    const char *term = kind == ReferenceKind::AdditionalInformation ? recipe.guidanceTerm : recipe.term;
    return QString::fromLatin1(term).trimmed();
}

// Only an addressable implementation specification carries the notice; a
// required one must never be described to the user as addressable.
bool hasAddressableNotice(int safeguardNo)
{
    return Catalogue::isValidSafeguardNo(safeguardNo)
           && Catalogue::safeguardAt(safeguardNo).designation == Catalogue::Designation::Addressable;
}

QString addressableNotice()
{
    const QStringList lines{
        QStringLiteral("This Implementation Specification is ") + QStringLiteral("Addressable."),
        QStringLiteral("This means that a covered entity will do one of the following:"),
        QStringLiteral("    1 - Will Implement this Implementation specification."),
        QStringLiteral("    2 - Implement one of more alternative security measures;"),
        QStringLiteral("    3 - Implement a combination of both; or"),
        QStringLiteral("    4 - Do not implement the addressable implementation specification or"),
        QStringLiteral("        an alternative security measure. (Least desirable)"),
        QStringLiteral("    Which ever action is taken it should be well documented!"),
        QStringLiteral("    In several addressable areas it may be easier to implement than explain/justify why not used!"),
    };
    return lines.join(CrLf);
}

QString composedText(ReferenceKind kind, int safeguardNo)
{
    if (!Catalogue::isValidSafeguardNo(safeguardNo) || !contentFileName(kind, safeguardNo).isEmpty())
        return {};
    switch (kind) {
    case ReferenceKind::ImplementationSpecification: return composeImplementationSpecification(safeguardNo);
    case ReferenceKind::ReferencesInRule: return composeReferencesInRule(safeguardNo);
    case ReferenceKind::AdditionalInformation: return composeAdditionalInformation(safeguardNo);
    }
    return {};
}

QString findContentFile(const QString &contentFolder, const QString &fileName)
{
    const QDir folder(contentFolder);
    if (QFileInfo::exists(folder.filePath(fileName)))
        return folder.filePath(fileName);
    const QStringList names = folder.entryList(QDir::Files);
    for (const QString &name : names) {
        if (name.compare(fileName, Qt::CaseInsensitive) == 0)
            return folder.filePath(name);
    }
    return {};
}

bool build(ReferenceKind kind, int safeguardNo, QTextDocument *document, BuildMode mode,
           const QString &contentFolder)
{
    if (!document || !Catalogue::isValidSafeguardNo(safeguardNo))
        return false;
    const QString fileName = contentFileName(kind, safeguardNo);
    if (!fileName.isEmpty()) {
        const QString path = findContentFile(contentFolder, fileName);
        return !path.isEmpty() && Rtf::loadFile(path, document);
    }
    document->setPlainText(composedText(kind, safeguardNo));
    if (mode == BuildMode::Display)
        Highlight::markTerm(document, highlightTerm(kind, safeguardNo));
    return true;
}

} // namespace Reference
