#pragma once

#include <string_view>

namespace Rtf::Internal {

// What a control word does, so the reader can dispatch on a small switch
// instead of comparing names.
enum class WordKind {
    Unknown,
    Destination, // starts a destination for the rest of its group
    Toggle,      // on without parameter or with non-zero, off with 0
    Value,       // carries a numeric parameter
    Flag,        // no parameter
    Symbol,      // stands for a character or a break
};

enum class Word {
    Unknown,
    // destinations
    Rtf, FontTable, ColorTable, ListTable, List, ListLevel, LevelText,
    ListOverrideTable, ListOverride, Pn, PnTextAfter, PnTextBefore,
    Field, FieldInstruction, FieldResult, Object, ObjectResult, Shape, ShapeResult,
    UnicodePair, UnicodePairUnicode, SkippedDestination,
    // character formatting
    Plain, Bold, Italic, Underline, UnderlineNone, Strike, Hidden, Superscript,
    Subscript, NoSuperSub, FontNumber, FontSize, ForegroundColor, HighlightColor,
    // paragraph formatting
    ParagraphDefault, AlignLeft, AlignRight, AlignCenter, AlignJustify,
    LeftIndent, RightIndent, FirstLineIndent, SpaceBefore, SpaceAfter,
    LineSpacing, LineSpacingMultiple, InTable, ListOverrideIndex, ListLevelIndex,
    // old-style paragraph numbering
    PnBullet, PnBody, PnContinue, PnLevel, PnDecimal, PnUpperLetter, PnLowerLetter,
    PnUpperRoman, PnLowerRoman, PnStart,
    // list table contents
    ListId, LevelNumberFormat, LevelStartAt,
    // tables
    RowDefaults, CellBoundary, CellBorder, Cell, Row, NestedCell, NestedRow,
    // document
    DefaultFont, FontCharset, FontCodePage, AnsiCodePage, CharsetAnsi, CharsetMac, CharsetPc, CharsetPca,
    Red, Green, Blue, Unicode, UnicodeSkip,
    // symbols
    Paragraph, Section, Page, Line, Tab, EmDash, EnDash, Bullet, LeftQuote, RightQuote,
    LeftDoubleQuote, RightDoubleQuote, EmSpace, EnSpace, QuarterEmSpace,
    ZeroWidthJoiner, ZeroWidthNonJoiner,
};

struct WordInfo
{
    WordKind kind = WordKind::Unknown;
    Word word = Word::Unknown;
};

WordInfo lookupWord(std::string_view name);

} // namespace Rtf::Internal
