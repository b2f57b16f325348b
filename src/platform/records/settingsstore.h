#pragma once

#include "platform/records/workbook.h"

#include <QString>
#include <QtGlobal>

// The program's settings. They live in two record files of the workbook:
//
//   GColor3.Fil (20-byte text records)
//     record 2   grid background: "0" none, "1".."8" picture WP<n>.jpg
//     record 11  print preview guide lines: "0" hidden, "1" shown
//     record 35  display size: "Yes" smaller window, anything else full screen
//   HINV3.Fil (10-byte tagged records)
//     record 3   start screen colour: tag 3 colour 0x00BBGGRR, tag 8 "Def"
//                (the system's default colour), empty: blue 0xFF0000
//
// Every call is one complete access (open, read or write, close) and nothing
// is cached, so a value changed on one screen is seen by the next that asks.
// Missing files, records and failures all give the defaults; setters return
// false when the value was not stored.

// The start screen's colour as stored: either the system's default colour
// (whatever the platform's plain background is) or a colour 0x00BBGGRR.
struct StartScreenColour
{
    bool systemDefault = false;
    quint32 bgr = 0xFF0000;

    static StartScreenColour defaultColour() { return {true, 0}; }
    static StartScreenColour colour(quint32 bgr) { return {false, bgr}; }
    bool operator==(const StartScreenColour &other) const = default;
};

class SettingsStore
{
public:
    static inline const QString kColourFile = QStringLiteral("GColor3.Fil");
    static constexpr int kColourFileRecordLength = 20;
    static constexpr int kGridBackgroundRecord = 2;
    static constexpr int kGuideLinesRecord = 11;
    static constexpr int kDisplaySizeRecord = 35;

    static inline const QString kStartColourFile = QStringLiteral("HINV3.Fil");
    static constexpr int kStartColourFileRecordLength = 10;
    static constexpr int kStartColourRecord = 3;

    static constexpr int kGridPictureCount = 8;
    static constexpr quint32 kStartColourUnset = 0xFF0000;

    // The files are those of the given workbook.
    explicit SettingsStore(const Workbook &workbook);

    // 0 (no picture) to 8; a stored value outside that range counts as 0.
    int gridBackground() const;
    bool setGridBackground(int picture);

    // 1 when guide lines are shown, else 0.
    int guideLinesShown() const;
    bool setGuideLinesShown(int shown);

    // True when the record, trimmed of spaces, starts with exactly "Yes".
    bool smallerDisplay() const;
    bool setSmallerDisplay(bool smaller);

    StartScreenColour startScreenColour() const;
    // bgr must be a colour 0x00BBGGRR (the top byte zero).
    bool setStartScreenColour(quint32 bgr);
    bool setStartScreenColourDefault();

    QString colourFilePath() const;
    QString startColourFilePath() const;

private:
    QString pathOf(const QString &name) const;

    Workbook m_workbook;
};
