#include "platform/records/settingsstore.h"

#include "platform/records/numbertext.h"
#include "platform/records/recordfile.h"

#include <QDir>

namespace {

// Only spaces count, as the values were always written with plain spaces.
QStringView trimSpaces(QStringView text)
{
    while (!text.isEmpty() && text.front() == QLatin1Char(' '))
        text = text.mid(1);
    while (!text.isEmpty() && text.back() == QLatin1Char(' '))
        text.chop(1);
    return text;
}

} // namespace

SettingsStore::SettingsStore(const Workbook &workbook)
    : m_workbook(workbook)
{
}

QString SettingsStore::pathOf(const QString &name) const
{
    return m_workbook.filePath(name);
}

QString SettingsStore::colourFilePath() const
{
    return pathOf(kColourFile);
}

QString SettingsStore::startColourFilePath() const
{
    return pathOf(kStartColourFile);
}

int SettingsStore::gridBackground() const
{
    const int picture = textToInteger(
        readTextRecord(colourFilePath(), kColourFileRecordLength, kGridBackgroundRecord));
    return picture >= 0 && picture <= kGridPictureCount ? picture : 0;
}

bool SettingsStore::setGridBackground(int picture)
{
    if (picture < 0 || picture > kGridPictureCount)
        return false;
    return writeTextRecord(colourFilePath(), kColourFileRecordLength, kGridBackgroundRecord,
                           numberToText(picture));
}

int SettingsStore::guideLinesShown() const
{
    const int shown = textToInteger(
        readTextRecord(colourFilePath(), kColourFileRecordLength, kGuideLinesRecord));
    return shown == 1 ? 1 : 0;
}

bool SettingsStore::setGuideLinesShown(int shown)
{
    if (shown != 0 && shown != 1)
        return false;
    return writeTextRecord(colourFilePath(), kColourFileRecordLength, kGuideLinesRecord,
                           numberToText(shown));
}

bool SettingsStore::smallerDisplay() const
{
    const QString stored =
        readTextRecord(colourFilePath(), kColourFileRecordLength, kDisplaySizeRecord);
    return trimSpaces(stored).left(3) == QLatin1String("Yes");
}

bool SettingsStore::setSmallerDisplay(bool smaller)
{
    return writeTextRecord(colourFilePath(), kColourFileRecordLength, kDisplaySizeRecord,
                           smaller ? QStringLiteral("Yes") : QStringLiteral("No"));
}

StartScreenColour SettingsStore::startScreenColour() const
{
    const TaggedValue stored =
        readTaggedRecord(startColourFilePath(), kStartColourFileRecordLength, kStartColourRecord);
    if (stored.isEmptyText())
        return StartScreenColour::colour(kStartColourUnset);
    if (stored.isText()) {
        QString text = stored.toText();
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        // Any other text is no colour: the file was damaged, so fall back.
        return text == QLatin1String("Def") ? StartScreenColour::defaultColour()
                                             : StartScreenColour::colour(kStartColourUnset);
    }
    // Values with the top byte set are not plain colours (Windows keeps its
    // system colour references there); the system default is the closest.
    const quint32 value = quint32(stored.toInteger());
    if (value > 0xFFFFFF)
        return StartScreenColour::defaultColour();
    return StartScreenColour::colour(value);
}

bool SettingsStore::setStartScreenColour(quint32 bgr)
{
    if (bgr > 0xFFFFFF)
        return false;
    return writeTaggedRecord(startColourFilePath(), kStartColourFileRecordLength,
                             kStartColourRecord, TaggedValue(qint32(bgr)));
}

bool SettingsStore::setStartScreenColourDefault()
{
    return writeTaggedRecord(startColourFilePath(), kStartColourFileRecordLength,
                             kStartColourRecord, TaggedValue(QStringLiteral("Def")));
}
