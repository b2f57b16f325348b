#pragma once

#include "platform/rtf/rtfcodepages.h"
#include "platform/rtf/rtfcontrolwords.h"
#include "platform/rtf/rtfdocumentbuilder.h"
#include "platform/rtf/rtftokenizer.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QString>

#include <vector>

class QTextDocument;

namespace Rtf::Internal {

// Character properties as RTF states them; indexes refer to the font and
// colour tables (colour 0 = automatic).
struct CharState
{
    int font = -1; // -1: the document's default font (\deff)
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int verticalAlignment = 0; // 1 superscript, -1 subscript
    int foreground = 0;
    int background = 0;

    bool operator==(const CharState &) const = default;
};

inline size_t qHash(const CharState &chr, size_t seed = 0)
{
    return qHashMulti(seed, chr.font, chr.halfPoints, chr.bold, chr.italic, chr.underline, chr.strike, chr.hidden,
                      chr.verticalAlignment, chr.foreground, chr.background);
}

// Paragraph numbering of the older form (\pn ... inside the paragraph).
struct OldStyleNumbering
{
    QTextListFormat::Style style = QTextListFormat::ListStyleUndefined;
    int level = 0;
    QString before;
    QString after;
};

// Paragraph properties in twips, as RTF states them.
struct ParaState
{
    int alignment = 0; // 0 left, 1 right, 2 centre, 3 justify
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0;
    bool lineSpacingMultiple = false;
    bool inTable = false;
    int listOverride = 0;
    int listLevel = 0;
    OldStyleNumbering numbering;
};

enum class Destination {
    Text,
    Skip,
    FontTable,
    ColorTable,
    ListTable,
    List,
    ListLevel,
    LevelText,
    ListOverrideTable,
    ListOverride,
    Numbering,
    NumberingTextBefore,
    NumberingTextAfter,
    EmbeddedObject, // skipped except for its result
};

struct GroupState
{
    CharState chr;
    ParaState para;
    Destination dest = Destination::Text;
    int unicodeSkip = 1;
    bool starred = false;        // "\*": skip the group unless its destination is known
    bool unicodePair = false;    // "\upr": only the "\ud" member is read
    bool pairMemberUndecided = false;
};

struct ListLevelDefinition
{
    int numberFormat = 0;
    int startAt = 1;
    int leftIndent = 0;
    QString text;
};

struct ListDefinition
{
    QList<ListLevelDefinition> levels;
};

// Bounds on what one document can make the reader collect.
inline constexpr int MaxCollectedText = 64;
inline constexpr int MaxTableEntries = 4096;

// A text unit as running text may hold it: 0 for a character that would break
// the document's structure or means nothing there.
char16_t sanitized(char16_t unit);

// Reads RTF into a document: tokens drive a stack of group states; text goes
// to the document builder in runs of equal formatting.
class Reader
{
public:
    explicit Reader(QTextDocument *document);
    void read(QByteArrayView rtf);

    static constexpr int MaxGroupDepth = 256;

private:
    void openGroup();
    bool closeGroup(); // false when the document's outermost group closed
    void handleControlWord(const Token &token);
    void handleDestination(Word word);
    void handleSymbol(Word word);
    void handleValue(Word word, const Token &token);
    void handleControlSymbol(char symbol);
    void handleText(std::string_view bytes);
    void takeByte(unsigned char byte);
    void flushBytes();
    int codePage();
    void appendCharacter(char16_t unit);
    void appendUnit(char16_t unit);
    void finishGroup(const GroupState &closing, GroupState &parent);
    void endParagraph();
    void endCell();
    void commitFont();
    void ensureRunFormat();
    void forgetCharFormats();

    QTextCharFormat charFormat(const CharState &chr) const;
    ParagraphLayout paragraphLayout(const ParaState &para) const;
    ListMembership listMembership(const ParaState &para) const;
    GroupState &state() { return m_states.back(); }

    DocumentBuilder m_builder;
    QTextDocument *m_document;
    std::vector<GroupState> m_states;
    int m_flattenedDepth = 0;
    int m_skipCount = 0;
    char16_t m_highSurrogate = 0;

    QHash<CharState, QTextCharFormat> m_charFormats; // built once per distinct state
    CharState m_runState;
    bool m_runStateValid = false;

    int m_defaultFont = 0;
    QHash<int, QString> m_fonts;
    int m_fontNumber = 0;
    QString m_fontName;

    // Text bytes are in the code page of their font, or of the document.
    // Outside Windows-1252 they are collected and decoded as one run, so a
    // double-byte character may arrive as two \'hh.
    int m_documentCodePage = WesternCodePage;
    QHash<int, int> m_fontCodePages; // 0: the document's code page
    int m_fontCodePage = 0;          // of the font table entry being read
    int m_codePageFont = -1;         // the font m_codePage was found for
    int m_codePage = WesternCodePage;
    bool m_codePageValid = false;
    QByteArray m_pendingBytes;
    int m_pendingCodePage = WesternCodePage;
    CodePageDecoder m_decoder;

    QList<QColor> m_colors;
    int m_red = -1, m_green = -1, m_blue = -1;

    QHash<int, ListDefinition> m_listsById;
    QHash<int, int> m_listIdByOverride;
    ListDefinition m_currentList;
    ListLevelDefinition m_currentLevel;
    int m_currentListId = 0;
    QString m_collectedText;

    RowDefinition m_row;
};

} // namespace Rtf::Internal
